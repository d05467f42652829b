#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDataStream>
#include <QSettings>
#include <QStackedWidget>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QUndoStack>

#include "core/diagramadapter.h"
#include "app/germantranslations.h"
#include "diagrams/modelclient.h"
#include "core/userinputevents.h"
#include "app/view.h"
#include "commands/spaltenbearbeitung.h"
#include "io/umfragedokument.h"
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
    void saveWritesEachViewOnce();
    void focusChangeWritesNothing();
    void changeMarkFollowsSettingsAndHiddenColumns();
    void typedNotesAreInTheDocument();
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

// A view with one setting that counts how often its settings are written.
class ZaehlAnsicht : public ModelClient
{
public:
    static int writes;
    void setModel(SpaltenSpeicher* m) override { m_model = m; }
    void saveData(QDataStream& s, int) override
    {
        ++writes;
        s << qint32(m_value);
    }
    void setValue(int v)
    {
        m_value = v;
        emit changed();
    }

private:
    int m_value = 1;
};
int ZaehlAnsicht::writes = 0;

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
    v.document()->undoStack()->push(new Step);
    const int views = v.document()->viewCount();
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
        QVERIFY(v.document()->undoStack()->canUndo());
        QCOMPARE(v.document()->viewCount(), views);
        QVERIFY(v.isChanged());
        QVERIFY(v.isVisible());
        return;
    }
    if (command == "Neu")
        QVERIFY(!v.document()->undoStack()->canUndo());
    if (command == "Alle Ansichten entfernen")
        QCOMPARE(v.document()->viewCount(), 1);
    if (command == "Schliessen")
        QVERIFY(!v.isVisible());
}

void TstUnsavedWork::whatCountsAsChange()
{
    View v;
    QVERIFY(!v.isChanged());
    QVERIFY(!v.isWindowModified());

    // A new view, and its removal back to the state saved.
    ModelClient* mc = v.document()->createView("Häufigkeit", "TortenDiagram", {1}, "Neu", "");
    QVERIFY(mc);
    QVERIFY(v.isChanged());
    QTRY_VERIFY(v.isWindowModified());
    v.document()->removeView(v.document()->viewIndex(mc));
    QVERIFY(!v.isChanged());
    QTRY_VERIFY(!v.isWindowModified());

    // A view's settings: its diagram's colours, changed through its menu.
    auto* a = dynamic_cast<DiagramAdapter*>(v.document()->viewPage(1));
    QVERIFY(a);
    const QList<QColor> colours = a->diagram()->colorList();
    a->diagram()->setColors({QColor(1, 2, 3)});
    emit UserInputEvents::instance()->menuRan();
    QVERIFY(v.isChanged());
    QTRY_VERIFY(v.isWindowModified());
    a->diagram()->setColors(colours);
    QVERIFY(!v.isChanged());

    // A renamed view.
    v.document()->viewListModel()->item(2)->setText("Umbenannt");
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
    u.document()->undoStack()->push(new Step);
    QVERIFY(u.isChanged());
    u.document()->undoStack()->undo();
    QVERIFY(!u.isChanged());
}

void TstUnsavedWork::savedAndLoadedCountAsUnchanged()
{
    View v;
    v.document()->undoStack()->push(new Step);
    v.document()->createView("Häufigkeit", "BalkenDiagram(V)", {2}, "Zusatz", "");
    QVERIFY(v.isChanged());
    const QString path = m_dir.path() + "/stand.stat";
    QVERIFY(v.save(path));
    QVERIFY(!v.isChanged());
    QTRY_VERIFY(!v.isWindowModified());
    QVERIFY(v.windowTitle().endsWith("[*]"));

    View w;
    w.document()->createView("Häufigkeit", "BalkenDiagram(V)", {2}, "Weg", "");
    QVERIFY(w.load(path));
    QVERIFY(!w.isChanged());
    QVERIFY(!w.isWindowModified());
    QVERIFY(w.windowTitle().endsWith("[*]"));
}

void TstUnsavedWork::saveWritesEachViewOnce()
{
    UmfrageDokument doc;
    for (int i = 0; i < 50; ++i)
        doc.appendView(QString("Ansicht %1").arg(i), new ZaehlAnsicht);
    QVERIFY(doc.isChanged());
    ZaehlAnsicht::writes = 0;
    QVERIFY(doc.save(m_dir.path() + "/fuenfzig.stat"));
    QCOMPARE(ZaehlAnsicht::writes, 50);
    QVERIFY(!doc.isChanged());
    QCOMPARE(ZaehlAnsicht::writes, 50);
}

void TstUnsavedWork::focusChangeWritesNothing()
{
    View v;
    v.show();
    QVERIFY(QTest::qWaitForWindowActive(&v));
    v.document()->appendView("Gezählt", new ZaehlAnsicht);
    v.document()->markUnchanged();
    ZaehlAnsicht::writes = 0;
    v.viewCombo()->setFocus();
    v.textPane()->setFocus();
    emit qApp->focusChanged(v.viewCombo(), v.textPane());
    QCoreApplication::processEvents();
    QVERIFY(!v.isChanged());
    QVERIFY(!v.isWindowModified());
    QCOMPARE(ZaehlAnsicht::writes, 0);
}

void TstUnsavedWork::changeMarkFollowsSettingsAndHiddenColumns()
{
    UmfrageDokument doc;
    auto* view = new ZaehlAnsicht;
    doc.appendView("Gezählt", view);
    doc.markUnchanged();
    QVERIFY(!doc.isChanged());

    // A setting, and the same setting back: only the view that changed is written.
    ZaehlAnsicht::writes = 0;
    view->setValue(2);
    QVERIFY(doc.isChanged());
    view->setValue(1);
    QVERIFY(!doc.isChanged());
    QCOMPARE(ZaehlAnsicht::writes, 2);

    // Hidden columns, through the undo stack.
    TableContext ctx = doc.tableContext();
    ctx.columns = {1, 3};
    SpaltenBearbeitung::hideColumns(ctx);
    QVERIFY(doc.isChanged());
    doc.undoStack()->undo();
    QVERIFY(!doc.isChanged());
    doc.undoStack()->redo();
    QVERIFY(doc.isChanged());
    doc.markUnchanged();
    QVERIFY(!doc.isChanged());
    doc.undoStack()->undo();
    QVERIFY(doc.isChanged());

    // A view removed and one moved count, whatever their settings.
    doc.markUnchanged();
    doc.appendView("Zweite", new ZaehlAnsicht);
    doc.markUnchanged();
    doc.moveView(2, 1);
    QVERIFY(doc.isChanged());
    doc.markUnchanged();
    doc.removeView(1);
    QVERIFY(doc.isChanged());
}

void TstUnsavedWork::typedNotesAreInTheDocument()
{
    View v;
    v.widgetChanged(1);
    v.textPane()->insertPlainText("Notiz");
    // No round trip through the pane: the document holds what was typed.
    QVERIFY(v.document()->notes(1).contains("Notiz"));
    QVERIFY(v.document()->isChanged());
    // Showing another view's notes and coming back writes nothing.
    v.document()->markUnchanged();
    v.widgetChanged(2);
    v.widgetChanged(1);
    QVERIFY(!v.document()->isChanged());
    QVERIFY(v.document()->notes(1).contains("Notiz"));
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
