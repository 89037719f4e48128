#pragma once

#include "intake/sifrantresult.h"

#include <QList>
#include <QStringList>
#include <optional>

class SifrantDlg;
class TTreeBookmark;
class TTreeElaborat;
class TTreeSestavina;

// The document-type dialog as the tree's commands use it.
namespace TypeDialog {

// The type the dialog offers first: the component's default type (its "bookmark" attribute)
// when it has one, else the bookmark's code, else none.
QString defaultCode(const TTreeSestavina *component, const TTreeBookmark *bookmark);

// Shows the dialog for the files of `elaborat` (previews go to its work folder) with
// `defaultCode` preset and lets the user type them; the records when accepted, none when not.
std::optional<QList<SifrantResult>> ask(SifrantDlg &dialog, const QStringList &files,
    const TTreeElaborat &elaborat, const QString &defaultCode);

// The records the dialog gives the files with `defaultCode`, without showing it.
QList<SifrantResult> acceptAtOnce(SifrantDlg &dialog, const QStringList &files,
    const TTreeElaborat &elaborat, const QString &defaultCode);

// The code, a blank and the title that the code lists give `code`.
QString typeText(const SifrantDlg &dialog, const QString &code);

} // namespace TypeDialog
