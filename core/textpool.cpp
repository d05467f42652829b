#include "core/textpool.h"

namespace {
// Texts seen before a column is judged, and the share of new ones that ends pooling.
constexpr qint64 textsJudgedAfter = 2000;
}

TextPool::Column* TextPool::column(int c)
{
    if (c < 0)
        return nullptr;
    if (c >= m_columns.size())
        m_columns.resize(c + 1);
    Column* col = &m_columns[c];
    return col->off ? nullptr : col;
}

void TextPool::review(Column* col)
{
    if (++col->seen != textsJudgedAfter)
        return;
    // More than half of the texts new: free text, every later one probably new too.
    if (col->texts.size() * 2 > col->seen) {
        col->off = true;
        col->texts = QSet<TextKey>();
    }
}

QString TextPool::take(const QString& text, int c)
{
    if (text.isEmpty())
        return text;
    Column* col = column(c);
    if (!col)
        return text;
    review(col);
    const auto it = col->texts.constFind(TextKey{text});
    if (it != col->texts.cend())
        return it->text;
    col->texts.insert(TextKey{text});
    return text;
}

QString TextPool::take(QStringView text, int c)
{
    Column* col = text.isEmpty() ? nullptr : column(c);
    if (!col)
        return text.toString();
    review(col);
    // A key over the reader's own characters: no copy unless the text is new.
    const TextKey key{QString::fromRawData(text.data(), text.size())};
    const auto it = col->texts.constFind(key);
    if (it != col->texts.cend())
        return it->text;
    const QString copy = text.toString();
    col->texts.insert(TextKey{copy});
    return copy;
}
