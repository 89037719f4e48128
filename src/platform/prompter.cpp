#include "prompter.h"

#include "dialogprompter.h"

namespace {
Prompter *installed = nullptr;

QMessageBox::StandardButton show(
    QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    Prompter::Message message;
    message.icon = icon;
    message.title = title;
    message.text = text;
    message.defaultButton = QMessageBox::Ok;
    return Prompter::current().message(parent, message);
}
} // namespace

Prompter &Prompter::current()
{
    static DialogPrompter real;
    return installed ? *installed : real;
}

Prompter *Prompter::install(Prompter *prompter)
{
    Prompter *previous = installed;
    installed = prompter;
    return previous;
}

void Prompter::information(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, QMessageBox::Information, title, text);
}

void Prompter::warning(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, QMessageBox::Warning, title, text);
}

void Prompter::critical(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, QMessageBox::Critical, title, text);
}

bool Prompter::question(QWidget *parent, const QString &title, const QString &text,
    QMessageBox::StandardButton defaultButton, const QString &informativeText)
{
    Message message;
    message.icon = QMessageBox::Question;
    message.title = title;
    message.text = text;
    message.informativeText = informativeText;
    message.buttons = QMessageBox::Yes | QMessageBox::No;
    message.defaultButton = defaultButton;
    return current().message(parent, message) == QMessageBox::Yes;
}
