#include "elaboratsnapshot.h"

namespace {
// The documents of the elaborat PDF, or those of the REN PDF, in page order.
QVector<int> documentsOfPdf(const ElaboratSnapshot &snapshot, bool ren)
{
    const bool separate = separatesRenPages(snapshot);
    QVector<int> documents;
    for (int i = 0; i < snapshot.items.size(); ++i) {
        if (snapshot.items.at(i).kind == SnapshotKind::Document
            && (separate && isRenDocument(snapshot, i)) == ren)
            documents << i;
    }
    return documents;
}

} // namespace

bool hasProcedure(const ElaboratSnapshot &snapshot, const QString &id)
{
    return snapshot.procedureIds.contains(id);
}

QString attributeValue(const ElaboratSnapshot &snapshot, const QString &id)
{
    for (const SnapshotAttribute &attribute : snapshot.attributes) {
        if (attribute.id == id)
            return attribute.value;
    }
    return QString();
}

int documentPages(const SnapshotItem &document)
{
    return document.page != 0 ? 1 : document.pageCount;
}

QVector<int> childrenOf(const ElaboratSnapshot &snapshot, int index)
{
    QVector<int> children;
    // The subtree follows the item; the first item whose parent stands before the item ends it.
    for (int i = index + 1; i < snapshot.items.size(); ++i) {
        const int parent = snapshot.items.at(i).parent;
        if (parent < index)
            break;
        if (parent == index)
            children.append(i);
    }
    return children;
}

bool hasChildren(const ElaboratSnapshot &snapshot, int index)
{
    const int next = index + 1;
    return next < snapshot.items.size() && snapshot.items.at(next).parent == index;
}

int enclosingBookmark(const ElaboratSnapshot &snapshot, int index)
{
    int parent = snapshot.items.at(index).parent;
    if (parent >= 0 && snapshot.items.at(parent).kind == SnapshotKind::Subtitle)
        parent = snapshot.items.at(parent).parent;
    if (parent >= 0 && snapshot.items.at(parent).kind == SnapshotKind::Bookmark)
        return parent;
    return -1;
}

bool isBookmarkWithCode(const ElaboratSnapshot &snapshot, int index, const QString &code)
{
    if (index < 0)
        return false;
    const SnapshotItem &item = snapshot.items.at(index);
    return item.kind == SnapshotKind::Bookmark && item.code == code;
}

int findComponentByCode(const ElaboratSnapshot &snapshot, const QString &code)
{
    for (int i = 0; i < snapshot.items.size(); ++i) {
        if (snapshot.items.at(i).kind != SnapshotKind::Sestavine)
            continue;
        for (int child : childrenOf(snapshot, i)) {
            const SnapshotItem &item = snapshot.items.at(child);
            if (item.kind == SnapshotKind::Component && item.code == code)
                return child;
        }
        return -1;
    }
    return -1;
}

bool separatesRenPages(const ElaboratSnapshot &snapshot)
{
    return snapshot.isKs && !hasProcedure(snapshot, QStringLiteral("ks_vpis_vprasalnika"));
}

QVector<int> pdfDocuments(const ElaboratSnapshot &snapshot)
{
    return documentsOfPdf(snapshot, false);
}

QVector<int> renDocuments(const ElaboratSnapshot &snapshot)
{
    return documentsOfPdf(snapshot, true);
}

bool isRenBookmark(const ElaboratSnapshot &snapshot, int index)
{
    return isBookmarkWithCode(snapshot, index, QStringLiteral("110"));
}

bool isRenDocument(const ElaboratSnapshot &snapshot, int index)
{
    return isRenBookmark(snapshot, enclosingBookmark(snapshot, index));
}
