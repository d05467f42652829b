#include <QLocale>
#include <QTableView>
#include <QTest>
#include <cmath>

#include "core/roles.h"
#include "commands/regressionsbefehl.h"
#include "commands/spaltenableitung.h"
#include "commands/spaltenbearbeitung.h"
#include "commands/spaltenzahlen.h"
#include "scriptedanswerer.h"
#include "tablefixture.h"

using UI = UserInput;

class TstColumnOperations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void renameAsksWithCurrentTitle();
    void replaceMatchesWholeText();
    void replaceNumberTypedInEitherForm();
    void replaceEmptyOldValueFillsEmptyCells();
    void replaceWithoutMatchIsOneEmptyStep();
    void cancelLeavesNoUndoStep_data();
    void cancelLeavesNoUndoStep();
    void gotoSelectsColumn();
    void copyAppendsMarkedCopiesInSelectionOrder();
    void copyOnSortedTableKeepsWhatIsShown();
    void combine_data();
    void combine();
    void weightNewColumnAndReweight();
    void weightFactorCountMismatch_data();
    void weightFactorCountMismatch();
    void numbersAndPercent();
    void statisticsText_data();
    void statisticsText();
    void statisticsPoolsColumns();
    void statisticsSharesOfManyCells();
    void regressionMessage_data();
    void regressionMessage();
    void regressionLeavesOutRowsWithoutNumbers();
    void germanDecimalCommas();
    void weightWithGermanFactors_data();
    void weightWithGermanFactors();
    void messagesOnGermanDesktop();
};

void TstColumnOperations::renameAsksWithCurrentTitle()
{
    TableFixture f({"A", "B"}, {{"1", "2"}});
    {
        ScriptedAnswerer script;   // two columns: nothing is asked
        SpaltenBearbeitung::renameColumn(f.context({0, 1}));
        QCOMPARE(script.asked.size(), 0);
    }
    ScriptedAnswerer script;
    script.accept(UI::Text, "Neu");
    SpaltenBearbeitung::renameColumn(f.context({1}));
    QCOMPARE(script.asked.at(0).title, QString("Spalte umbenennen"));
    QCOMPARE(script.asked.at(0).label, QString("Neuer Spaltenname"));
    QCOMPARE(script.asked.at(0).preset.toString(), QString("B"));
    QCOMPARE(f.header(1), QString("Neu"));
    QCOMPARE(f.header(1, Qt::ToolTipRole), QString("Neu"));
    QCOMPARE(f.undo.count(), 1);
    f.undo.undo();
    QCOMPARE(f.header(1), QString("B"));
    f.undo.redo();
    QCOMPARE(f.header(1), QString("Neu"));
}

void TstColumnOperations::replaceMatchesWholeText()
{
    TableFixture f({"A", "B", "C"}, {{"ja", "ja ja", "ja"}, {"Ja", "ja", "ja"}, {"ja"}});
    f.model->zelle(1, 0).setData(2.5, Qt::DisplayRole);
    ScriptedAnswerer script;
    script.accept(UI::Text, "ja").accept(UI::Text, "Nein");
    SpaltenBearbeitung::replaceValues(f.context({1, 0}));
    QCOMPARE(script.asked.at(0).title, QString("Ersetzen"));
    QCOMPARE(script.asked.at(0).label, QString("Alter Wert"));
    QCOMPARE(script.asked.at(0).preset.toString(), QString());
    QCOMPARE(script.asked.at(1).label, QString("Neuer Wert"));
    QCOMPARE(script.asked.at(1).preset.toString(), QString("ja"));
    const QList<QStringList> after{{"Nein", "ja ja", "ja"}, {"2.5", "Nein", "ja"}, {"Nein", "", ""}};
    QCOMPARE(TestUtil::cellTexts(f.model.get()), after);
    QCOMPARE(f.undo.count(), 1);
    QCOMPARE(f.undo.undoText(), QString("Werte ersetzen"));
    f.undo.undo();
    QCOMPARE(TestUtil::cellTexts(f.model.get()),
             (QList<QStringList>{{"ja", "ja ja", "ja"}, {"2.5", "ja", "ja"}, {"ja", "", ""}}));
    QCOMPARE(f.value(1, 0), QVariant(2.5));
    f.undo.redo();
    QCOMPARE(TestUtil::cellTexts(f.model.get()), after);

    // A number matches the text it shows; the replacement is text.
    script.accept(UI::Text, "2.5").accept(UI::Text, "3");
    SpaltenBearbeitung::replaceValues(f.context({0}));
    QCOMPARE(f.value(1, 0), QVariant(QString("3")));
}

