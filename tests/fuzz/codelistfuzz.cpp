#include "catalog/codelistparser.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace {
int depthOf(const QList<SifrantEntry> &entries)
{
    int depth = 0;
    for (const SifrantEntry &entry : entries)
        depth = qMax(depth, 1 + depthOf(entry.children));
    return depth;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const CodeList list = parseCodeList(buffer);
    if (depthOf(list.entries) > maxCodeListDepth)
        abort();
    return 0;
}
