#include "katalog.h"

const PostopekDef *Katalog::procedure(int index) const
{
    return index >= 0 && index < procedures.size() ? procedures.at(index) : nullptr;
}

const QList<AtributDef> &Katalog::atributi(Kataster kind) const
{
    return kind == Kataster::KS ? attributesKs : attributesZk;
}

PostopekDef *Katalog::appendProcedure(PostopekDef procedure)
{
    records.push_back(std::make_unique<PostopekDef>(std::move(procedure)));
    procedures.append(records.back().get());
    return records.back().get();
}

void Katalog::appendAttribute(Kataster kind, AtributDef attribute)
{
    (kind == Kataster::KS ? attributesKs : attributesZk).append(std::move(attribute));
}

QList<const PostopekDef *> Katalog::proceduresOfKind(Kataster kind) const
{
    QList<const PostopekDef *> list;
    for (const PostopekDef *procedure : procedures) {
        if (procedure->kind == kind)
            list.append(procedure);
    }
    return list;
}

int Katalog::procedureIndexById(const QString &id) const
{
    for (int i = 0; i < procedures.size(); ++i) {
        if (procedures.at(i)->id == id)
            return i;
    }
    return -1;
}

const PostopekDef *Katalog::procedureById(const QString &id) const
{
    return procedure(procedureIndexById(id));
}

const PostopekDef *Katalog::procedureByName(
    const QString &name, const QList<const PostopekDef *> &list)
{
    for (const PostopekDef *procedure : list) {
        if (procedure->ime == name)
            return procedure;
    }
    return nullptr;
}

bool Katalog::hasComponent(const PostopekDef *procedure, const QString &name)
{
    if (!procedure)
        return false;
    for (const SestavinaDef &component : procedure->sestavine) {
        if (component.value(QStringLiteral("ime")) == name)
            return true;
    }
    return false;
}
