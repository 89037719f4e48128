#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

struct ElaboratSnapshot;
struct NamingCheck;
struct SnapshotAttribute;

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

// What reopening would not give back of an attribute row's stored value.
struct AttributeProblem
{
    QString label; // the row's header text
    QString problem; // what is wrong, for the user: "vsebuje znak \"|\""
    bool blocksBuild = true; // false for a double quote, which the text stores as an apostrophe
};

// The longest single argument a program can be started with here (the system's limit of
// 128 KiB, less the terminating zero); the whole Keywords text is one argument of the composer.
constexpr int maxArgumentBytes = 128 * 1024 - 1;

// The value of an attribute row as the Keywords text stores it: KO and GEODETSKA_PISARNA give
// only the code before the first blank, POSTOPKI the procedure ids joined with ";".
QString storedAttributeValue(const ElaboratSnapshot &snapshot, const SnapshotAttribute &attribute);

// What is wrong with a stored value, in words for the user, or nothing. A control character
// (a NUL cuts the text short), "|" and "=" break the fields and a value over maxArgumentBytes
// keeps the composer from starting; they block the build. A double quote only comes back as
// an apostrophe.
std::optional<AttributeProblem> attributeValueProblem(const QString &value);

// Every attribute row whose stored value would not come back as it is, in table order. When
// the values are each short enough but the whole Keywords text is too long, the longest value
// is listed as too long.
QVector<AttributeProblem> attributeProblems(const ElaboratSnapshot &snapshot);

// The check the producing commands run first: fails, naming the attribute and what is wrong,
// at the first attribute whose value blocks the build.
NamingCheck checkStoredAttributes(const ElaboratSnapshot &snapshot);

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