void TstColumnOperations::replaceNumberTypedInEitherForm()
{
    // A number matches as typed in either form, as a German desktop shows it; a text
    // still only matches its own text.
    TableFixture f({"A"}, {{""}, {"2,5"}, {"2.5"}, {"3"}});
    f.model->zelle(0, 0).setData(2.5, Qt::DisplayRole);
    ScriptedAnswerer script;
    script.accept(UI::Text, "2,5").accept(UI::Text, "x");
    SpaltenBearbeitung::replaceValues(f.context({0}));
    QCOMPARE(TestUtil::cellTexts(f.model.get()),
             (QList<QStringList>{{"x"}, {"x"}, {"2.5"}, {"3"}}));
}

void TstColumnOperations::replaceEmptyOldValueFillsEmptyCells()
{
    // Row 1 is short: its B cell has no item and still reads as empty.
    TableFixture f({"A", "B"}, {{"1", ""}, {"2"}, {"3", "x"}});
    ScriptedAnswerer script;
    script.accept(UI::Text, "").accept(UI::Text, "leer");
    SpaltenBearbeitung::replaceValues(f.context({1}));
    QCOMPARE(TestUtil::cellTexts(f.model.get()),
             (QList<QStringList>{{"1", "leer"}, {"2", "leer"}, {"3", "x"}}));
    f.undo.undo();
    QCOMPARE(f.cell(0, 1), QString());
    QVERIFY(!f.value(1, 1).isValid());
}

void TstColumnOperations::replaceWithoutMatchIsOneEmptyStep()
{
    TableFixture f({"A"}, {{"1"}, {"2"}});
    ScriptedAnswerer script;
    script.accept(UI::Text, "nie").accept(UI::Text, "x");
    SpaltenBearbeitung::replaceValues(f.context({0}));
    QCOMPARE(f.undo.count(), 1);
    QCOMPARE(f.undo.undoText(), QString("Werte ersetzen"));
    QCOMPARE(TestUtil::cellTexts(f.model.get()), (QList<QStringList>{{"1"}, {"2"}}));
}

void TstColumnOperations::cancelLeavesNoUndoStep_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QVector<int>>("columns");
    QTest::addColumn<int>("answeredBeforeCancel");
    QTest::newRow("rename") << "rename" << QVector<int>{0} << 0;
    QTest::newRow("replace, old value") << "replace" << QVector<int>{0} << 0;
    QTest::newRow("replace, new value") << "replace" << QVector<int>{0} << 1;
    QTest::newRow("combine, title") << "combine" << QVector<int>{0, 1} << 0;
    QTest::newRow("weight, title") << "weight" << QVector<int>{0, 1} << 0;
    QTest::newRow("weight, factors") << "weight" << QVector<int>{0, 1} << 1;
    QTest::newRow("re-weight, factors") << "weight" << QVector<int>{2} << 0;
    QTest::newRow("go to") << "goto" << QVector<int>{} << 0;
}

