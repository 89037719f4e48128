#include "pdfpath.h"

#include "files/naming.h"
#include "mainwindow.h"
#include "model/ttreeelaborat.h"
#include "platform/apppaths.h"
#include "platform/prompter.h"
#include "services/dialognastavitev.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char *const buildTitle = "Izdelava elaborata";

QString warned(MainWindow &window, const QString &title, const QString &text)
{
    Prompter::warning(&window, title, text);
    return QString();
}

QString chooseInSaveDialog(MainWindow &window, const ElaboratIdentity &identity)
{
    QString &lastName = window.windowSettings().lastSaveAsName;
    const QFileInfo start(AppPaths::dialogStart({lastName, window.windowSettings().lastFolder}));
    const QString startFolder
        = (start.isDir() ? start.absoluteFilePath() : start.absolutePath()) + QLatin1Char('/');
    const QString proposed = proposedPdfPath(startFolder, identity);
    lastName = proposed;
    for (;;) {
        const QString chosen = Prompter::current().saveFileName(
            &window, QStringLiteral("PDF elaborata"), proposed, QStringLiteral("PDF (*.pdf)"));
        if (chosen.isEmpty())
            return warned(window, buildTitle, QStringLiteral("Ime PDF elaborata ni izbrano."));
        if (acceptsPdfName(chosen, identity)) {
            lastName = chosen;
            return chosen;
        }
        Prompter::warning(&window, buildTitle, pdfNameForm(identity).formatText);
    }
}

QString workFolderOf(MainWindow &window, bool isKs)
{
    const QString folder
        = isKs ? window.settings().workFolderKs() : window.settings().workFolderZk();
    if (isUsableWorkFolder(folder))
        return folder;
    DialogNastavitev *settings = window.settingsDialog();
    return isKs ? settings->chooseWorkFolderKs() : settings->chooseWorkFolderZk();
}

QString chooseInWorkFolder(MainWindow &window, const ElaboratIdentity &identity)
{
    const NamingCheck folder = elaboratFolder(workFolderOf(window, identity.isKs), identity);
    if (!folder.ok)
        return warned(window, folder.title, folder.warning);
    const QString path = proposedPdfPath(folder.value, identity);
    if (!QFileInfo(folder.value).isDir()) {
        if (!Prompter::question(&window, QString(), QStringLiteral("Mapa elaborata se ne obstaja."),
                QMessageBox::Yes,
                QStringLiteral("Elaborat bo shranjen v mapo '%1', ki pa se ne obstaja. Jo zelite "
                               "ustvariti?")
                    .arg(folder.value)))
            return QString();
        if (!QDir().mkpath(folder.value))
            return warned(window, QStringLiteral("Napaka pri izdelavi mape elaborata."),
                QStringLiteral("Ne morem zapisati elaborata."));
        return path;
    }
    if (QFileInfo::exists(path)
        && !Prompter::question(&window, QString(), QStringLiteral("Elaborat ze obstaja."),
            QMessageBox::Yes,
            QStringLiteral("Elaborat '%1'\nze obstaja. Ga zelite zamenjati?").arg(path)))
        return QString();
    return path;
}

} // namespace

QString choosePdfPath(MainWindow &window, TTreeElaborat *elaborat)
{
    if (!elaborat)
        return warned(window, buildTitle, QStringLiteral("Elaborat ni izbran."));
    const ElaboratIdentity identity = identityOf(elaborat->snapshot());
    const NamingCheck check = checkPdfIdentity(identity);
    if (!check.ok)
        return warned(window, check.title, check.warning);
    if (window.settings().askForSaveLocation())
        return chooseInSaveDialog(window, identity);
    return chooseInWorkFolder(window, identity);
}
