#pragma once

#include "intake/sifrantresult.h"

#include <QHash>
#include <QList>
#include <QStringList>

class ElaboratContext;
class QTreeWidgetItem;
class TTreeBookmark;
class TTreeDokument;
class TTreeSestavina;
class TTreeWidget;

// Adding files to an elaborat: choosing them, typing them in the document-type dialog and
// placing them as bookmarks and documents of its components.
namespace FileIntake {

// The files of a supported type (PDF, TIFF, PNG, JPEG, by the suffix in any case), in order.
QStringList supportedFiles(const QStringList &files);
// The image and PDF files the user chooses, starting in the last folder; not yet filtered.
QStringList chooseImageFiles(ElaboratContext &context);
// Files of any type, for the digital data component.
QStringList chooseDigitalFiles(ElaboratContext &context);
// The folder of `file` becomes the last folder.
void rememberFolder(ElaboratContext &context, const QString &file);

// Adds files to the component (nullptr: the elaborat's sestavine node, with the general
// procedure) of the view's current elaborat. A file that is in the elaborat already is added
// again only when the user says so. With the general procedure the user types the files and
// they become documents of the sestavine node; in a component of another procedure they take
// the code of the bookmark `context` lies in without asking, or the user types them, and are
// placed. Files of the digital data component become its items.
void addFiles(TTreeWidget &view, TTreeSestavina *component, const QStringList &files,
    QTreeWidgetItem *context);

// Places typed files in the component: the first file of each code in one call makes a new
// bookmark, the later ones of that code join it; a file without a code becomes an item of the
// digital data component, a document of the component (or, with the general procedure, of
// the sestavine node), or, in no component, is refused with a warning. `replaced` lists, per
// record, the document the file replaces (it may be shorter): the new document takes its
// page and the bookmark it lay in serves for its code. Returns, per record, whether its file
// was placed.
QList<bool> placeFiles(TTreeWidget &view, TTreeSestavina *component,
    const QList<SifrantResult> &results, const QList<TTreeDokument *> &replaced = {});
// The same for one batch of a scan's pages: `bookmarks` holds the bookmark each code got from
// the scan's earlier batches and gains those this batch makes, so that a scan's pages of one
// type stay in one bookmark however the scanning program split them into batches.
void placeScannedFiles(TTreeWidget &view, TTreeSestavina *component,
    const QList<SifrantResult> &results, QHash<QString, TTreeBookmark *> &bookmarks);

// One digital data item per file under the component, which is expanded.
void addDigitalFiles(TTreeSestavina *component, const QStringList &files);

// The office's own documents of type `code`: chosen files in a new bookmark of the component
// named `componentName` (or of the sestavine node when there is none); with the general
// procedure documents of the sestavine node, the first labelled with the type.
void addAuthorityDocuments(TTreeWidget &view, const QString &code, const QString &componentName);

} // namespace FileIntake
