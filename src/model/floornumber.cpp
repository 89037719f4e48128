#include "floornumber.h"

#include "dlgstevilkaetaze.h"
#include "platform/prompter.h"
#include "treeitems.h"
#include "ttreedokument.h"
#include "ttreeelaborat.h"
#include "ttreewidget.h"

#include <QSpinBox>

void setFloorNumber(TTreeWidget &view, TTreeLeaf *clicked)
{
    if (!clicked)
        return;
    DlgStevilkaEtaze dialog;
    // A label that is no number counts 0, which the spin box shows as its minimum.
    dialog.spinBox->setValue(clicked->tagText().toInt());
    dialog.spinBox->selectAll();
    if (Prompter::current().exec(&dialog) != QDialog::Accepted)
        return;
    const QString floor = QString::number(dialog.spinBox->value());
    const QList<QTreeWidgetItem *> selected = view.selectedItems();
    for (QTreeWidgetItem *item : selected) {
        TTreeDokument *document = TTreeDokument::cast(item);
        if (document && TreeItems::liesUnderFloorPlans(document))
            document->setTagText(floor);
    }
    if (TTreeElaborat *current = view.currentElaborat())
        current->markModified();
}
