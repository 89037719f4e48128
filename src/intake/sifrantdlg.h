#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QProgressBar;
class QScrollArea;
class QSpinBox;
class QSplitter;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// "Dolocitev vrste dokumenta": the document-type dialog. It holds the two code-list trees of
// the program (filled once at start-up by loadCodeList) and answers lookups by code over the
// tree of the current kind.
//
// Items of the code trees: column 0 text and data under Qt::UserRole + 1 = the code, column 0
// data under Qt::UserRole = the bookmark key (empty when the type inherits its parent's),
// column 1 text = the title.
class SifrantDlg : public QDialog
{
    Q_OBJECT

public:
    explicit SifrantDlg(QWidget *parent = nullptr);

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
    // The title of the first entry with this code in the current kind's tree; none when no
    // entry has the code.
    std::optional<QString> typeDescription(const QString &code) const;
    // The bookmark key of the first entry with this code in the current kind's tree, its own
    // or else the nearest one of the types it is nested in; empty when no entry has the code.
    QString typeBookmark(const QString &code) const;
    // The bookmark key of a tree entry: its own, else the nearest of the types it is nested in.
    static QString bookmarkOf(const QTreeWidgetItem *item);

private:
    void buildForm();
    QWidget *buildPreviewPart();
    QWidget *buildPageRow();
    QWidget *buildTreePart();
    void setUpTable();
    QTreeWidget *buildCodeTree(const QString &name);

    std::function<bool()> kindSource;

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
