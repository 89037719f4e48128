#pragma once

#include <QHash>
#include <QString>

// One component of a procedure: the complete attribute map of its catalogue element, names as
// written in the file. The program reads "ime" (its name and identity), "sifra", "obvezno",
// "izpolni" and "bookmark"; every other attribute travels with the component unread.
using SestavinaDef = QHash<QString, QString>;
