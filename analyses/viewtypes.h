#ifndef VIEWTYPES_H
#define VIEWTYPES_H

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class Diagram;
class ModelClient;
class ModelDiagramAdapter;
class ModelMultiDiagramAdapter;
class SpaltenSpeicher;

// The type names a view can be made from, one table per family in the order the
// dialogs offer them. The names are stored in files: their texts are part of the
// formats. Adding a view class is adding one row.
class ViewTypes
{
public:
    struct DiagramType {
        QString name;
        std::function<Diagram*()> make;
    };
    struct SingleAdapterType {
        QString name;
        std::function<ModelDiagramAdapter*()> make;
    };
    struct MultiAdapterType {
        QString name;
        std::function<ModelMultiDiagramAdapter*()> make;
    };
    struct SpecialViewType {
        QString name;
        int minColumns = 0;
        int maxColumns = 0; // -1: no upper bound
        // Makes the view on the data table with its columns (already checked against
        // the bounds); null for an entry that names no view class of its own.
        std::function<ModelClient*(SpaltenSpeicher*, const QVector<int>&)> make;
    };

    static const QVector<DiagramType>& diagramTypes();
    static const QVector<SingleAdapterType>& singleAdapterTypes();
    static const QVector<MultiAdapterType>& multiAdapterTypes();
    static const QVector<SpecialViewType>& specialViewTypes();

    static QStringList diagramNames();
    static QStringList singleAdapterNames();
    static QStringList multiAdapterNames();
    static QStringList specialViewNames();

    // Null for a name outside the table; the caller owns the result.
    static Diagram* makeDiagram(const QString& name);
    static ModelDiagramAdapter* makeSingleAdapter(const QString& name);
    static ModelMultiDiagramAdapter* makeMultiAdapter(const QString& name);
    // The row of a special view type, null for any other name.
    static const SpecialViewType* specialViewType(const QString& name);

    // A view of the types named over the model's columns (checked against the bounds of
    // a special type), titled; null when they name no view that can be made. The
    // caller owns the result.
    static ModelClient* makeView(const QString& adapterType, const QString& viewType,
                                 const QVector<int>& columns, const QString& title,
                                 SpaltenSpeicher* model);
};

#endif
