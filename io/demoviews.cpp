#include "io/demoviews.h"

#include <QCoreApplication>
#include "core/spaltenspeicher.h"

#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "analyses/haeufigkeitsprozentdiagramadapter.h"
#include "analyses/haeufigkeitsprozentmultidiagramadapter.h"
#include "diagrams/balkendiagram.h"
#include "diagrams/tortendiagram.h"
#include "diagrams/vierdiagramview.h"

namespace {
QString viewTr(const char* text)
{
    return QCoreApplication::translate("View", text);
}

DemoViews::Entry made(const QString& adapterType, const QString& viewType,
                      const QVector<int>& columns, const QString& title)
{
    DemoViews::Entry e;
    e.record.adapterType = adapterType;
    e.record.viewType = viewType;
    e.record.columns = columns;
    e.record.title = title;
    e.record.notes = QLatin1String("");
    return e;
}

DemoViews::Entry container(DemoViews::Kind kind, const QString& title)
{
    DemoViews::Entry e;
    e.kind = kind;
    e.record.title = title;
    return e;
}
}

QVector<DemoViews::Entry> DemoViews::plan(const SpaltenSpeicher* model)
{
    auto titleOf = [model](int c) {
        return model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    const QString torte = QStringLiteral("TortenDiagram");
    const QString balkenH = QStringLiteral("BalkenDiagram(H)");
    const QString haeufigkeit = QStringLiteral("Häufigkeit");
    const QString prozent = QStringLiteral("Häufigkeit %");
    const QString verteilung = QStringLiteral("HäufigkeitsVerteilung");

    QVector<Entry> out{
        made(haeufigkeit, torte, {0}, titleOf(0)),
        made(haeufigkeit, torte, {1}, titleOf(1)),
        made(QStringLiteral("Direkt"), torte, {2}, titleOf(2)),
        made(prozent, torte, {3}, titleOf(3)),
        made(verteilung, balkenH, {4}, titleOf(4)),
        made(QStringLiteral("Spaltenhäufigkeit"), torte, {1, 2, 3},
             QStringLiteral("Mehrspalten Test")),
        made(QLatin1String(""), QStringLiteral("Ähnlichkeit"), {0, 1, 2, 3},
             QStringLiteral("Ähnlichkeits Test")),
        container(FourViews, viewTr("Vier Ansichten")),
        container(MultiFourViews, viewTr("Häufigkeits Multi Test")),
        made(prozent, QStringLiteral("ExcelBalkenDiagram"), {8, 7, 6},
             viewTr("Häufigkeits Multi Excel")),
    };
    const int n = model->columnCount();
    for (int c = 1; c < n; ++c)
        out << made(verteilung, balkenH, {c}, viewTr("Balken Direkt Spalte %1").arg(c + 1));
    for (int c = 0; c < n; ++c)
        out << made(prozent, QStringLiteral("BalkenDiagram(V)"), {c},
                    viewTr("Balken Häufigkeit Spalte %1").arg(c + 1));
    return out;
}

ModelClient* DemoViews::makeContainer(Kind kind, SpaltenSpeicher* model)
{
    if (kind == Made)
        return nullptr;
    auto* v = new VierDiagramView(nullptr);
    v->setModel(model);
    if (kind == FourViews) {
        // Each client gets the model when it is placed, then its column, diagram and
        // the title of its column.
        auto place = [v, model](ModelDiagramAdapter* a, int column, Diagram* d, int slot) {
            v->setClient(a, slot);
            a->setModelColumn(column);
            a->setDiagram(d);
            a->setTitle(model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
        };
        place(new HaeufigkeitsDiagramAdapter, 0, new TortenDiagram, 0);
        place(new HaeufigkeitsDiagramAdapter, 1, new TortenDiagram, 1);
        place(new HaeufigkeitsProzentDiagramAdapter, 0, new BalkenDiagram, 2);
        place(new HaeufigkeitsProzentDiagramAdapter, 1, new BalkenDiagram, 3);
    } else {
        // Two multi-column charts over the columns 1, 3 and 4, without titles.
        auto place = [v](ModelMultiDiagramAdapter* a, int slot) {
            v->setClient(a, slot);
            a->setDiagram(new BalkenDiagram);
            a->setSpalten({1, 3, 4});
        };
        place(new HaeufigkeitsMultiDiagramAdapter, 0);
        place(new HaeufigkeitsProzentMultiDiagramAdapter, 1);
    }
    return v;
}
