#ifndef SPALTENSPEICHER_H
#define SPALTENSPEICHER_H

#include <QAbstractTableModel>
#include <QHash>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <QVector>
#include <vector>

#include "core/textkey.h"

// The data table as columns: a survey's columns hold few distinct answers, so each
// column keeps one small code per row (8, 16 or 32 bits, widened as the column's pool
// grows) into its pool of distinct values. A cell is what an item of the table held:
// its display value (a text, or a number a column command stored) and any other role,
// such as the value restored from a statistic file with its tool tip. Equal cells of a
// column share one code, so a counting view counts codes and reads each distinct
// value's number once.
class SpaltenSpeicher : public QAbstractTableModel
{
    Q_OBJECT
public:
    // One distinct value of a column's pool.
    struct Eintrag
    {
        QVariant wert;              // display and edit value; invalid: a missing cell
        QMap<int, QVariant> rollen; // every other role the cell holds
        // The number reading, made on first request: 0 not yet read, 1 a number, 2 not.
        mutable double zahl = 0;
        mutable qint8 gelesen = 0;
    };

    // The codes of a column as they are stored; read them with at(), or with
    // jedeZeile() to choose the width once for the whole column.
    struct Codes
    {
        // One of the three is set, by the column's width.
        const quint8* c8 = nullptr;
        const quint16* c16 = nullptr;
        const quint32* c32 = nullptr;
        int breite = 1; // bytes per code
        int anzahl = 0;

        quint32 at(int row) const
        {
            return breite == 1 ? c8[row] : breite == 2 ? c16[row] : c32[row];
        }

        // f(row, code) for every row, the width chosen once.
        template <class F>
        void jedeZeile(F f) const
        {
            if (breite == 1) {
                for (int r = 0; r < anzahl; ++r)
                    f(r, quint32(c8[r]));
            } else if (breite == 2) {
                for (int r = 0; r < anzahl; ++r)
                    f(r, quint32(c16[r]));
            } else {
                for (int r = 0; r < anzahl; ++r)
                    f(r, c32[r]);
            }
        }
    };

    // A column with its header, taken out of the table and put back by undo commands,
    // or made by a column command before it enters the table.
    // Code 0 of every column is the missing cell.
    class Spalte
    {
    public:
        Spalte();
        int zeilen() const;
        int poolGroesse() const { return int(m_pool.size()); }
        // A new last cell holding wert (an invalid value: a missing cell).
        void anfuegen(const QVariant& wert);
        QVariant wert(int row) const;
        // The header's roles (Qt::EditRole is Qt::DisplayRole).
        QVariant kopf(int role) const;
        void setzeKopf(int role, const QVariant& value);
        // Forgets every header role.
        void leereKopf() { m_kopf.clear(); }

    private:
        friend class SpaltenSpeicher;
        quint32 code(int row) const;
        void setzeCode(int row, quint32 code);
        void anhaengen(quint32 code);
        void zeilenEinfuegen(int row, int count);
        void zeilenEntfernen(int row, int count);
        // Widens the codes when the pool holds more values than the width can number.
        void passeBreiteAn();
        // The code of a cell with value and further roles; a new pool entry when no
        // equal one is known.
        quint32 codeFuer(const QVariant& wert, const QMap<int, QVariant>& rollen);
        quint32 codeFuerText(QStringView text, const QString* original = nullptr);
        quint32 neu(const QVariant& wert, const QMap<int, QVariant>& rollen);
        // Drops the lookup tables of a column whose values are mostly distinct.
        void pruefeFrei();
        // Drops pool entries no cell uses any more and numbers the rest anew.
        void verdichten();
        void merke(quint32 code);

        // The codes, in the one vector of the column's width.
        std::vector<quint8> m_c8;
        std::vector<quint16> m_c16;
        std::vector<quint32> m_c32;
        int m_breite = 1;
        QVector<Eintrag> m_pool;
        // Lookup of the pool by kind of value. A restored text cell (the value as the
        // file held it, the text as tool tip) is the common case of a loaded file.
        QHash<TextKey, quint32> m_texte;
        QHash<TextKey, quint32> m_restauriert;
        QHash<quint64, quint32> m_zahlen;
        QHash<QPair<int, QString>, quint32> m_andere;
        quint32 m_nullText = 0;
        // Free text: equal values may then have codes of their own.
        bool m_frei = false;
        qint64 m_gesehen = 0;
        // Header roles (display, tool tip, derivation); empty: no header set.
        QMap<int, QVariant> m_kopf;
    };

    // Fills a new table row by row, straight into the columns' codes: a reader needs
    // no second copy of the table. The model is reset from construction to
    // destruction, so no view sees a half-built table.
    class Aufbau
    {
    public:
        Aufbau(SpaltenSpeicher* speicher, const QStringList& titel);
        // Appends rows to the table as it stands, its columns and headers kept (a
        // reader that set them up before its rows). No reset: the rows built become
        // visible as inserted rows at the end (or at zeigen()), and a record longer
        // than the table widens it, as appending a row to the item model did.
        explicit Aufbau(SpaltenSpeicher* speicher);
        ~Aufbau();
        Aufbau(const Aufbau&) = delete;
        Aufbau& operator=(const Aufbau&) = delete;

