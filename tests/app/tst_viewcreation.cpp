#include <QItemSelectionModel>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardItemModel>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTemporaryDir>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <typeinfo>

#include "analyses/direktdiagramadapter.h"
#include "analyses/direktmultidiagramadapter.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "analyses/haeufigkeitsprozentdiagramadapter.h"
#include "analyses/haeufigkeitsprozentmultidiagramadapter.h"
#include "analyses/haeufigkeitsverteilungsadapter.h"
#include "analyses/modeldiagramadapter.h"
#include "analyses/spaltenhaeufigkeitsdiagramadapter.h"
#include "analyses/modelmultidiagramadapter.h"
#include "core/roles.h"
#include "analyses/viewtypes.h"
#include "diagrams/tabelle1.h"
#include "app/view.h"
#include "tests/helpers/windowutil.h"
#include "diagrams/diagram.h"
#include "scriptedanswerer.h"

// Making views from the five values, the questions of "Ansicht erstellen" and of the
// CSV import, and exchanging a view's diagram.
class TstViewCreation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void createViewBuildsEachType_data();
    void createViewBuildsEachType();
    void createViewRefusesWhatItCannotMake_data();
    void createViewRefusesWhatItCannotMake();
    void createSelectedViewSingleColumn();
    void createSelectedViewMultiColumnAsksTitle();
    void createSelectedViewCancelsChangeNothing();
    void createSelectedViewSpecialTypeMakesNothingYet();
    void createViewsAfterImport();
    void manyViewsSwitchThePageOnce();
    void typActionExchangesDiagram();
    void typActionCancelKeepsDiagram();
    void typActionKeepsTheLook_data();
    void typActionKeepsTheLook();

private:
    QTemporaryDir m_dir;
};

void TstViewCreation::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
}

void TstViewCreation::createViewBuildsEachType_data()
{
    QTest::addColumn<QString>("adapter");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVector<int>>("columns");
    QTest::addColumn<QString>("adapterClass"); // the dynamic type; not every adapter has a meta-object of its own
    QTest::addColumn<QString>("diagramClass");
    QTest::newRow("pie") << "Häufigkeit" << "TortenDiagram" << QVector<int>{0}
                         << typeid(HaeufigkeitsDiagramAdapter).name() << "TortenDiagram";
    QTest::newRow("percent bars") << "Häufigkeit %" << "BalkenDiagram(V)" << QVector<int>{1}
                                  << typeid(HaeufigkeitsProzentDiagramAdapter).name() << "BalkenDiagram";
    QTest::newRow("histogram") << "HäufigkeitsVerteilung" << "BalkenDiagram(H)"
                               << QVector<int>{2} << typeid(HaeufigkeitsVerteilungsAdapter).name()
                               << "BalkenDiagram_h";
    QTest::newRow("direct") << "Direkt" << "ExcelBalkenDiagram" << QVector<int>{2}
                            << typeid(DirektDiagramAdapter).name() << "ExcelBalkenDiagram";
    QTest::newRow("multi") << "Häufigkeit" << "Tabelle" << QVector<int>{4, 5}
                           << typeid(HaeufigkeitsMultiDiagramAdapter).name() << "TabellenDiagramm";
    QTest::newRow("multi percent") << "Häufigkeit %" << "XmasDiagram" << QVector<int>{4, 5, 6}
                                   << typeid(HaeufigkeitsProzentMultiDiagramAdapter).name() << "XmasDiagram";
    QTest::newRow("multi direct") << "Direkt" << "TortenDiagram" << QVector<int>{1, 2}
                                  << typeid(DirektMultiDiagramAdapter).name() << "TortenDiagram";
    QTest::newRow("combinations") << "Spaltenhäufigkeit" << "TortenDiagram" << QVector<int>{3, 4}
                                  << typeid(SpaltenHaeufigkeitsDiagramAdapter).name() << "TortenDiagram";
}

