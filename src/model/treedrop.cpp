#include "treedrop.h"

#include "elaboratcontext.h"
#include "intake/sifrantdlg.h"
#include "treeitems.h"
#include "ttreebookmark.h"
#include "ttreedokument.h"
#include "ttreeelaborat.h"
#include "ttreesestavina.h"
#include "ttreewidget.h"
#include "typedialog.h"

namespace {

const QString defaultTypeKey = QStringLiteral("bookmark");
using TreeItems::isGeneral;

} // namespace

TreeDrop::TreeDrop(TTreeWidget &view)
    : view(view)
    , codes(view.context ? &view.context->typeDialog() : nullptr)
{ }

void TreeDrop::drop(QTreeWidgetItem *target, QTreeWidgetItem *dragged)
{
    if (!codes || !target || !dragged || target == dragged
        || !(target->flags() & Qt::ItemIsDropEnabled) || target->isSelected()
        || TreeItems::isBelow(target, dragged) || !TTreeWidget::elaboratOf(target))
        return;
    const QList<QTreeWidgetItem *> selected = view.selectedItems();
    if (selected.size() >= 2) {
        moveSelectedDocuments(target);
        return;
    }
    if (selected.size() == 1)
        moveOnto(dragged, target);
    target->setExpanded(true);
    view.setCurrentItem(target);
}

void TreeDrop::moveSelectedDocuments(QTreeWidgetItem *target)
{
    if (TTreeWidget::elaboratOf(target) != view.currentElaborat())
        return;
    QList<TTreeDokument *> documents;
    const QList<QTreeWidgetItem *> selected = view.selectedItems();
    for (QTreeWidgetItem *item : selected) {
        if (TTreeDokument *document = TTreeDokument::cast(item))
            documents << document;
    }
    // Each further document goes behind the one moved before, or behind the copy that took
    // its place, so that they keep their order.
    TTreeDokument *last = nullptr;
    for (TTreeDokument *document : TreeItems::inPageOrder(documents)) {
        TTreeDokument *placed = last ? placeBehind(*document, *last)
                                     : TTreeDokument::cast(moveOnto(document, target));
        if (!placed)
            break;
        last = placed;
    }
    if (last) {
        last->setExpanded(true);
        view.setCurrentItem(last);
    }
}

void TreeDrop::startMove(QTreeWidgetItem *source, QTreeWidgetItem *target)
{
    elaborat = TTreeWidget::elaboratOf(target);
    sameElaborat = TTreeWidget::elaboratOf(source) == elaborat;
    if (elaborat != view.currentElaborat())
        view.setCurrentElaborat(elaborat, false);
}

QTreeWidgetItem *TreeDrop::moveOnto(QTreeWidgetItem *source, QTreeWidgetItem *target)
{
    startMove(source, target);
    QTreeWidgetItem *placed = nullptr;
    if (TTreeDokument *document = TTreeDokument::cast(source))
        placed = moveDocument(*document, target);
    else if (TTreeBookmark *bookmark = TTreeBookmark::cast(source))
        placed = moveBookmark(*bookmark, target);
    if (placed)
        elaborat->markModified();
    return placed;
}

TTreeDokument *TreeDrop::placeBehind(TTreeDokument &source, TTreeDokument &previous)
{
    startMove(&source, &previous);
    TTreeDokument *placed = documentAfter(source, previous);
    elaborat->markModified();
    return placed;
}

TTreeDokument *TreeDrop::moveDocument(TTreeDokument &source, QTreeWidgetItem *target)
{
    if (TTreeSestavina *component = TTreeSestavina::cast(target)) {
        const bool own = TreeItems::componentOf(&source) == component;
        return own || component->isDisabled() ? nullptr : documentIntoComponent(source, *component);
    }
    if (TTreeBookmark *bookmark = TTreeBookmark::cast(target))
        return documentIntoBookmark(source, *bookmark);
    if (TTreeDokument *document = TTreeDokument::cast(target))
        return TreeItems::componentOf(document) ? nullptr : documentAfter(source, *document);
    if (target == elaborat->sestavineItem() && isGeneral(elaborat))
        return documentIntoSestavine(source);
    return nullptr;
}

