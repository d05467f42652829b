// Measures the import of a Qualtrics export against the same data as a plain CSV file:
// writes both (17 metadata columns, 40 single questions and 10 multiple-choice
// questions of three options), reads each into a survey document and prints the times
// and their ratio. Usage: benchplattform [rows]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <cstdio>

#include "core/mehrfachsets.h"
#include "core/spaltensicht.h"
#include "io/plattformimport.h"
#include "io/plattformumfrage.h"
#include "io/umfragedokument.h"

namespace {
QByteArray zeile(const QStringList& felder)
{
    QStringList q;
    for (const QString& f : felder)
        q << QLatin1Char('"') + f + QLatin1Char('"');
    return q.join(QLatin1Char(',')).toUtf8() + "\r\n";
}
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;

    QStringList namen{"StartDate", "EndDate", "Status", "IPAddress", "Progress",
                      "Duration (in seconds)", "Finished", "RecordedDate", "ResponseId",
                      "RecipientLastName", "RecipientFirstName", "RecipientEmail",
                      "ExternalReference", "LocationLatitude", "LocationLongitude",
                      "DistributionChannel", "UserLanguage"};
    QStringList texte = namen;
    const int meta = int(namen.size());
    for (int q = 1; q <= 40; ++q) {
        namen << QStringLiteral("Q%1").arg(q);
        texte << QStringLiteral("Wie bewerten Sie Punkt %1?").arg(q);
    }
    for (int q = 41; q <= 50; ++q)
        for (int o = 1; o <= 3; ++o) {
            namen << QStringLiteral("Q%1_%2").arg(q).arg(o);
            texte << QStringLiteral("Was nutzen Sie %1? - Selected Choice - Option %2").arg(q).arg(o);
        }
    QStringList ids;
    for (const QString& n : namen)
        ids << QStringLiteral("{\"\"ImportId\"\":\"\"%1\"\"}").arg(n);

    QTemporaryDir dir;
    QFile qualtrics(dir.filePath("qualtrics.csv"));
    QFile plain(dir.filePath("plain.csv"));
    if (!qualtrics.open(QIODevice::WriteOnly) || !plain.open(QIODevice::WriteOnly))
        return 1;
    qualtrics.write(zeile(namen) + zeile(texte) + zeile(ids));
    plain.write(zeile(namen));
    const QStringList antworten{"Sehr gut", "Gut", "Mittel", "Schlecht"};
    QStringList felder;
    for (int r = 0; r < rows; ++r) {
        felder.clear();
        for (int c = 0; c < meta; ++c)
            felder << QString::number((r * 7 + c) % 1000);
        for (int q = 0; q < 40; ++q)
            felder << antworten.at((r * 31 + q * 7) % antworten.size());
        for (int q = 0; q < 30; ++q)
            felder << ((r + q) % 3 == 0 ? QStringLiteral("Option %1").arg(q % 3 + 1) : QString());
        const QByteArray z = zeile(felder);
        qualtrics.write(z);
        plain.write(z);
    }
    qualtrics.close();
    plain.close();

    UmfrageDokument doc;
    QElapsedTimer t;
    t.start();
    if (!doc.importCSV(plain.fileName()))
        return 1;
    const qint64 plainMs = t.elapsed();

    // The same work as the import less the views: recognise, read, fill, hide, sets.
    UmfrageDokument doc2;
    t.restart();
    PlattformUmfrage u;
    if (PlattformImport::lesen(qualtrics.fileName(), &u) != PlattformImport::Gelesen)
        return 1;
    doc2.startNewTable();
    {
        SpaltenSicht::Fuellung bulk(doc2.spalten());
        u.fill(doc2.dataModel());
    }
    Ansichtsplan plan = u.ansichten(doc2.dataModel());
    plan.ansichten.clear();
    doc2.applyPlan(plan);
    const qint64 qualtricsMs = t.elapsed();

    // The whole import, views included, for the record.
    UmfrageDokument doc3;
    t.restart();
    if (!doc3.importErkannt(qualtrics.fileName(), false))
        return 1;
    const qint64 mitAnsichtenMs = t.elapsed();

    std::printf("rows=%d columns=%d sets=%d plain_csv_ms=%lld qualtrics_ms=%lld ratio=%.2f "
                "(limit 1.30) qualtrics_with_views_ms=%lld views=%d\n",
                doc2.dataModel()->rowCount(), doc2.dataModel()->columnCount(),
                int(MehrfachSets::von(doc2.dataModel()).size()), plainMs, qualtricsMs,
                plainMs > 0 ? double(qualtricsMs) / double(plainMs) : 0.0, mitAnsichtenMs,
                doc3.viewCount() - 1);
    return 0;
}
