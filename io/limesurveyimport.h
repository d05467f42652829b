#ifndef LIMESURVEYIMPORT_H
#define LIMESURVEYIMPORT_H

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class PlattformUmfrage;
class QIODevice;
class SpssSyntax;

// A LimeSurvey response export: "," or ";" separated, code headings ("id",
// "submitdate", "Q2[SQ001]") or text headings ("Antwort ID", "Frage [Teilfrage]"); with
// the survey structure file (.lss) codes become answer texts and question texts.
class LimeSurveyImport
{
public:
    // What a survey structure file says.
    struct Struktur {
        struct Frage {
            QString text;
            QString typ;
            QHash<QString, QString> antworten;   // code -> text
            QHash<QString, QString> teilfragen;  // code -> text
        };
        QHash<QString, Frage> fragen;            // by code ("Q2")
        bool leer() const { return fragen.isEmpty(); }
    };

    static bool erkennt(const QList<QStringList>& kopf);
    static bool istMetadaten(const QString& name);
    // Reads a .lss file; false for one that is no survey structure or damaged.
    static bool leseStruktur(QIODevice& in, Struktur* out);
    // The .lss file beside the export: of the same name, else the only one in its folder.
    static QString strukturDatei(const QString& exportDatei);
    static void lesen(const QStringList& kopf, const QList<QStringList>& rows,
                      const Struktur& struktur, PlattformUmfrage* u);
    // The SPSS export: syntax and its data file (fields in the syntax's qualifier).
    static void lesenSpss(const SpssSyntax& syntax, const QString& daten, PlattformUmfrage* u);
    // One line of a data file whose fields are quoted with the given character.
    static QStringList felder(const QString& line, QChar trenner, QChar qualifier);
};

#endif
