#include "savefilepipeline.h"

#include <QSaveFile>
#include <stdexcept>

SaveFilePipeline::SaveFilePipeline(QSaveFile &file)
    : Pipeline("save file", nullptr)
    , file(file)
{ }

void SaveFilePipeline::write(unsigned char const *data, size_t length)
{
    const qint64 size = qint64(length);
    if (file.write(reinterpret_cast<const char *>(data), size) != size)
        fail();
}

void SaveFilePipeline::finish()
{
    if (!file.flush())
        fail();
}

void SaveFilePipeline::fail()
{
    throw std::runtime_error(QStringLiteral("zapis v '%1' ni uspel: %2")
                                 .arg(file.fileName(), file.errorString())
                                 .toStdString());
}
