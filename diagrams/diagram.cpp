#include "diagrams/diagram.h"

#include "core/zahltext.h"
#include "diagrams/viewpicture.h"

#include <QAction>
#include <QApplication>
#include <QDataStream>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "diagrams/modelclient.h"
#include "core/textinhalt.h"
#include "core/userinput.h"

namespace {
// A font from a file is kept within what the font dialog can produce: a huge size or
// letter or word spacing (the dialog sets no spacing at all) makes every text layout
// of the view take minutes. An implausible size drops the font, an implausible
// spacing goes back to the default.
bool plausibleFont(QFont* f)
{
    constexpr double maxSize = 1000;    // points or pixels
    constexpr double maxSpacing = 100;  // pixels
    constexpr double maxPercent = 1000;
    if (!(f->pointSizeF() <= maxSize) || f->pixelSize() > maxSize)
        return false;
    const QFont defaults;
    const bool absolute = f->letterSpacingType() == QFont::AbsoluteSpacing;
    const double ls = f->letterSpacing();
    if (absolute ? std::abs(ls) > maxSpacing : (ls < 0 || ls > maxPercent))
        f->setLetterSpacing(defaults.letterSpacingType(), defaults.letterSpacing());
    if (std::abs(f->wordSpacing()) > maxSpacing)
        f->setWordSpacing(defaults.wordSpacing());
    return true;
}
}

void Diagram::setCaption(const QStringList& lines)
{
    if (lines == caption)
        return;
    caption = lines;
    update();
}

int Diagram::captionHeight(const QFontMetrics& fm) const
{
    return caption.isEmpty() ? 0 : int(caption.size()) * fm.height() + 6;
}

void Diagram::render(QPainter& p, const QSize& size) const
{
    const QFontMetrics fm(font(), p.device());
    const int strip = qMin(captionHeight(fm), size.height());
    p.save();
    paint(p, QSize(size.width(), size.height() - strip));
    p.restore();
    if (strip <= 0)
        return;
    const int top = size.height() - strip;
    p.save();
    p.fillRect(QRect(0, top, size.width(), strip), Qt::white);
    p.setFont(font());
    p.setPen(Qt::black);
    for (int i = 0; i < caption.size(); ++i)
        p.drawText(5, top + 3 + fm.ascent() + i * fm.height(),
                   fm.elidedText(caption.at(i), Qt::ElideRight, qMax(0, size.width() - 10)));
    p.restore();
}

Diagram::Diagram(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(100, 140);
    colors << QColor(Qt::red) << QColor(Qt::blue) << QColor(Qt::cyan) << QColor(Qt::magenta)
           << QColor(Qt::yellow) << QColor(Qt::green) << QColor(Qt::gray)
           << QColor(Qt::darkBlue) << QColor(Qt::darkCyan) << QColor(Qt::darkMagenta);
    auto* farben = new QAction(tr("Farben"), this);
    connect(farben, &QAction::triggered, this, &Diagram::colorAction);
    auto* schrift = new QAction(tr("Schriftart"), this);
    connect(schrift, &QAction::triggered, this, &Diagram::fontAction);
    actions << farben << schrift;
}

void Diagram::saveData(QDataStream& s, int)
{
    s << font();
    s << qint32(colors.size());
    for (const QColor& c : colors)
        s << c;
}

void Diagram::loadData(QDataStream& s, int)
{
    QFont f;
    s >> f;
    qint32 n = 0;
    s >> n;
    QList<QColor> loaded;
    // The count comes from the file: read one colour at a time and stop at the end
    // of the data instead of trusting it.
    for (qint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
        QColor c;
        s >> c;
        if (s.status() == QDataStream::Ok)
            loaded << c;
    }
    if (s.status() != QDataStream::Ok)
        return;
    if (plausibleFont(&f))
        setFont(f);
    setColors(loaded);
    update();
}

void Diagram::paint(QPainter&, const QSize&) const
{
}

