#pragma once

#include "treeitemtype.h"
#include "ttreeleaf.h"

// A subtitle row inside a bookmark, holding the pages of a split document; the user renames it.
class TTreePodnaslov : public TTreeLeaf
{
public:
    static constexpr int Type = TreeItemType::Podnaslov;

    // Becomes the last child of `parent` with the name "--nov podnaslov--", bold and blue, and
    // marks the view's current elaborat modified.
    explicit TTreePodnaslov(QTreeWidgetItem *parent);
    ~TTreePodnaslov() override = default;

    static TTreePodnaslov *cast(QTreeWidgetItem *item) { return itemCast<TTreePodnaslov>(item); }
};
