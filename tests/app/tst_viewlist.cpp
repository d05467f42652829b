#include <QComboBox>
#include <QListView>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardItemModel>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QUndoStack>

#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/modelmultidiagramadapter.h"
#include "core/roles.h"
#include "analyses/viewtypes.h"
#include "diagrams/tabelle1.h"
#include "app/view.h"
#include "diagrams/diagram.h"
#include "scriptedanswerer.h"
#include "windowutil.h"

// The list of views: rows and pages stay aligned under every operation, removal is
// undoable, duplication copies, notes stay with their view.
class TstViewList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void appendSetsRolesAndCategory();
    void removeUndoRedoRestoresRow();
    void removeUndoKeepsFilterAndNotes();
    void removedViewDeletedByClearViewsIsNeverTouched();
    void duplicateCopiesTypeColoursFont();
    void contextMenuOnDataTableOffersOnlyRename();
    void contextMenuRemovesUndoably();
    void renameRetitlesDiagram();
    void notesSurviveRemovalAndUndo();
    void redoKeepsChangesMadeAfterUndo();
    void notesOfRemovedViewNeverLandElsewhere();
    void moveViewKeepsAlignment();
    void singleClickOpensView();
    void keyboardSelectionOpensView();
    void removalOpensNoOtherView();

private:
    // A window whose data table holds three small columns and four views.
    void makeViews(View& v);
    static bool aligned(View& v);
};

void TstViewList::initTestCase()
{
    static QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
}

void TstViewList::init()
{
    QLocale::setDefault(QLocale::c());
}

void TstViewList::makeViews(View& v)
{
    v.document()->clearViews();
    SpaltenSpeicher* m = v.document()->dataModel();
    m->clear();
    m->setHorizontalHeaderLabels({"A", "B", "C"});
    const QList<QStringList> rows{{"x", "1", "p"}, {"y", "2", "q"}, {"x", "2", "p"}};
    for (const QStringList& r : rows) {
        QVariantList items;
        for (const QString& t : r)
            items << QVariant(t);
        m->zeileAnfuegen(items);
    }
    QVERIFY(v.document()->createView("Häufigkeit", "TortenDiagram", {0}, "V1", "n1"));
    QVERIFY(v.document()->createView("Häufigkeit %", "BalkenDiagram(V)", {1}, "V2", "n2"));
    QVERIFY(v.document()->createView("Häufigkeit", "Tabelle", {0, 1}, "V3", "n3"));
    QVERIFY(v.document()->createView("Direkt", "BalkenDiagram(H)", {1}, "V4", ""));
}

bool TstViewList::aligned(View& v)
{
    if (v.document()->viewListModel()->rowCount() != v.viewArea()->count())
        return false;
    if (v.viewCombo()->count() != v.viewArea()->count())
        return false;
    for (int r = 1; r < v.viewArea()->count(); ++r) {
        auto* a = dynamic_cast<DiagramAdapter*>(v.viewArea()->widget(r));
        if (a && a->diagram() && a->diagram()->titleText() != v.document()->viewListModel()->item(r)->text()
            && !a->diagram()->titleText().isEmpty())
            return false;
    }
    return v.viewArea()->widget(0) == v.dataTable();
}

void TstViewList::appendSetsRolesAndCategory()
{
    View v;
    makeViews(v);
    QStandardItemModel* list = v.document()->viewListModel();
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "V1", "V2", "V3", "V4"}));
    QVERIFY(aligned(v));
    QCOMPARE(list->item(1)->data(Roles::ViewCategory).toString(), QString("Single"));
    QCOMPARE(list->item(3)->data(Roles::ViewCategory).toString(), QString("Multi"));
    QCOMPARE(list->item(1)->data(Roles::ViewAdapterType).toString(), QString("Häufigkeit"));
    QCOMPARE(list->item(3)->data(Roles::ViewColumns).toStringList(), (QStringList{"0", "1"}));
    QCOMPARE(list->item(2)->data(Roles::ViewType).toString(), QString("BalkenDiagram(V)"));
    QVERIFY(list->item(2)->data(Roles::ViewNotes).toString().contains("n2"));
    QCOMPARE(v.document()->viewIndex(qobject_cast<ModelClient*>(v.viewArea()->widget(3))), 3);
    QCOMPARE(v.document()->viewIndex(nullptr), -1);
    // The last view created is shown.
    QCOMPARE(v.viewArea()->currentIndex(), 4);
}

