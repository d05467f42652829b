// Long work of the window with its progress display up: the display appears (modal,
// without a cancel button) and is gone afterwards, the window is repainted meanwhile,
// and what the work makes is exactly what it makes without the display: the same data,
// views, pictures and files, nothing to undo, nothing marked as changed.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QUndoStack>
#include <functional>

#include "app/commandlinereport.h"
#include "app/fortschrittsdialog.h"
#include "core/fortschritt.h"
#include "core/roles.h"
#include "diagrams/tabelle1.h"
#include "app/view.h"
#include "io/umfragedokument.h"
#include "diagrams/viewpicture.h"
#include "scriptedanswerer.h"
#include "testutil.h"
#include "windowutil.h"

namespace {
// Records every progress dialog shown, the texts it carried and whether the main
// window was repainted while one was up.
class DialogWatch : public QObject
{
public:
    DialogWatch() { qApp->installEventFilter(this); }
    ~DialogWatch() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (auto* d = qobject_cast<QProgressDialog*>(o)) {
            if (e->type() == QEvent::Show) {
                ++shown;
                m_dialog = d;
                if (!d->isModal())
                    ++faults;
                for (QPushButton* b : d->findChildren<QPushButton*>())
                    if (b->isVisibleTo(d))
                        ++faults;
            }
            note(d->labelText());
        } else if (auto* l = qobject_cast<QLabel*>(o)) {
            if (qobject_cast<QProgressDialog*>(l->parent()))
                note(l->text());
        }
        if (e->type() == QEvent::Paint && window && o->isWidgetType()
            && static_cast<QWidget*>(o)->window() == window && m_dialog
            && m_dialog->isVisible())
            ++windowPaints;
        return false;
    }

    static bool dialogLeft()
    {
        for (QWidget* w : QApplication::allWidgets())
            if (qobject_cast<QProgressDialog*>(w))
                return true;
        return false;
    }

    QWidget* window = nullptr;
    int shown = 0;
    int faults = 0;
    int windowPaints = 0;
    QStringList texts;

private:
    QPointer<QProgressDialog> m_dialog;
    void note(const QString& t)
    {
        if (!t.isEmpty() && !texts.contains(t))
            texts << t;
    }
};

// Everything a user sees of the views: the list items' roles and a picture of each.
struct ViewsSeen {
    QStringList items;
    QList<QImage> pictures;
    int current = -1;
    bool operator==(const ViewsSeen& o) const
    {
        return items == o.items && pictures == o.pictures && current == o.current;
    }
};

ViewsSeen seen(View& v)
{
    ViewsSeen s;
    for (int r = 0; r < v.document()->viewListModel()->rowCount(); ++r) {
        const QStandardItem* it = v.document()->viewListModel()->item(r);
        s.items << QStringLiteral("%1|%2|%3|%4|%5")
                       .arg(it->text(), it->data(Roles::ViewType).toString(),
                            it->data(Roles::ViewAdapterType).toString(),
                            it->data(Roles::ViewColumns).toStringList().join(','),
                            it->data(Roles::ViewNotes).toString());
        if (r > 0)
            s.pictures << ViewPicture::of(v.viewArea()->widget(r), QSize(400, 300));
    }
    s.current = v.viewArea()->currentIndex();
    return s;
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A survey of a few hundred rows: answers from small sets, a free-text column and
// a numeric one.
QByteArray survey(QChar sep, bool surveyMonkey)
{
    QByteArray out;
    const QStringList titles{"Alter", "Geschlecht", "Note", "Farbe", "Kommentar", "Punkte"};
    const QStringList colours{"Rot", "Grün", "Blau", "Gelb"};
    out += titles.join(sep).toUtf8() + "\n";
    if (surveyMonkey)
        out += QStringList{"Response", "Response", "Response", "Response",
                           "Open-Ended Response", "Response"}
                   .join(sep)
                   .toUtf8()
            + "\n";
    for (int r = 0; r < 400; ++r) {
        const QStringList row{QString::number(18 + r % 50), r % 3 ? "w" : "m",
                              QString::number(1 + r % 6), colours.at(r % 4),
                              QStringLiteral("Antwort %1").arg(r % 37),
                              QString::number((r * 7) % 101)};
        out += row.join(sep).toUtf8() + "\n";
    }
    return out;
}
}

