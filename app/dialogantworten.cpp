#include "app/dialogantworten.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "analyses/zahlspinbox.h"
#include "app/columnselectdialog.h"
#include "app/listendialog.h"

namespace {
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
    *ok = dialog.exec() == QDialog::Accepted;
    if (!*ok)
        return value;
    // A text typed but not yet taken over (no Enter, no focus change) counts.
    box->interpretText();
    return box->value();
}

QList<int> askColumns(QWidget* parent, const QStringList& titles, bool* ok)
{
    QStandardItemModel columns(0, int(titles.size()));
    columns.setHorizontalHeaderLabels(titles);
    ColumnSelectDialog dialog(parent);
    dialog.setModel(&columns);
    *ok = dialog.exec() == QDialog::Accepted;
    return *ok ? dialog.columns() : QList<int>();
}

QMessageBox::StandardButton box(QMessageBox::Icon icon, const UserInput::Ask& a)
{
    switch (icon) {
    case QMessageBox::Information:
        return QMessageBox::information(a.parent, a.title, a.label);
    case QMessageBox::Critical:
        return QMessageBox::critical(a.parent, a.title, a.label);
    default:
        return QMessageBox::warning(a.parent, a.title, a.label);
    }
}
}

void DialogAntworten::install()
{
    static DialogAntworten dialogs;
    UserInput::setDefaultAnswerer(&dialogs);
}

UserInput::Reply DialogAntworten::answer(const UserInput::Ask& a)
{
    UserInput::Reply r;
    bool ok = false;
    switch (a.kind) {
    case UserInput::Item:
        r.value = QInputDialog::getItem(a.parent, a.title, a.label, a.items, a.preset.toInt(),
                                        a.editable, &ok);
        r.accepted = ok;
        break;
    case UserInput::Text:
        r.value = QInputDialog::getText(a.parent, a.title, a.label,
                                        static_cast<QLineEdit::EchoMode>(a.echo),
                                        a.preset.toString(), &ok);
        r.accepted = ok;
        break;
    case UserInput::Int:
        r.value = QInputDialog::getInt(a.parent, a.title, a.label, a.preset.toInt(),
                                       int(a.minimum), int(a.maximum), a.step, &ok);
        r.accepted = ok;
        break;
    case UserInput::Double:
        r.value = askNumber(a.parent, a.title, a.label, a.preset.toDouble(), a.minimum,
                            a.maximum, a.step, &ok);
        r.accepted = ok;
        break;
    case UserInput::OpenFile:
        r.value = QFileDialog::getOpenFileName(a.parent, a.title, a.preset.toString(), a.label);
        r.accepted = !r.value.toString().isEmpty();
        break;
    case UserInput::SaveFile:
        r.value = QFileDialog::getSaveFileName(a.parent, a.title, a.preset.toString(), a.label);
        r.accepted = !r.value.toString().isEmpty();
        break;
    case UserInput::Information:
        r.value = int(box(QMessageBox::Information, a));
        r.accepted = true;
        break;
    case UserInput::Warning:
        r.value = int(box(QMessageBox::Warning, a));
        r.accepted = true;
        break;
    case UserInput::Critical:
        r.value = int(box(QMessageBox::Critical, a));
        r.accepted = true;
        break;
    case UserInput::Question:
        r.value = int(QMessageBox::question(
            a.parent, a.title, a.label, QMessageBox::StandardButtons(int(a.buttons)),
            static_cast<QMessageBox::StandardButton>(a.preset.toInt())));
        r.accepted = true;
        break;
    case UserInput::Color: {
        const QColor c = QColorDialog::getColor(a.preset.value<QColor>(), a.parent);
        r.value = c;
        r.accepted = c.isValid();
        break;
    }
    case UserInput::Font:
        r.value = QFontDialog::getFont(&ok, a.preset.value<QFont>(), a.parent);
        r.accepted = ok;
        break;
    case UserInput::Columns: {
        const QList<int> rows = askColumns(a.parent, a.items, &ok);
        QVariantList list;
        for (int row : rows)
            list << row;
        r.value = list;
        r.accepted = ok;
        break;
    }
    case UserInput::Order:
        r.value = ListenDialog::ordnen(a.parent, a.title, a.label, a.items, &ok);
        r.accepted = ok;
        break;
    case UserInput::Checks:
        r.value = ListenDialog::ankreuzen(a.parent, a.title, a.label, a.items,
                                          a.preset.toStringList(), &ok);
        r.accepted = ok;
        break;
    case UserInput::Menu:
    case UserInput::Drag:
        // The menu and the drag run themselves where no test answers for them.
        break;
    }
    return r;
}
