#ifndef TESTUTIL_H
#define TESTUTIL_H

#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QStringList>

class QObject;
class QStandardItemModel;
class Diagram;

namespace TestUtil {

// A data table with the given header titles and rows of cell texts (a row may be short).
QStandardItemModel* makeModel(const QStringList& headers, const QList<QStringList>& rows,
                              QObject* parent = nullptr);

// Cell texts of a model, row by row ("" for a missing item).
QList<QStringList> cellTexts(const QStandardItemModel* m);

bool fuzzy(double a, double b, double eps = 1e-9);

// Paints the diagram through its shared paint path into a white image of that size.
QImage render(const Diagram& d, const QSize& size);

// Whether the pixel at (x, y) has exactly the colour c (alpha ignored).
bool isColor(const QImage& img, int x, int y, const QColor& c);

} // namespace TestUtil

#endif