void TstViewList::removeUndoRedoRestoresRow()
{
    View v;
    makeViews(v);
    v.viewArea()->setCurrentIndex(2);
    v.removeCurrentView();
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "V1", "V3", "V4"}));
    QVERIFY(aligned(v));
    QCOMPARE(v.document()->undoStack()->undoText(), QString("Ansicht entfernen"));

    v.document()->undoStack()->undo();
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "V1", "V2", "V3", "V4"}));
    QVERIFY(aligned(v));
    auto* back = qobject_cast<ModelDiagramAdapter*>(v.viewArea()->widget(2));
    QVERIFY(back);
    QCOMPARE(back->modelColumn(), 1);
    QCOMPARE(back->diagram()->titleText(), QString("V2"));
    QCOMPARE(back->diagram()->postfix(), QString("%"));
    QCOMPARE(v.document()->viewListModel()->item(2)->data(Roles::ViewType).toString(),
             QString("BalkenDiagram(V)"));

    v.document()->undoStack()->redo();
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "V1", "V3", "V4"}));
    QVERIFY(aligned(v));
    v.document()->undoStack()->undo();
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "V1", "V2", "V3", "V4"}));
}

void TstViewList::removeUndoKeepsFilterAndNotes()
{
    View v;
    makeViews(v);
    auto* a = qobject_cast<HaeufigkeitsDiagramAdapter*>(v.viewArea()->widget(1));
    QVERIFY(a);
    a->setDepFilter("p", 2);
    QCOMPARE(a->diagram()->values(), (QVector<double>{2}));
    // Settings only newer records hold come back too: the order and the colours.
    Reihenfolge order;
    order.art = Reihenfolge::NachHaeufigkeit;
    a->antwortAnzeige().setReihenfolge(order);
    a->diagram()->setColors({QColor(12, 34, 56), QColor(78, 90, 12)});
    v.viewArea()->setCurrentIndex(1);
    v.removeCurrentView();
    v.document()->undoStack()->undo();
    auto* back = qobject_cast<HaeufigkeitsDiagramAdapter*>(v.viewArea()->widget(1));
    QVERIFY(back);
    QCOMPARE(back->antwortAnzeige().reihenfolge().art, Reihenfolge::NachHaeufigkeit);
    QCOMPARE(back->diagram()->colorAt(1), QColor(78, 90, 12));
    QCOMPARE(back->rowFilter().depColumn(), 2);
    QCOMPARE(back->rowFilter().depValue(), QString("p"));
    QCOMPARE(back->diagram()->values(), (QVector<double>{2}));
    QCOMPARE(v.document()->viewListModel()->item(1)->data(Roles::ViewNotes).toString().isEmpty(), false);
}

void TstViewList::removedViewDeletedByClearViewsIsNeverTouched()
{
    View v;
    makeViews(v);
    v.viewArea()->setCurrentIndex(3);
    v.removeCurrentView();
    v.document()->undoStack()->undo();   // V3 is back, as a new widget
    v.document()->clearViews();          // ...and deleted without the command knowing
    QCOMPARE(v.viewArea()->count(), 1);
    v.document()->undoStack()->redo();   // must not touch the deleted widget
    QCOMPARE(v.viewArea()->count(), 1);
    QVERIFY(aligned(v));
    v.document()->undoStack()->undo();   // re-creates from the stored values
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "V3"}));
    QVERIFY(aligned(v));
    QVERIFY(qobject_cast<ModelMultiDiagramAdapter*>(v.viewArea()->widget(1)));
}

void TstViewList::duplicateCopiesTypeColoursFont()
{
    View v;
    makeViews(v);
    auto* a = qobject_cast<HaeufigkeitsDiagramAdapter*>(v.viewArea()->widget(1));
    QList<QColor> colours = a->diagram()->colorList();
    colours[0] = QColor(1, 2, 3);
    a->diagram()->setColors(colours);
    QFont f("DejaVu Sans", 17);
    a->diagram()->setFont(f);
    a->setDepFilter("x", 0);

    ScriptedAnswerer ans;
    ans.accept(UserInput::Menu, "Duplizieren");
    const QPoint at = v.viewListWidget()->visualRect(v.document()->viewListModel()->index(1, 0)).center();
    v.vListContextMenu(at);
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(WindowUtil::titles(v).last(), QString("V1(neu)"));
    QVERIFY(aligned(v));
    auto* copy = qobject_cast<HaeufigkeitsDiagramAdapter*>(v.viewArea()->widget(5));
    QVERIFY(copy);
    QVERIFY(copy != a);
    QVERIFY(copy->diagram()->inherits("TortenDiagram"));
    QCOMPARE(copy->diagram()->colorList().first(), QColor(1, 2, 3));
    QCOMPARE(copy->diagram()->font().pointSize(), 17);
    QCOMPARE(copy->rowFilter().depValue(), QString("x"));
    QVERIFY(v.document()->viewListModel()->item(5)->data(Roles::ViewNotes).toString().contains("n1"));
    QVERIFY(!v.document()->undoStack()->canUndo()); // duplication is not undoable
}