void TstColumnOperations::cancelLeavesNoUndoStep()
{
    QFETCH(QString, operation);
    QFETCH(QVector<int>, columns);
    QFETCH(int, answeredBeforeCancel);
    TableFixture f({"A", "B", "W"}, {{"1", "2", "3"}, {"4", "5", "6"}});
    f.model->setHeaderData(2, Qt::Horizontal, "weight", Roles::DerivationKind);
    f.model->setHeaderData(2, Qt::Horizontal, "1,1", Roles::DerivationParameter);
    f.model->setHeaderData(2, Qt::Horizontal, "1,2", Roles::DerivationSources);
    const QList<QStringList> before = TestUtil::cellTexts(f.model.get());
    const TableContext ctx = f.context(columns);
    ScriptedAnswerer script;
    for (int i = 0; i < answeredBeforeCancel; ++i)
        script.accept(UI::Text, "1");
    script.cancel(operation == "goto" ? UI::Int : UI::Text);
    if (operation == "rename")
        SpaltenBearbeitung::renameColumn(ctx);
    else if (operation == "replace")
        SpaltenBearbeitung::replaceValues(ctx);
    else if (operation == "combine")
        SpaltenAbleitung::combineColumns(ctx);
    else if (operation == "weight")
        SpaltenAbleitung::weightColumns(ctx);
    else
        SpaltenBearbeitung::gotoColumn(ctx);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(f.undo.count(), 0);
    QCOMPARE(TestUtil::cellTexts(f.model.get()), before);
    QCOMPARE(f.header(1), QString("B"));
}

void TstColumnOperations::gotoSelectsColumn()
{
    TableFixture f({"A", "B", "C", "D", "E"}, {{"1", "2", "3", "4", "5"}});
    ScriptedAnswerer script;
    script.accept(UI::Int, 3);
    SpaltenBearbeitung::gotoColumn(f.context({0, 4}));
    const UI::Ask& ask = script.asked.at(0);
    QCOMPARE(ask.title, QString("Gehe zu Spalte"));
    QCOMPARE(ask.label, QString("Geben sie die Nummer der\ngewünschten Spalte ein."));
    QCOMPARE(ask.preset.toInt(), 1);
    QCOMPARE(ask.minimum, 1.0);
    QCOMPARE(ask.maximum, 5.0);
    QCOMPARE(ask.step, 1);
    const QModelIndexList sel = f.table.table()->selectionModel()->selectedColumns(0);
    QCOMPARE(sel.size(), 1);
    QCOMPARE(sel.first().column(), 2);
    QCOMPARE(f.undo.count(), 0);
}

void TstColumnOperations::copyAppendsMarkedCopiesInSelectionOrder()
{
    TableFixture f({"A", "B", "C", "D"}, {{"a1", "b1", "c1", "d1"}, {"a2"}});
    // A weighted column copies its values but not its derivation.
    f.model->setHeaderData(3, Qt::Horizontal, "weight", Roles::DerivationKind);
    f.model->zelle(0, 3).setData(8.0, Qt::DisplayRole);
    SpaltenBearbeitung::copyColumns(f.context({3, 0}));
    QCOMPARE(f.model->columnCount(), 6);
    QCOMPARE(f.undo.count(), 1);
    QCOMPARE(f.undo.undoText(), QString("Spalten kopieren"));
    QCOMPARE(f.header(4), QString("D"));
    QCOMPARE(f.header(4, Roles::DerivationKind), QString("copy"));
    QCOMPARE(f.header(4, Roles::DerivationParameter), QString("3"));
    QCOMPARE(f.header(4, Qt::ToolTipRole), QString("D\nKopiert:\nSpalte:3"));
    QCOMPARE(f.header(5, Qt::ToolTipRole), QString("A\nKopiert:\nSpalte:0"));
    QCOMPARE(f.value(0, 4), QVariant(8.0));
    QCOMPARE(f.cell(1, 4), QString());   // the short row's missing cell copies as empty
    QCOMPARE(f.cell(1, 5), QString("a2"));
    f.undo.undo();
    QCOMPARE(f.model->columnCount(), 4);
    f.undo.redo();
    QCOMPARE(f.model->columnCount(), 6);
    QCOMPARE(f.header(5), QString("A"));
    // Redone columns come back with their title only.
    QVERIFY(!f.model->headerData(5, Qt::Horizontal, Roles::DerivationKind).isValid());
}

