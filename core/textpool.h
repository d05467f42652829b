#ifndef TEXTPOOL_H
#define TEXTPOOL_H

#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>

#include "core/textkey.h"

// Lets equal answers share one string while a table is read: a survey repeats the same
// few answers in most of its cells. One pool per column; a column whose texts are mostly
// different (free text) stops being pooled, so it costs no more than before.
// Values are never changed: an empty text is handed back as it came (null or not).
class TextPool
{
public:
    // The shared copy of text for column.
    QString take(const QString& text, int column);
    // The same for text that is not yet a string of its own; only a new text is copied.
    QString take(QStringView text, int column);

private:
    struct Column {
        QSet<TextKey> texts;
        qint64 seen = 0;
        bool off = false;
    };
    Column* column(int c);
    // Gives up on columns that are mostly distinct, once enough texts were seen.
    static void review(Column* col);

    QList<Column> m_columns;
};

#endif
