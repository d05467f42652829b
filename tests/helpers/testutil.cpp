#include "testutil.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFile>

#include <QPainter>
#include "core/spaltenspeicher.h"
#include <cmath>

#include "diagrams/diagram.h"
#include "diagrams/viewpicture.h"

namespace TestUtil {

SpaltenSpeicher* makeModel(const QStringList& headers, const QList<QStringList>& rows,
                              QObject* parent)
{
    auto* m = new SpaltenSpeicher(parent);
    m->setColumnCount(headers.size());
    fillModel(m, headers, rows);
    return m;
}

void fillModel(SpaltenSpeicher* m, const QStringList& headers, const QList<QStringList>& rows)
{
    m->setHorizontalHeaderLabels(headers);
    SpaltenSpeicher::Aufbau bau(m);
    for (const QStringList& r : rows)
        bau.zeile(r);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void openContextMenu(QWidget* w)
{
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(3, 3), QPoint(40, 50));
    QCoreApplication::sendEvent(w, &e);
}

QList<QStringList> cellTexts(const SpaltenSpeicher* m)
{
    QList<QStringList> out;
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < m->columnCount(); ++c)
            row << m->wert(r, c).toString();
        out << row;
    }
    return out;
}

bool fuzzy(double a, double b, double eps)
{
    return std::fabs(a - b) <= eps * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

void feed(Diagram& d, const QVector<double>& values, int rowWidth, const QStringList& labels,
          const QStringList& rowLabels, const QString& postfix, const QString& title)
{
    d.setLabels(labels);
    d.setColLabels(rowLabels);
    d.setRowWidth(rowWidth);
    d.setValuePostfix(postfix);
    d.setTitle(title);
    d.setData(values);
}

QImage render(const Diagram& d, const QSize& size)
{
    // The program's own picture path; it does not change the diagram.
    return ViewPicture::of(const_cast<Diagram*>(&d), size);
}

bool isColor(const QImage& img, int x, int y, const QColor& c)
{
    if (!img.valid(x, y))
        return false;
    const QColor got = img.pixelColor(x, y);
    return got.red() == c.red() && got.green() == c.green() && got.blue() == c.blue();
}

} // namespace TestUtil
