#ifndef ANSICHTSPLAN_H
#define ANSICHTSPLAN_H

#include <QVector>

#include "core/mehrfachsets.h"
#include "core/viewrecord.h"

// What a survey reader found beside the table: the columns to hide, the
// multiple-choice sets and the views, as records. The document applies it in one place.
struct Ansichtsplan {
    QVector<int> versteckt;       // hidden columns; every other one is shown
    QVector<MehrfachSet> sets;    // replace the survey's sets
    QVector<ViewRecord> ansichten;
    int version = 5;              // record version of the views' settings
};

#endif
