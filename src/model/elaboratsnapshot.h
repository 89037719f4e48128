#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// What an item of an elaborat's tree is.
enum class SnapshotKind
{
    Sestavine, // the "sestavine" node
    Component, // TTreeSestavina
    Bookmark, // TTreeBookmark
    Document, // TTreeDokument
    Subtitle, // TTreePodnaslov
    DigitalData, // TTreeDigitalniPodatek
    Other // the "atributi" node and its table row
};

// One row of the attribute table.
struct SnapshotAttribute
{
    QString id; // the row's attribute id (header user data)
    QString label; // the row's header text
    QString value; // the value cell's text
};

// One item of the elaborat's walk. Only the fields of the item's kind are used.
struct SnapshotItem
{
    SnapshotKind kind = SnapshotKind::Other;
    int parent = -1; // index of the parent in ElaboratSnapshot::items; -1: a child of the root
    QString text; // column-0 text; a bookmark's is "code title", a leaf's its name label
    QString code; // a bookmark's `sifra`; a component's "sifra" attribute
    bool hasBookmarkDefault = false; // a component whose attributes have a "bookmark" key
    QString bookmarkDefault; // ... and its value
    QString filePath; // a document's file; a digital data item's file
    QString sourcePath; // the file a document was made from (filePath before a conversion)
    int page = 0; // a document's page, 0 = the whole file
    int pageCount = 1; // a document's page count
    int rotation = 0; // a document's quarter turns, 0..3
    QString tagLabel; // a document's tag label text
};

// One elaborat as the GUI thread copies it before work starts, so that the rules and the worker
// never touch the tree items. `items` is the walk in page order (pre-order from the root up to
// the next top-level item) without the root itself, so a parent always stands before its
// children and the subtree of an item directly follows it.
struct ElaboratSnapshot
{
    bool isKs = false;
    QStringList procedureIds; // `id` of every procedure, in the order they were added
    QStringList procedureNames; // `ime` of every procedure, same order
    QVector<SnapshotAttribute> attributes; // in table order
    QVector<SnapshotItem> items;
    QString pdfPath;
    QString workDir;
    bool officeUser = false; // the office-user setting (`gpUser`)
    QString userName;
    QString version;
};

// Whether the elaborat has the procedure with this id (exact, case-sensitive).
bool hasProcedure(const ElaboratSnapshot &snapshot, const QString &id);

// The value of the first attribute row with this id; empty when there is none.
QString attributeValue(const ElaboratSnapshot &snapshot, const QString &id);

// The pages a document adds to the elaborat: 1 for a single page, else the file's page count.
int documentPages(const SnapshotItem &document);

// The indices of the direct children of `index` (-1: of the root), in order.
QVector<int> childrenOf(const ElaboratSnapshot &snapshot, int index);

// Whether the item has at least one child.
bool hasChildren(const ElaboratSnapshot &snapshot, int index);

// The bookmark an item lies under, directly or through a subtitle; -1 when there is none.
int enclosingBookmark(const ElaboratSnapshot &snapshot, int index);

// Whether the item is a bookmark whose code is `code`.
bool isBookmarkWithCode(const ElaboratSnapshot &snapshot, int index, const QString &code);

// The first component of the sestavine node whose code is `code`; -1 when there is none.
int findComponentByCode(const ElaboratSnapshot &snapshot, const QString &code);

// Whether the item is a bookmark with the code "110", whose pages the REN PDF may take.
bool isRenBookmark(const ElaboratSnapshot &snapshot, int index);
// Whether the document lies under a "110" bookmark, directly or through a subtitle.
bool isRenDocument(const ElaboratSnapshot &snapshot, int index);

// Whether the elaborat's "110" pages go into the REN PDF instead of the elaborat PDF: a
// building-cadastre elaborat without the procedure "ks_vpis_vprasalnika".
bool separatesRenPages(const ElaboratSnapshot &snapshot);

// The documents of the elaborat PDF in page order: every document, except those under a "110"
// bookmark (directly or through a subtitle) when the elaborat separates its REN pages.
QVector<int> pdfDocuments(const ElaboratSnapshot &snapshot);

// The documents of the REN PDF in page order: exactly those that pdfDocuments leaves out.
QVector<int> renDocuments(const ElaboratSnapshot &snapshot);
