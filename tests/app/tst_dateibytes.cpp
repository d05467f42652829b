#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/view.h"
#include "io/umfragedokument.h"
#include "core/fehlendewerte.h"
#include "core/spaltenspeicher.h"
#include "core/gewichtung.h"
#include "core/mehrfachsets.h"
#include "diagrams/modelclient.h"
#include "tests/helpers/testutil.h"

// The files a survey with every kind of view, a weight, a multiple-choice set and
// declared missing answers writes: the statistic file, the views file, the data CSV and
// the report, compared byte for byte with the files of data/dateibytes. Those files
// were written by the program as it stood when they were made; the data table's inner
// form must never show in what it writes. With QV_DATEIBYTES_SCHREIBEN set to a folder
// the test writes the files there instead of comparing.
namespace {
QString survey()
{
    // Deterministic answers: rows cycle through each column's answers at their own pace.
    const QStringList sex{"m", "w", "w", "d"};
    const QStringList happy{"1", "2", "3", "4", "5", "3", "4"};
    const QStringList region{"Nord", "Süd", "-99", "Ost", "West", "Süd"};
    const QStringList brand{"ja", "", "ja", "", ""};
    const QStringList weight{"0.8", "1.2", "1", "1.5", "0.5", ""};
    QString out = "\"Geschlecht\";\"Alter\";\"Zufriedenheit\";\"Region\";\"Marke: A\";"
                  "\"Marke: B\";\"Marke: C\";\"Gewicht\";\"Kommentar\";\"Nutzen\"\n";
    for (int r = 0; r < 60; ++r) {
        QStringList row;
        row << sex.at(r % sex.size()) << QString::number(18 + (r * 7) % 60)
            << happy.at(r % happy.size()) << region.at(r % region.size())
            << brand.at(r % brand.size()) << brand.at((r + 2) % brand.size())
            << brand.at((r * 3) % brand.size()) << weight.at(r % weight.size())
            << (r % 9 == 0 ? QString() : "Text " + QString::number(r))
            << happy.at((r * 5) % happy.size());
        out += row.join(';') + '\n';
    }
    return out;
}

struct Ansicht {
    QString adapter;
    QString typ;
    QVector<int> spalten;
};

QList<Ansicht> ansichten()
{
    return {
        {"Häufigkeit", "TortenDiagram", {0}},
        {"Häufigkeit", "BalkenDiagram(V)", {3}},
        {"Häufigkeit %", "BalkenDiagram(H)", {2}},
        {"Häufigkeit", "ExcelBalkenDiagram", {9}},
        {"Häufigkeit", "XmasDiagram", {0}},
        {"HäufigkeitsVerteilung", "BalkenDiagram(V)", {1}},
        {"Direkt", "Tabelle", {1}},
        {"Chi Quadrat", "Tabelle", {1}},
        {"Häufigkeit", "Tabelle", {0, 3}},
        {"Häufigkeit %", "BalkenDiagram(V)", {2, 9}},
        {"Direkt", "BalkenDiagram(H)", {1, 7}},
        {"Spaltenhäufigkeit", "Tabelle", {0, 3}},
        {"", "Ähnlichkeit", {2, 9}},
        {"", "Ähnlichkeit 3D", {2, 9}},
        {"", "Statistik", {1, 2, 7}},
        {"", "XYPlotter", {1, 2}},
        {"", "Lineare Regression", {1, 2}},
        {"", "Kreuztabelle", {0, 2, 3}},
        {"", "Mehrfachantworten", {4, 5, 6}},
        {"", "Batterie", {2, 9}},
    };
}
}

class TstDateiBytes : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void filesOfEveryViewKind();

private:
    QTemporaryDir m_dir;
};

void TstDateiBytes::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path() + "/cfg");
    QLocale::setDefault(QLocale::c());
}

void TstDateiBytes::filesOfEveryViewKind()
{
    const QString csv = m_dir.path() + "/umfrage.csv";
    {
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(survey().toUtf8());
    }
    View v;
    QVERIFY(v.importCSV(csv, false));
    UmfrageDokument* doc = v.document();
    auto* m = doc->dataModel();
    QCOMPARE(m->rowCount(), 60);
    FehlendeWerte::setCodes(m, 3, {"-99"});
    MehrfachSets::of(m)->add(MehrfachSet{"Marke", {4, 5, 6}, "ja"});
    Gewichtung::of(m)->setSpalte(7);
    for (const Ansicht& a : ansichten())
        QVERIFY2(doc->createView(a.adapter, a.typ, a.spalten, a.typ + " " + a.adapter, ""),
                 qPrintable(a.typ));
    v.goHome();

    const QString out = m_dir.path() + "/neu";
    QVERIFY(QDir().mkpath(out));
    QVERIFY(v.save(out + "/stand.stat"));
    QVERIFY(doc->exportViewsCSV(out + "/ansichten.csv"));
    QVERIFY(doc->exportCSV(out + "/daten.csv"));
    QVERIFY(doc->exportHTML(out + "/bericht.html"));
    const QStringList files{"stand.stat", "ansichten.csv", "daten.csv", "bericht.html"};

    // The same state loaded again writes the same statistic file.
    View w;
    QVERIFY(w.load(out + "/stand.stat"));
    w.goHome();
    QVERIFY(w.save(out + "/wieder.stat"));
    QCOMPARE(TestUtil::fileBytes(out + "/wieder.stat").toHex(),
             TestUtil::fileBytes(out + "/stand.stat").toHex());

    const QString write = qEnvironmentVariable("QV_DATEIBYTES_SCHREIBEN");
    if (!write.isEmpty()) {
        for (const QString& f : files) {
            QFile::remove(write + "/" + f);
            QVERIFY(QFile::copy(out + "/" + f, write + "/" + f));
        }
        QSKIP("Dateien geschrieben");
    }
    for (const QString& f : files) {
        const QByteArray want = TestUtil::fileBytes(QStringLiteral(QV_DATEIBYTES_DIR) + "/" + f);
        QVERIFY2(!want.isEmpty(), qPrintable(f));
        const QByteArray got = TestUtil::fileBytes(out + "/" + f);
        QVERIFY2(got == want, qPrintable(f));
    }
}

QTEST_MAIN(TstDateiBytes)
#include "tst_dateibytes.moc"
