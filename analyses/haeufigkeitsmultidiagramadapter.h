#ifndef HAEUFIGKEITSMULTIDIAGRAMADAPTER_H
#define HAEUFIGKEITSMULTIDIAGRAMADAPTER_H

#include "analyses/antwortanzeige.h"
#include "analyses/modelmultidiagramadapter.h"
#include "core/rowfilter.h"

// "Häufigkeit" over several columns: one diagram row per column, counted over the one
// answer set of all selected cells, so that the columns compare answer by answer.
class HaeufigkeitsMultiDiagramAdapter : public ModelMultiDiagramAdapter
{
    Q_OBJECT
public:
    explicit HaeufigkeitsMultiDiagramAdapter(QWidget* parent = nullptr);

    // From record version 2 on the diagram's record first, then the filter record,
    // from DateiVersion::AnzeigeVersion on the order of the answers.
    void saveData(QDataStream& s, int version) override;
    void loadData(QDataStream& s, int version) override;
    int neededVersion() const override;

    void setDepFilter(QString value, int column);
    void setInputFilter(const QVariant& v);
    const RowFilter& rowFilter() const { return m_filter; }
    // The order of the answers and the answers left out.
    AntwortAnzeige& antwortAnzeige() { return m_anzeige; }
    const AntwortAnzeige& antwortAnzeige() const { return m_anzeige; }

public slots:
    void depAction();
    void undepAction();
    void updateDiagram() override;

protected:
    // Called once per diagram row with that row's counts; may rewrite them in place.
    // Here, weighted sums are rounded to the one decimal they are shown with.
    virtual void processData(double* begin, double* end);

    RowFilter m_filter;
    AntwortAnzeige m_anzeige;
    bool m_gewichtet = false;   // the values are sums of weights
};

#endif
