// Draws the program's toolbar and window icons into PNG files.
//
//   makeicons <output-folder>
//
// Everything is drawn from simple paths on a 32 x 32 grid (the logo on the
// same grid, scaled to 64 x 64), so no font or image file is needed and the
// result is identical on every machine. Run with QT_QPA_PLATFORM=offscreen
// where no display is available.

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <QtMath>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

// One palette for all icons.
const QColor Ink(0x2b, 0x3a, 0x4a);       // outlines, dark details
const QColor Paper(0xff, 0xff, 0xff);
const QColor Header(0xd3, 0xdc, 0xe6);    // table header row, neutral grey
const QColor Blue(0x3d, 0x7e, 0xc4);      // highlighted column, main colour
const QColor LightBlue(0xb9, 0xd3, 0xf0);
const QColor Orange(0xe3, 0x7f, 0x1b);    // symbols that change something
const QColor Yellow(0xf4, 0xc3, 0x4f);
const QColor DarkYellow(0xd9, 0x9e, 0x2b);
const QColor Green(0x3a, 0x9b, 0x4c);
const QColor Red(0xcc, 0x3d, 0x35);

const qreal W = 2.0;    // the one stroke width (in 32-pixel units)
const qreal Gap = 1.5;  // transparent margin cut around an overlaid symbol

// A symbol drawn over the table is drawn twice: first "knocked out" (its
// shape widened, in Clear mode, so the table underneath gets a transparent
// gap), then normally. All drawing goes through this class so both passes
// use exactly the same geometry.
class Pen
{
public:
    Pen(QPainter &p, bool knockout) : p(p), knock(knockout) {}

    void stroke(const QPainterPath &path, const QColor &c, qreal w = W,
                Qt::PenCapStyle cap = Qt::RoundCap, Qt::PenJoinStyle join = Qt::RoundJoin)
    {
        p.save();
        if (knock) {
            p.setCompositionMode(QPainter::CompositionMode_Clear);
            p.setPen(QPen(Qt::black, w + 2 * Gap, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        } else {
            p.setPen(QPen(c, w, Qt::SolidLine, cap, join));
        }
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.restore();
    }

    // Filled shape with an ink outline (outline may be switched off).
    void fill(const QPainterPath &path, const QColor &c, bool outline = true)
    {
        p.save();
        if (knock) {
            p.setCompositionMode(QPainter::CompositionMode_Clear);
            p.setBrush(Qt::black);
            p.setPen(QPen(Qt::black, (outline ? W : 0) + 2 * Gap, Qt::SolidLine,
                          Qt::RoundCap, Qt::RoundJoin));
        } else {
            p.setBrush(c);
            if (outline)
                p.setPen(QPen(Ink, W, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            else
                p.setPen(Qt::NoPen);
        }
        p.drawPath(path);
        p.restore();
    }

    void line(QPointF a, QPointF b, const QColor &c, qreal w = W)
    {
        QPainterPath path(a);
        path.lineTo(b);
        stroke(path, c, w);
    }

    void polyline(const std::vector<QPointF> &pts, const QColor &c, qreal w = W,
                  Qt::PenCapStyle cap = Qt::RoundCap, Qt::PenJoinStyle join = Qt::RoundJoin)
    {
        QPainterPath path(pts.front());
        for (size_t i = 1; i < pts.size(); ++i)
            path.lineTo(pts[i]);
        stroke(path, c, w, cap, join);
    }

    void dot(QPointF centre, qreal r, const QColor &c)
    {
        QPainterPath path;
        path.addEllipse(centre, r, r);
        fill(path, c, false);
    }

    QPainter &p;
    bool knock;
};

QPainterPath rect(qreal x1, qreal y1, qreal x2, qreal y2)
{
    QPainterPath path;
    path.addRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)));
    return path;
}

QPainterPath roundRect(qreal x1, qreal y1, qreal x2, qreal y2, qreal r)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)), r, r);
    return path;
}

