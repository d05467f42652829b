#ifndef ANSICHTSAUSWAHL_H
#define ANSICHTSAUSWAHL_H

#include <QCoreApplication>
#include <QString>
#include <QVector>

class QWidget;

// The questions that choose what views to make: the types, the adapter and the title.
// Apart from the window so that its slots only hand the answers to the document.
class AnsichtsAuswahl
{
    // The texts keep the translation context they had in the window.
    Q_DECLARE_TR_FUNCTIONS(View)

public:
    // A view to make from its types, columns and title.
    struct Wahl {
        QString adapterType;
        QString viewType;
        QString title;
    };

    // "Ansicht erstellen" over the selected columns: false when a question was
    // cancelled. A wahl with an empty view type makes no view (the columns do not suit
    // the type chosen).
    static bool askSelected(QWidget* parent, const QVector<int>& columns, Wahl* wahl);
    // The diagram and adapter of the per-column views after an import; false when a
    // question was cancelled.
    static bool askColumnViews(QWidget* parent, QString* diagramType, QString* adapterType);
    // Another diagram type for a view; empty when cancelled.
    static QString askDiagram(QWidget* parent);
};

#endif
