#include <QContextMenuEvent>
#include <QGridLayout>
#include <QPointer>
#include "core/spaltenspeicher.h"
#include <QtTest>
#include <QMap>
#include <memory>

#include "adapterfactory.h"
#include "analyses/direktmultidiagramadapter.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "analyses/haeufigkeitsverteilungsadapter.h"
#include "core/rowfilter.h"
#include "diagrams/tortendiagram.h"
#include "recordingdiagram.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

// What both adapter bases give every adapter: class tree, diagram ownership, the
// context menu and recomputation on cell changes.
class TstAdapterBase : public QObject
{
    Q_OBJECT
private slots:
    void classTree_data();
    void classTree();
    void recomputesOnCellChange_data();
    void recomputesOnCellChange();
    void diagramExchange_data();
    void diagramExchange();
    void contextMenu_data();
    void contextMenu();
    void filterEntries_data();
    void filterEntries();
    void typActionEmitsSelf();
};

namespace {
SpaltenSpeicher* numbers()
{
    return TestUtil::makeModel({"A", "B"}, {{"1", "4"}, {"2", "5"}, {"3", "6"}});
}
}

void TstAdapterBase::classTree_data()
{
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("metaName");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("slotList");
    const QStringList frequency = {"updateDiagram()", "depAction()", "undepAction()"};
    const QStringList multiFrequency = {"depAction()", "undepAction()", "updateDiagram()"};
    const QStringList base = {"updateDiagram()", "typAction()"};
    struct Expected {
        QString meta;
        QStringList slotList;
    };
    // Every adapter of the type tables must be described here.
    const QMap<QString, Expected> expected = {
        {"Single:Häufigkeit", {"HaeufigkeitsDiagramAdapter", frequency}},
        {"Single:Häufigkeit %", {"HaeufigkeitsDiagramAdapter", frequency}},
        {"Single:HäufigkeitsVerteilung",
         {"HaeufigkeitsVerteilungsAdapter",
          {"intervalAction()", "depAction()", "undepAction()", "minMaxAction()"}}},
        {"Single:Direkt", {"DirektDiagramAdapter", {"updateDiagram()"}}},
        {"Single:Chi Quadrat", {"ChiQuadrat", frequency}},
        {"Multi:Häufigkeit", {"HaeufigkeitsMultiDiagramAdapter", multiFrequency}},
        {"Multi:Häufigkeit %", {"HaeufigkeitsMultiDiagramAdapter", multiFrequency}},
        {"Multi:Direkt", {"ModelMultiDiagramAdapter", base}},
        {"Multi:Spaltenhäufigkeit", {"ModelMultiDiagramAdapter", base}},
    };
    for (const QString& key : adapterClasses()) {
        const Expected e = expected.value(key, Expected{QStringLiteral("(not described)"), {}});
        QTest::newRow(qPrintable(key))
            << key << e.meta
            << (key.startsWith("Single:") ? QString("ModelDiagramAdapter")
                                          : QString("ModelMultiDiagramAdapter"))
            << e.slotList;
    }
}

void TstAdapterBase::classTree()
{
    QFETCH(QString, cls);
    QFETCH(QString, metaName);
    QFETCH(QString, base);
    QFETCH(QStringList, slotList);
    std::unique_ptr<ModelClient> v(makeAdapter(cls));
    const QMetaObject* mo = v->metaObject();
    QCOMPARE(QString(mo->className()), metaName);
    QStringList own;
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i)
        if (mo->method(i).methodType() == QMetaMethod::Slot)
            own << QString(mo->method(i).methodSignature());
    QCOMPARE(own, slotList);
    const QMetaObject* b = mo;
    while (QString(b->className()) != base)
        b = b->superClass();
    const QMetaMethod signal = b->method(b->indexOfSignal("changeDiagram(DiagramAdapter*)"));
    QCOMPARE(signal.parameterNames(), QList<QByteArray>({"mda"}));
    QVERIFY(v->inherits(qPrintable(base)));
    QVERIFY(!v->inherits(base == "ModelDiagramAdapter" ? "ModelMultiDiagramAdapter"
                                                        : "ModelDiagramAdapter"));
    QVERIFY(dynamic_cast<DiagramAdapter*>(v.get()));
    QCOMPARE(v->minimumSize(), QSize(150, 120));
}

void TstAdapterBase::recomputesOnCellChange_data()
{
    QTest::addColumn<QString>("cls");
    for (const QString& c : adapterClasses())
        QTest::newRow(qPrintable(c)) << c;
}

