// Which views a change of the data table recomputes, and how often views that are
// made and set up together are computed.
#include <QDataStream>
#include "core/spaltenspeicher.h"
#include <QtTest>
#include <memory>

#include "analyses/direktdiagramadapter.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "core/recomputescheduler.h"
#include "analyses/statistiktabelle.h"
#include "app/view.h"
#include "diagrams/diagram.h"
#include "testutil.h"

namespace {
// Counts how often its adapter hands it values.
class CountingDiagram : public Diagram
{
public:
    int computed = 0;
    void setData(const QVector<double>& d) override
    {
        ++computed;
        Diagram::setData(d);
    }

protected:
    void paintEvent(QPaintEvent*) override {}
};

template <class Adapter>
CountingDiagram* attach(Adapter& a, SpaltenSpeicher* m)
{
    auto* d = new CountingDiagram;
    a.setModel(m);
    a.setDiagram(d);
    return d;
}
}

class TestViewRecompute : public QObject
{
    Q_OBJECT
private slots:
    void editReachesOnlyViewsOfItsColumns()
    {
        std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
            {"A", "B", "C", "D"},
            {{"ja", "1", "x", "5"}, {"nein", "2", "y", "6"}, {"ja", "2", "x", "7"}}));
        HaeufigkeitsDiagramAdapter onA, onB, linkedToC;
        DirektDiagramAdapter onD;
        HaeufigkeitsMultiDiagramAdapter onAB;
        onA.setModelColumn(0);
        onB.setModelColumn(1);
        linkedToC.setModelColumn(1);
        onD.setModelColumn(3);
        onAB.setSpalten({0, 1});
        CountingDiagram* a = attach(onA, m.get());
        CountingDiagram* b = attach(onB, m.get());
        CountingDiagram* c = attach(linkedToC, m.get());
        CountingDiagram* d = attach(onD, m.get());
        CountingDiagram* ab = attach(onAB, m.get());
        linkedToC.setDepFilter(QStringLiteral("x"), 2);
        QCOMPARE(c->labelList(), QStringList({"1", "2"}));
        const auto counts = [&] {
            return QVector<int>{a->computed, b->computed, c->computed, d->computed, ab->computed};
        };
        QVector<int> before = counts();
        const auto added = [&] {
            QVector<int> now = counts();
            for (int i = 0; i < now.size(); ++i)
                now[i] -= before.at(i);
            before = counts();
            return now;
        };

        m->setData(m->index(1, 0), QStringLiteral("ja"));
        QCoreApplication::processEvents();
        QCOMPARE(added(), QVector<int>({1, 0, 0, 0, 1}));
        QCOMPARE(a->values(), QVector<double>({3}));

        // The linked column decides which rows the linked view counts.
        m->setData(m->index(1, 2), QStringLiteral("x"));
        QCoreApplication::processEvents();
        QCOMPARE(added(), QVector<int>({0, 0, 1, 0, 0}));
        QCOMPARE(c->values(), QVector<double>({1, 2}));

        // A change over several columns reaches every view among them, once.
        m->setData(m->index(0, 3), QStringLiteral("8"));
        m->setData(m->index(0, 1), QStringLiteral("3"));
        QCoreApplication::processEvents();
        QCOMPARE(added(), QVector<int>({0, 1, 1, 1, 1}));
        QCOMPARE(d->values(), QVector<double>({8, 6, 7}));

        // Rows or columns inserted: column numbers no longer tell, so the next change
        // reaches every view, wherever it is.
        m->insertColumn(0);
        QCoreApplication::processEvents();
        QCOMPARE(added(), QVector<int>({0, 0, 0, 0, 0}));
        m->setData(m->index(0, 0), QStringLiteral("neu"));
        QCoreApplication::processEvents();
        QCOMPARE(added(), QVector<int>({1, 1, 1, 1, 1}));
        // ... and only that one.
        m->setData(m->index(1, 0), QStringLiteral("neu"));
        QCoreApplication::processEvents();
        QCOMPARE(added(), QVector<int>({1, 0, 0, 0, 1}));

        m->removeRow(2);
        m->setData(m->index(0, 3), QStringLiteral("z"));
        QCoreApplication::processEvents();
        QCOMPARE(added(), QVector<int>({1, 1, 1, 1, 1}));
    }

    // A view made and then given its settings, as loading a file does, is computed
    // once, and is current when the creation ends.
    void viewsMadeTogetherAreComputedOnce()
    {
        std::unique_ptr<SpaltenSpeicher> m(TestUtil::makeModel(
            {"A", "B"}, {{"ja", "x"}, {"nein", "y"}, {"ja", "x"}}));
        QByteArray settings;
        {
            HaeufigkeitsDiagramAdapter linked;
            linked.setModelColumn(0);
            attach(linked, m.get());
            linked.setDepFilter(QStringLiteral("x"), 1);
            QDataStream s(&settings, QIODevice::WriteOnly);
            s.setVersion(QDataStream::Qt_4_6);
            linked.saveData(s, 5);
        }

        View host;
        HaeufigkeitsDiagramAdapter loaded;
        StatistikTabelle table;
        CountingDiagram* d = nullptr;
        host.document()->setCreatingMany(true);
        {
            loaded.setModelColumn(0);
            d = attach(loaded, m.get());
            QDataStream s(settings);
            s.setVersion(QDataStream::Qt_4_6);
            loaded.loadData(s, 5);
            table.setModel(m.get());
            table.setSpalten({0, 1});
            // Cell changes meanwhile are part of the same computation.
            m->setData(m->index(1, 0), QStringLiteral("vielleicht"));
            QCOMPARE(d->computed, 0);
        }
        host.document()->setCreatingMany(false);
        QCOMPARE(d->computed, 1);
        QCOMPARE(d->labelList(), QStringList({"ja"}));
        QCOMPARE(d->values(), QVector<double>({2}));
        QCoreApplication::processEvents();
        QCOMPARE(d->computed, 1);

        // Without the creation under way each step computes at once.
        loaded.setDepFilter(QString(), -1);
        QCOMPARE(d->computed, 2);
        QCOMPARE(d->labelList(), QStringList({"ja", "vielleicht"}));
    }
};

QTEST_MAIN(TestViewRecompute)
#include "tst_viewrecompute.moc"
