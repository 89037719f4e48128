#pragma once

#include <QHash>
#include <QString>

// One attribute row of an elaborat, as the catalogue defines it.
struct AtributDef
{
    // The key the program reads and writes the value by, e.g. "KO" or "IDPOS".
    QString id;
    // The row label: the element's "ime", or a copy of `id` when it has none.
    QString ime;
    // The element's complete attribute map ("izpolni" decides the label's colour).
    QHash<QString, QString> atributi;
};