class TstProgressFlows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void csvImportShowsProgressAndMakesTheSameViews();
    void saveAndLoadShowProgressAndGiveTheSameFiles();
    void surveyMonkeyImportShowsProgress();
    void viewsFileAndReportShowProgressAndWriteTheSame();
    void demonstrationViewsShowProgress();
    void replacingALargeTableShowsProgress();
    void commandLineReportShowsNothing();

private:
    QString write(const QString& name, const QByteArray& bytes);
    void showBoth(View& quiet, View& v, DialogWatch& watch);
    // Runs work with no display; afterwards long work shows its display at once.
    void quietly(const std::function<void()>& work);
    // After a views file was applied the new views are unsaved work.
    void verifyCleanAfterWork(View& v, bool viewsApplied = false);
    QTemporaryDir m_dir;
};

void TstProgressFlows::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_progressflows");
    // The work is shown as the program shows it.
    FortschrittsDialog::install();
}

void TstProgressFlows::cleanup()
{
    Fortschritt::setShowDelay(200);
}

QString TstProgressFlows::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(bytes);
    return path;
}

void TstProgressFlows::showBoth(View& quiet, View& v, DialogWatch& watch)
{
    // Both on screen: pictures taken at the size of the view area come out alike.
    quiet.show();
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&quiet));
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    watch.window = &v;
}

void TstProgressFlows::quietly(const std::function<void()>& work)
{
    Fortschritt::setShowDelay(60 * 60 * 1000);
    DialogWatch watch;
    work();
    QCOMPARE(watch.shown, 0);
    Fortschritt::setShowDelay(0);
}

void TstProgressFlows::verifyCleanAfterWork(View& v, bool viewsApplied)
{
    // Checks that waited for the end of the work have run.
    QCoreApplication::processEvents();
    QVERIFY(!DialogWatch::dialogLeft());
    QVERIFY(!v.document()->undoStack()->canUndo());
    QVERIFY(v.document()->undoStack()->isClean());
    QCOMPARE(v.isChanged(), viewsApplied);
    QCOMPARE(v.isWindowModified(), viewsApplied);
}

void TstProgressFlows::csvImportShowsProgressAndMakesTheSameViews()
{
    const QString path = write("umfrage.csv", survey(';', false));
    auto import = [&path](View& v) {
        ScriptedAnswerer ans;
        ans.accept(UserInput::OpenFile, path)
            .accept(UserInput::Item, "BalkenDiagram(V)")
            .accept(UserInput::Item, "Häufigkeit");
        v.importFile();
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(ans.pending(), 0);
    };

    View quiet, v;
    DialogWatch watch;
    showBoth(quiet, v, watch);
    quietly([&] { import(quiet); });
    import(v);
    // One display for reading, one for the views (the questions come between them).
    QCOMPARE(watch.shown, 2);
    QCOMPARE(watch.faults, 0);
    QVERIFY2(watch.texts.contains("Daten werden gelesen"), qPrintable(watch.texts.join('|')));
    QVERIFY(watch.texts.contains("Ansichten werden erstellt"));
    QVERIFY(watch.texts.contains("Ansichten werden berechnet"));
    QVERIFY(watch.windowPaints > 0);

    QCOMPARE(v.document()->viewListModel()->rowCount(), 7);
    QCOMPARE(TestUtil::cellTexts(v.document()->dataModel()), TestUtil::cellTexts(quiet.document()->dataModel()));
    QVERIFY(seen(v) == seen(quiet));
    QCOMPARE(WindowUtil::title(v), WindowUtil::title(quiet));
    verifyCleanAfterWork(v);
}

