#include "app/listendialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSet>

namespace {
// The dialog both questions share: a label, the list, optional buttons beside it,
// Ok and Cancel below. The items keep their text in Qt::UserRole.
struct ListenRahmen {
    QDialog dialog;
    QListWidget* list;
    QGridLayout* layout;

    ListenRahmen(QWidget* parent, const QString& title, const QString& label)
        : dialog(parent)
        , list(new QListWidget(&dialog))
        , layout(new QGridLayout(&dialog))
    {
        dialog.setWindowTitle(title);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                             &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        layout->addWidget(new QLabel(label, &dialog), 0, 0, 1, 2);
        layout->addWidget(list, 1, 0, 3, 1);
        layout->addWidget(buttons, 4, 0, 1, 2);
    }

    QListWidgetItem* add(const QString& text)
    {
        auto* it = new QListWidgetItem(ListenDialog::gezeigt(text), list);
        it->setData(Qt::UserRole, text);
        return it;
    }
};
}

QString ListenDialog::gezeigt(const QString& item)
{
    return item.isEmpty() ? tr("(leer)") : item;
}

QStringList ListenDialog::ordnen(QWidget* parent, const QString& title, const QString& label,
                                 const QStringList& items, bool* ok)
{
    ListenRahmen r(parent, title, label);
    for (const QString& t : items)
        r.add(t);
    r.list->setSelectionMode(QAbstractItemView::SingleSelection);
    r.list->setCurrentRow(0);
    auto* up = new QPushButton(tr("Nach oben"), &r.dialog);
    auto* down = new QPushButton(tr("Nach unten"), &r.dialog);
    r.layout->addWidget(up, 1, 1);
    r.layout->addWidget(down, 2, 1);
    QListWidget* list = r.list;
    const auto move = [list](int by) {
        const int row = list->currentRow();
        const int to = row + by;
        if (row < 0 || to < 0 || to >= list->count())
            return;
        QListWidgetItem* it = list->takeItem(row);
        list->insertItem(to, it);
        list->setCurrentRow(to);
    };
    QObject::connect(up, &QPushButton::clicked, &r.dialog, [move] { move(-1); });
    QObject::connect(down, &QPushButton::clicked, &r.dialog, [move] { move(1); });
    const bool accepted = r.dialog.exec() == QDialog::Accepted;
    if (ok)
        *ok = accepted;
    if (!accepted)
        return items;
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->data(Qt::UserRole).toString();
    return out;
}

QStringList ListenDialog::ankreuzen(QWidget* parent, const QString& title, const QString& label,
                                    const QStringList& items, const QStringList& checked,
                                    bool* ok)
{
    ListenRahmen r(parent, title, label);
    const QSet<QString> ticked(checked.cbegin(), checked.cend());
    for (const QString& t : items) {
        QListWidgetItem* it = r.add(t);
        it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
        it->setCheckState(ticked.contains(t) ? Qt::Checked : Qt::Unchecked);
    }
    const bool accepted = r.dialog.exec() == QDialog::Accepted;
    if (ok)
        *ok = accepted;
    if (!accepted)
        return checked;
    QStringList out;
    for (int i = 0; i < r.list->count(); ++i)
        if (r.list->item(i)->checkState() == Qt::Checked)
            out << r.list->item(i)->data(Qt::UserRole).toString();
    return out;
}
