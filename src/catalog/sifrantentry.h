#pragma once

#include <QList>
#include <QString>

// One document type of a code list.
struct SifrantEntry
{
    // The code, e.g. "104".
    QString id;
    // The bookmark key: the name of the component documents of this type belong to. Empty
    // when the type has none of its own; it then takes its parent type's.
    QString povzetek;
    // The title shown beside the code.
    QString napis;
    // The types nested in this one, in document order.
    QList<SifrantEntry> children;
};
