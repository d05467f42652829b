#include <QAction>
#include <QLocale>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTest>

#include "core/gewichtung.h"
#include "core/roles.h"
#include "diagrams/diagram.h"
#include "core/diagramadapter.h"
#include "app/view.h"
#include "scriptedanswerer.h"
#include "tablefixture.h"

using UI = UserInput;

// The column commands as the user reaches them: through the main window's actions.
class TstColumnWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void editColumnsThroughActions();
    void deriveColumnsThroughActions();
    void numbersThroughActions();
    void regressionThroughAction();
    void weightingThroughAction();

private:
    // A window whose data table holds exactly these rows, the data table on screen.
    void fill(View& v, const QStringList& headers, const QList<QStringList>& rows);
    QTemporaryDir m_dir;
};

void TstColumnWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QLocale::setDefault(QLocale::c());
    QCoreApplication::setOrganizationName("Orvinsk");
    QCoreApplication::setApplicationName("quorvandel7");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
}

void TstColumnWindow::fill(View& v, const QStringList& headers, const QList<QStringList>& rows)
{
    v.document()->clearViews();
    SpaltenSpeicher* m = v.document()->dataModel();
    m->clear();
    v.document()->undoStack()->clear();
    m->setHorizontalHeaderLabels(headers);
    for (const QStringList& r : rows) {
        QVariantList items;
        for (const QString& t : r)
            items << QVariant(t);
        m->zeileAnfuegen(items);
    }
    v.goHome();
    v.widgetChanged(0);
}

void TstColumnWindow::weightingThroughAction()
{
    View v;
    fill(v, {"Frage", "Gewicht"}, {{"a", "2"}, {"b", "0.5"}, {"a", "1"}});
    auto* a = dynamic_cast<DiagramAdapter*>(
        v.document()->createView("Häufigkeit", "Tabelle", {0}, "Frage", ""));
    QVERIFY(a);
    v.goHome();
    QVERIFY(v.save(m_dir.path() + "/gewicht.stat"));
    QVERIFY(!v.isChanged());
    // Offered from any page: it concerns every view, not the selected columns.
    v.widgetChanged(1);
    QVERIFY(v.actWeighting->isEnabled());
    ScriptedAnswerer ans;
    ans.accept(UI::Item, "2: Gewicht");
    v.actWeighting->trigger();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(Gewichtung::spalteVon(v.document()->dataModel()), 1);
    QTRY_COMPARE(a->diagram()->values(), (QVector<double>{3, 0.5}));
    QCOMPARE(a->diagram()->titleText(), QString("Frage (gewichtet mit Gewicht)"));
    QVERIFY(v.isChanged());
    v.actUndo->trigger();
    QTRY_COMPARE(a->diagram()->values(), (QVector<double>{2, 1}));
    QCOMPARE(a->diagram()->titleText(), QString("Frage"));
    QVERIFY(!v.isChanged());
}

void TstColumnWindow::editColumnsThroughActions()
{
    View v;
    fill(v, {"A", "B", "C"}, {{"ja", "1", "x"}, {"nein", "2", "y"}});
    SpaltenSpeicher* m = v.document()->dataModel();
    ScriptedAnswerer script;

    script.accept(UI::Int, 2);
    v.actGotoColumn->trigger();
    QCOMPARE(v.tableContext().columns, QVector<int>{1});

    script.accept(UI::Text, "Zwei");
    v.actRenameColumn->trigger();
    QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QString("Zwei"));
    QCOMPARE(v.document()->undoStack()->undoText(), QString("Spalte umbenennen"));

    selectColumns(v.dataTable(), {0});
    script.accept(UI::Text, "ja").accept(UI::Text, "Ja");
    v.actReplace->trigger();
    QCOMPARE(m->zelle(0, 0).text(), QString("Ja"));
    QCOMPARE(v.document()->undoStack()->undoText(), QString("Werte ersetzen"));

    v.actCopyColumns->trigger();
    QCOMPARE(m->columnCount(), 4);
    QCOMPARE(m->headerData(3, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QString("A\nKopiert:\nSpalte:0"));

    v.actHideColumns->trigger();
    QVERIFY(v.dataTable()->table()->isColumnHidden(0));
    QCOMPARE(v.document()->undoStack()->undoText(), QString("Spalten entfernen"));

    for (int i = 0; i < 4; ++i)
        v.actUndo->trigger();
    QCOMPARE(TestUtil::cellTexts(m), (QList<QStringList>{{"ja", "1", "x"}, {"nein", "2", "y"}}));
    QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QString("B"));
    QVERIFY(!v.dataTable()->table()->isColumnHidden(0));
    QCOMPARE(script.pending(), 0);
}

