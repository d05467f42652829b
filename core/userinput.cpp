#include "core/userinput.h"
#include "core/userinputevents.h"

#include <QAction>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDrag>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QVBoxLayout>

#include "core/columnselectdialog.h"
#include "core/listendialog.h"
#include "core/zahlspinbox.h"
#include "core/zellenzahl.h"

namespace {
UserInput::Answerer* s_answerer = nullptr;

QMessageBox::StandardButton messageReply(const UserInput::Reply& r,
                                         QMessageBox::StandardButton fallback)
{
    if (!r.accepted)
        return fallback;
    return static_cast<QMessageBox::StandardButton>(r.value.toInt());
}

// QInputDialog::getDouble, but with a box that takes a number in either form.
double askNumber(QWidget* parent, const QString& title, const QString& label, double value,
                 double minValue, double maxValue, int decimals, bool* ok)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto* box = new ZahlSpinBox(&dialog);
    box->setDecimals(decimals);
    box->setRange(minValue, maxValue);
    box->setValue(value);
    box->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                         &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(label, &dialog));
    layout->addWidget(box);
    layout->addWidget(buttons);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (ok)
        *ok = accepted;
    if (!accepted)
        return value;
    // A text typed but not yet taken over (no Enter, no focus change) counts.
    box->interpretText();
    return box->value();
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

UserInput::Reply UserInput::ask(const Ask& a)
{
    return s_answerer->answer(a);
}

QString UserInput::getItem(QWidget* parent, const QString& title, const QString& label,
                           const QStringList& items, int current, bool editable, bool* ok)
{
    if (!s_answerer)
        return QInputDialog::getItem(parent, title, label, items, current, editable, ok);
    Ask a;
    a.kind = Item;
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
                           QLineEdit::EchoMode mode, const QString& text, bool* ok)
{
    if (!s_answerer)
        return QInputDialog::getText(parent, title, label, mode, text, ok);
    Ask a;
    a.kind = Text;
    a.title = title;
    a.label = label;
    a.preset = text;
    const Reply r = ask(a);
    if (ok)
        *ok = r.accepted;
    return r.accepted ? r.value.toString() : QString();
}

int UserInput::getInt(QWidget* parent, const QString& title, const QString& label, int value,
                      int minValue, int maxValue, int step, bool* ok)
{
    if (!s_answerer)
        return QInputDialog::getInt(parent, title, label, value, minValue, maxValue, step, ok);
    Ask a;
    a.kind = Int;
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
    if (!s_answerer)
        return askNumber(parent, title, label, value, minValue, maxValue, decimals, ok);
    Ask a;
    a.kind = Double;
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
    if (!s_answerer)
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    Ask a;
    a.kind = OpenFile;
    a.title = caption;
    a.label = filter;
    a.preset = dir;
    const Reply r = ask(a);
    return r.accepted ? r.value.toString() : QString();
}

QString UserInput::getSaveFileName(QWidget* parent, const QString& caption,
                                   const QString& dir, const QString& filter)
{
    if (!s_answerer)
        return QFileDialog::getSaveFileName(parent, caption, dir, filter);
    Ask a;
    a.kind = SaveFile;
    a.title = caption;
    a.label = filter;
    a.preset = dir;
    const Reply r = ask(a);
    return r.accepted ? r.value.toString() : QString();
}

QMessageBox::StandardButton UserInput::information(QWidget* parent, const QString& title,
                                                   const QString& text)
{
    if (!s_answerer)
        return QMessageBox::information(parent, title, text);
    Ask a;
    a.kind = Information;
    a.title = title;
    a.label = text;
    return messageReply(ask(a), QMessageBox::Ok);
}

QMessageBox::StandardButton UserInput::warning(QWidget* parent, const QString& title,
                                               const QString& text)
{
    if (!s_answerer)
        return QMessageBox::warning(parent, title, text);
    Ask a;
    a.kind = Warning;
    a.title = title;
    a.label = text;
    return messageReply(ask(a), QMessageBox::Ok);
}

