#ifndef VIERDIAGRAMVIEW_H
#define VIERDIAGRAMVIEW_H

#include <QPointer>

#include "diagrams/modelclient.h"

class QGridLayout;

// Up to four views at once in a 2 x 2 grid, all on the container's data table. The
// container owns its clients; they are not part of its settings record.
class VierDiagramView : public ModelClient
{
    Q_OBJECT
public:
    enum Position { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3 };

    explicit VierDiagramView(QWidget* parent = nullptr);

    // Places client at position 0 to 3 (top left, top right, bottom left, bottom
    // right), deleting the client that was there, and hands it the container's model
    // when there is one. Any other position is ignored: the client is then neither
    // placed nor owned.
    void setClient(ModelClient* client, int position);
    // The client at a position; null for an empty cell or another position.
    ModelClient* client(int position) const;

    // Keeps the model and hands it to every client present, top left first.
    void setModel(QStandardItemModel* m) override;

private:
    QPointer<ModelClient>* slot(int position);

    QPointer<ModelClient> topLeft;
    QPointer<ModelClient> topRight;
    QPointer<ModelClient> bottomLeft;
    QPointer<ModelClient> bottomRight;
    QGridLayout* grid;
};

#endif
