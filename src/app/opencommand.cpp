#include "opencommand.h"

#include "files/elaboratfile.h"
#include "files/elaboratreader.h"
#include "files/keywords.h"
#include "mainwindow.h"
#include "model/floorlabels.h"
#include "model/ttreeelaborat.h"
#include "model/ttreewidget.h"
#include "platform/apppaths.h"
#include "platform/busywork.h"
#include "platform/prompter.h"
#include "platform/toolrunner.h"

#include <QFileInfo>

namespace {

bool isOpen(const TTreeWidget &tree, const QString &path)
{
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        const TTreeElaborat *elaborat = TTreeElaborat::cast(tree.topLevelItem(i));
        if (elaborat && elaborat->pdfPath().compare(path, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

std::optional<StoredKeywords> readKeywords(const PdfInfo &info, KeywordMap &map)
{
    if (!info.loaded || info.keywords.isEmpty())
        return std::nullopt;
    map = keywordMap(info.keywords);
    return storedKeywords(map);
}

} // namespace

QString packageFolder(const QString &tempFolder)
{
    return tempFolder + QLatin1Char('/') + TTreeElaborat::freeStamp(tempFolder);
}

void runOpenCommand(MainWindow &window)
{
    ToolRunner::logRecord(QStringLiteral("on_actionOdpri_triggered"));
    WindowSettings &remembered = window.windowSettings();
    const QString path = Prompter::current().openFileName(&window, QStringLiteral("Odpri elaborat"),
        AppPaths::dialogStart({remembered.lastSaveAsName, remembered.lastFolder}),
        QStringLiteral(
            "vse podprte datoteke (*.pdf *.zip);;stisnjen elaborat (*.zip);;PDF elaborat (*.pdf)"));
    if (path.isEmpty())
        return;
    remembered.lastFolder = QFileInfo(path).absolutePath();
    openElaboratFile(window, path);
}

void openElaboratFile(MainWindow &window, const QString &path)
{
    if (isOpen(*window.tree(), path)) {
        Prompter::information(
            &window, QString(), QStringLiteral("Elaborat '%1' je ze odprt.").arg(path));
        return;
    }
    QString refused;
    if (!odpriElaborat(window, path, &refused))
        Prompter::information(&window, QString(),
            refused.isEmpty() ? QStringLiteral("Napaka pri odpiranju elaborata.") : refused);
}

bool odpriElaborat(MainWindow &window, const QString &path, QString *refused)
{
    BusyWork busy;
    const QString packageContent = QFileInfo(path).suffix().toLower() == QLatin1String("zip")
        ? packageFolder(window.tempFolder())
        : QString();
    // A large PDF takes long to load and dump: the window must not freeze meanwhile.
    ElaboratReading reading;
    busy.runAside([&] { reading = ElaboratFile::readElaborat(path, packageContent); });
    if (refused)
        *refused = reading.refused;
    KeywordMap map;
    const std::optional<StoredKeywords> stored = readKeywords(reading.info, map);
    if (!stored)
        return false;
    TTreeElaborat *elaborat = window.createElaborat(
        storedProcedureIndices(window.katalog(), stored->procedureIds, stored->isKs), stored->isKs,
        stored->forcedKind);
    if (!elaborat)
        return false;
    fillStoredAttributes(*elaborat, map);
    elaborat->setPdfPath(reading.pdfPath, true);
    readBookmarks(*elaborat, reading, stored->bookmarkCodes, stored->componentCodes, busy);
    if (!packageContent.isEmpty())
        addZipDataFiles(*elaborat, packageContent);
    if (elaborat->isKs())
        applyFloorLabels(*elaborat, stored->floors);
    // Everything above made or changed items; the tree is now what the PDF holds.
    elaborat->markUpToDate();
    return true;
}
