#include "catalog/codenamelist.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    for (const CodeName &entry : parseCodeNameList(buffer)) {
        if (entry.name.isEmpty() || entry.name.startsWith(QLatin1Char(' '))
            || entry.name.endsWith(QLatin1Char(' ')) || entry.name.contains(QStringLiteral("  "))
            || entry.code.contains(QLatin1Char(' ')))
            abort();
    }
    return 0;
}
