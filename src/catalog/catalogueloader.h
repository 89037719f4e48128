#pragma once

#include "kataster.h"

#include <QString>
#include <optional>

class CodeLists;
class Katalog;

// What start-up tells the user about a configuration file it could not read whole: the title
// and the text of a critical box without parent.
struct LoadFailure
{
    QString title;
    QString text;
};

// Start-up loading of the configuration files. Each file name is resolved against the
// configuration folder (AppPaths::configDir()).

// Reads the procedure catalogue `fileName` of a kind into `katalog`. A file that cannot be
// opened loads nothing; malformed XML keeps what was read before the error. Either failure
// is titled "QXSRExample::parseXML", with the text "Couldn't open example.xml" or the XML
// reader's error description.
std::optional<LoadFailure> loadCatalogue(Katalog &katalog, const QString &fileName, Kataster kind);

// Reads the code list `fileName` into the kind's types of `codes`, after those it already
// holds. A file that cannot be opened adds nothing; malformed XML keeps the types read before
// the error. Either failure is titled "MainWindow::Sifrant", with the text "Ne morem odpreti "
// followed by `fileName`, or the XML reader's error description.
std::optional<LoadFailure> loadCodeList(CodeLists &codes, const QString &fileName, Kataster kind);
