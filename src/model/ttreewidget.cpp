#include "ttreewidget.h"

#include "documentcommands.h"
#include "elaboratcontext.h"
#include "fileintake.h"
#include "floornumber.h"
#include "intake/dialogtwain.h"
#include "intake/twainprocess.h"
#include "platform/appsettings.h"
#include "platform/platform.h"
#include "platform/prompter.h"
#include "scanintake.h"
#include "tabelaatributov.h"
#include "treedrop.h"
#include "treeitems.h"
#include "treemenus.h"
#include "ttreebookmark.h"
#include "ttreedigitalnipodatek.h"
#include "ttreedokument.h"
#include "ttreeelaborat.h"
#include "ttreesestavina.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace {

struct AuthorityDocument
{
    QString code;
    QString component;
};

const QHash<QString, AuthorityDocument> &authorityDocuments()
{
    static const QHash<QString, AuthorityDocument> documents = {
        {TreeMenus::Entry::sketch, {QStringLiteral("111"), QStringLiteral("skica")}},
        {TreeMenus::Entry::record, {QStringLiteral("121"), QStringLiteral("zapisniki")}},
        {TreeMenus::Entry::decision, {QStringLiteral("131"), QStringLiteral("prikaz sprememb")}},
    };
    return documents;
}

// Folders and whatever else is no regular file go unnoticed, as files of an unsupported type
// do: none of them can become a document or a digital data item.
QStringList localFiles(const QMimeData *mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    const QList<QUrl> urls = mime->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            files << url.toLocalFile();
    }
    return files;
}

// Files from the desktop are only referred to, never taken: a move would let the file
// manager delete them.
bool takeAsCopy(QDropEvent *event, bool acceptable)
{
    if (!acceptable || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

bool carriesFiles(const QDropEvent *event, const QWidget *view)
{
    return event->source() != view && !localFiles(event->mimeData()).isEmpty();
}

// The view's own drags carry its rows in the model's format; text or a link from another
// program must never be taken for one.
bool carriesRows(const QDropEvent *event, const QAbstractItemView *view)
{
    const QMimeData *mime = event->mimeData();
    const QStringList formats = view->model()->mimeTypes();
    return mime && std::any_of(formats.cbegin(), formats.cend(), [mime](const QString &format) {
        return mime->hasFormat(format);
    });
}

} // namespace

TTreeWidget::TTreeWidget(QWidget *parent)
    : QTreeWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &TTreeWidget::onItemSelectionChanged);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &TTreeWidget::onItemDoubleClicked);
    connect(this, &QWidget::customContextMenuRequested, this, &TTreeWidget::ShowContextMenu);
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
    if (context)
        context->updateActions();
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

QTreeWidgetItem *TTreeWidget::pressedItem() const
{
    return itemFromIndex(pressedIndex);
}

QTreeWidgetItem *TTreeWidget::dragItem() const
{
    return itemFromIndex(dragIndex);
}

void TTreeWidget::onItemSelectionChanged()
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    if (selected.isEmpty())
        return;
    if (TTreeElaborat *elaborat = elaboratOf(selected.first()))
        setCurrentElaborat(elaborat, false);
}

void TTreeWidget::onItemDoubleClicked(QTreeWidgetItem *item, int)
{
    if (TTreeDokument *document = TTreeDokument::cast(item))
        document->startPreview(context);
}

void TTreeWidget::showSelectionInPreview()
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    if (selected.size() != 1 || !context)
        return;
    TTreeDokument *document = TTreeDokument::cast(selected.first());
    if (const TTreeBookmark *bookmark = TTreeBookmark::cast(selected.first()))
        document = bookmark->dokumenti(false).value(0);
    // An image is shown once a double click has converted it.
    if (document && document->suffix() == QLatin1String("pdf"))
        context->showDocument(document);
}

std::unique_ptr<QMenu> TTreeWidget::contextMenuAt(const QPoint &position) const
{
    QTreeWidgetItem *item = itemAt(position);
    if (const TTreeElaborat *elaborat = TTreeElaborat::cast(item))
        return TreeMenus::elaboratMenu(*elaborat);
    if (!current)
        return nullptr;
    const bool officeUser = context && context->settings().officeUser();
    return TreeMenus::itemMenu(item, int(selectedItems().size()), *current, officeUser);
}

void TTreeWidget::ShowContextMenu(const QPoint &position)
{
    const QPersistentModelIndex clicked(indexAt(position));
    const std::unique_ptr<QMenu> menu = contextMenuAt(position);
    if (!menu)
        return;
    const QAction *chosen = menu->exec(viewport()->mapToGlobal(position));
    if (!chosen)
        return;
    QTreeWidgetItem *item = itemFromIndex(clicked);
    if (TTreeElaborat *elaborat = TTreeElaborat::cast(item))
        runElaboratCommand(chosen->text(), elaborat);
    else
        runItemCommand(chosen->text(), item);
}

