#include "scanprogram.h"

#include "sanedevice.h"
#include "sanesession.h"

bool listSources(QStringList *lines, QString *error)
{
    SaneSession session;
    QList<ScanSource> sources;
    if (!session.start(error) || !session.sources(&sources, error))
        return false;
    for (int id = 0; id < sources.size(); ++id)
        lines->append(sourceLine(id, sources.at(id).name));
    return true;
}

bool scanIntoFolder(const ScanRequest &request, const PageWritten &pageWritten, QString *error)
{
    if (!checkFolder(request.folder, error))
        return false;
    SaneSession session;
    QList<ScanSource> sources;
    if (!session.start(error) || !session.sources(&sources, error))
        return false;
    if (request.sourceId >= sources.size()) {
        *error = QStringLiteral("Vir %1 ne obstaja.").arg(request.sourceId);
        return false;
    }
    const ScanSource &source = sources.at(request.sourceId);
    SaneDevice device;
    if (!device.open(source.device, error) || !device.prepare(source.source, error))
        return false;
    const auto nextPage
        = [&device](RgbPage *page, QString *failure) { return device.readPage(page, failure); };
    return scanBatch(nextPage, !isFeederSource(source.source), request, pageWritten, error);
}
