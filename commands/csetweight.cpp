#include "commands/csetweight.h"

#include <QAbstractItemModel>

#include "core/gewichtung.h"

cSetWeight::cSetWeight(QAbstractItemModel* model, int oldColumn, int newColumn,
                       QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_model(model)
    , m_old(oldColumn)
    , m_new(newColumn)
{
    setText(QStringLiteral("Gewichtung"));
}

void cSetWeight::undo()
{
    apply(m_old);
}

void cSetWeight::redo()
{
    apply(m_new);
}

void cSetWeight::apply(int column)
{
    if (m_model)
        Gewichtung::of(m_model)->setSpalte(column);
}
