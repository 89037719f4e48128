#include "sifrantdlg.h"

#include "documentwidget.h"
#include "imageconversion.h"
#include "platform/prompter.h"
#include "tconvertprocess.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <utility>

namespace {
const int codeRole = Qt::UserRole + 1;
// A killed converter is gone at once; this only bounds the wait if the system stalls.
const int killWaitMs = 5000;

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

template<typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Nested titles are indented by a blank icon of this size.
QIcon indentIcon()
{
    QPixmap pixmap(15, 1);
    pixmap.fill(Qt::transparent);
    return QIcon(pixmap);
}

QTreeWidgetItem *typeItem(const SifrantEntry &type, const QIcon &indent, bool nested)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, type.id);
    item->setData(0, Qt::UserRole, type.povzetek);
    item->setData(0, codeRole, type.id);
    item->setText(1, type.napis);
    if (nested)
        item->setIcon(1, indent);
    for (const SifrantEntry &child : type.children)
        item->addChild(typeItem(child, indent, true));
    return item;
}
} // namespace

SifrantDlg::SifrantDlg(const CodeLists &codeLists, QWidget *parent)
    : QDialog(parent)
    , codes(codeLists)
{
    buildForm();
    setUpPreview();
    swallowEnter();
    QMetaObject::connectSlotsByName(this);
}

// The conversion must end while the dialog can still take its finished signal.
SifrantDlg::~SifrantDlg()
{
    stopConversion();
}

void SifrantDlg::setUpPreview()
{
    documentWidget = DocumentWidget::placeIn(scrollArea, pageSpinBox, scaleComboBox);
    conversion = new TConvertProcess(this);
    conversion->setProcessChannelMode(QProcess::MergedChannels);
    connect(conversion, &QProcess::finished, this, &SifrantDlg::processFinished);
    connect(conversion, &QProcess::errorOccurred, this, &SifrantDlg::onProcessError);
}

// A focused push button takes Return and Enter before the dialog sees them, so the buttons
// are watched as well as the dialog itself.
void SifrantDlg::swallowEnter()
{
    installEventFilter(this);
    const QList<QAbstractButton *> buttons = buttonBox->buttons();
    for (QAbstractButton *button : buttons)
        button->installEventFilter(this);
}

bool SifrantDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (isEnterKey(event))
        return true;
    return QDialog::eventFilter(watched, event);
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
    treeWidget = buildCodeTree(QStringLiteral("treeWidget"), Kataster::ZK);
    kstreeWidget = buildCodeTree(QStringLiteral("kstreeWidget"), Kataster::KS);
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

