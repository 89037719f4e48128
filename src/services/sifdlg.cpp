#include "sifdlg.h"

#include "tcombobox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QRegularExpression>

SifDlg::SifDlg(const QList<CodeName> &list, const QString &title, const QString &codeCaption,
    const QString &nameCaption, QWidget *parent)
    : QDialog(parent)
    , entries(list)
{
    buildForm(codeCaption, nameCaption);
    setWindowTitle(title);
    fillBoxes();
    QMetaObject::connectSlotsByName(this);
}

void SifDlg::buildForm(const QString &codeCaption, const QString &nameCaption)
{
    lbl1 = new QLabel(codeCaption, this);
    lbl1->setObjectName(QStringLiteral("lbl1"));
    lbl2 = new QLabel(nameCaption, this);
    lbl2->setObjectName(QStringLiteral("lbl2"));
    cb1 = new TComboBox(this);
    cb1->setObjectName(QStringLiteral("cb1"));
    cb2 = new TComboBox(this);
    cb2->setObjectName(QStringLiteral("cb2"));
    for (TComboBox *box : {cb1, cb2}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMinimumContentsLength(8);
    }
    cb2->setMinimumContentsLength(30);
    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(lbl1, 0, 0);
    layout->addWidget(lbl2, 0, 1);
    layout->addWidget(cb1, 1, 0);
    layout->addWidget(cb2, 1, 1);
    layout->addWidget(buttonBox, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
}

void SifDlg::fillBoxes()
{
    for (const CodeName &entry : entries) {
        cb1->addItem(entry.code);
        cb2->addItem(entry.name);
    }
    cb1->setCurrentIndex(-1);
    cb2->setCurrentIndex(-1);
}

void SifDlg::follow(TComboBox *typed, TComboBox *other, const QString &text)
{
    if (!typed->hasFocus())
        return;
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(text),
        QRegularExpression::CaseInsensitiveOption);
    for (int i = 0; i < typed->count(); ++i) {
        if (pattern.match(typed->itemText(i)).hasMatch()) {
            typed->setCurrentIndex(i);
            other->setCurrentIndex(i);
            return;
        }
    }
    other->setCurrentIndex(-1);
}

void SifDlg::on_cb1_editTextChanged(const QString &text)
{
    follow(cb1, cb2, text);
}

void SifDlg::on_cb2_editTextChanged(const QString &text)
{
    follow(cb2, cb1, text);
}

void SifDlg::selectExact(TComboBox *box)
{
    box->setCurrentIndex(
        box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void SifDlg::on_buttonBox_accepted()
{
    selectExact(cb1);
    selectExact(cb2);
    const int index = cb1->currentIndex();
    const QString code = index < 0 ? QString() : cb1->itemText(index);
    const QString name = index < 0 ? QString() : cb2->itemText(index);
    if (!code.isEmpty() && !name.isEmpty()) {
        chosen = code + QLatin1Char(' ') + name;
        done(Accepted);
    } else {
        done(Rejected);
    }
}
