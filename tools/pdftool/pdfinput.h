#pragma once

#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class InputSource;
class QPDF;
class QPDFPageObjectHelper;

// Opening the documents our PDF tools read, with messages a user can act on.

// The file name as qpdf's file functions take it (UTF-8 on Windows, the local encoding
// elsewhere).
std::string qpdfFileName(const QString &path);

// An input that reads the file at `path` through a memory mapping, which spares the system
// calls that reading a document's structure through a stream costs; null when the file cannot
// be mapped. Best for tools that read little stream data: what is read counts as the process's
// memory. `bytes`, when given, is set to the mapped bytes, which stay readable as long as the
// input lives.
std::shared_ptr<InputSource> mappedInput(const QString &path, std::string_view *bytes = nullptr);

// Reads the PDF at `path` into the empty `pdf`, repairing what qpdf can repair and keeping its
// warnings quiet. The file is read through `input` when one is given (for example a source that
// closes the file between reads), else through a BufferedFileInput. Returns false with a message
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
