#include "commands/csetmissing.h"

#include "core/spaltenspeicher.h"

#include "core/fehlendewerte.h"

cSetMissing::cSetMissing(SpaltenSpeicher* model, int column, const QStringList& before,
                         const QStringList& after, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_model(model)
    , m_column(column)
    , m_before(before)
    , m_after(after)
{
    setText(QStringLiteral("Fehlende Werte"));
}

void cSetMissing::undo()
{
    apply(m_before);
}

void cSetMissing::redo()
{
    apply(m_after);
}

void cSetMissing::apply(const QStringList& codes)
{
    FehlendeWerte::setCodes(m_model, m_column, codes);
    // The views follow cell changes; what they see of this column has changed.
    const int rows = m_model->rowCount();
    if (rows > 0 && m_column < m_model->columnCount())
        emit m_model->dataChanged(m_model->index(0, m_column),
                                  m_model->index(rows - 1, m_column));
}
