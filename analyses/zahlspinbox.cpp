#include "analyses/zahlspinbox.h"

#include <cmath>

#include "core/zellenzahl.h"

ZahlSpinBox::ZahlSpinBox(QWidget* parent)
    : QDoubleSpinBox(parent)
{
}

QString ZahlSpinBox::bare(const QString& text) const
{
    QString t = text;
    if (!prefix().isEmpty() && t.startsWith(prefix()))
        t.remove(0, prefix().size());
    if (!suffix().isEmpty() && t.endsWith(suffix()))
        t.chop(suffix().size());
    return t;
}

double ZahlSpinBox::valueFromText(const QString& text) const
{
    double v = 0;
    if (ZellenZahl::read(bare(text), &v) && std::isfinite(v))
        return QString::number(v, 'f', decimals()).toDouble();   // as setValue rounds
    return QDoubleSpinBox::valueFromText(text);
}

void ZahlSpinBox::fixup(QString& text) const
{
    // Left as typed: the toolkit would drop the locale's group separator, which in the
    // C locale is the German decimal comma ("1,5" would become 15).
    Q_UNUSED(text);
}

QValidator::State ZahlSpinBox::validate(QString& text, int& pos) const
{
    const QString t = bare(text);
    double v = 0;
    if (ZellenZahl::read(t, &v)) {
        if (std::isfinite(v) && v >= minimum() && v <= maximum())
            return QValidator::Acceptable;
        return QValidator::Intermediate;
    }
    const QValidator::State own = QDoubleSpinBox::validate(text, pos);
    if (own != QValidator::Invalid)
        return own;
    // On the way to a number in either form ("-", "1,", "1.23" before "1.234,5").
    for (const QChar c : t) {
        if (!c.isDigit() && !QStringLiteral(" +-.,eE").contains(c))
            return QValidator::Invalid;
    }
    return QValidator::Intermediate;
}
