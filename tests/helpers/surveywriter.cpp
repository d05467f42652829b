#include "surveywriter.h"

#include <QFile>
#include "core/spaltenspeicher.h"
#include <QTextStream>

SurveyWriter::SurveyWriter(int rows, int columns, Cell cell)
    : m_rows(qMax(0, rows)), m_columns(qMax(0, columns)), m_cell(std::move(cell))
{
}

SurveyWriter& SurveyWriter::setTitles(const QStringList& titles)
{
    m_titles = titles;
    return *this;
}

QStringList SurveyWriter::titles() const
{
    QStringList t = m_titles.mid(0, m_columns);
    for (int c = int(t.size()); c < m_columns; ++c)
        t << QStringLiteral("Frage %1").arg(c + 1);
    return t;
}

namespace {
QString csvField(const QString& text, bool always)
{
    if (!always && !text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
}

bool SurveyWriter::writeCsv(const QString& path) const
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QTextStream out(&f);
    const QStringList t = titles();
    for (int c = 0; c < m_columns; ++c)
        out << (c ? ";" : "") << csvField(t.at(c), true);
    out << "\n";
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c)
            out << (c ? ";" : "") << csvField(m_cell(r, c), false);
        out << "\n";
    }
    out.flush();
    return out.status() == QTextStream::Ok && f.error() == QFile::NoError;
}

void SurveyWriter::fill(SpaltenSpeicher* model) const
{
    model->clear();
    model->setHorizontalHeaderLabels(titles());
    SpaltenSpeicher::Aufbau bau(model);
    for (int r = 0; r < m_rows; ++r) {
        bau.neueZeile();
        for (int c = 0; c < m_columns; ++c)
            bau.text(c, m_cell(r, c));
    }
}

SpaltenSpeicher* SurveyWriter::model(QObject* parent) const
{
    auto* m = new SpaltenSpeicher(parent);
    fill(m);
    return m;
}

SurveyWriter::Cell SurveyWriter::cycling(const QStringList& answers)
{
    return [answers](int row, int column) {
        return answers.isEmpty() ? QString()
                                 : answers.at((31 * row + 7 * column) % int(answers.size()));
    };
}
