#include "commands/zaehlzelle.h"

#include <QStandardItemModel>

#include "analyses/variantvergleich.h"

bool ZaehlZelle::isCounted(const QVariant& value)
{
    if (VariantVergleich::isNull(value))
        return false;
    const QString text = value.toString();
    return !text.isEmpty() && text != QLatin1String("0");
}

QVariant ZaehlZelle::value(const QStandardItemModel* model, int row, int column)
{
    // item() answers null outside the table, so no index has to be made per cell.
    const QStandardItem* item = model->item(row, column);
    return item ? item->data(Qt::DisplayRole) : QVariant();
}
