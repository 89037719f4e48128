#include "treewalk.h"

void forEachInWalk(const QTreeWidgetItem *root, const std::function<void(QTreeWidgetItem *)> &visit)
{
    // The tree is a few levels deep; the recursion stays shallow however many items it has.
    const int count = root->childCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *child = root->child(i);
        visit(child);
        forEachInWalk(child, visit);
    }
}

QList<QTreeWidgetItem *> walkItems(const QTreeWidgetItem *root)
{
    QList<QTreeWidgetItem *> items;
    forEachInWalk(root, [&items](QTreeWidgetItem *item) { items.append(item); });
    return items;
}
