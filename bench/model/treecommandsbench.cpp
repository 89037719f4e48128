// Times the tree's commands on large elaborates in a real (offscreen) view: placing 1,000
// typed files, building the item menu with 4,000 documents open, splitting a 300-page PDF,
// dropping 500 selected documents onto a bookmark, and removing 1,000 selected documents.
// Run it by hand: build/bench/treecommandsbench [rounds]
#include "app/mainwindow.h"
#include "benchfolder.h"
#include "benchtiming.h"
#include "model/documentcommands.h"
#include "model/treedrop.h"
#include "model/treemenus.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "platform/apppaths.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using BenchFolder::copyConfig;
using BenchFolder::makePdf;
using BenchTiming::median;
using BenchTiming::timed;

namespace {

// Says Yes to the remove question; nothing else is asked.
class YesPrompter : public Prompter
{
public:
    QMessageBox::StandardButton message(QWidget *, const Message &) override
    {
        return QMessageBox::Yes;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
    QStringList openFileNames(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QStringList();
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
    int exec(QDialog *) override { return QDialog::Rejected; }
};

struct Bench
{
    MainWindow &window;
    int procedure;
    QString pdf;

    TTreeWidget &view() const { return *window.tree(); }

    TTreeElaborat *elaborat() const { return window.createElaborat({procedure}, false, false); }
    static TTreeSestavina *component(TTreeElaborat *elaborat, int index)
    {
        return TTreeSestavina::cast(elaborat->sestavineItem()->child(index));
    }

    // `documents` single pages in one bookmark of the first component.
    TTreeBookmark *filled(TTreeElaborat *elaborat, int documents) const
    {
        auto *bookmark = new TTreeBookmark("151", "151 Naslovna stran", component(elaborat, 0));
        for (int d = 0; d < documents; ++d)
            new TTreeDokument(pdf, bookmark, d % 50 + 1);
        return bookmark;
    }

    void close(TTreeElaborat *elaborat) const
    {
        delete elaborat;
        QApplication::processEvents();
    }

    double place() const
    {
        TTreeElaborat *target = elaborat();
        QList<SifrantResult> results;
        for (int i = 0; i < 1000; ++i) {
            const QString code = QString::number(121 + i % 4);
            results.append({code, QStringLiteral("zapisniki"), pdf, code + QStringLiteral(" Z")});
        }
        const double took = timed([&] {
            view().placeFiles(component(target, 5), results);
            QApplication::processEvents();
        });
        close(target);
        return took;
    }

    double menu() const
    {
        TTreeElaborat *target = elaborat();
        TTreeBookmark *bookmark = filled(target, 4000);
        QApplication::processEvents();
        view().setCurrentItem(bookmark->child(2000));
        const double took = timed([&] {
            for (int i = 0; i < 10; ++i)
                TreeMenus::itemMenu(bookmark->child(2000), 1, *target, true);
        }) / 10;
        close(target);
        return took;
    }

    double split() const
    {
        TTreeElaborat *target = elaborat();
        auto *bookmark = new TTreeBookmark("151", "151 Naslovna stran", component(target, 0));
        auto *document = new TTreeDokument(pdf, bookmark);
        const double took = timed([&] {
            DocumentCommands::splitIntoPages(*document);
            QApplication::processEvents();
        });
        close(target);
        return took;
    }

    double drop() const
    {
        TTreeElaborat *target = elaborat();
        TTreeBookmark *source = filled(target, 500);
        auto *into = new TTreeBookmark("161", "161 Zahteva", component(target, 1));
        QApplication::processEvents();
        for (int i = 0; i < source->childCount(); ++i)
            source->child(i)->setSelected(true);
        const double took = timed([&] {
            TreeDrop(view()).drop(into, source->child(0));
            QApplication::processEvents();
        });
        if (into->childCount() != 500)
            qFatal("the drop moved %d documents", into->childCount());
        close(target);
        return took;
    }

    double remove() const
    {
        TTreeElaborat *target = elaborat();
        TTreeBookmark *bookmark = filled(target, 1000);
        QApplication::processEvents();
        for (int i = 0; i < bookmark->childCount(); ++i)
            bookmark->child(i)->setSelected(true);
        const double took = timed([&] {
            view().removeSelectedItems();
            QApplication::processEvents();
        });
        if (target->documentCount() != 0)
            qFatal("documents left after removing");
        close(target);
        return took;
    }
};

} // namespace

int main(int argc, char **argv)
{
    BenchTiming::preferOffscreen();
    QApplication app(argc, argv);
    const int rounds = BenchTiming::rounds(argc, argv, 5);
    QTemporaryDir folder;
    copyConfig(folder.filePath(QStringLiteral("config")));
    AppPaths::setProgramDir(folder.path());
    YesPrompter prompter;
    Prompter::install(&prompter);

    MainWindow window;
    window.show();
    const int land = window.katalog().procedureIndexById(QStringLiteral("UM"));
    if (land < 0)
        qFatal("the default catalogue lacks UM");
    const Bench bench {window, land, makePdf(folder.filePath(QStringLiteral("e.pdf")), 300)};

    QList<double> place, menu, split, drop, remove;
    for (int i = 0; i < rounds; ++i) {
        place << bench.place();
        menu << bench.menu();
        split << bench.split();
        drop << bench.drop();
        remove << bench.remove();
    }
    std::printf("place 1,000 typed files          %8.1f ms\n", median(place));
    std::printf("item menu, 4,000 documents       %8.3f ms\n", median(menu));
    std::printf("split a 300-page document        %8.1f ms\n", median(split));
    std::printf("drop 500 selected documents      %8.1f ms\n", median(drop));
    std::printf("remove 1,000 selected documents  %8.1f ms\n", median(remove));
    std::printf("(median of %d rounds)\n", rounds);
    Prompter::install(nullptr);
    AppPaths::setProgramDir(QString());
    return 0;
}
