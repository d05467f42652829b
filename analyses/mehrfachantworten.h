#ifndef MEHRFACHANTWORTEN_H
#define MEHRFACHANTWORTEN_H

#include <QStringList>
#include <QVector>

#include "core/mehrfachsets.h"
#include "diagrams/modelclient.h"
#include "core/rowfilter.h"
#include "core/textinhalt.h"

class Diagram;
class QAction;
class QGridLayout;
class RecomputeScheduler;

// "Mehrfachantworten": one multiple-choice set (the view's columns) as one question,
// a bar per option with the share of the respondents who chose at least one option.
// The bar charts and the table fit it; the table also shows the counts and the shares
// of all answers. Its text (an option per line with count and both shares, then the
// base) goes to the clipboard, the report and the workbook.
class Mehrfachantworten : public ModelClient, public TextInhalt
{
    Q_OBJECT
public:
    explicit Mehrfachantworten(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    // The diagram type name, then the diagram's record, at every record version; from
    // DateiVersion::MehrfachAnsichtVersion on the filter record.
    void saveData(QDataStream& s, int version) override;
    void loadData(QDataStream& s, int version) override;
    int neededVersion() const override;

    void setSpalten(const QVector<int>& columns);
    const QVector<int>& spalten() const { return m_columns; }
    // Replaces the diagram by one of the type named, keeping its colours and font; false
    // for an unknown name. Files may name any diagram type; "Typ..." offers those that
    // fit (typNamen()).
    bool setDiagramTyp(const QString& name);
    const QString& diagramTyp() const { return m_diagramTyp; }
    static QStringList typNamen();
    Diagram* diagram() const { return m_diagram; }
    const MehrfachZaehlung& zaehlung() const { return m_zaehlung; }
    bool gewichtet() const { return m_gewichtet; }
    // "n = <base>"
    QString basisText() const;
    // What the view says of what it counts: the filter, the base of respondents, the
    // weighting; one line each.
    QStringList angaben() const { return m_angaben; }
    // "Anzahl", "% der Befragten", "% der Antworten"
    static QStringList spaltenTitel();
    // "Basis (Befragte)"
    static QString basisTitel();

    void setDepFilter(QString value, int column);
    const RowFilter& rowFilter() const { return m_filter; }
    QAction* typeAction() const { return m_typeAction; }
    QAction* linkAction() const { return m_linkAction; }
    QAction* unlinkAction() const { return m_unlinkAction; }

    QString toText() override;
    QString toHTML() override;

public slots:
    void updateDiagram();
    void typAction();
    void depAction();
    void undepAction();

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // Count and shares of every option as shown, a row per option.
    QVector<QStringList> zeilen() const;

    QVector<int> m_columns;
    QString m_diagramTyp;
    Diagram* m_diagram = nullptr;
    QGridLayout* m_layout;
    MehrfachZaehlung m_zaehlung;
    bool m_gewichtet = false;
    QStringList m_angaben;
    RowFilter m_filter;
    QAction* m_typeAction;
    QAction* m_linkAction;
    QAction* m_unlinkAction;
    RecomputeScheduler* m_recompute;
};

#endif
