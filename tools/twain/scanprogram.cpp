#include "scanprogram.h"

#include "sanedevice.h"
#include "sanesession.h"
#include "storedsources.h"
#include "teardownwatchdog.h"

#include <algorithm>

namespace {
// The entries of the devices there are now. A device that cannot be asked for its paper sources
// keeps those of the stored list.
bool currentSources(const SaneSession &session, const QList<ScanSource> &stored,
    QList<ScanSource> *sources, QString *error)
{
    QList<DeviceDescription> devices;
    if (!session.devices(&devices, error))
        return false;
    for (DeviceDescription &device : devices)
        SaneSession::askSources(&device);
    keepStoredSources(&devices, stored);
    *sources = orderedSources(devices);
    return true;
}
} // namespace

bool listSources(
    const QString &storePath, QStringList *lines, QString *error, const TeardownReport &report)
{
    TeardownWatchdog watchdog;
    SaneSession session;
    QList<ScanSource> sources;
    // Stored before it is printed: every id that a caller reads, a scan can resolve.
    const bool listed = session.start(error)
        && currentSources(
            session, loadSources(storePath).value_or(QList<ScanSource>()), &sources, error)
        && saveSources(sources, storePath, error);
    if (listed) {
        for (int id = 0; id < sources.size(); ++id)
            lines->append(sourceLine(id, sources.at(id).name));
    }
    watchdog.arm([=] { report(listed, *lines, *error); }, listed ? 0 : 1);
    return listed;
}

namespace {
// The entry that the id names in the list last printed; without a stored list, in the list of
// the devices there are now, as a listing would print it.
bool entryOf(const SaneSession &session, const ScanRequest &request, const QString &storePath,
    ScanSource *entry, QString *error)
{
    std::optional<QList<ScanSource>> sources = loadSources(storePath);
    if (!sources && !currentSources(session, {}, &sources.emplace(), error))
        return false;
    if (request.sourceId >= sources->size()) {
        *error = QStringLiteral("Vir %1 ne obstaja.").arg(request.sourceId);
        return false;
    }
    *entry = sources->at(request.sourceId);
    return true;
}

// Opens the entry's device and selects its paper source. A device that is gone, or no longer
// offers the source, fails rather than letting another one scan.
bool openEntry(
    const SaneSession &session, const ScanSource &entry, int id, SaneDevice &device, QString *error)
{
    QList<DeviceDescription> devices;
    if (!session.devices(&devices, error))
        return false;
    const auto isEntrys
        = [&entry](const DeviceDescription &listed) { return listed.device == entry.device; };
    const QString gone = QStringLiteral("Vir %1 ni vec na voljo.").arg(id);
    if (std::none_of(devices.cbegin(), devices.cend(), isEntrys)) {
        *error = gone;
        return false;
    }
    if (!device.open(entry.device, error))
        return false;
    if (!entry.source.isEmpty() && !device.sources().contains(entry.source)) {
        *error = gone;
        return false;
    }
    return device.prepare(entry.source, error);
}

bool scanWith(SaneSession &session, SaneDevice &device, const ScanRequest &request,
    const QString &storePath, const PageWritten &pageWritten, QString *error)
{
    ScanSource entry;
    if (!session.start(error) || !entryOf(session, request, storePath, &entry, error)
        || !openEntry(session, entry, request.sourceId, device, error))
        return false;
    const auto nextPage
        = [&device](RgbPage *page, QString *failure) { return device.readPage(page, failure); };
    return scanBatch(nextPage, !isFeederSource(entry.source), request, pageWritten, error);
}
} // namespace

bool scanIntoFolder(const ScanRequest &request, const QString &storePath,
    const PageWritten &pageWritten, QString *error, const TeardownReport &report)
{
    if (!checkFolder(request.folder, error))
        return false;
    TeardownWatchdog watchdog;
    SaneSession session;
    SaneDevice device;
    const bool scanned = scanWith(session, device, request, storePath, pageWritten, error);
    watchdog.arm([=] { report(scanned, {}, *error); }, scanned ? 0 : 1);
    return scanned;
}