QTreeWidget *SifrantDlg::buildCodeTree(const QString &name, Kataster kind)
{
    auto *tree = new QTreeWidget;
    tree->setObjectName(name);
    tree->setColumnCount(2);
    tree->setAlternatingRowColors(true);
    tree->setHeaderHidden(true);
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    const QIcon indent = indentIcon();
    QList<QTreeWidgetItem *> items;
    for (const SifrantEntry &type : codes.types(kind))
        items.append(typeItem(type, indent, false));
    tree->addTopLevelItems(items);
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

Kataster SifrantDlg::currentKind() const
{
    return currentIsKs() ? Kataster::KS : Kataster::ZK;
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
    return codes.typeDescription(currentKind(), code);
}

QString SifrantDlg::typeBookmark(const QString &code) const
{
    return codes.typeBookmark(currentKind(), code);
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

SifrantDlg::TypeChoice SifrantDlg::choiceOf(const QTreeWidgetItem *item)
{
    const QString code = item->data(0, codeRole).toString();
    return {code, bookmarkOf(item), code + QLatin1Char(' ') + item->text(1)};
}

void SifrantDlg::setup(
    const QStringList &files, const QString &folder, const QString &defaultTypeCode)
{
    previewFolder = folder;
    defaultCode = defaultTypeCode;
    fillTable(files);
}

void SifrantDlg::fillTable(const QStringList &files)
{
    progressBar->hide();
    tableWidget->setRowCount(0);
    // An empty code would match a type whose code is missing from the code list.
    const QTreeWidgetItem *type = defaultCode.isEmpty() ? nullptr : findType(defaultCode);
    const TypeChoice choice = type ? choiceOf(type) : TypeChoice();
    const int rows = int(files.size());
    tableWidget->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        tableWidget->setItem(row, 0, cell(files.at(row)));
        tableWidget->setItem(row, 1, cell(QString()));
        setRowType(row, choice);
    }
    const int rowHeight = tableWidget->verticalHeader()->defaultSectionSize();
    splitter->setSizes({rowHeight * (rows + 1) + 4, 1});
    tableWidget->selectAll();
    codeTree(currentIsKs())->clearSelection();
}

void SifrantDlg::setRowType(int row, const TypeChoice &choice)
{
    tableWidget->item(row, 0)->setData(Qt::UserRole, choice.bookmark);
    QTableWidgetItem *type = tableWidget->item(row, 1);
    type->setText(choice.text);
    type->setData(Qt::UserRole, choice.code);
}

void SifrantDlg::applyType(const QTreeWidgetItem *item)
{
    if (!item)
        return;
    const TypeChoice choice = choiceOf(item);
    const QModelIndexList rows = tableWidget->selectionModel()->selectedRows();
    for (const QModelIndex &row : rows)
        setRowType(row.row(), choice);
}

void SifrantDlg::on_treeWidget_itemClicked(QTreeWidgetItem *item, int)
{
    applyType(item);
}

void SifrantDlg::on_kstreeWidget_itemClicked(QTreeWidgetItem *item, int)
{
    applyType(item);
}

void SifrantDlg::prepareToShow()
{
    const bool isKs = currentIsKs();
    treeWidget->setVisible(!isKs);
    kstreeWidget->setVisible(isKs);
}

int SifrantDlg::exec()
{
    prepareToShow();
    return QDialog::exec();
}

void SifrantDlg::accept()
{
    resultList.clear();
    for (int row = 0; row < tableWidget->rowCount(); ++row) {
        const QTableWidgetItem *file = tableWidget->item(row, 0);
        const QTableWidgetItem *type = tableWidget->item(row, 1);
        resultList.append({type->data(Qt::UserRole).toString(), file->data(Qt::UserRole).toString(),
            file->text(), type->text()});
    }
    closePreview();
    QDialog::accept();
}

void SifrantDlg::reject()
{
    closePreview();
    QDialog::reject();
}

void SifrantDlg::on_tableWidget_itemSelectionChanged()
{
    closePreview();
}

void SifrantDlg::closePreview()
{
    documentWidget->closeDocument();
    pageSpinBox->setEnabled(false);
    scaleComboBox->setEnabled(false);
    l_npages->setText(QStringLiteral("0"));
    stopConversion();
    progressBar->hide();
}

void SifrantDlg::stopConversion()
{
    if (conversion->state() == QProcess::NotRunning)
        return;
    conversionStopped = true;
    conversion->kill();
    // Waiting lets the process be reused at once; its finished signal arrives meanwhile.
    conversion->waitForFinished(killWaitMs);
}

void SifrantDlg::on_tableWidget_doubleClicked(const QModelIndex &index)
{
    if (index.isValid())
        showFile(tableWidget->item(index.row(), 0)->text());
}

void SifrantDlg::showFile(const QString &path)
{
    progressBar->show();
    QString shown = path;
    if (QFileInfo(path).suffix().toLower() != QLatin1String("pdf")) {
        const QString pdfName = ImageConversion::previewPdfPath(previewFolder, path);
        if (!convertedIsCurrent(path, pdfName)) {
            // A second request for the file being converted waits for that conversion.
            if (conversion->state() != QProcess::NotRunning && conversion->sourcePath == path)
                return;
            stopConversion();
            conversion->convert(path, pdfName);
            return;
        }
        shown = pdfName;
    }
    loadPreview(shown);
    progressBar->hide();
}

// Preview names carry only the file name, so an existing one is used only when it was not
// converted from another file of that name and is not older than the file.
bool SifrantDlg::convertedIsCurrent(const QString &source, const QString &pdfName) const
{
    const QFileInfo pdf(pdfName);
    if (!pdf.exists())
        return false;
    const auto known = convertedFrom.constFind(pdfName);
    if (known != convertedFrom.constEnd() && *known != source)
        return false;
    return pdf.lastModified() >= QFileInfo(source).lastModified();
}

void SifrantDlg::loadPreview(const QString &path)
{
    if (!documentWidget->setDocument(path, 0)) {
        Prompter::warning(this, tr("PDF Viewer - Failed to Open File"),
            tr("The specified file could not be opened."));
        return;
    }
    const int pages = documentWidget->pageCount();
    scaleComboBox->setEnabled(true);
    pageSpinBox->setEnabled(true);
    pageSpinBox->setMinimum(1);
    l_npages->setText(QString::number(pages));
    pageSpinBox->setMaximum(pages);
    pageSpinBox->setValue(1);
}

void SifrantDlg::processFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    progressBar->hide();
    const bool stopped = std::exchange(conversionStopped, false);
    if (stopped || exitCode != 0 || exitStatus != QProcess::NormalExit) {
        // What a stopped or failed converter leaves behind must not pass for a preview later.
        QFile::remove(conversion->outputPath);
        return;
    }
    convertedFrom.insert(conversion->outputPath, conversion->sourcePath);
    const QModelIndexList rows = tableWidget->selectionModel()->selectedRows();
    if (rows.size() == 1
        && tableWidget->item(rows.first().row(), 0)->text() == conversion->sourcePath)
        loadPreview(conversion->outputPath);
}

void SifrantDlg::onProcessError(QProcess::ProcessError error)
{
    // A converter that does not start never finishes; the bar must not stay busy.
    if (error == QProcess::FailedToStart)
        progressBar->hide();
}
