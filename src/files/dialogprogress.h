#pragma once

#include "workerdialog.h"

class ProgressThread;

// The modal dialog behind which an elaborat's PDF moves into the archive folder: a busy bar and
// a button to stop while the worker runs, then the outcome in words until the user closes it.
class DialogProgress : public WorkerDialog
{
    Q_OBJECT
public:
    // Starts moving `source` to `destination` at once; the caller runs the dialog modally.
    DialogProgress(const QString &source, const QString &destination, QWidget *parent = nullptr);

    // Whether the file stands at the destination, also after the user stopped a move that had
    // already got there. Waits for a stopped worker, which ends within one block of its copy.
    bool succeeded() const;

protected:
    // While the worker runs, only after the user agreed to stop it.
    bool mayClose() override;

private slots:
    void onThreadTerminated();
    void on_b_prekini_clicked();

private:
    void abandonWorker();

    bool cancelled = false;
    ProgressThread *worker;
};