QMessageBox::StandardButton UserInput::critical(QWidget* parent, const QString& title,
                                                const QString& text)
{
    if (!s_answerer)
        return QMessageBox::critical(parent, title, text);
    Ask a;
    a.kind = Critical;
    a.title = title;
    a.label = text;
    return messageReply(ask(a), QMessageBox::Ok);
}

QMessageBox::StandardButton UserInput::question(QWidget* parent, const QString& title,
                                                const QString& text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    if (!s_answerer)
        return QMessageBox::question(parent, title, text, buttons, defaultButton);
    Ask a;
    a.kind = Question;
    a.title = title;
    a.label = text;
    a.preset = int(defaultButton);
    // A closed question box answers like its escape button; No is the safe reading.
    return messageReply(ask(a), QMessageBox::No);
}

QStringList UserInput::getOrder(QWidget* parent, const QString& title, const QString& label,
                                const QStringList& items, bool* ok)
{
    Reply r;
    if (!s_answerer) {
        r.value = ListenDialog::ordnen(parent, title, label, items, &r.accepted);
    } else {
        Ask a;
        a.kind = Order;
        a.title = title;
        a.label = label;
        a.items = items;
        r = ask(a);
    }
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
    Reply r;
    if (!s_answerer) {
        r.value = ListenDialog::ankreuzen(parent, title, label, items, checked, &r.accepted);
    } else {
        Ask a;
        a.kind = Checks;
        a.title = title;
        a.label = label;
        a.items = items;
        a.preset = checked;
        r = ask(a);
    }
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
    if (!s_answerer)
        return QColorDialog::getColor(initial, parent);
    Ask a;
    a.kind = Color;
    a.preset = initial;
    const Reply r = ask(a);
    return r.accepted ? r.value.value<QColor>() : QColor();
}

QFont UserInput::getFont(bool* ok, const QFont& initial, QWidget* parent)
{
    if (!s_answerer)
        return QFontDialog::getFont(ok, initial, parent);
    Ask a;
    a.kind = Font;
    a.preset = initial;
    const Reply r = ask(a);
    if (ok)
        *ok = r.accepted;
    return r.accepted ? r.value.value<QFont>() : initial;
}

QAction* UserInput::execMenu(QMenu* menu, const QPoint& globalPos)
{
    QAction* chosen = execMenuAsked(menu, globalPos);
    if (chosen) {
        emit UserInputEvents::instance()->entryChosen(chosen);
        emit UserInputEvents::instance()->menuRan();
    }
    return chosen;
}

QAction* UserInput::execMenuAsked(QMenu* menu, const QPoint& globalPos)
{
    if (!s_answerer)
        return menu->exec(globalPos);
    Ask a;
    a.kind = Menu;
    a.title = menu->title();
    // Every entry in order, separators as "-", disabled entries in brackets, so that
    // a test sees the whole menu it was offered.
    const QList<QAction*> all = menu->actions();
    for (QAction* act : all) {
        if (act->isSeparator())
            a.items << QStringLiteral("-");
        else if (!act->isEnabled())
            a.items << QStringLiteral("[%1]").arg(act->text());
        else
            a.items << act->text();
    }
    const Reply r = ask(a);
    if (!r.accepted)
        return nullptr;
    const QString chosen = r.value.toString();
    for (QAction* act : all) {
        if (!act->isSeparator() && act->isEnabled() && act->text() == chosen) {
            // Into a submenu, as the user goes there next.
            if (QMenu* sub = act->menu())
                return execMenuAsked(sub, globalPos);
            // As the real menu does: the chosen entry is triggered before exec returns.
            act->trigger();
            return act;
        }
    }
    return nullptr;
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

bool UserInput::chooseColumns(ColumnSelectDialog* dialog)
{
    if (!s_answerer)
        return dialog->exec() == QDialog::Accepted;
    Ask a;
    a.kind = Columns;
    a.items = dialog->columnTitles();
    const Reply r = ask(a);
    if (!r.accepted)
        return false;
    QList<int> rows;
    const QVariantList list = r.value.toList();
    for (const QVariant& v : list)
        rows << v.toInt();
    dialog->selectColumns(rows);
    return true;
}
