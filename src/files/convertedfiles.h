#pragma once

#include <QMap>
#include <QString>

class TTreeElaborat;
struct ElaboratSnapshot;

// Gives the elaborat's image documents the PDFs a worker converted them to
// (TTreeDokument::setConvertedFile), without showing them again. `converted` maps item indices of
// `snapshot`, which was made of this elaborat, to PDF paths. A document is changed only while it
// still uses the file the snapshot saw and the PDF exists, so a changed tree or a failed conversion
// never points a document at a wrong or missing file.
void applyConvertedFiles(
    TTreeElaborat &elaborat, const ElaboratSnapshot &snapshot, const QMap<int, QString> &converted);
