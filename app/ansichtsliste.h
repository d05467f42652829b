#ifndef ANSICHTSLISTE_H
#define ANSICHTSLISTE_H

#include <QListView>

// The dock's list of views. A view opens when the user picks it: a single click, a
// double click or Return (the toolkit's activation), or a move of the current row with
// the keyboard. Changes of the current row that the program makes (a row removed or
// moved, the page shown elsewhere) open nothing.
class AnsichtsListe : public QListView
{
    Q_OBJECT
public:
    explicit AnsichtsListe(QWidget* parent = nullptr);

signals:
    // The user picked the view of this row.
    void chosen(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

#endif
