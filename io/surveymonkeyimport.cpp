#include "io/surveymonkeyimport.h"

#include <QCoreApplication>
#include "core/spaltenspeicher.h"
#include <optional>
#include <algorithm>

#include "core/csvreader.h"
#include "core/fortschritt.h"
#include "core/mehrfachsets.h"

void SurveyMonkeyImport::fill(const QString& text, SpaltenSpeicher* model,
                              QStringList* subHeaders, Fortschritt* progress,
                              QStringList* questionRow)
{
    subHeaders->clear();
    if (questionRow)
        questionRow->clear();
    // Lines, not records (a field may hold line breaks): enough for the bar.
    if (progress)
        progress->stage(progress->text(), text.count(QLatin1Char('\n')) + 1);
    CsvReader reader(text, QLatin1Char(','));
    QStringList fields;
    QStringList questions;
    int record = 0;
    std::optional<SpaltenSpeicher::Aufbau> bau;
    while (reader.next(&fields)) {
        ++record;
        if (progress)
            progress->step(record);
        if (record == 1) {
            model->setColumnCount(fields.size());
            model->setHorizontalHeaderLabels(fields);
            questions = fields;
            if (questionRow)
                *questionRow = fields;
        } else if (record == 2) {
            *subHeaders = fields;
            // The option texts are in this row: the titles are named only now.
            model->setHorizontalHeaderLabels(titel(questions, fields));
        } else {
            // The answers go straight into the columns' codes.
            if (!bau)
                bau.emplace(model);
            bau->zeile(fields);
        }
    }
}

QVector<SurveyMonkeyImport::Frage> SurveyMonkeyImport::fragen(const QStringList& titles,
                                                              const QStringList& subHeaders)
{
    QVector<Frage> out;
    const int n = int(titles.size());
    for (int c = 0; c < n; ++c) {
        if (titles.at(c).isEmpty() || !isUsable(subHeaders, c))
            continue;
        Frage f;
        f.text = titles.at(c);
        f.first = c;
        int last = c;
        while (last + 1 < n && titles.at(last + 1).isEmpty() && isUsable(subHeaders, last + 1))
            ++last;
        for (int k = c; k <= last; ++k) {
            f.columns << k;
            if (!isFreeText(subHeaders.at(k)))
                f.options << k;
        }
        out << f;
        c = last;
    }
    return out;
}

QStringList SurveyMonkeyImport::titel(const QStringList& titles, const QStringList& subHeaders)
{
    QStringList out = titles;
    for (const Frage& f : fragen(titles, subHeaders))
        for (int c : f.columns)
            if (c != f.first || f.mehrfach())
                out[c] = f.text + QStringLiteral(" – ") + subHeaders.at(c);
    return out;
}

bool SurveyMonkeyImport::isUsable(const QStringList& subHeaders, int column)
{
    return column >= 0 && column < subHeaders.size() && !subHeaders.at(column).isEmpty();
}

bool SurveyMonkeyImport::isFreeText(const QString& subHeader)
{
    return subHeader.left(19) == QLatin1String("Open-Ended Response");
}

Ansichtsplan SurveyMonkeyImport::ansichten(const SpaltenSpeicher* model,
                                           const QStringList& subHeaders,
                                           const QStringList& questionRow)
{
    Ansichtsplan plan;
    const int n = model->columnCount();
    QStringList questions = questionRow;
    for (int c = 0; c < n; ++c)
        if (!isUsable(subHeaders, c))
            plan.versteckt << c;
    while (questions.size() < n)
        questions << QString();
    QVector<int> charted;
    QVector<Frage> mehrfach;
    for (const Frage& f : fragen(questions, subHeaders)) {
        if (f.mehrfach())
            mehrfach << f;
        else
            charted << f.options;
    }
    // Untitled columns with options but no question to their left are charted alone.
    for (int c = 0; c < n; ++c)
        if (questions.at(c).isEmpty() && isUsable(subHeaders, c)
            && !isFreeText(subHeaders.at(c))) {
            bool inQuestion = false;
            for (const Frage& f : mehrfach)
                inQuestion = inQuestion || f.columns.contains(c);
            for (int d : charted)
                inQuestion = inQuestion || d == c;
            if (!inQuestion)
                charted << c;
        }
    std::sort(charted.begin(), charted.end());

    auto titleOf = [model](int c) {
        const QString t = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        return t.isEmpty() ? QString::number(c + 1) : t;
    };
    auto make = [&](const QString& adapterType, const QString& viewType,
                    const QVector<int>& columns, const QString& title) {
        ViewRecord r;
        r.adapterType = adapterType;
        r.viewType = viewType;
        r.columns = columns;
        r.title = title;
        r.notes = QLatin1String("");
        plan.ansichten << r;
    };
    const QString freq = QStringLiteral("Häufigkeit");
    // A multiple-choice question is one set and one view, in place of a chart per option.
    QVector<MehrfachSet> sets;
    for (const Frage& f : mehrfach) {
        MehrfachSet set;
        set.name = f.text;
        set.spalten = f.options;
        sets << set;
    }
    plan.sets = sets;
    for (const Frage& f : mehrfach)
        make(QString(), QStringLiteral("Mehrfachantworten"), f.options, f.text);
    for (int c : charted)
        make(freq, QStringLiteral("BalkenDiagram(H)"), {c},
             QCoreApplication::translate("View", "Balken: %1").arg(titleOf(c)));
    for (int c : charted)
        make(freq, QStringLiteral("TortenDiagram"), {c},
             QStringLiteral("Torten:%1").arg(titleOf(c)));
    return plan;
}
