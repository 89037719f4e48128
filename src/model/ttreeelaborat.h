#pragma once

#include "catalog/atributdef.h"
#include "catalog/postopekdef.h"
#include "model/elaboratsnapshot.h"
#include "recoveryrecord.h"
#include "treeitemtype.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTreeWidgetItem>

class ElaboratContext;
class TabelaAtributov;
class TTreeDokument;
class TTreeLeaf;
class TTreeSestavina;
class TTreeWidget;

// One open elaborat: a top-level item of the tree view that owns its subtree. Below it the
// "atributi" node holds the attribute table and the "sestavine" node the components with their
// bookmarks and documents; the tree order is the page order of the elaborat's PDF. It knows its
// procedures (catalogue records, not owned), its PDF path and whether that PDF is up to date.
class TTreeElaborat : public QTreeWidgetItem
{
public:
    static constexpr int Type = TreeItemType::Elaborat;

    // Becomes the last top-level item of `view` and its current elaborat, with a scratch
    // folder <tempFolder>/<stamp>, one attribute row per entry of `attributes` and the
    // components of `first`. The stamp is the creation time "ddMMyyyyhhmmss"; when another
    // elaborat of this run has that folder already, the next free second is taken, so that no
    // two elaborates share a scratch folder.
    TTreeElaborat(const PostopekDef *first, const QList<AtributDef> &attributes,
        const QString &tempFolder, TTreeWidget *view, bool isKs);
    ~TTreeElaborat() override;

    static TTreeElaborat *cast(QTreeWidgetItem *item) { return itemCast<TTreeElaborat>(item); }

    // The procedures in the order they were added; the first made the elaborat.
    const QList<const PostopekDef *> &postopki() const { return procedures; }
    // The izpolniAtribute of the first procedure, or of the latest added one that has one.
    QString izpolniOverride() const { return fillOverride; }
    bool isKs() const { return ks; }
    // The PDF at pdfPath() was made from (or opened into) the tree as it is now.
    bool upToDate() const { return isUpToDate; }
    QString pdfPath() const { return pdf; }
    QString previousPdfPath() const { return previousPdf; }
    QString workDir() const { return work; }
    QString stamp() const { return creationStamp; }
    // What commands on the elaborat need of the application; none outside a main window.
    ElaboratContext *context() const { return elaboratContext; }
    TTreeWidget *view() const;
    QTreeWidgetItem *sestavineItem() const { return sestavine; }
    QTreeWidgetItem *atributiItem() const { return atributi; }
    TabelaAtributov *tabela() const;

    bool zipWritten = false; // the ZIP package was written to zipPath
    QString zipPath;
    bool scanning = false; // a scan for this elaborat runs
    int nextScanNumber = 1; // the number of the next scanned page file

    // The elaborat changed: not up to date; the main window's actions follow.
    void markModified();
    // Gives the attribute table's row the table's texts (TabelaAtributov::accessibleSummary()).
    void updateAttributesText();
    // The elaborat's PDF was made or opened: up to date; the main window's actions follow.
    void markUpToDate();

    // Adds a procedure: its name to POSTOPKI (after "; "), and its components that no earlier
    // procedure brought (a component's identity is its name).
    void addPostopek(const PostopekDef *procedure);
    // Takes a procedure out with the components that no other of its procedures has. Refused,
    // with a warning, when such a component holds bookmarks or documents; returns whether the
    // procedure was taken out.
    bool removePostopek(const PostopekDef *procedure);
    // Whether a procedure has this id (exact, case-sensitive).
    bool hasPostopek(const QString &id) const;
    // The names of the procedures, in order.
    QStringList postopekNames() const;

    // The first component with this code, or nullptr.
    TTreeSestavina *findSestavinaBySifra(const QString &code) const;
    // The first component with this name, or nullptr.
    TTreeSestavina *findSestavinaByIme(const QString &name) const;
    // Whether some child of the sestavine node, of any kind, shows this name.
    bool hasSestavinaIme(const QString &name) const;

    // The value of the attribute with this id, after an open cell editor was committed; empty
    // when no row has the id.
    QString attribute(const QString &key) const;
    // Sets the value of the attribute with this id; nothing when no row has it.
    void setAttribute(const QString &key, const QString &value);

    // Remembers the old path for revertPdfPath; with `updateText` the root shows the new file's
    // base name (everything before its first dot).
    void setPdfPath(const QString &path, bool updateText);
    // Swaps the PDF path and the one before it.
    void revertPdfPath();

    // The documents of the walk, their number and the digital data files, in page order.
    int documentCount() const;
    QList<TTreeDokument *> documents() const;
    QStringList digitalDataFiles() const;

    // Deletes the leaf; a bookmark it leaves empty is pruned.
    void removeLeafAndPrune(TTreeLeaf *leaf);
    // Deletes an item of this elaborat with its subtree, unless it still has children and
    // `force` is false; a bookmark it leaves empty goes with it.
    void pruneBookmark(QTreeWidgetItem *item, bool force);
    // Removes every subtitle that has no documents left.
    void removeEmptySubtitles();
    // After a build into `path` again: each single page of that file points to the page where
    // it now stands in the new file (pages left out of the PDF are not counted).
    void renumberOwnPages(const QString &path);

    // A plain copy of everything the naming, building and checking rules read, for a worker
    // thread or a test. Commits an open cell editor first.
    ElaboratSnapshot snapshot() const;
    // What a recovery record keeps of the elaborat. An open cell editor is left open; its text
    // is kept once it is committed.
    RecoveryRecord recoveryRecord() const;
    // Takes over the stamp, the root's text, the PDF paths and the scan number of an elaborat
    // that an earlier run left, and its scratch folder record.tree.workDir, so that its scans
    // and converted files still resolve. The folder made at construction goes when it is empty.
    void resume(const RecoveryRecord &record);

    // The creation stamp "ddMMyyyyhhmmss" of now, or of the next second that names no entry of
    // `tempFolder` yet.
    static QString freeStamp(const QString &tempFolder);

private:
    void buildAttributes(const QList<AtributDef> &attributes);
    void addComponentsOf(const PostopekDef *procedure);
    void setProceduresValue(const QString &value);
    QString proceduresValue() const;
    ElaboratSnapshot treeCopy() const;
    void appendToSnapshot(
        const QTreeWidgetItem *item, int parent, ElaboratSnapshot &snapshot) const;
    SnapshotItem snapshotItem(const QTreeWidgetItem *item) const;

    QList<const PostopekDef *> procedures;
    QString fillOverride;
    bool ks;
    QString pdf;
    QString previousPdf;
    bool isUpToDate = false;
    ElaboratContext *elaboratContext;
    QPointer<TTreeWidget> ownerView;
    QString work;
    QString creationStamp;
    QTreeWidgetItem *sestavine = nullptr;
    QTreeWidgetItem *atributi = nullptr;
    QPointer<TabelaAtributov> table;
};
