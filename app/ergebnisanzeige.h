#ifndef ERGEBNISANZEIGE_H
#define ERGEBNISANZEIGE_H

class Ergebnis;
class QWidget;

// Shows what a file operation came to: its message, if any, as a warning box through
// UserInput. Whether the operation was done.
class ErgebnisAnzeige
{
public:
    static bool zeigen(QWidget* parent, const Ergebnis& e);
};

#endif
