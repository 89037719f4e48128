#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <qpdf/PDFVersion.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <vector>

class BufferedFileInput;
class QPDF;
class QPDFAcroFormDocumentHelper;

// One input document of a composition, read once however often the list names it.
class SourceDocument
{
public:
    SourceDocument();
    ~SourceDocument();

    // Reads the PDF. With `closeBetweenReads` its file is open only while it is read, so that
    // a composition of more documents than the system lets a program keep open still works.
    bool open(const QString &path, bool closeBetweenReads, QString *error);
    bool isOpen() const { return document != nullptr; }

    int pageCount() const { return int(pages.size()); }
    // The page with the 0-based `index`.
    QPDFPageObjectHelper page(int index) const { return pages.at(size_t(index)); }
    // The page's own rotation in degrees, 0, 90, 180 or 270, inherited ones included.
    int pageRotation(int index) const;
    // The version the file's header states, with its extension level.
    PDFVersion version() const;

    // Keeps a file that is closed between reads open until keepOpen(false).
    void keepOpen(bool open);

    // Takes the annotations off a page until restoreAnnotations(), so that copying the page
    // leaves them behind.
    void takeAnnotations(int index);
    // Puts back what takeAnnotations() took, with links by name turned into explicit ones,
    // because the composed document does not carry this document's names.
    void restoreAnnotations();

    QPDFAcroFormDocumentHelper &forms();

    // Why the page with `index` cannot be read whole, or an empty text: an object that its
    // content or resources refer to is missing (a file cut short, repaired as far as it goes),
    // or a stream of it could not be read.
    QString pageDamage(int index);
    // Why the file could not be read to the end although qpdf went on (it shrank or went away
    // while it was read), or an empty text.
    QString readFailure() const;
    // qpdf's warnings about the file since the last call, as "file: message" texts.
    QStringList takeWarnings();

private:
    QString path;
    std::unique_ptr<QPDF> document;
    std::shared_ptr<BufferedFileInput> input;
    std::vector<QPDFPageObjectHelper> pages;
    std::map<int, QPDFObjectHandle> takenAnnotations;
    std::unique_ptr<QPDFAcroFormDocumentHelper> formHelper;
    std::vector<QPDFExc> warnings; // taken from the document, not yet handed on
};
