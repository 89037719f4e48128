#include "dialogizdelavaelaborata.h"

#include "app/mainwindow.h"
#include "convertedfiles.h"
#include "intake/documentwidget.h"
#include "model/ttreeelaborat.h"
#include "mythread.h"
#include "platform/platform.h"
#include "platform/prompter.h"
#include "platform/toolrunner.h"

#include <QDate>
#include <QLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

DialogIzdelavaElaborata::DialogIzdelavaElaborata(
    TTreeElaborat *elaborat, bool mode, bool compress, QWidget *parent)
    : WorkerDialog(QStringLiteral("Prekini izdelavo"), parent)
    , elaborat(elaborat)
    , pdfMode(mode)
    , compressRequested(compress)
{
    buildForm();
    if (compress) {
        plainTextEdit->setPlainText(tr("Izdelujem stisnjeno datoteko ..."));
        setWindowTitle(QStringLiteral("Stiskanje elaborata"));
        b_explore->setText(QStringLiteral("Pojdi v mapo stisnjenega paketa"));
    } else {
        plainTextEdit->setPlainText(tr("Izdelujem elaborat ..."));
        setWindowTitle(QStringLiteral("Izdelava elaborata"));
        b_explore->setText(QStringLiteral("Pojdi v mapo elaborata"));
    }
    prepareElaborat();
    worker = new MyThread(elaborat->snapshot(), mode, elaborat->zipPath, this);
    connect(worker, &QThread::finished, this, &DialogIzdelavaElaborata::onThreadTerminated);
    worker->start(QThread::InheritPriority);
}

// The worker is a child: its own destructor stops it and waits before the dialog is gone.
DialogIzdelavaElaborata::~DialogIzdelavaElaborata() = default;

void DialogIzdelavaElaborata::buildForm()
{
    b_stisni = new QPushButton(QStringLiteral("Stisni elaborat"), this);
    b_stisni->setObjectName(QStringLiteral("b_stisni"));
    b_explore = new QPushButton(QStringLiteral("Pojdi v mapo elaborata"), this);
    b_explore->setObjectName(QStringLiteral("b_explore"));
    layout()->addWidget(b_stisni);
    layout()->addWidget(b_explore);
    b_explore->hide();
    b_stisni->hide();
    progressBar->show();
    QMetaObject::connectSlotsByName(this);
}

void DialogIzdelavaElaborata::prepareElaborat()
{
    if (!pdfMode) {
        elaborat->zipWritten = false;
        return;
    }
    // The preview holds the old PDF open, and on Windows an open file cannot be replaced.
    if (ElaboratContext *context = elaborat->context())
        context->closePreview();
    const QString dateKey = QStringLiteral("DATUM_ZADNJE_SPREMEMBE");
    if (elaborat->attribute(dateKey).isEmpty())
        elaborat->setAttribute(
            dateKey, QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
}

QString DialogIzdelavaElaborata::outputPath() const
{
    return pdfMode ? elaborat->pdfPath() : elaborat->zipPath;
}

void DialogIzdelavaElaborata::onThreadTerminated()
{
    if (resultTaken)
        return;
    resultTaken = true;
    ToolRunner::logRecord(QStringLiteral("onThreadTerminated"));
    if (stopped)
        return;
    worker->wait();
    applyConvertedFiles(*elaborat, worker->snapshot(), worker->convertedFiles());
    if (pdfMode)
        applyPdfResult();
    else
        applyZipResult();
}

void DialogIzdelavaElaborata::applyPdfResult()
{
    if (!worker->written()) {
        report(tr("Napaka pri izdelavi elaborata ..."));
        elaborat->revertPdfPath();
        showFinished(false);
        return;
    }
    success = true;
    elaborat->markUpToDate();
    elaborat->setPdfPath(elaborat->pdfPath(), true);
    report(
        tr("Elaborat je uspesno izdelan. Nahaja se na:") + QLatin1Char('\n') + elaborat->pdfPath());
    showFinished(true);
}

void DialogIzdelavaElaborata::applyZipResult()
{
    elaborat->zipWritten = worker->written();
    if (!compressRequested || !elaborat->zipWritten) {
        report(tr("Napaka pri stiskanju paketa ..."));
        showFinished(false);
        return;
    }
    report(tr("Stisnjen paket je uspesno izdelan. Nahaja se na:") + QLatin1Char('\n')
        + elaborat->zipPath);
    showFinished(true);
}

void DialogIzdelavaElaborata::report(const QString &text)
{
    plainTextEdit->setPlainText(text);
    ToolRunner::logRecord(text);
}

void DialogIzdelavaElaborata::showFinished(bool ok)
{
    progressBar->hide();
    b_prekini->hide();
    b_explore->setVisible(ok);
    b_stisni->setVisible(ok && pdfMode);
}

void DialogIzdelavaElaborata::settleWorker()
{
    if (!working())
        return;
    if (worker->isRunning())
        abandonWorker();
    else
        onThreadTerminated(); // ended a moment ago: its outcome must not be lost
}

void DialogIzdelavaElaborata::abandonWorker()
{
    stopped = true;
    worker->stop();
    // The build may have got as far as the new path: a PDF there is no longer known to match.
    if (pdfMode && elaborat->pdfPath() != elaborat->previousPdfPath())
        elaborat->markModified();
}

bool DialogIzdelavaElaborata::mayClose()
{
    if (working() && worker->isRunning()) {
        const QString text = pdfMode
            ? QStringLiteral("Izdelovanje elaborata se ni koncano. Se res zelis vrniti v "
                             "urejevalnik in prekiniti izdelavo?")
            : QStringLiteral("Stiskanje elaborata se ni koncano. Se res zelis vrniti v "
                             "urejevalnik in prekiniti stiskanje?");
        if (!Prompter::question(this, QString(), text))
            return false;
    }
    settleWorker();
    return true;
}

void DialogIzdelavaElaborata::on_b_prekini_clicked()
{
    settleWorker();
    accept();
}

void DialogIzdelavaElaborata::on_b_explore_clicked()
{
    Platform::showInFileManager(outputPath());
}

void DialogIzdelavaElaborata::on_b_stisni_clicked()
{
    compressRequested = true;
    on_b_prekini_clicked();
}
