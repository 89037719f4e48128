#include "ttreeleaf.h"

#include "treeitemtype.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTreeWidget>

TTreeLeaf::TTreeLeaf(QTreeWidgetItem *parent, int type)
    : QTreeWidgetItem(parent, type)
{ }

TTreeLeaf::~TTreeLeaf()
{
    // An installed row widget belongs to the view, which deletes it with the row.
    if (rowWidget && !rowWidget->parentWidget())
        delete rowWidget;
}

TTreeLeaf *TTreeLeaf::cast(QTreeWidgetItem *item)
{
    const bool leaf = item
        && (item->type() == TreeItemType::Dokument || item->type() == TreeItemType::Podnaslov);
    return leaf ? static_cast<TTreeLeaf *>(item) : nullptr;
}

const TTreeLeaf *TTreeLeaf::cast(const QTreeWidgetItem *item)
{
    return cast(const_cast<QTreeWidgetItem *>(item));
}

void TTreeLeaf::setNameText(const QString &text)
{
    name = text;
    if (nameWidget)
        nameWidget->setText(text);
    updateAccessibleText();
}

void TTreeLeaf::setTagText(const QString &text)
{
    tag = text;
    if (tagWidget)
        tagWidget->setText(text);
    updateAccessibleText();
}

// The row widget is no part of the view's accessible tree: the item itself says what it shows.
void TTreeLeaf::updateAccessibleText()
{
    const QString text = tag.isEmpty() ? name : name + QLatin1Char(' ') + tag;
    setData(0, Qt::AccessibleTextRole, text);
    if (rowWidget)
        rowWidget->setAccessibleName(text);
}

void TTreeLeaf::setNameColor(const QColor &newColor)
{
    color = newColor;
    applyNameStyle();
}

void TTreeLeaf::setNameBold(bool newBold)
{
    bold = newBold;
    applyNameStyle();
}

void TTreeLeaf::createRowWidget(bool refresh)
{
    if (rowWidget && !rowWidget->parentWidget())
        delete rowWidget;
    name.clear();
    tag.clear();
    rowWidget = new QWidget;
    auto *layout = new QHBoxLayout(rowWidget);
    layout->setContentsMargins(0, 0, 0, 0);
    nameWidget = new QLabel(rowWidget);
    tagWidget = new QLabel(rowWidget);
    layout->addWidget(nameWidget);
    layout->addWidget(tagWidget);
    applyNameStyle();
    if (refresh)
        rebuildRowWidget();
}

void TTreeLeaf::rebuildRowWidget()
{
    if (!rowWidget || rowWidget->parentWidget()) {
        const QString oldName = name;
        const QString oldTag = tag;
        // Installing the new widget makes the view delete the old one, if it still has it.
        createRowWidget(false);
        setNameText(oldName);
        setTagText(oldTag);
    }
    install();
}

void TTreeLeaf::install()
{
    if (QTreeWidget *view = treeWidget())
        view->setItemWidget(this, 0, rowWidget);
}

void TTreeLeaf::applyNameStyle()
{
    if (!nameWidget)
        return;
    if (color.isValid()) {
        QPalette palette = nameWidget->palette();
        // In the view the label takes the viewport's roles and paints with Text, elsewhere
        // with WindowText.
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
            palette.setColor(role, color);
        nameWidget->setPalette(palette);
    }
    if (bold != nameWidget->font().bold()) {
        QFont font = nameWidget->font();
        font.setBold(bold);
        nameWidget->setFont(font);
    }
}