void TstAdapterBase::recomputesOnCellChange()
{
    QFETCH(QString, cls);
    std::unique_ptr<SpaltenSpeicher> first(numbers());
    std::unique_ptr<SpaltenSpeicher> second(numbers());
    std::unique_ptr<ModelClient> v(makeAdapter(cls));
    auto* d = new RecordingDiagram;
    v->setModel(first.get());
    dynamic_cast<DiagramAdapter*>(v.get())->setDiagram(d);
    QVERIFY(d->calls.contains("setData"));   // setDiagram recomputes at once
    d->calls.clear();

    // A whole column rewritten: one recomputation, after the event loop ran.
    for (int i = 0; i < 20; ++i)
        first->zelle(i % 3, i % 2).setText(QString::number(i));
    QVERIFY(d->calls.isEmpty());
    QTRY_COMPARE(d->calls.count("setData"), 1);
    QCoreApplication::processEvents();
    QCOMPARE(d->calls.count("setData"), 1);

    v->setModel(second.get());
    QCOMPARE(d->calls.count("setData"), 2);   // immediate
    first->zelle(0, 0).setText("99");
    QCoreApplication::processEvents();
    QCOMPARE(d->calls.count("setData"), 2);   // the old model is silent
    second->zelle(0, 0).setText("99");
    QTRY_COMPARE(d->calls.count("setData"), 3);
}

void TstAdapterBase::diagramExchange_data()
{
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("single") << "Single:Häufigkeit" << QStringList{"1", "2", "3"};
    QTest::newRow("multi") << "Multi:Häufigkeit"
                           << QStringList{"1", "2", "3", "4", "5", "6"};
}

void TstAdapterBase::diagramExchange()
{
    QFETCH(QString, cls);
    QFETCH(QStringList, labels);
    std::unique_ptr<SpaltenSpeicher> m(numbers());
    std::unique_ptr<ModelClient> v(makeAdapter(cls));
    auto* a = dynamic_cast<DiagramAdapter*>(v.get());
    v->setModel(m.get());
    a->setTitle("Titel");
    QCOMPARE(a->diagram(), nullptr);
    QPointer<Diagram> old = new RecordingDiagram;
    a->setDiagram(old);
    QCOMPARE(old->titleText(), QString());   // the title is not handed on
    a->setTitle("Titel");
    QCOMPARE(old->titleText(), QString("Titel"));
    v->show();

    auto* pie = new TortenDiagram;
    a->setDiagram(pie);
    QVERIFY(old.isNull());
    QCOMPARE(a->diagram(), pie);
    QCOMPARE(pie->parentWidget(), v.get());
    auto* grid = qobject_cast<QGridLayout*>(v->layout());
    QVERIFY(grid);
    QCOMPARE(grid->itemAtPosition(0, 0)->widget(), pie);
    QCOMPARE(grid->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(pie->labelList(), labels);
    QCOMPARE(pie->titleText(), QString());
    QTRY_VERIFY(pie->isVisible());

    a->setDiagram(pie);   // handed in again: kept, not deleted
    QCOMPARE(a->diagram(), pie);
    QCOMPARE(pie->labelList(), labels);
}

void TstAdapterBase::contextMenu_data()
{
    QTest::addColumn<QString>("cls");
    QTest::addColumn<bool>("listening");
    QTest::addColumn<QStringList>("entries");
    const QStringList tail = {"-", "Farben", "Schriftart"};
    const QStringList typ = {"Typ...", "-"};
    const QStringList filters = {"mit Spalte verknüpfen", "Verknüpfung aufheben"};
    // The frequency views' answers: a submenu of orders and the answers left out.
    const QStringList answers = {"Reihenfolge", "Antworten ausschließen..."};
    // A single column's frequencies also take NETs.
    const QStringList nets = {"Zusammenfassungen..."};
    QTest::newRow("frequency") << "Single:Häufigkeit" << true
                               << typ + filters + answers + nets + tail;
    QTest::newRow("frequency, no listener")
        << "Single:Häufigkeit" << false << filters + answers + nets + tail;
    QTest::newRow("distribution")
        << "Single:HäufigkeitsVerteilung" << true
        << typ + QStringList{"Intervalle"} + filters + QStringList{"Min & Max setzen"} + tail;
    QTest::newRow("direct, no listener") << "Single:Direkt" << false << tail;
    QTest::newRow("multi frequency")
        << "Multi:Häufigkeit %" << true << typ + filters + answers + tail;
    QTest::newRow("combinations") << "Multi:Spaltenhäufigkeit" << true << typ + tail;
    QTest::newRow("combinations, no listener")
        << "Multi:Spaltenhäufigkeit" << false << tail;
}

void TstAdapterBase::contextMenu()
{
    QFETCH(QString, cls);
    QFETCH(bool, listening);
    QFETCH(QStringList, entries);
    std::unique_ptr<ModelClient> v(makeAdapter(cls));
    dynamic_cast<DiagramAdapter*>(v.get())->setDiagram(new RecordingDiagram);
    QObject receiver;
    if (listening) {
        if (auto* s = qobject_cast<ModelDiagramAdapter*>(v.get()))
            connect(s, &ModelDiagramAdapter::changeDiagram, &receiver, [] {});
        else
            connect(qobject_cast<ModelMultiDiagramAdapter*>(v.get()),
                    &ModelMultiDiagramAdapter::changeDiagram, &receiver, [] {});
    }
    ScriptedAnswerer answers;
    answers.cancel(UserInput::Menu);
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(3, 3), QPoint(40, 50));
    QCoreApplication::sendEvent(v.get(), &e);
    QCOMPARE(answers.asked.size(), 1);
    QCOMPARE(answers.asked[0].items, entries);
}

