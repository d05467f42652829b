#include "diagrams/vierdiagramview.h"

#include <QGridLayout>

VierDiagramView::VierDiagramView(QWidget* parent)
    : ModelClient(parent)
    , grid(new QGridLayout(this))
{
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
}

QPointer<ModelClient>* VierDiagramView::slot(int position)
{
    switch (position) {
    case TopLeft:
        return &topLeft;
    case TopRight:
        return &topRight;
    case BottomLeft:
        return &bottomLeft;
    case BottomRight:
        return &bottomRight;
    default:
        return nullptr;
    }
}

void VierDiagramView::setClient(ModelClient* client, int position)
{
    QPointer<ModelClient>* s = slot(position);
    if (!s || !client)
        return;
    if (s->data() == client)
        return;
    delete s->data();
    *s = client;
    grid->addWidget(client, position / 2, position % 2);
    if (m_model)
        client->setModel(m_model);
}

ModelClient* VierDiagramView::client(int position) const
{
    switch (position) {
    case TopLeft:
        return topLeft;
    case TopRight:
        return topRight;
    case BottomLeft:
        return bottomLeft;
    case BottomRight:
        return bottomRight;
    default:
        return nullptr;
    }
}

void VierDiagramView::setModel(SpaltenSpeicher* m)
{
    m_model = m;
    for (int p = TopLeft; p <= BottomRight; ++p)
        if (ModelClient* c = client(p))
            c->setModel(m);
}
