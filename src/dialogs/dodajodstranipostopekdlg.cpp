#include "dodajodstranipostopekdlg.h"

#include "catalog/postopekdef.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

DodajOdstraniPostopekDlg::DodajOdstraniPostopekDlg(QWidget *parent)
    : QDialog(parent)
{
    buildForm();
    setWindowTitle(QStringLiteral("Dodajanje postopka v elaborat"));
    QMetaObject::connectSlotsByName(this);
}

void DodajOdstraniPostopekDlg::buildForm()
{
    auto make = [this](auto *widget, const char *name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    label = make(
        new QLabel(QStringLiteral("V elaborat lahko dodate naslednje postopke:"), this), "label");
    l_mozni = make(new QListWidget(this), "l_mozni");
    b_1_l2d = make(new QPushButton(QStringLiteral(">"), this), "b_1_l2d");
    b_1_d2l = make(new QPushButton(QStringLiteral("<"), this), "b_1_d2l");
    label_2 = make(new QLabel(QStringLiteral("Postopki v elaboratu:"), this), "label_2");
    l_dodani = make(new QListWidget(this), "l_dodani");
    buttonBox = make(
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this), "buttonBox");
    buttonBox->setCenterButtons(true);
    for (QListWidget *list : {l_mozni, l_dodani})
        list->setSelectionMode(QAbstractItemView::MultiSelection);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(b_1_l2d);
    buttons->addWidget(b_1_d2l);
    buttons->addStretch();
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(5, 5, 5, 5);
    grid->addWidget(label, 0, 0);
    grid->addWidget(label_2, 0, 2);
    grid->addWidget(l_mozni, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(l_dodani, 1, 2);
    grid->addWidget(buttonBox, 2, 0, 1, 3);
}

void DodajOdstraniPostopekDlg::fill(const QList<const PostopekDef *> &elaboratProcedures,
    const QList<const PostopekDef *> &candidates)
{
    for (const PostopekDef *candidate : candidates) {
        if (candidate->id == QLatin1String("splosno"))
            continue;
        QListWidget *list = elaboratProcedures.contains(candidate) ? l_dodani : l_mozni;
        list->addItem(candidate->ime);
    }
}

QStringList DodajOdstraniPostopekDlg::chosenNames() const
{
    QStringList names;
    for (int row = 0; row < l_dodani->count(); ++row)
        names << l_dodani->item(row)->text();
    return names;
}

void DodajOdstraniPostopekDlg::on_b_1_l2d_clicked()
{
    moveSelected(l_mozni, l_dodani);
}

void DodajOdstraniPostopekDlg::on_b_1_d2l_clicked()
{
    moveSelected(l_dodani, l_mozni);
}

void DodajOdstraniPostopekDlg::moveSelected(QListWidget *from, QListWidget *to)
{
    const QList<QListWidgetItem *> selected = from->selectedItems();
    for (auto it = selected.crbegin(); it != selected.crend(); ++it) {
        to->addItem((*it)->text());
        delete *it;
    }
}