void TstColumnOperations::copyOnSortedTableKeepsWhatIsShown()
{
    TableFixture f({"A", "B", "C"}, {{"3", "c", "z"}, {"1", "a", "x"}, {"2", "b", "y"}});
    QTableView* view = f.table.table();
    view->sortByColumn(0, Qt::DescendingOrder);
    view->setColumnHidden(2, true);
    const TableContext ctx = f.context({1, 0});
    const auto check = [&](int columns) {
        QCOMPARE(view->model()->columnCount(), columns);
        QStringList shown;
        for (int r = 0; r < 3; ++r)
            shown << view->model()->index(r, columns - 1).data().toString();
        QCOMPARE(shown, (columns == 5 ? QStringList{"3", "2", "1"} : QStringList{"z", "y", "x"}));
        QVERIFY(view->isColumnHidden(2));
        for (int c = 3; c < columns; ++c)
            QVERIFY(!view->isColumnHidden(c));
        QVector<int> selected;
        for (const QModelIndex& i : view->selectionModel()->selectedColumns(0))
            selected << i.column();
        QCOMPARE(selected, (QVector<int>{1, 0}));
    };
    SpaltenBearbeitung::copyColumns(ctx);
    QCOMPARE(f.undo.count(), 1);
    QCOMPARE(TestUtil::cellTexts(f.model.get()).at(0), (QStringList{"3", "c", "z", "c", "3"}));
    check(5);
    f.undo.undo();
    QCOMPARE(f.model->columnCount(), 3);
    check(3);
    f.undo.redo();
    QCOMPARE(TestUtil::cellTexts(f.model.get()).at(1), (QStringList{"1", "a", "x", "a", "1"}));
    check(5);
}

void TstColumnOperations::combine_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("keep values") << int(QMessageBox::Yes) << QStringList{"x,y", "", "z"};
    QTest::newRow("positions") << int(QMessageBox::No) << QStringList{"1,3", "", "2"};
}

void TstColumnOperations::combine()
{
    QFETCH(int, answer);
    QFETCH(QStringList, cells);
    TableFixture f({"Q", "A", "B", "C"},
                   {{"q", "x", "", "y"}, {"q", "0", "", ""}, {"q", "", "z", "0"}});
    ScriptedAnswerer script;
    script.accept(UI::Text, "Alle").accept(UI::Question, answer);
    SpaltenAbleitung::combineColumns(f.context({1, 2, 3}));
    QCOMPARE(script.asked.at(0).title, QString("Zusammenfügen"));
    QCOMPARE(script.asked.at(0).label, QString("Titel der neuen Spalte"));
    QCOMPARE(script.asked.at(1).label, QString("Werte beibehalten?"));
    QCOMPARE(script.asked.at(1).preset.toInt(), int(QMessageBox::Yes));
    QCOMPARE(f.model->columnCount(), 5);
    QCOMPARE((QStringList{f.cell(0, 4), f.cell(1, 4), f.cell(2, 4)}), cells);
    QCOMPARE(f.header(4), QString("Alle"));
    QCOMPARE(f.header(4, Roles::DerivationKind), QString("combined"));
    QCOMPARE(f.header(4, Roles::DerivationSources), QString("2,3,4"));
    QCOMPARE(f.header(4, Qt::ToolTipRole), QString("Alle\nZusammengefasst:\nSpalte:2,3,4"));
    QTableView* view = f.table.table();
    QVERIFY(view->isColumnHidden(1) && view->isColumnHidden(3) && !view->isColumnHidden(0));
    QCOMPARE(f.undo.count(), 1);
    QCOMPARE(f.undo.undoText(), QString("Spalten zusammenfassen"));
    f.undo.undo();
    QCOMPARE(f.model->columnCount(), 4);
    QVERIFY(!view->isColumnHidden(1) && !view->isColumnHidden(3));
    f.undo.redo();
    QCOMPARE(f.model->columnCount(), 5);
    QVERIFY(view->isColumnHidden(2));
    QCOMPARE(f.header(4), QString("Alle"));
    QVERIFY(!f.model->headerData(4, Qt::Horizontal, Roles::DerivationKind).isValid());
}

