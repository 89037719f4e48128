#pragma once

#include "atributdef.h"
#include "kataster.h"
#include "postopekdef.h"

#include <QList>
#include <QString>
#include <memory>
#include <vector>

// The procedure catalogue of both cadastres: procedures with their components, and the
// attribute rows of each kind. The catalogue owns its records; pointers to them stay valid
// for the catalogue's whole life, so elaborats keep them instead of copies. It cannot be
// copied.
class Katalog
{
public:
    Katalog() = default;
    Katalog(const Katalog &) = delete;
    Katalog &operator=(const Katalog &) = delete;

    // All procedures in load order (all of "zk.xml", then all of "ks.xml"). A procedure's
    // position in this list is its catalogue index.
    const QList<const PostopekDef *> &postopki() const { return procedures; }
    // The procedure at a catalogue index, or nullptr for an index outside the list.
    const PostopekDef *procedure(int index) const;
    // The attribute rows read from "zk.xml" and from "ks.xml", each in document order.
    const QList<AtributDef> &atributiZK() const { return attributesZk; }
    const QList<AtributDef> &atributiKS() const { return attributesKs; }
    const QList<AtributDef> &atributi(Kataster kind) const;

    // Takes over a new procedure at the end of `postopki` and returns it, so that the
    // reader can add the components that follow it.
    PostopekDef *appendProcedure(PostopekDef procedure);
    // Appends an attribute row of a kind.
    void appendAttribute(Kataster kind, AtributDef attribute);

    // A new list of the procedures of a kind, in catalogue order.
    QList<const PostopekDef *> proceduresOfKind(Kataster kind) const;
    // The catalogue index of the first procedure (either kind) whose id equals `id` exactly;
    // -1 when there is none.
    int procedureIndexById(const QString &id) const;
    // The first procedure whose id equals `id` exactly, or nullptr.
    const PostopekDef *procedureById(const QString &id) const;
    // The first procedure of `list` whose display name equals `name` exactly, or nullptr.
    static const PostopekDef *procedureByName(
        const QString &name, const QList<const PostopekDef *> &list);
    // True when one of the procedure's components is named `name` exactly; false for a
    // procedure without components and for nullptr.
    static bool hasComponent(const PostopekDef *procedure, const QString &name);

private:
    std::vector<std::unique_ptr<PostopekDef>> records;
    QList<const PostopekDef *> procedures;
    QList<AtributDef> attributesZk;
    QList<AtributDef> attributesKs;
};
