#ifndef DEMOVIEWS_H
#define DEMOVIEWS_H

#include <QString>
#include <QVector>
#include <functional>

#include "core/viewrecord.h"

class ModelClient;
class SpaltenSpeicher;

// The demonstration views: generated answers in the data table and a fixed set of views
// that shows what the program can do, so that a new window never starts empty.
class DemoViews
{
public:
    enum Kind {
        Made,           // made from its record like any other view
        FourViews,      // container of four single-column charts, "Vier Ansichten"
        MultiFourViews  // container of two multi-column charts, "Häufigkeits Multi Test"
    };
    struct Entry {
        Kind kind = Made;
        ViewRecord record; // for the containers only the title
    };

    // The views in list order, titles read from the data table's header.
    static QVector<Entry> plan(const SpaltenSpeicher* model);

    // The four-view container of that kind over the model; null for Made, and null
    // while the container is not part of the program.
    static ModelClient* makeContainer(Kind kind, SpaltenSpeicher* model);
};

#endif
