#pragma once

#include <QDialog>

class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The base of the modal dialogs behind which a worker runs: the state in words, a busy bar and
// a button to stop, in one column that the dialog may extend. Escape and the window's close
// button close the dialog only when mayClose() agrees, which may ask the user to stop the worker.
class WorkerDialog : public QDialog
{
    Q_OBJECT
public:
    WorkerDialog(const QString &stopText, QWidget *parent);

    QPlainTextEdit *plainTextEdit;
    QProgressBar *progressBar;
    QPushButton *b_prekini;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    // Whether the dialog may close now; stops the worker when it agrees.
    virtual bool mayClose() = 0;
};
