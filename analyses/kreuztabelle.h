#ifndef KREUZTABELLE_H
#define KREUZTABELLE_H

#include <QPoint>
#include <QVector>

#include "analyses/kreuztabellenrechnung.h"
#include "diagrams/modelclient.h"
#include "core/textinhalt.h"

class QAction;
class QActionGroup;
class QLabel;
class QMimeData;
class QTableWidget;
class RecomputeScheduler;

// "Kreuztabelle": the answers of the first question as rows against the answers of
// every further question as blocks of columns, with percentages, significance letters
// and each block's test of independence; weighted when the survey is. A question is a
// column or a multiple-choice set.
class Kreuztabelle : public ModelClient, public TextInhalt
{
    Q_OBJECT
public:
    // One question of the table: a column, or a set named with its option columns.
    struct Eintrag {
        bool istSet = false;
        QString set;
        QVector<int> spalten;   // the column, or the set's columns in its order

        bool operator==(const Eintrag& o) const
        {
            return istSet == o.istSet && set == o.set && spalten == o.spalten;
        }
        static Eintrag spalte(int c) { return {false, QString(), {c}}; }
        static Eintrag ausSet(const MehrfachSet& s) { return {true, s.name, s.spalten}; }
    };
    // The view's columns: those of the entries in turn.
    static QVector<int> spaltenVon(const QVector<Eintrag>& eintraege);

    // In the record's number of the percentage mode: the entries follow.
    static constexpr qint32 MitSets = 0x100;
    // In the same number: the rating-scale settings follow (after the entries, if any):
    // the NETs' count (qint32), per NET its name and its answers (a string list
    // variant), then the means (bool), the NPS (bool) and the correction (qint32).
    static constexpr qint32 MitSkalen = 0x200;

    explicit Kreuztabelle(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* m) override;
    // The percentage mode (qint32), at every record version. With a set among the
    // entries the mode carries MitSets and the entries follow: their count (qint32),
    // then per entry whether it is a set (bool), the set's name and how many of the
    // view's columns it takes (qint32).
    void saveData(QDataStream& s, int version) override;
    // The record saveData writes for this mode and these entries.
    static void writeRecord(QDataStream& s, KreuztabellenRechnung::Prozente p,
                            const QVector<Eintrag>& eintraege,
                            const KreuztabellenRechnung::Optionen& optionen = {});
    void loadData(QDataStream& s, int version) override;
    int neededVersion() const override;

    // The first column gives the rows, each further one a block of columns.
    void setSpalten(const QVector<int>& columns);
    const QVector<int>& spalten() const { return m_columns; }
    // The first entry gives the rows, each further one a block.
    void setEintraege(const QVector<Eintrag>& eintraege);
    const QVector<Eintrag>& eintraege() const { return m_eintraege; }
    bool hatSets() const;
    static bool mitSets(const QVector<Eintrag>& eintraege);
    void setProzente(KreuztabellenRechnung::Prozente p);
    KreuztabellenRechnung::Prozente prozente() const { return m_prozente; }
    void setOptionen(const KreuztabellenRechnung::Optionen& o);
    const KreuztabellenRechnung::Optionen& optionen() const { return m_optionen; }
    // "Zusammenfassungen...": adds the scale's top-2/bottom-2, a NET of the answers
    // ticked, or takes one away, as the user chooses.
    void zusammenfassungenBearbeiten();
    const KreuztabellenRechnung::Ergebnis& ergebnis() const { return m_ergebnis; }

    QString toHTML() override;
    QString toText() override;

    QTableWidget* table() const { return m_table; }
    QLabel* notes() const { return m_notes; }
    // "Spalten", "Zeilen", "Gesamt", "keine", checkable, in menu order.
    QList<QAction*> prozentActions() const;
    // "Mittelwerte" and "NPS", checkable; "keine", "Bonferroni", "Holm" of "Korrektur".
    QAction* mittelwerteAction() const { return m_mittelwerte; }
    QAction* npsAction() const { return m_nps; }
    QList<QAction*> korrekturActions() const;
    // What a drag out of the view carries: its HTML. The caller owns the result.
    QMimeData* createMimeData();

public slots:
    void updateDiagram();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // The entries of the record (after their flag); a damaged list leaves the columns
    // each a question of their own and gives false.
    bool readEintraege(QDataStream& s);
    // The scale settings of the record; false (nothing taken) when damaged.
    static bool readOptionen(QDataStream& s, KreuztabellenRechnung::Optionen* o);
    // Shows the last result in the current percentage mode.
    void zeigen();

    QVector<int> m_columns;
    QVector<Eintrag> m_eintraege;
    QMetaObject::Connection m_setsChanged;
    KreuztabellenRechnung::Prozente m_prozente = KreuztabellenRechnung::Spalten;
    KreuztabellenRechnung::Ergebnis m_ergebnis;
    QTableWidget* m_table;
    QLabel* m_notes;
    QActionGroup* m_prozentGroup;
    KreuztabellenRechnung::Optionen m_optionen;
    QAction* m_zusammenfassungen;
    QAction* m_mittelwerte;
    QAction* m_nps;
    QActionGroup* m_korrekturGroup;
    QPoint m_dragStartPosition;
    RecomputeScheduler* m_recompute;
};

#endif
