// Scans a 10-page feeder batch of A4 pages at 300 dpi in colour from SANE's test backend with
// the scanning program, then converts the pages to PDF as the program's scan intake does, and
// prints the time to the last page file and to the last PDF over several rounds.

#include "benchtiming.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

using BenchTiming::median;

namespace {
constexpr int rounds = 5;
const char testConf[] = "number_of_devices 1\n"
                        "mode Gray\n"
                        "resolution 50.0\n"
                        "test-picture \"Color pattern\"\n"
                        "geometry_max 300.0\n"
                        "br_x 210.0\n"
                        "br_y 297.0\n";

struct Round
{
    double lastPageMs = 0;
    double lastPdfMs = 0;
    int pages = 0;
    long scanMaxRssKiB = 0; // the largest child so far once the scan has ended
};

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QString mogrifyProgram()
{
    const QString launcher = QStringLiteral(TEV_BUILD_PROGRAM_DIR "/ImageMagick/mogrify");
    return QFileInfo::exists(launcher) ? launcher : QString();
}

void startScanningProgram(QProcess *process, const QString &config, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SANE_CONFIG_DIR"), config);
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(TEV_BUILD_PROGRAM_DIR "/twain/TWAIN_APP_CMD"), arguments);
}

// The scanning program reads a scan's id in the list it printed last, so the sources are
// listed first, as the settings do; id 1 is then the test backend's feeder.
bool listSources(const QString &config)
{
    QProcess list;
    startScanningProgram(&list, config, {});
    return list.waitForFinished(60000) && list.exitCode() == 0
        && list.readAllStandardOutput().contains("\n1:,");
}

Round scanAndConvert(const QString &config, const QString &folder)
{
    Round round;
    QElapsedTimer clock;
    QProcess scan;
    clock.start();
    startScanningProgram(&scan, config, {"1", folder, "1", "0"});
    QStringList names;
    while (scan.waitForReadyRead(60000)) {
        while (scan.canReadLine()) {
            names.append(QString::fromLatin1(scan.readLine()).trimmed());
            round.lastPageMs = clock.nsecsElapsed() / 1e6;
        }
    }
    scan.waitForFinished(60000);
    round.pages = names.size();
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    round.scanMaxRssKiB = usage.ru_maxrss;

    QProcess convert;
    convert.setWorkingDirectory(folder);
    convert.start(mogrifyProgram(),
        QStringList {"-format", "pdf", "-compress", "jpeg", "-quality", "60"} + names);
    convert.waitForFinished(600000);
    round.lastPdfMs = clock.nsecsElapsed() / 1e6;
    if (convert.exitCode() != 0)
        round.pages = -1;
    return round;
}

void report(const char *what, const QList<double> &values)
{
    std::printf("%-30s median %8.1f ms   min %8.1f ms   max %8.1f ms\n", what, median(values),
        *std::min_element(values.begin(), values.end()),
        *std::max_element(values.begin(), values.end()));
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir config;
    if (mogrifyProgram().isEmpty() || QStandardPaths::findExecutable("gm").isEmpty()
        || !writeFile(config.filePath("dll.conf"), "test\n")
        || !writeFile(config.filePath("test.conf"), testConf) || !listSources(config.path())) {
        std::fprintf(stderr,
            "scanbench: needs the built program folder, GraphicsMagick and SANE's test backend\n");
        return 1;
    }
    QList<double> pageTimes;
    QList<double> pdfTimes;
    qint64 bmpBytes = 0;
    long scanRss = 0;
    for (int i = 0; i < rounds; ++i) {
        QTemporaryDir folder;
        const Round round = scanAndConvert(config.path(), folder.path());
        if (round.pages != 10) {
            std::fprintf(stderr, "scanbench: round %d gave %d pages\n", i + 1, round.pages);
            return 1;
        }
        pageTimes.append(round.lastPageMs);
        pdfTimes.append(round.lastPdfMs);
        bmpBytes = QFileInfo(folder.filePath("scan0001.bmp")).size();
        if (i == 0)
            scanRss = round.scanMaxRssKiB;
    }
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    std::printf("10 A4 pages, 300 dpi colour, %d rounds; one page file %lld bytes\n", rounds,
        static_cast<long long>(bmpBytes));
    report("last page file written", pageTimes);
    report("last PDF written", pdfTimes);
    std::printf("resident set: scanning program %ld KiB, largest child %ld KiB\n", scanRss,
        usage.ru_maxrss);
    return 0;
}
