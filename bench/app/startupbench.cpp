// Times the program's start-up on the shipped default configuration: constructing the main
// window (pickers, settings dialog, preview, document-type dialog, catalogues, code lists,
// settings) and showing it. Run it by hand: QT_QPA_PLATFORM=offscreen build/bench/startupbench
// [rounds]
#include "app/mainwindow.h"
#include "benchtiming.h"
#include "platform/apppaths.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rounds = BenchTiming::rounds(argc, argv, 20);

    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("config"));
    const QDir config(QStringLiteral(TEV_BUILD_PROGRAM_DIR "/config"));
    for (const QString &file : config.entryList({QStringLiteral("*.xml"), QStringLiteral("*.csv")}))
        QFile::copy(config.filePath(file), folder.filePath(QStringLiteral("config/") + file));
    QFile ini(folder.filePath(QStringLiteral("config/tev.ini")));
    if (!ini.open(QIODevice::WriteOnly) || ini.write("[Nastavitve]\ngp=140\ngpUser=true\n") <= 0)
        qFatal("cannot write the settings");
    ini.close();
    // No scanner drivers to probe: their listing runs in the background and is not start-up.
    QDir(folder.path()).mkdir(QStringLiteral("sane"));
    qputenv("SANE_CONFIG_DIR", folder.filePath(QStringLiteral("sane")).toLocal8Bit());
    AppPaths::setProgramDir(folder.path());

    QList<double> construct;
    QList<double> shown;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        auto *window = new MainWindow;
        construct << clock.nsecsElapsed() / 1e6;
        window->show();
        QCoreApplication::processEvents();
        shown << clock.nsecsElapsed() / 1e6;
        delete window;
    }
    std::sort(construct.begin(), construct.end());
    std::sort(shown.begin(), shown.end());
    std::printf("start-up over %d rounds (ms): construct median %.1f (min %.1f, max %.1f); "
                "shown median %.1f (min %.1f, max %.1f)\n",
        rounds, construct.at(rounds / 2), construct.first(), construct.last(), shown.at(rounds / 2),
        shown.first(), shown.last());
    return 0;
}
