#ifndef VIEWHOST_H
#define VIEWHOST_H

#include "core/viewrecord.h"

class ModelClient;
class QStandardItemModel;
class SpaltenSpeicher;
class QWidget;

// The view list as the file formats and commands see it: rows of views that turn into
// records and back. Row 0 is the data table and is never a record.
class ViewHost
{
public:
    virtual ~ViewHost() = default;

    // Number of rows in the view list, the data table's included.
    virtual int viewCount() const = 0;
    // The view of row r; null for row 0 (the data table is shown by a window) and
    // outside the list.
    virtual QWidget* viewPage(int row) const = 0;
    // The view list model (row i describes page i).
    virtual QStandardItemModel* viewListModel() const = 0;
    // The data table the views show; null when the host has none.
    virtual SpaltenSpeicher* dataModel() const { return nullptr; }
    // The row of a view, -1 when it is not in the list.
    virtual int viewIndex(ModelClient* view) = 0;
    // The record of row r (r >= 1) with its settings written at record version v.
    virtual ViewRecord record(int row, int version) = 0;
    // The fields of row r as the list holds them.
    virtual ViewRecord::Stored stored(int row) = 0;
    // Creates a view from a record, appended at the end, and applies its settings
    // (record version v) with loadData; empty settings leave the view's defaults.
    // Null when the record names no view that can be made. The record's column list is
    // not trusted (it may come from a file): see ViewRecord::boundedColumns.
    virtual ModelClient* createFromRecord(const ViewRecord& r, int version) = 0;
    // While on (calls nest), views are created without showing each one: whoever
    // makes many views shows the page it wants once at the end.
    virtual void setCreatingMany(bool on) = 0;
    // Removes (and deletes) the view of row r >= 1; not undoable.
    virtual void removeView(int row) = 0;
    // Moves the view of row from (>= 1) to row to, keeping its page with it.
    virtual void moveView(int from, int to) = 0;
    // Removes every view but the data table.
    virtual void clearViews() = 0;

    // setCreatingMany(true) for the guard's lifetime.
    class CreatingMany
    {
    public:
        explicit CreatingMany(ViewHost& h) : m_host(h) { h.setCreatingMany(true); }
        ~CreatingMany() { m_host.setCreatingMany(false); }
        CreatingMany(const CreatingMany&) = delete;
        CreatingMany& operator=(const CreatingMany&) = delete;

    private:
        ViewHost& m_host;
    };
};

#endif
