#include "commands/cchangesets.h"

#include <QAbstractItemModel>

cChangeSets::cChangeSets(QAbstractItemModel* model, const QVector<MehrfachSet>& oldSets,
                         const QVector<MehrfachSet>& newSets, const QString& text,
                         QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_model(model)
    , m_old(oldSets)
    , m_new(newSets)
{
    setText(text);
}

void cChangeSets::undo()
{
    apply(m_old);
}

void cChangeSets::redo()
{
    apply(m_new);
}

void cChangeSets::apply(const QVector<MehrfachSet>& sets)
{
    if (m_model)
        MehrfachSets::of(m_model)->setSets(sets);
}
