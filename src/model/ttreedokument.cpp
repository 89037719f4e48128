#include "ttreedokument.h"

#include "elaboratcontext.h"
#include "intake/imageconversion.h"
#include "intake/img2pdf.h"
#include "pagecountcache.h"
#include "platform/toolrunner.h"
#include "ttreebookmark.h"
#include "ttreeelaborat.h"
#include "ttreewidget.h"

#include <QFileInfo>

TTreeDokument::TTreeDokument(const QString &path, QTreeWidgetItem *parent, int page, int rotation)
    : TTreeLeaf(parent, Type)
    , source(path)
    , sourceFileName(QFileInfo(path).fileName())
{
    setFile(path, page, rotation);
    assignFloor(nullptr);
}

TTreeDokument::TTreeDokument(const TTreeDokument &other, QTreeWidgetItem *parent)
    : TTreeLeaf(parent, Type)
    , source(other.source)
    , sourceFileName(QFileInfo(other.source).fileName())
{
    setFile(other.path, other.pageNumber, other.turns);
    setNameColor(other.nameColor());
    assignFloor(&other);
}

TTreeDokument::~TTreeDokument()
{
    stopPreviewConversion();
}

void TTreeDokument::stopPreviewConversion()
{
    if (!converter)
        return;
    // An earlier conversion must not hand the document a file any more.
    converter->disconnect();
    if (converter->state() != QProcess::NotRunning) {
        converter->kill();
        converter->waitForFinished(ToolRunner::timeoutMs);
    }
    converter.reset();
}

TTreeElaborat *TTreeDokument::elaborat() const
{
    if (treeWidget())
        owner = TTreeWidget::elaboratOf(this);
    return owner;
}

void TTreeDokument::setFile(const QString &newPath, int page, int rotation)
{
    createRowWidget(true);
    if (TTreeElaborat *found = elaborat())
        found->markModified();
    setPathFields(newPath);
    pageNumber = page;
    showName();
    turns = rotation;
    pages = fileSuffix == QLatin1String("pdf") ? PageCountCache::pageCount(newPath) : 1;
}

void TTreeDokument::setFilePath(const QString &newPath)
{
    if (newPath.isEmpty())
        return;
    takeConvertedFile(newPath);
    QTreeWidget *view = treeWidget();
    if (!view)
        return;
    const QList<QTreeWidgetItem *> selected = view->selectedItems();
    TTreeElaborat *found = elaborat();
    if (selected.size() == 1 && selected.first() == this && found && found->context())
        found->context()->showDocument(this);
}

void TTreeDokument::setPage(int page)
{
    if (pageNumber == 0)
        return;
    pageNumber = page;
    showName();
}

void TTreeDokument::rotate(int degrees)
{
    if (TTreeElaborat *found = elaborat())
        found->markModified();
    const int current = turns == 0 ? 360 : turns * 90;
    turns = (((current + degrees) / 90) % 4 + 4) % 4;
}

void TTreeDokument::startPreview(ElaboratContext *context)
{
    if (fileSuffix == QLatin1String("pdf")) {
        if (context)
            context->showDocument(this);
        return;
    }
    const TTreeElaborat *found = elaborat();
    if (!found || (converter && converter->state() != QProcess::NotRunning))
        return;
    stopPreviewConversion();
    converter
        = std::make_unique<Img2Pdf>(path, ImageConversion::documentPdfPath(found->workDir(), path));
    // Taking the file shows the document again when it is the view's only selected item.
    QObject::connect(converter.get(), &Img2Pdf::converted, converter.get(),
        [this](const QString &pdf) { setFilePath(pdf); });
}

void TTreeDokument::setConvertedFile(const QString &pdfPath)
{
    takeConvertedFile(pdfPath);
}

void TTreeDokument::takeConvertedFile(const QString &pdfPath)
{
    setPathFields(pdfPath);
    // A multi-page TIFF becomes a multi-page PDF; the outline and the split count its pages.
    if (fileSuffix == QLatin1String("pdf") && QFileInfo::exists(pdfPath))
        pages = PageCountCache::pageCount(pdfPath);
}

void TTreeDokument::assignFloor(const TTreeDokument *sourceDocument)
{
    const TTreeBookmark *bookmark = TTreeBookmark::cast(parent());
    if (!sourceDocument || !bookmark) {
        applyFloorRule(QString(), false);
        return;
    }
    const QTreeWidgetItem *sourceParent = sourceDocument->parent();
    const bool stays
        = sourceParent && (sourceParent == bookmark || sourceParent->parent() == bookmark);
    applyFloorRule(sourceDocument->tagText(), stays);
}

void TTreeDokument::assignFloorAfterMove(const QString &floor)
{
    // The document is in its new bookmark already; its own label must not count as taken.
    if (TTreeBookmark::cast(parent()))
        setTagText(QString());
    applyFloorRule(floor, false);
}

void TTreeDokument::applyFloorRule(const QString &floor, bool staysInBookmark)
{
    const TTreeElaborat *found = elaborat();
    const TTreeBookmark *bookmark = TTreeBookmark::cast(parent());
    if (!found || !found->isKs() || !bookmark)
        return;
    const bool floorPlans = bookmark->sifra() == QLatin1String("104");
    if (floorPlans && !floor.isEmpty() && (staysInBookmark || !bookmark->hasFloor(floor.toInt()))) {
        setTagText(floor);
        return;
    }
    setTagText(floorPlans ? QString::number(bookmark->nextFloor()) : QString());
}

void TTreeDokument::setPathFields(const QString &newPath)
{
    const QFileInfo info(newPath);
    path = newPath;
    name = info.fileName();
    fileSuffix = info.suffix().toLower();
}

void TTreeDokument::showName()
{
    const QString lower = sourceFileName.toLower();
    setNameText(pageNumber == 0 ? lower : QStringLiteral("%1/str. %2").arg(lower).arg(pageNumber));
}
