#ifndef CCHANGESETS_H
#define CCHANGESETS_H

#include <QPointer>
#include <QUndoCommand>
#include <QVector>

#include "core/mehrfachsets.h"

class QAbstractItemModel;

// Exchanges the survey's multiple-choice sets, undoably: a set made or removed. The
// sets follow their columns through the column commands in between, so the lists kept
// here are the right ones whenever the stack is back at this step.
class cChangeSets : public QUndoCommand
{
public:
    cChangeSets(QAbstractItemModel* model, const QVector<MehrfachSet>& oldSets,
                const QVector<MehrfachSet>& newSets, const QString& text,
                QUndoCommand* parent = nullptr);
    void undo() override;
    void redo() override;

private:
    void apply(const QVector<MehrfachSet>& sets);

    // Guarded: the stack is emptied with the data table, but never trusts it.
    QPointer<QAbstractItemModel> m_model;
    QVector<MehrfachSet> m_old;
    QVector<MehrfachSet> m_new;
};

#endif