void TstProgressFlows::saveAndLoadShowProgressAndGiveTheSameFiles()
{
    const QString csv = write("laden.csv", survey(';', false));
    const QString quietFile = m_dir.filePath("ohne.stat");
    const QString shownFile = m_dir.filePath("mit.stat");
    auto importAndSave = [&csv](View& v, const QString& target) {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Item, "TortenDiagram").accept(UserInput::Item, "Häufigkeit %");
        QVERIFY(v.importCSV(csv));
        QVERIFY(v.save(target));
        QCOMPARE(ans.unexpected, 0);
    };

    View quiet, v;
    DialogWatch watch;
    showBoth(quiet, v, watch);
    quietly([&] { importAndSave(quiet, quietFile); });
    importAndSave(v, shownFile);
    QVERIFY(watch.texts.contains("Datei wird gespeichert"));
    QCOMPARE(watch.faults, 0);
    verifyCleanAfterWork(v);
    QCOMPARE(bytesOf(shownFile), bytesOf(quietFile));

    View quietLoaded, loaded;
    DialogWatch loadWatch;
    showBoth(quietLoaded, loaded, loadWatch);
    quietly([&] { QVERIFY(quietLoaded.load(quietFile)); });
    QVERIFY(loaded.load(shownFile));
    QCOMPARE(loadWatch.shown, 1);
    QCOMPARE(loadWatch.faults, 0);
    QVERIFY(loadWatch.texts.contains("Datei wird geladen"));
    QVERIFY(loadWatch.texts.contains("Ansichten werden berechnet"));
    QCOMPARE(TestUtil::cellTexts(loaded.document()->dataModel()), TestUtil::cellTexts(quietLoaded.document()->dataModel()));
    QVERIFY(seen(loaded) == seen(quietLoaded));
    verifyCleanAfterWork(loaded);
}

void TstProgressFlows::surveyMonkeyImportShowsProgress()
{
    const QString path = write("monkey.csv", survey(',', true));
    View quiet, v;
    DialogWatch watch;
    showBoth(quiet, v, watch);
    quietly([&] { QVERIFY(quiet.document()->importSM(path)); });
    QVERIFY(v.document()->importSM(path));
    QCOMPARE(watch.shown, 1);
    QCOMPARE(watch.faults, 0);
    QVERIFY(watch.texts.contains("Daten werden gelesen"));
    // Five charted columns, a bar chart and a pie each.
    QCOMPARE(v.document()->viewListModel()->rowCount(), 11);
    QCOMPARE(TestUtil::cellTexts(v.document()->dataModel()), TestUtil::cellTexts(quiet.document()->dataModel()));
    QVERIFY(seen(v) == seen(quiet));
    verifyCleanAfterWork(v);
}

void TstProgressFlows::viewsFileAndReportShowProgressAndWriteTheSame()
{
    View quiet, v;
    DialogWatch watch;
    showBoth(quiet, v, watch);
    QDir(m_dir.path()).mkdir("ohne");
    QDir(m_dir.path()).mkdir("mit");
    const QString views = m_dir.filePath("ansichten.csv");
    const QString data = m_dir.filePath("daten.csv");
    // The demonstration views hold every kind of view; both windows get one data table.
    quietly([&] {
        QVERIFY(quiet.document()->exportViewsCSV(views));
        QVERIFY(quiet.document()->exportCSV(data));
        QVERIFY(quiet.importCSV(data, false));
        QVERIFY(v.importCSV(data, false));
        QVERIFY(quiet.document()->importViewsCSV(views));
        QVERIFY(quiet.document()->exportViewsCSV(m_dir.filePath("ohne/ansichten.csv")));
        QVERIFY(quiet.document()->exportCSV(m_dir.filePath("ohne/daten.csv")));
        QVERIFY(quiet.document()->exportHTML(m_dir.filePath("ohne/bericht.html")));
    });

    QVERIFY(v.document()->importViewsCSV(views));
    QVERIFY(watch.texts.contains("Ansichten werden importiert"));
    QVERIFY(seen(v) == seen(quiet));
    verifyCleanAfterWork(v, true);

    QVERIFY(v.document()->exportViewsCSV(m_dir.filePath("mit/ansichten.csv")));
    QVERIFY(v.document()->exportCSV(m_dir.filePath("mit/daten.csv")));
    QVERIFY(watch.texts.contains("Ansichten werden exportiert"));
    QVERIFY(watch.texts.contains("Daten werden exportiert"));
    QCOMPARE(bytesOf(m_dir.filePath("mit/ansichten.csv")),
             bytesOf(m_dir.filePath("ohne/ansichten.csv")));
    QCOMPARE(bytesOf(m_dir.filePath("mit/daten.csv")), bytesOf(m_dir.filePath("ohne/daten.csv")));

    const int shownBefore = watch.shown;
    QVERIFY(v.document()->exportHTML(m_dir.filePath("mit/bericht.html")));
    QCOMPARE(watch.shown, shownBefore + 1);
    QVERIFY(watch.texts.contains("Bericht wird geschrieben"));
    QCOMPARE(watch.faults, 0);
    QCOMPARE(bytesOf(m_dir.filePath("mit/bericht.html")),
             bytesOf(m_dir.filePath("ohne/bericht.html")));
    const QStringList pictures = QDir(m_dir.filePath("ohne/bericht_files")).entryList(QDir::Files);
    QVERIFY(!pictures.isEmpty());
    QCOMPARE(QDir(m_dir.filePath("mit/bericht_files")).entryList(QDir::Files), pictures);
    for (const QString& p : pictures)
        QCOMPARE(QImage(m_dir.filePath("mit/bericht_files/" + p)),
                 QImage(m_dir.filePath("ohne/bericht_files/" + p)));
    verifyCleanAfterWork(v, true);
}

