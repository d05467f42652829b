#include <QDoubleSpinBox>
#include <QItemSelectionModel>
#include <QListView>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardItemModel>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include "analyses/chiquadrat.h"
#include "analyses/modelaenlichkeits3dview.h"
#include "analyses/modelaenlichkeitstabelle.h"
#include "analyses/statistiktabelle.h"
#include "core/roles.h"
#include "diagrams/tabelle1.h"
#include "app/view.h"
#include "core/spaltensicht.h"
#include "diagrams/balken3ddiagram.h"
#include "diagrams/diagram.h"
#include "diagrams/lineareregression.h"
#include "diagrams/xyplotter.h"
#include "tests/helpers/scriptedanswerer.h"

// The special views and the chi-square view in the main window: made from their type
// names, kept in the statistic file, duplicated and brought back after removal.
class TstSpecialViewFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void createEachSpecialView_data();
    void createEachSpecialView();
    void chiQuadratFromSpecialList_data();
    void chiQuadratFromSpecialList();
    void saveAndLoad();
    void duplicateAndUndoRemoval();

private:
    static void fill(UmfrageDokument& v);
    QTemporaryDir m_dir;
};

void TstSpecialViewFile::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path() + "/cfg");
    QLocale::setDefault(QLocale::c());
}

void TstSpecialViewFile::fill(UmfrageDokument& v)
{
    v.clearViews();
    SpaltenSpeicher* m = v.dataModel();
    m->clear();
    m->setHorizontalHeaderLabels({"Alter", "Gruppe", "Punkte"});
    const QList<QStringList> rows = {{"20", "a", "3"}, {"31", "b", "5"}, {"45", "a", "4"},
                                     {"52", "b", "9"}, {"38", "a", "6"}};
    for (const QStringList& r : rows)
        m->zeileAnfuegen({r[0], r[1], r[2]});
}

void TstSpecialViewFile::createEachSpecialView_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVector<int>>("columns");
    QTest::addColumn<QString>("cls");
    QTest::newRow("similarity") << "Ähnlichkeit" << QVector<int>{0, 1, 2} << "ModelAenlichkeitsTabelle";
    QTest::newRow("similarity 3D") << "Ähnlichkeit 3D" << QVector<int>{1, 2} << "ModelAenlichkeits3dView";
    QTest::newRow("statistics") << "Statistik" << QVector<int>{2, 0} << "StatistikTabelle";
    QTest::newRow("xy") << "XYPlotter" << QVector<int>{0, 2} << "XYPlotter";
    QTest::newRow("regression") << "Lineare Regression" << QVector<int>{0, 2} << "LineareRegression";
}

void TstSpecialViewFile::createEachSpecialView()
{
    QFETCH(QString, type);
    QFETCH(QVector<int>, columns);
    QFETCH(QString, cls);
    View v;
    fill(*v.document());
    ModelClient* mc = v.document()->createView("", type, columns, "Titel", "Notiz");
    QVERIFY(mc);
    QCOMPARE(QString(mc->metaObject()->className()), cls);
    QCOMPARE(mc->model(), v.document()->dataModel());
    QCOMPARE(v.viewArea()->currentWidget(), mc);
    QStandardItem* it = v.document()->viewListModel()->item(v.document()->viewIndex(mc));
    QCOMPARE(it->data(Roles::ViewCategory).toString(), QString("Special"));
    QCOMPARE(it->data(Roles::ViewType).toString(), type);
    if (auto* s = qobject_cast<StatistikTabelle*>(mc))
        QCOMPARE(s->spalten(), columns);
    // Only the statistics table has a settings record, and only from version 3 on.
    const int row = v.document()->viewIndex(mc);
    for (int version = 1; version <= 5; ++version)
        QCOMPARE(v.document()->record(row, version).settings.isEmpty(), cls != "StatistikTabelle" || version < 3);
    if (auto* t = qobject_cast<ModelAenlichkeitsTabelle*>(mc))
        QCOMPARE(t->table()->model()->rowCount(), 5);
    if (auto* d = qobject_cast<ModelAenlichkeits3dView*>(mc))
        QCOMPARE(d->bars()->rowCount(), 5);
    if (auto* p = qobject_cast<XYPlotter*>(mc)) {
        QCOMPARE(p->xSpalte(), 0);
        QCOMPARE(p->ySpalte(), 2);
        QCOMPARE(p->xValues().size(), 5);
    }
    // One column too few, or one too many for the plots: nothing is made.
    const int before = v.document()->viewCount();
    QCOMPARE(v.document()->createView("", type, {0}, "T", ""), nullptr);
    if (type.contains("X") || type.contains("Regression"))
        QCOMPARE(v.document()->createView("", type, {0, 1, 2}, "T", ""), nullptr);
    QCOMPARE(v.document()->viewCount(), before);
}

