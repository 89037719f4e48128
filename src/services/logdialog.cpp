#include "logdialog.h"

#include "platform/toolrunner.h"

#include <QFile>
#include <QPlainTextEdit>

LogDialog::LogDialog(QWidget *parent)
    : QDialog(parent)
    , textEdit(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("LogDialog"));
    setWindowTitle(QStringLiteral("Log datoteka"));
    setFixedSize(590, 532);
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setGeometry(10, 10, 580, 520);
    textEdit->setReadOnly(true);
    loadLog();
}

void LogDialog::loadLog()
{
    // No log yet leaves the box empty.
    QFile log(ToolRunner::logPath());
    if (log.open(QIODevice::ReadOnly | QIODevice::Text))
        textEdit->setPlainText(QString::fromUtf8(log.readAll()));
}
