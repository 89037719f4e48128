#include "pagecountcache.h"

#include <QFileInfo>
#include <QMutexLocker>
#include <poppler-qt6.h>

QMutex PageCountCache::mutex;
QHash<QString, PageCountCache::Entry> PageCountCache::entries;

int PageCountCache::pageCount(const QString &path)
{
    const QFileInfo info(path);
    const QString key = info.absoluteFilePath();
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();
    {
        QMutexLocker lock(&mutex);
        const auto found = entries.constFind(key);
        if (found != entries.constEnd() && found->size == size && found->modified == modified)
            return found->pages;
    }
    const int pages = info.exists() ? load(path) : 1;
    QMutexLocker lock(&mutex);
    entries.insert(key, {size, modified, pages});
    return pages;
}

int PageCountCache::load(const QString &path)
{
    const std::unique_ptr<Poppler::Document> document
        = Poppler::Document::load(path, QByteArray(), QByteArray());
    if (!document || document->isLocked())
        return 1;
    return document->numPages();
}
