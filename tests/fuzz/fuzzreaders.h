#ifndef FUZZREADERS_H
#define FUZZREADERS_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// Every reader of outside bytes, each fed one input the way the program feeds it. The
// libFuzzer targets and the replay test call the same functions, so a finding kept as
// a file stays tested in every build.
class FuzzReaders
{
public:
    using Reader = void (*)(const QByteArray& input);

    // The target names, one folder each under corpus/ and regressions/.
    static QStringList names();
    // Null for an unknown name.
    static Reader reader(const QString& name);

    // A ";" CSV file: decoded as the import decodes it and filled into a data table.
    static void csvImport(const QByteArray& input);
    // A statistic file: header check, then the whole state read into a main window.
    static void statistikDatei(const QByteArray& input);
    // A settings record: byte 0 picks a diagram, an adapter of the type tables or the
    // row filter, byte 1 the record version (0 to 5); the rest is the record, which is
    // loaded into a fresh object that then computes and paints.
    static void settingsRecord(const QByteArray& input);

    // A SurveyMonkey export: decoded, filled into a main window's data table, its
    // views made and painted.
    static void surveyMonkeyImport(const QByteArray& input);
    // An SPSS data file: read, and when it is whole filled into a data table whose
    // columns are then made into views and painted.
    static void spssImport(const QByteArray& input);
    // A views CSV file: its views made on the demonstration table, painted and
    // written back.
    static void viewsCsv(const QByteArray& input);
    // A PowerPoint deck: read as a deck to update (and as a template), a bar chart and
    // a table view put into it, and the package written again.
    static void pptx(const QByteArray& input);

    // A survey platform's export, recognised by its content as "Öffnen/Import" does
    // (without the files beside it), filled into a data table with its sets and views,
    // which are painted. The targets differ in their seeds: Qualtrics, Google Forms,
    // LimeSurvey and KoboToolbox CSV files, Excel workbooks.
    static void plattformExport(const QByteArray& input);
    // A LimeSurvey structure file (.lss) applied to a code-headed export of its codes.
    static void limeSurveyStruktur(const QByteArray& input);
    // An SPSS syntax file (.sps) applied to a small data file of its variables.
    static void spssSyntax(const QByteArray& input);
    // A Triple-S description; the data follow a line "--DATA--".
    static void tripleS(const QByteArray& input);

    // Creates the application object on the offscreen platform unless one exists, and
    // answers every question the program might ask with a cancel.
    static void setUp();
    // Deletes the long-lived objects the readers made (before the application goes).
    static void tearDown();

    // The objects a settings record can be read into: "Diagram:<type>",
    // "Single:<adapter type>", "Multi:<adapter type>" in type-table order, then
    // "RowFilter". Byte 0 of a settings-record input is an index into this list.
    static QStringList settingsClasses();
};

#endif