void TstSpecialViewFile::chiQuadratFromSpecialList_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<bool>("made");
    QTest::newRow("one column") << QList<int>{2} << true;
    QTest::newRow("two columns") << QList<int>{0, 2} << false;
    QTest::newRow("no column") << QList<int>{} << false;
}

void TstSpecialViewFile::chiQuadratFromSpecialList()
{
    QFETCH(QList<int>, selected);
    QFETCH(bool, made);
    View v;
    fill(*v.document());
    QTableView* t = v.dataTable()->table();
    for (int c : selected)
        t->selectionModel()->select(t->model()->index(0, c),
                                    QItemSelectionModel::Select | QItemSelectionModel::Columns);
    const int before = v.document()->viewCount();
    ScriptedAnswerer ans;
    ans.accept(UserInput::Item, "Chi Quadrat").accept(UserInput::Text, "Test auf Normalität");
    v.createSelectedView();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.pending(), 0);
    QCOMPARE(v.document()->viewCount(), before + (made ? 1 : 0));
    if (!made)
        return;
    auto* chi = qobject_cast<ChiQuadrat*>(v.viewArea()->widget(before));
    QVERIFY(chi);
    QStandardItem* it = v.document()->viewListModel()->item(before);
    QCOMPARE(it->text(), QString("Test auf Normalität"));
    QCOMPARE(it->data(Roles::ViewAdapterType).toString(), QString("Chi Quadrat"));
    QCOMPARE(it->data(Roles::ViewType).toString(), QString("BalkenDiagram(V)"));
    QCOMPARE(it->data(Roles::ViewCategory).toString(), QString("Single"));
    QVERIFY(chi->diagram()->inherits("BalkenDiagram"));
    QCOMPARE(chi->diagram()->titleText(), QString("Test auf Normalität"));
    QCOMPARE(chi->modelColumn(), 2);
    QCOMPARE(v.viewArea()->currentIndex(), before);
}

// Every new view in one file, with settings that differ from a new view's.
void TstSpecialViewFile::saveAndLoad()
{
    const QString path = m_dir.path() + "/special.stat";
    {
        UmfrageDokument v;
    v.createDemo();
        fill(v);
        auto* s = qobject_cast<StatistikTabelle*>(v.createView("", "Statistik", {2, 0}, "Stat", ""));
        s->setDepFilter("a", 1);
        QVERIFY(v.createView("", "Ähnlichkeit", {0, 1}, "Ähnlich", ""));
        QVERIFY(v.createView("", "Ähnlichkeit 3D", {1, 2}, "Ähnlich 3D", ""));
        QVERIFY(v.createView("", "XYPlotter", {0, 2}, "XY", ""));
        QVERIFY(v.createView("", "Lineare Regression", {2, 0}, "Regression", ""));
        auto* chi = qobject_cast<ChiQuadrat*>(
            v.createView("Chi Quadrat", "Tabelle", {2}, "Chi", ""));
        QVERIFY(chi);
        chi->classesBox()->setValue(8);
        chi->meanBox()->setValue(5);
        chi->deviationBox()->setValue(2.5);
        chi->setDepFilter("a", 1);
        chi->diagram()->setFont(QFont("DejaVu Sans", 12));
        QVERIFY(v.save(path));
    }
    UmfrageDokument w;
    w.createDemo();
    QVERIFY(w.load(path));
    QCOMPARE(w.viewCount(), 7);
    auto* s = qobject_cast<StatistikTabelle*>(w.viewPage(1));
    QVERIFY(s);
    QCOMPARE(s->spalten(), (QVector<int>{2, 0}));
    QCOMPARE(s->rowFilter().depValue(), QString("a"));
    QCOMPARE(s->rowFilter().depColumn(), 1);
    QCOMPARE(s->table()->item(3, 0)->text(), QString("13"));   // 3 + 4 + 6
    QCOMPARE(s->table()->horizontalHeaderItem(0)->text(), QString("Punkte"));
    QVERIFY(qobject_cast<ModelAenlichkeitsTabelle*>(w.viewPage(2)));
    QCOMPARE(qobject_cast<ModelAenlichkeits3dView*>(w.viewPage(3))->spalten(), (QVector<int>{1, 2}));
    QCOMPARE(QString(w.viewPage(4)->metaObject()->className()), QString("XYPlotter"));
    auto* lr = qobject_cast<LineareRegression*>(w.viewPage(5));
    QVERIFY(lr);
    QCOMPARE(lr->xSpalte(), 2);
    auto* chi = qobject_cast<ChiQuadrat*>(w.viewPage(6));
    QVERIFY(chi);
    QCOMPARE(chi->classesBox()->value(), 8.0);
    QCOMPARE(chi->classCount(), 8);
    QCOMPARE(chi->meanBox()->value(), 5.0);
    QCOMPARE(chi->deviationBox()->value(), 2.5);
    QCOMPARE(chi->rowFilter().depValue(), QString("a"));
    QCOMPARE(chi->diagram()->font().pointSize(), 12);
    QVERIFY(chi->diagram()->inherits("TabellenDiagramm"));
    QCOMPARE(chi->diagram()->values().size(), 16);
    QCOMPARE(w.viewListModel()->item(6)->toolTip(), QString("Tabelle, Chi Quadrat, Spalte:2"));
    QCOMPARE(w.viewListModel()->item(1)->toolTip(), QString("Statistik, , Spalte:2,0"));
}

