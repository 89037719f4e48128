#pragma once

class QTreeWidgetItem;
class TTreeDokument;
class TTreeWidget;

// The tree's commands on the documents an elaborat already has.
namespace DocumentCommands {

// Replaces a document of several pages by a subtitle, in its place and with its name, that
// holds one document per page of its file. The pages take the document's floor under a
// floor-plan bookmark of a building-cadastre elaborat; with the general procedure the first
// page takes its type label.
void splitIntoPages(TTreeDokument &document);

// Lets the user type the clicked document again, or all selected documents in page order.
// With the general procedure a new type is only a new label; otherwise the documents are
// placed again under their component with their pages and the old ones removed.
void changeDocumentType(TTreeWidget &view, QTreeWidgetItem *clicked);

// Turns the document by -90 or +90 degrees and shows it.
void rotate(TTreeWidget &view, TTreeDokument &document, int degrees);

// Empties the document's type label.
void removeTag(TTreeDokument &document);

// Removes the selected bookmarks (with all they hold), documents, subtitles and digital data
// after the user confirms, and then the subtitles left empty whatever the answer.
void removeSelected(TTreeWidget &view);

} // namespace DocumentCommands
