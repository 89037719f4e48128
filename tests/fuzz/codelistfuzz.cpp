#include "catalog/codelistparser.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const CodeList list = parseCodeList(buffer);
    if (nestingDepth(list.entries) > maxCodeListDepth)
        abort();
    return 0;
}
