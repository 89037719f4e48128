#include "dlgstevilkaetaze.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>

DlgStevilkaEtaze::DlgStevilkaEtaze(QWidget *parent)
    : QDialog(parent)
    , spinBox(new QSpinBox(this))
    , buttonBox(
          new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this))
{
    setObjectName(QStringLiteral("DlgStevilkaEtaze"));
    setWindowTitle(QStringLiteral("Številka etaže"));
    spinBox->setObjectName(QStringLiteral("spinBox"));
    spinBox->setMinimum(1);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(spinBox);
    layout->addWidget(buttonBox);
    spinBox->setFocus();
    spinBox->selectAll();
}
