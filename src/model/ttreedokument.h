#pragma once

#include "treeitemtype.h"
#include "ttreeleaf.h"

#include <QString>
#include <memory>

class ElaboratContext;
class Img2Pdf;
class TTreeElaborat;

// A document of the elaborat: a file (PDF or image), the whole file or one page of it, with a
// rotation. Its name label shows the source file's name in lower case, for a single page
// followed by "/str. " and the page.
class TTreeDokument : public TTreeLeaf
{
public:
    static constexpr int Type = TreeItemType::Dokument;

    // Becomes the last child of `parent` for the file at `path`; `page` 0 stands for the whole
    // file, n >= 1 for page n; `rotation` counts quarter turns. Marks its elaborat modified and
    // applies the floor rule.
    TTreeDokument(const QString &path, QTreeWidgetItem *parent, int page = 0, int rotation = 0);
    // A copy of `other` as the last child of `parent`: the same source, file, page, rotation
    // and name colour; the floor rule decides whether it keeps other's floor.
    TTreeDokument(const TTreeDokument &other, QTreeWidgetItem *parent);
    // Stops a preview conversion that still runs.
    ~TTreeDokument() override;

    static TTreeDokument *cast(QTreeWidgetItem *item) { return itemCast<TTreeDokument>(item); }
    static const TTreeDokument *cast(const QTreeWidgetItem *item)
    {
        return itemCast<TTreeDokument>(item);
    }

    // The elaborat the document belongs to: looked up while the item is in a view, else the
    // one it belonged to last.
    TTreeElaborat *elaborat() const;
    // The file the document uses now: its source, or the source's converted PDF.
    QString filePath() const { return path; }
    QString fileName() const { return name; }
    // The file's suffix in lower case.
    QString suffix() const { return fileSuffix; }
    int rotation() const { return turns; }
    // 0 for the whole file, else the 1-based page of the file the document stands for.
    int page() const { return pageNumber; }
    // The file's pages: 1 for a non-PDF file and for a PDF that does not load.
    int pageCount() const { return pages; }
    // The pages the document adds to the elaborat: 1 for a single page, else pageCount().
    int contributedPages() const { return pageNumber != 0 ? 1 : pages; }
    // The path the document was made from; it never changes.
    QString sourcePath() const { return source; }
    QString sourceName() const { return sourceFileName; }

    // Points the document at a file: a fresh row widget, the name label, the page, the
    // rotation and the page count. Marks the elaborat modified.
    void setFile(const QString &path, int page, int rotation);
    // Replaces the file (a conversion's result) without touching the page; a PDF brings its
    // page count. When the document is the only selected item it is shown again. An empty
    // path is ignored.
    void setFilePath(const QString &path);
    // For a single-page document: stands for page `page` now (the name label follows).
    void setPage(int page);
    // Turns by -90 or +90 degrees and marks the elaborat modified.
    void rotate(int degrees);
    // Takes the PDF that the document's image was converted to: file, name, suffix and page
    // count follow it; page and the preview stay as they are.
    void setConvertedFile(const QString &pdfPath);

    // Shows the document in the context's preview; an image is first converted to a PDF in the
    // elaborat's work folder, in the background, and shown when the conversion ends (while the
    // document is the view's only selected item). A request while the conversion runs waits
    // for it.
    void startPreview(ElaboratContext *context);
    // The latest preview conversion, or nullptr.
    const Img2Pdf *previewConverter() const { return converter.get(); }

    // The floor rule of building-cadastre elaborates: a document under a "104" bookmark keeps
    // `source`'s floor when it stays in source's bookmark or the floor is free there, else it
    // gets the bookmark's next floor; under another bookmark the label is emptied. Documents
    // elsewhere and in land-cadastre elaborates are left alone.
    void assignFloor(const TTreeDokument *source);
    // The floor rule for a document that was moved itself into another bookmark: it keeps
    // `floor` when that is free there, else it gets the next floor.
    void assignFloorAfterMove(const QString &floor);

private:
    void setPathFields(const QString &path);
    void takeConvertedFile(const QString &pdfPath);
    void showName();
    void applyFloorRule(const QString &floor, bool staysInBookmark);
    void stopPreviewConversion();

    mutable TTreeElaborat *owner = nullptr;
    QString path;
    QString name;
    QString fileSuffix;
    int turns = 0;
    int pageNumber = 0;
    int pages = 1;
    QString source;
    QString sourceFileName;
    std::unique_ptr<Img2Pdf> converter;
};