void TstAdapterBase::filterEntries_data()
{
    QTest::addColumn<QString>("cls");
    QTest::newRow("single") << "Single:Häufigkeit %";
    QTest::newRow("distribution") << "Single:HäufigkeitsVerteilung";
    QTest::newRow("multi") << "Multi:Häufigkeit";
}

// The menu entries of every filtering view reach its own filter.
void TstAdapterBase::filterEntries()
{
    QFETCH(QString, cls);
    std::unique_ptr<SpaltenSpeicher> m(
        TestUtil::makeModel({"A", "G"}, {{"1", "x"}, {"2", "y"}, {"2", "x"}}));
    std::unique_ptr<ModelClient> v(makeAdapter(cls));
    auto* d = new RecordingDiagram;
    dynamic_cast<DiagramAdapter*>(v.get())->setDiagram(d);
    v->setModel(m.get());
    const auto filter = [&v]() -> const RowFilter& {
        if (auto* f = dynamic_cast<HaeufigkeitsDiagramAdapter*>(v.get()))
            return f->rowFilter();
        if (auto* f = dynamic_cast<HaeufigkeitsVerteilungsAdapter*>(v.get()))
            return f->rowFilter();
        return dynamic_cast<HaeufigkeitsMultiDiagramAdapter*>(v.get())->rowFilter();
    };
    QVector<QAction*> entries = qobject_cast<ModelDiagramAdapter*>(v.get())
        ? qobject_cast<ModelDiagramAdapter*>(v.get())->actionList()
        : qobject_cast<ModelMultiDiagramAdapter*>(v.get())->actionList();
    const auto entry = [&entries](const QString& text) {
        for (QAction* a : std::as_const(entries))
            if (a->text() == text)
                return a;
        return static_cast<QAction*>(nullptr);
    };
    const QVector<double> unfiltered = d->values();

    ScriptedAnswerer answers;
    answers.accept(UserInput::Columns, QVariantList{1}).accept(UserInput::Item, "y");
    entry("mit Spalte verknüpfen")->trigger();
    QCOMPARE(answers.pending(), 0);
    QCOMPARE(filter().depColumn(), 1);
    QCOMPARE(filter().depValue(), QString("y"));
    QVERIFY(d->values() != unfiltered);

    entry("Verknüpfung aufheben")->trigger();
    QCOMPARE(filter().depColumn(), -1);
    QVERIFY(filter().depValue().isNull());
    QCOMPARE(d->values(), unfiltered);
}

void TstAdapterBase::typActionEmitsSelf()
{
    HaeufigkeitsDiagramAdapter single;
    DirektMultiDiagramAdapter multi;
    QList<DiagramAdapter*> got;
    connect(&single, &ModelDiagramAdapter::changeDiagram, this,
            [&got](DiagramAdapter* a) { got << a; });
    connect(&multi, &ModelMultiDiagramAdapter::changeDiagram, this,
            [&got](DiagramAdapter* a) { got << a; });
    single.typeAction()->trigger();
    multi.typeAction()->trigger();
    QCOMPARE(single.typeAction()->text(), QString("Typ..."));
    QCOMPARE(got, QList<DiagramAdapter*>({&single, &multi}));
}

QTEST_MAIN(TstAdapterBase)
#include "tst_adapterbase.moc"