void TstColumnOperations::weightNewColumnAndReweight()
{
    TableFixture f({"0", "1", "2", "3", "4", "5"},
                   {{"", "", "4", "", "", "3"}, {"", "", "", "", "", "0"}, {"", "", "x", "", "", "1"}});
    ScriptedAnswerer script;
    script.accept(UI::Text, "W").accept(UI::Text, "0.5,2");
    SpaltenAbleitung::weightColumns(f.context({2, 5}));
    QCOMPARE(script.asked.at(0).title, QString("Gewichten"));
    QCOMPARE(script.asked.at(0).label, QString("Titel der neuen Spalte"));
    QCOMPARE(script.asked.at(1).label,
             QString("Geben sie Gewichtungsfaktoren durch Semikolon getrennt ein."));
    QCOMPARE(f.model->columnCount(), 7);
    QCOMPARE(f.value(0, 6), QVariant(8.0));
    QCOMPARE(f.value(1, 6), QVariant(0.0));   // nothing counted
    QCOMPARE(f.value(2, 6), QVariant(2.0));   // a word counts as 0
    QCOMPARE(f.header(6, Roles::DerivationKind), QString("weight"));
    QCOMPARE(f.header(6, Roles::DerivationParameter), QString("0.5,2"));
    QCOMPARE(f.header(6, Roles::DerivationSources), QString("3,6"));
    QCOMPARE(f.header(6, Qt::ToolTipRole), QString("W\nGewichtet:\nSpalte:3,6\nFaktor:0.5,2"));
    QVERIFY(!f.table.table()->isColumnHidden(2));
    QCOMPARE(f.undo.undoText(), QString("Spalten gewichten"));

    // Weighting the weighted column alone recomputes it in place.
    script.accept(UI::Text, "1,1");
    SpaltenAbleitung::weightColumns(f.context({6}));
    QCOMPARE(script.asked.at(2).preset.toString(), QString("0.5,2"));
    QCOMPARE(f.model->columnCount(), 7);
    QCOMPARE(f.header(6), QString("W"));
    QCOMPARE(f.value(0, 6), QVariant(7.0));
    QCOMPARE(f.header(6, Roles::DerivationParameter), QString("1,1"));
    QCOMPARE(f.undo.count(), 2);
    f.undo.undo();
    QCOMPARE(f.value(0, 6), QVariant(8.0));
    QCOMPARE(f.header(6), QString("W"));
    QVERIFY(!f.model->headerData(6, Qt::Horizontal, Roles::DerivationKind).isValid());
    f.undo.redo();
    QCOMPARE(f.value(0, 6), QVariant(7.0));
    f.undo.undo();
    f.undo.undo();
    QCOMPARE(f.model->columnCount(), 6);
}

void TstColumnOperations::weightFactorCountMismatch_data()
{
    QTest::addColumn<QString>("factors");
    QTest::newRow("three after semicolons") << "0,5;1;2";
    QTest::newRow("trailing comma") << "1,2,";
}

void TstColumnOperations::weightFactorCountMismatch()
{
    QFETCH(QString, factors);
    TableFixture f({"A", "B"}, {{"1", "2"}});
    ScriptedAnswerer script;
    script.accept(UI::Text, "W").accept(UI::Text, factors).accept(UI::Warning, QMessageBox::Ok);
    SpaltenAbleitung::weightColumns(f.context({0, 1}));
    QCOMPARE(script.asked.at(2).title, QString("Gewichten"));
    QCOMPARE(script.asked.at(2).label,
             QString("Die Zahl der Faktoren stimmt nicht\nmit der Zahl der markierten "
                     "Spalten\nüberein!"));
    QCOMPARE(f.model->columnCount(), 2);
    QCOMPARE(f.undo.count(), 0);
}

