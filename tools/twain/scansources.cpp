#include "scansources.h"

#include <algorithm>

namespace {
QString deviceName(const DeviceDescription &device)
{
    const QString name
        = (device.vendor.trimmed() + QLatin1Char(' ') + device.model.trimmed()).trimmed();
    return name.isEmpty() ? device.device : name;
}
} // namespace

QList<ScanSource> orderedSources(QList<DeviceDescription> devices)
{
    std::sort(
        devices.begin(), devices.end(), [](const DeviceDescription &a, const DeviceDescription &b) {
            const int byName = deviceName(a).compare(deviceName(b));
            return byName != 0 ? byName < 0 : a.device < b.device;
        });
    QList<ScanSource> sources;
    for (const DeviceDescription &device : std::as_const(devices)) {
        QString name = deviceName(device);
        const auto sameName = [&](const DeviceDescription &other) {
            return &other != &device && deviceName(other) == name;
        };
        if (std::any_of(devices.cbegin(), devices.cend(), sameName))
            name += QStringLiteral(" [%1]").arg(device.device);
        if (device.sources.size() <= 1) {
            sources.append({device.device, device.sources.value(0), name});
            continue;
        }
        for (const QString &source : device.sources)
            sources.append({device.device, source, QStringLiteral("%1 (%2)").arg(name, source)});
    }
    return sources;
}

void keepStoredSources(QList<DeviceDescription> *devices, const QList<ScanSource> &stored)
{
    for (DeviceDescription &device : *devices) {
        if (device.asked)
            continue;
        for (const ScanSource &entry : stored) {
            // An entry without a source stands for a device that offered no choice.
            if (entry.device == device.device && !entry.source.isEmpty())
                device.sources.append(entry.source);
        }
    }
}

QString sourceLine(int id, const QString &name)
{
    QString clean;
    for (const QChar c : name)
        clean += c.unicode() >= 0x20 && c.unicode() < 0x7f ? c : QLatin1Char(' ');
    clean.replace(QLatin1String(":,"), QLatin1String(": "));
    return QString::number(id) + QLatin1String(":,") + clean.simplified();
}

bool isFeederSource(const QString &source)
{
    return source.contains(QLatin1String("ADF"), Qt::CaseInsensitive)
        || source.contains(QLatin1String("Feeder"), Qt::CaseInsensitive)
        || source.contains(QLatin1String("Duplex"), Qt::CaseInsensitive);
}
