#ifndef TESTUTIL_H
#define TESTUTIL_H

#include <QByteArray>
#include <QColor>
#include <QDataStream>
#include <QIODevice>
#include <QImage>
#include <QList>
#include <QSize>
#include <QStringList>
#include <QVector>

class QObject;
class SpaltenSpeicher;
class QString;
class QWidget;
class Diagram;

namespace TestUtil {

// A data table with the given header titles and rows of cell texts (a row may be short).
SpaltenSpeicher* makeModel(const QStringList& headers, const QList<QStringList>& rows,
                              QObject* parent = nullptr);

// Appends rows of cell texts to a model after setting its header titles.
void fillModel(SpaltenSpeicher* m, const QStringList& headers, const QList<QStringList>& rows);

// The whole content of a file; empty when it cannot be read.
QByteArray fileBytes(const QString& path);

// Sends the widget a mouse context-menu event; a scripted answer takes the menu.
void openContextMenu(QWidget* w);

// Cell texts of a model, row by row ("" for a missing item).
QList<QStringList> cellTexts(const SpaltenSpeicher* m);

bool fuzzy(double a, double b, double eps = 1e-9);

// Hands a diagram everything an adapter would, in the adapters' order.
void feed(Diagram& d, const QVector<double>& values, int rowWidth = 0,
          const QStringList& labels = {}, const QStringList& rowLabels = {},
          const QString& postfix = {}, const QString& title = {});

// A stream in the files' own encoding (Qt 4.6), for building expected bytes.
struct Out {
    QByteArray bytes;
    QDataStream s{&bytes, QIODevice::WriteOnly};
    Out() { s.setVersion(QDataStream::Qt_4_6); }
    template <typename T>
    Out& operator<<(const T& v)
    {
        s << v;
        return *this;
    }
};

// Paints the diagram through its shared paint path into a white image of that size.
QImage render(const Diagram& d, const QSize& size);

// Whether the pixel at (x, y) has exactly the colour c (alpha ignored).
bool isColor(const QImage& img, int x, int y, const QColor& c);

} // namespace TestUtil

#endif
