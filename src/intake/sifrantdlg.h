#pragma once

#include "catalog/codelists.h"
#include "sifrantresult.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class DocumentWidget;
class TConvertProcess;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QModelIndex;
class QProgressBar;
class QScrollArea;
class QSpinBox;
class QSplitter;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// "Dolocitev vrste dokumenta": the document-type dialog. It shows the code lists it is given as
// two trees, one per kind, and answers lookups by code over the list of the current kind.
//
// Each use is setup(), then exec() (or accept() at once, to take the default type without
// asking), then results(). The user picks a type for the selected files by clicking it in the
// tree and previews a file by double-clicking it; images are converted to PDF for the preview
// into the preview folder. Return and Enter never close the dialog.
//
// Items of the code trees: column 0 text and data under Qt::UserRole + 1 = the code, column 0
// data under Qt::UserRole = the bookmark key (empty when the type inherits its parent's),
// column 1 text = the title.
class SifrantDlg : public QDialog
{
    Q_OBJECT

public:
    explicit SifrantDlg(const CodeLists &codeLists, QWidget *parent = nullptr);
    // Stops a running conversion and removes what it wrote.
    ~SifrantDlg() override;

    // The tree of a kind's document types: `kstreeWidget` for the building cadastre,
    // `treeWidget` for the land cadastre.
    QTreeWidget *codeTree(bool isKs) const;

    // Tells the dialog which kind is current: the kind of the main window's current elaborat
    // (true for the building cadastre). Until a source is set, and while it is empty, the land
    // cadastre is current.
    void setKindSource(std::function<bool()> isKs);
    // True when the building cadastre is the current kind.
    bool currentIsKs() const;

    // The first entry, in tree order, of the current kind's tree with this code; nullptr when
    // there is none.
    QTreeWidgetItem *findType(const QString &code) const;
    // CodeLists::typeDescription and CodeLists::typeBookmark for the current kind.
    std::optional<QString> typeDescription(const QString &code) const;
    QString typeBookmark(const QString &code) const;
    // The bookmark key of a tree entry: its own, else the nearest of the types it is nested in.
    static QString bookmarkOf(const QTreeWidgetItem *item);

    // Prepares the dialog for these files: one table row per file, in order, each with the
    // type of `defaultCode` when the current kind's tree has it (else no type), all rows
    // selected, no tree entry selected. Images are converted for the preview into
    // `previewFolder` (an elaborat's workDir, absolute: the converter runs in its tool folder),
    // as "<previewFolder>/<file name>.pdf". The default code is a component's "bookmark"
    // attribute, else a bookmark's code, else empty.
    void setup(const QStringList &files, const QString &previewFolder, const QString &defaultCode);

    // One record per table row, in table order, made by the last accept(); a reject() or a new
    // setup() leaves it as it was.
    const QList<SifrantResult> &results() const { return resultList; }

    // Shows only the tree of the current kind. exec() does this itself; a caller that shows
    // the dialog some other way calls it first.
    void prepareToShow();

public slots:
    // Makes the result list from the table and closes the dialog with Accepted; also usable
    // right after setup() without showing the dialog.
    void accept() override;
    // Closes the dialog with Rejected; the result list keeps what the last accept() made.
    void reject() override;
    // Shows only the current kind's tree, then runs the dialog modally; 1 means accepted.
    // Prompter::current().exec(dialog) reaches this override too.
    int exec() override;
    // Continues a preview once its conversion ends: shows the converted file when the
    // conversion succeeded and its file is still the one selected row.
    void processFinished(int exitCode, QProcess::ExitStatus exitStatus);

private slots:
    void on_tableWidget_doubleClicked(const QModelIndex &index);
    void on_tableWidget_itemSelectionChanged();
    void on_treeWidget_itemClicked(QTreeWidgetItem *item, int column);
    void on_kstreeWidget_itemClicked(QTreeWidgetItem *item, int column);
    void onProcessError(QProcess::ProcessError error);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct TypeChoice
    {
        QString code;
        QString bookmark;
        QString text;
    };

    Kataster currentKind() const;
    static TypeChoice choiceOf(const QTreeWidgetItem *item);
    void fillTable(const QStringList &files);
    void setRowType(int row, const TypeChoice &choice);
    void applyType(const QTreeWidgetItem *item);
    void closePreview();
    void stopConversion();
    void showFile(const QString &path);
    bool convertedIsCurrent(const QString &source, const QString &pdfName) const;
    void loadPreview(const QString &path);
    void setUpPreview();
    void swallowEnter();

    void buildForm();
    QWidget *buildPreviewPart();
    QWidget *buildPageRow();
    QWidget *buildTreePart();
    void setUpTable();
    QTreeWidget *buildCodeTree(const QString &name, Kataster kind);

    const CodeLists codes;
    std::function<bool()> kindSource;
    QString previewFolder;
    QString defaultCode;
    QList<SifrantResult> resultList;
    // The source each preview PDF of this run was converted from: files of the same name
    // from different folders share a preview name.
    QHash<QString, QString> convertedFrom;
    TConvertProcess *conversion = nullptr;
    bool conversionStopped = false;
    DocumentWidget *documentWidget = nullptr;

    QSplitter *splitter_2 = nullptr;
    QSplitter *splitter = nullptr;
    QTableWidget *tableWidget = nullptr;
    QProgressBar *progressBar = nullptr;
    QLabel *pageLabel = nullptr;
    QSpinBox *pageSpinBox = nullptr;
    QLabel *label_2 = nullptr;
    QLabel *l_npages = nullptr;
    QLabel *label = nullptr;
    QComboBox *scaleComboBox = nullptr;
    QScrollArea *scrollArea = nullptr;
    QTreeWidget *treeWidget = nullptr;
    QTreeWidget *kstreeWidget = nullptr;
    QDialogButtonBox *buttonBox = nullptr;
};
