#include "core/angaben.h"

#include <QAbstractItemModel>
#include <QCoreApplication>

#include "core/rowfilter.h"
#include "core/zahltext.h"

QStringList Angaben::lines(const QAbstractItemModel* model, const RowFilter& filter,
                           const QVector<int>& counts, const QStringList& titles)
{
    QStringList out;
    const QString f = filterLine(model, filter);
    if (!f.isEmpty())
        out << f;
    if (!counts.isEmpty())
        out << baseLine(counts, titles);
    return out;
}

QString Angaben::filterLine(const QAbstractItemModel* model, const RowFilter& filter)
{
    if (filter.depColumn() < 0)
        return QString();
    // A linked column that is gone has no title: its number (from 1) names it.
    QString title = model && filter.depColumn() < model->columnCount()
        ? model->headerData(filter.depColumn(), Qt::Horizontal, Qt::DisplayRole).toString()
        : QString();
    if (title.isEmpty())
        title = QCoreApplication::translate("Angaben", "Spalte %1")
                    .arg(qint64(filter.depColumn()) + 1); // a file may give INT_MAX
    return QCoreApplication::translate("Angaben", "Filter: %1 = %2").arg(title, filter.depValue());
}

QString Angaben::baseLine(const QVector<int>& counts, const QStringList& titles)
{
    bool same = true;
    for (int n : counts)
        same = same && n == counts.first();
    if (same)
        return QStringLiteral("n = ") + ZahlText::shown(counts.first(), 'f', 0);
    QStringList parts;
    for (int i = 0; i < counts.size(); ++i) {
        const QString title = i < titles.size() ? titles.at(i) : QString::number(i + 1);
        parts << ZahlText::shown(counts.at(i), 'f', 0) + QStringLiteral(" (") + title + QLatin1Char(')');
    }
    return QStringLiteral("n = ") + parts.join(QStringLiteral(", "));
}
