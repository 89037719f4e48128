#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

class InputSource;
class QPDF;
class QPDFPageObjectHelper;

// Opening the documents our PDF tools read, with messages a user can act on.

// The file name as qpdf's file functions take it (UTF-8 on Windows, the local encoding
// elsewhere).
std::string qpdfFileName(const QString &path);

// Reads the PDF at `path` into the empty `pdf`, repairing what qpdf can repair and keeping its
// warnings quiet (the document keeps them). The file is read through `input` when one is given,
// else through a BufferedFileInput of its own. Returns false with a message
// when the file is missing, damaged beyond repair or needs a password.
bool openPdf(
    QPDF &pdf, const QString &path, QString *error, std::shared_ptr<InputSource> input = {});

// Opens as openPdf() does and reads the document's pages too; a page tree beyond repair is a
// failure with a message.
bool openPdfPages(QPDF &pdf, const QString &path, std::vector<QPDFPageObjectHelper> *pages,
    QString *error, std::shared_ptr<InputSource> input = {});

// The message for pages of a document that cannot be read, qpdf giving the `reason`.
QString unreadablePagesMessage(const QString &path, const char *reason);
// The message for a page argument that is not a decimal count.
QString pageNotNumberMessage(const QString &path, const QString &page);
// The message for a page beyond the end of a document of `pageCount` pages.
QString pageOutOfRangeMessage(const QString &path, int page, int pageCount);
