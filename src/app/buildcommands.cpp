#include "buildcommands.h"

#include "files/dialogizdelavaelaborata.h"
#include "files/keywords.h"
#include "files/naming.h"
#include "mainwindow.h"
#include "model/ttreeelaborat.h"
#include "model/ttreewidget.h"
#include "pdfpath.h"
#include "platform/prompter.h"
#include "platform/toolrunner.h"

#include <QFileInfo>

namespace {

QString proposedZipPath(const TTreeElaborat &elaborat, const QString &name)
{
    if (elaborat.pdfPath().isEmpty())
        return name;
    return QFileInfo(elaborat.pdfPath()).absolutePath() + QLatin1Char('/') + name;
}

// Packing leaves the REN PDF out when KO or REZPOS fail their checks; the user hears why.
void warnAboutRenPdf(MainWindow &window, const ElaboratSnapshot &snapshot)
{
    if (!separatesRenPages(snapshot) || renDocuments(snapshot).isEmpty())
        return;
    const NamingCheck ren = renFileName(identityOf(snapshot));
    if (!ren.ok)
        Prompter::warning(&window, ren.title, ren.warning);
}

// A value that the Keywords text cannot carry is refused before anything is chosen or built.
bool attributesCanBeStored(MainWindow &window, const ElaboratSnapshot &snapshot)
{
    const NamingCheck check = checkStoredAttributes(snapshot);
    if (!check.ok)
        Prompter::warning(&window, check.title, check.warning);
    return check.ok;
}

} // namespace

void runPdfCommand(MainWindow &window)
{
    ToolRunner::logRecord(QStringLiteral("on_actionPDF_triggered"));
    TTreeElaborat *elaborat = window.tree()->currentElaborat();
    if (!elaborat)
        return;
    if (elaborat->documentCount() == 0) {
        Prompter::information(
            &window, QString(), QStringLiteral("V izbranem elaboratu ni dodanih dokumentov."));
        return;
    }
    if (!attributesCanBeStored(window, elaborat->snapshot()))
        return;
    const QString path = choosePdfPath(window, elaborat);
    if (path.isEmpty())
        return;
    elaborat->setPdfPath(path, false);
    bool compress = false;
    {
        DialogIzdelavaElaborata dialog(elaborat, MyThread::Output::Pdf, &window);
        Prompter::current().exec(&dialog);
        // Documents may take pages of the file just rewritten even when it was not the
        // elaborat's own PDF a moment ago (built elsewhere, then back into the old file).
        if (dialog.succeeded())
            elaborat->renumberOwnPages(path);
        compress = dialog.compress();
    }
    if (compress)
        runZipCommand(window);
}

void runZipCommand(MainWindow &window)
{
    ToolRunner::logRecord(QStringLiteral("on_actionZIP_triggered"));
    TTreeElaborat *elaborat = window.tree()->currentElaborat();
    if (!elaborat)
        return;
    const ElaboratSnapshot snapshot = elaborat->snapshot();
    if (!attributesCanBeStored(window, snapshot))
        return;
    const NamingCheck name = zipFileName(identityOf(snapshot));
    if (!name.ok) {
        Prompter::warning(&window, name.title, name.warning);
        return;
    }
    const QString chosen
        = Prompter::current().saveFileName(&window, QStringLiteral("Stisni elaborat"),
            proposedZipPath(*elaborat, name.value), QStringLiteral("ZIP (*.zip)"));
    if (chosen.isEmpty())
        return;
    warnAboutRenPdf(window, snapshot);
    elaborat->zipPath = chosen;
    DialogIzdelavaElaborata dialog(elaborat, MyThread::Output::Package, &window);
    Prompter::current().exec(&dialog);
}
