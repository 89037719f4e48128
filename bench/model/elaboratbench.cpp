// Times building an elaborat in a real (offscreen) view, row widgets included, and walking it:
// documents spread over 20 bookmarks, each a single page of one PDF as an opened elaborat has
// them, for 1,000 and 4,000 documents; and 500 floor plans under one "104" bookmark of a
// building-cadastre elaborat. Run it by hand: build/bench/elaboratbench [rounds]
#include "app/mainwindow.h"
#include "benchfolder.h"
#include "benchtiming.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "platform/apppaths.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

using BenchFolder::copyConfig;
using BenchFolder::makePdf;
using BenchTiming::median;
using BenchTiming::timed;

namespace {
struct Figures
{
    QList<double> build;
    QList<double> layout;
    QList<double> count;
    QList<double> list;
    QList<double> remove;
};

// One elaborat of `documents` single pages of `pdf` spread over `bookmarks` bookmarks.
void buildOnce(MainWindow &window, int procedure, const QString &code, int documents, int bookmarks,
    const QString &pdf, Figures &figures)
{
    TTreeElaborat *elaborat = nullptr;
    figures.build << timed([&] {
        elaborat = window.createElaborat({procedure}, false, false);
        auto *component = TTreeSestavina::cast(elaborat->sestavineItem()->child(0));
        QList<TTreeBookmark *> marks;
        for (int b = 0; b < bookmarks; ++b)
            marks << new TTreeBookmark(code, code + QStringLiteral(" Naslov"), component);
        for (int d = 0; d < documents; ++d)
            new TTreeDokument(pdf, marks.at(d * bookmarks / documents), d % 50 + 1);
    });
    figures.layout << timed([] { QApplication::processEvents(); });
    int counted = 0;
    figures.count << timed([&] { counted = elaborat->documentCount(); });
    figures.list << timed([&] { counted += elaborat->documents().size(); });
    if (counted != 2 * documents)
        qFatal("walk found %d documents", counted / 2);
    figures.remove << timed([&] {
        delete elaborat;
        QApplication::processEvents();
    });
}

void run(MainWindow &window, const char *what, int procedure, const QString &code, int documents,
    int bookmarks, const QString &pdf, int rounds)
{
    Figures figures;
    for (int i = 0; i < rounds; ++i)
        buildOnce(window, procedure, code, documents, bookmarks, pdf, figures);
    std::printf("%-34s build %8.1f ms  layout %7.1f ms  documentCount %6.3f ms  documents "
                "%6.3f ms  close %7.1f ms  (median of %d)\n",
        what, median(figures.build), median(figures.layout), median(figures.count),
        median(figures.list), median(figures.remove), rounds);
}
} // namespace

int main(int argc, char **argv)
{
    BenchTiming::preferOffscreen();
    QApplication app(argc, argv);
    const int rounds = BenchTiming::rounds(argc, argv, 5);
    QTemporaryDir folder;
    copyConfig(folder.filePath(QStringLiteral("config")));
    AppPaths::setProgramDir(folder.path());
    const QString pdf = makePdf(folder.filePath(QStringLiteral("elaborat.pdf")), 500);

    MainWindow window;
    window.show();
    const Katalog &katalog = window.katalog();
    const int land = katalog.procedureIndexById(QStringLiteral("UM"));
    int building = -1;
    for (int i = 0; i < katalog.postopki().size(); ++i) {
        if (katalog.procedure(i)->kind == Kataster::KS
            && !katalog.procedure(i)->sestavine.isEmpty()) {
            building = i;
            break;
        }
    }
    if (land < 0 || building < 0)
        qFatal("the default catalogues lack the procedures");

    run(window, "1,000 documents, 20 bookmarks", land, QStringLiteral("112"), 1000, 20, pdf,
        rounds);
    run(window, "4,000 documents, 20 bookmarks", land, QStringLiteral("112"), 4000, 20, pdf,
        rounds);
    run(window, "500 floor plans, one 104 bookmark", building, QStringLiteral("104"), 500, 1, pdf,
        rounds);
    AppPaths::setProgramDir(QString());
    return 0;
}
