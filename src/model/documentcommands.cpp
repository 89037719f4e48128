#include "documentcommands.h"

#include "elaboratcontext.h"
#include "fileintake.h"
#include "platform/prompter.h"
#include "treeitems.h"
#include "ttreebookmark.h"
#include "ttreedigitalnipodatek.h"
#include "ttreedokument.h"
#include "ttreeelaborat.h"
#include "ttreepodnaslov.h"
#include "ttreesestavina.h"
#include "ttreewidget.h"
#include "typedialog.h"

#include <QSet>
#include <algorithm>

namespace DocumentCommands {

namespace {

using TreeItems::isGeneral;

// The document the type command acts on: the clicked one, else the first selected one; with a
// single selected item only when that is the clicked one.
TTreeDokument *typedDocument(const QList<QTreeWidgetItem *> &selected, QTreeWidgetItem *clicked)
{
    TTreeDokument *document = TTreeDokument::cast(clicked);
    for (int i = 0; !document && i < selected.size(); ++i)
        document = TTreeDokument::cast(selected.at(i));
    if (selected.size() == 1 && selected.first() != document)
        return nullptr;
    return document;
}

QList<TTreeDokument *> typedDocuments(
    const QList<QTreeWidgetItem *> &selected, TTreeDokument *clicked)
{
    if (selected.size() < 2)
        return {clicked};
    QList<TTreeDokument *> documents;
    for (QTreeWidgetItem *item : selected) {
        if (TTreeDokument *document = TTreeDokument::cast(item))
            documents << document;
    }
    return TreeItems::inPageOrder(documents);
}

// A document goes only once its file was placed again: one refused (no code outside a
// component) stays where it was, or it would be lost.
void replaceDocuments(TTreeWidget &view, TTreeSestavina *component,
    const QList<SifrantResult> &results, const QList<TTreeDokument *> &documents)
{
    const QList<bool> placed = FileIntake::placeFiles(view, component, results, documents);
    QList<TTreeDokument *> replaced;
    for (int i = 0; i < documents.size(); ++i) {
        if (placed.value(i))
            replaced << documents.at(i);
    }
    for (TTreeDokument *document : std::as_const(replaced))
        document->removeMark = true;
    view.clearSelection();
    for (TTreeDokument *document : std::as_const(replaced)) {
        if (TTreeElaborat *elaborat = document->elaborat())
            elaborat->removeLeafAndPrune(document);
    }
}

struct Removal
{
    QList<TTreeBookmark *> bookmarks;
    QList<TTreeDokument *> documents;
    QList<TTreePodnaslov *> subtitles;
    QList<TTreeDigitalniPodatek *> digitalData;
    QSet<TTreeElaborat *> elaborates;
    // The elaborates whose pages the removal changes: not those of digital data alone.
    QSet<TTreeElaborat *> paged;

