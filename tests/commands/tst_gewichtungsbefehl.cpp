#include <QTest>
#include <QUndoStack>

#include "commands/gewichtungsbefehl.h"
#include "core/gewichtung.h"
#include "scriptedanswerer.h"
#include "tablefixture.h"

using UI = UserInput;

// "Gewichtung...": the choice offered, one undo step per change, none for a cancel or
// for the weight already in force.
class TstGewichtungsbefehl : public QObject
{
    Q_OBJECT
private slots:
    void chooseUndoRedo();
    void cancelOrSameChoiceMakesNoStep_data();
    void cancelOrSameChoiceMakesNoStep();
};

void TstGewichtungsbefehl::chooseUndoRedo()
{
    TableFixture f({"Frage", "Gewicht", ""}, {{"a", "2", "x"}});
    ScriptedAnswerer script;
    script.accept(UI::Item, "2: Gewicht");
    Gewichtungsbefehl::waehlen(f.context({}));
    QCOMPARE(script.unexpected, 0);
    QCOMPARE(script.asked.at(0).title, QString("Gewichtung"));
    QCOMPARE(script.asked.at(0).label, QString("Spalte mit den Gewichten"));
    QCOMPARE(script.asked.at(0).items, (QStringList{"keine", "1: Frage", "2: Gewicht", "3: "}));
    QCOMPARE(script.asked.at(0).preset.toInt(), 0);
    QCOMPARE(Gewichtung::spalteVon(f.model.get()), 1);
    QCOMPARE(f.undo.count(), 1);
    QCOMPARE(f.undo.undoText(), QString("Gewichtung"));

    f.undo.undo();
    QCOMPARE(Gewichtung::spalteVon(f.model.get()), -1);
    f.undo.redo();
    QCOMPARE(Gewichtung::spalteVon(f.model.get()), 1);

    // The weight in force is offered first; "keine" ends it.
    script.accept(UI::Item, "keine");
    Gewichtungsbefehl::waehlen(f.context({}));
    QCOMPARE(script.asked.at(1).preset.toInt(), 2);
    QCOMPARE(Gewichtung::spalteVon(f.model.get()), -1);
    f.undo.undo();
    QCOMPARE(Gewichtung::spalteVon(f.model.get()), 1);
}

void TstGewichtungsbefehl::cancelOrSameChoiceMakesNoStep_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancel") << true;
    QTest::newRow("same column") << false;
}

void TstGewichtungsbefehl::cancelOrSameChoiceMakesNoStep()
{
    QFETCH(bool, cancel);
    TableFixture f({"Frage", "Gewicht"}, {{"a", "2"}});
    Gewichtung::of(f.model.get())->setSpalte(1);
    ScriptedAnswerer script;
    if (cancel)
        script.cancel(UI::Item);
    else
        script.accept(UI::Item, "2: Gewicht");
    Gewichtungsbefehl::waehlen(f.context({}));
    QCOMPARE(script.unexpected, 0);
    QCOMPARE(f.undo.count(), 0);
    QCOMPARE(Gewichtung::spalteVon(f.model.get()), 1);
}

QTEST_MAIN(TstGewichtungsbefehl)
#include "tst_gewichtungsbefehl.moc"
