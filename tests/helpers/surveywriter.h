#ifndef SURVEYWRITER_H
#define SURVEYWRITER_H

#include <QStringList>
#include <functional>

class QObject;
class SpaltenSpeicher;

// A generated survey for tests and benchmark programs: rows × columns of answers from a
// cell function, asked in row-major order (so that a random generator inside it gives
// the same survey each time), under the titles "Frage 1", "Frage 2", ... unless others
// are set. Written as a ';'-separated CSV file or filled into a data table.
class SurveyWriter
{
public:
    using Cell = std::function<QString(int row, int column)>;

    SurveyWriter(int rows, int columns, Cell cell);
    SurveyWriter& setTitles(const QStringList& titles);

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    QStringList titles() const;

    // Titles always quoted, cells quoted where they hold a separator, quote or line
    // break; false when the file cannot be written.
    bool writeCsv(const QString& path) const;
    // Replaces the table's rows and titles by the survey's.
    void fill(SpaltenSpeicher* model) const;
    SpaltenSpeicher* model(QObject* parent = nullptr) const;

    // answers[(31 · row + 7 · column) mod n]: every answer in every column, spread.
    static Cell cycling(const QStringList& answers);

private:
    int m_rows;
    int m_columns;
    Cell m_cell;
    QStringList m_titles;
};

#endif
