#pragma once

#include "scanoutputreader.h"

#include <QHash>
#include <QList>
#include <QProcess>
#include <QStringList>
#include <optional>

class MainWindow;
class TProcessConv2pdf;
class TTreeBookmark;
class TTreeElaborat;
class TTreeSestavina;

// One scan into an elaborat: the scanning program of the twain tool folder writes the pages
// into the elaborat's work folder and names each as soon as it is written. Every batch of
// names is converted to PDF and placed, with the default type of the component (or of the
// bookmark), under the component the scan was started on. The elaborat counts as being
// scanned until the program has ended and every batch is placed; then the scan deletes itself.
class TwainProcess : public QProcess
{
    Q_OBJECT
public:
    // Starts the scan at once. Component and bookmark may be none; none of them is owned.
    TwainProcess(int sourceId, TTreeElaborat *elaborat, TTreeSestavina *component,
        TTreeBookmark *bookmark, MainWindow *parent);
    ~TwainProcess() override;

    // Stops the scanning program and waits for it; batches read before go on being placed.
    void abort();

    // Called once by every conversion of this scan, with the PDFs of the pages it converted;
    // `complete` when that is all of its pages.
    void conversionEnded(TProcessConv2pdf *conversion, const QStringList &pdfPaths, bool complete);

public slots:
    void twainFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void onReadyRead();

private:
    void onError(QProcess::ProcessError error);
    void startConversion(const QStringList &names);
    void placeWaiting();
    void place(const QStringList &pdfPaths);
    void settle();
    bool busy() const;
    bool elaboratBusyElsewhere() const;
    TTreeElaborat *liveElaborat() const;
    TTreeSestavina *liveComponent() const;
    TTreeBookmark *liveBookmark() const;

    MainWindow *mainWindow;
    TTreeElaborat *elaborat;
    TTreeSestavina *component;
    TTreeBookmark *bookmark;
    QString folder; // the elaborat's work folder, as AppPaths::programRelative() gives it
    QList<TProcessConv2pdf *> batches;
    ScanOutputReader reader;
    // The batches not yet placed, in the order of the scan; set when converted.
    QList<std::optional<QStringList>> waiting;
    int placedBatches = 0;
    QHash<QString, TTreeBookmark *> bookmarks; // the bookmark each code got from this scan
    bool aborted = false;
};
