#ifndef KOBOIMPORT_H
#define KOBOIMPORT_H

#include <QList>
#include <QString>
#include <QStringList>

class PlattformUmfrage;
class SpssSyntax;

// A KoboToolbox export: "group/question" headings, a select-multiple question as a
// column of space-separated codes followed by one "question/option" column of 1 or 0
// per option, and metadata columns ("start", "end", "_id", "_uuid", ...).
class KoboImport
{
public:
    static bool erkennt(const QList<QStringList>& kopf);
    static bool istMetadaten(const QString& name);
    // Labels (when the syntax has any) name the columns and their answers.
    static void lesen(const QStringList& kopf, const QList<QStringList>& rows,
                      const SpssSyntax* labels, PlattformUmfrage* u);
    // The variable of the syntax that stands for a column: its name, the name with "/"
    // as "_" or ".", or the last part of the path; empty when none.
    static QString variable(const SpssSyntax& labels, const QString& spalte);
};

#endif
