#include "dialogprompter.h"

#include <QDialog>

QMessageBox::StandardButton DialogPrompter::message(QWidget *parent, const Message &message)
{
    QMessageBox box(message.icon, message.title, message.text, message.buttons, parent);
    box.setTextFormat(message.format);
    if (!message.informativeText.isEmpty())
        box.setInformativeText(message.informativeText);
    if (message.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(message.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString DialogPrompter::openFileName(
    QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QStringList DialogPrompter::openFileNames(
    QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    return QFileDialog::getOpenFileNames(parent, caption, dir, filter);
}

QString DialogPrompter::saveFileName(
    QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString DialogPrompter::existingDirectory(
    QWidget *parent, const QString &caption, const QString &dir, QFileDialog::Options options)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir, options);
}

int DialogPrompter::exec(QDialog *dialog)
{
    return dialog->exec();
}
