#ifndef ZUSAMMENFASSUNG_H
#define ZUSAMMENFASSUNG_H

#include <QCoreApplication>
#include <QStringList>
#include <QVector>

class QDataStream;
class QWidget;

// A NET: a named group of answers, shown after the answers and counted once per
// respondent who gave any of them.
struct Zusammenfassung
{
    Q_DECLARE_TR_FUNCTIONS(Zusammenfassung)
public:
    QString name;
    QStringList antworten;

    bool operator==(const Zusammenfassung& o) const
    {
        return name == o.name && antworten == o.antworten;
    }

    // "Top-2 (...)" and "Bottom-2 (...)" of the answers' rating scale; none without one.
    static QVector<Zusammenfassung> topBottom2(const QStringList& antworten);
    // "Zusammenfassungen...": adds the scale's top-2/bottom-2, a NET of the answers the
    // user ticks and names, or takes one away; false when nothing changed.
    static bool bearbeiten(QWidget* parent, const QStringList& antworten,
                           QVector<Zusammenfassung>* liste);
    // The list: its count (qint32), then per NET its name and its answers (a string
    // list variant).
    static void write(QDataStream& s, const QVector<Zusammenfassung>& liste);
    // Reads the list without trusting its count; false on a damaged or cut record.
    static bool read(QDataStream& s, QVector<Zusammenfassung>* liste);
};

#endif
