#include "ttreewidget.h"

#include "app/mainwindow.h"
#include "tabelaatributov.h"
#include "ttreeelaborat.h"

TTreeWidget::TTreeWidget(QWidget *parent)
    : QTreeWidget(parent)
{
    connect(this, &QTreeWidget::itemSelectionChanged, this, &TTreeWidget::onItemSelectionChanged);
}

TTreeWidget::~TTreeWidget()
{
    // The items go while the view is still whole: their destructors call back into it.
    clear();
}

void TTreeWidget::setCurrentElaborat(TTreeElaborat *elaborat, bool clearCurrentItem)
{
    if (elaborat == current)
        return;
    if (current) {
        setRootWeight(current, QFont::Normal);
        if (TabelaAtributov *table = current->tabela()) {
            table->clearSelection();
            table->setCurrentItem(nullptr);
        }
    }
    if (clearCurrentItem)
        setCurrentItem(nullptr);
    current = elaborat;
    if (mainWindow)
        mainWindow->updateActions();
    if (current)
        setRootWeight(current, QFont::Bold);
}

TTreeElaborat *TTreeWidget::elaboratOf(const QTreeWidgetItem *item)
{
    if (!item)
        return nullptr;
    while (item->parent())
        item = item->parent();
    return TTreeElaborat::cast(const_cast<QTreeWidgetItem *>(item));
}

TTreeElaborat *TTreeWidget::currentElaboratOf(const QTreeWidget *view)
{
    const auto *tree = qobject_cast<const TTreeWidget *>(view);
    return tree ? tree->currentElaborat() : nullptr;
}

void TTreeWidget::forgetElaborat(const TTreeElaborat *elaborat)
{
    if (current == elaborat)
        current = nullptr;
}

void TTreeWidget::onItemSelectionChanged()
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    if (selected.isEmpty())
        return;
    if (TTreeElaborat *elaborat = elaboratOf(selected.first()))
        setCurrentElaborat(elaborat, false);
}

void TTreeWidget::rowsInserted(const QModelIndex &parent, int start, int end)
{
    inserting = true;
    QTreeWidget::rowsInserted(parent, start, end);
    inserting = false;
}

void TTreeWidget::updateEditorGeometries()
{
    // Every inserted row would place all row widgets again, laying out the whole tree first:
    // building an elaborat of n documents would take n^2 steps. One placing after the
    // insertions is enough.
    if (!inserting) {
        QTreeWidget::updateEditorGeometries();
        return;
    }
    if (editorUpdatePending)
        return;
    editorUpdatePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            editorUpdatePending = false;
            QTreeWidget::updateEditorGeometries();
        },
        Qt::QueuedConnection);
}

void TTreeWidget::setRootWeight(TTreeElaborat *elaborat, QFont::Weight weight)
{
    QFont font = elaborat->font(0);
    font.setWeight(weight);
    elaborat->setFont(0, font);
}
