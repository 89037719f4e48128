#pragma once

#include "model/elaboratsnapshot.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// What an open elaborat leaves behind so that a run that ends without its normal close (a
// crash, a kill, a power cut) loses none of its work: a recovery record in the elaborat's
// scratch folder, named "obnova.json". It is UTF-8 JSON, one object:
//
//   format          "tev-obnova"
//   version         1; a reader refuses every other version
//   stamp           the creation stamp "ddMMyyyyhhmmss", the scratch folder's name
//   text            the root's display text (the stamp, or the PDF's base name)
//   isKs            true for a building-cadastre elaborat
//   upToDate        whether its PDF was made from the tree as it stands
//   pdfPath         the elaborat's PDF, "" when it has none
//   previousPdfPath the PDF path before the last change of pdfPath
//   workDir         the scratch folder when the record was written
//   nextScanNumber  the number of the next scanned page file
//   procedures      [{"id", "name"}], in the order they were added
//   attributes      [{"id", "label", "value"}], in table order
//   items           the walk in page order without the root: pre-order, so a parent stands
//                   before its children. Each item is an object with
//                     kind      "sestavine", "component", "bookmark", "document", "subtitle",
//                               "digital" or "other" (the atributi node and its table row)
//                     parent    index of the parent in items, -1 for a child of the root
//                   and, when they are not empty or zero: text (column text, a leaf's name),
//                   code (bookmark or component code), file (a document's or digital data
//                   item's file), source (the file a document was made from), page (0 = the
//                   whole file), pageCount, rotation (quarter turns 0..3), tag (tag label).
//
// A change of the format that an older reader would misread gets a new version.

struct RecoveryRecord
{
    QString stamp;
    QString text;
    bool upToDate = false;
    QString previousPdfPath;
    int nextScanNumber = 1;
    // Kind, procedures, attributes, items, pdfPath and workDir; the other fields are not kept.
    ElaboratSnapshot tree;
};

// The record's file name inside the scratch folder.
QString recoveryFileName();

// The record as the JSON text described above.
QByteArray recoveryJson(const RecoveryRecord &record);
// Reads a record; nullopt with a reason in `error` for text that is not such a record (not
// JSON, cut short, another format or version, an item whose parent does not stand before it).
std::optional<RecoveryRecord> parseRecoveryJson(const QByteArray &json, QString *error);

// Writes the record to `path` atomically: the file is either the old record or the whole new
// one. False when it cannot be written.
bool writeRecoveryRecord(const QString &path, const RecoveryRecord &record);
// Reads the record file at `path`; nullopt with a reason in `error` when it cannot.
std::optional<RecoveryRecord> readRecoveryRecord(const QString &path, QString *error);

// Makes a record read from the scratch folder `workDir` fit for restoring: paths into the
// folder where it was written are moved into `workDir`; a document whose file is gone uses its
// source file when that is still there; documents and digital data whose files are gone are
// left out, and with them the bookmarks and subtitles that they leave empty. Returns the files
// left out, in page order.
QStringList dropMissingFiles(RecoveryRecord &record, const QString &workDir);
