#ifndef MODELCLIENT_H
#define MODELCLIENT_H

#include <QWidget>

class SpaltenSpeicher;
class QDataStream;

// Widget base of every page of the view area. A view gets the data table through
// setModel() and keeps itself current from the model's signals.
class ModelClient : public QWidget
{
    Q_OBJECT
public:
    explicit ModelClient(QWidget* parent = nullptr);

    virtual void setModel(SpaltenSpeicher* m) = 0;
    // The view's own settings record; record version 5 in files, 1 in removal snapshots.
    virtual void saveData(QDataStream& s, int version);
    virtual void loadData(QDataStream& s, int version);
    // The smallest statistic file version that holds this view as it stands (its type
    // and its settings); 0 when any version does.
    virtual int neededVersion() const;

    SpaltenSpeicher* model() const { return m_model; }

    // Tells the view that holds w (w itself or its nearest ancestor view), if any, that
    // one of its settings changed.
    static void notifyChanged(const QObject* w);

signals:
    // One of the view's settings (what saveData writes) changed: unsaved work.
    void changed();

protected:
    SpaltenSpeicher* m_model = nullptr; // the data table; never owned
};

#endif