void TstViewCreation::createViewBuildsEachType()
{
    QFETCH(QString, adapter);
    QFETCH(QString, type);
    QFETCH(QVector<int>, columns);
    QFETCH(QString, adapterClass);
    QFETCH(QString, diagramClass);
    View v;
    const int before = v.viewArea()->count();
    ModelClient* mc = v.document()->createView(adapter, type, columns, "Titel", "Notiz");
    QVERIFY(mc);
    QCOMPARE(QString(typeid(*mc).name()), adapterClass);
    auto* a = dynamic_cast<DiagramAdapter*>(mc);
    QCOMPARE(QString(a->diagram()->metaObject()->className()), diagramClass);
    QCOMPARE(a->diagram()->titleText(), QString("Titel"));
    QCOMPARE(mc->model(), v.document()->dataModel());
    QCOMPARE(v.viewArea()->count(), before + 1);
    QCOMPARE(v.viewArea()->currentWidget(), mc);
    QStandardItem* it = v.document()->viewListModel()->item(before);
    QCOMPARE(it->data(Roles::ViewAdapterType).toString(), adapter);
    QCOMPARE(it->data(Roles::ViewType).toString(), type);
    QStringList cols;
    for (int c : columns)
        cols << QString::number(c);
    QCOMPARE(it->data(Roles::ViewColumns).toStringList(), cols);
    QCOMPARE(it->data(Roles::ViewCategory).toString(),
             QString(columns.size() == 1 ? "Single" : "Multi"));
    if (auto* single = qobject_cast<ModelDiagramAdapter*>(mc))
        QCOMPARE(single->modelColumn(), columns.first());
    if (auto* multi = qobject_cast<ModelMultiDiagramAdapter*>(mc))
        QCOMPARE(multi->spalten(), columns);
}

void TstViewCreation::createViewRefusesWhatItCannotMake_data()
{
    QTest::addColumn<QString>("adapter");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVector<int>>("columns");
    QTest::newRow("unknown adapter") << "Zaehlen" << "TortenDiagram" << QVector<int>{0};
    QTest::newRow("unknown view type") << "Häufigkeit" << "Kuchen" << QVector<int>{0};
    QTest::newRow("no column") << "Häufigkeit" << "TortenDiagram" << QVector<int>{};
    QTest::newRow("single-only adapter for two columns")
        << "HäufigkeitsVerteilung" << "TortenDiagram" << QVector<int>{0, 1};
    QTest::newRow("multi-only adapter for one column")
        << "Spaltenhäufigkeit" << "TortenDiagram" << QVector<int>{0};
    QTest::newRow("statistics with one column") << "" << "Statistik" << QVector<int>{0};
    QTest::newRow("xy plotter with three columns") << "" << "XYPlotter" << QVector<int>{0, 1, 2};
    QTest::newRow("special chi-square entry") << "" << "Chi Quadrat" << QVector<int>{0};
}

void TstViewCreation::createViewRefusesWhatItCannotMake()
{
    QFETCH(QString, adapter);
    QFETCH(QString, type);
    QFETCH(QVector<int>, columns);
    View v;
    const int before = v.viewArea()->count();
    QCOMPARE(v.document()->createView(adapter, type, columns, "T", ""), nullptr);
    QCOMPARE(v.viewArea()->count(), before);
    QCOMPARE(v.document()->viewListModel()->rowCount(), before);
}

void TstViewCreation::createSelectedViewSingleColumn()
{
    View v;
    WindowUtil::selectColumns(v, {2});
    ScriptedAnswerer ans;
    ans.accept(UserInput::Item, "BalkenDiagram(H)").accept(UserInput::Item, "Häufigkeit");
    v.actCreateView->trigger();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked[0].title, QString("Ansicht erstellen"));
    QCOMPARE(ans.asked[0].label, QString("Diagram Typ"));
    QCOMPARE(ans.asked[0].items, ViewTypes::diagramNames() + ViewTypes::specialViewNames());
    QCOMPARE(ans.asked[0].items.size(), 15);
    QCOMPARE(ans.asked[0].items.last(), QString("Batterie"));
    QCOMPARE(ans.asked[0].preset.toInt(), 0);
    QVERIFY(!ans.asked[0].editable);
    QCOMPARE(ans.asked[1].label, QString("Adapter Typ"));
    QCOMPARE(ans.asked[1].items, ViewTypes::singleAdapterNames());
    const int last = v.document()->viewListModel()->rowCount() - 1;
    QCOMPARE(v.document()->viewListModel()->item(last)->text(), QString("BalkenDiagram(H): Spalte 3"));
    QCOMPARE(v.viewArea()->currentIndex(), last);
    auto* a = dynamic_cast<DiagramAdapter*>(v.viewArea()->widget(last));
    QVERIFY(a->diagram()->inherits("BalkenDiagram_h"));
    QCOMPARE(a->diagram()->titleText(), QString("BalkenDiagram(H): Spalte 3"));
}

