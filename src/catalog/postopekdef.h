#pragma once

#include "kataster.h"
#include "sestavinadef.h"

#include <QList>
#include <QString>

// One survey procedure of the catalogue. Records are owned by the Katalog that read them.
struct PostopekDef
{
    Kataster kind = Kataster::ZK;
    QString id;
    // Overrides the per-attribute "izpolni" of every row of an elaborat with this procedure;
    // empty when the catalogue gives none, and then overrides nothing.
    QString izpolniAtribute;
    // The display name; also what the POSTOPKI attribute lists.
    QString ime;
    // The components in document order.
    QList<SestavinaDef> sestavine;
};
