#include <QMessageBox>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include "commands/cappendcolumn.h"
#include "commands/chidecolumns.h"
#include "commands/cinsertcolumn.h"
#include "commands/creplacecolumn.h"
#include "commands/mehrfachsetbefehl.h"
#include "commands/spaltenableitung.h"
#include "commands/spaltenbearbeitung.h"
#include "core/mehrfachsets.h"
#include "io/umfragedokument.h"
#include "scriptedanswerer.h"
#include "tablefixture.h"

using UI = UserInput;
using Sets = QVector<MehrfachSet>;
Q_DECLARE_METATYPE(Sets)

// Multiple-choice sets hold column numbers: every column command and its undo keep
// them on their questions, and making or removing a set is an undo step of its own.
class TstSetSpalten : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void followColumnCommands_data();
    void followColumnCommands();
    void removedColumnLeavesItsSets();
    void makeAndRemoveAreUndoable();
};

namespace {
const QStringList headers{"G", "K – A", "K – B", "K – C", "Z"};
const QList<QStringList> rows{{"m", "1", "", "1", "1"}, {"w", "", "1", "1", "0"},
                              {"m", "1", "1", "", "1"}};
// Options in the order chosen, not in column order.
const Sets before{{"K", {1, 3}, ""}, {"Z", {4, 2}, "1"}};

SpaltenSpeicher::Spalte cells(int n, const QString& text)
{
    SpaltenSpeicher::Spalte out;
    for (int i = 0; i < n; ++i)
        out.anfuegen(QVariant(text));
    return out;
}
}

void TstSetSpalten::followColumnCommands_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Sets>("after");
    QTest::newRow("insert before all") << "insert 0" << Sets{{"K", {2, 4}, ""}, {"Z", {5, 3}, "1"}};
    QTest::newRow("insert between options")
        << "insert 2" << Sets{{"K", {1, 4}, ""}, {"Z", {5, 3}, "1"}};
    QTest::newRow("insert at the end") << "insert 5" << before;
    QTest::newRow("copy") << "copy" << before;
    QTest::newRow("combine") << "combine" << before;
    QTest::newRow("weight") << "weight" << before;
    QTest::newRow("replace") << "replace" << before;
    // The column leaves the table for a moment and comes back with its sets.
    QTest::newRow("replace by more cells than rows") << "replace long" << before;
    QTest::newRow("hide") << "hide" << before;
}

// Do, undo, redo: the sets are right after each.
void TstSetSpalten::followColumnCommands()
{
    QFETCH(QString, operation);
    QFETCH(Sets, after);
    TableFixture f(headers, rows);
    MehrfachSets::of(f.model.get())->setSets(before);
    ScriptedAnswerer script;
    SpaltenSpeicher* m = f.model.get();
    if (operation.startsWith("insert "))
        f.undo.push(new cInsertColumn(m, operation.mid(7).toInt(), "Neu"));
    else if (operation == "copy")
        SpaltenBearbeitung::copyColumns(f.context({3, 1}));
    else if (operation == "combine") {
        script.accept(UI::Text, "Alle").accept(UI::Question, QMessageBox::Yes);
        SpaltenAbleitung::combineColumns(f.context({1, 2, 3}));
    } else if (operation == "weight") {
        script.accept(UI::Text, "W").accept(UI::Text, "1;2");
        SpaltenAbleitung::weightColumns(f.context({1, 3}));
    } else if (operation == "replace")
        f.undo.push(new cReplaceColumn(m, cells(3, "x"), "Neu", 3));
    else if (operation == "replace long")
        f.undo.push(new cReplaceColumn(m, cells(5, "x"), "Neu", 3));
    else if (operation == "hide")
        f.undo.push(new cHideColumns({1, 3}, f.spalten.get()));
    QCOMPARE(script.pending(), 0);
    QCOMPARE(f.undo.count(), 1);
    const int columns = m->columnCount();
    QVERIFY(columns > 5 || operation.startsWith("replace") || operation == "hide");
    QCOMPARE(MehrfachSets::von(m), after);
    f.undo.undo();
    QCOMPARE(m->columnCount(), 5);
    QCOMPARE(MehrfachSets::von(m), before);
    QCOMPARE(MehrfachSets::optionen(m, before.first()), (QStringList{"A", "C"}));
    f.undo.redo();
    QCOMPARE(m->columnCount(), columns);
    QCOMPARE(MehrfachSets::von(m), after);
    // Still on the same questions: the options keep their titles.
    QCOMPARE(MehrfachSets::optionen(m, MehrfachSets::von(m).first()),
             (QStringList{"A", operation.startsWith("replace") ? "Neu" : "C"}));
}