QTreeWidgetItem *TreeDrop::moveBookmark(TTreeBookmark &source, QTreeWidgetItem *target)
{
    if (TTreeSestavina *component = TTreeSestavina::cast(target))
        return bookmarkIntoComponent(source, *component);
    if (TTreeDokument *document = TTreeDokument::cast(target)) {
        if (TTreeSestavina *component = TreeItems::componentOf(document))
            return bookmarkIntoComponent(source, *component);
        return bookmarkNextTo(source, *document);
    }
    if (TTreeBookmark *bookmark = TTreeBookmark::cast(target))
        return bookmarkIntoBookmark(source, *bookmark);
    if (target == elaborat->sestavineItem())
        return bookmarkIntoSestavine(source);
    return nullptr;
}

TTreeDokument *TreeDrop::documentIntoComponent(TTreeDokument &source, TTreeSestavina &component)
{
    TTreeBookmark *bookmark = bookmarkForDocument(source, component);
    if (!bookmark)
        return nullptr;
    TTreeDokument *copy = copyOf(source, bookmark);
    component.setExpanded(true);
    bookmark->setExpanded(true);
    removeMoved(source);
    return copy;
}

// The document's type in the component: its own, or the component's default type; a
// document without a type is typed by the user.
TTreeBookmark *TreeDrop::bookmarkForDocument(TTreeDokument &source, TTreeSestavina &component)
{
    QString code = TreeItems::codeOf(&source);
    const TTreeBookmark *own = TreeItems::bookmarkOf(&source);
    QString text = own ? own->text(0) : QString();
    const SestavinaDef &attributes = component.atributi();
    if (attributes.contains(defaultTypeKey) && attributes.value(defaultTypeKey) != code) {
        code = attributes.value(defaultTypeKey);
        text = TypeDialog::typeText(*codes, code);
    }
    if (TTreeBookmark *bookmark = TTreeBookmark::create(code, text, &component, *codes))
        return bookmark;
    const auto results = TypeDialog::ask(
        *codes, {source.filePath()}, *elaborat, TypeDialog::defaultCode(&component, nullptr));
    if (!results || results->isEmpty())
        return nullptr;
    return TTreeBookmark::create(
        results->first().code, results->first().typeText, &component, *codes);
}

TTreeDokument *TreeDrop::documentIntoBookmark(TTreeDokument &source, TTreeBookmark &bookmark)
{
    TTreeDokument *copy = copyOf(source, &bookmark);
    TreeItems::moveItem(copy, &bookmark, 0);
    removeMoved(source);
    return copy;
}

TTreeDokument *TreeDrop::documentAfter(TTreeDokument &source, TTreeDokument &previous)
{
    if (!sameElaborat) {
        TTreeDokument *copy = copyOf(source, previous.parent());
        TreeItems::moveAfter(copy, &previous);
        return copy;
    }
    TTreeBookmark *oldBookmark = TreeItems::bookmarkOf(&source);
    QTreeWidgetItem *oldParent = source.parent();
    TreeItems::moveAfter(&source, &previous);
    if (elaborat->isKs() && TreeItems::bookmarkOf(&source) != oldBookmark)
        source.assignFloorAfterMove(source.tagText());
    if (TTreeBookmark::cast(oldParent))
        elaborat->pruneBookmark(oldParent, false);
    return &source;
}

TTreeDokument *TreeDrop::documentIntoSestavine(TTreeDokument &source)
{
    QTreeWidgetItem *node = elaborat->sestavineItem();
    TTreeDokument *copy = copyOf(source, node);
    TreeItems::moveItem(copy, node, 0);
    removeMoved(source);
    return copy;
}

