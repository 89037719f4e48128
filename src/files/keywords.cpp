#include "keywords.h"

#include "model/elaboratsnapshot.h"
#include "naming.h"
#include "outline.h"

#include <algorithm>

namespace {

const QString tooLongAlone = QStringLiteral("je predolga (vec kot 128 KiB)");
const QString tooLongTogether = QStringLiteral("je predolga (atributi skupaj presegajo 128 KiB)");

AttributeProblem blocking(const QString &problem)
{
    return {QString(), problem, true};
}

QString characterProblem(QChar character)
{
    return QStringLiteral("vsebuje znak \"%1\"").arg(character);
}

QString floorEntry(const SnapshotItem &document)
{
    return document.tagLabel + QLatin1Char(':') + QString::number(documentPages(document));
}

bool isDocument(const ElaboratSnapshot &snapshot, int index)
{
    return snapshot.items.at(index).kind == SnapshotKind::Document;
}

} // namespace

QString storedAttributeValue(const ElaboratSnapshot &snapshot, const SnapshotAttribute &attribute)
{
    if (attribute.id == QLatin1String("KO") || attribute.id == QLatin1String("GEODETSKA_PISARNA"))
        return attribute.value.section(QLatin1Char(' '), 0, 0);
    if (attribute.id == QLatin1String("POSTOPKI"))
        return snapshot.procedureIds.join(QLatin1Char(';'));
    return attribute.value;
}

std::optional<AttributeProblem> attributeValueProblem(const QString &value)
{
    for (const QChar character : value) {
        if (character.category() == QChar::Other_Control)
            return blocking(
                QStringLiteral("vsebuje kontrolni znak (koda %1)").arg(int(character.unicode())));
    }
    for (const QChar separator : {QLatin1Char('|'), QLatin1Char('=')}) {
        if (value.contains(separator))
            return blocking(characterProblem(separator));
    }
    if (value.toUtf8().size() > maxArgumentBytes)
        return blocking(tooLongAlone);
    if (value.contains(QLatin1Char('"')))
        return AttributeProblem {QString(),
            QStringLiteral("vsebuje dvojni narekovaj, ki se shrani kot apostrof"), false};
    return std::nullopt;
}

QVector<AttributeProblem> attributeProblems(const ElaboratSnapshot &snapshot)
{
    QVector<AttributeProblem> problems;
    int longest = -1;
    qsizetype longestSize = -1;
    for (int i = 0; i < snapshot.attributes.size(); ++i) {
        const SnapshotAttribute &attribute = snapshot.attributes.at(i);
        const QString value = storedAttributeValue(snapshot, attribute);
        if (std::optional<AttributeProblem> problem = attributeValueProblem(value)) {
            problem->label = attribute.label;
            problems.append(*problem);
        }
        if (value.size() > longestSize) {
            longest = i;
            longestSize = value.size();
        }
    }
    if (!problems.isEmpty() || longest < 0)
        return problems;
    const ElaboratOutline outline = buildOutline(snapshot);
    const QString keywords = keywordsText(snapshot, outline.bookmarkCodes, outline.componentCodes);
    if (keywords.toUtf8().size() > maxArgumentBytes)
        problems.append({snapshot.attributes.at(longest).label, tooLongTogether, true});
    return problems;
}

NamingCheck checkStoredAttributes(const ElaboratSnapshot &snapshot)
{
    NamingCheck check;
    const QVector<AttributeProblem> problems = attributeProblems(snapshot);
    const auto blocker = std::find_if(problems.cbegin(), problems.cend(),
        [](const AttributeProblem &problem) { return problem.blocksBuild; });
    check.ok = blocker == problems.cend();
    if (!check.ok) {
        check.title = QStringLiteral("Elaborat");
        check.warning = QStringLiteral("Vrednosti atributa \"%1\" ni mogoce shraniti v elaborat, "
                                       "ker %2. Popravite jo v tabeli atributov.")
                            .arg(blocker->label, blocker->problem);
    }
    return check;
}

QString metadataAttributes(const ElaboratSnapshot &snapshot)
{
    QStringList fields;
    for (const SnapshotAttribute &attribute : snapshot.attributes)
        fields << attribute.id + QLatin1Char('=') + storedAttributeValue(snapshot, attribute);
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
