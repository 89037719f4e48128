#pragma once

#include <QString>
#include <memory>

class QMenu;
class QTreeWidgetItem;
class TTreeElaborat;

// The tree's two context menus. They are built for a click and a selection and only then
// shown, so that what they offer can be read without showing them; the chosen entry is
// recognised by its text.
namespace TreeMenus {

namespace Entry {
inline const QString procedures = QStringLiteral("Dodaj/odstrani postopek...");
inline const QString buildPdf = QStringLiteral("Izdelaj PDF elaborata");
inline const QString buildZip = QStringLiteral("Izdelaj ZIP datoteko");
inline const QString close = QStringLiteral("Zapri elaborat");
inline const QString check = QStringLiteral("Preveri elaborat");
inline const QString showPdf = QStringLiteral("Pokazi datoteko elaborata v Raziskovalcu ...");

inline const QString addFile = QStringLiteral("Dodaj datoteko ...");
inline const QString scan = QStringLiteral("Skeniraj dokument(e) ...");
inline const QString removeFile = QStringLiteral("Odstrani datoteko");
inline const QString removeBookmark = QStringLiteral("Odstrani zaznamek z dokumenti");
inline const QString split = QStringLiteral("Loci na posamezne liste");
inline const QString rotateLeft = QStringLiteral("Zasukaj datoteko v levo");
inline const QString rotateRight = QStringLiteral("Zasukaj datoteko v desno");
inline const QString changeType = QStringLiteral("Spremeni sifro dokumenta");
inline const QString floor = QStringLiteral("Doloci stevilko etaze");
inline const QString sketch = QStringLiteral("GU - skica");
inline const QString record = QStringLiteral("GU - zapisnik postopka");
inline const QString decision = QStringLiteral("GU - odlocba");
inline const QString showFile = QStringLiteral("Pokazi v Raziskovalcu ...");
inline const QString removeTag = QStringLiteral("Odstrani zaznamek");
} // namespace Entry

// The menu of an elaborat's root.
std::unique_ptr<QMenu> elaboratMenu(const TTreeElaborat &elaborat);

// The menu of a click on `clicked` (nullptr for empty space) with `selectedCount` items
// selected, in the current elaborat; nullptr when the click opens no menu. The office's own
// documents are offered to an office user of the land cadastre.
std::unique_ptr<QMenu> itemMenu(
    QTreeWidgetItem *clicked, int selectedCount, const TTreeElaborat &current, bool officeUser);

} // namespace TreeMenus
