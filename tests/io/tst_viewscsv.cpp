#include <QDoubleSpinBox>
#include <QFont>
#include <QStackedWidget>
#include <QStandardItemModel>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include "analyses/chiquadrat.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "analyses/haeufigkeitsverteilungsadapter.h"
#include "core/diagramadapter.h"
#include "diagrams/modelclient.h"
#include "core/roles.h"
#include "app/view.h"
#include "analyses/viewtypes.h"
#include "diagrams/diagram.h"
#include "io/umfragedokument.h"
#include "io/viewscsv.h"
#include "scriptedanswerer.h"
#include "windowutil.h"

namespace {
struct Kind {
    QString adapter;
    QString viewType;
    QVector<int> columns;
};

// Every view the program can make today: each diagram with each adapter, and every
// special view.
QList<Kind> allKinds()
{
    QList<Kind> out;
    for (const QString& d : ViewTypes::diagramNames()) {
        for (const auto& a : ViewTypes::singleAdapterTypes())
            if (a.make)
                out << Kind{a.name, d, {2}};
        for (const auto& a : ViewTypes::multiAdapterTypes())
            if (a.make)
                out << Kind{a.name, d, {1, 3}};
    }
    for (const auto& s : ViewTypes::specialViewTypes()) {
        if (!s.make)
            continue;
        QVector<int> cols;
        for (int c = 0; c < qMax(s.minColumns, 2) && (s.maxColumns < 0 || c < s.maxColumns); ++c)
            cols << c;
        out << Kind{QString(), s.name, cols};
    }
    return out;
}

// Notes as the text pane keeps them.
QString paneHtml(const QString& html)
{
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toHtml();
}

// Gives a view settings of its own: font and colours of its diagram, its filters, and
// the classes and range of a distribution.
void customise(ModelClient* mc, int i)
{
    if (auto* a = dynamic_cast<DiagramAdapter*>(mc)) {
        if (Diagram* d = a->diagram()) {
            d->setFont(QFont("DejaVu Sans", 11 + i % 7));
            d->setColors({QColor(i % 256, 20, 30), QColor(Qt::darkCyan)});
        }
    }
    if (auto* h = qobject_cast<HaeufigkeitsDiagramAdapter*>(mc)) {
        h->setDepFilter("Alpha", 0);
        h->setInputFilter(QString("1"));
    }
    if (auto* h = qobject_cast<HaeufigkeitsMultiDiagramAdapter*>(mc)) {
        h->setDepFilter("Beta", 0);
        h->setInputFilter(QString("2"));
    }
    if (auto* h = qobject_cast<HaeufigkeitsVerteilungsAdapter*>(mc)) {
        h->setDepFilter("Gamma", 0);
        ScriptedAnswerer ans;
        ans.accept(UserInput::Int, 7);
        h->intervalAction();
        ans.accept(UserInput::Double, -5.0).accept(UserInput::Double, 50.0);
        h->minMaxAction();
        QCOMPARE(ans.unexpected, 0);
    }
    if (auto* c = qobject_cast<ChiQuadrat*>(mc)) {
        // A test the user ran: its parameters are inside the ranges the data give.
        c->setDepFilter("Delta", 0);
        c->deviationBox()->setValue(1.5 + i % 3);
        c->updateDiagram();
    }
}

QList<ViewRecord> records(View& v)
{
    QList<ViewRecord> out;
    for (int r = 1; r < v.document()->viewCount(); ++r)
        out << v.document()->record(r, 5);
    return out;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(bytes);
    return path;
}
}

class TstViewsCsv : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyKindRoundTrips();
    void lineLayout();
    void onlyDataTableWritesHeaderLines();
    void badLinesDoNotShiftNotesAndSettings();
    void columnListsKeptAsWritten();
    void throughTheMenus();
    void matchColumns_data();
    void matchColumns();
    void templateOnNextMonthsSurvey();

private:
    QTemporaryDir m_dir;
};

void TstViewsCsv::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_viewscsv");
}

