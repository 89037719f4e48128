#include "independentreaders.h"

#include "toolprogram.h"

namespace {
void addEntries(
    const QVector<Poppler::OutlineItem> &items, int depth, QVector<PopplerOutlineEntry> *entries)
{
    for (const Poppler::OutlineItem &item : items) {
        PopplerOutlineEntry entry;
        entry.depth = depth;
        entry.title = item.name();
        const QSharedPointer<const Poppler::LinkDestination> destination = item.destination();
        entry.page = destination ? destination->pageNumber() : 0;
        entry.open = item.isOpen();
        entries->append(entry);
        addEntries(item.children(), depth + 1, entries);
    }
}
} // namespace

std::unique_ptr<Poppler::Document> popplerDocument(const QString &path)
{
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    return document && !document->isLocked() ? std::move(document) : nullptr;
}

QVector<PopplerOutlineEntry> popplerOutline(const QString &path)
{
    QVector<PopplerOutlineEntry> entries;
    if (const std::unique_ptr<Poppler::Document> document = popplerDocument(path))
        addEntries(document->outline(), 0, &entries);
    return entries;
}

QVector<ListedImage> pdfimagesList(const QString &path)
{
    QVector<ListedImage> images;
    const ProgramRun run = runProgram(QStringLiteral("pdfimages"), {"-list", path});
    const QStringList lines = QString::fromUtf8(run.output).split(QLatin1Char('\n'));
    // Two heading lines, then: page num type width height color comp bpc enc interp object ID
    // x-ppi y-ppi size ratio, where an inline image has the single "[inline]" for object ID.
    for (int i = 2; i < lines.size(); ++i) {
        const QStringList fields = lines.at(i).simplified().split(QLatin1Char(' '));
        if (fields.size() < 13)
            continue;
        ListedImage image;
        image.page = fields.at(0).toInt();
        image.type = fields.at(2);
        image.width = fields.at(3).toInt();
        image.height = fields.at(4).toInt();
        image.bitsPerPixel = fields.at(6).toInt() * fields.at(7).toInt();
        image.xPpi = fields.at(fields.size() - 4).toInt();
        image.yPpi = fields.at(fields.size() - 3).toInt();
        images.append(image);
    }
    return images;
}
