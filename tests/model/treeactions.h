#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

class QMenu;
class QMimeData;
class QTreeWidgetItem;
class TTreeWidget;

// What the tree tests do to the view as a user would: read menus, select, drag and drop, and
// answer the document-type dialog.
namespace TreeActions {

// The menu's entries in order: the text, " (off)" after a disabled one, "--" for a separator.
QStringList entries(const QMenu &menu);
// The item menu of a right click on `item` (nullptr: empty space) with the items selected as
// they are: the elaborat menu on a root.
QStringList menuAt(TTreeWidget &view, QTreeWidgetItem *item);
// The same after a right click selected the item (nothing on empty space).
QStringList menuOn(TTreeWidget &view, QTreeWidgetItem *item);

// The children of an item as they read: the text of an item, the name of a leaf followed by
// " [tag]" when it has a tag.
QStringList childrenOf(const QTreeWidgetItem *item);

// Exactly these items are selected.
void select(TTreeWidget &view, const QList<QTreeWidgetItem *> &items);

// The centre of the item's row, scrolled into view, in viewport coordinates.
QPoint centreOf(TTreeWidget &view, QTreeWidgetItem *item);
// A point of the viewport below the last item.
QPoint emptySpace(TTreeWidget &view);

// Drags the selected items by pressing the left button on `pressed` and drops them on
// `target` through the view's own drag events and mime data, then lets the view finish the
// drop; returns the drop action the view gave the drop, which the toolkit's own move would
// act on.
Qt::DropAction dragAndDrop(TTreeWidget &view, QTreeWidgetItem *pressed, QTreeWidgetItem *target);
// The same as a real drag does it: the drag loop takes the button's release, the view never
// sees it.
Qt::DropAction dragAndDropUnreleased(
    TTreeWidget &view, QTreeWidgetItem *pressed, QTreeWidgetItem *target);
// Drops files as the desktop's file manager does (local file URLs, copy or move offered) at
// `target` (nullptr: empty space); returns the action the view took, IgnoreAction when it
// refused them.
Qt::DropAction dropFiles(TTreeWidget &view, const QStringList &files, QTreeWidgetItem *target);
// Drops what another program drags (copy or move offered) at `target` (nullptr: empty
// space); the drop arrives only when the view accepted the drag as the drag system decides:
// the move starts accepted when the entry was. Returns the action the view took,
// IgnoreAction when it refused the drag.
Qt::DropAction dropMime(TTreeWidget &view, const QMimeData &mime, QTreeWidgetItem *target);

// Answers for the document-type dialog: type every row as `code` (clicking the type in the
// tree shown) and accept; accept as the dialog was set up; cancel.
std::function<int(QDialog *)> typeAs(const QString &code);
std::function<int(QDialog *)> acceptTypes();
std::function<int(QDialog *)> cancel();

} // namespace TreeActions
