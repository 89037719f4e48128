#include "sifrantdlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {
const int codeRole = Qt::UserRole + 1;

template<typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
} // namespace

SifrantDlg::SifrantDlg(QWidget *parent)
    : QDialog(parent)
{
    buildForm();
    QMetaObject::connectSlotsByName(this);
}

void SifrantDlg::buildForm()
{
    setObjectName(QStringLiteral("SifrantDlg"));
    setWindowTitle(tr("Dolocitev vrste dokumenta"));
    resize(1000, 650);

    splitter = named(new QSplitter(Qt::Vertical), "splitter");
    tableWidget = named(new QTableWidget, "tableWidget");
    splitter->addWidget(tableWidget);
    splitter->addWidget(buildPreviewPart());
    setUpTable();

    splitter_2 = named(new QSplitter(Qt::Horizontal), "splitter_2");
    splitter_2->addWidget(splitter);
    splitter_2->addWidget(buildTreePart());
    splitter_2->setStretchFactor(0, 3);
    splitter_2->setStretchFactor(1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter_2);
}

QWidget *SifrantDlg::buildPreviewPart()
{
    auto *part = new QWidget;
    auto *layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    progressBar = named(new QProgressBar, "progressBar");
    progressBar->setRange(0, 0);
    progressBar->hide();
    layout->addWidget(progressBar);
    layout->addWidget(buildPageRow());
    scrollArea = named(new QScrollArea, "scrollArea");
    scrollArea->setWidgetResizable(true);
    layout->addWidget(scrollArea, 1);
    return part;
}

QWidget *SifrantDlg::buildPageRow()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    pageLabel = named(new QLabel(tr("Stran:")), "pageLabel");
    pageSpinBox = named(new QSpinBox, "pageSpinBox");
    pageSpinBox->setEnabled(false);
    label_2 = named(new QLabel(QStringLiteral("/")), "label_2");
    l_npages = named(new QLabel(QStringLiteral("0")), "l_npages");
    label = named(new QLabel(tr("Povečava:")), "label");
    scaleComboBox = named(new QComboBox, "scaleComboBox");
    scaleComboBox->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"),
        QStringLiteral("100%"), QStringLiteral("125%"), QStringLiteral("150%"),
        QStringLiteral("200%"), QStringLiteral("300%"), QStringLiteral("400%")});
    scaleComboBox->setCurrentIndex(3);
    layout->addWidget(pageLabel);
    layout->addWidget(pageSpinBox);
    layout->addWidget(label_2);
    layout->addWidget(l_npages);
    layout->addStretch(1);
    layout->addWidget(label);
    layout->addWidget(scaleComboBox);
    return row;
}

QWidget *SifrantDlg::buildTreePart()
{
    auto *part = new QWidget;
    auto *layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    treeWidget = buildCodeTree(QStringLiteral("treeWidget"));
    kstreeWidget = buildCodeTree(QStringLiteral("kstreeWidget"));
    layout->addWidget(treeWidget);
    layout->addWidget(kstreeWidget);
    buttonBox
        = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "buttonBox");
    buttonBox->setCenterButtons(true);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttonBox);
    return part;
}

void SifrantDlg::setUpTable()
{
    tableWidget->setColumnCount(2);
    tableWidget->setHorizontalHeaderLabels({tr("Datoteka"), tr("Vrsta dokumenta")});
    tableWidget->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tableWidget->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tableWidget->verticalHeader()->setDefaultSectionSize(tableWidget->fontMetrics().height() + 8);
    tableWidget->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

QTreeWidget *SifrantDlg::buildCodeTree(const QString &name)
{
    auto *tree = new QTreeWidget;
    tree->setObjectName(name);
    tree->setColumnCount(2);
    tree->setAlternatingRowColors(true);
    tree->setHeaderHidden(true);
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    return tree;
}

QTreeWidget *SifrantDlg::codeTree(bool isKs) const
{
    return isKs ? kstreeWidget : treeWidget;
}

void SifrantDlg::setKindSource(std::function<bool()> isKs)
{
    kindSource = std::move(isKs);
}

bool SifrantDlg::currentIsKs() const
{
    return kindSource && kindSource();
}

QTreeWidgetItem *SifrantDlg::findType(const QString &code) const
{
    for (QTreeWidgetItemIterator it(codeTree(currentIsKs())); *it; ++it) {
        if ((*it)->data(0, codeRole).toString() == code)
            return *it;
    }
    return nullptr;
}

std::optional<QString> SifrantDlg::typeDescription(const QString &code) const
{
    if (const QTreeWidgetItem *item = findType(code))
        return item->text(1);
    return std::nullopt;
}

QString SifrantDlg::typeBookmark(const QString &code) const
{
    const QTreeWidgetItem *item = findType(code);
    return item ? bookmarkOf(item) : QString();
}

QString SifrantDlg::bookmarkOf(const QTreeWidgetItem *item)
{
    for (; item; item = item->parent()) {
        const QString key = item->data(0, Qt::UserRole).toString();
        if (!key.isEmpty())
            return key;
    }
    return QString();
}
