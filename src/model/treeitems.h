#pragma once

#include <QList>

class QTreeWidgetItem;
class TTreeBookmark;
class TTreeDokument;
class TTreeElaborat;
class TTreeSestavina;

// Where the items of an elaborat lie, and moving them.
namespace TreeItems {

// Whether the elaborat (nullptr: none) has the general procedure, whose documents hang under
// the sestavine node and carry their type in their tag label.
bool isGeneral(const TTreeElaborat *elaborat);
// Whether the component is the digital data component, whose files are of any type.
bool isDigitalData(const TTreeSestavina *component);

// The component that holds the item (the item itself when it is one); nullptr when the walk
// up reaches the elaborat's root first.
TTreeSestavina *componentOf(QTreeWidgetItem *item);
// The bookmark an item lies under: a bookmark itself, else its parent, else its grandparent
// through a subtitle; nullptr when there is none.
TTreeBookmark *bookmarkOf(QTreeWidgetItem *item);
// A document's code: the code of the bookmark it lies under; empty when there is none.
QString codeOf(QTreeWidgetItem *item);
// Whether `item` lies below `ancestor` (not the item itself).
bool isBelow(const QTreeWidgetItem *item, const QTreeWidgetItem *ancestor);
// Whether a leaf lies in a bookmark of floor plans ("104"), directly or through a subtitle.
bool liesUnderFloorPlans(QTreeWidgetItem *leaf);

// The documents in page order: by elaborat in the view's order, then by position in the
// elaborat's walk.
QList<TTreeDokument *> inPageOrder(const QList<TTreeDokument *> &documents);

// Moves the item itself to position `index` of `parent`; the row widgets of the leaves it
// carries, which the view drops with the row, are made again.
void moveItem(QTreeWidgetItem *item, QTreeWidgetItem *parent, int index);
// The same to just after `sibling`.
void moveAfter(QTreeWidgetItem *item, QTreeWidgetItem *sibling);

} // namespace TreeItems
