#pragma once

#include <QDialog>

// The base of the modal dialogs behind which a worker runs: Escape and the window's close
// button close them only when mayClose() agrees, which may ask the user to stop the worker.
class WorkerDialog : public QDialog
{
    Q_OBJECT
public:
    using QDialog::QDialog;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    // Whether the dialog may close now; stops the worker when it agrees.
    virtual bool mayClose() = 0;
};
