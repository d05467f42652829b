#ifndef RECORDINGDIAGRAM_H
#define RECORDINGDIAGRAM_H

#include <QStringList>

#include "diagrams/diagram.h"

// A diagram that notes the order in which its adapter feeds it.
class RecordingDiagram : public Diagram
{
public:
    QStringList calls;

    void setData(const QVector<double>& d) override { calls << "setData"; Diagram::setData(d); }
    void setLabels(const QStringList& l) override { calls << "setLabels"; Diagram::setLabels(l); }
    void setColLabels(const QStringList& l) override
    {
        calls << "setColLabels";
        Diagram::setColLabels(l);
    }
    void setRowWidth(int w) override { calls << "setRowWidth"; Diagram::setRowWidth(w); }
    void setTitle(const QString& t) override { calls << "setTitle"; Diagram::setTitle(t); }
    void setValuePostfix(const QString& p) override
    {
        calls << "setValuePostfix";
        Diagram::setValuePostfix(p);
    }

protected:
    void paintEvent(QPaintEvent*) override {}
};

#endif