void TstColumnOperations::numbersAndPercent()
{
    TableFixture f({"A", "B", "C"},
                   {{"3", "1", "-1"}, {"", "3", "1"}, {"0", "", ""}, {"wort", "", ""}, {"007"}});
    SpaltenZahlen::numericColumns(f.context({0}));
    QCOMPARE(f.undo.undoText(), QString("Spalte als Zahlen"));
    const QVariantList numbers{3.0, QString(""), QString("0"), 0.0, 7.0};
    for (int r = 0; r < 5; ++r)
        QCOMPARE(f.value(r, 0), numbers.at(r));
    f.undo.undo();
    QCOMPARE(f.value(0, 0), QVariant(QString("3")));
    QCOMPARE(f.value(3, 0), QVariant(QString("wort")));
    f.undo.redo();
    QCOMPARE(f.value(4, 0), QVariant(7.0));

    f.undo.undo();
    SpaltenZahlen::normalizeColumns(f.context({0, 1, 2}));
    QCOMPARE(f.undo.undoText(), QString("Spalte in Prozent"));
    QCOMPARE(f.value(0, 0), QVariant(30.0));   // 3 of 3 + 7
    QCOMPARE(f.value(3, 0), QVariant(0.0));    // a word is counted as 0
    QCOMPARE(f.value(2, 0), QVariant(QString("0")));
    QCOMPARE(f.value(0, 1), QVariant(25.0));
    QCOMPARE(f.value(1, 1), QVariant(75.0));
    // A column summing to 0 has no percentages and stays as it is.
    QCOMPARE(f.value(0, 2), QVariant(QString("-1")));
    f.undo.undo();
    QCOMPARE(f.value(1, 1), QVariant(QString("3")));
}

void TstColumnOperations::statisticsText_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("text");
    QTest::newRow("four of ten") << QVector<double>{4, 2, 1, 3} << 1 << 10
                                 << "Statistik für Spalte: 1 \n\nMinimum: 1\nMaximum: 4\n"
                                    "Durchschnitt: 2.5\nMedian: 3\nSumme: 10\nLeer: 6 (60%)\n"
                                    "Werte: 4 (40%)\n";
    QTest::newRow("none counted") << QVector<double>{} << 1 << 4
                                  << "Statistik für Spalte: 1 \n\nMinimum: \nMaximum: \n"
                                     "Durchschnitt: nan\nMedian: \nSumme: 0\nLeer: 4 (100%)\n"
                                     "Werte: 0 (0%)\n";
    QTest::newRow("six digits") << QVector<double>{1234567, 1.0 / 3} << 1 << 3
                                << "Statistik für Spalte: 1 \n\nMinimum: 0.333333\nMaximum: "
                                   "1.23457e+06\nDurchschnitt: 617284\nMedian: 1.23457e+06\n"
                                   "Summe: 1.23457e+06\nLeer: 1 (33.3333%)\nWerte: 2 (66.6667%)\n";
    // A cell "nan" sorts after every number, as in the statistics table.
    QTest::newRow("nan") << QVector<double>{3, std::nan(""), 1, 2} << 1 << 10
                         << "Statistik für Spalte: 1 \n\nMinimum: 1\nMaximum: nan\n"
                            "Durchschnitt: nan\nMedian: 3\nSumme: nan\nLeer: 6 (60%)\n"
                            "Werte: 4 (40%)\n";
}

void TstColumnOperations::statisticsText()
{
    QFETCH(QVector<double>, values);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QString, text);
    QCOMPARE(SpaltenZahlen::statText({0}, SpaltenZahlen::compute(values, columns, rows)), text);
}

