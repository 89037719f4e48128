#include "recoveryrecord.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QVector>
#include <array>
#include <utility>

namespace {
const QString formatName = QStringLiteral("tev-obnova");
constexpr int formatVersion = 1;

const std::array<std::pair<SnapshotKind, const char *>, 7> kindNames = {{
    {SnapshotKind::Sestavine, "sestavine"},
    {SnapshotKind::Component, "component"},
    {SnapshotKind::Bookmark, "bookmark"},
    {SnapshotKind::Document, "document"},
    {SnapshotKind::Subtitle, "subtitle"},
    {SnapshotKind::DigitalData, "digital"},
    {SnapshotKind::Other, "other"},
}};

QString kindName(SnapshotKind kind)
{
    for (const auto &[known, name] : kindNames) {
        if (known == kind)
            return QString::fromLatin1(name);
    }
    return QString();
}

std::optional<SnapshotKind> kindOf(const QString &name)
{
    for (const auto &[kind, known] : kindNames) {
        if (name == QLatin1String(known))
            return kind;
    }
    return std::nullopt;
}

void putText(QJsonObject &object, const char *key, const QString &value)
{
    if (!value.isEmpty())
        object.insert(QLatin1String(key), value);
}

void putNumber(QJsonObject &object, const char *key, int value, int usual)
{
    if (value != usual)
        object.insert(QLatin1String(key), value);
}

QJsonObject itemObject(const SnapshotItem &item)
{
    QJsonObject object {
        {QStringLiteral("kind"), kindName(item.kind)}, {QStringLiteral("parent"), item.parent}};
    putText(object, "text", item.text);
    putText(object, "code", item.code);
    putText(object, "file", item.filePath);
    if (item.kind == SnapshotKind::Document && item.sourcePath != item.filePath)
        putText(object, "source", item.sourcePath);
    putNumber(object, "page", item.page, 0);
    putNumber(object, "pageCount", item.pageCount, 1);
    putNumber(object, "rotation", item.rotation, 0);
    putText(object, "tag", item.tagLabel);
    return object;
}

QString text(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toString();
}

std::optional<SnapshotItem> itemOf(const QJsonObject &object, int index)
{
    const std::optional<SnapshotKind> kind = kindOf(text(object, "kind"));
    const int parent = object.value(QStringLiteral("parent")).toInt(-2);
    if (!kind || parent < -1 || parent >= index)
        return std::nullopt;
    SnapshotItem item;
    item.kind = *kind;
    item.parent = parent;
    item.text = text(object, "text");
    item.code = text(object, "code");
    item.filePath = text(object, "file");
    // A document that was not converted uses its source file; only documents have one.
    const bool ownSource
        = item.kind != SnapshotKind::Document || object.contains(QStringLiteral("source"));
    item.sourcePath = ownSource ? text(object, "source") : item.filePath;
    item.page = object.value(QStringLiteral("page")).toInt(0);
    item.pageCount = object.value(QStringLiteral("pageCount")).toInt(1);
    item.rotation = object.value(QStringLiteral("rotation")).toInt(0) & 3;
    item.tagLabel = text(object, "tag");
    return item;
}

bool readItems(const QJsonArray &array, QVector<SnapshotItem> &items)
{
    items.reserve(array.size());
    for (int i = 0; i < array.size(); ++i) {
        const std::optional<SnapshotItem> item = itemOf(array.at(i).toObject(), i);
        if (!item)
            return false;
        items.append(*item);
    }
    return true;
}

void readProcedures(const QJsonArray &array, ElaboratSnapshot &tree)
{
    for (const QJsonValue &value : array) {
        tree.procedureIds << text(value.toObject(), "id");
        tree.procedureNames << text(value.toObject(), "name");
    }
}

void readAttributes(const QJsonArray &array, ElaboratSnapshot &tree)
{
    for (const QJsonValue &value : array) {
        const QJsonObject object = value.toObject();
        tree.attributes.append({text(object, "id"), text(object, "label"), text(object, "value")});
    }
}

QString moved(const QString &path, const QString &from, const QString &to)
{
    if (from.isEmpty() || from == to || !path.startsWith(from + QLatin1Char('/')))
        return path;
    return to + path.mid(from.size());
}

bool hasFile(SnapshotItem &item)
{
    if (item.kind != SnapshotKind::Document && item.kind != SnapshotKind::DigitalData)
        return true;
    if (QFileInfo::exists(item.filePath))
        return true;
    // A converted file that went can be made again from its source.
    if (item.kind == SnapshotKind::Document && item.sourcePath != item.filePath
        && QFileInfo::exists(item.sourcePath)) {
        item.filePath = item.sourcePath;
        item.pageCount = 1;
        return true;
    }
    return false;
}
} // namespace

QString recoveryFileName()
{
    return QStringLiteral("obnova.json");
}