void TstViewsCsv::everyKindRoundTrips()
{
    View v;
    v.document()->clearViews();
    const QList<Kind> kinds = allKinds();
    QVERIFY(kinds.size() >= 6 * 8);
    for (int i = 0; i < kinds.size(); ++i) {
        const Kind& k = kinds[i];
        // Titles and notes that a naive writer would break: quotes, separators, umlauts.
        const QString title = QString("Ansicht \"%1\"; %2 für %3").arg(i).arg(k.viewType, k.adapter);
        const QString notes =
            paneHtml(QString("<p>Notiz %1: <b>Größe</b> \"zitiert\"; Ende &amp; 中文</p>").arg(i));
        ModelClient* mc = v.document()->createView(k.adapter, k.viewType, k.columns, title, notes);
        QVERIFY2(mc, qPrintable(k.adapter + "/" + k.viewType));
        customise(mc, i);
    }
    v.widgetChanged(0);
    const QList<ViewRecord> before = records(v);
    QCOMPARE(before.size(), kinds.size());

    const QString path = m_dir.path() + "/alle.csv";
    QVERIFY(v.document()->exportViewsCSV(path));
    View w;
    QVERIFY(w.document()->importViewsCSV(path));
    w.widgetChanged(0);
    const QList<ViewRecord> after = records(w);
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < before.size(); ++i) {
        QCOMPARE(after[i].title, before[i].title);
        QCOMPARE(after[i].adapterType, before[i].adapterType);
        QCOMPARE(after[i].viewType, before[i].viewType);
        QCOMPARE(after[i].columns, before[i].columns);
        QCOMPARE(after[i].notes, before[i].notes);
        QVERIFY2(after[i].settings == before[i].settings,
                 qPrintable(before[i].title + ": " + before[i].settings.right(40).toHex() + " / "
                            + after[i].settings.right(40).toHex()));
        QCOMPARE(w.document()->viewListModel()->item(i + 1)->data(Roles::ViewCategory),
                 v.document()->viewListModel()->item(i + 1)->data(Roles::ViewCategory));
    }
}

void TstViewsCsv::lineLayout()
{
    View v;
    v.document()->clearViews();
    v.document()->createView("Häufigkeit %", "BalkenDiagram(V)", {2, 5, 7}, "Drei", QString());
    v.widgetChanged(0);
    const ViewRecord r = v.document()->record(1, 5);
    const QString path = m_dir.path() + "/drei.csv";
    QVERIFY(v.document()->exportViewsCSV(path));
    // The titles of its columns in a comment before the view's line.
    QStringList titles;
    for (int c : {2, 5, 7})
        titles << "\"" + QString::fromLatin1(v.document()->dataModel()->headerData(c, Qt::Horizontal)
                                                 .toString().toUtf8().toBase64()) + "\"";
    const QString expected = "#Erstellt mit quorvandel7\n#Views Version:5\n#Spalten:1:"
                             + titles.join(";") + "\n"
                             "\"Drei\";\"Multi\";\"Häufigkeit %\";\"2,5,7\";\"BalkenDiagram(V)\";\""
        + QString::fromLatin1(r.notes.toUtf8().toBase64()) + "\";\""
        + QString::fromLatin1(r.settings.toBase64()) + "\"\n";
    QCOMPARE(QString::fromUtf8(fileBytes(path)), expected);
}

void TstViewsCsv::onlyDataTableWritesHeaderLines()
{
    UmfrageDokument v;
    v.createDemo();
    v.clearViews();
    const QString path = m_dir.path() + "/leer.csv";
    QVERIFY(v.exportViewsCSV(path));
    QCOMPARE(fileBytes(path), QByteArray("#Erstellt mit quorvandel7\n#Views Version:5\n"));
    UmfrageDokument w;
    w.createDemo();
    QVERIFY(w.viewCount() > 1);
    QVERIFY(w.importViewsCSV(path));
    QCOMPARE(w.viewCount(), 1);
}

