#ifndef ERGEBNIS_H
#define ERGEBNIS_H

#include <QString>

// What a file operation of the document came to: done, or a German message with its
// title and whether the present state was left as it was. The document shows nothing
// itself; the window puts the message in a box, the command line prints it, so that
// each text is written once.
class Ergebnis
{
public:
    // Done, nothing to say.
    Ergebnis() = default;

    // Not done; the survey is as it was before.
    static Ergebnis fehler(const QString& titel, const QString& meldung);
    // Done as far as it went (a damaged file read up to the damage, views left out):
    // the state changed, and the message says what is missing.
    static Ergebnis warnung(const QString& titel, const QString& meldung);

    bool geschafft() const { return m_geschafft; }
    // Whether the state is what it was before the operation.
    bool unveraendert() const { return m_unveraendert; }
    bool hatMeldung() const { return !m_meldung.isEmpty(); }
    const QString& titel() const { return m_titel; }
    const QString& meldung() const { return m_meldung; }

    // Done (with or without a warning): what callers asking "did it work" want.
    operator bool() const { return m_geschafft; }

private:
    bool m_geschafft = true;
    bool m_unveraendert = false;
    QString m_titel;
    QString m_meldung;
};

#endif