QByteArray recoveryJson(const RecoveryRecord &record)
{
    const ElaboratSnapshot &tree = record.tree;
    QJsonArray procedures;
    for (int i = 0; i < tree.procedureIds.size(); ++i)
        procedures.append(QJsonObject {{QStringLiteral("id"), tree.procedureIds.at(i)},
            {QStringLiteral("name"), tree.procedureNames.value(i)}});
    QJsonArray attributes;
    for (const SnapshotAttribute &attribute : tree.attributes)
        attributes.append(QJsonObject {{QStringLiteral("id"), attribute.id},
            {QStringLiteral("label"), attribute.label},
            {QStringLiteral("value"), attribute.value}});
    QJsonArray items;
    for (const SnapshotItem &item : tree.items)
        items.append(itemObject(item));
    const QJsonObject root {{QStringLiteral("format"), formatName},
        {QStringLiteral("version"), formatVersion}, {QStringLiteral("stamp"), record.stamp},
        {QStringLiteral("text"), record.text}, {QStringLiteral("isKs"), tree.isKs},
        {QStringLiteral("upToDate"), record.upToDate}, {QStringLiteral("pdfPath"), tree.pdfPath},
        {QStringLiteral("previousPdfPath"), record.previousPdfPath},
        {QStringLiteral("workDir"), tree.workDir},
        {QStringLiteral("nextScanNumber"), record.nextScanNumber},
        {QStringLiteral("procedures"), procedures}, {QStringLiteral("attributes"), attributes},
        {QStringLiteral("items"), items}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<RecoveryRecord> parseRecoveryJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        *error = QStringLiteral("ni zapis JSON (%1)").arg(parseError.errorString());
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    if (text(root, "format") != formatName
        || root.value(QStringLiteral("version")).toInt() != formatVersion) {
        *error = QStringLiteral("neznana oblika ali razlicica zapisa");
        return std::nullopt;
    }
    RecoveryRecord record;
    record.stamp = text(root, "stamp");
    record.text = text(root, "text");
    record.upToDate = root.value(QStringLiteral("upToDate")).toBool();
    record.previousPdfPath = text(root, "previousPdfPath");
    record.nextScanNumber = root.value(QStringLiteral("nextScanNumber")).toInt(1);
    ElaboratSnapshot &tree = record.tree;
    tree.isKs = root.value(QStringLiteral("isKs")).toBool();
    tree.pdfPath = text(root, "pdfPath");
    tree.workDir = text(root, "workDir");
    readProcedures(root.value(QStringLiteral("procedures")).toArray(), tree);
    readAttributes(root.value(QStringLiteral("attributes")).toArray(), tree);
    if (record.stamp.isEmpty() || tree.procedureIds.isEmpty()
        || !readItems(root.value(QStringLiteral("items")).toArray(), tree.items)) {
        *error = QStringLiteral("zapis ni popoln");
        return std::nullopt;
    }
    return record;
}

bool writeRecoveryRecord(const QString &path, const RecoveryRecord &record)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(recoveryJson(record)) >= 0
        && file.commit();
}

std::optional<RecoveryRecord> readRecoveryRecord(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    return parseRecoveryJson(file.readAll(), error);
}

QStringList dropMissingFiles(RecoveryRecord &record, const QString &workDir)
{
    QVector<SnapshotItem> &items = record.tree.items;
    const QString writtenIn = record.tree.workDir;
    record.tree.workDir = workDir;
    QStringList missing;
    QVector<bool> keep(items.size(), true);
    QVector<bool> emptied(items.size(), false);
    for (int i = 0; i < items.size(); ++i) {
        SnapshotItem &item = items[i];
        item.filePath = moved(item.filePath, writtenIn, workDir);
        item.sourcePath = moved(item.sourcePath, writtenIn, workDir);
        if (!hasFile(item)) {
            missing << item.filePath;
            keep[i] = false;
            if (item.parent >= 0)
                emptied[item.parent] = true;
        }
    }
    // Children stand after their parents: going backwards, a subtitle that lost its last page
    // is known before the bookmark that holds it.
    QVector<int> children(items.size(), 0);
    for (int i = items.size() - 1; i >= 0; --i) {
        const SnapshotItem &item = items.at(i);
        const bool container
            = item.kind == SnapshotKind::Bookmark || item.kind == SnapshotKind::Subtitle;
        if (keep[i] && container && emptied[i] && children[i] == 0) {
            keep[i] = false;
            if (item.parent >= 0)
                emptied[item.parent] = true;
        }
        if (keep[i] && item.parent >= 0)
            ++children[item.parent];
    }
    QVector<int> newIndex(items.size(), -1);
    QVector<SnapshotItem> kept;
    for (int i = 0; i < items.size(); ++i) {
        if (!keep[i] || (items.at(i).parent >= 0 && newIndex[items.at(i).parent] < 0))
            continue;
        SnapshotItem item = items.at(i);
        item.parent = item.parent >= 0 ? newIndex[item.parent] : -1;
        newIndex[i] = kept.size();
        kept.append(item);
    }
    items = kept;
    return missing;
}
