#include "treeitems.h"

#include "treewalk.h"
#include "ttreebookmark.h"
#include "ttreedokument.h"
#include "ttreeelaborat.h"
#include "ttreepodnaslov.h"
#include "ttreesestavina.h"
#include "ttreewidget.h"

#include <QHash>
#include <QSet>
#include <QTreeWidget>
#include <algorithm>

namespace TreeItems {

bool isGeneral(const TTreeElaborat *elaborat)
{
    return elaborat && elaborat->hasPostopek(QStringLiteral("splosno"));
}

bool isDigitalData(const TTreeSestavina *component)
{
    return component && component->sifra() == QLatin1String("dp");
}

TTreeSestavina *componentOf(QTreeWidgetItem *item)
{
    for (; item; item = item->parent()) {
        if (TTreeSestavina *component = TTreeSestavina::cast(item))
            return component;
    }
    return nullptr;
}

TTreeBookmark *bookmarkOf(QTreeWidgetItem *item)
{
    if (!item)
        return nullptr;
    if (TTreeBookmark *bookmark = TTreeBookmark::cast(item))
        return bookmark;
    QTreeWidgetItem *parent = item->parent();
    if (TTreeBookmark *bookmark = TTreeBookmark::cast(parent))
        return bookmark;
    if (TTreePodnaslov::cast(parent))
        return TTreeBookmark::cast(parent->parent());
    return nullptr;
}

QString codeOf(QTreeWidgetItem *item)
{
    const TTreeBookmark *bookmark = bookmarkOf(item);
    return bookmark ? bookmark->sifra() : QString();
}

bool isBelow(const QTreeWidgetItem *item, const QTreeWidgetItem *ancestor)
{
    for (item = item ? item->parent() : nullptr; item; item = item->parent()) {
        if (item == ancestor)
            return true;
    }
    return false;
}

bool liesUnderFloorPlans(QTreeWidgetItem *leaf)
{
    if (!TTreeLeaf::cast(leaf))
        return false;
    const TTreeBookmark *bookmark = bookmarkOf(leaf);
    return bookmark && bookmark->sifra() == QLatin1String("104");
}

QList<TTreeDokument *> inPageOrder(const QList<TTreeDokument *> &documents)
{
    QHash<const TTreeDokument *, QPair<int, int>> position;
    QSet<const TTreeElaborat *> walked;
    for (const TTreeDokument *document : documents) {
        TTreeElaborat *elaborat = TTreeWidget::elaboratOf(document);
        if (!elaborat || walked.contains(elaborat))
            continue;
        walked.insert(elaborat);
        const QTreeWidget *view = elaborat->treeWidget();
        const int root = view ? view->indexOfTopLevelItem(elaborat) : -1;
        const QList<TTreeDokument *> walk = elaborat->documents();
        for (int i = 0; i < walk.size(); ++i)
            position.insert(walk.at(i), {root, i});
    }
    QList<TTreeDokument *> sorted = documents;
    std::stable_sort(
        sorted.begin(), sorted.end(), [&position](const TTreeDokument *a, const TTreeDokument *b) {
            return position.value(a) < position.value(b);
        });
    return sorted;
}

static void rebuildRowWidgets(QTreeWidgetItem *item)
{
    if (TTreeLeaf *leaf = TTreeLeaf::cast(item))
        leaf->rebuildRowWidget();
    forEachInWalk(item, [](QTreeWidgetItem *child) {
        if (TTreeLeaf *leaf = TTreeLeaf::cast(child))
            leaf->rebuildRowWidget();
    });
}

void moveItem(QTreeWidgetItem *item, QTreeWidgetItem *parent, int index)
{
    if (QTreeWidgetItem *oldParent = item->parent())
        oldParent->removeChild(item);
    parent->insertChild(qBound(0, index, parent->childCount()), item);
    rebuildRowWidgets(item);
}

void moveAfter(QTreeWidgetItem *item, QTreeWidgetItem *sibling)
{
    if (QTreeWidgetItem *oldParent = item->parent())
        oldParent->removeChild(item);
    QTreeWidgetItem *parent = sibling->parent();
    parent->insertChild(parent->indexOfChild(sibling) + 1, item);
    rebuildRowWidgets(item);
}

} // namespace TreeItems
