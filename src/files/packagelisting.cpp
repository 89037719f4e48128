#include "packagelisting.h"

#include <QSet>
#include <limits>

namespace {
// Scanned pages hardly shrink in a package and text data shrinks tenfold at most; a package
// that claims far more than this is no elaborat.
constexpr qint64 sizeMultiple = 100;
constexpr qint64 sizeFloor = qint64(64) << 20;
// What a file takes on a disk however small it is.
constexpr qint64 fileOverhead = 4096;
constexpr qint64 megabyte = qint64(1) << 20;

qint64 saturatedSum(qint64 a, qint64 b)
{
    return a > std::numeric_limits<qint64>::max() - b ? std::numeric_limits<qint64>::max() : a + b;
}

qint64 sizeValue(const QByteArray &text)
{
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok)
        return 0;
    return value > qulonglong(std::numeric_limits<qint64>::max())
        ? std::numeric_limits<qint64>::max()
        : qint64(value);
}

QString flatName(const QString &path)
{
    const qsizetype cut
        = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

qint64 unpackedSize(const QVector<PackageEntry> &entries)
{
    qint64 total = 0;
    for (const PackageEntry &entry : entries) {
        if (!entry.folder)
            total = saturatedSum(total, saturatedSum(entry.size, fileOverhead));
    }
    return total;
}

QString sharedName(const QVector<PackageEntry> &entries)
{
    QSet<QString> names;
    for (const PackageEntry &entry : entries) {
        if (entry.folder)
            continue;
        const QString name = flatName(entry.path);
        if (names.contains(name.toLower()))
            return name;
        names.insert(name.toLower());
    }
    return QString();
}

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + megabyte - 1) / megabyte);
}
} // namespace

namespace PackageListing {

QVector<PackageEntry> parse(const QByteArray &listing)
{
    QVector<PackageEntry> entries;
    bool inEntries = false;
    for (const QByteArray &line : listing.split('\n')) {
        const QByteArray text = line.endsWith('\r') ? line.chopped(1) : line;
        if (!inEntries) {
            inEntries = text == "----------";
            continue;
        }
        if (text.startsWith("Path = "))
            entries.append({QString::fromUtf8(text.mid(7))});
        else if (entries.isEmpty())
            continue;
        else if (text.startsWith("Size = "))
            entries.last().size = sizeValue(text.mid(7));
        else if (text.startsWith("Folder = "))
            entries.last().folder = text.mid(9) == "+";
    }
    return entries;
}

QString refusal(const QString &packagePath, const QVector<PackageEntry> &entries,
    qint64 packageSize, qint64 freeBytes)
{
    const qint64 total = unpackedSize(entries);
    const qint64 allowed = packageSize > std::numeric_limits<qint64>::max() / sizeMultiple
        ? std::numeric_limits<qint64>::max()
        : std::max(sizeFloor, packageSize * sizeMultiple);
    if (total > allowed)
        return QStringLiteral("Paketa '%1' ni mogoce odpreti: razsirjen bi obsegal %2 MB, kar je "
                              "nesorazmerno z njegovo velikostjo.")
            .arg(packagePath, megabytes(total));
    if (freeBytes >= 0 && total > freeBytes)
        return QStringLiteral("Paketa '%1' ni mogoce odpreti: razsirjen bi obsegal %2 MB, na disku "
                              "pa je prostih le %3 MB.")
            .arg(packagePath, megabytes(total), megabytes(freeBytes));
    const QString name = sharedName(entries);
    if (!name.isEmpty())
        return QStringLiteral("Paketa '%1' ni mogoce odpreti: vec datotek v njem ima ime '%2'.")
            .arg(packagePath, name);
    return QString();
}

} // namespace PackageListing