void TstViewList::contextMenuOnDataTableOffersOnlyRename()
{
    View v;
    makeViews(v);
    ScriptedAnswerer ans;
    ans.cancel(UserInput::Menu);
    v.vListContextMenu(v.viewListWidget()->visualRect(v.document()->viewListModel()->index(0, 0)).center());
    QCOMPARE(ans.asked.size(), 1);
    QCOMPARE(ans.asked[0].items,
             (QStringList{"Umbenennen", "[Duplizieren]", "-", "[Entfernen]"}));

    ans.cancel(UserInput::Menu);
    v.vListContextMenu(v.viewListWidget()->visualRect(v.document()->viewListModel()->index(2, 0)).center());
    QCOMPARE(ans.asked[1].items, (QStringList{"Umbenennen", "Duplizieren", "-", "Entfernen"}));
    QCOMPARE(v.viewArea()->count(), 5);
}

void TstViewList::contextMenuRemovesUndoably()
{
    View v;
    makeViews(v);
    v.viewArea()->setCurrentIndex(4);
    ScriptedAnswerer ans;
    ans.accept(UserInput::Menu, "Entfernen");
    v.vListContextMenu(v.viewListWidget()->visualRect(v.document()->viewListModel()->index(2, 0)).center());
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "V1", "V3", "V4"}));
    v.document()->undoStack()->undo();
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "V1", "V2", "V3", "V4"}));
    QVERIFY(aligned(v));

    // Nothing under the pointer: the chosen command does nothing.
    ans.accept(UserInput::Menu, "Entfernen");
    v.vListContextMenu(QPoint(5, 5000));
    QCOMPARE(v.viewArea()->count(), 5);
}

void TstViewList::renameRetitlesDiagram()
{
    View v;
    makeViews(v);
    v.document()->viewListModel()->item(2)->setText("Neuer Titel");
    auto* a = dynamic_cast<DiagramAdapter*>(v.viewArea()->widget(2));
    QCOMPARE(a->diagram()->titleText(), QString("Neuer Titel"));
    QCOMPARE(v.viewCombo()->itemText(2), QString("Neuer Titel"));
    // The data table keeps its own caption.
    v.document()->viewListModel()->item(0)->setText("Daten");
    QCOMPARE(v.document()->viewListModel()->item(0)->text(), QString("Daten"));
}

void TstViewList::notesSurviveRemovalAndUndo()
{
    View v;
    makeViews(v);
    v.viewArea()->setCurrentIndex(2);
    v.textPane()->setPlainText("typed for V2");
    v.removeCurrentView();   // the notes on screen belong to what removal keeps
    v.document()->undoStack()->undo();
    QCOMPARE(v.viewArea()->currentIndex(), 2);
    QCOMPARE(v.document()->viewListModel()->item(2)->text(), QString("V2"));
    QVERIFY(v.document()->viewListModel()->item(2)->data(Roles::ViewNotes).toString().contains("typed for V2"));
    QVERIFY(v.textPane()->toPlainText().contains("typed for V2"));
}

