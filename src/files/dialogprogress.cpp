#include "dialogprogress.h"

#include "platform/prompter.h"
#include "progressthread.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

DialogProgress::DialogProgress(const QString &source, const QString &destination, QWidget *parent)
    : WorkerDialog(tr("Prekini arhiviranje"), parent)
{
    setWindowTitle(tr("Arhiviranje"));
    plainTextEdit->setPlainText(tr("Premikam elaborat v mapo za arhiviranje..."));
    worker = new ProgressThread(source, destination, this);
    connect(worker, &QThread::finished, this, &DialogProgress::onThreadTerminated);
    worker->start(QThread::InheritPriority);
    QMetaObject::connectSlotsByName(this);
}

bool DialogProgress::succeeded() const
{
    worker->wait();
    return worker->succeeded();
}

void DialogProgress::onThreadTerminated()
{
    progressBar->hide();
    b_prekini->hide();
    if (cancelled)
        return;
    plainTextEdit->setPlainText(worker->succeeded()
            ? tr("Elaborat je bil uspesno premaknjen v mapo za arhiviranje.")
            : tr("Napaka pri arhiviranju. Elaborat ni bil uspesno premaknjen v mapo za "
                 "arhiviranje."));
}

void DialogProgress::abandonWorker()
{
    if (cancelled || !worker->isRunning())
        return;
    worker->stop();
    cancelled = true;
}

bool DialogProgress::mayClose()
{
    if (!cancelled && worker->isRunning()
        && !Prompter::question(this, QString(), tr("Ali zelis prekiniti postopek arhiviranja?")))
        return false;
    abandonWorker();
    return true;
}

void DialogProgress::on_b_prekini_clicked()
{
    abandonWorker();
    accept();
}
