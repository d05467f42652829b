#include <QContextMenuEvent>
#include <QDataStream>
#include <QFile>
#include <QPainter>
#include "core/spaltenspeicher.h"
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include "core/regressionsgerade.h"
#include "io/statistikdatei.h"
#include "diagrams/lineareregression.h"
#include "diagrams/xyplotter.h"
#include "io/umfragedokument.h"
#include "tests/helpers/scriptedanswerer.h"
#include "tests/helpers/testutil.h"

// The dependency filter of the XY plot and the regression view, set by the user through
// the view's menu: the points and the line it leaves, the lines under the plot, and that
// the statistic file and the views file keep it.
class TstXYFilter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void filterThroughTheMenu();
    void recordBytes();
    void unfilteredFileUnchanged();

private:
    QTemporaryDir m_dir;
};

namespace {
// Group a lies on y = 2x, group b scatters.
void fillXY(UmfrageDokument& doc)
{
    doc.startNewTable();
    TestUtil::fillModel(doc.dataModel(), {"X", "Y", "Gruppe"},
                        {{"1", "2", "a"}, {"1", "5", "b"}, {"2", "4", "a"},
                         {"2", "1", "b"}, {"3", "6", "a"}, {"4", "9", "b"}});
}

XYPlotGeometry::Layout layoutOfView(const XYPlotter& p, QImage* img)
{
    QPainter painter(img);
    return p.plotLayout(painter, img->size());
}

// Dark pixels in the text line whose baseline is at y, from x = 5 on.
int inkInLine(const QImage& img, int y, int ascent)
{
    int ink = 0;
    for (int row = std::max(0, y - ascent); row <= y && row < img.height(); ++row)
        for (int x = 5; x < img.width() / 2; ++x)
            ink += img.pixelColor(x, row).lightness() < 128 ? 1 : 0;
    return ink;
}
}

void TstXYFilter::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QLocale::setDefault(QLocale::c());
}

void TstXYFilter::filterThroughTheMenu()
{
    UmfrageDokument doc;
    fillXY(doc);
    auto* view = qobject_cast<LineareRegression*>(
        doc.createView("", "Lineare Regression", {0, 1}, "Regression", ""));
    QVERIFY(view);
    doc.markUnchanged();
    const Regressionsgerade all = Regressionsgerade::fit(view->xValues(), view->yValues());
    QCOMPARE(view->xValues().size(), 6);
    QCOMPARE(view->neededVersion(), 0);

    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Menu, "mit Spalte verknüpfen")
            .accept(UserInput::Columns, QVariantList{2})
            .accept(UserInput::Item, "a");
        TestUtil::openContextMenu(view);
        QCOMPARE(ans.unexpected, 0);
        QCOMPARE(ans.asked.first().items,
                 (QStringList{"mit Spalte verknüpfen", "Verknüpfung aufheben"}));
    }
    // Only the rows of group a are plotted, and the line is theirs: y = 2x exactly.
    QCOMPARE(view->xValues(), (QVector<double>{1, 2, 3}));
    QCOMPARE(view->yValues(), (QVector<double>{2, 4, 6}));
    const Regressionsgerade a = Regressionsgerade::fit(view->xValues(), view->yValues());
    QVERIFY(a.defined);
    QCOMPARE(a.b, 2.0);
    QVERIFY(qAbs(a.a) < 1e-12);
    QVERIFY(all.b != a.b);
    QVERIFY(doc.isChanged());
    QCOMPARE(view->neededVersion(), int(StatistikDatei::XYFilterVersion));

    // Under the plot: the filter, then the base; the plot moves up by one line for them.
    QImage img(QSize(320, 240), QImage::Format_ARGB32);
    img.fill(Qt::white);
    const XYPlotGeometry::Layout l = layoutOfView(*view, &img);
    QCOMPARE(l.points, 3);
    QCOMPARE(view->captionLines(l.points), (QStringList{"Filter: Gruppe = a", "n = 3"}));
    {
        QPainter p(&img);
        view->paint(p, img.size());
    }
    const int ascent = view->fontMetrics().ascent();
    QVERIFY(inkInLine(img, l.captionPos.y(), ascent) > 10);
    QVERIFY(inkInLine(img, l.captionPos.y() + l.lineHeight, ascent) > 10);
    QVERIFY(l.captionPos.y() + l.lineHeight < img.height());
    QVERIFY(l.captionPos.y() - ascent > l.labels.at(1).pos.y());   // under the x axis's name

    // The statistic file: the new version, read back exactly, and the same bytes again.
    const QString stat = m_dir.path() + "/xy.stat";
    QVERIFY(doc.save(stat));
    QCOMPARE(TestUtil::fileBytes(stat).left(6).toHex(), QByteArray("ffaa01bb000a"));
    UmfrageDokument loaded;
    {
        ScriptedAnswerer ans;
        QVERIFY(loaded.load(stat));
        QCOMPARE(ans.asked.size(), 0);
    }
    auto* view2 = qobject_cast<LineareRegression*>(loaded.viewPage(1));
    QVERIFY(view2);
    QCOMPARE(view2->rowFilter().depColumn(), 2);
    QCOMPARE(view2->rowFilter().depValue(), QString("a"));
    QCOMPARE(view2->xValues(), view->xValues());
    QCOMPARE(view2->yValues(), view->yValues());
    const QString again = m_dir.path() + "/xy2.stat";
    QVERIFY(loaded.save(again));
    QCOMPARE(TestUtil::fileBytes(again).toHex(), TestUtil::fileBytes(stat).toHex());

    // The views file names the version and applies the filter to another survey.
    const QString csv = m_dir.path() + "/xy.csv";
    QVERIFY(doc.exportViewsCSV(csv));
    QVERIFY(TestUtil::fileBytes(csv).contains("#Views Version:10\n"));
    UmfrageDokument applied;
    fillXY(applied);
    QVERIFY(applied.importViewsCSV(csv));
    auto* view3 = qobject_cast<XYPlotter*>(applied.viewPage(1));
    QVERIFY(view3);
    QCOMPARE(view3->xValues(), view->xValues());

    // Removed and brought back by undo, the view keeps its filter.
    doc.removeViewUndoable(1);
    doc.undoStack()->undo();
    auto* back = qobject_cast<XYPlotter*>(doc.viewPage(1));
    QVERIFY(back);
    QCOMPARE(back->rowFilter().depColumn(), 2);
    QCOMPARE(back->xValues(), view2->xValues());

    // A program that knows this version at most refuses the next one as too new.
    QByteArray newer = TestUtil::fileBytes(stat);
    newer[5] = char(StatistikDatei::NewestVersion + 1);
    const QString newerPath = m_dir.path() + "/neuer.stat";
    {
        QFile f(newerPath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(newer);
    }
    UmfrageDokument refused;
    {
        const Ergebnis e = refused.load(newerPath);
        QVERIFY(!e);
        QVERIFY(e.meldung().contains("neueren Programmversion"));
    }

    // "Verknüpfung aufheben": all rows again, the record needs no new version.
    {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Menu, "Verknüpfung aufheben");
        TestUtil::openContextMenu(view2);
        QCOMPARE(ans.unexpected, 0);
    }
    QCOMPARE(view2->xValues().size(), 6);
    QCOMPARE(view2->neededVersion(), 0);
    QCOMPARE(view2->captionLines(6), QStringList{"n = 6"});
}