void TstColumnOperations::statisticsPoolsColumns()
{
    // 10 rows, two columns: 1..4 and "0" in A, 6 in B; "0" is no value.
    QList<QStringList> rows{{"1", "6"}, {"2", ""}, {"3", ""}, {"4", ""}, {"0", ""}};
    for (int i = 0; i < 5; ++i)
        rows << QStringList{"", ""};
    TableFixture f({"A", "B"}, rows);
    ScriptedAnswerer script;
    script.accept(UI::Information, QMessageBox::Ok);
    SpaltenZahlen::statColumns(f.context({1, 0}));
    QCOMPARE(script.asked.at(0).title, QString("Statistik"));
    QCOMPARE(script.asked.at(0).label,
             QString("Statistik für Spalte: 2 1 \n\nMinimum: 1\nMaximum: 6\nDurchschnitt: 3.2\n"
                     "Median: 3\nSumme: 16\nLeer: 15 (75%)\nWerte: 5 (25%)\n"));
    QCOMPARE(f.undo.count(), 0);
}

// n * 100 leaves the range of int from about 21.5 million counted cells.
void TstColumnOperations::statisticsSharesOfManyCells()
{
    const int n = 21474837;
    const SpaltenZahlen::Kennzahlen k = SpaltenZahlen::compute(QVector<double>(n, 1.0), 2, n);
    QCOMPARE(k.valueShare, 50.0);
    QCOMPARE(k.emptyShare, 50.0);
}

void TstColumnOperations::regressionMessage_data()
{
    QTest::addColumn<QVector<double>>("x");
    QTest::addColumn<QVector<double>>("y");
    QTest::addColumn<QString>("text");
    const QString head = "Die Gleichung der Regressionsgeraden lautet:\n\ty=";
    const QString undetermined =
        "Die Regressionsgerade ist nicht bestimmt:\nalle x-Werte sind gleich.";
    QTest::newRow("plus") << QVector<double>{1, 2, 3} << QVector<double>{3, 5, 7}
                          << head + "2*x+1";
    QTest::newRow("minus") << QVector<double>{1, 2, 3} << QVector<double>{-1, 0, 1}
                           << head + "1*x-2";
    QTest::newRow("through zero") << QVector<double>{1, 2, 3} << QVector<double>{2, 4, 6}
                                  << head + "2*x+0";
    QTest::newRow("swapped") << QVector<double>{3, 5, 7} << QVector<double>{1, 2, 3}
                             << head + "0.5*x-0.5";
    QTest::newRow("equal x") << QVector<double>{0.1, 0.1, 0.1} << QVector<double>{1, 2, 3}
                             << undetermined;
    QTest::newRow("one row") << QVector<double>{2} << QVector<double>{1} << undetermined;
    QTest::newRow("no row") << QVector<double>{} << QVector<double>{}
                            << "Die Regressionsgerade ist nicht bestimmt:\n"
                               "keine Zeile hat in beiden Spalten eine Zahl.";
}

void TstColumnOperations::regressionMessage()
{
    QFETCH(QVector<double>, x);
    QFETCH(QVector<double>, y);
    QFETCH(QString, text);
    QCOMPARE(RegressionsBefehl::message(x, y), text);
}

void TstColumnOperations::regressionLeavesOutRowsWithoutNumbers()
{
    // The rows with an empty or a word cell take no part: the line through (1,3), (2,5),
    // (4,9), not pulled towards (0, 10) or (0, 0).
    TableFixture f({"X", "Y", "Z"},
                   {{"", "10"}, {"1", "3"}, {"2", "5"}, {"keine", "0"}, {"4", "9"}, {"3", ""}});
    ScriptedAnswerer script;
    script.accept(UI::Information, QMessageBox::Ok);
    RegressionsBefehl::linReg(f.context({0, 1}));
    QCOMPARE(script.asked.at(0).title, QString("Lineare Regression"));
    QCOMPARE(script.asked.at(0).label,
             QString("Die Gleichung der Regressionsgeraden lautet:\n\ty=2*x+1"));
    RegressionsBefehl::linReg(f.context({0}));   // one column: nothing asked
    QCOMPARE(script.asked.size(), 1);
}

