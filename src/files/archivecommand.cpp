#include "archivecommand.h"

#include "dialogprogress.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "naming.h"
#include "platform/prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ArchiveCommand", text);
}

void tell(const QString &text)
{
    Prompter::information(nullptr, QString(), text);
}

bool ask(const QString &text)
{
    return Prompter::question(nullptr, QString(), text, QMessageBox::No);
}

bool samePlace(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (QDir::cleanPath(first.absoluteFilePath())
            .compare(QDir::cleanPath(second.absoluteFilePath()), Qt::CaseInsensitive)
        == 0)
        return true;
    return first.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

// The move puts the new file in the old one's place in one step, which takes a file, not a
// folder, in a folder we may write to.
bool replaceable(const QString &path)
{
    const QFileInfo file(path);
    return file.isFile() && QFileInfo(file.absolutePath()).isWritable();
}

// Settles a file of the same name in the archive; false when archiving stops.
bool settleClash(const QString &destination, const QString &pdfPath)
{
    if (!QFileInfo::exists(destination))
        return true;
    if (!ask(tr("Datoteka \n'%1'\n ze obstaja. Ali jo zelite zamenjati z datoteko \n'%2'?")
                 .arg(destination, pdfPath)))
        return false;
    if (replaceable(destination))
        return true;
    tell(tr("Ne morem zbrisati obstojece arhivske datoteke."));
    return false;
}

void referToArchivedFile(TTreeElaborat *elaborat, const QString &destination)
{
    const QString old = elaborat->pdfPath();
    for (TTreeDokument *document : elaborat->documents()) {
        if (document->filePath() == old)
            document->setFilePath(destination);
    }
    elaborat->setPdfPath(destination, true);
    // Still true of the file in its new place; saying so again lets the recovery record follow.
    elaborat->markUpToDate();
}

} // namespace

void runArchiveCommand(TTreeElaborat *elaborat, const ArchiveSteps &steps)
{
    if (!elaborat)
        return;
    const NamingCheck idpos = checkIdpos(elaborat->attribute(QStringLiteral("IDPOS")),
        tr("Arhiviranje brez vpisanega IDPOS-a ni možno!"));
    if (!idpos.ok) {
        Prompter::warning(nullptr, idpos.title, idpos.warning);
        return;
    }
    QString folder = steps.archiveFolder;
    if (folder.isEmpty())
        folder = steps.chooseArchiveFolder();
    if (folder.isEmpty())
        return;
    const QString pdfPath = elaborat->pdfPath();
    const QString name = QFileInfo(pdfPath).fileName();
    if (!steps.existenceCheck(QString(name).remove(QStringLiteral(".pdf"), Qt::CaseInsensitive)))
        return;
    const QString destination = folder + QLatin1Char('/') + name;
    if (samePlace(destination, pdfPath)) {
        tell(tr("Elaborat se ze nahaja v mapi arhiva."));
        return;
    }
    if (!settleClash(destination, pdfPath)
        || !ask(tr("Datoteka \n'%1'\n bo premaknjena v mapo \n'%2'.").arg(pdfPath, folder)))
        return;
    DialogProgress dialog(pdfPath, destination);
    Prompter::current().exec(&dialog);
    if (dialog.succeeded())
        referToArchivedFile(elaborat, destination);
}
