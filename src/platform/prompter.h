#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Every message box, question, file or folder dialog and modal run of one of our own dialogs
// goes through the installed Prompter, so that tests can answer them from a script.
class Prompter
{
public:
    struct Message
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QString text;
        QString informativeText;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        Qt::TextFormat format = Qt::AutoText;
    };

    virtual ~Prompter() = default;

    // Shows a modal message box and returns the button that closed it.
    virtual QMessageBox::StandardButton message(QWidget *parent, const Message &message) = 0;
    virtual QString openFileName(
        QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
        = 0;
    virtual QStringList openFileNames(
        QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
        = 0;
    virtual QString saveFileName(
        QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
        = 0;
    virtual QString existingDirectory(
        QWidget *parent, const QString &caption, const QString &dir, QFileDialog::Options options)
        = 0;
    // Runs one of the program's own dialogs modally and returns its result code.
    virtual int exec(QDialog *dialog) = 0;

    // The installed prompter; the real dialogs unless a test installed its own.
    static Prompter &current();
    // Installs a prompter (not owned) and returns the one it replaces; nullptr restores the real.
    static Prompter *install(Prompter *prompter);

    // Shorthands for the common boxes. `question` has Yes and No; it returns true for Yes.
    static void information(QWidget *parent, const QString &title, const QString &text);
    static void warning(QWidget *parent, const QString &title, const QString &text);
    static void critical(QWidget *parent, const QString &title, const QString &text);
    static bool question(QWidget *parent, const QString &title, const QString &text,
        QMessageBox::StandardButton defaultButton = QMessageBox::No,
        const QString &informativeText = QString());
};
