#pragma once

#include "kataster.h"

#include <QString>

class Katalog;
class QIODevice;

// Reads one catalogue file of a kind from an open device into `katalog` and returns the XML
// reader's error description, or an empty text when the whole document was read.
//
// Only start tags count, by local name and in document order; their nesting does not:
//  - "postopek" with both "id" and "ime" appends a procedure (its "izpolniAtribute" or an
//    empty text) that becomes the current one; without either it is ignored;
//  - "sestavina" with "ime" appends its whole attribute map to the current procedure of this
//    read; one before any accepted procedure is ignored;
//  - "atribut" with "id" and without "skrij" (whatever its value) appends an attribute row,
//    labelled by its "ime" or else by its id.
// Everything read before an error stays in the catalogue.
QString parseCatalogue(QIODevice &device, Kataster kind, Katalog &katalog);
