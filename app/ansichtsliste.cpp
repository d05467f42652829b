#include "app/ansichtsliste.h"

#include <QKeyEvent>
#include <QPersistentModelIndex>

AnsichtsListe::AnsichtsListe(QWidget* parent)
    : QListView(parent)
{
    connect(this, &QAbstractItemView::clicked, this, &AnsichtsListe::chosen);
    connect(this, &QAbstractItemView::activated, this, &AnsichtsListe::chosen);
}

void AnsichtsListe::keyPressEvent(QKeyEvent* e)
{
    // Arrow keys, Page Up/Down, Home/End and typing a title's first letters all move
    // the current row here; whatever row the user lands on is opened.
    const QPersistentModelIndex before = currentIndex();
    QListView::keyPressEvent(e);
    const QModelIndex now = currentIndex();
    if (now.isValid() && QModelIndex(before) != now && state() != EditingState)
        emit chosen(now);
}
