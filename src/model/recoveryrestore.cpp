#include "recoveryrestore.h"

#include "ttreebookmark.h"
#include "ttreedigitalnipodatek.h"
#include "ttreedokument.h"
#include "ttreeelaborat.h"
#include "ttreepodnaslov.h"
#include "ttreesestavina.h"

#include <QVector>

namespace {
// Puts the component of this name at `row` of the sestavine node.
QTreeWidgetItem *placeComponent(TTreeElaborat &elaborat, const QString &name, int row)
{
    TTreeSestavina *component = elaborat.findSestavinaByIme(name);
    if (!component)
        return nullptr;
    QTreeWidgetItem *sestavine = elaborat.sestavineItem();
    const int at = sestavine->indexOfChild(component);
    if (at != row && row < sestavine->childCount()) {
        sestavine->takeChild(at);
        sestavine->insertChild(row, component);
    }
    return component;
}

QTreeWidgetItem *makeDocument(const SnapshotItem &item, QTreeWidgetItem *parent)
{
    auto *document = new TTreeDokument(item.sourcePath, parent, item.page, item.rotation);
    if (item.filePath != item.sourcePath)
        document->setConvertedFile(item.filePath);
    document->setNameText(item.text);
    document->setTagText(item.tagLabel);
    return document;
}

QTreeWidgetItem *makeSubtitle(const SnapshotItem &item, QTreeWidgetItem *parent)
{
    auto *subtitle = new TTreePodnaslov(parent);
    subtitle->setNameText(item.text);
    subtitle->setTagText(item.tagLabel);
    return subtitle;
}

QTreeWidgetItem *makeItem(
    TTreeElaborat &elaborat, const SnapshotItem &item, QTreeWidgetItem *parent, int &components)
{
    switch (item.kind) {
    case SnapshotKind::Sestavine:
        return parent == &elaborat ? elaborat.sestavineItem() : nullptr;
    case SnapshotKind::Component:
        return parent == elaborat.sestavineItem()
            ? placeComponent(elaborat, item.text, components++)
            : nullptr;
    case SnapshotKind::Bookmark:
        return new TTreeBookmark(item.code, item.text, parent);
    case SnapshotKind::Document:
        return makeDocument(item, parent);
    case SnapshotKind::Subtitle:
        return makeSubtitle(item, parent);
    case SnapshotKind::DigitalData:
        return new TTreeDigitalniPodatek(item.filePath, parent);
    case SnapshotKind::Other:
        break;
    }
    return nullptr;
}
} // namespace

void rebuildFromRecord(TTreeElaborat &elaborat, const RecoveryRecord &record)
{
    elaborat.resume(record);
    const QVector<SnapshotItem> &items = record.tree.items;
    QVector<QTreeWidgetItem *> made(items.size(), nullptr);
    int components = 0;
    for (int i = 0; i < items.size(); ++i) {
        const int parent = items.at(i).parent;
        QTreeWidgetItem *under = parent < 0 ? &elaborat : made.at(parent);
        if (!under)
            continue;
        made[i] = makeItem(elaborat, items.at(i), under, components);
    }
    for (QTreeWidgetItem *item : made) {
        if (item && item->childCount() > 0)
            item->setExpanded(true);
    }
    for (const SnapshotAttribute &attribute : record.tree.attributes)
        elaborat.setAttribute(attribute.id, attribute.value);
    elaborat.markModified();
}
