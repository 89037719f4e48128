#pragma once

#include "mythread.h"
#include "workerdialog.h"

class QPushButton;
class TTreeElaborat;

// The modal dialog behind which a worker builds an elaborat's PDF or packs its ZIP package: a
// busy bar while it runs, a button to stop it, the outcome in words, and afterwards the
// output's folder and, after a PDF, the way on to the package. The outcome is applied to the
// elaborat here, in the GUI thread: converted images, the up-to-date mark, the PDF path,
// zipWritten.
class DialogIzdelavaElaborata : public WorkerDialog
{
    Q_OBJECT
public:
    // Sets the dialog up for `elaborat` and starts the worker at once: the PDF at the
    // elaborat's pdfPath (an empty DATUM_ZADNJE_SPREMEMBE becomes today's date and the preview
    // lets the old file go first), or the package at its zipPath. The caller runs the dialog
    // modally, then reads succeeded() and compress().
    DialogIzdelavaElaborata(
        TTreeElaborat *elaborat, MyThread::Output output, QWidget *parent = nullptr);
    // Waits for a stopped worker, whose tool has been killed.
    ~DialogIzdelavaElaborata() override;

    // A PDF build ended with a complete new PDF.
    bool succeeded() const { return success; }
    // The user asked to go on and pack the package (or the dialog packed it).
    bool compress() const { return compressRequested; }
    // The user stopped the worker: nothing was reported or applied.
    bool cancelled() const { return stopped; }
    // The worker runs, or has ended and its outcome is not yet shown.
    bool working() const { return !resultTaken && !stopped; }
    // The file the folder button shows: the PDF, or in package mode the package.
    QString outputPath() const;

    QPushButton *b_stisni;
    QPushButton *b_explore;

protected:
    // While the worker runs, only after the user agreed to stop it.
    bool mayClose() override;

private slots:
    void onThreadTerminated();
    void on_b_prekini_clicked();
    void on_b_explore_clicked();
    void on_b_stisni_clicked();

private:
    void buildForm();
    void prepareElaborat();
    void applyPdfResult();
    void applyZipResult();
    void report(const QString &text);
    void showFinished(bool ok);
    // Stops a running worker, or takes the outcome of one that has just ended.
    void settleWorker();
    void abandonWorker();

    TTreeElaborat *elaborat;
    const bool pdfMode;
    bool compressRequested;
    bool success = false;
    bool stopped = false;
    bool resultTaken = false;
    MyThread *worker = nullptr;
};
