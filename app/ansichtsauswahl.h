#ifndef ANSICHTSAUSWAHL_H
#define ANSICHTSAUSWAHL_H

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include "core/dateiversion.h"
#include "core/viewrecord.h"

class QStandardItemModel;
class QWidget;

// The questions that choose what views to make: the types, the adapter and the title.
// Apart from the window so that its slots only hand the answers to the document.
class AnsichtsAuswahl
{
    // The texts keep the translation context they had in the window.
    Q_DECLARE_TR_FUNCTIONS(View)

public:
    // A view to make from its types, columns, title and settings record (empty: the
    // view's defaults).
    struct Wahl {
        QString adapterType;
        QString viewType;
        QString title;
        QVector<int> columns;
        QByteArray settings;
        // The record version of the settings.
        int version = DateiVersion::NewestVersion;

        ViewRecord record() const;
    };

    // "Ansicht erstellen" over the selected columns of the data table: false when a
    // question was cancelled. A wahl with an empty view type makes no view (the columns
    // do not suit the type chosen). A crosstab in a survey with multiple-choice sets
    // asks whether a set gives its rows and which sets are further blocks.
    static bool askSelected(QWidget* parent, const QStandardItemModel* model,
                            const QVector<int>& columns, Wahl* wahl);
    // The diagram and adapter of the per-column views after an import; false when a
    // question was cancelled.
    static bool askColumnViews(QWidget* parent, QString* diagramType, QString* adapterType);
    // Another diagram type for a view; empty when cancelled.
    static QString askDiagram(QWidget* parent);
};

#endif
