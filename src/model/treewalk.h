#pragma once

#include <QTreeWidgetItem>
#include <functional>

// The walk over an elaborat: its items in page order, that is the pre-order of the root's
// subtree, which ends where the next top-level item begins.

// Calls `visit` for every item below `root` in pre-order; the root itself is not visited.
// `visit` must not add or remove items.
void forEachInWalk(
    const QTreeWidgetItem *root, const std::function<void(QTreeWidgetItem *)> &visit);

// The items below `root` in pre-order, for callers that change the tree while they go.
QList<QTreeWidgetItem *> walkItems(const QTreeWidgetItem *root);
