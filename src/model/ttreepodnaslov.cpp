#include "ttreepodnaslov.h"

#include "modelcolors.h"
#include "ttreeelaborat.h"
#include "ttreewidget.h"

TTreePodnaslov::TTreePodnaslov(QTreeWidgetItem *parent)
    : TTreeLeaf(parent, Type)
{
    if (TTreeElaborat *elaborat = TTreeWidget::currentElaboratOf(treeWidget()))
        elaborat->markModified();
    setFlags(flags() & ~Qt::ItemIsDragEnabled);
    removeMark = true;
    createRowWidget(true);
    setNameText(QStringLiteral("--nov podnaslov--"));
    setNameBold(true);
    setNameColor(ModelColors::subtitle);
}
