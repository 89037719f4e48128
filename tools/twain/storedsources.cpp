#include "storedsources.h"

#include "writefailure.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {
const QString deviceKey = QStringLiteral("device");
const QString sourceKey = QStringLiteral("source");
const QString nameKey = QStringLiteral("name");

std::optional<ScanSource> entry(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    const QJsonValue device = object.value(deviceKey);
    const QJsonValue source = object.value(sourceKey);
    const QJsonValue name = object.value(nameKey);
    if (!device.isString() || device.toString().isEmpty() || !source.isString() || !name.isString())
        return std::nullopt;
    return ScanSource {device.toString(), source.toString(), name.toString()};
}
} // namespace

std::optional<QList<ScanSource>> loadSources(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isArray())
        return std::nullopt;
    QList<ScanSource> sources;
    for (const QJsonValue &value : document.array()) {
        const std::optional<ScanSource> source = entry(value);
        if (!source)
            return std::nullopt;
        sources.append(*source);
    }
    return sources;
}

bool saveSources(const QList<ScanSource> &sources, const QString &path, QString *error)
{
    QJsonArray entries;
    for (const ScanSource &source : sources)
        entries.append(QJsonObject {
            {deviceKey, source.device}, {sourceKey, source.source}, {nameKey, source.name}});
    const QByteArray text = QJsonDocument(entries).toJson();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return true;
    *error = QStringLiteral("Seznama virov ni mogoce shraniti v %1: %2")
                 .arg(QDir::toNativeSeparators(path), writeFailureReason(file));
    return false;
}
