#pragma once

#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QString>

// The page counts of PDF files. An opened elaborat makes one document per page of its PDF, so
// every file is loaded once: the count is kept per absolute path and taken again only when the
// file's size or modification time changed. A file that does not load, or is locked by a
// password, counts as one page. Safe to use from any thread.
class PageCountCache
{
public:
    static int pageCount(const QString &path);

private:
    struct Entry
    {
        qint64 size = -1;
        QDateTime modified;
        int pages = 1;
    };

    static int load(const QString &path);

    static QMutex mutex;
    static QHash<QString, Entry> entries;
};
