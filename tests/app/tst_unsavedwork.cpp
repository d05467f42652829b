#include <QCoreApplication>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QUndoStack>

#include "core/diagramadapter.h"
#include "app/germantranslations.h"
#include "diagrams/modelclient.h"
#include "core/userinputevents.h"
#include "app/view.h"
#include "diagrams/diagram.h"
#include "scriptedanswerer.h"

// Work is never discarded without asking: what counts as a change, the mark in the
// title, and the question before every command that discards the state.
class TstUnsavedWork : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void unchangedAsksNothing_data();
    void unchangedAsksNothing();
    void changedAsks_data();
    void changedAsks();
    void whatCountsAsChange();
    void savedAndLoadedCountAsUnchanged();
    void toolkitSpeaksGerman();

private:
    // Runs the named command; the questions after the first one are cancelled.
    void run(View& v, const QString& command);
    QTemporaryDir m_dir;
};

namespace {
class Step : public QUndoCommand
{
public:
    Step() : QUndoCommand("Schritt") {}
    void redo() override {}
    void undo() override {}
};

const QStringList commands = {"Neu", "Öffnen", "Öffnen/Import", "CSV", "SurveyMonkey", "Views",
                              "Alle Ansichten entfernen", "Schliessen"};
// The question that follows when the command goes on, if any.
bool asksForFile(const QString& command)
{
    return command == "Öffnen" || command == "Öffnen/Import" || command == "CSV"
        || command == "SurveyMonkey"
        || command == "Views";
}
}

void TstUnsavedWork::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
}

void TstUnsavedWork::run(View& v, const QString& command)
{
    if (command == "Neu")
        v.actNeu->trigger();
    else if (command == "Öffnen")
        v.actOpen->trigger();
    else if (command == "Öffnen/Import")
        v.actOpenImport->trigger();
    else if (command == "CSV")
        v.actImportCsv->trigger();
    else if (command == "SurveyMonkey")
        v.actImportSM->trigger();
    else if (command == "Views")
        v.actImportViews->trigger();
    else if (command == "Alle Ansichten entfernen")
        v.actRemoveAllViews->trigger();
    else
        v.actQuit->trigger();
}

void TstUnsavedWork::unchangedAsksNothing_data()
{
    QTest::addColumn<QString>("command");
    for (const QString& c : commands)
        QTest::newRow(qPrintable(c)) << c;
}

void TstUnsavedWork::unchangedAsksNothing()
{
    QFETCH(QString, command);
    View v;
    QVERIFY(!v.isChanged());
    ScriptedAnswerer ans;
    if (asksForFile(command))
        ans.cancel(UserInput::OpenFile);
    run(v, command);
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.pending(), 0);
}

void TstUnsavedWork::changedAsks_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    for (const QString& c : commands) {
        QTest::newRow(qPrintable(c + ", Abbrechen")) << c << int(QMessageBox::Cancel);
        QTest::newRow(qPrintable(c + ", Verwerfen")) << c << int(QMessageBox::Discard);
        QTest::newRow(qPrintable(c + ", Speichern")) << c << int(QMessageBox::Save);
    }
}

void TstUnsavedWork::changedAsks()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    View v;
    v.show();
    v.undoStack()->push(new Step);
    const int views = v.viewCount();
    const QString saved = m_dir.path() + "/gesichert.stat";
    QFile::remove(saved);

    ScriptedAnswerer ans;
    ans.accept(UserInput::Question, answer);
    if (answer == QMessageBox::Save)
        ans.accept(UserInput::SaveFile, saved);
    if (answer != QMessageBox::Cancel && asksForFile(command))
        ans.cancel(UserInput::OpenFile);
    run(v, command);
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.pending(), 0);
    const UserInput::Ask& q = ans.asked.first();
    QCOMPARE(q.title, QString("quorvandel7"));
    QCOMPARE(q.label,
             QString("Die Änderungen wurden noch nicht gespeichert.\nMöchten Sie sie speichern?"));
    QCOMPARE(QFile::exists(saved), answer == QMessageBox::Save);

    if (answer == QMessageBox::Cancel) {
        // Nothing happened: the work is there, still unsaved.
        QVERIFY(v.undoStack()->canUndo());
        QCOMPARE(v.viewCount(), views);
        QVERIFY(v.isChanged());
        QVERIFY(v.isVisible());
        return;
    }
    if (command == "Neu")
        QVERIFY(!v.undoStack()->canUndo());
    if (command == "Alle Ansichten entfernen")
        QCOMPARE(v.viewCount(), 1);
    if (command == "Schliessen")
        QVERIFY(!v.isVisible());
}

void TstUnsavedWork::whatCountsAsChange()
{
    View v;
    QVERIFY(!v.isChanged());
    QVERIFY(!v.isWindowModified());

    // A new view, and its removal back to the state saved.
    ModelClient* mc = v.createView("Häufigkeit", "TortenDiagram", {1}, "Neu", "");
    QVERIFY(mc);
    QVERIFY(v.isChanged());
    QTRY_VERIFY(v.isWindowModified());
    v.removeView(v.viewIndex(mc));
    QVERIFY(!v.isChanged());
    QTRY_VERIFY(!v.isWindowModified());

    // A view's settings: its diagram's colours, changed through its menu.
    auto* a = dynamic_cast<DiagramAdapter*>(v.viewPage(1));
    QVERIFY(a);
    const QList<QColor> colours = a->diagram()->colorList();
    a->diagram()->setColors({QColor(1, 2, 3)});
    emit UserInputEvents::instance()->menuRan();
    QVERIFY(v.isChanged());
    QTRY_VERIFY(v.isWindowModified());
    a->diagram()->setColors(colours);
    QVERIFY(!v.isChanged());

    // A renamed view.
    v.viewListModel()->item(2)->setText("Umbenannt");
    QVERIFY(v.isChanged());

    // Notes typed for a view count, notes only shown do not.
    View w;
    w.widgetChanged(1);
    QVERIFY(!w.isChanged());
    w.textPane()->insertPlainText("Notiz");
    QVERIFY(w.isChanged());
    QTRY_VERIFY(w.isWindowModified());

    // A step of the undo stack, and its undo back to the saved state.
    View u;
    u.undoStack()->push(new Step);
    QVERIFY(u.isChanged());
    u.undoStack()->undo();
    QVERIFY(!u.isChanged());
}

void TstUnsavedWork::savedAndLoadedCountAsUnchanged()
{
    View v;
    v.undoStack()->push(new Step);
    v.createView("Häufigkeit", "BalkenDiagram(V)", {2}, "Zusatz", "");
    QVERIFY(v.isChanged());
    const QString path = m_dir.path() + "/stand.stat";
    QVERIFY(v.save(path));
    QVERIFY(!v.isChanged());
    QTRY_VERIFY(!v.isWindowModified());
    QVERIFY(v.windowTitle().endsWith("[*]"));

    View w;
    w.createView("Häufigkeit", "BalkenDiagram(V)", {2}, "Weg", "");
    QVERIFY(w.load(path));
    QVERIFY(!w.isChanged());
    QVERIFY(!w.isWindowModified());
    QVERIFY(w.windowTitle().endsWith("[*]"));
}

void TstUnsavedWork::toolkitSpeaksGerman()
{
    QVERIFY2(GermanTranslations::install(QCoreApplication::instance()),
             "the toolkit's German catalogue is installed");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Save"), QString("Speichern"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
}

QTEST_MAIN(TstUnsavedWork)
#include "tst_unsavedwork.moc"
