#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QThreadPool>
#include <QTimer>

class QModelIndex;
class TTreeElaborat;
class TTreeWidget;

// Keeps the recovery record (recoveryrecord.h) of every elaborat of a tree view in step with
// the elaborat. A change (a mark as modified or up to date, an item added or removed) is
// written at most once per interval: the first change starts the interval, every change within
// it rides along, and at its end the GUI thread takes a plain copy of each changed elaborat
// while a worker thread turns it into JSON and writes the file. An elaborat taken out of the
// view (closed) has its record removed, after any write of it still under way.
class RecoveryRecorder : public QObject
{
    Q_OBJECT
public:
    // Follows `view` from now on; `intervalMs` is the least time between two writes of a
    // record.
    explicit RecoveryRecorder(TTreeWidget *view, int intervalMs = 1000, QObject *parent = nullptr);
    // Stops as stop() does.
    ~RecoveryRecorder() override;

    // Copies every changed elaborat now and hands the copies to the worker.
    void flush();
    // Follows the view no more: changes not yet copied are dropped, a write under way is
    // waited for, those not yet begun are dropped, and no record is removed. For the program's
    // end, before its temporary folder is cleared or its elaborates are deleted.
    void stop();

signals:
    // A record was written to `path`.
    void recordWritten(const QString &path);

private:
    void changed(TTreeElaborat *elaborat);
    void rowsChanged(const QModelIndex &parent);
    void elaboratesLeaving(const QModelIndex &parent, int first, int last);

    QPointer<TTreeWidget> view;
    QTimer timer;
    // Pointers only compared, never followed: an elaborat is looked up among the view's items.
    QSet<const TTreeElaborat *> dirty;
    // The record of every elaborat written so far; an elaborat that is being deleted cannot be
    // asked for its folder any more.
    QHash<const TTreeElaborat *, QString> records;
    // One thread, so that the writes and removals of a record happen in the order asked.
    QThreadPool worker;
};
