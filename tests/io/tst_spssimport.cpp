#include <QBuffer>
#include <QFile>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <QTest>

#include "app/view.h"
#include "core/diagramadapter.h"
#include "diagrams/diagram.h"
#include "core/rowfilter.h"
#include "io/spssimport.h"
#include "io/umfragedokument.h"
#include "scriptedanswerer.h"

namespace {
// The survey written by GNU PSPP from umfrage.sps, and the same survey as CSV.
const QString Sav = QStringLiteral(QT_TESTCASE_SOURCEDIR "/io/data/umfrage.sav");
const QString Csv = QStringLiteral(QT_TESTCASE_SOURCEDIR "/io/data/umfrage.csv");

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList titlesOf(const SpaltenSpeicher* m)
{
    QStringList out;
    for (int c = 0; c < m->columnCount(); ++c)
        out << m->headerData(c, Qt::Horizontal).toString();
    return out;
}

// The cells as the views see them (a missing code as no answer).
QStringList cellsOf(const SpaltenSpeicher* m)
{
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r)
        for (int c = 0; c < m->columnCount(); ++c)
            out << RowFilter::cell(m, r, c).toString();
    return out;
}

// Per column the counts and answers of its frequency chart.
QList<QPair<QStringList, QVector<double>>> countsOf(UmfrageDokument& doc)
{
    doc.clearViews();
    doc.createColumnViews(QStringLiteral("Häufigkeit"), QStringLiteral("TortenDiagram"));
    QCoreApplication::processEvents();
    QList<QPair<QStringList, QVector<double>>> out;
    for (int row = 1; row < doc.viewCount(); ++row) {
        auto* a = dynamic_cast<DiagramAdapter*>(doc.viewPage(row));
        Diagram* d = a ? a->diagram() : nullptr;
        if (d)
            out.append({d->labelList(), d->values()});
    }
    return out;
}
}

class TstSpssImport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void labelsMissingAndNumbers();
    void countsEqualTheCsvSurvey();
    void damagedFileChangesNothing_data();
    void damagedFileChangesNothing();
};

void TstSpssImport::initTestCase()
{
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_spssimport");
    QVERIFY(QFile::exists(Sav));
}

void TstSpssImport::labelsMissingAndNumbers()
{
    QFile f(Sav);
    QVERIFY(f.open(QIODevice::ReadOnly));
    SpssImport::Tabelle t;
    QVERIFY(SpssImport::read(f, &t));
    // Variable labels, the name where there is none.
    QCOMPARE(t.titles, QStringList({"Geschlecht", "alter", "Schulnote", "Zufrieden?", "kommentar"}));
    QCOMPARE(t.rows.size(), 7);
    // Value labels; an unlabelled code stays the number; the user-missing 9 keeps its
    // label as a missing code, the system-missing value is empty; texts lose SPSS's
    // padding.
    QCOMPARE(t.rows.at(0), QStringList({"männlich", "34", "gut", "ja", "gut"}));
    QCOMPARE(t.rows.at(2), QStringList({"weiblich", "51", "keine Angabe", "ja", "naja"}));
    QCOMPARE(t.fehlend, QVector<QStringList>({{}, {}, {"keine Angabe"}, {}, {}}));
    QCOMPARE(t.rows.at(3), QStringList({"männlich", "45", "befriedigend", "3", "Größe"}));
    QCOMPARE(t.rows.at(4), QStringList({"weiblich", "19", "gut", "", "gut"}));
    QCOMPARE(t.rows.at(5), QStringList({"männlich", "62", "5", "nein", ""}));
}

void TstSpssImport::countsEqualTheCsvSurvey()
{
    UmfrageDokument spss;
    UmfrageDokument csv;
    QVERIFY(spss.importData(Sav));
    QVERIFY(csv.importData(Csv));
    QCOMPARE(titlesOf(spss.dataModel()), titlesOf(csv.dataModel()));
    QCOMPARE(cellsOf(spss.dataModel()), cellsOf(csv.dataModel()));
    const auto counts = countsOf(spss);
    QCOMPARE(counts.size(), 5);
    QCOMPARE(counts, countsOf(csv));
}

void TstSpssImport::damagedFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = bytesOf(Sav);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not SPSS") << QByteArray("Frage;Note\nja;1\n");
    QTest::newRow("cut short") << good.left(good.size() / 2);
    QTest::newRow("cut in the data") << good.left(good.size() - 20);
    QByteArray huge = good;
    // The case count and the variable count of the header set to absurd values.
    huge.replace(80, 4, QByteArray("\xff\xff\xff\x7f", 4));
    QTest::newRow("absurd counts") << huge;
}

void TstSpssImport::damagedFileChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("kaputt.sav");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    View v;
    const QStringList titles = titlesOf(v.document()->dataModel());
    const int views = v.document()->viewCount();
    ScriptedAnswerer ans;
    ans.accept(UserInput::OpenFile, path).accept(UserInput::Warning, QMessageBox::Ok);
    v.importSpssFile();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.first().label, QString("SPSS-Dateien (*.sav *.zsav);;Alle Dateien (*)"));
    QCOMPARE(ans.asked.last().label, QString("Die Datei %1 konnte nicht gelesen werden.").arg(path));
    QCOMPARE(titlesOf(v.document()->dataModel()), titles);
    QCOMPARE(v.document()->viewCount(), views);
}

QTEST_MAIN(TstSpssImport)
#include "tst_spssimport.moc"
