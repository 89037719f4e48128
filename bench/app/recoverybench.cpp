// Times the recovery record of a 1,000-document elaborat (single pages of one PDF spread over 20
// bookmarks): the copy the GUI thread takes, the JSON and the atomic write the worker does, the
// longest stall of the GUI thread while the elaborat is edited every 20 ms for three seconds
// with the recorder on and off, and restoring the elaborat at start-up.
// Run it by hand: build/bench/recoverybench [rounds]
#include "app/mainwindow.h"
#include "app/startuprecovery.h"
#include "benchfolder.h"
#include "benchtiming.h"
#include "model/recoveryrecorder.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "platform/apppaths.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

using BenchTiming::median;
using BenchTiming::timed;

namespace {
// Answers every question with its default button.
class DefaultAnswers : public Prompter
{
public:
    QMessageBox::StandardButton message(QWidget *, const Message &message) override
    {
        return message.defaultButton;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
    QStringList openFileNames(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
    QString existingDirectory(
        QWidget *, const QString &, const QString &, QFileDialog::Options) override
    {
        return QString();
    }
    int exec(QDialog *) override { return 0; }
};

TTreeElaborat *build(MainWindow &window, const QString &pdf)
{
    TTreeElaborat *elaborat = window.createElaborat(
        {window.katalog().procedureIndexById(QStringLiteral("UM"))}, false, false);
    auto *component = TTreeSestavina::cast(elaborat->sestavineItem()->child(0));
    QList<TTreeBookmark *> marks;
    for (int b = 0; b < 20; ++b)
        marks << new TTreeBookmark(QStringLiteral("112"), QStringLiteral("112 Skica"), component);
    for (int d = 0; d < 1000; ++d)
        new TTreeDokument(pdf, marks.at(d / 50), d % 50 + 1);
    return elaborat;
}

// The longest gap between the ticks of a 1 ms timer while the elaborat is edited every 20 ms
// for three seconds.
double longestStall(TTreeElaborat &elaborat)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.nsecsElapsed() - last);
        last = clock.nsecsElapsed();
    });
    ticks.start(1);
    const QList<TTreeDokument *> documents = elaborat.documents();
    QTimer edits;
    int edit = 0;
    QObject::connect(&edits, &QTimer::timeout, [&] { documents.at(edit++ % 1000)->rotate(90); });
    edits.start(20);
    last = clock.nsecsElapsed();
    while (clock.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return longest / 1e6;
}
} // namespace

int main(int argc, char **argv)
{
    BenchTiming::preferOffscreen();
    QApplication app(argc, argv);
    const int rounds = BenchTiming::rounds(argc, argv, 5);
    QTemporaryDir folder;
    BenchFolder::copyConfig(folder.filePath(QStringLiteral("config")));
    AppPaths::setProgramDir(folder.path());
    const QString pdf = BenchFolder::makePdf(folder.filePath(QStringLiteral("elaborat.pdf")), 50);
    DefaultAnswers answers;
    Prompter::install(&answers);

    MainWindow window;
    window.show();
    TTreeElaborat *elaborat = build(window, pdf);
    const QString path = elaborat->workDir() + QStringLiteral("/obnova.json");
    QList<double> copy, json, write;
    RecoveryRecord record;
    for (int i = 0; i < rounds; ++i) {
        copy << timed([&] { record = elaborat->recoveryRecord(); });
        json << timed([&] { (void)recoveryJson(record); });
        write << timed([&] { writeRecoveryRecord(path, record); });
    }
    std::printf("record of 1,000 documents (%lld bytes): GUI copy %.2f ms, JSON %.2f ms, "
                "JSON and atomic write %.2f ms (median of %d)\n",
        static_cast<long long>(recoveryJson(record).size()), median(copy), median(json),
        median(write), rounds);

    RecoveryRecorder *recorder = window.recoveryRecorder();
    QList<double> handOver;
    for (int i = 0; i < rounds; ++i) {
        elaborat->documents().first()->rotate(90);
        handOver << timed([&] { recorder->flush(); });
        QEventLoop written;
        QObject::connect(recorder, &RecoveryRecorder::recordWritten, &written, &QEventLoop::quit);
        written.exec();
    }
    std::printf("GUI thread's part of a write (copy and hand-over): %.2f ms (median of %d)\n",
        median(handOver), rounds);
    int writes = 0;
    QObject::connect(recorder, &RecoveryRecorder::recordWritten, [&writes] { ++writes; });
    const double withRecorder = longestStall(*elaborat);
    recorder->stop();
    const double without = longestStall(*elaborat);
    std::printf("editing every 20 ms for 3 s: longest GUI stall %.2f ms with the recorder (%d "
                "writes), %.2f ms without\n",
        withRecorder, writes, without);

    writeRecoveryRecord(path, elaborat->recoveryRecord());
    QList<double> restore;
    for (int i = 0; i < rounds; ++i) {
        delete elaborat;
        restore << timed([&] {
            offerRecovery(window);
            QApplication::processEvents();
        });
        elaborat = window.tree()->currentElaborat();
        if (!elaborat || elaborat->documentCount() != 1000)
            qFatal("the elaborat was not restored");
    }
    std::printf("restoring it at start-up: %.1f ms (median of %d)\n", median(restore), rounds);
    Prompter::install(nullptr);
    AppPaths::setProgramDir(QString());
    return 0;
}
