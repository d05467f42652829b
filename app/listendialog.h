#ifndef LISTENDIALOG_H
#define LISTENDIALOG_H

#include <QCoreApplication>
#include <QStringList>

class QWidget;

// The two list questions of the frequency views, as real dialogs: a list whose entries
// are moved up and down, and a list whose entries are ticked. The entries are texts
// (answers); the empty text is shown as "(leer)", for a blank line says nothing. Asked
// through UserInput, never directly.
class ListenDialog
{
    Q_DECLARE_TR_FUNCTIONS(ListenDialog)
public:
    // The items in the order the user left them; *ok false (and the items as given)
    // when cancelled.
    static QStringList ordnen(QWidget* parent, const QString& title, const QString& label,
                              const QStringList& items, bool* ok);
    // The items the user left ticked, in the items' order; checked are ticked at the
    // start. *ok false (and checked as given) when cancelled.
    static QStringList ankreuzen(QWidget* parent, const QString& title, const QString& label,
                                 const QStringList& items, const QStringList& checked,
                                 bool* ok);

    // The text an entry is shown with.
    static QString gezeigt(const QString& item);
};

#endif