namespace {
// A survey column as a German spreadsheet writes it: the true mean is 28.748.
const QList<QStringList> ausgaben{{"3,25", "1,5"}, {"12,50", "2,5"}, {"19,99", "3,5"},
                                  {"8", ""}, {"100", "0"}};
}

void TstColumnOperations::germanDecimalCommas()
{
    TableFixture f({"Ausgaben (€)", "Menge"}, ausgaben);
    ScriptedAnswerer script;
    script.accept(UI::Information, QMessageBox::Ok);
    SpaltenZahlen::statColumns(f.context({0}));
    QCOMPARE(script.asked.at(0).label,
             QString("Statistik für Spalte: 1 \n\nMinimum: 3.25\nMaximum: 100\n"
                     "Durchschnitt: 28.748\nMedian: 12.5\nSumme: 143.74\nLeer: 0 (0%)\n"
                     "Werte: 5 (100%)\n"));

    // Regression over the rows with two numbers: the empty "Menge" leaves row 4 out.
    script.accept(UI::Information, QMessageBox::Ok);
    RegressionsBefehl::linReg(f.context({1, 0}));
    QVector<double> x{1.5, 2.5, 3.5, 0};
    QVector<double> y{3.25, 12.5, 19.99, 100};
    QCOMPARE(script.asked.at(1).label, RegressionsBefehl::message(x, y));

    SpaltenZahlen::numericColumns(f.context({0, 1}));
    const QVariantList numbers{3.25, 12.5, 19.99, 8.0, 100.0};
    for (int r = 0; r < 5; ++r)
        QCOMPARE(f.value(r, 0), numbers.at(r));
    QCOMPARE(f.value(2, 1), QVariant(3.5));
    f.undo.undo();

    SpaltenZahlen::normalizeColumns(f.context({0}));
    QVERIFY(TestUtil::fuzzy(f.value(0, 0).toDouble(), 3.25 / 143.74 * 100));
    QVERIFY(TestUtil::fuzzy(f.value(4, 0).toDouble(), 100 / 143.74 * 100));
}

void TstColumnOperations::weightWithGermanFactors_data()
{
    QTest::addColumn<QString>("factors");
    QTest::newRow("German") << "0,5; 2";
    QTest::newRow("C after semicolons") << "0.5;2";
    QTest::newRow("older comma list") << "0.5,2";
}

void TstColumnOperations::weightWithGermanFactors()
{
    QFETCH(QString, factors);
    TableFixture f({"Ausgaben (€)", "Menge"}, ausgaben);
    ScriptedAnswerer script;
    script.accept(UI::Text, "W").accept(UI::Text, factors);
    SpaltenAbleitung::weightColumns(f.context({0, 1}));
    QCOMPARE(f.model->columnCount(), 3);
    QCOMPARE(f.value(0, 2), QVariant(0.5 * 3.25 + 2 * 1.5));
    QCOMPARE(f.value(3, 2), QVariant(4.0));
    QCOMPARE(f.header(2, Roles::DerivationParameter), factors);   // kept as typed
}

void TstColumnOperations::messagesOnGermanDesktop()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString stat =
        SpaltenZahlen::statText({0}, SpaltenZahlen::compute({3.25, 12.5, 19.99, 8, 100}, 1, 6));
    const QString regression =
        RegressionsBefehl::message({1, 2, 3}, {2.25, 4.25, 6.25});
    QLocale::setDefault(QLocale::c());
    QCOMPARE(stat, QString("Statistik für Spalte: 1 \n\nMinimum: 3,25\nMaximum: 100\n"
                           "Durchschnitt: 28,748\nMedian: 12,5\nSumme: 143,74\n"
                           "Leer: 1 (16,6667%)\nWerte: 5 (83,3333%)\n"));
    QCOMPARE(regression,
             QString("Die Gleichung der Regressionsgeraden lautet:\n\ty=2*x+0,25"));
}

QTEST_MAIN(TstColumnOperations)
#include "tst_columnoperations.moc"
