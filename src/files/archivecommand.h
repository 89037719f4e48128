#pragma once

#include <QString>
#include <functional>

class TTreeElaborat;

// What archiving takes from the settings and the services above it.
struct ArchiveSteps
{
    QString archiveFolder;
    // Runs the settings' archive-folder chooser; the folder afterwards, empty when none.
    std::function<QString()> chooseArchiveFolder;
    // Asks the authority's web service about the elaborat's name; true to go on.
    std::function<bool(const QString &name)> existenceCheck;
};

// "Arhiviraj...": the IDPOS check, the archive folder (chosen when not set), the existence
// check of the PDF's name without ".pdf", then, unless the PDF already lies in the archive
// folder, the questions whether to replace a file of its name there and whether to move it,
// and the move behind DialogProgress. A file in the archive is replaced only by a complete new
// one. After the move the elaborat, and each document that takes pages from its PDF, refers to
// the archived file.
void runArchiveCommand(TTreeElaborat *elaborat, const ArchiveSteps &steps);
