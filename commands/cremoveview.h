#ifndef CREMOVEVIEW_H
#define CREMOVEVIEW_H

#include <QPointer>
#include <QUndoCommand>

#include "core/viewrecord.h"

class ViewHost;
class ModelClient;

// Undoable removal of a view. Keeps the record that re-creates the view (settings at
// record version 1), and follows the live view through a guarded pointer, so that a
// view deleted meanwhile (all views removed, a file loaded) is never touched.
class cRemoveView : public QUndoCommand
{
public:
    cRemoveView(ViewHost* view, ModelClient* client, const QString& title,
                const QString& adapterType, const QString& viewType, const QString& notes,
                const QVector<int>& columns, const QByteArray& settings,
                QUndoCommand* parent = nullptr);
    cRemoveView(ViewHost* view, ModelClient* client, const ViewRecord& record,
                QUndoCommand* parent = nullptr);

    void redo() override;
    void undo() override;

    ModelClient* client() const { return m_client; }
    int row() const { return m_row; }
    const ViewRecord& record() const { return m_record; }

    // Record version of the settings given to the constructor.
    static constexpr int RecordVersion = 1;
    // Record version of the settings kept now: a removal keeps the view's newest record,
    // so that undo brings back its colours, fonts and order too, which older records
    // do not hold.
    int recordVersion() const { return m_version; }

private:
    ViewHost* m_view;
    QPointer<ModelClient> m_client;
    ViewRecord m_record;
    int m_row = -1;
    int m_version = RecordVersion;
};

#endif