void TstViewsCsv::badLinesDoNotShiftNotesAndSettings()
{
    UmfrageDokument v;
    v.createDemo();
    v.clearViews();
    ModelClient* a = v.createView("Häufigkeit", "BalkenDiagram(V)", {1}, "Vorlage", QString());
    customise(a, 3);
    const QByteArray custom = v.record(1, 5).settings;
    v.clearViews();
    v.createView("Häufigkeit", "TortenDiagram", {2}, "Neu", QString());
    const QByteArray defaults = v.record(1, 5).settings;
    QVERIFY(custom != defaults);

    auto b64 = [](const QByteArray& b) { return b.toBase64(); };
    const QByteArray notesA = b64(paneHtml("<p>gehört zur kaputten Zeile</p>").toUtf8());
    const QByteArray notesB = b64(paneHtml("<p>gehört zu Gut</p>").toUtf8());
    const QByteArray text =
        "#Erstellt mit quorvandel7\n#Views Version:5\n"
        "\"Unbekannt\";\"Single\";\"Gibtsnicht\";\"1\";\"TortenDiagram\";\"" + notesA + "\";\""
        + b64(custom) + "\"\n"
        "\"zu kurz\";\"Single\";\"Häufigkeit\";\"1\";\"TortenDiagram\"\n"
        "\"Gut\";\"Single\";\"Häufigkeit\";\"1\";\"BalkenDiagram(V)\";\"" + notesB + "\";\""
        + b64(custom) + "\"\n"
        "\"Kein Base64\";\"Single\";\"Häufigkeit\";\"2\";\"TortenDiagram\";\"%%\";\"%%\"\n"
        "\"Abgeschnitten\";\"Single\";\"Häufigkeit\";\"2\";\"TortenDiagram\";\"\";\""
        + b64(custom.left(custom.size() / 2)) + "\"\n"
        "\"Riesige Zahl\";\"Single\";\"Häufigkeit\";\"2\";\"TortenDiagram\";\"\";\""
        + b64(QByteArray::fromHex("00000000ffffffff")) + "\"\n"
        "\"Ohne Einstellungen\";\"Single\";\"Häufigkeit\";\"x\";\"TortenDiagram\";\"\"\n";
    const QString path = writeFile(m_dir.path() + "/gemischt.csv", text);

    UmfrageDokument w;
    w.createDemo();
    QVERIFY(w.importViewsCSV(path));
    QCOMPARE(w.viewCount(), 1 + 5);
    const QStandardItemModel* list = w.viewListModel();
    QCOMPARE(list->item(1)->text(), QString("Gut"));
    QCOMPARE(list->item(1)->data(Roles::ViewNotes).toString(), paneHtml("<p>gehört zu Gut</p>"));
    QCOMPARE(w.record(1, 5).settings, custom);
    for (int r = 2; r <= 5; ++r) {
        QCOMPARE(w.record(r, 5).settings, defaults);
        QVERIFY(!list->item(r)->data(Roles::ViewNotes).toString().contains("kaputten"));
    }
    // Columns that are not numbers read as 0.
    QCOMPARE(list->item(5)->data(Roles::ViewColumns).toStringList(), QStringList{"0"});
}

