#pragma once

#include <QStringList>

class QTreeWidgetItem;
class SifrantDlg;
class TTreeBookmark;
class TTreeDokument;
class TTreeElaborat;
class TTreeSestavina;
class TTreeWidget;

// A drop on the tree view: documents and bookmarks dragged within an elaborat move, dragged
// into another elaborat they are copied; files from the desktop are added to the target.
class TreeDrop
{
public:
    explicit TreeDrop(TTreeWidget &view);

    // Drops the dragged item onto `target` as the selection says: the one selected item is
    // moved onto the target, several selected documents are moved in page order, the first
    // onto the target and each further one behind the one before. The target is expanded and
    // made current. Nothing happens onto a missing target, one that takes no drops, a selected
    // one or one that the dragged item holds.
    void drop(QTreeWidgetItem *target, QTreeWidgetItem *dragged);

    // Whether files from the desktop may be dropped on `target` (nullptr: empty space): a
    // component, an item in one, or, with the general procedure, the sestavine node and what
    // is below it, and empty space.
    bool takesFiles(QTreeWidgetItem *target) const;
    // Adds the files to the target as the add command adds chosen files; the target becomes
    // the selection.
    void dropFiles(QTreeWidgetItem *target, const QStringList &files);

private:
    QTreeWidgetItem *moveOnto(QTreeWidgetItem *source, QTreeWidgetItem *target);
    TTreeDokument *placeBehind(TTreeDokument &source, TTreeDokument &previous);
    void startMove(QTreeWidgetItem *source, QTreeWidgetItem *target);
    TTreeDokument *moveDocument(TTreeDokument &source, QTreeWidgetItem *target);
    QTreeWidgetItem *moveBookmark(TTreeBookmark &source, QTreeWidgetItem *target);
    void moveSelectedDocuments(QTreeWidgetItem *target);

    TTreeDokument *documentIntoComponent(TTreeDokument &source, TTreeSestavina &component);
    TTreeBookmark *bookmarkForDocument(TTreeDokument &source, TTreeSestavina &component);
    TTreeDokument *documentIntoBookmark(TTreeDokument &source, TTreeBookmark &bookmark);
    TTreeDokument *documentAfter(TTreeDokument &source, TTreeDokument &previous);
    TTreeDokument *documentIntoSestavine(TTreeDokument &source);

    TTreeBookmark *bookmarkIntoComponent(TTreeBookmark &source, TTreeSestavina &component);
    TTreeBookmark *bookmarkIntoBookmark(TTreeBookmark &source, TTreeBookmark &target);
    TTreeDokument *bookmarkNextTo(TTreeBookmark &source, TTreeDokument &document);
    QTreeWidgetItem *bookmarkIntoSestavine(TTreeBookmark &source);

    TTreeDokument *copyOf(const TTreeDokument &source, QTreeWidgetItem *parent) const;
    void removeMoved(TTreeDokument &source);
    void removeMoved(TTreeBookmark &source);

    TTreeWidget &view;
    SifrantDlg *codes;
    // Of the move under way: the target's elaborat and whether the source lies in it.
    TTreeElaborat *elaborat = nullptr;
    bool sameElaborat = false;
};
