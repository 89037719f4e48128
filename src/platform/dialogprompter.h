#pragma once

#include "prompter.h"

// The Prompter of the running program: real, modal toolkit dialogs.
class DialogPrompter : public Prompter
{
public:
    QMessageBox::StandardButton message(QWidget *parent, const Message &message) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
        const QString &filter) override;
    QStringList openFileNames(QWidget *parent, const QString &caption, const QString &dir,
        const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
        const QString &filter) override;
    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir,
        QFileDialog::Options options) override;
    int exec(QDialog *dialog) override;
};