void TstViewCreation::createSelectedViewMultiColumnAsksTitle()
{
    View v;
    WindowUtil::selectColumns(v, {3, 1});
    ScriptedAnswerer ans;
    ans.accept(UserInput::Item, "TortenDiagram")
        .accept(UserInput::Item, "Spaltenhäufigkeit")
        .accept(UserInput::Text, "Kombiniert");
    v.createSelectedView();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked[1].items, ViewTypes::multiAdapterNames());
    QVERIFY(ans.asked[1].items.contains("Spaltenhäufigkeit"));
    QCOMPARE(ans.asked[2].title, QString("Ansicht erstellen"));
    QCOMPARE(ans.asked[2].label, QString("Titel"));
    QCOMPARE(ans.asked[2].preset.toString(), QString());
    const int last = v.document()->viewListModel()->rowCount() - 1;
    QCOMPARE(v.document()->viewListModel()->item(last)->text(), QString("Kombiniert"));
    auto* m = qobject_cast<ModelMultiDiagramAdapter*>(v.viewArea()->widget(last));
    QVERIFY(m);
    QCOMPARE(m->spalten().size(), 2);
}

void TstViewCreation::createSelectedViewCancelsChangeNothing()
{
    View v;
    WindowUtil::selectColumns(v, {0, 1});
    const int before = v.viewArea()->count();
    ScriptedAnswerer ans;
    ans.cancel(UserInput::Item);
    v.createSelectedView();
    ans.accept(UserInput::Item, "TortenDiagram").cancel(UserInput::Item);
    v.createSelectedView();
    ans.accept(UserInput::Item, "TortenDiagram")
        .accept(UserInput::Item, "Häufigkeit")
        .accept(UserInput::Text, "");
    v.createSelectedView();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.pending(), 0);
    QCOMPARE(v.viewArea()->count(), before);
    QCOMPARE(v.viewArea()->currentIndex(), 0);
}

void TstViewCreation::createSelectedViewSpecialTypeMakesNothingYet()
{
    View v;
    WindowUtil::selectColumns(v, {0});
    const int before = v.viewArea()->count();
    ScriptedAnswerer ans;
    ans.accept(UserInput::Item, "Statistik").accept(UserInput::Text, "Stat");
    v.createSelectedView();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(v.viewArea()->count(), before);
    // The last row is shown even though nothing was made.
    QCOMPARE(v.viewArea()->currentIndex(), before - 1);
}

void TstViewCreation::createViewsAfterImport()
{
    const QString path = m_dir.path() + "/five.csv";
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Eins;Zwei;;Vier;Fuenf\na;b;c;d;e\na;c;c;;e\n");
    f.close();
    View v;
    v.dataTable()->table()->setColumnHidden(1, true);
    ScriptedAnswerer ans;
    ans.accept(UserInput::Question, QMessageBox::Discard)   // the hidden column
        .accept(UserInput::OpenFile, path)
        .accept(UserInput::Item, "BalkenDiagram(V)")
        .accept(UserInput::Item, "Häufigkeit %");
    v.importFile();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(WindowUtil::titles(v), (QStringList{"Datentabelle", "Eins", "Zwei", "3", "Vier", "Fuenf"}));
    QCOMPARE(v.viewArea()->currentIndex(), 0);
    QVERIFY(!v.dataTable()->table()->isColumnHidden(1));
    auto* a = dynamic_cast<DiagramAdapter*>(v.viewArea()->widget(2));
    QCOMPARE(a->diagram()->labelList(), (QStringList{"b", "c"}));
    QCOMPARE(a->diagram()->postfix(), QString("%"));
}

// A wide survey makes one view per column; showing each as it is made would cost a pass
// over all pages per view.
void TstViewCreation::manyViewsSwitchThePageOnce()
{
    const QString path = m_dir.path() + "/wide.csv";
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QStringList header, row;
    for (int c = 0; c < 300; ++c) {
        header << QString("F%1").arg(c);
        row << QString::number(c % 3);
    }
    f.write((header.join(';') + "\n" + row.join(';') + "\n").toUtf8());
    f.close();
    View v;
    QSignalSpy pages(v.viewArea(), &QStackedWidget::currentChanged);
    QSignalSpy combo(v.viewCombo(), &QComboBox::currentIndexChanged);
    ScriptedAnswerer ans;
    ans.accept(UserInput::OpenFile, path)
        .accept(UserInput::Item, "BalkenDiagram(V)")
        .accept(UserInput::Item, "Häufigkeit");
    v.importFile();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(v.viewArea()->count(), 301);
    QCOMPARE(v.viewArea()->currentIndex(), 0);
    QVERIFY2(pages.size() <= 2, qPrintable(QString::number(pages.size())));
    QVERIFY2(combo.size() <= 2, qPrintable(QString::number(combo.size())));
}

