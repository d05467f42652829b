#ifndef ANTWORTANZEIGE_H
#define ANTWORTANZEIGE_H

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QVector>
#include <functional>

#include "analyses/reihenfolge.h"
#include "analyses/zusammenfassung.h"

class QAction;
class QActionGroup;
class QDataStream;
class QMenu;
class ModelClient;
class RowFilter;

// What the frequency views offer about their answers, in one place for the single- and
// the multi-column ones: the order they are shown in ("Reihenfolge", a submenu) and the
// answers left out of the count and the percent base ("Antworten ausschließen...").
// The answers left out are the row filter's input filter, so they are kept, and
// admitted, wherever it is; the order follows the filter record in records of
// DateiVersion::AnzeigeVersion and later.
class AntwortAnzeige
{
    Q_DECLARE_TR_FUNCTIONS(AntwortAnzeige)
public:
    // view: the adapter (owns the entries, parents the questions); filter: its row
    // filter; columns: the columns it counts, in its order; recompute: called after
    // the user changed something.
    AntwortAnzeige(ModelClient* view, RowFilter* filter, std::function<QVector<int>()> columns,
                   std::function<void()> recompute);
    AntwortAnzeige(const AntwortAnzeige&) = delete;
    AntwortAnzeige& operator=(const AntwortAnzeige&) = delete;

    // The entries in menu order: "Reihenfolge" (its submenu ticks the present order)
    // and "Antworten ausschließen...".
    QList<QAction*> actions() const;
    QMenu* reihenfolgeMenu() const { return m_menu; }
    // Views that show NETs offer "Zusammenfassungen..." among their actions.
    void setMitZusammenfassungen(bool on) { m_mitZusammenfassungen = on; }
    QAction* zusammenfassungenAction() const { return m_zusammenfassungen; }
    const QVector<Zusammenfassung>& zusammenfassungen() const { return m_netze; }
    void setZusammenfassungen(const QVector<Zusammenfassung>& z);
    void fragZusammenfassungen();
    // Appends a row per NET to the answers shown and their values: the sum of its
    // answers' values (each respondent gives one answer, so each counts once).
    void anhaengen(QStringList* labels, QVector<double>* values) const;

    const Reihenfolge& reihenfolge() const { return m_reihenfolge; }
    // Both recompute the view.
    void setReihenfolge(const Reihenfolge& r);
    void setAusgeschlossen(const QStringList& texts);

    // The view tells the answers it shows, in their order: the own order starts there.
    void setGezeigt(const QStringList& labels) { m_gezeigt = labels; }
    const QStringList& gezeigt() const { return m_gezeigt; }

    // The answers in the view's order (counts: how often each was counted).
    QStringList ordne(const QStringList& labels, const QHash<QString, double>& counts) const;

    // DateiVersion::AnzeigeVersion when the order is not the default or several
    // answers are left out; 0 otherwise.
    int neededVersion() const;
    // The order record, from record version AnzeigeVersion on (nothing before).
    void write(QDataStream& s, int version) const;
    // Reads what write() wrote; false on a damaged record (the order stays).
    bool read(QDataStream& s, int version);

    // The menu's flows: an order chosen (the own one asks for the list), and the
    // question which answers to leave out.
    void waehle(Reihenfolge::Art art);
    void fragAusschluss();

    // Every answer of the columns, unfiltered, in code-unit order.
    QStringList alleAntworten() const;
    // The answers in order of first appearance: row by row, in a row column by column.
    QStringList gesehen() const;

private:
    void zeigeHaken();

    ModelClient* m_view;
    RowFilter* m_filter;
    std::function<QVector<int>()> m_columns;
    std::function<void()> m_recompute;
    Reihenfolge m_reihenfolge;
    QStringList m_gezeigt;
    QMenu* m_menu;
    QActionGroup* m_artGroup;
    QAction* m_ausschliessen;
    QAction* m_zusammenfassungen;
    bool m_mitZusammenfassungen = false;
    QVector<Zusammenfassung> m_netze;
};

#endif