QMimeData* Diagram::createMimeData()
{
    auto* md = new QMimeData;
    if (auto* t = dynamic_cast<TextInhalt*>(this))
        md->setHtml(t->toHTML());
    else
        md->setImageData(ViewPicture::of(this));
    return md;
}

QColor Diagram::colorAt(int i) const
{
    if (colors.isEmpty())
        return QColor(Qt::black);
    const int n = colors.size();
    return colors.at(((i % n) + n) % n);
}

void Diagram::setColors(const QList<QColor>& c)
{
    if (c.isEmpty())
        return;
    rememberDefaultColors();
    colors = c;
    ModelClient::notifyChanged(this);
}

void Diagram::rememberDefaultColors()
{
    if (m_defaultColors.isEmpty())
        m_defaultColors = colors;
}

void Diagram::takeLook(const Diagram& other)
{
    if (other.font() != font())
        setFont(other.font());
    if (other.m_defaultColors.isEmpty())
        return;
    rememberDefaultColors();
    const QList<QColor>& defaults = other.m_defaultColors;
    for (int i = 0; i < qMin(colors.size(), other.colors.size()); ++i) {
        if (i >= defaults.size() || other.colors.at(i) != defaults.at(i))
            colors[i] = other.colors.at(i);
    }
    update();
}

void Diagram::setData(const QVector<double>& d)
{
    data = d;
    update();
}

void Diagram::setLabels(const QStringList& l)
{
    labels = l;
    update();
}

void Diagram::setColLabels(const QStringList& l)
{
    colLabels = l;
    update();
}

void Diagram::setRowWidth(int w)
{
    rowWidth = w;
    update();
}

void Diagram::setTitle(const QString& t)
{
    title = t;
    update();
}

void Diagram::setValuePostfix(const QString& p)
{
    valuePostfix = p;
}

void Diagram::askColor(int index)
{
    if (colors.isEmpty())
        return;
    const int slot = index % colors.size();
    const QColor c = UserInput::getColor(colors.at(slot), this);
    if (c.isValid()) {
        rememberDefaultColors();
        colors[slot] = c;
        ModelClient::notifyChanged(this);
    }
}

void Diagram::chooseColor(const QStringList& choices, const QString& prompt)
{
    int index = 0;
    if (!choices.isEmpty()) {
        bool ok = false;
        const QString row = UserInput::getItem(this, tr("Zeile"), prompt, choices, 0, true, &ok);
        if (!ok)
            return;
        index = choices.indexOf(row);
        // The list is editable: a typed text that names no entry is treated as a cancel.
        if (index < 0)
            return;
    }
    askColor(index);
    update();
}

void Diagram::chooseRowColor()
{
    chooseColor(colLabels, tr("Zeile auswählen deren Farbe sie ändern wollen"));
}

int Diagram::valuesPerRow() const
{
    return rowWidth >= 1 ? rowWidth : int(data.size());
}

int Diagram::rowCount() const
{
    return rowWidth >= 1 ? int(data.size()) / rowWidth : 1;
}

QString Diagram::labelAt(int k) const
{
    return k < labels.size() ? labels.at(k) : QString::number(k);
}

void Diagram::colorAction()
{
    chooseColor(labels, tr("Zeile auswählen deren Farbe sie ändern wollen"));
}

void Diagram::fontAction()
{
    bool ok = false;
    const QFont f = UserInput::getFont(&ok, font(), this);
    if (ok) {
        setFont(f);
        ModelClient::notifyChanged(this);
    }
    update();
}

void Diagram::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        dragStartPosition = e->position().toPoint();
}

void Diagram::mouseMoveEvent(QMouseEvent* e)
{
    if (!(e->buttons() & Qt::LeftButton))
        return;
    if ((e->position().toPoint() - dragStartPosition).manhattanLength()
        < QApplication::startDragDistance())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(createMimeData());
    UserInput::startDrag(drag, Qt::CopyAction | Qt::MoveAction);
}

QString Diagram::zahlText(double v) const
{
    return gewichtet ? ZahlText::gewichteteSumme(v) : ZahlText::shown(v);
}
