#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

struct ElaboratSnapshot;

// The fields of a Keywords text by key.
using KeywordMap = QMap<QString, QString>;

// What reopening takes from the Keywords of an elaborat PDF.
struct StoredKeywords
{
    bool isKs = false; // KS is exactly "1"
    QStringList procedureIds; // trimmed; "splosno" alone when there is no SIDS field
    bool forcedKind = false; // the kind comes from KS, not from the first procedure
    QStringList bookmarkCodes; // BMIDS split at ";", every "414" read as "413"
    QStringList componentCodes; // SIDS split at ";"
    QString floors; // the ETS value
};

// The attribute part of the Keywords text: "id=value" for every attribute row in table order,
// joined with "|". KO and GEODETSKA_PISARNA give only the code before the first blank,
// POSTOPKI the procedure ids joined with ";".
QString metadataAttributes(const ElaboratSnapshot &snapshot);

// The floor entries "label:pages" of every "104" bookmark in walk order: one per direct
// document, one per document of each direct subtitle.
QStringList floorEntries(const ElaboratSnapshot &snapshot);

// The whole Keywords text: the attribute part with every double quote turned into an
// apostrophe, the ETS field (building cadastre with floor entries only), then BMIDS, SIDS, KS,
// UNAME (the user name for an office user only) and VER. Values are not escaped.
QString keywordsText(const ElaboratSnapshot &snapshot, const QStringList &bookmarkCodes,
    const QStringList &componentCodes);

// The reader's map of a Keywords text: parts between "|", each "key=value" with the key
// trimmed and the value ending at the next "="; a later key replaces an earlier one. Parts with
// an empty key and parts without "=" are no fields (the latter are pieces of a value that held
// a "|") and are dropped.
KeywordMap keywordMap(const QString &text);

// The reopening fields of a keyword map; none when it has no POSTOPKI field, which marks a PDF
// that is no elaborat.
std::optional<StoredKeywords> storedKeywords(const KeywordMap &map);
