#include <QStackedWidget>
#include <QStandardItemModel>
#include "core/spaltenspeicher.h"
#include <QTest>
#include <QUndoStack>

#include "diagrams/modelclient.h"
#include "core/roles.h"
#include "app/view.h"
#include "analyses/viewtypes.h"
#include "io/demoviews.h"
#include "scriptedanswerer.h"

namespace {
// Whether this build can make the view of a plan entry.
bool available(const DemoViews::Entry& e, SpaltenSpeicher* model)
{
    if (e.kind != DemoViews::Made) {
        ModelClient* c = DemoViews::makeContainer(e.kind, model);
        const bool made = c != nullptr;
        delete c;
        return made;
    }
    if (const ViewTypes::SpecialViewType* s = ViewTypes::specialViewType(e.record.viewType))
        return bool(s->make);
    return true;
}
}

class TstDemoViews : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void planInOrder();
    void viewListFollowsThePlan();
};

void TstDemoViews::initTestCase()
{
    QCoreApplication::setOrganizationName("Orvinsk-Test");
    QCoreApplication::setApplicationName("tst_demoviews");
}

void TstDemoViews::planInOrder()
{
    SpaltenSpeicher m(0, 9);
    m.setHorizontalHeaderLabels({"Text", "0-8", "0-99", "0-2", "0-3", "0-3", "0-3", "0-3", "0-3"});
    const QVector<DemoViews::Entry> plan = DemoViews::plan(&m);
    QCOMPARE(plan.size(), 27);

    struct Row {
        DemoViews::Kind kind;
        QString adapter, viewType;
        QVector<int> columns;
        QString title;
    };
    const DemoViews::Kind M = DemoViews::Made;
    QList<Row> expected{
        {M, "Häufigkeit", "TortenDiagram", {0}, "Text"},
        {M, "Häufigkeit", "TortenDiagram", {1}, "0-8"},
        {M, "Direkt", "TortenDiagram", {2}, "0-99"},
        {M, "Häufigkeit %", "TortenDiagram", {3}, "0-2"},
        {M, "HäufigkeitsVerteilung", "BalkenDiagram(H)", {4}, "0-3"},
        {M, "Spaltenhäufigkeit", "TortenDiagram", {1, 2, 3}, "Mehrspalten Test"},
        {M, "", "Ähnlichkeit", {0, 1, 2, 3}, "Ähnlichkeits Test"},
        {DemoViews::FourViews, "", "", {}, "Vier Ansichten"},
        {DemoViews::MultiFourViews, "", "", {}, "Häufigkeits Multi Test"},
        {M, "Häufigkeit %", "ExcelBalkenDiagram", {8, 7, 6}, "Häufigkeits Multi Excel"},
    };
    for (int c = 1; c <= 8; ++c)
        expected << Row{M, "HäufigkeitsVerteilung", "BalkenDiagram(H)", {c},
                        QString("Balken Direkt Spalte %1").arg(c + 1)};
    for (int c = 0; c <= 8; ++c)
        expected << Row{M, "Häufigkeit %", "BalkenDiagram(V)", {c},
                        QString("Balken Häufigkeit Spalte %1").arg(c + 1)};
    QCOMPARE(expected.size(), 27);
    for (int i = 0; i < 27; ++i) {
        const DemoViews::Entry& e = plan[i];
        QCOMPARE(e.kind, expected[i].kind);
        QCOMPARE(e.record.title, expected[i].title);
        QCOMPARE(e.record.adapterType, expected[i].adapter);
        QCOMPARE(e.record.viewType, expected[i].viewType);
        QCOMPARE(e.record.columns, expected[i].columns);
    }
}

void TstDemoViews::viewListFollowsThePlan()
{
    View v;
    for (int run = 0; run < 2; ++run) {
        if (run == 1) {
            v.document()->undoStack()->push(new QUndoCommand("x"));
            ScriptedAnswerer ans;   // the undo step is unsaved work
            ans.accept(UserInput::Question, QMessageBox::Discard);
            v.actNeu->trigger();
            QCOMPARE(ans.unexpected, 0);
        }
        SpaltenSpeicher* m = v.document()->dataModel();
        QCOMPARE(m->rowCount(), 100);
        QCOMPARE(m->columnCount(), 9);
        QVERIFY(!v.document()->undoStack()->canUndo());
        QCOMPARE(v.viewArea()->currentIndex(), 0);
        QCOMPARE(v.document()->fileName(), QString());

        // Every view of the plan that this build can make, in the plan's order.
        QStringList titles, types;
        for (const DemoViews::Entry& e : DemoViews::plan(m)) {
            if (!available(e, m))
                continue;
            titles << e.record.title;
            types << e.record.viewType;
        }
        QVERIFY(titles.size() >= 24);
        QCOMPARE(v.document()->viewCount(), 1 + titles.size());
        for (int i = 0; i < titles.size(); ++i) {
            const QStandardItem* it = v.document()->viewListModel()->item(i + 1);
            QCOMPARE(it->text(), titles[i]);
            // The containers are only appended: they carry no view type.
            QCOMPARE(it->data(Roles::ViewType).toString(), types[i]);
        }
        QCOMPARE(v.document()->viewListModel()->item(v.document()->viewCount() - 1)->text(),
                 QString("Balken Häufigkeit Spalte 9"));
    }
}

QTEST_MAIN(TstDemoViews)
#include "tst_demoviews.moc"
