#ifndef HAEUFIGKEITSVERTEILUNGSADAPTER_H
#define HAEUFIGKEITSVERTEILUNGSADAPTER_H

#include "analyses/modeldiagramadapter.h"
#include "core/rowfilter.h"

// "HäufigkeitsVerteilung": a histogram of the column read as numbers, m classes of
// equal width over a fixed range or, while both bounds are 0, the range of the data.
class HaeufigkeitsVerteilungsAdapter : public ModelDiagramAdapter
{
    Q_OBJECT
public:
    explicit HaeufigkeitsVerteilungsAdapter(QWidget* parent = nullptr);

    // From record version 2 on the diagram's record first; then the filter record and
    // the class count; from version 5 on the range.
    void saveData(QDataStream& s, int version) override;
    void loadData(QDataStream& s, int version) override;

    void setDepFilter(QString value, int column);
    void setInputFilter(const QVariant& v);
    const RowFilter& rowFilter() const { return m_filter; }
    int classCount() const { return m_classes; }
    double rangeMinimum() const { return m_min; }
    double rangeMaximum() const { return m_max; }

    // Not a slot of this class: the base's slot runs it.
    void updateDiagram() override;

public slots:
    void intervalAction();
    void depAction();
    void undepAction();
    void minMaxAction();

private:
    int m_classes = 10;
    RowFilter m_filter;
    double m_min = 0;
    double m_max = 0;
};

#endif
