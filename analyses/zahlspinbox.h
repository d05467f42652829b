#ifndef ZAHLSPINBOX_H
#define ZAHLSPINBOX_H

#include <QDoubleSpinBox>

// A number box that takes what the user types in either number form (see ZellenZahl),
// whatever the desktop's own format is: "2.5" and "2,5" are both two and a half. It
// shows its value in the desktop's format, as every spin box does.
class ZahlSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit ZahlSpinBox(QWidget* parent = nullptr);

    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;

private:
    QString bare(const QString& text) const;
};

#endif
