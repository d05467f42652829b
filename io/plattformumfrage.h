#ifndef PLATTFORMUMFRAGE_H
#define PLATTFORMUMFRAGE_H

#include <QChar>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include "core/mehrfachsets.h"
#include "io/ansichtsplan.h"

class Fortschritt;
class SpaltenSpeicher;

// A survey as a platform's export holds it, read completely before anything of the
// present data changes: titles, rows, which columns are metadata or open answers, and
// the multiple-choice sets.
class PlattformUmfrage
{
public:
    QString quelle;            // what was recognised, e.g. "Qualtrics-Export"
    QStringList titel;         // one per column
    QStringList namen;         // the platform's own column names (tool tips); may be short
    QList<QStringList> zeilen; // the rows, where the reader made them itself
    // Otherwise the rows are the records of this CSV text after its first kopfZeilen
    // records: read straight into the table, as fast as a plain CSV file.
    QString csvText;
    QChar trenner = QLatin1Char(',');
    int kopfZeilen = 0;
    QVector<bool> versteckt;   // metadata and replaced columns, hidden at the start
    QVector<bool> offen;       // open answers and numbers: no chart of their own
    QVector<MehrfachSet> sets;
    int fragen = 0;            // questions, counted as the platform counts them
    int mehrfachFragen = 0;    // multiple-choice questions among them
    // Hidden columns that are no metadata: a choice column whose options have columns
    // of their own.
    int ersetzteSpalten = 0;
    // Whether the import makes its views itself; a plain workbook's are asked for, as a
    // CSV file's are.
    bool eigeneAnsichten = true;
    // Missing-value codes per column, as the cells show them (a syntax file's missing
    // values, labelled where the answers are); fill() declares them.
    QVector<QStringList> fehlend;

    int spalten() const { return int(titel.size()); }
    int metadatenSpalten() const;
    // "Erkannt: Qualtrics-Export, 43 Fragen, 3 Mehrfachauswahl-Fragen, 17 Metadaten-
    // Spalten ausgeblendet"
    QString erkanntText() const;
    // Every per-column list as long as the titles.
    void angleichen();

    // Replaces the content of the (already emptied) model by the survey; progress (when
    // given) is stepped per row or by the characters read.
    void fill(SpaltenSpeicher* model, Fortschritt* progress = nullptr) const;
    // The metadata hidden, the sets, and (when eigeneAnsichten) one "Mehrfachantworten"
    // view per set and a horizontal bar chart of answer frequencies for every other
    // shown column that is no open answer, over the filled model.
    Ansichtsplan ansichten(const SpaltenSpeicher* model) const;

    // "Frage – Option": how a set's option columns are titled, so that the set's view
    // names each option alone.
    static QString optionTitel(const QString& frage, const QString& option);
};

#endif
