#include "fileintake.h"

#include "elaboratcontext.h"
#include "intake/sifrantdlg.h"
#include "platform/apppaths.h"
#include "platform/appsettings.h"
#include "platform/prompter.h"
#include "treeitems.h"
#include "treewalk.h"
#include "ttreebookmark.h"
#include "ttreedigitalnipodatek.h"
#include "ttreedokument.h"
#include "ttreeelaborat.h"
#include "ttreesestavina.h"
#include "ttreewidget.h"
#include "typedialog.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace FileIntake {

namespace {

const QString caption = QStringLiteral("Izbor sestavin");
using TreeItems::isDigitalData;
using TreeItems::isGeneral;

TTreeElaborat *elaboratFor(TTreeWidget &view, TTreeSestavina *component)
{
    return component ? TTreeWidget::elaboratOf(component) : view.currentElaborat();
}

// What a new file is compared with: the digital data by the names they show, the documents
// by the paths they were made from.
QSet<QString> knownNames(const TTreeElaborat &elaborat, bool digital)
{
    QSet<QString> known;
    if (!digital && !elaborat.pdfPath().isEmpty())
        known.insert(elaborat.pdfPath());
    forEachInWalk(&elaborat, [&known, digital](QTreeWidgetItem *item) {
        if (!digital) {
            if (const TTreeDokument *document = TTreeDokument::cast(item))
                known.insert(document->sourcePath());
        } else if (TTreeDigitalniPodatek::cast(item)) {
            known.insert(item->text(0));
        }
    });
    return known;
}

QStringList confirmDuplicates(
    QWidget *parent, const QStringList &files, const QSet<QString> &known, bool digital)
{
    QStringList kept = files;
    for (int i = int(kept.size()) - 1; i >= 0; --i) {
        const QString name = QFileInfo(kept.at(i)).fileName();
        if (!known.contains(digital ? name : kept.at(i)))
            continue;
        const bool again = Prompter::question(parent, QString(),
            QStringLiteral("Dodajanje dokumenta"), QMessageBox::Yes,
            QStringLiteral("Dokument z imenom '%1' je ze dodan v elaborat. Ali ga dodam se enkrat?")
                .arg(name));
        if (!again)
            kept.removeAt(i);
    }
    return kept;
}

void addGeneralDocuments(TTreeElaborat &elaborat, const QList<SifrantResult> &results)
{
    for (const SifrantResult &result : results) {
        auto *document = new TTreeDokument(result.filePath, elaborat.sestavineItem());
        if (!result.bookmark.isEmpty())
            document->setTagText(result.typeText);
    }
}

// A document replacing `old` in the bookmark old lay in takes old's place and floor.
void placeDocument(const QString &path, TTreeBookmark *bookmark, int page, TTreeDokument *old)
{
    if (!old || TreeItems::bookmarkOf(old) != bookmark) {
        new TTreeDokument(path, bookmark, page);
        return;
    }
    QTreeWidgetItem *parent = old->parent();
    auto *document = new TTreeDokument(path, parent, page);
    document->assignFloor(old);
    TreeItems::moveItem(document, parent, parent->indexOfChild(old));
}

void warnWithoutCode(QWidget *parent, const QString &path)
{
    Prompter::warning(parent, QStringLiteral("Dodajanje dokumentov"),
        QStringLiteral("Dokument '%1' ni bil dodan v elaborat, ker nima dolocene sifre.")
            .arg(path));
}

} // namespace

QStringList supportedFiles(const QStringList &files)
{
    static const QStringList suffixes
        = {QStringLiteral("pdf"), QStringLiteral("tiff"), QStringLiteral("tif"),
            QStringLiteral("png"), QStringLiteral("jpeg"), QStringLiteral("jpg")};
    QStringList kept;
    for (const QString &file : files) {
        if (suffixes.contains(QFileInfo(file).suffix().toLower()))
            kept << file;
    }
    return kept;
}

QStringList chooseImageFiles(ElaboratContext &context)
{
    return Prompter::current().openFileNames(nullptr, caption,
        AppPaths::dialogStart({context.windowSettings().lastFolder}),
        QStringLiteral("vse podprte datoteke (*.pdf *.jpg *.jpeg *.png *.tif *.tiff);;slikovne "
                       "datoteke (*.jpg *.jpeg *.png *.tif *.tiff);;PDF datoteke (*.pdf)"));
}

QStringList chooseDigitalFiles(ElaboratContext &context)
{
    return Prompter::current().openFileNames(nullptr, caption,
        AppPaths::dialogStart({context.windowSettings().lastFolder}),
        QStringLiteral("izmenjevalni formati (*.*)"));
}

void rememberFolder(ElaboratContext &context, const QString &file)
{
    context.windowSettings().lastFolder = QFileInfo(file).absolutePath();
}

