#pragma once

#include "pdflexer.h"

#include <map>
#include <optional>
#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFXRefEntry.hh>
#include <string>
#include <string_view>
#include <vector>

class BufferedFileInput;
class QPDF;

// Reads objects straight from a document's bytes. Having qpdf read an object costs several
// times what the analysis of a scanned page needs besides, and what it reads stays in memory, so
// the page tree, content streams and XObject dictionaries are read here where the file writes
// them plainly: dictionaries of numbers, names, booleans, references, arrays and dictionaries,
// and stream data that is unencrypted and stored as is or Flate-compressed without parameters.
// Anything else (an entry in use holding a string, which may be encrypted; an object the
// cross-reference table places in an object stream or where it is not; a wrong /Length) gets
// nothing here, and the caller asks qpdf, which reads and repairs all that.
class DirectObjectReader
{
public:
    // Names of the dictionary entries to keep, "/Type" and the like.
    using Keys = std::vector<std::string_view>;

    struct Object
    {
        QPDFObjectHandle dictionary; // the entries asked for
        bool stream = false; // the dictionary is a stream's
        size_t dataStart = 0; // where a stream's data begins in the file
    };

    // `file` reads the document `pdf` was read from, and outlives the reader. A file that
    // shrinks while it is read makes the reading throw.
    DirectObjectReader(QPDF &pdf, BufferedFileInput &file);

    // The dictionary (or stream dictionary) object `id` is, with the entries `keys` only, or
    // all of them when `keys` is null.
    std::optional<Object> read(QPDFObjGen id, const Keys *keys);
    // The decoded data of the stream `id`.
    std::optional<std::string> streamData(QPDFObjGen id);

private:
    std::optional<Object> readObject(QPDFObjGen id, const Keys *keys);
    bool readObjectStart(PdfLexer &lexer, QPDFObjGen id);
    std::optional<long long> length(QPDFObjectHandle value);
    std::optional<std::string> decode(std::string_view data, QPDFObjectHandle dictionary);
    // Each gives an uninitialized object when the bytes are not plain enough.
    QPDFObjectHandle readValue(PdfLexer &lexer, const PdfLexer::Token &token, int depth);
    QPDFObjectHandle readNumber(PdfLexer &lexer, const PdfLexer::Token &token);
    QPDFObjectHandle readArray(PdfLexer &lexer, int depth);
    QPDFObjectHandle readDictionary(PdfLexer &lexer, int depth, const Keys *keys);

    QPDF &pdf;
    BufferedFileInput &file;
    size_t fileSize;
    bool encrypted;
    std::map<QPDFObjGen, QPDFXRefEntry> objects; // where objects are, read on first use
};