// A template made for a wider table keeps its column lists as written and writes them
// back unchanged; a list beyond the bound makes no view.
void TstViewsCsv::columnListsKeptAsWritten()
{
    UmfrageDokument v;
    v.createDemo();
    v.clearViews();
    SpaltenSpeicher* m = v.dataModel();
    m->clear();
    m->setHorizontalHeaderLabels({"A", "B", "C", "D", "E"});
    for (int r = 0; r < 3; ++r) {
        QVariantList row;
        for (int c = 0; c < 5; ++c)
            row << QVariant(QString::number(r + c));
        m->zeileAnfuegen(row);
    }
    const QString thousand = QStringList(1000, "3").join(',');
    const QString tooLong = QStringList(1001, "3").join(',');
    const QString text = "#Erstellt mit quorvandel7\n#Views Version:5\n"
                         "\"Neun\";\"Multi\";\"Häufigkeit\";\"9,10\";\"BalkenDiagram(V)\";\"\"\n"
                         "\"Doppelt\";\"Special\";\"\";\"2,2,5\";\"Statistik\";\"\"\n"
                         "\"Tausend\";\"Multi\";\"Direkt\";\"" + thousand
        + "\";\"BalkenDiagram(H)\";\"\"\n"
          "\"Zu lang\";\"Multi\";\"Direkt\";\"" + tooLong + "\";\"BalkenDiagram(H)\";\"\"\n";
    const ViewsCsv::Outcome out = v.addViewsCsv(text);
    QCOMPARE(out.created, 3);
    QCOMPARE(out.skipped.size(), 1);
    QCOMPARE(out.skipped.first().title, QString("Zu lang"));
    const QStandardItemModel* list = v.viewListModel();
    QCOMPARE(list->item(1)->data(Roles::ViewColumns).toStringList(), (QStringList{"9", "10"}));
    QCOMPARE(list->item(2)->data(Roles::ViewColumns).toStringList(), (QStringList{"2", "2", "5"}));
    QCOMPARE(list->item(3)->data(Roles::ViewColumns).toStringList().join(','), thousand);
    // One row of values per listed column, however often it is listed.
    auto* direct = dynamic_cast<DiagramAdapter*>(v.viewPage(3));
    QVERIFY(direct);
    QCOMPARE(direct->diagram()->values().size(), 1000 * 3);
    QCOMPARE(direct->diagram()->values().at(2999), 5.0);

    const QString path = m_dir.path() + "/vorlage.csv";
    QVERIFY(v.exportViewsCSV(path));
    const QString written = QString::fromUtf8(fileBytes(path));
    QVERIFY(written.contains("\"Neun\";\"Multi\";\"Häufigkeit\";\"9,10\";"));
    QVERIFY(written.contains("\"Doppelt\";\"Special\";\"\";\"2,2,5\";"));
    QVERIFY(written.contains("\"" + thousand + "\""));
}

void TstViewsCsv::throughTheMenus()
{
    View v;
    // The demonstration's two four-view containers carry no types: a views file
    // cannot hold them.
    int views = 0;
    for (int row = 0; row < v.document()->viewCount(); ++row)
        if (row == 0 || !v.document()->viewListModel()->item(row)->data(Roles::ViewType).toString().isEmpty())
            ++views;
    const QString base = m_dir.path() + "/ANSICHTEN";
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::SaveFile, base);
        v.exportViewsFile();
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(ans.asked.first().title, QString("Datei wählen"));
        QCOMPARE(ans.asked.first().label, QString("Datendateien (*.csv)"));
    }
    QVERIFY(QFile::exists(base + ".csv"));
    // An upper-case ending is an ending: no second one is appended, and it is read.
    QVERIFY(QFile::copy(base + ".csv", base + ".CSV"));
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::SaveFile, base + ".CSV");
        v.exportViewsFile();
        QCOMPARE(ans.unexpected, 0);
    }
    QVERIFY(!QFile::exists(base + ".CSV.csv"));
    const QString title = WindowUtil::title(v);
    v.document()->clearViews();
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Question, QMessageBox::Discard)   // the views just removed
            .accept(UserInput::OpenFile, base + ".CSV");
        v.importViewsFile();
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(ans.asked.at(1).label, QString("Datendateien (*.csv);;Alle Dateien (*)"));
    }
    QCOMPARE(v.document()->viewCount(), views);
    // Only the views were replaced: the title names the data as before, and the views
    // applied are unsaved work that "Neu" asks about.
    QCOMPARE(WindowUtil::title(v), title);
    QVERIFY(v.isChanged());
    QCOMPARE(v.viewArea()->currentIndex(), 0);
    // A file of another ending is not read, and nothing changes.
    const QString other = writeFile(m_dir.path() + "/ansichten.txt", fileBytes(base + ".csv"));
    v.document()->clearViews();
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Question, QMessageBox::Discard)
            .accept(UserInput::OpenFile, other)
            .accept(UserInput::Warning, QMessageBox::Ok);
        v.importViewsFile();
        QCOMPARE(ans.unexpected, 0);
    }
    QCOMPARE(v.document()->viewCount(), 1);
    QCOMPARE(WindowUtil::title(v), title);
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Question, QMessageBox::Cancel);
        v.actNeu->trigger();
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(ans.asked.size(), 1);
    }
}

