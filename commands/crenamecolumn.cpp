#include "commands/crenamecolumn.h"

#include <QAbstractItemModel>

#include "core/variantvergleich.h"
#include "core/roles.h"

cRenameColumn::cRenameColumn(QAbstractItemModel* model, int column, const QString& oldTitle,
                             const QString& newTitle, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_model(model)
    , m_column(column)
    , m_oldTitle(oldTitle)
    , m_newTitle(newTitle)
{
    setText(QStringLiteral("Spalte umbenennen"));
}

cRenameColumn::~cRenameColumn() = default;

void cRenameColumn::undo()
{
    apply(m_oldTitle);
}

void cRenameColumn::redo()
{
    apply(m_newTitle);
}

void cRenameColumn::apply(const QString& title)
{
    m_model->setHeaderData(m_column, Qt::Horizontal, title, Qt::EditRole);
    const QVariant kind = m_model->headerData(m_column, Qt::Horizontal, Roles::DerivationKind);
    if (VariantVergleich::isNull(kind))
        m_model->setHeaderData(m_column, Qt::Horizontal, title, Qt::ToolTipRole);
}
