#include "app/cremoveview.h"

#include <QDataStream>

#include "app/modelclient.h"
#include "app/view.h"

cRemoveView::cRemoveView(View* view, ModelClient* client, const QString& title,
                         const QString& adapterType, const QString& viewType,
                         const QString& notes, const QVector<int>& columns,
                         const QByteArray& settings, QUndoCommand* parent)
    : QUndoCommand(QObject::tr("Ansicht entfernen"), parent)
    , m_view(view)
    , m_client(client)
    , m_title(title)
    , m_adapterType(adapterType)
    , m_viewType(viewType)
    , m_notes(notes)
    , m_columns(columns)
    , m_settings(settings)
{
}

void cRemoveView::redo()
{
    if (!m_client)
        return;
    const int idx = m_view->viewIndex(m_client);
    if (idx < 1)
        return;
    // Keep what the view is now: one brought back by undo may have been renamed or
    // given notes and settings since, and the next undo must bring those back.
    const View::ViewValues v = m_view->viewValues(idx);
    m_title = v.title;
    m_adapterType = v.adapterType;
    m_viewType = v.viewType;
    m_notes = v.notes;
    m_columns = v.columns;
    m_settings = m_view->settingsRecord(idx, 1);
    m_row = idx;
    m_view->removeView(idx);
}

void cRemoveView::undo()
{
    ModelClient* mc = m_view->createView(m_adapterType, m_viewType, m_columns, m_title, m_notes);
    if (!mc)
        return;
    QDataStream s(m_settings);
    s.setVersion(QDataStream::Qt_4_6);
    mc->loadData(s, 1);
    if (m_row >= 1)
        m_view->moveView(m_view->viewIndex(mc), m_row);
    m_client = mc;
}
