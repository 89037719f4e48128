#include "scanprogram.h"

#include "sanedevice.h"
#include "sanesession.h"
#include "teardownwatchdog.h"

bool listSources(QStringList *lines, QString *error, const TeardownReport &report)
{
    TeardownWatchdog watchdog;
    SaneSession session;
    QList<ScanSource> sources;
    const bool listed = session.start(error) && session.sources(&sources, error);
    if (listed) {
        for (int id = 0; id < sources.size(); ++id)
            lines->append(sourceLine(id, sources.at(id).name));
    }
    watchdog.arm([=] { report(listed, *lines, *error); }, listed ? 0 : 1);
    return listed;
}

namespace {
bool scanWith(SaneSession &session, SaneDevice &device, const ScanRequest &request,
    const PageWritten &pageWritten, QString *error)
{
    QList<ScanSource> sources;
    if (!session.start(error) || !session.sources(&sources, error))
        return false;
    if (request.sourceId >= sources.size()) {
        *error = QStringLiteral("Vir %1 ne obstaja.").arg(request.sourceId);
        return false;
    }
    const ScanSource &source = sources.at(request.sourceId);
    if (!device.open(source.device, error) || !device.prepare(source.source, error))
        return false;
    const auto nextPage
        = [&device](RgbPage *page, QString *failure) { return device.readPage(page, failure); };
    return scanBatch(nextPage, !isFeederSource(source.source), request, pageWritten, error);
}
} // namespace

bool scanIntoFolder(const ScanRequest &request, const PageWritten &pageWritten, QString *error,
    const TeardownReport &report)
{
    if (!checkFolder(request.folder, error))
        return false;
    TeardownWatchdog watchdog;
    SaneSession session;
    SaneDevice device;
    const bool scanned = scanWith(session, device, request, pageWritten, error);
    watchdog.arm([=] { report(scanned, {}, *error); }, scanned ? 0 : 1);
    return scanned;
}
