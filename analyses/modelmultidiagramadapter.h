#ifndef MODELMULTIDIAGRAMADAPTER_H
#define MODELMULTIDIAGRAMADAPTER_H

#include "analyses/diagrammadapterbasis.h"

// Base of the views that evaluate several columns of the data table at once and feed
// the result into one exchangeable diagram. A sibling of the single-column base, not
// derived from it: the program tells them apart by name.
class ModelMultiDiagramAdapter : public DiagrammAdapterBasis
{
    Q_OBJECT
public:
    explicit ModelMultiDiagramAdapter(QWidget* parent = nullptr);

    // The columns in the user's order; the output follows it.
    void setSpalten(const QVector<int>& columns);
    const QVector<int>& spalten() const { return m_columns; }

public slots:
    void updateDiagram() override = 0;
    // Asks for another diagram type (changeDiagram), as "Typ..." does.
    void typAction();

protected:
    QVector<int> m_columns;
};

#endif
