#pragma once

#include "kataster.h"
#include "sifrantentry.h"

#include <QList>
#include <QString>
#include <optional>

// The document types of both cadastres' code lists, and what the program looks up in them by
// code. Lookups search a kind's types in document order, each type before the types nested in
// it, and answer for the first type with the code.
class CodeLists
{
public:
    // The top-level types of a kind, with their nested types.
    const QList<SifrantEntry> &types(Kataster kind) const;
    // Adds top-level types after those a kind already has.
    void append(Kataster kind, const QList<SifrantEntry> &types);

    // The first type of a kind with this code; nullptr when there is none.
    const SifrantEntry *findType(Kataster kind, const QString &code) const;
    // The title of the first type with this code; none when no type has the code.
    std::optional<QString> typeDescription(Kataster kind, const QString &code) const;
    // The bookmark key of the first type with this code: its own, else the nearest one of the
    // types it is nested in; empty when no type has the code.
    QString typeBookmark(Kataster kind, const QString &code) const;

private:
    QList<SifrantEntry> zkTypes;
    QList<SifrantEntry> ksTypes;
};
