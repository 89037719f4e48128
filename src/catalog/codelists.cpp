#include "codelists.h"

namespace {
// The first type with the code, and in `bookmark` its key or else the nearest inherited one.
const SifrantEntry *find(const QList<SifrantEntry> &types, const QString &code,
    const QString &inherited, QString &bookmark)
{
    for (const SifrantEntry &type : types) {
        const QString key = type.povzetek.isEmpty() ? inherited : type.povzetek;
        if (type.id == code) {
            bookmark = key;
            return &type;
        }
        if (const SifrantEntry *found = find(type.children, code, key, bookmark))
            return found;
    }
    return nullptr;
}
} // namespace

const QList<SifrantEntry> &CodeLists::types(Kataster kind) const
{
    return kind == Kataster::KS ? ksTypes : zkTypes;
}

void CodeLists::append(Kataster kind, const QList<SifrantEntry> &types)
{
    (kind == Kataster::KS ? ksTypes : zkTypes).append(types);
}

const SifrantEntry *CodeLists::findType(Kataster kind, const QString &code) const
{
    QString bookmark;
    return find(types(kind), code, QString(), bookmark);
}

std::optional<QString> CodeLists::typeDescription(Kataster kind, const QString &code) const
{
    if (const SifrantEntry *type = findType(kind, code))
        return type->napis;
    return std::nullopt;
}

QString CodeLists::typeBookmark(Kataster kind, const QString &code) const
{
    QString bookmark;
    find(types(kind), code, QString(), bookmark);
    return bookmark;
}
