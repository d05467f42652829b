#ifndef USERINPUT_H
#define USERINPUT_H

#include <QColor>
#include <QFlags>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class QAbstractItemModel;
class QDrag;
class QWidget;

// The one place where the program asks the user something. Every question goes to an
// Answerer: the one a test installs (it records each question and answers it from a
// script), else the program's own, which shows the toolkit's dialogs (installed by the
// program; the ground it stands on knows no widget). With neither, messages are
// printed to the error output and every question is declined.
class UserInput
{
public:
    enum Kind {
        Item, Text, Int, Double,
        OpenFile, SaveFile,
        Information, Warning, Critical, Question,
        Color, Font, Menu, Drag, Columns,
        Order, Checks
    };

    // The buttons of messages and questions, with the toolkit's numbers, so that an answer
    // may name them either way.
    enum Button {
        NoButton = 0x0,
        Ok = 0x400,
        Save = 0x800,
        Yes = 0x4000,
        No = 0x10000,
        Cancel = 0x400000,
        Discard = 0x800000
    };
    Q_DECLARE_FLAGS(Buttons, Button)

    // How a text question shows what is typed, with the toolkit's numbers.
    enum Echo { Normal = 0, NoEcho = 1, Password = 2, PasswordEchoOnEdit = 3 };

    struct Ask {
        Kind kind = Item;
        QString title;        // window title or caption
        QString label;        // prompt, message text or file filter
        QStringList items;    // choices, menu entries (enabled ones), column titles
        QVariant preset;      // preselected item index, default text/value, start folder,
                              // the ticked items (Checks), the default button (Question)
        bool editable = false;
        double minimum = 0;
        double maximum = 0;
        int step = 0;         // int step or number of decimals
        Buttons buttons;      // Question: the buttons offered
        Echo echo = Normal;   // Text: how the typed text is shown
        QWidget* parent = nullptr;   // what a dialog goes over
    };

    struct Reply {
        bool accepted = false;
        // Item/Text/File: QString; Int: int; Double: double; Color: QColor; Font: QFont;
        // Question and message boxes: the Button as int;
        // Menu: the chosen entry's text; Drag: the Qt::DropAction as int;
        // Columns: a QVariantList of row numbers; Order: the items (QStringList) in
        // the new order; Checks: the ticked items (QStringList).
        QVariant value;
    };

    class Answerer
    {
    public:
        virtual ~Answerer() = default;
        virtual Reply answer(const Ask& ask) = 0;
    };

    // Installs a scripted answerer (not owned); nullptr goes back to the program's own.
    static void setAnswerer(Answerer* a);
    static Answerer* answerer();
    // Installs the program's own answerer (not owned), which shows dialogs. Menus and
    // drags are not asked of it: the widget runs them itself.
    static void setDefaultAnswerer(Answerer* a);

    static QString getItem(QWidget* parent, const QString& title, const QString& label,
                           const QStringList& items, int current, bool editable, bool* ok);
    static QString getText(QWidget* parent, const QString& title, const QString& label,
                           Echo mode, const QString& text, bool* ok);
    static int getInt(QWidget* parent, const QString& title, const QString& label,
                      int value, int minValue, int maxValue, int step, bool* ok);
    // Like QInputDialog::getDouble, with a box that also takes the other number form
    // ("2,5" on a C desktop, "2.5" on a German one); a scripted text answer is read so too.
    static double getDouble(QWidget* parent, const QString& title, const QString& label,
                            double value, double minValue, double maxValue, int decimals,
                            bool* ok);

    static QString getOpenFileName(QWidget* parent, const QString& caption,
                                   const QString& dir, const QString& filter);
    static QString getSaveFileName(QWidget* parent, const QString& caption,
                                   const QString& dir, const QString& filter);

    static Button information(QWidget* parent, const QString& title, const QString& text);
    static Button warning(QWidget* parent, const QString& title, const QString& text);
    static Button critical(QWidget* parent, const QString& title, const QString& text);
    static Button question(QWidget* parent, const QString& title, const QString& text,
                           Buttons buttons = Buttons(Yes | No),
                           Button defaultButton = NoButton);

    // A list of texts the user puts in order (moves entries up and down). The answer
    // holds every item once: items the reply leaves out follow in their given order,
    // texts that are no item are dropped. The items as given when cancelled.
    static QStringList getOrder(QWidget* parent, const QString& title, const QString& label,
                                const QStringList& items, bool* ok);
    // A list of texts the user ticks, checked ticked at the start; the ticked items in
    // the items' order, checked as given when cancelled.
    static QStringList getChecked(QWidget* parent, const QString& title, const QString& label,
                                  const QStringList& items, const QStringList& checked,
                                  bool* ok);

    static QColor getColor(const QColor& initial, QWidget* parent);
    static QFont getFont(bool* ok, const QFont& initial, QWidget* parent);

    // The columns of the model the user picks by their header texts, in the order picked,
    // each once; empty when cancelled. getColumn: the first of them, -1 when none.
    static QVector<int> getColumnList(QWidget* parent, const QAbstractItemModel* model);
    static int getColumn(QWidget* parent, const QAbstractItemModel* model);

    // Starts the drag (which owns its mime data) with the given allowed actions.
    static Qt::DropAction startDrag(QDrag* drag, Qt::DropActions actions);

private:
    static Reply ask(const Ask& a);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(UserInput::Buttons)

#endif
