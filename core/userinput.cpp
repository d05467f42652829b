#include "core/userinput.h"

#include <QAbstractItemModel>
#include <QDrag>
#include <QMimeData>
#include <QDebug>

#include "core/zellenzahl.h"

namespace {
UserInput::Answerer* s_answerer = nullptr;
UserInput::Answerer* s_default = nullptr;

UserInput::Button messageReply(const UserInput::Reply& r, UserInput::Button fallback)
{
    if (!r.accepted)
        return fallback;
    return static_cast<UserInput::Button>(r.value.toInt());
}

// Nobody can answer (a program without a window that installed no answerer): a message
// is not lost but printed, and a question is declined.
UserInput::Reply unanswered(const UserInput::Ask& a)
{
    UserInput::Reply r;
    switch (a.kind) {
    case UserInput::Information:
    case UserInput::Warning:
    case UserInput::Critical:
        qWarning().noquote() << (a.title.isEmpty() ? a.label : a.title + ": " + a.label);
        r.accepted = true;
        r.value = int(UserInput::Ok);
        break;
    default:
        break;
    }
    return r;
}
}

void UserInput::setAnswerer(Answerer* a)
{
    s_answerer = a;
}

UserInput::Answerer* UserInput::answerer()
{
    return s_answerer;
}

void UserInput::setDefaultAnswerer(Answerer* a)
{
    s_default = a;
}

UserInput::Reply UserInput::ask(const Ask& a)
{
    if (s_answerer)
        return s_answerer->answer(a);
    if (s_default)
        return s_default->answer(a);
    return unanswered(a);
}

QString UserInput::getItem(QWidget* parent, const QString& title, const QString& label,
                           const QStringList& items, int current, bool editable, bool* ok)
{
    Ask a;
    a.kind = Item;
    a.parent = parent;
    a.title = title;
    a.label = label;
    a.items = items;
    a.preset = current;
    a.editable = editable;
    const Reply r = ask(a);
    if (ok)
        *ok = r.accepted;
    return r.accepted ? r.value.toString() : QString();
}

QString UserInput::getText(QWidget* parent, const QString& title, const QString& label,
                           Echo mode, const QString& text, bool* ok)
{
    Ask a;
    a.kind = Text;
    a.parent = parent;
    a.title = title;
    a.label = label;
    a.preset = text;
    a.echo = mode;
    const Reply r = ask(a);
    if (ok)
        *ok = r.accepted;
    return r.accepted ? r.value.toString() : QString();
}

int UserInput::getInt(QWidget* parent, const QString& title, const QString& label, int value,
                      int minValue, int maxValue, int step, bool* ok)
{
    Ask a;
    a.kind = Int;
    a.parent = parent;
    a.title = title;
    a.label = label;
    a.preset = value;
    a.minimum = minValue;
    a.maximum = maxValue;
    a.step = step;
    const Reply r = ask(a);
    if (ok)
        *ok = r.accepted;
    return r.accepted ? r.value.toInt() : value;
}

double UserInput::getDouble(QWidget* parent, const QString& title, const QString& label,
                            double value, double minValue, double maxValue, int decimals,
                            bool* ok)
{
    Ask a;
    a.kind = Double;
    a.parent = parent;
    a.title = title;
    a.label = label;
    a.preset = value;
    a.minimum = minValue;
    a.maximum = maxValue;
    a.step = decimals;
    const Reply r = ask(a);
    if (ok)
        *ok = r.accepted;
    return r.accepted ? ZellenZahl::toDouble(r.value) : value;
}

QString UserInput::getOpenFileName(QWidget* parent, const QString& caption,
                                   const QString& dir, const QString& filter)
{
    Ask a;
    a.kind = OpenFile;
    a.parent = parent;
    a.title = caption;
    a.label = filter;
    a.preset = dir;
    const Reply r = ask(a);
    return r.accepted ? r.value.toString() : QString();
}

QString UserInput::getSaveFileName(QWidget* parent, const QString& caption,
                                   const QString& dir, const QString& filter)
{
    Ask a;
    a.kind = SaveFile;
    a.parent = parent;
    a.title = caption;
    a.label = filter;
    a.preset = dir;
    const Reply r = ask(a);
    return r.accepted ? r.value.toString() : QString();
}

UserInput::Button UserInput::information(QWidget* parent, const QString& title,
                                         const QString& text)
{
    Ask a;
    a.kind = Information;
    a.parent = parent;
    a.title = title;
    a.label = text;
    return messageReply(ask(a), Ok);
}

