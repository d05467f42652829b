#ifndef WINDOWUTIL_H
#define WINDOWUTIL_H

#include <QList>
#include <QStringList>

class UmfrageDokument;
class View;

// What tests of the main window do again and again.
namespace WindowUtil {

// Selects exactly these whole columns of the data-table widget, in this order.
void selectColumns(View& v, const QList<int>& cols);

// The window title as shown while nothing is unsaved (without the modified mark).
QString title(View& v);

// The titles of the view list, "Datentabelle" first.
QStringList titles(View& v);
QStringList titles(UmfrageDokument& d);

} // namespace WindowUtil

#endif