// The bookmark's type in the component: its own, or the component's default type.
TTreeBookmark *TreeDrop::bookmarkIntoComponent(TTreeBookmark &source, TTreeSestavina &component)
{
    QString code = source.sifra();
    QString text = source.text(0);
    if (component.atributi().contains(defaultTypeKey)) {
        code = component.atributi().value(defaultTypeKey);
        text = TypeDialog::typeText(*codes, code);
    }
    TTreeBookmark *bookmark = TTreeBookmark::create(code, text, &component, *codes);
    if (!bookmark)
        return nullptr;
    for (const TTreeDokument *document : source.dokumenti(false))
        copyOf(*document, bookmark);
    bookmark->setExpanded(true);
    removeMoved(source);
    component.setExpanded(true);
    return bookmark;
}

TTreeBookmark *TreeDrop::bookmarkIntoBookmark(TTreeBookmark &source, TTreeBookmark &target)
{
    for (const TTreeDokument *document : source.dokumenti(false))
        copyOf(*document, &target);
    target.setExpanded(true);
    removeMoved(source);
    return &target;
}

// Into an elaborat of the general procedure from another one whose component of the type's
// kind the bookmark came from: the documents follow the target, labelled with the type.
TTreeDokument *TreeDrop::bookmarkNextTo(TTreeBookmark &source, TTreeDokument &document)
{
    const TTreeElaborat *origin = TTreeWidget::elaboratOf(&source);
    const QString key = codes->typeBookmark(source.sifra());
    if (sameElaborat || key.isEmpty() || !origin->findSestavinaByIme(key))
        return nullptr;
    TTreeDokument *last = &document;
    for (const TTreeDokument *each : source.dokumenti(false)) {
        TTreeDokument *copy = copyOf(*each, document.parent());
        TreeItems::moveAfter(copy, last);
        copy->setTagText(source.text(0));
        last = copy;
    }
    return last;
}

QTreeWidgetItem *TreeDrop::bookmarkIntoSestavine(TTreeBookmark &source)
{
    QTreeWidgetItem *node = elaborat->sestavineItem();
    const bool first = isGeneral(elaborat);
    const QList<TTreeDokument *> documents = source.dokumenti(false);
    for (int i = 0; i < documents.size(); ++i) {
        TTreeDokument *copy = copyOf(*documents.at(i), node);
        if (first)
            TreeItems::moveItem(copy, node, i);
    }
    removeMoved(source);
    return node;
}

// A copy keeps file, page, rotation and colour, and the floor rule decides its floor. Between
// elaborates of the general procedure, outside bookmarks, it also keeps its type label.
TTreeDokument *TreeDrop::copyOf(const TTreeDokument &source, QTreeWidgetItem *parent) const
{
    auto *copy = new TTreeDokument(source, parent);
    if (isGeneral(elaborat) && isGeneral(TTreeWidget::elaboratOf(&source))
        && !TTreeBookmark::cast(parent))
        copy->setTagText(source.tagText());
    return copy;
}

void TreeDrop::removeMoved(TTreeDokument &source)
{
    if (sameElaborat)
        elaborat->removeLeafAndPrune(&source);
}

void TreeDrop::removeMoved(TTreeBookmark &source)
{
    if (sameElaborat)
        elaborat->pruneBookmark(&source, true);
}

bool TreeDrop::takesFiles(QTreeWidgetItem *target) const
{
    if (!target)
        return isGeneral(view.currentElaborat());
    if (TreeItems::componentOf(target))
        return true;
    const TTreeElaborat *owner = TTreeWidget::elaboratOf(target);
    if (!isGeneral(owner))
        return false;
    QTreeWidgetItem *node = owner->sestavineItem();
    return target == node || TreeItems::isBelow(target, node);
}

void TreeDrop::dropFiles(QTreeWidgetItem *target, const QStringList &files)
{
    if (!takesFiles(target))
        return;
    if (target)
        view.setCurrentItem(target);
    else
        view.clearSelection();
    view.addChosenFiles(files);
}
