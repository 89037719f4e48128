#pragma once

#include "model/elaboratsnapshot.h"

// Builds an elaborat snapshot item by item in walk order, as the tree items will copy it.
// Every add returns the new item's index; a parent must lie on the path to the last item.
class SnapshotBuilder
{
public:
    explicit SnapshotBuilder(bool isKs = false);

    void procedure(const QString &id, const QString &name = QString());
    void attribute(const QString &id, const QString &value);

    // The sestavine node, made by the constructor.
    int sestavine() const { return sestavineIndex; }
    int component(const QString &code, const QString &name = QString());
    int bookmark(int parent, const QString &code, const QString &title);
    // A bookmark whose column-0 text is `text` as it stands.
    int bookmarkText(int parent, const QString &code, const QString &text);
    int document(int parent, const QString &path, int page = 0, int pageCount = 1, int rotation = 0,
        const QString &tagLabel = QString());
    int subtitle(int parent);

    ElaboratSnapshot snapshot;

private:
    int add(SnapshotKind kind, int parent);

    int sestavineIndex;
};
