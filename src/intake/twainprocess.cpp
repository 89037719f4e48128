#include "twainprocess.h"

#include "app/mainwindow.h"
#include "model/fileintake.h"
#include "model/treewalk.h"
#include "model/ttreebookmark.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "model/typedialog.h"
#include "platform/apppaths.h"
#include "platform/platform.h"
#include "platform/prompter.h"
#include "platform/toolrunner.h"
#include "scannersources.h"
#include "sifrantdlg.h"
#include "tprocessconv2pdf.h"

namespace {
const QString title = QStringLiteral("Skeniranje");

// Shown once the handler has returned: a modal box would run the event loop while this scan
// may be deleted.
void warnLater(MainWindow *window, const QString &text)
{
    QMetaObject::invokeMethod(
        window, [window, text] { Prompter::warning(window, title, text); }, Qt::QueuedConnection);
}

bool walkHas(const QTreeWidgetItem *root, const QTreeWidgetItem *wanted)
{
    bool found = false;
    forEachInWalk(root, [&found, wanted](QTreeWidgetItem *item) { found |= item == wanted; });
    return found;
}
} // namespace

TwainProcess::TwainProcess(int sourceId, TTreeElaborat *elaborat, TTreeSestavina *component,
    TTreeBookmark *bookmark, MainWindow *parent)
    : QProcess(parent)
    , mainWindow(parent)
    , elaborat(elaborat)
    , component(component)
    , bookmark(bookmark)
    , folder(AppPaths::programRelative(elaborat->workDir()))
{
    connect(this, &QProcess::finished, this, &TwainProcess::twainFinished);
    connect(this, &QProcess::readyReadStandardOutput, this, &TwainProcess::onReadyRead);
    connect(this, &QProcess::errorOccurred, this, &TwainProcess::onError);
    elaborat->scanning = true;
    const QStringList arguments = {QString::number(sourceId), AppPaths::fromToolDir(folder),
        QString::number(elaborat->nextScanNumber),
        QString::number(Platform::nativeWindowHandle(parent))};
    prepareScanProgram(*this);
    start(scanProgram(), arguments, QIODevice::ReadWrite);
}

// Only processes die here: the tree may be half gone when the main window closes.
TwainProcess::~TwainProcess()
{
    disconnect(this, nullptr, this, nullptr);
    for (TProcessConv2pdf *conversion : std::as_const(batches)) {
        conversion->disconnect();
        if (conversion->state() != QProcess::NotRunning) {
            conversion->kill();
            conversion->waitForFinished(ToolRunner::timeoutMs);
        }
        delete conversion;
    }
    if (state() != QProcess::NotRunning) {
        kill();
        waitForFinished(ToolRunner::timeoutMs);
    }
}

void TwainProcess::abort()
{
    aborted = true;
    kill();
    waitForFinished(ToolRunner::timeoutMs);
}

void TwainProcess::onReadyRead()
{
    startConversion(reader.feed(readAllStandardOutput()));
}

void TwainProcess::twainFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    QStringList names = reader.feed(readAllStandardOutput());
    names << reader.finish();
    startConversion(names);
    if (!aborted && (exitStatus != QProcess::NormalExit || exitCode != 0)) {
        const QString reason = QString::fromLocal8Bit(readAllStandardError()).trimmed();
        warnLater(mainWindow,
            reason.isEmpty() ? QStringLiteral("Skeniranje se ni koncalo pravilno.") : reason);
    }
    settle();
}

void TwainProcess::onError(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart)
        return;
    warnLater(mainWindow,
        QStringLiteral("Programa za skeniranje ni mogoce zagnati (%1).").arg(scanProgram()));
    settle();
}

void TwainProcess::startConversion(const QStringList &names)
{
    if (names.isEmpty())
        return;
    if (TTreeElaborat *live = liveElaborat())
        live->nextScanNumber += int(names.size());
    // Its place in the queue comes first: a converter that cannot start reports at once.
    waiting.append(std::nullopt);
    batches << new TProcessConv2pdf(folder, names, this);
}

void TwainProcess::conversionEnded(
    TProcessConv2pdf *conversion, const QStringList &pdfPaths, bool complete)
{
    qsizetype index = batches.indexOf(conversion);
    if (index < 0)
        index = batches.size();
    waiting[index - placedBatches] = pdfPaths;
    if (!complete) {
        warnLater(mainWindow,
            QStringLiteral("Nekaterih skeniranih strani ni bilo mogoce pretvoriti v PDF. Slike "
                           "so ostale v mapi %1.")
                .arg(AppPaths::path(folder)));
    }
    placeWaiting();
}

// The document-type dialog is shared: while the user works in it, the pages wait.
void TwainProcess::placeWaiting()
{
    SifrantDlg *dialog = mainWindow->sifrantDialog();
    if (dialog->isVisible()) {
        // Queued: the one who opened it reads its results first.
        connect(dialog, &QDialog::finished, this, &TwainProcess::placeWaiting,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
        return;
    }
    disconnect(dialog, &QDialog::finished, this, &TwainProcess::placeWaiting);
    // In the order of the scan, whichever conversion ends first.
    while (!waiting.isEmpty() && waiting.first()) {
        place(*waiting.takeFirst());
        ++placedBatches;
    }
    settle();
}

void TwainProcess::place(const QStringList &pdfPaths)
{
    if (pdfPaths.isEmpty())
        return;
    TTreeElaborat *live = liveElaborat();
    if (!live)
        return;
    TTreeSestavina *target = liveComponent();
    if (component && !target) {
        warnLater(mainWindow,
            QStringLiteral("Sestavine, v katero so bile skenirane strani, ni vec. Strani so "
                           "ostale v mapi %1.")
                .arg(AppPaths::path(folder)));
        return;
    }
    TTreeWidget *view = mainWindow->tree();
    // The dialog types the pages in the kind of the current elaborat.
    view->setCurrentElaborat(live, false);
    const QList<SifrantResult> results = TypeDialog::acceptAtOnce(*mainWindow->sifrantDialog(),
        pdfPaths, *live, TypeDialog::defaultCode(target, liveBookmark()));
    FileIntake::placeScannedFiles(*view, target, results, bookmarks);
}

bool TwainProcess::busy() const
{
    return state() != QProcess::NotRunning || !waiting.isEmpty();
}

// A scan stopped for a new one may still be placing pages into the same elaborat.
bool TwainProcess::elaboratBusyElsewhere() const
{
    const QList<TwainProcess *> scans
        = mainWindow->findChildren<TwainProcess *>(Qt::FindDirectChildrenOnly);
    for (const TwainProcess *scan : scans) {
        if (scan != this && scan->elaborat == elaborat && scan->busy())
            return true;
    }
    return false;
}

void TwainProcess::settle()
{
    if (busy())
        return;
    if (TTreeElaborat *live = liveElaborat(); live && !elaboratBusyElsewhere())
        live->scanning = false;
    deleteLater();
}

TTreeElaborat *TwainProcess::liveElaborat() const
{
    const TTreeWidget *view = mainWindow->tree();
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        if (view->topLevelItem(i) == elaborat)
            return elaborat;
    }
    return nullptr;
}

TTreeSestavina *TwainProcess::liveComponent() const
{
    return component && walkHas(elaborat, component) ? component : nullptr;
}

TTreeBookmark *TwainProcess::liveBookmark() const
{
    return bookmark && walkHas(elaborat, bookmark) ? bookmark : nullptr;
}
