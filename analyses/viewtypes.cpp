#include "analyses/viewtypes.h"

#include "analyses/batterie.h"
#include "analyses/chiquadrat.h"
#include "analyses/direktdiagramadapter.h"
#include "analyses/direktmultidiagramadapter.h"
#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/haeufigkeitsmultidiagramadapter.h"
#include "analyses/haeufigkeitsprozentdiagramadapter.h"
#include "analyses/haeufigkeitsprozentmultidiagramadapter.h"
#include "analyses/haeufigkeitsverteilungsadapter.h"
#include "analyses/kreuztabelle.h"
#include "analyses/mehrfachantworten.h"
#include "analyses/modelaenlichkeits3dview.h"
#include "analyses/modelaenlichkeitstabelle.h"
#include "analyses/spaltenhaeufigkeitsdiagramadapter.h"
#include "analyses/statistiktabelle.h"
#include "diagrams/balkendiagram.h"
#include "diagrams/balkendiagram_h.h"
#include "diagrams/excelbalkendiagram.h"
#include "diagrams/lineareregression.h"
#include "diagrams/tabellendiagramm.h"
#include "diagrams/tortendiagram.h"
#include "diagrams/xmasdiagram.h"
#include "diagrams/xyplotter.h"

namespace {
template <typename Row>
QStringList namesOf(const QVector<Row>& rows)
{
    QStringList out;
    for (const Row& r : rows)
        out << r.name;
    return out;
}

// The special views get the data table first, then their columns.
template <typename V>
ModelClient* makeColumnsView(SpaltenSpeicher* m, const QVector<int>& columns)
{
    auto* v = new V;
    v->setModel(m);
    v->setSpalten(columns);
    return v;
}

template <typename V>
ModelClient* makeXYView(SpaltenSpeicher* m, const QVector<int>& columns)
{
    auto* v = new V;
    v->setModel(m);
    v->setSpalten(columns.at(0), columns.at(1));
    return v;
}

template <typename Row>
const Row* find(const QVector<Row>& rows, const QString& name)
{
    for (const Row& r : rows)
        if (r.name == name)
            return &r;
    return nullptr;
}
}

const QVector<ViewTypes::DiagramType>& ViewTypes::diagramTypes()
{
    static const QVector<DiagramType> rows = {
        {QStringLiteral("TortenDiagram"), [] { return new TortenDiagram; }},
        {QStringLiteral("BalkenDiagram(V)"), [] { return new BalkenDiagram; }},
        {QStringLiteral("BalkenDiagram(H)"), [] { return new BalkenDiagram_h; }},
        {QStringLiteral("ExcelBalkenDiagram"), [] { return new ExcelBalkenDiagram; }},
        {QStringLiteral("Tabelle"), [] { return new TabellenDiagramm; }},
        {QStringLiteral("XmasDiagram"), [] { return new XmasDiagram; }},
    };
    return rows;
}

const QVector<ViewTypes::SingleAdapterType>& ViewTypes::singleAdapterTypes()
{
    static const QVector<SingleAdapterType> rows = {
        {QStringLiteral("Häufigkeit"), [] { return new HaeufigkeitsDiagramAdapter; }},
        {QStringLiteral("Häufigkeit %"), [] { return new HaeufigkeitsProzentDiagramAdapter; }},
        {QStringLiteral("HäufigkeitsVerteilung"), [] { return new HaeufigkeitsVerteilungsAdapter; }},
        {QStringLiteral("Direkt"), [] { return new DirektDiagramAdapter; }},
        {QStringLiteral("Chi Quadrat"), [] { return new ChiQuadrat; }},
    };
    return rows;
}

const QVector<ViewTypes::MultiAdapterType>& ViewTypes::multiAdapterTypes()
{
    static const QVector<MultiAdapterType> rows = {
        {QStringLiteral("Häufigkeit"), [] { return new HaeufigkeitsMultiDiagramAdapter; }},
        {QStringLiteral("Häufigkeit %"), [] { return new HaeufigkeitsProzentMultiDiagramAdapter; }},
        {QStringLiteral("Direkt"), [] { return new DirektMultiDiagramAdapter; }},
        {QStringLiteral("Spaltenhäufigkeit"), [] { return new SpaltenHaeufigkeitsDiagramAdapter; }},
    };
    return rows;
}