void addFiles(TTreeWidget &view, TTreeSestavina *component, const QStringList &files,
    QTreeWidgetItem *context)
{
    TTreeElaborat *elaborat = elaboratFor(view, component);
    if (!elaborat || !view.context)
        return;
    const bool digital = isDigitalData(component);
    const QStringList kept
        = confirmDuplicates(&view, files, knownNames(*elaborat, digital), digital);
    if (kept.isEmpty())
        return;
    if (digital) {
        addDigitalFiles(component, kept);
        return;
    }
    SifrantDlg &dialog = view.context->typeDialog();
    TTreeBookmark *bookmark = TreeItems::bookmarkOf(context);
    if (isGeneral(elaborat)) {
        const auto results = TypeDialog::ask(
            dialog, kept, *elaborat, TypeDialog::defaultCode(component, bookmark));
        if (results)
            addGeneralDocuments(*elaborat, *results);
        return;
    }
    if (bookmark) {
        placeFiles(
            view, component, TypeDialog::acceptAtOnce(dialog, kept, *elaborat, bookmark->sifra()));
        return;
    }
    const auto results
        = TypeDialog::ask(dialog, kept, *elaborat, TypeDialog::defaultCode(component, nullptr));
    if (results)
        placeFiles(view, component, *results);
}

namespace {

QList<bool> placeWith(TTreeWidget &view, TTreeSestavina *component,
    const QList<SifrantResult> &results, const QList<TTreeDokument *> &replaced,
    QHash<QString, TTreeBookmark *> &bookmarks)
{
    QList<bool> placed(results.size(), false);
    TTreeElaborat *elaborat = elaboratFor(view, component);
    if (!elaborat)
        return placed;
    const bool general = isGeneral(elaborat);
    QTreeWidgetItem *home
        = component ? static_cast<QTreeWidgetItem *>(component) : elaborat->sestavineItem();
    for (int i = 0; i < results.size(); ++i) {
        const SifrantResult &result = results.at(i);
        TTreeDokument *old = replaced.value(i);
        const int page = old ? old->page() : 0;
        if (!result.code.isEmpty()) {
            TTreeBookmark *bookmark = bookmarks.value(result.code);
            if (!bookmark) {
                bookmark = new TTreeBookmark(result.code, result.typeText, home);
                bookmarks.insert(result.code, bookmark);
            }
            placeDocument(result.filePath, bookmark, page, old);
            home->setExpanded(true);
            bookmark->setExpanded(true);
        } else if (isDigitalData(component)) {
            new TTreeDigitalniPodatek(result.filePath, component);
        } else if (general || component) {
            new TTreeDokument(result.filePath, home, page);
        } else {
            warnWithoutCode(&view, result.filePath);
            continue;
        }
        placed[i] = true;
    }
    // Digital data items do not mark the elaborat themselves.
    if (placed.contains(true))
        elaborat->markModified();
    return placed;
}

} // namespace

QList<bool> placeFiles(TTreeWidget &view, TTreeSestavina *component,
    const QList<SifrantResult> &results, const QList<TTreeDokument *> &replaced)
{
    QHash<QString, TTreeBookmark *> bookmarks;
    for (TTreeDokument *document : replaced) {
        TTreeBookmark *bookmark = TreeItems::bookmarkOf(document);
        if (bookmark && !bookmarks.contains(bookmark->sifra()))
            bookmarks.insert(bookmark->sifra(), bookmark);
    }
    return placeWith(view, component, results, replaced, bookmarks);
}

void placeScannedFiles(TTreeWidget &view, TTreeSestavina *component,
    const QList<SifrantResult> &results, QHash<QString, TTreeBookmark *> &bookmarks)
{
    // A bookmark the user removed since the last batch is gone from the map too.
    QSet<const QTreeWidgetItem *> present;
    if (TTreeElaborat *elaborat = elaboratFor(view, component))
        forEachInWalk(elaborat, [&present](QTreeWidgetItem *item) { present.insert(item); });
    for (auto it = bookmarks.begin(); it != bookmarks.end();)
        it = present.contains(it.value()) ? std::next(it) : bookmarks.erase(it);
    placeWith(view, component, results, {}, bookmarks);
}

void addDigitalFiles(TTreeSestavina *component, const QStringList &files)
{
    if (!component)
        return;
    for (const QString &file : files)
        new TTreeDigitalniPodatek(file, component);
    component->setExpanded(true);
    if (TTreeElaborat *elaborat = TTreeWidget::elaboratOf(component))
        elaborat->markModified();
}

void addAuthorityDocuments(TTreeWidget &view, const QString &code, const QString &componentName)
{
    TTreeElaborat *elaborat = view.currentElaborat();
    if (!elaborat || !view.context)
        return;
    const QStringList chosen = chooseImageFiles(*view.context);
    const QStringList files = supportedFiles(chosen);
    if (files.isEmpty())
        return;
    const QString label = TypeDialog::typeText(view.context->typeDialog(), code);
    if (isGeneral(elaborat)) {
        for (int i = 0; i < files.size(); ++i) {
            auto *document = new TTreeDokument(files.at(i), elaborat->sestavineItem());
            if (i == 0)
                document->setTagText(label);
        }
    } else {
        TTreeSestavina *component = elaborat->findSestavinaByIme(componentName);
        QTreeWidgetItem *parent
            = component ? static_cast<QTreeWidgetItem *>(component) : elaborat->sestavineItem();
        auto *bookmark = new TTreeBookmark(code, label, parent);
        for (const QString &file : files)
            new TTreeDokument(file, bookmark);
        bookmark->setExpanded(true);
        parent->setExpanded(true);
    }
    rememberFolder(*view.context, chosen.first());
}

} // namespace FileIntake
