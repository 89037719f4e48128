#include "keywords.h"

#include "elaboratsnapshot.h"

namespace {

QString floorEntry(const SnapshotItem &document)
{
    return document.tagLabel + QLatin1Char(':') + QString::number(documentPages(document));
}

bool isDocument(const ElaboratSnapshot &snapshot, int index)
{
    return snapshot.items.at(index).kind == SnapshotKind::Document;
}

} // namespace

QString metadataAttributes(const ElaboratSnapshot &snapshot)
{
    QStringList fields;
    for (const SnapshotAttribute &attribute : snapshot.attributes) {
        QString value = attribute.value;
        if (attribute.id == QLatin1String("KO")
            || attribute.id == QLatin1String("GEODETSKA_PISARNA"))
            value = value.section(QLatin1Char(' '), 0, 0);
        else if (attribute.id == QLatin1String("POSTOPKI"))
            value = snapshot.procedureIds.join(QLatin1Char(';'));
        fields << attribute.id + QLatin1Char('=') + value;
    }
    return fields.join(QLatin1Char('|'));
}

QStringList floorEntries(const ElaboratSnapshot &snapshot)
{
    QStringList entries;
    for (int i = 0; i < snapshot.items.size(); ++i) {
        if (!isBookmarkWithCode(snapshot, i, QStringLiteral("104")))
            continue;
        for (int child : childrenOf(snapshot, i)) {
            if (isDocument(snapshot, child)) {
                entries << floorEntry(snapshot.items.at(child));
            } else if (snapshot.items.at(child).kind == SnapshotKind::Subtitle) {
                for (int leaf : childrenOf(snapshot, child)) {
                    if (isDocument(snapshot, leaf))
                        entries << floorEntry(snapshot.items.at(leaf));
                }
            }
        }
    }
    return entries;
}

QString keywordsText(const ElaboratSnapshot &snapshot, const QStringList &bookmarkCodes,
    const QStringList &componentCodes)
{
    QString text = metadataAttributes(snapshot).replace(QLatin1Char('"'), QLatin1Char('\''));
    if (snapshot.isKs) {
        const QStringList floors = floorEntries(snapshot);
        if (!floors.isEmpty())
            text += QStringLiteral("|ETS=") + floors.join(QLatin1Char(';'));
    }
    text += QStringLiteral("|BMIDS=") + bookmarkCodes.join(QLatin1Char(';'));
    text += QStringLiteral("|SIDS=") + componentCodes.join(QLatin1Char(';'));
    text += QStringLiteral("|KS=") + (snapshot.isKs ? QLatin1Char('1') : QLatin1Char('0'));
    text += QStringLiteral("|UNAME=") + (snapshot.officeUser ? snapshot.userName : QString());
    text += QStringLiteral("|VER=") + snapshot.version;
    return text;
}

KeywordMap keywordMap(const QString &text)
{
    KeywordMap map;
    for (const QString &part : text.split(QLatin1Char('|'))) {
        const QStringList pieces = part.split(QLatin1Char('='));
        if (pieces.size() < 2)
            continue;
        const QString key = pieces.at(0).trimmed();
        if (!key.isEmpty())
            map.insert(key, pieces.at(1));
    }
    return map;
}

std::optional<StoredKeywords> storedKeywords(const KeywordMap &map)
{
    if (!map.contains(QStringLiteral("POSTOPKI")))
        return std::nullopt;
    StoredKeywords stored;
    stored.isKs = map.value(QStringLiteral("KS")) == QLatin1String("1");
    if (map.contains(QStringLiteral("SIDS"))) {
        for (const QString &id : map.value(QStringLiteral("POSTOPKI")).split(QLatin1Char(';')))
            stored.procedureIds << id.trimmed();
    } else {
        // Without component codes the file can only be rebuilt as a general elaborat.
        stored.procedureIds << QStringLiteral("splosno");
        stored.forcedKind = true;
    }
    stored.bookmarkCodes = map.value(QStringLiteral("BMIDS"))
                               .replace(QStringLiteral("414"), QStringLiteral("413"))
                               .split(QLatin1Char(';'));
    stored.componentCodes = map.value(QStringLiteral("SIDS")).split(QLatin1Char(';'));
    stored.floors = map.value(QStringLiteral("ETS"));
    return stored;
}
