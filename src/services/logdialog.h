#pragma once

#include <QDialog>

class QPlainTextEdit;

// The debug log of the current run, as it was when the dialog opened, for the user to read and
// copy. Plain text always: a record that looks like markup shows as it was written.
class LogDialog : public QDialog
{
    Q_OBJECT
public:
    explicit LogDialog(QWidget *parent = nullptr);

    QPlainTextEdit *textEdit;

private:
    void loadLog();
};
