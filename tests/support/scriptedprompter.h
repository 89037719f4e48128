#pragma once

#include "platform/prompter.h"

#include <QList>
#include <QQueue>
#include <functional>

// A Prompter for tests: it records everything the program would have shown and answers from
// queues the test fills. An empty queue answers with the default button, an empty file name or
// a rejected dialog. Installed for its lifetime.
class ScriptedPrompter : public Prompter
{
public:
    enum Kind
    {
        MessageBox,
        OpenFile,
        OpenFiles,
        SaveFile,
        Directory,
        Dialog
    };

    struct Shown
    {
        Kind kind = MessageBox;
        QString title; // caption of a file dialog, window title of a dialog
        QString text;
        QString informativeText;
        QString detail; // the start folder of a file dialog, the class name of a dialog
        QString filter;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        Qt::TextFormat format = Qt::AutoText;
    };

    ScriptedPrompter();
    ~ScriptedPrompter() override;

    QQueue<QMessageBox::StandardButton> buttons;
    QQueue<QString> fileNames; // open, save and folder dialogs
    QQueue<QStringList> fileLists;
    QQueue<std::function<int(QDialog *)>> dialogs;

    QList<Shown> shown;

    // The texts of the message boxes shown so far, in order.
    QStringList messageTexts() const;
    int count(Kind kind) const;

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

private:
    static Shown record(Kind kind, const QString &title, const QString &detail = QString(),
        const QString &filter = QString());
    QString nextFileName(
        Kind kind, const QString &caption, const QString &dir, const QString &filter);

    Prompter *previous;
};
