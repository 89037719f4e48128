#include "novpostopekdlg.h"

#include "catalog/postopekdef.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QString generalId = QStringLiteral("splosno");
} // namespace

NovPostopekDlg::NovPostopekDlg(
    const QList<const PostopekDef *> &procedures, int initialTab, QWidget *parent)
    : QDialog(parent)
    , procedures(procedures)
{
    buildForm();
    tabWidget->setCurrentIndex(initialTab);
    buttonBox->button(QDialogButtonBox::Ok)->setEnabled(false);
    setWindowTitle(QStringLiteral("Izberite vsaj en postopek novega elaborata"));
    fillLists();
    QMetaObject::connectSlotsByName(this);
}

void NovPostopekDlg::buildForm()
{
    resize(436, 300);
    tabWidget = new QTabWidget(this);
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    tab = new QWidget;
    tab->setObjectName(QStringLiteral("tab"));
    tab_2 = new QWidget;
    tab_2->setObjectName(QStringLiteral("tab_2"));
    listWidget = addList(tab, "listWidget");
    listWidget_2 = addList(tab_2, "listWidget_2");
    tabWidget->addTab(tab, QStringLiteral("Zemljiški kataster"));
    tabWidget->addTab(tab_2, QStringLiteral("Kataster stavb"));
    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabWidget);
    layout->addWidget(buttonBox);
}

QListWidget *NovPostopekDlg::addList(QWidget *page, const char *name)
{
    auto *list = new QListWidget(page);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(list);
    return list;
}

void NovPostopekDlg::fillLists()
{
    for (int index = 0; index < procedures.size(); ++index) {
        const PostopekDef *procedure = procedures.at(index);
        const bool ks = procedure->kind == Kataster::KS;
        QListWidget *list = ks ? listWidget_2 : listWidget;
        auto *entry = new QListWidgetItem(procedure->ime, list);
        entry->setData(Qt::UserRole, index);
        if (procedure->id == generalId)
            (ks ? generalRowKs : generalRowZk) = list->row(entry);
    }
}

QList<int> NovPostopekDlg::selectedIndices() const
{
    const QListWidget *list = currentList();
    QList<int> indices;
    for (int row : chosenRows(list))
        indices << list->item(row)->data(Qt::UserRole).toInt();
    return indices;
}

QList<int> NovPostopekDlg::chosenRows(const QListWidget *list) const
{
    const QVector<bool> &chosen = list == listWidget_2 ? chosenKs : chosenZk;
    QList<int> rows;
    for (int row = 0; row < chosen.size(); ++row) {
        if (chosen.at(row))
            rows << row;
    }
    return rows;
}

void NovPostopekDlg::rememberSelection(const QListWidget *list)
{
    // The toolkit no longer counts an entry as selected once the general procedure made it
    // unselectable, yet it stays chosen: greyed entries keep what they had.
    QVector<bool> &chosen = list == listWidget_2 ? chosenKs : chosenZk;
    chosen.resize(list->count());
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem *entry = list->item(row);
        if (entry->flags() & Qt::ItemIsSelectable)
            chosen[row] = entry->isSelected();
    }
}

QListWidget *NovPostopekDlg::currentList() const
{
    return tabWidget->currentIndex() == 1 ? listWidget_2 : listWidget;
}

void NovPostopekDlg::updateOkButton()
{
    buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!chosenRows(currentList()).isEmpty());
}

void NovPostopekDlg::applyGeneralRule(QListWidget *list, int generalRow, QListWidgetItem *pressed)
{
    const PostopekDef *procedure = procedures.value(pressed->data(Qt::UserRole).toInt());
    if (!procedure || procedure->id != generalId)
        return;
    const Qt::ItemFlags choosable = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const bool exclusive = pressed->isSelected();
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *entry = list->item(row);
        if (!exclusive)
            entry->setFlags(entry->flags() | choosable);
        else if (row != generalRow)
            entry->setFlags(entry->flags() & ~choosable);
    }
}

void NovPostopekDlg::on_listWidget_itemSelectionChanged()
{
    rememberSelection(listWidget);
    updateOkButton();
}

void NovPostopekDlg::on_listWidget_2_itemSelectionChanged()
{
    rememberSelection(listWidget_2);
    updateOkButton();
}

void NovPostopekDlg::on_tabWidget_currentChanged(int)
{
    updateOkButton();
}

void NovPostopekDlg::on_listWidget_itemPressed(QListWidgetItem *item)
{
    applyGeneralRule(listWidget, generalRowZk, item);
    updateOkButton();
}

void NovPostopekDlg::on_listWidget_2_itemPressed(QListWidgetItem *item)
{
    applyGeneralRule(listWidget_2, generalRowKs, item);
    updateOkButton();
}