QPainterPath polygon(const std::vector<QPointF> &pts)
{
    QPolygonF poly;
    for (const QPointF &pt : pts)
        poly << pt;
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

// Filled arrow head pointing along (tip - from).
QPainterPath arrowHead(QPointF from, QPointF tip, qreal length = 5, qreal halfWidth = 3.5)
{
    QLineF dir(from, tip);
    QLineF unit = dir.unitVector();
    QPointF d = unit.p2() - unit.p1();
    QPointF n(-d.y(), d.x());
    QPointF base = tip - d * length;
    return polygon({tip, base + n * halfWidth, base - n * halfWidth});
}

// Straight arrow: shaft stroked, head filled, both in one colour.
void arrow(Pen &pen, QPointF from, QPointF tip, const QColor &c)
{
    QLineF dir(from, tip);
    QLineF unit = dir.unitVector();
    QPointF d = unit.p2() - unit.p1();
    pen.line(from, tip - d * 3, c);
    pen.fill(arrowHead(from, tip), c, false);
}

// ---------------------------------------------------------------------------
// The table motif shared by all column commands: a small sheet with a header
// row and three columns; the columns the command acts on are filled blue.

enum Columns { Left = 1, Middle = 2, Right = 4 };

void table(QPainter &p, qreal x1, qreal y1, qreal x2, qreal y2, int highlighted)
{
    Pen pen(p, false);
    const qreal head = y1 + 6;
    const qreal c1 = x1 + qRound((x2 - x1) / 3.0);
    const qreal c2 = x2 - qRound((x2 - x1) / 3.0);
    const qreal edges[] = {x1, c1, c2, x2};

    pen.fill(rect(x1, y1, x2, y2), Paper, false);
    pen.fill(rect(x1, y1, x2, head), Header, false);
    for (int i = 0; i < 3; ++i) {
        if (highlighted & (1 << i)) {
            pen.fill(rect(edges[i], y1, edges[i + 1], head), Blue.darker(130), false);
            pen.fill(rect(edges[i], head, edges[i + 1], y2), Blue, false);
        }
    }
    // Faint row lines so the sheet reads as a table, not a box.
    for (qreal y = head + 5; y < y2 - 2; y += 5) {
        for (int i = 0; i < 3; ++i) {
            const QColor c = (highlighted & (1 << i)) ? LightBlue : Header;
            p.fillRect(QRectF(edges[i], y - 0.5, edges[i + 1] - edges[i], 1), c);
        }
    }
    pen.stroke(rect(x1, y1, x2, y2), Ink, W, Qt::SquareCap, Qt::MiterJoin);
    pen.line({x1, head}, {x2, head}, Ink);
    pen.line({c1, y1}, {c1, y2}, Ink);
    pen.line({c2, y1}, {c2, y2}, Ink);
}

// Default placement: table top left, symbol in the bottom-right quarter.
void tableWithSymbol(QPainter &p, int highlighted, const std::function<void(Pen &)> &symbol)
{
    table(p, 2, 2, 24, 25, highlighted);
    Pen knock(p, true);
    symbol(knock);
    Pen pen(p, false);
    symbol(pen);
}

// ---------------------------------------------------------------------------
// Small symbols, all roughly within x 16..31, y 16..31.

void pencil(Pen &pen)
{
    // Built lying along the x axis, tip at the origin, then turned upright.
    QTransform t;
    t.translate(18, 30);
    t.rotate(-45);
    pen.fill(t.map(polygon({{0, 0}, {5, -3}, {5, 3}})), Paper);
    pen.fill(t.map(polygon({{0, 0}, {2, -1.2}, {2, 1.2}})), Ink, false);
    pen.fill(t.map(rect(5, -3, 13, 3)), Orange);
    pen.fill(t.map(rect(13, -3, 16, 3)), Red.lighter(140));
}

void percent(Pen &pen)
{
    const QColor c = Orange;
    QPainterPath a, b;
    a.addEllipse(QPointF(20, 20), 2.6, 2.6);
    b.addEllipse(QPointF(27.5, 27.5), 2.6, 2.6);
    pen.stroke(a, c);
    pen.stroke(b, c);
    pen.line({29, 17.5}, {18.5, 30}, c);
}

void hash(Pen &pen)
{
    const QColor c = Orange;
    pen.line({21.5, 17}, {19.5, 31}, c);
    pen.line({27.5, 17}, {25.5, 31}, c);
    pen.line({17, 21}, {31, 21}, c);
    pen.line({16.5, 27}, {30.5, 27}, c);
}

void sigma(Pen &pen)
{
    pen.polyline({{30, 20}, {30, 17}, {18, 17}, {24.5, 24}, {18, 31}, {30, 31}, {30, 28}},
                 Orange, W, Qt::SquareCap, Qt::MiterJoin);
}

void regression(Pen &pen)
{
    pen.line({16.5, 31}, {31, 17.5}, Ink);
    pen.dot({19, 25}, 2, Orange);
    pen.dot({23, 29}, 2, Orange);
    pen.dot({25.5, 20}, 2, Orange);
    pen.dot({29.5, 24.5}, 2, Orange);
}

void cross(Pen &pen)
{
    pen.line({19, 19}, {29, 29}, Red, W + 1);
    pen.line({29, 19}, {19, 29}, Red, W + 1);
}

void swapArrows(Pen &pen)
{
    arrow(pen, {17, 20}, {31, 20}, Orange);
    arrow(pen, {31, 28}, {17, 28}, Orange);
}

void merge(Pen &pen)
{
    QPainterPath upper({17, 17});
    upper.cubicTo({22, 17}, {21, 24}, {25, 24});
    QPainterPath lower({17, 31});
    lower.cubicTo({22, 31}, {21, 24}, {25, 24});
    pen.stroke(upper, Orange);
    pen.stroke(lower, Orange);
    pen.line({24, 24}, {28, 24}, Orange);
    pen.fill(arrowHead({24, 24}, {31, 24}), Orange, false);
}

void weight(Pen &pen)
{
    QPainterPath ring;
    ring.addEllipse(QPointF(24, 19), 2.8, 2.8);
    pen.stroke(ring, Ink);
    pen.fill(polygon({{19.5, 22}, {28.5, 22}, {31, 31}, {17, 31}}), Header);
}

void copySheets(Pen &pen)
{
    pen.fill(rect(17, 16, 26, 26), Paper);
    pen.fill(rect(22, 21, 31, 31), LightBlue);
}

// ---------------------------------------------------------------------------
// The icons.

void drawOpen(QPainter &p)
{
    Pen pen(p, false);
    // Back of the folder with its tab, then the opened front flap.
    pen.fill(polygon({{3, 7}, {11, 7}, {13, 10}, {25, 10}, {25, 15}, {3, 27}}), DarkYellow);
    pen.fill(polygon({{8, 15}, {30, 15}, {25, 27}, {3, 27}}), Yellow);
}

void drawSave(QPainter &p)
{
    Pen pen(p, false);
    pen.fill(polygon({{4, 4}, {24, 4}, {28, 8}, {28, 28}, {4, 28}}), Blue);
    pen.fill(rect(9, 4, 22, 12), LightBlue);
    pen.fill(rect(17, 6, 20, 10), Ink, false);
    pen.fill(rect(8, 16, 24, 28), Paper);
    pen.line({11, 20}, {21, 20}, Header);
    pen.line({11, 24}, {21, 24}, Header);
}

void drawQuit(QPainter &p)
{
    Pen pen(p, false);
    QPainterPath button;
    button.addEllipse(QPointF(16, 16), 13, 13);
    pen.fill(button, Red);
    // Power sign: an open ring with a bar through the gap.
    QPainterPath ring;
    const QRectF box(9, 10, 14, 14);
    ring.arcMoveTo(box, 125);
    ring.arcTo(box, 125, 290);
    pen.stroke(ring, Paper, W + 0.5);
    pen.line({16, 7.5}, {16, 16}, Paper, W + 0.5);
}

void drawCopy(QPainter &p)
{
    Pen pen(p, false);
    pen.fill(rect(5, 3, 19, 21), Paper);
    pen.fill(rect(12, 10, 27, 29), Paper);
    for (qreal y : {15.0, 19.0, 23.0})
        pen.line({16, y}, {23, y}, Blue);
}

void drawColCopy(QPainter &p) { tableWithSymbol(p, Middle, copySheets); }

void drawGotoCol(QPainter &p)
{
    // Arrow from above pointing into the highlighted column.
    table(p, 3, 11, 29, 30, Middle);
    Pen pen(p, false);
    arrow(pen, {16, 1}, {16, 10}, Orange);
}

void drawHideCol(QPainter &p) { tableWithSymbol(p, Middle, cross); }
void drawColRename(QPainter &p) { tableWithSymbol(p, Middle, pencil); }
void drawColReplace(QPainter &p) { tableWithSymbol(p, Middle, swapArrows); }
void drawColPercent(QPainter &p) { tableWithSymbol(p, Middle, percent); }
void drawColClean(QPainter &p) { tableWithSymbol(p, Middle, hash); }
void drawColCombine(QPainter &p) { tableWithSymbol(p, Left | Middle, merge); }
void drawColWeight(QPainter &p) { tableWithSymbol(p, Middle, weight); }
void drawColStat(QPainter &p) { tableWithSymbol(p, Middle, sigma); }
void drawColLinReg(QPainter &p) { tableWithSymbol(p, Left | Middle, regression); }

void drawHome(QPainter &p)
{
    Pen pen(p, false);
    pen.fill(rect(21, 5, 25, 12), Red);  // chimney, behind the roof
    pen.fill(rect(7, 15, 25, 29), Paper);
    pen.fill(rect(13, 20, 19, 29), Blue);
    pen.fill(polygon({{16, 3}, {30, 16}, {2, 16}}), Red);
}

void drawPlus(QPainter &p)
{
    Pen pen(p, false);
    pen.fill(rect(12, 4, 20, 28).united(rect(4, 12, 28, 20)), Green);
}

void drawMinus(QPainter &p)
{
    Pen pen(p, false);
    pen.fill(rect(4, 12, 28, 20), Red);
}

void window(Pen &pen, qreal x, qreal y)
{
    pen.fill(rect(x, y, x + 18, y + 14), Paper);
    pen.fill(rect(x, y, x + 18, y + 4), Blue);
}

void drawViewRemoveAll(QPainter &p)
{
    Pen pen(p, false);
    window(pen, 10, 2);
    window(pen, 6, 6);
    window(pen, 2, 10);
    Pen knock(p, true);
    cross(knock);
    cross(pen);
}

void drawPrint(QPainter &p)
{
    Pen pen(p, false);
    pen.fill(rect(9, 3, 23, 12), Paper);
    pen.fill(roundRect(3, 11, 29, 24, 2), Header);
    pen.dot({24.5, 15.5}, 1.5, Green);
    pen.fill(rect(8, 19, 24, 29), Paper);
    pen.line({11, 23}, {21, 23}, Blue);
    pen.line({11, 26}, {18, 26}, Blue);
}

void drawLogo(QPainter &p)
{
    // A questionnaire on a clipboard whose answers have become a bar chart.
    Pen pen(p, false);
    pen.fill(roundRect(5, 4, 27, 31, 2), Blue);
    pen.fill(rect(8, 7, 24, 28), Paper);
    pen.fill(roundRect(11, 2, 21, 7, 1.5), Header);
    pen.fill(rect(10, 17, 13, 25), Orange, false);
    pen.fill(rect(14.5, 11, 17.5, 25), Blue, false);
    pen.fill(rect(19, 14, 22, 25), Green, false);
    pen.line({10, 25}, {22, 25}, Ink);
}

struct Icon
{
    const char *name;
    void (*draw)(QPainter &);
    int size;
};

const Icon icons[] = {
    {"open", drawOpen, 32},
    {"save", drawSave, 32},
    {"quit", drawQuit, 32},
    {"copy", drawCopy, 32},
    {"colcopy", drawColCopy, 32},
    {"gotocol", drawGotoCol, 32},
    {"hidecol", drawHideCol, 32},
    {"colrename", drawColRename, 32},
    {"colreplace", drawColReplace, 32},
    {"colpercent", drawColPercent, 32},
    {"colclean", drawColClean, 32},
    {"colcombine", drawColCombine, 32},
    {"colweigth", drawColWeight, 32},  // the program loads this spelling
    {"colstat", drawColStat, 32},
    {"collinreg", drawColLinReg, 32},
    {"gohome", drawHome, 32},
    {"plus", drawPlus, 32},
    {"minus", drawMinus, 32},
    {"viewremoveall", drawViewRemoveAll, 32},
    {"print", drawPrint, 32},
    {"logo", drawLogo, 64},
};

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: makeicons <output-folder>\n");
        return 2;
    }
    QDir out(args.at(1));
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "makeicons: cannot create %s\n", qPrintable(args.at(1)));
        return 1;
    }

    for (const Icon &icon : icons) {
        QImage image(icon.size, icon.size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(icon.size / 32.0, icon.size / 32.0);
            icon.draw(p);
        }
        const QString file = out.filePath(QString::fromLatin1(icon.name) + ".png");
        if (!image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
            std::fprintf(stderr, "makeicons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
