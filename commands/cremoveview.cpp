#include "commands/cremoveview.h"

#include "diagrams/modelclient.h"
#include "core/dateiversion.h"
#include "core/viewhost.h"

namespace {
ViewRecord makeRecord(const QString& title, const QString& adapterType,
                      const QString& viewType, const QString& notes,
                      const QVector<int>& columns, const QByteArray& settings)
{
    ViewRecord r;
    r.title = title;
    r.adapterType = adapterType;
    r.viewType = viewType;
    r.notes = notes;
    r.columns = columns;
    r.settings = settings;
    return r;
}
}

cRemoveView::cRemoveView(ViewHost* view, ModelClient* client, const QString& title,
                         const QString& adapterType, const QString& viewType,
                         const QString& notes, const QVector<int>& columns,
                         const QByteArray& settings, QUndoCommand* parent)
    : cRemoveView(view, client, makeRecord(title, adapterType, viewType, notes, columns, settings),
                  parent)
{
}

cRemoveView::cRemoveView(ViewHost* view, ModelClient* client, const ViewRecord& record,
                         QUndoCommand* parent)
    : QUndoCommand(QObject::tr("Ansicht entfernen"), parent)
    , m_view(view)
    , m_client(client)
    , m_record(record)
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
    m_version = DateiVersion::NewestVersion;
    m_record = m_view->record(idx, m_version);
    m_row = idx;
    m_view->removeView(idx);
}

void cRemoveView::undo()
{
    ModelClient* mc = m_view->createFromRecord(m_record, m_version);
    if (!mc)
        return;
    if (m_row >= 1)
        m_view->moveView(m_view->viewIndex(mc), m_row);
    m_client = mc;
}