void TstViewsCsv::matchColumns_data()
{
    QTest::addColumn<QVector<int>>("stored");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QVector<int>>("expected");
    const QStringList survey{"C", "A", "B", "A"};
    QTest::newRow("moved") << QVector<int>{0, 1} << QStringList{"A", "B"} << QVector<int>{1, 2};
    QTest::newRow("own number first among equal titles")
        << QVector<int>{3} << QStringList{"A"} << QVector<int>{3};
    QTest::newRow("missing") << QVector<int>{0, 4} << QStringList{"C", "D"}
                             << QVector<int>{0, -1};
    QTest::newRow("untitled column by number") << QVector<int>{2} << QStringList{""}
                                               << QVector<int>{2};
    QTest::newRow("no titles: numbers stand") << QVector<int>{7, 0} << QStringList{"A"}
                                              << QVector<int>{7, 0};
}

void TstViewsCsv::matchColumns()
{
    QFETCH(QVector<int>, stored);
    QFETCH(QStringList, titles);
    QFETCH(QVector<int>, expected);
    QCOMPARE(ViewsCsv::matchColumns(stored, titles, {"C", "A", "B", "A"}), expected);
}

void TstViewsCsv::templateOnNextMonthsSurvey()
{
    auto survey = [](View& v, const QStringList& titles) {
        v.document()->clearViews();
        SpaltenSpeicher* m = v.document()->dataModel();
        m->clear();
        m->setHorizontalHeaderLabels(titles);
        for (int r = 0; r < 3; ++r) {
            QVariantList row;
            for (const QString& t : titles)
                row << QVariant(t + QString::number(r % 2));
            m->zeileAnfuegen(row);
        }
    };
    const QString path = m_dir.path() + "/mai.csv";
    {
        View mai;
        survey(mai, {"Alter", "Wohnort", "Note", "Kanal"});
        mai.document()->createView("Häufigkeit", "TortenDiagram", {2}, "Noten", QString());
        mai.document()->createView("", "Statistik", {0, 3}, "Alter und Kanal", QString());
        mai.document()->createView("Häufigkeit", "BalkenDiagram(V)", {1}, "Wohnorte", QString());
        mai.document()->createView("Häufigkeit", "Tabelle", {1, 2}, "Wohnort und Note", QString());
        mai.goHome();
        QVERIFY(mai.document()->exportViewsCSV(path));
    }
    View juni;
    survey(juni, {"Kanal", "Note", "Alter"});
    juni.document()->markUnchanged();
    ScriptedAnswerer ans;
    ans.accept(UserInput::OpenFile, path).accept(UserInput::Warning, QMessageBox::Ok);
    juni.importViewsFile();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked.last().kind, UserInput::Warning);
    QVERIFY(ans.asked.last().label.contains("\"Wohnort\""));
    QCOMPARE(juni.document()->missingColumns(), QStringList{"Wohnort"});
    // Every view over columns the survey has, over the right ones; none over Wohnort.
    QCOMPARE(WindowUtil::titles(juni),
             (QStringList{"Datentabelle", "Noten", "Alter und Kanal"}));
    QStandardItemModel* list = juni.document()->viewListModel();
    QCOMPARE(list->item(1)->data(Roles::ViewColumns).toStringList(), QStringList{"1"});
    QCOMPARE(list->item(2)->data(Roles::ViewColumns).toStringList(), (QStringList{"2", "0"}));
    auto* noten = dynamic_cast<DiagramAdapter*>(juni.viewArea()->widget(1));
    QVERIFY(noten);
    QCOMPARE(noten->diagram()->labelList(), (QStringList{"Note0", "Note1"}));
}

QTEST_MAIN(TstViewsCsv)
#include "tst_viewscsv.moc"
