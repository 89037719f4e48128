#include "fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <filesystem>
#include <system_error>

bool clearFolder(const QString &path)
{
    QDir folder(path);
    if (!folder.exists())
        return true;
    const QFileInfoList entries = folder.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::DirsFirst);
    for (const QFileInfo &entry : entries) {
        const bool removed = entry.isDir() && !entry.isSymLink()
            ? clearFolder(entry.absoluteFilePath())
            : QFile::remove(entry.absoluteFilePath());
        if (!removed)
            return false;
    }
    return folder.rmdir(folder.absolutePath());
}

bool replaceFile(const QString &source, const QString &target, const std::atomic_bool *stop)
{
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly))
        return false;
    QSaveFile output(target);
    if (!output.open(QIODevice::WriteOnly))
        return false;
    constexpr qint64 chunk = 1 << 20;
    while (!input.atEnd()) {
        const QByteArray bytes = input.read(chunk);
        if (bytes.isEmpty() || output.write(bytes) != bytes.size() || (stop && stop->load())) {
            output.cancelWriting();
            return false;
        }
    }
    return output.commit();
}

bool moveFile(const QString &source, const QString &target, const std::atomic_bool *stop)
{
    const QFileInfo from(source);
    const QFileInfo to(target);
    // A copy onto the file itself and the removal after it would leave nothing.
    if (!from.isFile() || (to.exists() && from.canonicalFilePath() == to.canonicalFilePath()))
        return false;
    // Unlike QFile::rename, this replaces an existing target in one step.
    std::error_code error;
    std::filesystem::rename(
        from.filesystemAbsoluteFilePath(), to.filesystemAbsoluteFilePath(), error);
    if (!error)
        return true;
    // QSaveFile flushes the copy to disk before it takes the target's place.
    return replaceFile(source, target, stop) && QFile::remove(source);
}

void removeLeftovers(const QString &folder, const QRegularExpression &pattern)
{
    QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (pattern.match(name).hasMatch())
            dir.remove(name);
    }
}
