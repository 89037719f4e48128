// Scans a 10-page feeder batch of A4 pages at 300 dpi in colour from SANE's test backend into a
// component of an elaborat, through the tree's scan command in a real (offscreen) main window,
// and prints the time from the command to the last page in the tree over several rounds.
// Run it by hand: build/bench/scanintakebench [rounds]
#include "app/mainwindow.h"
#include "benchfolder.h"
#include "benchtiming.h"
#include "catalog/katalog.h"
#include "model/treemenus.h"
#include "model/treewalk.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "platform/apppaths.h"
#include "services/dialognastavitev.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using BenchTiming::median;

namespace {
const char testConf[] = "number_of_devices 1\n"
                        "test-picture \"Color pattern\"\n"
                        "geometry_max 300.0\n"
                        "br_x 210.0\n"
                        "br_y 297.0\n";

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Tool folders of real folders with links to the build's tools: the scanning program finds
// the work folder by ".." from its own folder.
void linkTools(const QString &programDir)
{
    for (const QString &folder : {QStringLiteral("twain"), QStringLiteral("ImageMagick")}) {
        const QDir source(QStringLiteral(TEV_BUILD_PROGRAM_DIR "/") + folder);
        QDir().mkpath(programDir + QLatin1Char('/') + folder);
        for (const QString &name : source.entryList(QDir::Files)) {
            // A source list the build's scanning program kept belongs to the build's folder.
            if (name != QLatin1String("sources.json"))
                QFile::link(source.filePath(name), programDir + '/' + folder + '/' + name);
        }
    }
}

int documentCount(const TTreeSestavina *component)
{
    int count = 0;
    forEachInWalk(
        component, [&count](QTreeWidgetItem *item) { count += TTreeDokument::cast(item) ? 1 : 0; });
    return count;
}

// The first component that carries a default type.
TTreeSestavina *typedComponent(const TTreeElaborat *elaborat)
{
    TTreeSestavina *found = nullptr;
    forEachInWalk(elaborat, [&found](QTreeWidgetItem *item) {
        TTreeSestavina *component = TTreeSestavina::cast(item);
        if (!found && component && !component->atributi().value("bookmark").isEmpty())
            found = component;
    });
    return found;
}

double scanRound(MainWindow &window, int procedure)
{
    TTreeElaborat *elaborat = window.createElaborat({procedure}, false, false);
    TTreeSestavina *component = typedComponent(elaborat);
    TTreeWidget &view = *window.tree();
    view.clearSelection();
    component->setSelected(true);
    QElapsedTimer clock;
    clock.start();
    view.runItemCommand(TreeMenus::Entry::scan, component);
    while (documentCount(component) < 10 && clock.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double ms = clock.nsecsElapsed() / 1e6;
    while (elaborat->scanning)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (documentCount(component) != 10)
        qFatal("the scan placed %d pages", documentCount(component));
    elaborat->markUpToDate();
    view.closeElaborat(elaborat);
    return ms;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rounds = BenchTiming::rounds(argc, argv, 5);
    QTemporaryDir programDir;
    BenchFolder::copyConfig(programDir.filePath(QStringLiteral("config")));
    linkTools(programDir.path());
    QDir(programDir.path()).mkdir(QStringLiteral("sane"));
    if (!writeFile(programDir.filePath("sane/dll.conf"), "test\n")
        || !writeFile(programDir.filePath("sane/test.conf"), testConf))
        qFatal("cannot write the scanner configuration");
    qputenv("SANE_CONFIG_DIR", programDir.filePath(QStringLiteral("sane")).toLocal8Bit());
    AppPaths::setProgramDir(programDir.path());

    MainWindow window;
    window.show();
    // The settings list the sources; a scan's id is read in that list.
    while (window.settingsDialog()->readingScannerSources())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QComboBox &sources = *window.settingsDialog()->skeniranje_cb_vir;
    const int feeder
        = sources.findText(QStringLiteral("Noname frontend-tester (Automatic Document Feeder)"));
    if (feeder < 0)
        qFatal("the settings do not list the test backend's feeder");
    sources.setCurrentIndex(feeder);
    int procedure = -1;
    for (int i = 0; procedure < 0 && i < window.katalog().postopki().size(); ++i) {
        const PostopekDef *candidate = window.katalog().procedure(i);
        for (const SestavinaDef &component : candidate->sestavine)
            procedure = component.value(QStringLiteral("bookmark")).isEmpty() ? procedure : i;
    }
    QList<double> times;
    for (int i = 0; i < rounds; ++i)
        times << scanRound(window, procedure);
    std::printf("10 A4 pages, 300 dpi colour, %d rounds: command to last page in the tree median "
                "%.1f ms, min %.1f ms, max %.1f ms\n",
        rounds, median(times), *std::min_element(times.begin(), times.end()),
        *std::max_element(times.begin(), times.end()));
    return 0;
}
