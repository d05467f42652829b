#ifndef ROLES_H
#define ROLES_H

#include <Qt>

// The item data roles the program stores beyond Qt's own. Three families share the
// numbers of Qt::UserRole and above, each on its own kind of item: keep them apart.
namespace Roles {

// Items of the view list: one per view, in column 0.
enum ViewItemRole {
    ViewCategory = Qt::UserRole,        // "Single", "Multi" or "Special"
    ViewAdapterType = Qt::UserRole + 1, // adapter type name; false until created
    ViewColumns = Qt::UserRole + 2,     // QStringList of 0-based column numbers
    ViewType = Qt::UserRole + 3,        // diagram type or special view type name
    ViewNotes = Qt::UserRole + 4        // HTML of the notes pane
};

// Horizontal header sections of the data table.
enum HeaderRole {
    DerivationKind = Qt::UserRole,        // "copy", "combined", "weight" or empty
    DerivationParameter = Qt::UserRole + 1,
    DerivationSources = Qt::UserRole + 2,
    MissingCodes = Qt::UserRole + 3,      // QStringList: answers that count as no answer
    RecodeRule = Qt::UserRole + 4,        // QByteArray: the rule a derived column follows
    WeightTargets = Qt::UserRole + 5      // QByteArray: the targets a fitted weight met
};

// Cells of the data table restored from a statistic file.
enum CellRole {
    RestoredValue = Qt::UserRole + 1    // the value as the file held it
};

} // namespace Roles

#endif
