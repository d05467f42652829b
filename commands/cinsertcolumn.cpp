#include "commands/cinsertcolumn.h"

#include <QAbstractItemModel>

cInsertColumn::cInsertColumn(QAbstractItemModel* model, int column, const QString& title,
                             QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_column(column)
    , m_title(title)
    , m_model(model)
{
    setText(QString::fromUtf8("Spalte einfügen"));
}

cInsertColumn::~cInsertColumn() = default;

void cInsertColumn::undo()
{
    m_model->removeColumns(m_column, 1);
}

void cInsertColumn::redo()
{
    m_model->insertColumns(m_column, 1);
    m_model->setHeaderData(m_column, Qt::Horizontal, m_title, Qt::EditRole);
}