void TstSpecialViewFile::duplicateAndUndoRemoval()
{
    View v;
    fill(*v.document());
    auto* s = qobject_cast<StatistikTabelle*>(v.document()->createView("", "Statistik", {2, 0}, "Stat", ""));
    s->setDepFilter("b", 1);
    QVERIFY(v.document()->createView("", "XYPlotter", {0, 2}, "XY", ""));
    auto* chi = qobject_cast<ChiQuadrat*>(v.document()->createView("Chi Quadrat", "BalkenDiagram(V)", {2}, "Chi", ""));
    chi->classesBox()->setValue(12);
    chi->setDepFilter("b", 1);

    // Removing the statistics table and undoing brings it back in place, with its
    // filter: the removal keeps the view's newest record.
    v.viewArea()->setCurrentIndex(1);
    v.removeCurrentView();
    QCOMPARE(v.document()->viewCount(), 3);
    v.document()->undoStack()->undo();
    QCOMPARE(v.document()->viewCount(), 4);
    auto* back = qobject_cast<StatistikTabelle*>(v.document()->viewPage(1));
    QVERIFY(back);
    QCOMPARE(back->spalten(), (QVector<int>{2, 0}));
    QCOMPARE(back->rowFilter().depColumn(), 1);
    QCOMPARE(back->rowFilter().depValue(), QString("b"));
    QCOMPARE(back->table()->item(3, 0)->text(), QString("14"));   // 5 + 9

    // The chi-square view keeps its parameters through removal and undo as well.
    v.viewArea()->setCurrentIndex(3);
    v.removeCurrentView();
    v.document()->undoStack()->undo();
    auto* chiBack = qobject_cast<ChiQuadrat*>(v.document()->viewPage(3));
    QVERIFY(chiBack);
    QCOMPARE(chiBack->classCount(), 12);
    QCOMPARE(chiBack->rowFilter().depValue(), QString("b"));

    // "Duplizieren" from the list's menu.
    ScriptedAnswerer ans;
    ans.accept(UserInput::Menu, "Duplizieren");
    const QRect r = v.viewListWidget()->visualRect(v.document()->viewListModel()->index(1, 0));
    v.vListContextMenu(r.center());
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(v.document()->viewCount(), 5);
    auto* copy = qobject_cast<StatistikTabelle*>(v.document()->viewPage(4));
    QVERIFY(copy);
    QCOMPARE(v.document()->viewListModel()->item(4)->text(), QString("Stat(neu)"));
    QCOMPARE(copy->rowFilter().depValue(), QString("b"));
    QCOMPARE(copy->toText(), back->toText());
}

QTEST_MAIN(TstSpecialViewFile)
#include "tst_specialviewfile.moc"