void TstViewCreation::typActionExchangesDiagram()
{
    View v;
    ModelClient* mc = v.document()->createView("Häufigkeit", "TortenDiagram", {0}, "Pie", "");
    auto* a = qobject_cast<ModelDiagramAdapter*>(mc);
    QPointer<Diagram> old = a->diagram();
    ScriptedAnswerer ans;
    ans.accept(UserInput::Item, "Tabelle");
    a->typeAction()->trigger();
    QCOMPARE(ans.unexpected, 0);
    QCOMPARE(ans.asked[0].title, QString("Ansicht erstellen"));
    QCOMPARE(ans.asked[0].label, QString("Diagram Typ"));
    QCOMPARE(ans.asked[0].items, ViewTypes::diagramNames());
    QVERIFY(old.isNull());
    QVERIFY(a->diagram()->inherits("TabellenDiagramm"));
    // Recording the new type in the view's item re-titles the diagram from the list.
    QCOMPARE(a->diagram()->titleText(), QString("Pie"));
    QVERIFY(!a->diagram()->values().isEmpty());
    const int row = v.document()->viewIndex(mc);
    QCOMPARE(v.document()->viewListModel()->item(row)->data(Roles::ViewType).toString(), QString("Tabelle"));
}

void TstViewCreation::typActionCancelKeepsDiagram()
{
    View v;
    ModelClient* mc = v.document()->createView("Häufigkeit", "TortenDiagram", {0}, "Pie", "");
    auto* a = qobject_cast<ModelDiagramAdapter*>(mc);
    Diagram* old = a->diagram();
    ScriptedAnswerer ans;
    ans.cancel(UserInput::Item);
    v.changeDiagram(a);
    QCOMPARE(a->diagram(), old);
    const int row = v.document()->viewIndex(mc);
    QCOMPARE(v.document()->viewListModel()->item(row)->data(Roles::ViewType).toString(),
             QString("TortenDiagram"));
    v.changeDiagram(nullptr);
}

void TstViewCreation::typActionKeepsTheLook_data()
{
    QTest::addColumn<QString>("adapter");
    QTest::addColumn<QVector<int>>("columns");
    QTest::newRow("single column") << "Häufigkeit" << QVector<int>{0};
    QTest::newRow("several columns") << "Häufigkeit %" << QVector<int>{0, 1};
    QTest::newRow("chi-square") << "Chi Quadrat" << QVector<int>{0};
}

// Colours and font the user set survive "Typ..."; colours the user never changed are
// the new type's own.
void TstViewCreation::typActionKeepsTheLook()
{
    QFETCH(QString, adapter);
    QFETCH(QVector<int>, columns);
    View v;
    ModelClient* mc = v.document()->createView(adapter, "BalkenDiagram(V)", columns, "Look", "");
    auto* a = dynamic_cast<DiagramAdapter*>(mc);
    QVERIFY(a);
    const QColor chosen(10, 120, 30);
    QList<QColor> colors = a->diagram()->colorList();
    colors[0] = chosen;
    a->diagram()->setColors(colors);
    a->diagram()->setFont(QFont("DejaVu Sans", 14));
    const auto exchange = [&](const QString& type, const char* className) {
        ScriptedAnswerer ans;
        ans.accept(UserInput::Item, type);
        v.changeDiagram(a);
        QCOMPARE(ans.unexpected, 0);
        QVERIFY(a->diagram()->inherits(className));
    };
    exchange("TortenDiagram", "TortenDiagram");
    QCOMPARE(a->diagram()->font().pointSize(), 14);
    QCOMPARE(a->diagram()->colorList().size(), 20);
    QCOMPARE(a->diagram()->colorList().at(0), chosen);
    QCOMPARE(a->diagram()->colorList().at(1), QColor(Qt::blue));   // the pie's own
    exchange("BalkenDiagram(H)", "BalkenDiagram_h");
    QCOMPARE(a->diagram()->font().pointSize(), 14);
    QCOMPARE(a->diagram()->colorList().size(), 10);
    QCOMPARE(a->diagram()->colorList().at(0), chosen);
    QCOMPARE(a->diagram()->colorList().at(1), QColor(Qt::red));

    ModelClient* plain = v.document()->createView(adapter, "TortenDiagram", columns, "Neu", "");
    a = dynamic_cast<DiagramAdapter*>(plain);
    const QFont before = a->diagram()->font();
    exchange("BalkenDiagram(V)", "BalkenDiagram");
    QCOMPARE(a->diagram()->colorList().mid(0, 2), (QList<QColor>{Qt::blue, Qt::red}));
    QCOMPARE(a->diagram()->font(), before);
}

QTEST_MAIN(TstViewCreation)
#include "tst_viewcreation.moc"