        // Starts a row of missing cells; the setters below fill its cells.
        void neueZeile();
        void text(int spalte, QStringView text);
        void text(int spalte, const QString& text);
        void wert(int spalte, const QVariant& wert);
        // A cell restored from a file: the value's text, the value itself in
        // Roles::RestoredValue and the text again as tool tip.
        void restauriert(int spalte, const QVariant& wert);
        // The same for a text value (not null, not empty) in the reader's characters:
        // a text met before costs no string of its own.
        void restauriertText(int spalte, QStringView text);
        // Drops the row being built (a reader that found it cut short).
        void zeileVerwerfen();
        // A whole record of texts as the next row (fields beyond the columns dropped).
        void zeile(const QStringList& felder);
        // The same from views of the fields (a reader that keeps no strings of them).
        void zeileAusSichten(const QList<QStringView>& felder);
        // Rows built so far.
        int zeilen() const { return m_gebaut; }
        // Makes the rows built so far visible (appending only).
        void zeigen();

    private:
        SpaltenSpeicher::Spalte* spalte(int c);
        SpaltenSpeicher* m_s;
        bool m_anfuegen = false;
        int m_gebaut = 0;
        int m_ende = 0; // rows in the columns' codes, the current one last
    };

    // One cell, read and written through the store's model calls.
    class Zelle
    {
    public:
        Zelle(SpaltenSpeicher* s, int row, int column) : m_s(s), m_row(row), m_column(column) {}
        QVariant data(int role = Qt::DisplayRole) const
        {
            return m_s->data(m_s->index(m_row, m_column), role);
        }
        QString text() const { return data().toString(); }
        QString toolTip() const { return data(Qt::ToolTipRole).toString(); }
        bool setData(const QVariant& value, int role = Qt::EditRole)
        {
            return m_s->setData(m_s->index(m_row, m_column), value, role);
        }
        bool setText(const QString& text) { return setData(text); }
        // Whether the cell holds anything (a cell never filled, or outside the table,
        // does not).
        bool belegt() const { return m_s->code(m_row, m_column) != 0; }

    private:
        SpaltenSpeicher* m_s;
        int m_row;
        int m_column;
    };

    explicit SpaltenSpeicher(QObject* parent = nullptr);
    // A table of missing cells.
    SpaltenSpeicher(int rows, int columns, QObject* parent = nullptr);
    ~SpaltenSpeicher() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool insertColumns(int column, int count, const QModelIndex& parent = QModelIndex()) override;
    bool removeColumns(int column, int count, const QModelIndex& parent = QModelIndex()) override;

    // The calls of the item model the program used, for an easy switch.
    void setRowCount(int rows);
    void setColumnCount(int columns);
    void setHorizontalHeaderLabels(const QStringList& labels);
    void clear();

    // A cell's value straight from its column (invalid outside the table).
    QVariant wert(int row, int column) const;
    Zelle zelle(int row, int column) { return Zelle(this, row, column); }
    // Appends one row of display values (an invalid one: a missing cell); more values
    // than columns widen the table.
    void zeileAnfuegen(const QVariantList& werte);

    // For counting views: the codes of a column, its pool and each value's number.
    // Codes and entries are the column's own: valid until the table next changes.
    Codes codes(int column) const;
    quint32 code(int row, int column) const;
    int poolGroesse(int column) const;
    const Eintrag& eintrag(int column, quint32 code) const;
    // The value's number as ZellenZahl::toDouble reads it, and whether its text is a
    // number (ZellenZahl::read; a stored number always is); read once per value.
    double zahl(int column, quint32 code, bool* istZahl = nullptr) const;
    // Whether equal values of the column always share one code (not so in a column
    // of free text, which keeps its values as they come).
    bool codesEindeutig(int column) const;
    // The column numbered as the counting views number it: cells of equal display value
    // (texts, a null text apart; numbers by bit pattern) share a code, in order of first
    // appearance, and werte holds each code's value. Equal values are found once per
    // pool entry, not per cell.
    void dichteCodes(int column, QVector<int>* codes, QVector<QVariant>* werte) const;
    // The bytes the columns take (codes, pools and their texts), for measuring.
    qint64 belegteBytes() const;

    // Takes column out of the table, codes, pool and header; setzeSpalte puts it back.
    Spalte nimmSpalte(int column);
    // Inserts spalte before column; a longer column lengthens the table, a shorter one
    // is filled up with missing cells.
    void setzeSpalte(int column, Spalte spalte);
    // A copy of column, codes, pool and header (an empty column outside the table).
    Spalte spalte(int column) const;
    // Exchanges column with spalte in place: the table's shape stays, and listeners
    // hear of changed data and header instead of a column leaving and coming back. A
    // spalte of another length goes the long way, out and in.
    void tauscheSpalte(int column, Spalte* spalte);
    // Gives column a fresh header holding only its title.
    void neuerKopf(int column, const QVariant& titel);

private:
    bool gueltig(int row, int column) const;

    std::vector<Spalte> m_spalten;
    int m_zeilen = 0;
};

#endif
