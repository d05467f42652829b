#ifndef CSETMISSING_H
#define CSETMISSING_H

#include <QStringList>
#include <QUndoCommand>

class SpaltenSpeicher;

// Declares the answers that count as missing in one column; the views of that column
// are told as by a change of its cells.
class cSetMissing : public QUndoCommand
{
public:
    cSetMissing(SpaltenSpeicher* model, int column, const QStringList& before,
                const QStringList& after, QUndoCommand* parent = nullptr);
    void undo() override;
    void redo() override;

private:
    void apply(const QStringList& codes);

    SpaltenSpeicher* m_model;
    int m_column;
    QStringList m_before;
    QStringList m_after;
};

#endif
