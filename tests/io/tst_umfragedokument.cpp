#include <QPointer>
#include <QSettings>
#include <QStackedWidget>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "app/view.h"
#include "commands/spaltenbearbeitung.h"
#include "core/spaltensicht.h"
#include "diagrams/modelclient.h"
#include "diagrams/tabelle1.h"
#include "io/umfragedokument.h"
#include "scriptedanswerer.h"

// The survey document holds no widget of a window: its pages live with it until a
// window's view area takes them, and the window follows what the document does.
class TstUmfrageDokument : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void documentAloneOwnsItsPages();
    void windowFollowsTheViewList();
    void pictureSizeFromTheViewArea();
    void hiddenColumnsFollowTheColumns();
    void tableWidgetAndDocumentAgreeOnHiddenColumns();
    void contextWithoutWindow();
    void fileNameSignalled();

private:
    QTemporaryDir m_dir;
};

void TstUmfrageDokument::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
}

void TstUmfrageDokument::documentAloneOwnsItsPages()
{
    QPointer<QWidget> page;
    {
        UmfrageDokument doc;
        doc.createDemo();
        QVERIFY(doc.viewCount() > 2);
        QVERIFY(!doc.viewPage(0));
        page = doc.viewPage(1);
        QVERIFY(page);
        QVERIFY(!page->parent());
        QPointer<QWidget> removed = doc.viewPage(2);
        doc.removeView(2);
        QVERIFY(!removed);
    }
    QVERIFY(!page);
}

void TstUmfrageDokument::windowFollowsTheViewList()
{
    View v;
    UmfrageDokument* doc = v.document();
    QStackedWidget* area = v.viewArea();
    auto samePages = [&] {
        if (area->count() != doc->viewCount() || area->widget(0) != v.dataTable())
            return false;
        for (int row = 1; row < doc->viewCount(); ++row)
            if (area->widget(row) != doc->viewPage(row) || doc->viewPage(row)->parent() != area)
                return false;
        return true;
    };
    QVERIFY(samePages());

    ModelClient* made = doc->createView("Häufigkeit", "TortenDiagram", {1}, "Neu", "");
    QVERIFY(made);
    QVERIFY(samePages());
    QCOMPARE(area->currentWidget(), made);

    const int last = doc->viewCount() - 1;
    doc->moveView(last, 1);
    QVERIFY(samePages());
    QCOMPARE(area->currentWidget(), made);

    doc->setCurrentView(2);
    QCOMPARE(area->currentIndex(), 2);
    QCOMPARE(doc->currentView(), 2);
    area->setCurrentIndex(3);
    QCOMPARE(doc->currentView(), 3);

    doc->removeView(1);
    QVERIFY(samePages());
    doc->undoStack()->clear();
    doc->clearViews();
    QCOMPARE(area->count(), 1);
}

void TstUmfrageDokument::pictureSizeFromTheViewArea()
{
    UmfrageDokument doc;
    // What an unshown page measures.
    QCOMPARE(doc.pictureSize(), QSize(640, 480));
    View v;
    v.viewArea()->resize(412, 287);
    QCOMPARE(v.document()->pictureSize(), QSize(412, 287));
}

void TstUmfrageDokument::hiddenColumnsFollowTheColumns()
{
    SpaltenSpeicher m(2, 4);
    SpaltenSicht s(&m);
    QCOMPARE(s.hidden(), QVector<bool>(4, false));
    s.setHidden(2, true);
    s.setHidden(9, true); // no such column
    QCOMPARE(s.hidden(), (QVector<bool>{false, false, true, false}));
    m.insertColumns(0, 2);
    QCOMPARE(s.hidden(), (QVector<bool>{false, false, false, false, true, false}));
    m.removeColumns(1, 2);
    QCOMPARE(s.hidden(), (QVector<bool>{false, false, true, false}));
    QVERIFY(s.isHidden(2) && !s.isHidden(-1) && !s.isHidden(4));
    m.clear();
    QVERIFY(s.hidden().isEmpty());
}

void TstUmfrageDokument::tableWidgetAndDocumentAgreeOnHiddenColumns()
{
    View v;
    UmfrageDokument* doc = v.document();
    QTableView* table = v.dataTable()->table();
    doc->spalten()->setHidden(1, true);
    QVERIFY(table->isColumnHidden(1));
    table->setColumnHidden(2, true);
    QVERIFY(doc->spalten()->isHidden(2));
    table->setColumnHidden(1, false);
    QVERIFY(!doc->spalten()->isHidden(1));
    // A bulk fill drops the widget's columns for a while; the hidden ones come back.
    {
        SpaltenSicht::Fuellung fill(doc->spalten());
        QVERIFY(v.dataTable()->isHeld());
        doc->dataModel()->zelle(0, 0).setData(QVariant("x"));
    }
    QVERIFY(!v.dataTable()->isHeld());
    QVERIFY(table->isColumnHidden(2));
    QVERIFY(doc->spalten()->isHidden(2));
    QVERIFY(!table->isColumnHidden(1));

    doc->setHiddenColumns({0, 3, 99});
    QCOMPARE(doc->hiddenColumns(), (QVector<int>{0, 3}));
    QVERIFY(table->isColumnHidden(0) && !table->isColumnHidden(2) && table->isColumnHidden(3));
}

void TstUmfrageDokument::contextWithoutWindow()
{
    UmfrageDokument doc;
    doc.createDemo();
    const TableContext c = doc.tableContext();
    QVERIFY(!c.table);
    QVERIFY(c.columns.isEmpty());
    QCOMPARE(c.spalten, doc.spalten());
    // Going to a column needs a table widget: nothing is asked without one.
    ScriptedAnswerer ans;
    SpaltenBearbeitung::gotoColumn(c);
    QCOMPARE(ans.asked.size(), 0);
}

void TstUmfrageDokument::fileNameSignalled()
{
    UmfrageDokument doc;
    QStringList names;
    connect(&doc, &UmfrageDokument::fileNameChanged, this,
            [&names](const QString& n) { names << n; });
    doc.setFileName("a.stat");
    doc.setFileName("a.stat");
    doc.setFileName("b.stat");
    QCOMPARE(doc.fileName(), QString("b.stat"));
    QCOMPARE(names, (QStringList{"a.stat", "b.stat"}));
}

QTEST_MAIN(TstUmfrageDokument)
#include "tst_umfragedokument.moc"
