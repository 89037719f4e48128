#include "scanintake.h"

#include "elaboratcontext.h"
#include "fileintake.h"
#include "intake/sifrantdlg.h"
#include "intake/twainprocess.h"
#include "platform/apppaths.h"
#include "platform/prompter.h"
#include "treewalk.h"
#include "ttreebookmark.h"
#include "ttreeelaborat.h"
#include "ttreesestavina.h"
#include "ttreewidget.h"
#include "typedialog.h"

namespace {
bool walkHas(const QTreeWidgetItem *root, const QTreeWidgetItem *wanted)
{
    bool found = false;
    forEachInWalk(root, [&found, wanted](QTreeWidgetItem *item) { found |= item == wanted; });
    return found;
}
} // namespace

ScanIntake::ScanIntake(int sourceId, TTreeElaborat *elaborat, TTreeSestavina *component,
    TTreeBookmark *bookmark, TTreeWidget &view)
    : QObject(&view)
    , view(view)
    , context(*view.context)
    , elaborat(elaborat)
    , component(component)
    , bookmark(bookmark)
    , folder(AppPaths::programRelative(elaborat->workDir()))
    , twain(new TwainProcess(folder, this))
{
    connect(twain, &TwainProcess::pagesNamed, this, &ScanIntake::countPages);
    connect(twain, &TwainProcess::batchConverted, this, &ScanIntake::placeWaiting);
    connect(twain, &TwainProcess::problem, this, &ScanIntake::warnLater);
    connect(twain, &TwainProcess::programEnded, this, &ScanIntake::settle);
    elaborat->scanning = true;
    twain->scan(sourceId, elaborat->nextScanNumber, context.dialogParent());
}

// Shown once the handler has returned: a modal box would run the event loop while this scan
// may be deleted.
void ScanIntake::warnLater(const QString &text)
{
    QWidget *window = context.dialogParent();
    QMetaObject::invokeMethod(
        window, [window, text] { Prompter::warning(window, QStringLiteral("Skeniranje"), text); },
        Qt::QueuedConnection);
}

void ScanIntake::countPages(int count)
{
    if (TTreeElaborat *live = liveElaborat())
        live->nextScanNumber += count;
}

// The document-type dialog is shared: while the user works in it, the pages wait.
void ScanIntake::placeWaiting()
{
    SifrantDlg *dialog = &context.typeDialog();
    if (dialog->isVisible()) {
        // Queued: the one who opened it reads its results first.
        connect(dialog, &QDialog::finished, this, &ScanIntake::placeWaiting,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
        return;
    }
    disconnect(dialog, &QDialog::finished, this, &ScanIntake::placeWaiting);
    // In the order of the scan, whichever conversion ends first.
    while (const std::optional<QStringList> batch = twain->takeConverted())
        place(*batch);
    settle();
}

void ScanIntake::place(const QStringList &pdfPaths)
{
    if (pdfPaths.isEmpty())
        return;
    TTreeElaborat *live = liveElaborat();
    if (!live)
        return;
    TTreeSestavina *target = liveComponent();
    if (component && !target) {
        warnLater(QStringLiteral("Sestavine, v katero so bile skenirane strani, ni vec. Strani so "
                                 "ostale v mapi %1.")
                      .arg(AppPaths::path(folder)));
        return;
    }
    // The dialog types the pages in the kind of the current elaborat.
    view.setCurrentElaborat(live, false);
    const QList<SifrantResult> results = TypeDialog::acceptAtOnce(
        context.typeDialog(), pdfPaths, *live, TypeDialog::defaultCode(target, liveBookmark()));
    FileIntake::placeScannedFiles(view, target, results, bookmarks);
}

// A scan stopped for a new one may still be placing pages into the same elaborat.
bool ScanIntake::elaboratBusyElsewhere() const
{
    const QList<ScanIntake *> scans = view.findChildren<ScanIntake *>(Qt::FindDirectChildrenOnly);
    for (const ScanIntake *scan : scans) {
        if (scan != this && scan->elaborat == elaborat && scan->twain->busy())
            return true;
    }
    return false;
}

void ScanIntake::settle()
{
    if (twain->busy())
        return;
    if (TTreeElaborat *live = liveElaborat(); live && !elaboratBusyElsewhere())
        live->scanning = false;
    deleteLater();
}

TTreeElaborat *ScanIntake::liveElaborat() const
{
    return view.indexOfTopLevelItem(elaborat) >= 0 ? elaborat : nullptr;
}

TTreeSestavina *ScanIntake::liveComponent() const
{
    return component && walkHas(elaborat, component) ? component : nullptr;
}

TTreeBookmark *ScanIntake::liveBookmark() const
{
    return bookmark && walkHas(elaborat, bookmark) ? bookmark : nullptr;
}
