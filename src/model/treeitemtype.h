#pragma once

#include <QTreeWidgetItem>

// The item types of an elaborat's tree. The plain auxiliary items (the "atributi" and
// "sestavine" nodes and the table's row) keep the toolkit's own type.
namespace TreeItemType {
enum : int
{
    Elaborat = QTreeWidgetItem::UserType + 1,
    Sestavina,
    Bookmark,
    Dokument,
    Podnaslov,
    DigitalniPodatek
};
} // namespace TreeItemType

// The item as the class T when it is of T's type; nullptr otherwise (and for nullptr).
template<class T> T *itemCast(QTreeWidgetItem *item)
{
    return item && item->type() == T::Type ? static_cast<T *>(item) : nullptr;
}

template<class T> const T *itemCast(const QTreeWidgetItem *item)
{
    return item && item->type() == T::Type ? static_cast<const T *>(item) : nullptr;
}
