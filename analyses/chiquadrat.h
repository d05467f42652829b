#ifndef CHIQUADRAT_H
#define CHIQUADRAT_H

#include "analyses/ergebnistext.h"
#include "analyses/modeldiagramadapter.h"
#include "core/rowfilter.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;

// "Chi Quadrat": tests one numeric column against a normal distribution with the mean
// and deviation the user enters; the diagram shows observed ("Daten") and expected
// ("Normal") counts per class, the label the statistic.
class ChiQuadrat : public ModelDiagramAdapter
{
    Q_OBJECT
public:
    explicit ChiQuadrat(QWidget* parent = nullptr);

    // From record version 2 on the diagram's record first; then the filter record, the
    // class count (qint32), the mean and the deviation (doubles).
    void saveData(QDataStream& s, int version) override;
    void loadData(QDataStream& s, int version) override;
    // Places the diagram below the controls.
    void setDiagram(Diagram* d) override;
    // On a table diagram: its table, then the result line "χ²=…" as the view shows it.
    TextInhalt* viewText() override;

    void setDepFilter(QString value, int column);
    void setInputFilter(const QVariant& v);
    const RowFilter& rowFilter() const { return m_filter; }

    // Probability of the class from lower to upper (upper first).
    virtual double w(double upper, double lower);

    int classCount() const { return m_classes; }
    double mean() const { return m_mean; }
    double deviation() const { return m_deviation; }
    QDoubleSpinBox* meanBox() const { return m_meanBox; }
    QDoubleSpinBox* deviationBox() const { return m_deviationBox; }
    QDoubleSpinBox* alphaBox() const { return m_alphaBox; }
    QDoubleSpinBox* classesBox() const { return m_classesBox; }
    QLabel* resultLabel() const { return m_resultLabel; }
    QPushButton* testButton() const { return m_testButton; }

public slots:
    void updateDiagram() override;
    void depAction();
    void undepAction();

private:
    QDoubleSpinBox* m_meanBox;
    QDoubleSpinBox* m_deviationBox;
    QDoubleSpinBox* m_alphaBox;
    QDoubleSpinBox* m_classesBox;
    QLabel* m_resultLabel;
    QPushButton* m_testButton;
    int m_classes = 10;
    RowFilter m_filter;
    double m_mean = 0;
    double m_deviation = 0;
    // Whether μ and σ came from a record or from the data: a new view starts from its
    // data's mean and deviation, once.
    bool m_parametersSet = false;
    ErgebnisText m_text;
};

#endif
