#ifndef DIAGRAMADAPTER_H
#define DIAGRAMADAPTER_H

class Diagram;
class QString;

// Views that compute values and feed them into an exchangeable diagram.
class DiagramAdapter
{
public:
    virtual ~DiagramAdapter() = default;

    // Takes ownership of d (never null), deletes the previous diagram and recomputes.
    virtual void setDiagram(Diagram* d) = 0;
    virtual void setTitle(const QString& t) = 0;
    virtual Diagram* diagram() = 0;
    virtual void updateDiagram() = 0;
};

#endif
