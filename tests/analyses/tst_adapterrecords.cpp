#include <QDataStream>
#include "core/spaltenspeicher.h"
#include <QtTest>
#include <memory>

#include "adapterfactory.h"
#include "analyses/chiquadrat.h"
#include "analyses/direktdiagramadapter.h"
#include "analyses/direktmultidiagramadapter.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "analyses/haeufigkeitsprozentdiagramadapter.h"
#include "analyses/haeufigkeitsprozentmultidiagramadapter.h"
#include "analyses/haeufigkeitsverteilungsadapter.h"
#include "analyses/spaltenhaeufigkeitsdiagramadapter.h"
#include "recordingdiagram.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

// The settings records of the adapters, byte for byte in every record version, read
// back, and read from streams that end early.
class TstAdapterRecords : public QObject
{
    Q_OBJECT
private slots:
    void records_data();
    void records();
    void truncated_data();
    void truncated();
};

namespace {
const QFont font13("DejaVu Sans", 13);
const QList<QColor> twoColors = {QColor(Qt::darkCyan), QColor(1, 2, 3)};

// An adapter of that class with settings that all differ from the defaults.
ModelClient* configured(const QString& cls, SpaltenSpeicher* m)
{
    ModelClient* v = makeAdapter(cls);
    auto* d = new RecordingDiagram;
    d->setFont(font13);
    d->setColors(twoColors);
    dynamic_cast<DiagramAdapter*>(v)->setDiagram(d);
    v->setModel(m);
    if (auto* f = dynamic_cast<HaeufigkeitsDiagramAdapter*>(v))
        f->setDepFilter("x", 1);
    if (auto* f = dynamic_cast<HaeufigkeitsMultiDiagramAdapter*>(v))
        f->setDepFilter("x", 1);
    if (auto* f = dynamic_cast<ChiQuadrat*>(v))
        f->setDepFilter("x", 1);
    if (auto* f = dynamic_cast<HaeufigkeitsVerteilungsAdapter*>(v)) {
        ScriptedAnswerer answers;
        answers.accept(UserInput::Int, 7)
            .accept(UserInput::Double, 1.5)
            .accept(UserInput::Double, 8.5)
            .accept(UserInput::Columns, QVariantList{1})
            .accept(UserInput::Item, "x");
        f->intervalAction();
        f->minMaxAction();
        f->depAction();
    }
    return v;
}

SpaltenSpeicher* data()
{
    return TestUtil::makeModel({"Q", "G"}, {{"1", "x"}, {"2", "y"}, {"3", "x"}});
}

QByteArray saved(ModelClient* v, int version)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    v->saveData(s, version);
    return bytes;
}
} // namespace

void TstAdapterRecords::records_data()
{
    QTest::addColumn<QString>("cls");
    QTest::addColumn<int>("version");
    for (const QString& c : adapterClasses())
        for (int v = 1; v <= 5; ++v)
            QTest::newRow(qPrintable(QString("%1 v%2").arg(c).arg(v))) << c << v;
}

void TstAdapterRecords::records()
{
    QFETCH(QString, cls);
    QFETCH(int, version);
    std::unique_ptr<SpaltenSpeicher> m(data());
    std::unique_ptr<ModelClient> source(configured(cls, m.get()));
    const QByteArray bytes = saved(source.get(), version);

    // The bytes, against a stream built in the documented field order.
    const bool filtered = !cls.endsWith(":Direkt") && !cls.endsWith(":Spaltenhäufigkeit");
    const bool withDiagram = !filtered || version > 1;
    QByteArray expected;
    QDataStream e(&expected, QIODevice::WriteOnly);
    e.setVersion(QDataStream::Qt_4_6);
    if (withDiagram) {
        e << font13 << qint32(2);
        for (const QColor& c : twoColors)
            e << c;
    }
    if (filtered)
        e << QVariant(QString("")) << QString("x") << qint32(1);
    if (cls == "Single:HäufigkeitsVerteilung") {
        e << qint32(7);
        if (version >= 5)
            e << 1.5 << 8.5;
    }
    if (auto* chi = dynamic_cast<ChiQuadrat*>(source.get()))
        e << qint32(chi->classCount()) << chi->mean() << chi->deviation();
    QCOMPARE(bytes.toHex(), expected.toHex());

    // Read back into a fresh view: exactly the record is consumed and applied.
    std::unique_ptr<ModelClient> target(makeAdapter(cls));
    auto* d = new RecordingDiagram;
    dynamic_cast<DiagramAdapter*>(target.get())->setDiagram(d);
    target->setModel(m.get());
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_4_6);
    target->loadData(s, version);
    QVERIFY(s.atEnd());
    QCOMPARE(s.status(), QDataStream::Ok);
    QCOMPARE(d->colorList().size(), withDiagram ? 2 : 10);
    QCOMPARE(d->font().pointSize(), withDiagram ? 13 : QFont().pointSize());
    auto* sourceDiagram = dynamic_cast<DiagramAdapter*>(source.get())->diagram();
    if (auto* f = dynamic_cast<HaeufigkeitsVerteilungsAdapter*>(target.get())) {
        QCOMPARE(f->classCount(), 7);
        QCOMPARE(f->rangeMaximum(), version >= 5 ? 8.5 : 0.0);
        QCOMPARE(f->rowFilter().depValue(), QString("x"));
        if (version >= 5)
            QCOMPARE(d->values(), sourceDiagram->values());
    } else {
        QCOMPARE(d->values(), sourceDiagram->values());
        QCOMPARE(d->labelList(), sourceDiagram->labelList());
    }
}

void TstAdapterRecords::truncated_data()
{
    QTest::addColumn<QString>("cls");
    for (const QString& c : adapterClasses())
        QTest::newRow(qPrintable(c)) << c;
}

void TstAdapterRecords::truncated()
{
    QFETCH(QString, cls);
    std::unique_ptr<SpaltenSpeicher> m(data());
    std::unique_ptr<ModelClient> source(configured(cls, m.get()));
    const QByteArray bytes = saved(source.get(), 5);
    for (int n = 0; n < bytes.size(); ++n) {
        std::unique_ptr<ModelClient> target(makeAdapter(cls));
        target->setModel(m.get());
        dynamic_cast<DiagramAdapter*>(target.get())->setDiagram(new RecordingDiagram);
        QDataStream s(bytes.left(n));
        s.setVersion(QDataStream::Qt_4_6);
        target->loadData(s, 5);
        // Whatever was cut off is not applied half-read.
        if (auto* f = dynamic_cast<HaeufigkeitsDiagramAdapter*>(target.get()))
            QCOMPARE(f->rowFilter().depColumn(), -1);
        if (auto* f = dynamic_cast<HaeufigkeitsMultiDiagramAdapter*>(target.get()))
            QCOMPARE(f->rowFilter().depColumn(), -1);
        if (auto* f = dynamic_cast<HaeufigkeitsVerteilungsAdapter*>(target.get())) {
            QCOMPARE(f->rowFilter().depColumn(), -1);
            QCOMPARE(f->classCount(), 10);
            QCOMPARE(f->rangeMaximum(), 0.0);
        }
    }
}

QTEST_MAIN(TstAdapterRecords)
#include "tst_adapterrecords.moc"
