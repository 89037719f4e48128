#pragma once

#include <QColor>
#include <QLabel>
#include <QPointer>
#include <QTreeWidgetItem>

// An item whose column 0 shows a row widget: a name label and, right of it, a tag label (a
// document's floor number in a building-cadastre elaborat, its type in an elaborat with the
// general procedure). The texts, the name's colour and boldness belong to the leaf; the labels
// only show them, so they survive the view dropping the row widget of an item taken out of the
// tree. Set them through the leaf, not on the labels.
class TTreeLeaf : public QTreeWidgetItem
{
public:
    // Becomes the last child of `parent`. The derived classes create the row widget.
    TTreeLeaf(QTreeWidgetItem *parent, int type);
    ~TTreeLeaf() override;

    // The item as a leaf (a document or a subtitle), or nullptr.
    static TTreeLeaf *cast(QTreeWidgetItem *item);
    static const TTreeLeaf *cast(const QTreeWidgetItem *item);

    QString nameText() const { return name; }
    void setNameText(const QString &text);
    QString tagText() const { return tag; }
    void setTagText(const QString &text);
    // The name's text colour; invalid for the style's default.
    QColor nameColor() const { return color; }
    void setNameColor(const QColor &color);
    bool nameBold() const { return bold; }
    void setNameBold(bool bold);

    // The row widget and its labels; null before the row widget exists and after the view
    // dropped it.
    QWidget *container() const { return rowWidget; }
    QLabel *nameLabel() const { return nameWidget; }
    QLabel *tagLabel() const { return tagWidget; }

    // Creates a new row widget with both labels empty (the texts are cleared); with `refresh`
    // it is installed in the view at once (rebuildRowWidget).
    void createRowWidget(bool refresh);
    // After the leaf was moved, the view has dropped its row widget: makes a new one with the
    // leaf's texts and style and installs it. A row widget not installed yet is just installed.
    void rebuildRowWidget();

    // The move command deletes the leaves that carry this mark after a move.
    bool removeMark = false;

private:
    void install();
    void applyNameStyle();
    void updateAccessibleText();

    QString name;
    QString tag;
    QColor color;
    bool bold = false;
    QPointer<QWidget> rowWidget;
    QPointer<QLabel> nameWidget;
    QPointer<QLabel> tagWidget;
};