    bool isEmpty() const
    {
        return bookmarks.isEmpty() && documents.isEmpty() && subtitles.isEmpty()
            && digitalData.isEmpty();
    }
};

Removal sortForRemoval(const QList<QTreeWidgetItem *> &selected)
{
    Removal removal;
    for (QTreeWidgetItem *item : selected) {
        TTreeElaborat *elaborat = TTreeWidget::elaboratOf(item);
        if (!elaborat)
            continue;
        if (TTreeBookmark *bookmark = TTreeBookmark::cast(item))
            removal.bookmarks << bookmark;
        else if (TTreeDokument *document = TTreeDokument::cast(item))
            removal.documents << document;
        else if (TTreePodnaslov *subtitle = TTreePodnaslov::cast(item))
            removal.subtitles << subtitle;
        else if (TTreeDigitalniPodatek *data = TTreeDigitalniPodatek::cast(item))
            removal.digitalData << data;
        else
            continue;
        removal.elaborates.insert(elaborat);
        if (!TTreeDigitalniPodatek::cast(item))
            removal.paged.insert(elaborat);
    }
    return removal;
}

// A selected bookmark goes with everything below it, so what it holds is not removed again.
template<class T> void dropHeldBy(QList<T *> &items, const QList<TTreeBookmark *> &bookmarks)
{
    items.erase(std::remove_if(items.begin(), items.end(),
                    [&bookmarks](const T *item) {
                        return std::any_of(bookmarks.cbegin(), bookmarks.cend(),
                            [item](const TTreeBookmark *bookmark) {
                                return TreeItems::isBelow(item, bookmark);
                            });
                    }),
        items.end());
}

void remove(Removal &removal)
{
    dropHeldBy(removal.bookmarks, removal.bookmarks);
    dropHeldBy(removal.documents, removal.bookmarks);
    dropHeldBy(removal.subtitles, removal.bookmarks);
    for (TTreeBookmark *bookmark : removal.bookmarks)
        TTreeWidget::elaboratOf(bookmark)->pruneBookmark(bookmark, true);
    for (TTreeDokument *document : removal.documents)
        TTreeWidget::elaboratOf(document)->removeLeafAndPrune(document);
    for (TTreePodnaslov *subtitle : removal.subtitles)
        TTreeWidget::elaboratOf(subtitle)->removeLeafAndPrune(subtitle);
    qDeleteAll(removal.digitalData);
}

} // namespace

void splitIntoPages(TTreeDokument &document)
{
    TTreeElaborat *elaborat = document.elaborat();
    QTreeWidgetItem *parent = document.parent();
    const int pages = document.pageCount();
    if (!elaborat || !parent || pages < 2 || document.page() != 0)
        return;
    const QString tag = document.tagText();
    auto *subtitle = new TTreePodnaslov(parent);
    subtitle->setNameText(document.nameText());
    TreeItems::moveItem(subtitle, parent, parent->indexOfChild(&document));
    const QString path = document.filePath();
    QList<TTreeDokument *> created;
    for (int page = 1; page <= pages; ++page)
        created << new TTreeDokument(path, subtitle, page, document.rotation());
    delete &document;
    subtitle->setExpanded(true);
    if (elaborat->isKs()) {
        const TTreeBookmark *bookmark = TTreeBookmark::cast(subtitle->parent());
        if (!bookmark || bookmark->sifra() != QLatin1String("104"))
            return;
        for (TTreeDokument *page : created)
            page->setTagText(tag);
    }
    if (isGeneral(elaborat))
        created.first()->setTagText(tag);
}

void changeDocumentType(TTreeWidget &view, QTreeWidgetItem *clicked)
{
    const QList<QTreeWidgetItem *> selected = view.selectedItems();
    TTreeDokument *document = typedDocument(selected, clicked);
    TTreeElaborat *elaborat = document ? document->elaborat() : nullptr;
    if (!elaborat || !view.context)
        return;
    const QList<TTreeDokument *> documents = typedDocuments(selected, document);
    QStringList files;
    for (TTreeDokument *each : documents)
        files << each->filePath();
    TTreeSestavina *component = TreeItems::componentOf(document);
    const bool general = isGeneral(elaborat);
    const QString preset = general
        ? document->tagText().section(QLatin1Char(' '), 0, 0)
        : TypeDialog::defaultCode(component, TreeItems::bookmarkOf(document));
    const auto results = TypeDialog::ask(view.context->typeDialog(), files, *elaborat, preset);
    if (!results)
        return;
    if (general && results->size() == documents.size()) {
        for (int i = 0; i < documents.size(); ++i) {
            if (!results->at(i).bookmark.isEmpty())
                documents.at(i)->setTagText(results->at(i).typeText);
        }
    } else {
        replaceDocuments(view, component, *results, documents);
    }
    elaborat->markModified();
}

void rotate(TTreeWidget &view, TTreeDokument &document, int degrees)
{
    document.rotate(degrees);
    // An image is shown once its preview PDF is made; loading the image itself would fail.
    document.startPreview(view.context);
}

void removeTag(TTreeDokument &document)
{
    document.setTagText(QString());
    if (TTreeElaborat *elaborat = document.elaborat())
        elaborat->markModified();
}

void removeSelected(TTreeWidget &view)
{
    Removal removal = sortForRemoval(view.selectedItems());
    if (!removal.isEmpty()
        && Prompter::question(&view, QString(),
            QStringLiteral("Ali res zelite odstraniti izbrane sestavine iz elaborata?"))) {
        view.clearSelection();
        remove(removal);
        for (TTreeElaborat *elaborat : std::as_const(removal.paged))
            elaborat->markModified();
    }
    if (TTreeElaborat *current = view.currentElaborat())
        removal.elaborates.insert(current);
    for (TTreeElaborat *elaborat : std::as_const(removal.elaborates))
        elaborat->removeEmptySubtitles();
}

} // namespace DocumentCommands