UserInput::Button UserInput::warning(QWidget* parent, const QString& title,
                                     const QString& text)
{
    Ask a;
    a.kind = Warning;
    a.parent = parent;
    a.title = title;
    a.label = text;
    return messageReply(ask(a), Ok);
}

UserInput::Button UserInput::critical(QWidget* parent, const QString& title,
                                      const QString& text)
{
    Ask a;
    a.kind = Critical;
    a.parent = parent;
    a.title = title;
    a.label = text;
    return messageReply(ask(a), Ok);
}

UserInput::Button UserInput::question(QWidget* parent, const QString& title,
                                      const QString& text, Buttons buttons,
                                      Button defaultButton)
{
    Ask a;
    a.kind = Question;
    a.parent = parent;
    a.title = title;
    a.label = text;
    a.preset = int(defaultButton);
    a.buttons = buttons;
    // A closed question box answers like its escape button; No is the safe reading.
    return messageReply(ask(a), No);
}

QStringList UserInput::getOrder(QWidget* parent, const QString& title, const QString& label,
                                const QStringList& items, bool* ok)
{
    Ask a;
    a.kind = Order;
    a.parent = parent;
    a.title = title;
    a.label = label;
    a.items = items;
    const Reply r = ask(a);
    if (ok)
        *ok = r.accepted;
    if (!r.accepted)
        return items;
    // Every item once, whatever the answer held.
    QStringList out;
    const QStringList given = r.value.toStringList();
    for (const QString& t : given)
        if (items.contains(t) && !out.contains(t))
            out << t;
    for (const QString& t : items)
        if (!out.contains(t))
            out << t;
    return out;
}

QStringList UserInput::getChecked(QWidget* parent, const QString& title, const QString& label,
                                  const QStringList& items, const QStringList& checked,
                                  bool* ok)
{
    Ask a;
    a.kind = Checks;
    a.parent = parent;
    a.title = title;
    a.label = label;
    a.items = items;
    a.preset = checked;
    const Reply r = ask(a);
    if (ok)
        *ok = r.accepted;
    if (!r.accepted)
        return checked;
    const QStringList ticked = r.value.toStringList();
    QStringList out;
    for (const QString& t : items)
        if (ticked.contains(t))
            out << t;
    return out;
}

QColor UserInput::getColor(const QColor& initial, QWidget* parent)
{
    Ask a;
    a.kind = Color;
    a.parent = parent;
    a.preset = initial;
    const Reply r = ask(a);
    return r.accepted ? r.value.value<QColor>() : QColor();
}

QFont UserInput::getFont(bool* ok, const QFont& initial, QWidget* parent)
{
    Ask a;
    a.kind = Font;
    a.parent = parent;
    a.preset = initial;
    const Reply r = ask(a);
    if (ok)
        *ok = r.accepted;
    return r.accepted ? r.value.value<QFont>() : initial;
}

QVector<int> UserInput::getColumnList(QWidget* parent, const QAbstractItemModel* model)
{
    Ask a;
    a.kind = Columns;
    a.parent = parent;
    const int n = model ? model->columnCount() : 0;
    for (int c = 0; c < n; ++c)
        a.items << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    const Reply r = ask(a);
    QVector<int> out;
    if (!r.accepted)
        return out;
    // Only columns that were offered, each once, as a selection in a list holds them.
    const QVariantList rows = r.value.toList();
    for (const QVariant& v : rows) {
        const int row = v.toInt();
        if (row >= 0 && row < n && !out.contains(row))
            out << row;
    }
    return out;
}

int UserInput::getColumn(QWidget* parent, const QAbstractItemModel* model)
{
    const QVector<int> c = getColumnList(parent, model);
    return c.isEmpty() ? -1 : c.first();
}

Qt::DropAction UserInput::startDrag(QDrag* drag, Qt::DropActions actions)
{
    if (!s_answerer)
        return drag->exec(actions);
    Ask a;
    a.kind = Drag;
    const QMimeData* md = drag->mimeData();
    if (md) {
        a.items = md->formats();
        if (md->hasHtml())
            a.preset = md->html();
        else if (md->hasImage())
            a.preset = md->imageData();
    }
    a.step = int(actions);
    const Reply r = ask(a);
    // The drag object is not executed in scripted mode; free it as exec() would.
    drag->deleteLater();
    return r.accepted ? static_cast<Qt::DropAction>(r.value.toInt()) : Qt::IgnoreAction;
}
