#ifndef USERINPUT_H
#define USERINPUT_H

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;
class QMenu;
class QAction;
class QDrag;
class QPoint;
class ColumnSelectDialog;

// The one place where the program asks the user something. By default every call goes
// to the toolkit's static dialog with exactly the given arguments; tests install an
// Answerer that records each question and answers it from a script.
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

    struct Ask {
        Kind kind = Item;
        QString title;        // window title or caption
        QString label;        // prompt, message text or file filter
        QStringList items;    // choices, menu entries (enabled ones), column titles
        QVariant preset;      // preselected item index, default text/value, start folder,
                              // the ticked items (Checks)
        bool editable = false;
        double minimum = 0;
        double maximum = 0;
        int step = 0;         // int step or number of decimals
    };

    struct Reply {
        bool accepted = false;
        // Item/Text/File: QString; Int: int; Double: double; Color: QColor; Font: QFont;
        // Question and message boxes: the QMessageBox::StandardButton as int;
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

    // Installs a scripted answerer (not owned); nullptr restores the real dialogs.
    static void setAnswerer(Answerer* a);
    static Answerer* answerer();

    static QString getItem(QWidget* parent, const QString& title, const QString& label,
                           const QStringList& items, int current, bool editable, bool* ok);
    static QString getText(QWidget* parent, const QString& title, const QString& label,
                           QLineEdit::EchoMode mode, const QString& text, bool* ok);
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

    static QMessageBox::StandardButton information(QWidget* parent, const QString& title,
                                                   const QString& text);
    static QMessageBox::StandardButton warning(QWidget* parent, const QString& title,
                                               const QString& text);
    static QMessageBox::StandardButton critical(QWidget* parent, const QString& title,
                                                const QString& text);
    static QMessageBox::StandardButton question(
        QWidget* parent, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

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

    // Runs the menu modally at the global position; the chosen action is triggered and
    // returned, null when none was chosen. A scripted answer that names a submenu is
    // followed by a question of that submenu's entries.
    static QAction* execMenu(QMenu* menu, const QPoint& globalPos);
    // Starts the drag (which owns its mime data) with the given allowed actions.
    static Qt::DropAction startDrag(QDrag* drag, Qt::DropActions actions);
    // Runs the column chooser; on acceptance its selection holds the chosen columns.
    static bool chooseColumns(ColumnSelectDialog* dialog);

private:
    static Reply ask(const Ask& a);
    static QAction* execMenuAsked(QMenu* menu, const QPoint& globalPos);
};

#endif
