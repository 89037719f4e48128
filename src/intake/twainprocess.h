#pragma once

#include "scanoutputreader.h"

#include <QList>
#include <QProcess>
#include <QStringList>
#include <optional>

class QWidget;
class TProcessConv2pdf;

// One run of the scanning program of the twain tool folder: it writes the pages into a folder
// and names each as soon as it is written. Every batch of names is converted to PDF; the
// converted batches wait, in the order of the scan, until they are taken.
class TwainProcess : public QProcess
{
    Q_OBJECT
public:
    // `folder` as AppPaths::programRelative() gives it.
    TwainProcess(const QString &folder, QObject *parent);
    ~TwainProcess() override;

    // Starts the program on the source; it numbers the pages from `firstNumber` and shows its
    // own windows over `window`.
    void scan(int sourceId, int firstNumber, QWidget *window);
    // Stops the scanning program and waits for it; batches read before go on being converted.
    void abort();
    // The PDFs of the next batch of the scan; none while that batch is still converting.
    std::optional<QStringList> takeConverted();
    // The program runs or a batch was not taken yet.
    bool busy() const;

    // Called once by every conversion of this scan, with the PDFs of the pages it converted;
    // `complete` when that is all of its pages.
    void conversionEnded(TProcessConv2pdf *conversion, const QStringList &pdfPaths, bool complete);

signals:
    // The program named this many more pages, whose conversion starts right after.
    void pagesNamed(int count);
    // A batch was converted, in whatever order the conversions end.
    void batchConverted();
    // What the user should hear of a failure.
    void problem(const QString &text);
    // The program has ended, or it could not start.
    void programEnded();

private:
    void twainFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void onReadyRead();
    void onError(QProcess::ProcessError error);
    void startConversion(const QStringList &names);

    QString folder;
    QList<TProcessConv2pdf *> batches;
    ScanOutputReader reader;
    // The batches not yet taken, in the order of the scan; set when converted.
    QList<std::optional<QStringList>> waiting;
    int takenBatches = 0;
    bool aborted = false;
};
