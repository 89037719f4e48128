#pragma once

#include "sifrantentry.h"

#include <QList>
#include <QString>

class QIODevice;

// What a code list file held: the top-level document types with their nested types, and the
// reason the read stopped early (empty when the whole document was read).
struct CodeList
{
    QList<SifrantEntry> entries;
    QString error;
};

// Types may nest this deep; a deeper "vrsta" stops the read with an error.
constexpr int maxCodeListDepth = 16;

// Reads a code list from an open device. Each "vrsta" element is a document type; the first
// text after a start tag "id", "povzetek" or "napis" inside it sets that field (an empty
// element sets an empty text, a field given twice keeps the last value); "vrsta" elements
// inside it are its child types; everything else is skipped. On an error the types read so
// far, open ones included, are kept and the reader's error description is returned.
CodeList parseCodeList(QIODevice &device);

// How many levels of types the list holds: 0 for none, 1 when no type has child types.
int nestingDepth(const QList<SifrantEntry> &entries);