// A set made outside the undo stack (an import) over a column whose append is then
// undone: the set lets go of it rather than point at whatever column comes next.
void TstSetSpalten::removedColumnLeavesItsSets()
{
    TableFixture f(headers, rows);
    SpaltenSpeicher* m = f.model.get();
    SpaltenBearbeitung::copyColumns(f.context({1}));
    QCOMPARE(m->columnCount(), 6);
    MehrfachSets::of(m)->setSets({{"N", {5, 2}, ""}});
    f.undo.undo();
    QCOMPARE(MehrfachSets::von(m), (Sets{{"N", {2}, ""}}));
    SpaltenBearbeitung::copyColumns(f.context({4}));
    QCOMPARE(MehrfachSets::von(m), (Sets{{"N", {2}, ""}}));

    // Emptying the table ends the sets.
    m->clear();
    QVERIFY(MehrfachSets::von(m).isEmpty());
}

void TstSetSpalten::makeAndRemoveAreUndoable()
{
    UmfrageDokument doc;
    doc.startNewTable();
    TestUtil::fillModel(doc.dataModel(), headers, rows);
    SpaltenSpeicher* m = doc.dataModel();
    QUndoStack* undo = doc.undoStack();
    {
        // Nothing to remove: nothing asked, no step.
        ScriptedAnswerer script;
        QVERIFY(!MehrfachSetBefehl::entfernen(doc.tableContext()));
        QCOMPARE(script.asked.size(), 0);
    }
    // The columns a window would have selected.
    TableContext selected = doc.tableContext();
    selected.columns = {1, 3};
    {
        ScriptedAnswerer script;
        script.accept(UI::Text, "K").accept(UI::Text, "1");
        QVERIFY(MehrfachSetBefehl::erstellen(selected, doc));
        QCOMPARE(script.unexpected, 0);
    }
    const Sets made{{"K", {1, 3}, "1"}};
    QCOMPARE(MehrfachSets::von(m), made);
    QCOMPARE(undo->count(), 1);
    QCOMPARE(undo->text(0), QString("Mehrfachantworten-Set erstellen"));
    QVERIFY(doc.isChanged());

    // A column inserted after it moves it; undoing both steps in turn, then redoing them.
    undo->push(new cInsertColumn(m, 0, "Neu"));
    const Sets moved{{"K", {2, 4}, "1"}};
    QCOMPARE(MehrfachSets::von(m), moved);
    undo->undo();
    QCOMPARE(MehrfachSets::von(m), made);
    undo->undo();
    QVERIFY(MehrfachSets::von(m).isEmpty());
    undo->redo();
    QCOMPARE(MehrfachSets::von(m), made);
    undo->redo();
    QCOMPARE(MehrfachSets::von(m), moved);

    {
        ScriptedAnswerer script;
        script.cancel(UI::Item);
        QVERIFY(!MehrfachSetBefehl::entfernen(doc.tableContext()));
        QCOMPARE(undo->count(), 2);
    }
    {
        ScriptedAnswerer script;
        script.accept(UI::Item, "K");
        QVERIFY(MehrfachSetBefehl::entfernen(doc.tableContext()));
        QCOMPARE(script.asked.first().title, QString("Mehrfachantworten-Set entfernen"));
        QCOMPARE(script.asked.first().items, QStringList{"K"});
    }
    QVERIFY(MehrfachSets::von(m).isEmpty());
    QCOMPARE(undo->count(), 3);
    undo->undo();
    QCOMPARE(MehrfachSets::von(m), moved);
    undo->redo();
    QVERIFY(MehrfachSets::von(m).isEmpty());
}

QTEST_MAIN(TstSetSpalten)
#include "tst_setspalten.moc"
