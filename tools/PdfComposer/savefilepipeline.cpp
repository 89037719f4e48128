#include "savefilepipeline.h"

#include "writefailure.h"

#include <QSaveFile>
#include <stdexcept>
#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace {
constexpr qint64 writebackChunk = 1 << 20;
} // namespace

SaveFilePipeline::SaveFilePipeline(QSaveFile &file)
    : Pipeline("save file", nullptr)
    , file(file)
{ }

void SaveFilePipeline::write(unsigned char const *data, size_t length)
{
    const qint64 size = qint64(length);
    if (file.write(reinterpret_cast<const char *>(data), size) != size)
        fail();
    written += size;
    if (written - handedOver >= writebackChunk)
        startWriteback();
}

void SaveFilePipeline::finish()
{
    if (!file.flush())
        fail();
}

void SaveFilePipeline::startWriteback()
{
#ifdef Q_OS_LINUX
    // QSaveFile::commit() syncs the file before it takes the place of the old one, and waits
    // for every byte still only in memory; having the disk take each part as soon as it is
    // written leaves that sync little to wait for.
    if (!file.flush())
        fail();
    ::sync_file_range(file.handle(), handedOver, written - handedOver, SYNC_FILE_RANGE_WRITE);
#endif
    handedOver = written;
}

void SaveFilePipeline::fail()
{
    throw std::runtime_error(QStringLiteral("zapis v '%1' ni uspel: %2")
                                 .arg(file.fileName(), writeFailureReason(file))
                                 .toStdString());
}
