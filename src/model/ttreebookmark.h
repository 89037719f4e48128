#pragma once

#include "treeitemtype.h"

#include <QList>
#include <QTreeWidgetItem>

class SifrantDlg;
class TTreeDokument;
class TTreeLeaf;

// A bookmark of the produced PDF: the documents of one document type in a component, shown as
// the code and its title, bold and green.
class TTreeBookmark : public QTreeWidgetItem
{
public:
    static constexpr int Type = TreeItemType::Bookmark;

    // Becomes the last child of `parent` and marks the view's current elaborat modified.
    TTreeBookmark(const QString &code, const QString &text, QTreeWidgetItem *parent);
    ~TTreeBookmark() override = default;

    static TTreeBookmark *cast(QTreeWidgetItem *item) { return itemCast<TTreeBookmark>(item); }

    // The bookmark for a document type in `parent`. An empty code under a component with a
    // default type ("bookmark" attribute) takes that type, with the code, a blank and the title
    // that `codes` gives it as text. Makes nothing (nullptr) when the code or the text is still
    // empty.
    static TTreeBookmark *create(
        QString code, QString text, QTreeWidgetItem *parent, const SifrantDlg &codes);

    // The document-type code.
    QString sifra() const { return code; }

    // With `directOnly` the leaves among the direct children; otherwise also the leaves of
    // the subtitles below, in tree order.
    QList<TTreeLeaf *> leaves(bool directOnly) const;
    // The same for documents only.
    QList<TTreeDokument *> dokumenti(bool directOnly) const;
    // The largest floor number of the direct leaves (labels that are no number count 0), plus
    // 1; 1 when there are none.
    int nextFloor() const;
    // Whether a direct leaf has a non-empty tag label whose number is `floor`.
    bool hasFloor(int floor) const;

private:
    QString code;
};
