#ifndef FORTSCHRITTSDIALOG_H
#define FORTSCHRITTSDIALOG_H

#include <QPointer>

#include "core/fortschrittanzeige.h"

class QProgressDialog;

// The progress of long work as the toolkit's modal progress dialog. It has no cancel
// button (stopping half-way would leave a broken state) and ignores Esc and closing.
class FortschrittsDialog : public FortschrittAnzeige
{
public:
    // Makes Fortschritt show this dialog; the program and whatever tests look at it call it.
    static void install();
    static std::unique_ptr<FortschrittAnzeige> create(QWidget* parent, const QString& text,
                                                     int maximum);

    ~FortschrittsDialog() override;
    void setText(const QString& text) override;
    void setValue(int value) override;

    // Null once its parent took it along.
    QProgressDialog* dialog() const;

private:
    explicit FortschrittsDialog(QProgressDialog* dialog);
    QPointer<QProgressDialog> m_dialog;
};

#endif
