#include "catalog/catalogueparser.h"
#include "catalog/katalog.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Katalog katalog;
    parseCatalogue(buffer, Kataster::KS, katalog);
    if (!katalog.atributiZK().isEmpty())
        abort();
    for (const PostopekDef *procedure : katalog.postopki()) {
        if (procedure->kind != Kataster::KS)
            abort();
        for (const SestavinaDef &component : procedure->sestavine) {
            if (!component.contains(QStringLiteral("ime")))
                abort();
        }
    }
    for (const AtributDef &attribute : katalog.atributiKS()) {
        if (attribute.atributi.contains(QStringLiteral("skrij")))
            abort();
    }
    return 0;
}
