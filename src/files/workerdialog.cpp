#include "workerdialog.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

WorkerDialog::WorkerDialog(const QString &stopText, QWidget *parent)
    : QDialog(parent)
    , plainTextEdit(new QPlainTextEdit(this))
    , progressBar(new QProgressBar(this))
    , b_prekini(new QPushButton(stopText, this))
{
    plainTextEdit->setObjectName(QStringLiteral("plainTextEdit"));
    plainTextEdit->setReadOnly(true);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setMaximum(0);
    progressBar->setValue(-1);
    b_prekini->setObjectName(QStringLiteral("b_prekini"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(plainTextEdit);
    layout->addWidget(progressBar);
    layout->addWidget(b_prekini);
}

void WorkerDialog::reject()
{
    if (mayClose())
        QDialog::reject();
}

void WorkerDialog::closeEvent(QCloseEvent *event)
{
    if (mayClose())
        QDialog::closeEvent(event);
    else
        event->ignore();
}