void TTreeWidget::runElaboratCommand(const QString &entry, TTreeElaborat *elaborat)
{
    using namespace TreeMenus;
    if (!elaborat)
        return;
    setCurrentElaborat(elaborat, false);
    if (entry == Entry::procedures) {
        if (TabelaAtributov *table = elaborat->tabela())
            table->editProcedures();
    } else if (entry == Entry::buildPdf) {
        emit pdfRequested();
    } else if (entry == Entry::buildZip) {
        emit zipRequested();
    } else if (entry == Entry::close) {
        closeElaborat(elaborat);
    } else if (entry == Entry::check) {
        emit checkRequested();
    } else if (entry == Entry::showPdf) {
        Platform::showInFileManager(elaborat->pdfPath());
    }
}

void TTreeWidget::runItemCommand(const QString &entry, QTreeWidgetItem *clicked)
{
    using namespace TreeMenus;
    const auto authority = authorityDocuments().constFind(entry);
    if (entry == Entry::addFile) {
        addFilesCommand();
    } else if (entry == Entry::scan) {
        scanCommand();
    } else if (entry == Entry::removeFile || entry == Entry::removeBookmark) {
        removeSelectedItems();
    } else if (entry == Entry::changeType) {
        DocumentCommands::changeDocumentType(*this, clicked);
    } else if (entry == Entry::floor) {
        setFloorNumber(*this, TTreeLeaf::cast(clicked));
    } else if (authority != authorityDocuments().constEnd()) {
        FileIntake::addAuthorityDocuments(*this, authority->code, authority->component);
    } else if (const TTreeDigitalniPodatek *data = TTreeDigitalniPodatek::cast(clicked)) {
        if (entry == Entry::showFile)
            Platform::showInFileManager(data->filePath());
    } else if (TTreeDokument *document = TTreeDokument::cast(clicked)) {
        runDocumentCommand(entry, *document);
    }
}

void TTreeWidget::runDocumentCommand(const QString &entry, TTreeDokument &document)
{
    using namespace TreeMenus;
    if (entry == Entry::split)
        DocumentCommands::splitIntoPages(document);
    else if (entry == Entry::rotateLeft)
        DocumentCommands::rotate(*this, document, -90);
    else if (entry == Entry::rotateRight)
        DocumentCommands::rotate(*this, document, 90);
    else if (entry == Entry::removeTag)
        DocumentCommands::removeTag(document);
}

bool TTreeWidget::closeElaborat(TTreeElaborat *elaborat)
{
    if (!elaborat || elaborat != current)
        return false;
    if (elaborat->scanning) {
        Prompter::information(this, QString(),
            QStringLiteral("Pred zapiranjem elaborata je potrebno zakljuciti skeniranje!"));
        return false;
    }
    if (!elaborat->upToDate()
        && !Prompter::question(this, QString(),
            QStringLiteral("Elaborat '%1' je bil spremenjen, nova verzija pa se ni izdelana. Ali "
                           "ga zelite zapreti (vse spremembe bodo izgubljene)?")
                .arg(elaborat->text(0))))
        return false;
    setCurrentElaborat(nullptr, false);
    delete elaborat;
    if (context)
        context->updateActions();
    return true;
}

void TTreeWidget::removeSelectedItems()
{
    DocumentCommands::removeSelected(*this);
}

bool TTreeWidget::takesAddedFiles() const
{
    return current && context && (!selectedItems().isEmpty() || TreeItems::isGeneral(current));
}

TTreeSestavina *TTreeWidget::addTarget() const
{
    return TreeItems::componentOf(selectedItems().value(0));
}

void TTreeWidget::addFilesCommand()
{
    if (!takesAddedFiles())
        return;
    addChosenFiles(TreeItems::isDigitalData(addTarget()) ? FileIntake::chooseDigitalFiles(*context)
                                                         : FileIntake::chooseImageFiles(*context));
}

void TTreeWidget::scanCommand()
{
    if (!takesAddedFiles())
        return;
    const int source = chooseScanSource();
    if (source < 0)
        return;
    if (scan && scan->state() != QProcess::NotRunning) {
        if (!Prompter::question(this, QString(),
                QStringLiteral("Za ta elaborat skeniranje se ni koncano. Ali ga prekinem?")))
            return;
        scan->abort();
    }
    QTreeWidgetItem *first = selectedItems().value(0);
    auto *intake = new ScanIntake(
        source, current, TreeItems::componentOf(first), TreeItems::bookmarkOf(first), *this);
    scan = intake->process();
}

TwainProcess *TTreeWidget::scanProcess() const
{
    return scan;
}

int TTreeWidget::chooseScanSource()
{
    const int configured = context->settings().scannerSourceId();
    if (configured >= 0)
        return configured;
    DialogTwain dialog(context->dialogParent());
    return Prompter::current().exec(&dialog) == QDialog::Accepted ? dialog.selectedSourceId() : -1;
}

