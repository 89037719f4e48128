#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

struct ElaboratSnapshot;

// The outline of a composed elaborat and the codes that the Keywords text stores with it.
struct ElaboratOutline
{
    QStringList lines; // "title/page", "\ttitle/page" for a bookmark under a bookmark
    QStringList bookmarkCodes; // BMIDS, one per bookmark line (general: one per line)
    QStringList componentCodes; // SIDS: per bookmark code the code of the component it lies in
                                // (empty when none); no codes for a general elaborat
};

// The outline of the elaborat in page order. Every bookmark with children whose text is
// "code title" gives a line at the page where its documents start; a general elaborat (with
// the procedure "splosno") instead gets the "*" group of its documents' type labels. Pages are
// counted over the documents that go into the PDF (see pdfDocuments), so a building-cadastre
// "110" bookmark and its pages are left out unless the elaborat has "ks_vpis_vprasalnika".
ElaboratOutline buildOutline(const ElaboratSnapshot &snapshot);

// The content of the outline file: UTF-8 without byte-order mark, lines joined with a line
// feed, none after the last.
QByteArray outlineFileBytes(const QStringList &lines);

// The composer's document list as arguments: for each document its `filePath`, its page and
// its rotation in degrees, three arguments each. The caller puts the converted PDF of an image
// document into `filePath` first.
QStringList documentListArguments(const ElaboratSnapshot &snapshot, const QVector<int> &documents);

// The same list as the debug log shows it: "\"path\" page degrees" entries joined with a blank.
QString documentListText(const ElaboratSnapshot &snapshot, const QVector<int> &documents);

// The composer's title argument for the elaborat's cadastre.
QString composerTitle(bool isKs);
