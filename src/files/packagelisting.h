#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// One entry of a ZIP package as the archiver lists it.
struct PackageEntry
{
    QString path; // as stored, with its folders
    qint64 size = 0; // unpacked
    bool folder = false;
};

// What a package holds, read from the archiver's listing before anything is unpacked, and
// whether it may be unpacked at all: a package comes from elsewhere and is not trusted.
namespace PackageListing {

// The entries of the archiver's technical listing ("7za l -slt"): the blocks after the line of
// ten hyphens, each opened by its "Path = " line. A size that is no decimal count reads as 0.
QVector<PackageEntry> parse(const QByteArray &listing);

// Why the package at `packagePath`, `packageSize` bytes, must not be unpacked without its folders
// into a disk with `freeBytes` free (negative: not known), or an empty text when it may be:
// unpacked it would take more than a generous multiple of its own size or more than the free
// space, or two of its files would land on the same name (letter case ignored), one
// overwriting the other. Every file counts with at least a few kilobytes, so that a package of
// countless empty files is bounded too.
QString refusal(const QString &packagePath, const QVector<PackageEntry> &entries,
    qint64 packageSize, qint64 freeBytes);

} // namespace PackageListing