void TstViewList::redoKeepsChangesMadeAfterUndo()
{
    View v;
    makeViews(v);
    v.viewArea()->setCurrentIndex(1);
    v.removeCurrentView();
    v.document()->undoStack()->undo();
    // The view is back; the user renames it, filters it and types notes for it.
    QCOMPARE(v.viewArea()->currentIndex(), 1);
    v.document()->viewListModel()->item(1)->setText("W1");
    auto* a = qobject_cast<HaeufigkeitsDiagramAdapter*>(v.viewArea()->widget(1));
    QVERIFY(a);
    a->setDepFilter("q", 2);
    v.textPane()->setPlainText("typed after undo");
    v.document()->undoStack()->redo();
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "V2", "V3", "V4"}));
    v.document()->undoStack()->undo();
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "W1", "V2", "V3", "V4"}));
    QVERIFY(aligned(v));
    QVERIFY(v.document()->viewListModel()->item(1)->data(Roles::ViewNotes).toString().contains(
        "typed after undo"));
    auto* back = qobject_cast<HaeufigkeitsDiagramAdapter*>(v.viewArea()->widget(1));
    QVERIFY(back);
    QCOMPARE(back->rowFilter().depValue(), QString("q"));
    QCOMPARE(back->diagram()->titleText(), QString("W1"));
}

void TstViewList::notesOfRemovedViewNeverLandElsewhere()
{
    View v;
    makeViews(v);
    v.viewArea()->setCurrentIndex(2);
    v.textPane()->setPlainText("only V2");
    v.document()->removeView(2);
    // Whatever page is shown now, no other view got V2's notes.
    v.viewArea()->setCurrentIndex(1);
    v.viewArea()->setCurrentIndex(3);
    for (int r = 0; r < v.document()->viewListModel()->rowCount(); ++r)
        QVERIFY(!v.document()->viewListModel()->item(r)->data(Roles::ViewNotes).toString().contains("only V2"));
    QVERIFY(aligned(v));
}

void TstViewList::moveViewKeepsAlignment()
{
    View v;
    makeViews(v);
    v.document()->moveView(4, 1);
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "V4", "V1", "V2", "V3"}));
    QVERIFY(aligned(v));
    v.document()->moveView(0, 3);   // the data table never moves
    v.document()->moveView(2, 2);
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "V4", "V1", "V2", "V3"}));
    v.document()->removeView(0);
    v.document()->removeView(-1);
    QCOMPARE(v.viewArea()->count(), 5);
}

// Issue 26, item 7: one click on a title opens its view, as does moving there with
// the keyboard; the notes of the view left behind stay with it.
void TstViewList::singleClickOpensView()
{
    View v;
    makeViews(v);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QListView* list = v.viewListWidget();
    v.widgetChanged(1);
    v.textPane()->setPlainText("typed for V1");
    const QRect r = list->visualRect(v.document()->viewListModel()->index(3, 0));
    QVERIFY(r.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(v.viewArea()->currentIndex(), 3);
    QCOMPARE(v.viewCombo()->currentIndex(), 3);
    QCOMPARE(v.textPane()->toPlainText(), QString("n3"));
    QVERIFY(v.document()->viewListModel()->item(1)->data(Roles::ViewNotes).toString().contains("typed for V1"));
    // The data table opens the same way.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(v.document()->viewListModel()->index(0, 0)).center());
    QCOMPARE(v.viewArea()->currentIndex(), 0);
    QVERIFY(aligned(v));
}

void TstViewList::keyboardSelectionOpensView()
{
    View v;
    makeViews(v);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QListView* list = v.viewListWidget();
    v.widgetChanged(1);
    QCOMPARE(list->currentIndex().row(), 1);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(v.viewArea()->currentIndex(), 2);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(v.viewArea()->currentIndex(), 3);
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(v.viewArea()->currentIndex(), 0);
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(v.viewArea()->currentIndex(), 4);
    QCOMPARE(v.viewCombo()->currentIndex(), 4);
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(v.viewArea()->currentIndex(), 3);
    QCOMPARE(v.textPane()->toPlainText(), QString("n3"));
}

void TstViewList::removalOpensNoOtherView()
{
    View v;
    makeViews(v);
    v.widgetChanged(3);
    // A row removed before the one on screen shifts it, but V3 stays on screen.
    v.document()->removeView(1);
    QCOMPARE(v.document()->viewListModel()->item(v.viewArea()->currentIndex())->text(), QString("V3"));
    QCOMPARE(v.viewListWidget()->currentIndex().row(), v.viewArea()->currentIndex());
    v.document()->moveView(3, 1);
    QCOMPARE(v.document()->viewListModel()->item(v.viewArea()->currentIndex())->text(), QString("V3"));
    QCOMPARE(v.viewListWidget()->currentIndex().row(), v.viewArea()->currentIndex());
    QVERIFY(aligned(v));
}

QTEST_MAIN(TstViewList)
#include "tst_viewlist.moc"
