#ifndef QUALTRICSIMPORT_H
#define QUALTRICSIMPORT_H

#include <QList>
#include <QString>
#include <QStringList>

class PlattformUmfrage;

// A Qualtrics export: a row of short names ("Q1", "Q5_1", "Q5_4_TEXT"), a row of the
// full question texts, usually a row of {"ImportId":...}, then one row per response.
class QualtricsImport
{
public:
    // Whether the first records are the header of a Qualtrics export.
    static bool erkennt(const QList<QStringList>& kopf);
    // How many of the first records are header: 3 with the ImportId row, else 2.
    static int kopfZeilen(const QList<QStringList>& kopf);
    // Titles from the question texts, the metadata hidden, "_TEXT" columns open answers,
    // the "Qx_n" columns of one question a set named by the question text.
    static void lesen(const QList<QStringList>& kopf, PlattformUmfrage* u);
    static bool istMetadaten(const QString& name);
};

#endif
