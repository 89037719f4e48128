#include "snapshotbuilder.h"

SnapshotBuilder::SnapshotBuilder(bool isKs)
{
    snapshot.isKs = isKs;
    snapshot.version = QStringLiteral("2.4.5");
    const int atributi = add(SnapshotKind::Other, -1);
    add(SnapshotKind::Other, atributi);
    sestavineIndex = add(SnapshotKind::Sestavine, -1);
    snapshot.items[sestavineIndex].text = QStringLiteral("sestavine");
}

void SnapshotBuilder::procedure(const QString &id, const QString &name)
{
    snapshot.procedureIds << id;
    snapshot.procedureNames << (name.isEmpty() ? id : name);
}

void SnapshotBuilder::attribute(const QString &id, const QString &value)
{
    snapshot.attributes.append({id, id, value});
}

int SnapshotBuilder::component(const QString &code, const QString &name)
{
    const int index = add(SnapshotKind::Component, sestavineIndex);
    snapshot.items[index].code = code;
    snapshot.items[index].text = name.isEmpty() ? code : name;
    return index;
}

int SnapshotBuilder::bookmark(int parent, const QString &code, const QString &title)
{
    return bookmarkText(parent, code, code + QLatin1Char(' ') + title);
}

int SnapshotBuilder::bookmarkText(int parent, const QString &code, const QString &text)
{
    const int index = add(SnapshotKind::Bookmark, parent);
    snapshot.items[index].code = code;
    snapshot.items[index].text = text;
    return index;
}

int SnapshotBuilder::document(
    int parent, const QString &path, int page, int pageCount, int rotation, const QString &tagLabel)
{
    const int index = add(SnapshotKind::Document, parent);
    SnapshotItem &item = snapshot.items[index];
    item.filePath = path;
    item.page = page;
    item.pageCount = pageCount;
    item.rotation = rotation;
    item.tagLabel = tagLabel;
    return index;
}

int SnapshotBuilder::subtitle(int parent)
{
    const int index = add(SnapshotKind::Subtitle, parent);
    snapshot.items[index].text = QStringLiteral("--nov podnaslov--");
    return index;
}

int SnapshotBuilder::add(SnapshotKind kind, int parent)
{
    int onPath = snapshot.items.isEmpty() ? -1 : snapshot.items.size() - 1;
    while (onPath != parent && onPath >= 0)
        onPath = snapshot.items.at(onPath).parent;
    if (onPath != parent)
        qFatal("SnapshotBuilder: item %d is not on the walk's current path", parent);
    SnapshotItem item;
    item.kind = kind;
    item.parent = parent;
    snapshot.items.append(item);
    return snapshot.items.size() - 1;
}
