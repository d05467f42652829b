#include "analyses/ergebnistext.h"

void ErgebnisText::set(TextInhalt* table, const QStringList& lines)
{
    m_table = table;
    m_lines = lines;
}

QString ErgebnisText::toText()
{
    QString s = m_table ? m_table->toText() : QString();
    for (const QString& line : m_lines)
        s += line + QLatin1Char('\n');
    return s;
}

QString ErgebnisText::toHTML()
{
    QString s = m_table ? m_table->toHTML() : QString();
    if (m_lines.isEmpty())
        return s;
    QStringList escaped;
    for (const QString& line : m_lines)
        escaped << line.toHtmlEscaped();
    return s + QLatin1String("<P>") + escaped.join(QLatin1String("<BR>")) + QLatin1String("</P>");
}
