#ifndef HAEUFIGKEITSDIAGRAMADAPTER_H
#define HAEUFIGKEITSDIAGRAMADAPTER_H

#include "analyses/antwortanzeige.h"
#include "analyses/modeldiagramadapter.h"
#include "core/rowfilter.h"

// "Häufigkeit": how often each distinct answer of the column occurs among the admitted
// rows, answers in code-unit order unless the user chose another order.
class HaeufigkeitsDiagramAdapter : public ModelDiagramAdapter
{
    Q_OBJECT
public:
    explicit HaeufigkeitsDiagramAdapter(QWidget* parent = nullptr);

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
    void updateDiagram() override;
    void depAction();
    void undepAction();

protected:
    // May rewrite the counts in place before they reach the diagram; here, weighted
    // sums are rounded to the one decimal they are shown with.
    virtual void processData(QVector<double>& values);

    RowFilter m_filter;
    AntwortAnzeige m_anzeige;
    bool m_gewichtet = false;   // the values are sums of weights
};

#endif
