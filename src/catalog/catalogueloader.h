#pragma once

#include "kataster.h"

#include <QString>

class Katalog;
class SifrantDlg;

// Start-up loading of the configuration files, which tells the user what went wrong. Each
// file name is resolved against the configuration folder (AppPaths::configDir()).

// Reads the procedure catalogue `fileName` of a kind into `katalog`. A file that cannot be
// opened loads nothing; malformed XML keeps what was read before the error. Either failure
// shows a critical box without parent titled "QXSRExample::parseXML", with the text
// "Couldn't open example.xml" or the XML reader's error description.
void loadCatalogue(Katalog &katalog, const QString &fileName, Kataster kind);

// Reads the code list `fileName` into the dialog's tree of the kind, after what the tree
// already holds. A file that cannot be opened leaves the tree as it was; malformed XML keeps
// the types read before the error. Either failure shows a critical box without parent titled
// "MainWindow::Sifrant", with the text "Ne morem odpreti " followed by `fileName`, or the XML
// reader's error description.
void loadCodeList(SifrantDlg &dialog, const QString &fileName, Kataster kind);