void TTreeWidget::addChosenFiles(const QStringList &files)
{
    if (files.isEmpty() || !takesAddedFiles())
        return;
    TTreeSestavina *component = addTarget();
    const QStringList kept
        = TreeItems::isDigitalData(component) ? files : FileIntake::supportedFiles(files);
    if (kept.isEmpty())
        return;
    addFiles(component, kept);
    FileIntake::rememberFolder(*context, files.first());
}

void TTreeWidget::addFiles(TTreeSestavina *component, const QStringList &files)
{
    FileIntake::addFiles(*this, component, files, selectedItems().value(0));
}

void TTreeWidget::placeFiles(TTreeSestavina *component, const QList<SifrantResult> &results)
{
    FileIntake::placeFiles(*this, component, results);
}

void TTreeWidget::addDigitalFiles(TTreeSestavina *component, const QStringList &files)
{
    FileIntake::addDigitalFiles(component, files);
}

void TTreeWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        pressedIndex = indexAt(event->position().toPoint());
    QTreeWidget::mousePressEvent(event);
}

void TTreeWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        pressedIndex = QPersistentModelIndex();
    QTreeWidget::mouseReleaseEvent(event);
}

// The drag loop takes the button's release, so the press is forgotten once the drag is over,
// also when it ended outside the view: a later drag would otherwise carry the item pressed
// here.
void TTreeWidget::startDrag(Qt::DropActions supportedActions)
{
    QTreeWidget::startDrag(supportedActions);
    pressedIndex = QPersistentModelIndex();
    dragIndex = QPersistentModelIndex();
}

void TTreeWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (carriesFiles(event, this)) {
        takeAsCopy(event, true);
        return;
    }
    if (!carriesRows(event, this)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    dragIndex = pressedIndex;
    QTreeWidget::dragEnterEvent(event);
    // A drag of rows that began with a press in this view is the view's own, whatever source
    // the drag system names.
    if (!event->isAccepted() && dragIndex.isValid())
        event->accept();
}

void TTreeWidget::dragMoveEvent(QDragMoveEvent *event)
{
    if (carriesFiles(event, this)) {
        takeAsCopy(event, TreeDrop(*this).takesFiles(itemAt(event->position().toPoint())));
        return;
    }
    event->setDropAction(Qt::MoveAction);
    QTreeWidget::dragMoveEvent(event);
}

// The drop is carried out once the drag has ended: it may ask the user, and a dialog inside
// the drag would hold the file manager or the drag itself until it closes.
void TTreeWidget::dropEvent(QDropEvent *event)
{
    endDrop();
    const QPersistentModelIndex target(indexAt(event->position().toPoint()));
    if (carriesFiles(event, this)) {
        if (!takeAsCopy(event, TreeDrop(*this).takesFiles(itemFromIndex(target))))
            return;
        const QStringList files = localFiles(event->mimeData());
        const bool onItem = target.isValid();
        QMetaObject::invokeMethod(
            this, [this, target, files, onItem] { finishFileDrop(target, onItem, files); },
            Qt::QueuedConnection);
        return;
    }
    // A move action would make the view take the dragged rows out once more.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    const QPersistentModelIndex dragged = dragIndex;
    dragIndex = QPersistentModelIndex();
    pressedIndex = QPersistentModelIndex();
    QMetaObject::invokeMethod(
        this, [this, target, dragged] { finishDrop(target, dragged); }, Qt::QueuedConnection);
}

void TTreeWidget::finishDrop(
    const QPersistentModelIndex &target, const QPersistentModelIndex &dragged)
{
    QTreeWidgetItem *targetItem = itemFromIndex(target);
    QTreeWidgetItem *draggedItem = itemFromIndex(dragged);
    TTreeElaborat *origin = elaboratOf(draggedItem);
    TTreeElaborat *destination = elaboratOf(targetItem);
    TreeDrop(*this).drop(targetItem, draggedItem);
    for (TTreeElaborat *elaborat : {origin, destination}) {
        if (elaborat)
            elaborat->removeEmptySubtitles();
    }
}

void TTreeWidget::finishFileDrop(
    const QPersistentModelIndex &target, bool onItem, const QStringList &files)
{
    // An item dropped on that is gone meanwhile is no empty space.
    if (onItem == target.isValid())
        TreeDrop(*this).dropFiles(itemFromIndex(target), files);
}

// The base class's drop would move the rows itself; what it also does, ending the drag's
// scrolling and its indicator, the leave handling does as well.
void TTreeWidget::endDrop()
{
    QDragLeaveEvent leave;
    QTreeWidget::dragLeaveEvent(&leave);
}

void TTreeWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete) {
        event->ignore();
        return;
    }
    QTreeWidget::keyPressEvent(event);
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