const QVector<ViewTypes::SpecialViewType>& ViewTypes::specialViewTypes()
{
    static const QVector<SpecialViewType> rows = {
        {QStringLiteral("Ähnlichkeit"), 2, -1, &makeColumnsView<ModelAenlichkeitsTabelle>},
        {QStringLiteral("Ähnlichkeit 3D"), 2, -1, &makeColumnsView<ModelAenlichkeits3dView>},
        {QStringLiteral("Statistik"), 2, -1, &makeColumnsView<StatistikTabelle>},
        {QStringLiteral("XYPlotter"), 2, 2, &makeXYView<XYPlotter>},
        {QStringLiteral("Lineare Regression"), 2, 2, &makeXYView<LineareRegression>},
        // Offered by "Ansicht erstellen" as the chi-square adapter on a bar diagram;
        // never a view type of its own.
        {QStringLiteral("Chi Quadrat"), 1, 1, nullptr},
        // The first column gives the rows, every further one a block of columns.
        {QStringLiteral("Kreuztabelle"), 2, -1, &makeColumnsView<Kreuztabelle>},
        // One multiple-choice set, its columns the options in order.
        {QStringLiteral("Mehrfachantworten"), 1, -1, &makeColumnsView<Mehrfachantworten>},
        // Rating items of one scale as diverging bars.
        {QStringLiteral("Batterie"), 1, -1, &makeColumnsView<Batterie>},
    };
    return rows;
}

QStringList ViewTypes::diagramNames() { return namesOf(diagramTypes()); }
QStringList ViewTypes::singleAdapterNames() { return namesOf(singleAdapterTypes()); }
QStringList ViewTypes::multiAdapterNames() { return namesOf(multiAdapterTypes()); }
QStringList ViewTypes::specialViewNames() { return namesOf(specialViewTypes()); }

Diagram* ViewTypes::makeDiagram(const QString& name)
{
    const DiagramType* r = find(diagramTypes(), name);
    return r && r->make ? r->make() : nullptr;
}

ModelDiagramAdapter* ViewTypes::makeSingleAdapter(const QString& name)
{
    const SingleAdapterType* r = find(singleAdapterTypes(), name);
    return r && r->make ? r->make() : nullptr;
}

ModelMultiDiagramAdapter* ViewTypes::makeMultiAdapter(const QString& name)
{
    const MultiAdapterType* r = find(multiAdapterTypes(), name);
    return r && r->make ? r->make() : nullptr;
}

const ViewTypes::SpecialViewType* ViewTypes::specialViewType(const QString& name)
{
    return find(specialViewTypes(), name);
}

ModelClient* ViewTypes::makeView(const QString& adapterType, const QString& viewType,
                                 const QVector<int>& columns, const QString& title,
                                 SpaltenSpeicher* model)
{
    if (const SpecialViewType* special = specialViewType(viewType)) {
        const int n = int(columns.size());
        if (!special->make || n < special->minColumns
            || (special->maxColumns >= 0 && n > special->maxColumns))
            return nullptr;
        return special->make(model, columns);
    }
    Diagram* d = makeDiagram(viewType);
    if (!d || columns.isEmpty()) {
        delete d;
        return nullptr;
    }
    if (columns.size() == 1) {
        ModelDiagramAdapter* a = makeSingleAdapter(adapterType);
        if (!a) {
            delete d;
            return nullptr;
        }
        a->setModelColumn(columns.first());
        a->setModel(model);
        a->setDiagram(d);
        a->setTitle(title);
        return a;
    }
    ModelMultiDiagramAdapter* a = makeMultiAdapter(adapterType);
    if (!a) {
        delete d;
        return nullptr;
    }
    a->setModel(model);
    a->setDiagram(d);
    a->setSpalten(columns);
    a->setTitle(title);
    return a;
}