// The record: nothing up to version 9 (as every XY plot wrote it), from 10 on the
// filter record; a damaged record leaves the view unfiltered.
void TstXYFilter::recordBytes()
{
    UmfrageDokument doc;
    fillXY(doc);
    auto* view = qobject_cast<XYPlotter*>(doc.createView("", "XYPlotter", {0, 1}, "XY", ""));
    QVERIFY(view);
    view->setDepFilter("b", 2);
    QCOMPARE(doc.record(1, StatistikDatei::KreuzSetVersion).settings, QByteArray());
    // Input filter (the empty text), dependency value "b", column 2.
    const QByteArray expected = QByteArray::fromHex("0000000a0000000000"
                                                    "000000020062"
                                                    "00000002");
    QCOMPARE(doc.record(1, StatistikDatei::XYFilterVersion).settings.toHex(), expected.toHex());

    XYPlotter fresh;
    fresh.setModel(doc.dataModel());
    fresh.setSpalten(0, 1);
    QDataStream cut(expected.left(expected.size() - 2));
    cut.setVersion(QDataStream::Qt_4_6);
    fresh.loadData(cut, StatistikDatei::XYFilterVersion);
    QCOMPARE(fresh.rowFilter().depColumn(), -1);
    QCOMPARE(fresh.xValues().size(), 6);
    QDataStream whole(expected);
    whole.setVersion(QDataStream::Qt_4_6);
    fresh.loadData(whole, StatistikDatei::XYFilterVersion);
    QCOMPARE(fresh.xValues(), (QVector<double>{1, 2, 4}));
}

// An XY plot whose filter was set and taken off again is written as one never filtered.
void TstXYFilter::unfilteredFileUnchanged()
{
    UmfrageDokument never;
    fillXY(never);
    QVERIFY(never.createView("", "XYPlotter", {0, 1}, "XY", ""));
    const QString neverPath = m_dir.path() + "/nie.stat";
    QVERIFY(never.save(neverPath));
    QCOMPARE(TestUtil::fileBytes(neverPath).left(6).toHex(), QByteArray("ffaa01bb0005"));

    UmfrageDokument undone;
    fillXY(undone);
    auto* view = qobject_cast<XYPlotter*>(undone.createView("", "XYPlotter", {0, 1}, "XY", ""));
    view->setDepFilter("a", 2);
    view->undepAction();
    const QString undonePath = m_dir.path() + "/wieder.stat";
    QVERIFY(undone.save(undonePath));
    QCOMPARE(TestUtil::fileBytes(undonePath).toHex(), TestUtil::fileBytes(neverPath).toHex());
}

QTEST_MAIN(TstXYFilter)
#include "tst_xyfilter.moc"