void TstColumnWindow::deriveColumnsThroughActions()
{
    View v;
    fill(v, {"A", "B"}, {{"4", "3"}, {"", "1"}});
    SpaltenSpeicher* m = v.document()->dataModel();
    ScriptedAnswerer script;

    selectColumns(v.dataTable(), {0, 1});
    script.accept(UI::Text, "W").accept(UI::Text, "0.5,2");
    v.actWeight->trigger();
    QCOMPARE(m->data(m->index(0, 2)), QVariant(8.0));
    QCOMPARE(v.document()->undoStack()->undoText(), QString("Spalten gewichten"));

    // The weighted column alone can be weighted again.
    selectColumns(v.dataTable(), {2});
    QVERIFY(v.actWeight->isEnabled());
    script.accept(UI::Text, "1,1");
    v.actWeight->trigger();
    QCOMPARE(m->data(m->index(0, 2)), QVariant(7.0));
    QCOMPARE(m->columnCount(), 3);

    selectColumns(v.dataTable(), {0, 1});
    script.accept(UI::Text, "AB").accept(UI::Question, int(QMessageBox::Yes));
    v.actCombine->trigger();
    QCOMPARE(m->zelle(0, 3).text(), QString("4,3"));
    QVERIFY(v.dataTable()->table()->isColumnHidden(1));
    QCOMPARE(v.document()->undoStack()->undoText(), QString("Spalten zusammenfassen"));
    v.actUndo->trigger();
    QCOMPARE(m->columnCount(), 3);
    QVERIFY(!v.dataTable()->table()->isColumnHidden(1));
    QCOMPARE(script.pending(), 0);
}

void TstColumnWindow::numbersThroughActions()
{
    View v;
    fill(v, {"A", "B"}, {{"10", "1"}, {"9", "1"}, {"", "2"}});
    SpaltenSpeicher* m = v.document()->dataModel();
    QTableView* table = v.dataTable()->table();
    // Sorted by A as text, "10" comes before "9"; as numbers after it.
    table->sortByColumn(0, Qt::AscendingOrder);
    selectColumns(v.dataTable(), {0});
    v.actNumeric->trigger();
    QCOMPARE(m->data(m->index(0, 0)), QVariant(10.0));
    QCOMPARE(v.document()->undoStack()->undoText(), QString("Spalte als Zahlen"));
    const QModelIndex lastShown = table->model()->index(2, 0);
    QCOMPARE(table->model()->data(lastShown), QVariant(10.0));
    QCOMPARE(v.tableContext().columns, QVector<int>{0});   // the selection survives

    selectColumns(v.dataTable(), {1});
    v.actNormalize->trigger();
    QCOMPARE(m->data(m->index(2, 1)), QVariant(50.0));
    QCOMPARE(v.document()->undoStack()->undoText(), QString("Spalte in Prozent"));

    ScriptedAnswerer script;
    script.accept(UI::Information, QMessageBox::Ok);
    v.actStat->trigger();
    QCOMPARE(script.asked.at(0).title, QString("Statistik"));
    QVERIFY(script.asked.at(0).label.startsWith("Statistik für Spalte: 2 \n\nMinimum: 25\n"));

    v.actUndo->trigger();
    v.actUndo->trigger();
    QCOMPARE(TestUtil::cellTexts(m), (QList<QStringList>{{"10", "1"}, {"9", "1"}, {"", "2"}}));
}

void TstColumnWindow::regressionThroughAction()
{
    View v;
    fill(v, {"X", "Y"}, {{"1", "-1"}, {"2", "0"}, {"3", "1"}});
    selectColumns(v.dataTable(), {0, 1});
    ScriptedAnswerer script;
    script.accept(UI::Information, QMessageBox::Ok);
    v.actLinReg->trigger();
    QCOMPARE(script.asked.at(0).title, QString("Lineare Regression"));
    QCOMPARE(script.asked.at(0).label,
             QString("Die Gleichung der Regressionsgeraden lautet:\n\ty=1*x-2"));
    QCOMPARE(v.document()->undoStack()->count(), 0);
}

QTEST_MAIN(TstColumnWindow)
#include "tst_columnwindow.moc"
