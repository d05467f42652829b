#include "windowutil.h"

#include <QItemSelectionModel>
#include "core/spaltenspeicher.h"
#include <QTableView>

#include "diagrams/tabelle1.h"
#include "app/view.h"

namespace WindowUtil {

void selectColumns(View& v, const QList<int>& cols)
{
    QTableView* t = v.dataTable()->table();
    t->selectionModel()->clearSelection();
    for (int c : cols)
        t->selectionModel()->select(t->model()->index(0, c),
                                    QItemSelectionModel::Select | QItemSelectionModel::Columns);
}

QString title(View& v)
{
    return v.windowTitle().remove(QStringLiteral("[*]"));
}

QStringList titles(View& v)
{
    return titles(*v.document());
}

QStringList titles(UmfrageDokument& d)
{
    QStringList t;
    for (int r = 0; r < d.viewListModel()->rowCount(); ++r)
        t << d.viewListModel()->item(r)->text();
    return t;
}

} // namespace WindowUtil
