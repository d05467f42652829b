#include <QGridLayout>
#include <QPointer>
#include "core/spaltenspeicher.h"
#include <QtTest>
#include <memory>

#include "diagrams/vierdiagramview.h"
#include "tests/helpers/testutil.h"

// The four-view container: cells, replacement, ownership and the model handed on.
class TstVierDiagramView : public QObject
{
    Q_OBJECT
private slots:
    void placesAndReplaces();
    void modelReachesEveryClient();
};

namespace {
// A view that notes the models it was given.
class Probe : public ModelClient
{
public:
    QList<SpaltenSpeicher*> models;
    void setModel(SpaltenSpeicher* m) override
    {
        m_model = m;
        models << m;
    }
};
}

void TstVierDiagramView::placesAndReplaces()
{
    VierDiagramView v;
    auto* grid = qobject_cast<QGridLayout*>(v.layout());
    QVERIFY(grid);
    QCOMPARE(grid->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(grid->spacing(), 0);

    auto* only = new Probe;
    v.setClient(only, VierDiagramView::TopLeft);
    QCOMPARE(grid->itemAtPosition(0, 0)->widget(), only);
    QCOMPARE(grid->itemAtPosition(0, 1), nullptr);
    QCOMPARE(only->parentWidget(), &v);

    QPointer<Probe> first = new Probe;
    v.setClient(first, 1);
    auto* second = new Probe;
    v.setClient(second, 1);
    QVERIFY(first.isNull());   // the earlier client at that position is deleted
    QCOMPARE(v.client(1), second);
    QCOMPARE(grid->itemAtPosition(0, 1)->widget(), second);

    auto* bottom = new Probe;
    v.setClient(bottom, VierDiagramView::BottomRight);
    QCOMPARE(grid->itemAtPosition(1, 1)->widget(), bottom);

    // Another position is ignored: not placed, not owned.
    std::unique_ptr<Probe> stray(new Probe);
    v.setClient(stray.get(), 4);
    v.setClient(stray.get(), -1);
    QCOMPARE(stray->parentWidget(), nullptr);
    QCOMPARE(v.client(4), nullptr);
    QCOMPARE(v.client(2), nullptr);
}

void TstVierDiagramView::modelReachesEveryClient()
{
    std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel({"A"}, {{"1"}}));
    VierDiagramView v;
    auto* early = new Probe;
    v.setClient(early, 2);
    QVERIFY(early->models.isEmpty());   // no model yet, nothing handed on
    v.setModel(m.get());
    QCOMPARE(early->models, QList<SpaltenSpeicher*>({m.get()}));
    QCOMPARE(v.model(), m.get());
    auto* late = new Probe;
    v.setClient(late, 3);   // placed after the model was set: it still gets it
    QCOMPARE(late->models, QList<SpaltenSpeicher*>({m.get()}));
}

QTEST_MAIN(TstVierDiagramView)
#include "tst_vierdiagramview.moc"
