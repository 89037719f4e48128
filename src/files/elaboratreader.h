#pragma once

#include "elaboratfile.h"
#include "keywords.h"

#include <QList>
#include <QString>
#include <QStringList>

class BusyWork;
class Katalog;
class TTreeElaborat;

// Rebuilding an elaborat in the tree from what its PDF carries: the procedures, attributes and
// codes of the Keywords text and the outline of the PDF.

// The catalogue indices of stored procedure ids, in order; ids without a procedure are skipped.
// An id that both cadastres use ("splosno") is taken from the stored kind's catalogue, so that a
// building-cadastre elaborat of the general procedure stays one.
QList<int> storedProcedureIndices(const Katalog &katalog, const QStringList &ids, bool isKs);

// Sets every field of the map that has an attribute row: KO and GEODETSKA_PISARNA get a
// blank and the name the elaborat's context lists for their code (none when it is not listed;
// an empty code stays an empty cell), POSTOPKI the elaborat's procedure names joined with ";",
// any other field its value.
void fillStoredAttributes(TTreeElaborat &elaborat, const KeywordMap &map);

// Builds the elaborat's bookmarks and documents from the outline of its PDF (pdfPath) that
// `reading` holds, one single-page document of that PDF per page, serving the window through
// `busy` while it makes them. An elaborat of the general procedure gets all
// pages under its sestavine node, each page that an outline entry points at labelled with the
// entry's stored type code and title. Any other elaborat gets one bookmark per outline entry
// with a code (its first word, else its stored code) under the component of its stored
// component code (the sestavine node when there is none), holding the pages from the entry's
// page up to the next entry's; all "413" entries of one component share one bookmark. When the
// dumper fails there are no entries: the general elaborat gets its pages without labels, any
// other neither bookmarks nor documents.
void readBookmarks(TTreeElaborat &elaborat, const ElaboratReading &reading,
    const QStringList &bookmarkCodes, const QStringList &componentCodes, BusyWork &busy);

// Adds the files of an unpacked package other than the elaborat's PDF to its digital data
// component ("dp") with the tree's add command, which makes one item per file; nothing
// happens without such files or without that component.
void addZipDataFiles(TTreeElaborat &elaborat, const QString &folder);
