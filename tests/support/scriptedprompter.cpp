#include "scriptedprompter.h"

#include <QDialog>

ScriptedPrompter::ScriptedPrompter()
    : previous(Prompter::install(this))
{ }

ScriptedPrompter::~ScriptedPrompter()
{
    Prompter::install(previous);
}

ScriptedPrompter::Shown ScriptedPrompter::record(
    Kind kind, const QString &title, const QString &detail, const QString &filter)
{
    Shown item;
    item.kind = kind;
    item.title = title;
    item.detail = detail;
    item.filter = filter;
    return item;
}

QStringList ScriptedPrompter::messageTexts() const
{
    QStringList texts;
    for (const Shown &item : shown) {
        if (item.kind == MessageBox)
            texts << item.text;
    }
    return texts;
}

int ScriptedPrompter::count(Kind kind) const
{
    int n = 0;
    for (const Shown &item : shown)
        n += item.kind == kind;
    return n;
}

QMessageBox::StandardButton ScriptedPrompter::message(QWidget *, const Message &message)
{
    Shown item = record(MessageBox, message.title);
    item.text = message.text;
    item.informativeText = message.informativeText;
    item.icon = message.icon;
    item.buttons = message.buttons;
    item.defaultButton = message.defaultButton;
    item.format = message.format;
    shown << item;
    if (!buttons.isEmpty())
        return buttons.dequeue();
    return message.defaultButton != QMessageBox::NoButton ? message.defaultButton : QMessageBox::Ok;
}

QString ScriptedPrompter::nextFileName(
    Kind kind, const QString &caption, const QString &dir, const QString &filter)
{
    shown << record(kind, caption, dir, filter);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString ScriptedPrompter::openFileName(
    QWidget *, const QString &caption, const QString &dir, const QString &filter)
{
    return nextFileName(OpenFile, caption, dir, filter);
}

QStringList ScriptedPrompter::openFileNames(
    QWidget *, const QString &caption, const QString &dir, const QString &filter)
{
    shown << record(OpenFiles, caption, dir, filter);
    return fileLists.isEmpty() ? QStringList() : fileLists.dequeue();
}

QString ScriptedPrompter::saveFileName(
    QWidget *, const QString &caption, const QString &dir, const QString &filter)
{
    return nextFileName(SaveFile, caption, dir, filter);
}

QString ScriptedPrompter::existingDirectory(
    QWidget *, const QString &caption, const QString &dir, QFileDialog::Options)
{
    return nextFileName(Directory, caption, dir, {});
}

int ScriptedPrompter::exec(QDialog *dialog)
{
    shown << record(
        Dialog, dialog->windowTitle(), QString::fromLatin1(dialog->metaObject()->className()));
    const int result = dialogs.isEmpty() ? int(QDialog::Rejected) : dialogs.dequeue()(dialog);
    dialog->setResult(result);
    return result;
}