void TstProgressFlows::demonstrationViewsShowProgress()
{
    View v;
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    DialogWatch watch;
    Fortschritt::setShowDelay(0);
    ScriptedAnswerer ans;   // nothing is unsaved: "Neu" asks nothing
    v.actNeu->trigger();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(watch.shown, 1);
    QVERIFY(watch.texts.contains("Beispieldaten werden erstellt"));
    QCOMPARE(v.document()->viewListModel()->rowCount(), 28);
    QCOMPARE(v.viewArea()->currentIndex(), 0);
    verifyCleanAfterWork(v);
}

void TstProgressFlows::replacingALargeTableShowsProgress()
{
    // Large enough to be emptied in pieces.
    QByteArray big;
    for (int r = 0; r <= 2000; ++r) {
        QStringList row;
        for (int c = 0; c < 60; ++c)
            row << (r == 0 ? QStringLiteral("F%1").arg(c) : QString::number((r * c) % 7));
        big += row.join(';').toUtf8() + "\n";
    }
    const QString bigFile = write("gross.csv", big);
    const QString small = write("klein.csv", survey(';', false));
    View quiet, v;
    DialogWatch watch;
    showBoth(quiet, v, watch);
    quietly([&] { QVERIFY(quiet.importCSV(small, false)); });
    QVERIFY(v.importCSV(bigFile, false));
    QCOMPARE(v.document()->dataModel()->rowCount(), 2000);
    QCOMPARE(v.dataTable()->table()->model()->rowCount(), 2000);
    watch.shown = 0;
    QVERIFY(v.importCSV(small, false));
    QCOMPARE(watch.shown, 1);
    QCOMPARE(TestUtil::cellTexts(v.document()->dataModel()), TestUtil::cellTexts(quiet.document()->dataModel()));
    QCOMPARE(v.document()->dataModel()->columnCount(), 6);
    QCOMPARE(v.dataTable()->table()->model()->rowCount(), 400);
    QCOMPARE(v.dataTable()->table()->model()->columnCount(), 6);
    verifyCleanAfterWork(v);
}

void TstProgressFlows::commandLineReportShowsNothing()
{
    const QString csv = write("bericht.csv", survey(';', false));
    UmfrageDokument document;
    Fortschritt::setShowDelay(0);
    DialogWatch watch;
    QString errors;
    QTextStream err(&errors);
    CommandLineReport report(document, err);
    CommandLineReport::Job job;
    job.data = csv;
    job.report = m_dir.filePath("kommandozeile.html");
    QCOMPARE(report.run(job), 0);
    QCOMPARE(errors, QString());
    QCOMPARE(watch.shown, 0);
    QVERIFY(!DialogWatch::dialogLeft());
}

QTEST_MAIN(TstProgressFlows)
#include "tst_progressflows.moc"
