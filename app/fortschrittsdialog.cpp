#include "app/fortschrittsdialog.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QProgressDialog>

#include "core/fortschritt.h"

namespace {
// The dialog must stay up until the work is done: a hidden modal dialog would let the
// user start other work in the middle of this one.
class KeepOpen : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress
            && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true;
        return QObject::eventFilter(watched, event);
    }
};
}

void FortschrittsDialog::install()
{
    Fortschritt::setAnzeige(&FortschrittsDialog::create);
}

std::unique_ptr<FortschrittAnzeige> FortschrittsDialog::create(QWidget* parent,
                                                              const QString& text, int maximum)
{
    // Without widgets (the report made from the command line) nothing can be shown.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    auto* dialog = new QProgressDialog(text, QString(), 0, maximum,
                                       parent ? parent : QApplication::activeWindow());
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setCancelButton(nullptr);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(0);
    dialog->installEventFilter(new KeepOpen(dialog));
    dialog->setValue(0);
    dialog->show();
    return std::unique_ptr<FortschrittAnzeige>(new FortschrittsDialog(dialog));
}

FortschrittsDialog::FortschrittsDialog(QProgressDialog* dialog)
    : m_dialog(dialog)
{
}

FortschrittsDialog::~FortschrittsDialog()
{
    delete m_dialog.data();
}

QProgressDialog* FortschrittsDialog::dialog() const
{
    return m_dialog;
}

void FortschrittsDialog::setText(const QString& text)
{
    if (m_dialog)
        m_dialog->setLabelText(text);
}

void FortschrittsDialog::setValue(int value)
{
    if (m_dialog)
        m_dialog->setValue(value);
}
