#pragma once

#include <QString>

class MainWindow;

// Opening an elaborat again from its PDF or its ZIP package.

// "Odpri...": asks for a PDF or a package, starting at the last save-as name (or the last
// folder chosen, or home), remembers the folder chosen and opens the file by openElaboratFile.
void runOpenCommand(MainWindow &window);

// Opens the file as "Odpri..." opens the file chosen: a file whose path an open elaborat has as
// its PDF already (letter case ignored) is refused with "Elaborat '%1' je ze odprt."; a file
// that does not open gives "Napaka pri odpiranju elaborata.".
void openElaboratFile(MainWindow &window, const QString &path);

// Opens the PDF elaborat at `path`, or the one in the ZIP package at `path` (a ".zip" suffix in
// any letter case), as a new elaborat of the tree: its procedures, attributes, bookmarks and
// one document per page of the PDF, the package's other files as its digital data, the floor
// labels of a building-cadastre elaborat. The new elaborat is current and up to date and shows
// its PDF's base name. False, with nothing added, when the package holds no elaborat, the PDF
// does not load, its Keywords text has no POSTOPKI field or names no known procedure. A package
// that may not be unpacked (ElaboratFile::unpackPackage) sets `refused` to the reason.
bool odpriElaborat(MainWindow &window, const QString &path, QString *refused = nullptr);

// The folder a package is unpacked into: <tempFolder>/<a free stamp as elaborates take it>,
// never named after the package, whose name may hold anything.
QString packageFolder(const QString &tempFolder);
