#include "catalogueparser.h"

#include "katalog.h"

#include <QXmlStreamReader>

namespace {
QHash<QString, QString> attributeMap(const QXmlStreamAttributes &attributes)
{
    QHash<QString, QString> map;
    for (const QXmlStreamAttribute &attribute : attributes)
        map.insert(attribute.qualifiedName().toString(), attribute.value().toString());
    return map;
}

// An empty, not a null, text for an attribute the element does not carry.
QString valueOrEmpty(const QHash<QString, QString> &map, const QString &key)
{
    return map.value(key, QStringLiteral(""));
}

PostopekDef *readProcedure(const QHash<QString, QString> &map, Kataster kind, Katalog &katalog)
{
    const QString id = QStringLiteral("id");
    const QString ime = QStringLiteral("ime");
    if (!map.contains(id) || !map.contains(ime))
        return nullptr;
    PostopekDef procedure;
    procedure.kind = kind;
    procedure.id = map.value(id);
    procedure.izpolniAtribute = valueOrEmpty(map, QStringLiteral("izpolniAtribute"));
    procedure.ime = map.value(ime);
    return katalog.appendProcedure(std::move(procedure));
}

void readAttribute(QHash<QString, QString> map, Kataster kind, Katalog &katalog)
{
    const QString id = QStringLiteral("id");
    if (!map.contains(id) || map.contains(QStringLiteral("skrij")))
        return;
    AtributDef attribute;
    attribute.id = map.value(id);
    attribute.ime = map.value(QStringLiteral("ime"), attribute.id);
    attribute.atributi = std::move(map);
    katalog.appendAttribute(kind, std::move(attribute));
}
} // namespace

QString parseCatalogue(QIODevice &device, Kataster kind, Katalog &katalog)
{
    QXmlStreamReader xml(&device);
    PostopekDef *current = nullptr;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == u"postopek") {
            if (PostopekDef *procedure
                = readProcedure(attributeMap(xml.attributes()), kind, katalog))
                current = procedure;
        } else if (name == u"sestavina") {
            SestavinaDef component = attributeMap(xml.attributes());
            if (current && component.contains(QStringLiteral("ime")))
                current->sestavine.append(std::move(component));
        } else if (name == u"atribut") {
            readAttribute(attributeMap(xml.attributes()), kind, katalog);
        }
    }
    return xml.hasError() ? xml.errorString() : QString();
}
