#include "recoveryrecorder.h"

#include "recoveryrecord.h"
#include "ttreeelaborat.h"
#include "ttreewidget.h"

#include <QFile>

RecoveryRecorder::RecoveryRecorder(TTreeWidget *treeView, int intervalMs, QObject *parent)
    : QObject(parent)
    , view(treeView)
{
    worker.setMaxThreadCount(1);
    timer.setSingleShot(true);
    timer.setInterval(intervalMs);
    connect(&timer, &QTimer::timeout, this, &RecoveryRecorder::flush);
    connect(view, &TTreeWidget::elaboratChanged, this, &RecoveryRecorder::changed);
    const QAbstractItemModel *model = view->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &RecoveryRecorder::rowsChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &RecoveryRecorder::rowsChanged);
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
        &RecoveryRecorder::elaboratesLeaving);
}

RecoveryRecorder::~RecoveryRecorder()
{
    stop();
}

void RecoveryRecorder::flush()
{
    timer.stop();
    if (dirty.isEmpty() || !view)
        return;
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        const TTreeElaborat *elaborat = TTreeElaborat::cast(view->topLevelItem(i));
        if (!elaborat || !dirty.contains(elaborat))
            continue;
        const QString path = elaborat->workDir() + QLatin1Char('/') + recoveryFileName();
        records.insert(elaborat, path);
        worker.start([this, path, record = elaborat->recoveryRecord()] {
            if (writeRecoveryRecord(path, record))
                QMetaObject::invokeMethod(
                    this, [this, path] { emit recordWritten(path); }, Qt::QueuedConnection);
        });
    }
    dirty.clear();
}

void RecoveryRecorder::stop()
{
    if (view) {
        disconnect(view, nullptr, this, nullptr);
        disconnect(view->model(), nullptr, this, nullptr);
    }
    timer.stop();
    dirty.clear();
    worker.clear();
    worker.waitForDone();
}

void RecoveryRecorder::changed(TTreeElaborat *elaborat)
{
    dirty.insert(elaborat);
    if (!timer.isActive())
        timer.start();
}

void RecoveryRecorder::rowsChanged(const QModelIndex &parent)
{
    // A new elaborat marks itself; items below one change it.
    if (!parent.isValid())
        return;
    if (TTreeElaborat *elaborat = TTreeWidget::elaboratOf(view->itemFromIndex(parent)))
        changed(elaborat);
}

void RecoveryRecorder::elaboratesLeaving(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid())
        return;
    for (int row = first; row <= last; ++row) {
        const TTreeElaborat *elaborat = TTreeElaborat::cast(view->topLevelItem(row));
        dirty.remove(elaborat);
        const QString path = records.take(elaborat);
        if (!path.isEmpty())
            worker.start([path] { QFile::remove(path); });
    }
}
