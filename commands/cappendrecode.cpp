#include "commands/cappendrecode.h"

#include "core/spaltenspeicher.h"

#include "commands/cappendcolumn.h"

cAppendRecode::cAppendRecode(SpaltenSpeicher* model, SpaltenSpeicher::Spalte cells,
                             const QString& title, const Umkodierung& rule, Tabelle1* table,
                             QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_model(model)
    , m_rule(rule)
    , m_title(title)
{
    setText(QStringLiteral("Umkodieren"));
    auto* append = new cAppendColumn(model, std::move(cells), title, this);
    append->setTable(table);
}

void cAppendRecode::undo()
{
    QUndoCommand::undo();
}

void cAppendRecode::redo()
{
    QUndoCommand::redo();
    const int k = m_model->columnCount() - 1;
    Umkodierung::setzen(m_model, k, &m_rule);
    m_model->setHeaderData(k, Qt::Horizontal,
                           QStringLiteral("%1\nUmkodiert aus: %2").arg(m_title, m_rule.quelle),
                           Qt::ToolTipRole);
    UmkodierungsWaechter::of(m_model);
}
