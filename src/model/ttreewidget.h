#pragma once

#include "intake/sifrantresult.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeWidget>
#include <memory>

class ElaboratContext;
class QMenu;
class TTreeDokument;
class TTreeElaborat;
class TTreeSestavina;
class TwainProcess;

// The main window's tree of open elaborates and the editing commands on them. One elaborat is
// current: the commands act on it, its root is shown in bold and the main window's actions
// follow its state. A right click opens the elaborat's menu on its root and the item menu
// elsewhere; documents and bookmarks are moved by drag and drop, files from the desktop are
// added by dropping them.
class TTreeWidget : public QTreeWidget
{
    Q_OBJECT
public:
    explicit TTreeWidget(QWidget *parent = nullptr);
    ~TTreeWidget() override;

    // What the commands on elaborates need of the application; none outside a main window.
    ElaboratContext *context = nullptr;

    // The elaborat the commands act on, or none.
    TTreeElaborat *currentElaborat() const { return current; }
    // Makes `elaborat` (or none) current: the old one's root goes back to normal weight and its
    // attribute table loses its selection and current cell; with `clearCurrentItem` the view's
    // current item is cleared; the main window re-evaluates its actions; the new root is bold.
    // Nothing happens when it is current already.
    void setCurrentElaborat(TTreeElaborat *elaborat, bool clearCurrentItem);

    // The elaborat that contains the item (walking up its parents), or nullptr.
    static TTreeElaborat *elaboratOf(const QTreeWidgetItem *item);
    // The current elaborat of `view` when it is a TTreeWidget; nullptr otherwise.
    static TTreeElaborat *currentElaboratOf(const QTreeWidget *view);

    // Called by an elaborat that is being deleted, so that it is no longer current.
    void forgetElaborat(const TTreeElaborat *elaborat);

    // The item under the mouse at the last left-button press, until the button is released or
    // the drag it started ends.
    QTreeWidgetItem *pressedItem() const;
    // The item being dragged: the pressed item when the drag entered the view.
    QTreeWidgetItem *dragItem() const;

    // The menu a right click at `position` (viewport coordinates) opens: the elaborat menu on
    // a root, else the item menu of the current elaborat; nullptr when it opens none.
    std::unique_ptr<QMenu> contextMenuAt(const QPoint &position) const;
    // Carries out the elaborat menu's entry with this text for `elaborat`, which becomes
    // current first.
    void runElaboratCommand(const QString &entry, TTreeElaborat *elaborat);
    // Carries out the item menu's entry with this text for the clicked item (or none).
    void runItemCommand(const QString &entry, QTreeWidgetItem *clicked);

    // Closes the current elaborat `elaborat`: refused while it is being scanned, asked when it
    // changed since its PDF was made. Returns whether it was closed.
    bool closeElaborat(TTreeElaborat *elaborat);
    // The remove command: the selected bookmarks, documents, subtitles and digital data go
    // after the user confirms; subtitles left empty go whatever the answer.
    void removeSelectedItems();

    // The add command after the files were chosen: the supported ones (any file for the
    // digital data component) go to the component of the first selected item, or with the
    // general procedure to the sestavine node; the last folder follows the first file.
    void addChosenFiles(const QStringList &files);
    // Adds files to the component (nullptr: the sestavine node of an elaborat with the general
    // procedure) of the current elaborat, asking about files it holds already and letting the
    // user type them; the first selected item's bookmark gives its code without asking.
    void addFiles(TTreeSestavina *component, const QStringList &files);
    // Places typed files in the component (nullptr: the current elaborat's sestavine node):
    // each code gets one new bookmark per call; files without a code become documents of the
    // component (with the general procedure, of the sestavine node), items of the digital data
    // component, or are refused with a warning.
    void placeFiles(TTreeSestavina *component, const QList<SifrantResult> &results);
    // One digital data item per file under the component, which is expanded.
    void addDigitalFiles(TTreeSestavina *component, const QStringList &files);

    // The scan command: scans from the source chosen in the settings (or, without one, in the
    // source dialog) into the component and bookmark of the first selected item. A scan of
    // the view that still runs is stopped only when the user agrees.
    void scanCommand();
    // The last scan this view started, while it lives.
    TwainProcess *scanProcess() const;

    // Shows the one selected document, or the first document of the one selected bookmark, in
    // the main window's preview when its file is a PDF.
    void showSelectionInPreview();

signals:
    // The elaborat was marked modified or up to date.
    void elaboratChanged(TTreeElaborat *elaborat);
    // The elaborat menu's commands that are the application's, for the current elaborat.
    void pdfRequested();
    void zipRequested();
    void checkRequested();

public slots:
    // The elaborat of the first selected item becomes current.
    void onItemSelectionChanged();
    // A document is shown; an image is converted first.
    void onItemDoubleClicked(QTreeWidgetItem *item, int column);
    // Opens the menu of the item at `position` and carries out the chosen entry.
    void ShowContextMenu(const QPoint &position);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    // Delete is the main window's.
    void keyPressEvent(QKeyEvent *event) override;

protected slots:
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    void updateEditorGeometries() override;

private:
    static void setRootWeight(TTreeElaborat *elaborat, QFont::Weight weight);
    bool takesAddedFiles() const;
    TTreeSestavina *addTarget() const;
    void addFilesCommand();
    void runDocumentCommand(const QString &entry, TTreeDokument &document);
    void finishDrop(const QPersistentModelIndex &target, const QPersistentModelIndex &dragged);
    void finishFileDrop(const QPersistentModelIndex &target, bool onItem, const QStringList &files);
    void endDrop();

    int chooseScanSource();

    TTreeElaborat *current = nullptr;
    QPointer<TwainProcess> scan;
    // Indices, so that an item deleted meanwhile is simply gone.
    QPersistentModelIndex pressedIndex;
    QPersistentModelIndex dragIndex;
    bool inserting = false;
    bool editorUpdatePending = false;
};
