#include "io/plattformumfrage.h"

#include <QCoreApplication>
#include "core/spaltenspeicher.h"

#include "io/csvimport.h"
#include "core/csvreader.h"
#include "core/fehlendewerte.h"
#include "core/fortschritt.h"
#include "core/viewrecord.h"

int PlattformUmfrage::metadatenSpalten() const
{
    int n = 0;
    for (bool v : versteckt)
        n += v ? 1 : 0;
    return n - ersetzteSpalten;
}

QString PlattformUmfrage::erkanntText() const
{
    return QCoreApplication::translate("PlattformUmfrage",
                                       "Erkannt: %1, %2 Fragen, %3 Mehrfachauswahl-Fragen, "
                                       "%4 Metadaten-Spalten ausgeblendet")
        .arg(quelle)
        .arg(fragen)
        .arg(mehrfachFragen)
        .arg(metadatenSpalten());
}

void PlattformUmfrage::angleichen()
{
    const int n = spalten();
    while (namen.size() < n)
        namen << titel.at(namen.size());
    namen = namen.mid(0, n);
    versteckt.resize(n);
    offen.resize(n);
    fehlend.resize(n);
}

QString PlattformUmfrage::optionTitel(const QString& frage, const QString& option)
{
    return frage + QStringLiteral(" – ") + option;
}

void PlattformUmfrage::fill(SpaltenSpeicher* model, Fortschritt* progress) const
{
    const int n = spalten();
    model->setColumnCount(n);
    model->setHorizontalHeaderLabels(titel);
    for (int c = 0; c < n; ++c)
        model->setHeaderData(c, Qt::Horizontal, c < namen.size() ? namen.at(c) : titel.at(c),
                             Qt::ToolTipRole);
    for (int c = 0; c < n && c < fehlend.size(); ++c)
        if (!fehlend.at(c).isEmpty())
            FehlendeWerte::setCodes(model, c, fehlend.at(c));
    if (!csvText.isEmpty()) {
        CsvReader reader(csvText, trenner);
        // The header records were read by the recognition already.
        QStringList kopf;
        for (int k = 0; k < kopfZeilen; ++k)
            if (!reader.next(&kopf))
                break;
        if (progress)
            progress->stage(progress->text(), csvText.size());
        CsvImport::fillRows(reader, model, progress);
        return;
    }
    if (progress)
        progress->stage(progress->text(), zeilen.size());
    SpaltenSpeicher::Aufbau bau(model);
    for (int r = 0; r < zeilen.size(); ++r) {
        const QStringList& row = zeilen.at(r);
        bau.neueZeile();
        for (int c = 0; c < row.size() && c < n; ++c)
            bau.text(c, row.at(c));
        if (progress)
            progress->step(r + 1);
    }
}

Ansichtsplan PlattformUmfrage::ansichten(const SpaltenSpeicher* model) const
{
    Ansichtsplan plan;
    const int n = qMin(spalten(), model->columnCount());
    for (int c = 0; c < n; ++c)
        if (versteckt.value(c))
            plan.versteckt << c;
    QVector<bool> inSet(n);
    for (const MehrfachSet& s : sets)
        for (int c : s.spalten)
            if (c >= 0 && c < n)
                inSet[c] = true;
    QVector<int> charted;
    for (int c = 0; c < n; ++c)
        if (!versteckt.value(c) && !offen.value(c) && !inSet.at(c))
            charted << c;
    plan.sets = sets;
    if (!eigeneAnsichten)
        return plan;
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
    for (const MehrfachSet& s : sets)
        make(QString(), QStringLiteral("Mehrfachantworten"), s.spalten, s.name);
    for (int c : charted) {
        QString t = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        if (t.isEmpty())
            t = QString::number(c + 1);
        make(QStringLiteral("Häufigkeit"), QStringLiteral("BalkenDiagram(H)"), {c},
             QCoreApplication::translate("View", "Balken: %1").arg(t));
    }
    return plan;
}
