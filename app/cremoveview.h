#ifndef CREMOVEVIEW_H
#define CREMOVEVIEW_H

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QUndoCommand>
#include <QVector>

class View;
class ModelClient;

// Undoable removal of a view. Keeps the five values that re-create the view and its
// settings record, and follows the live view through a guarded pointer, so that a
// view deleted meanwhile (all views removed, a file loaded) is never touched.
class cRemoveView : public QUndoCommand
{
public:
    cRemoveView(View* view, ModelClient* client, const QString& title,
                const QString& adapterType, const QString& viewType, const QString& notes,
                const QVector<int>& columns, const QByteArray& settings,
                QUndoCommand* parent = nullptr);

    void redo() override;
    void undo() override;

    ModelClient* client() const { return m_client; }
    int row() const { return m_row; }

private:
    View* m_view;
    QPointer<ModelClient> m_client;
    QString m_title;
    QString m_adapterType;
    QString m_viewType;
    QString m_notes;
    QVector<int> m_columns;
    QByteArray m_settings;
    int m_row = -1;
};

#endif
