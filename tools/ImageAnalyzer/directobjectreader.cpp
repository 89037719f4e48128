#include "directobjectreader.h"

#include "bufferedfileinput.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_String.hh>
#include <qpdf/QPDF.hh>

namespace {
using Kind = PdfLexer::Kind;

// Deeper nesting than this, or a longer dictionary, is left to qpdf.
constexpr int maxDepth = 16;
constexpr size_t maxObjectBytes = 65536;
constexpr double maxGeneration = 65535;
// Content streams are small; a small buffer spares allocating qpdf's default for each.
constexpr unsigned inflateBufferBytes = 16384;

bool isInteger(const PdfLexer::Token &token)
{
    return token.kind == Kind::Number && token.integer;
}

bool isKeyword(const PdfLexer::Token &token, std::string_view word)
{
    return token.kind == Kind::Keyword && token.text == word;
}

bool readInteger(std::string_view text, long long *value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const char *end = text.data() + text.size();
    const std::from_chars_result read = std::from_chars(text.data(), end, *value);
    return read.ec == std::errc() && read.ptr == end;
}

// Whether the entry of the key `written` (as in the file, without its "/") is asked for.
bool isKept(const DirectObjectReader::Keys *keys, std::string_view written)
{
    if (!keys)
        return true;
    if (written.find('#') != std::string_view::npos) {
        const std::string key = PdfLexer::nameValue(written);
        return std::find(keys->begin(), keys->end(), key) != keys->end();
    }
    return std::any_of(keys->begin(), keys->end(),
        [written](std::string_view key) { return key.substr(1) == written; });
}

// Passes over the "0 R" of a reference whose number was just read, if it is one.
void skipReferenceEnd(PdfLexer &lexer)
{
    const size_t after = lexer.position();
    if (isInteger(lexer.next()) && isKeyword(lexer.next(), "R"))
        return;
    lexer.seek(after);
}

// Passes over one value, which may be a reference or nest arrays and dictionaries; false when
// the bytes end or break off first.
bool skipValue(PdfLexer &lexer, PdfLexer::Token token)
{
    if (isInteger(token)) {
        skipReferenceEnd(lexer);
        return true;
    }
    int nesting = 0;
    for (;; token = lexer.next()) {
        if (token.kind == Kind::ArrayOpen || token.kind == Kind::DictionaryOpen)
            ++nesting;
        else if (token.kind == Kind::ArrayClose || token.kind == Kind::DictionaryClose)
            --nesting;
        else if (token.kind == Kind::End || token.kind == Kind::Bad)
            return false;
        if (nesting <= 0)
            return nesting == 0;
    }
}

// Where stream data starts after the "stream" keyword ending at `at`: past its line end.
std::optional<size_t> dataStart(std::string_view bytes, size_t at)
{
    if (bytes.substr(at, 2) == "\r\n")
        return at + 2;
    if (bytes.substr(at, 1) == "\n")
        return at + 1;
    return std::nullopt;
}

std::optional<std::string> inflate(std::string_view data)
{
    std::string inflated;
    bool damaged = false;
    try {
        Pl_String sink("inflated", nullptr, inflated);
        Pl_Flate flate("inflate", &sink, Pl_Flate::a_inflate, inflateBufferBytes);
        flate.setWarnCallback([&damaged](char const *, int) { damaged = true; });
        flate.write(reinterpret_cast<const unsigned char *>(data.data()), data.size());
        flate.finish();
    } catch (const std::exception &) {
        damaged = true;
    }
    // Damaged data is left to qpdf, so that it is read the same as through qpdf.
    return damaged ? std::nullopt : std::optional<std::string>(std::move(inflated));
}
} // namespace

DirectObjectReader::DirectObjectReader(QPDF &pdf, BufferedFileInput &file)
    : pdf(pdf)
    , file(file)
    , fileSize(size_t(file.fileSize()))
    , encrypted(pdf.isEncrypted())
{ }

std::optional<DirectObjectReader::Object> DirectObjectReader::read(QPDFObjGen id, const Keys *keys)
{
    if (objects.empty())
        objects = pdf.getXRefTable();
    return readObject(id, keys);
}

std::optional<std::string> DirectObjectReader::streamData(QPDFObjGen id)
{
    static const Keys streamKeys = {"/Length", "/Filter", "/DecodeParms", "/F"};
    std::optional<Object> object = encrypted ? std::nullopt : read(id, &streamKeys);
    if (!object || !object->stream)
        return std::nullopt;
    const std::optional<long long> size = length(object->dictionary.getKey("/Length"));
    if (!size || *size < 0 || object->dataStart + size_t(*size) > fileSize)
        return std::nullopt;
    // qpdf mends a wrong /Length by looking for "endstream"; such streams are left to it.
    const size_t end = object->dataStart + size_t(*size);
    if (!isKeyword(PdfLexer(file.bytesAt(qpdf_offset_t(end), 64)).next(), "endstream"))
        return std::nullopt;
    return decode(
        file.bytesAt(qpdf_offset_t(object->dataStart), size_t(*size)), object->dictionary);
}

std::optional<DirectObjectReader::Object> DirectObjectReader::readObject(
    QPDFObjGen id, const Keys *keys)
{
    const auto found = objects.find(id);
    if (found == objects.end() || found->second.getType() != 1)
        return std::nullopt;
    const qpdf_offset_t offset = found->second.getOffset();
    if (offset < 0 || size_t(offset) >= fileSize)
        return std::nullopt;
    PdfLexer lexer(file.bytesAt(offset, maxObjectBytes));
    if (!readObjectStart(lexer, id) || lexer.next().kind != Kind::DictionaryOpen)
        return std::nullopt;
    Object object {readDictionary(lexer, 0, keys)};
    const PdfLexer::Token after = lexer.next();
    if (!object.dictionary.isInitialized()
        || !(isKeyword(after, "stream") || isKeyword(after, "endobj")))
        return std::nullopt;
    object.stream = isKeyword(after, "stream");
    const std::optional<size_t> data = dataStart(lexer.bytes(), lexer.position());
    if (object.stream && !data)
        return std::nullopt;
    object.dataStart = size_t(offset) + data.value_or(0);
    return object;
}

bool DirectObjectReader::readObjectStart(PdfLexer &lexer, QPDFObjGen id)
{
    const PdfLexer::Token number = lexer.next();
    const PdfLexer::Token generation = lexer.next();
    return isInteger(number) && number.number == id.getObj() && isInteger(generation)
        && generation.number == id.getGen() && isKeyword(lexer.next(), "obj");
}

std::optional<long long> DirectObjectReader::length(QPDFObjectHandle value)
{
    if (!value.isIndirect())
        return value.isInteger() ? std::optional<long long>(value.getIntValue()) : std::nullopt;
    // A length of its own object, as producers write it that do not know it beforehand.
    const auto found = objects.find(value.getObjGen());
    if (found == objects.end() || found->second.getType() != 1
        || size_t(found->second.getOffset()) >= fileSize)
        return std::nullopt;
    PdfLexer lexer(file.bytesAt(found->second.getOffset(), 64));
    long long size = 0;
    if (!readObjectStart(lexer, value.getObjGen()))
        return std::nullopt;
    const PdfLexer::Token number = lexer.next();
    if (!isInteger(number) || !readInteger(number.text, &size)
        || !isKeyword(lexer.next(), "endobj"))
        return std::nullopt;
    return size;
}

std::optional<std::string> DirectObjectReader::decode(
    std::string_view data, QPDFObjectHandle dictionary)
{
    QPDFObjectHandle filter = dictionary.getKey("/Filter");
    if (filter.isArray() && filter.getArrayNItems() == 1)
        filter = filter.getArrayItem(0);
    if (!dictionary.getKey("/F").isNull()) // the data is in another file
        return std::nullopt;
    if (filter.isNull())
        return std::string(data);
    if (!filter.isNameAndEquals("/FlateDecode") || !dictionary.getKey("/DecodeParms").isNull())
        return std::nullopt;
    return inflate(data);
}

QPDFObjectHandle DirectObjectReader::readValue(
    PdfLexer &lexer, const PdfLexer::Token &token, int depth)
{
    if (depth > maxDepth)
        return {};
    switch (token.kind) {
    case Kind::Number:
        return readNumber(lexer, token);
    case Kind::Name:
        return QPDFObjectHandle::newName(PdfLexer::nameValue(token.text));
    case Kind::Keyword:
        if (token.text == "true" || token.text == "false")
            return QPDFObjectHandle::newBool(token.text == "true");
        return token.text == "null" ? QPDFObjectHandle::newNull() : QPDFObjectHandle();
    case Kind::ArrayOpen:
        return readArray(lexer, depth + 1);
    case Kind::DictionaryOpen:
        return readDictionary(lexer, depth + 1, nullptr);
    default:
        return {};
    }
}

QPDFObjectHandle DirectObjectReader::readNumber(PdfLexer &lexer, const PdfLexer::Token &token)
{
    if (!token.integer)
        return QPDFObjectHandle::newReal(std::string(token.text));
    long long value = 0;
    if (!readInteger(token.text, &value))
        return {};
    // "12 0 R" is a reference; anything else leaves the following tokens to be read again.
    const size_t after = lexer.position();
    const PdfLexer::Token generation = lexer.next();
    if (isInteger(generation) && value > 0 && value <= std::numeric_limits<int>::max()
        && generation.number >= 0 && generation.number <= maxGeneration
        && isKeyword(lexer.next(), "R"))
        return pdf.getObject(int(value), int(generation.number));
    lexer.seek(after);
    return QPDFObjectHandle::newInteger(value);
}

// Arrays and dictionaries are made whole from their items: qpdf's adding of an item reads a
// referenced object to see whether it is null, which would read every object a page refers to.
QPDFObjectHandle DirectObjectReader::readArray(PdfLexer &lexer, int depth)
{
    std::vector<QPDFObjectHandle> items;
    for (PdfLexer::Token token = lexer.next(); token.kind != Kind::ArrayClose;
         token = lexer.next()) {
        items.push_back(readValue(lexer, token, depth));
        if (!items.back().isInitialized())
            return {};
    }
    return QPDFObjectHandle::newArray(items);
}

QPDFObjectHandle DirectObjectReader::readDictionary(PdfLexer &lexer, int depth, const Keys *keys)
{
    std::map<std::string, QPDFObjectHandle> entries;
    for (PdfLexer::Token key = lexer.next(); key.kind != Kind::DictionaryClose;
         key = lexer.next()) {
        if (key.kind != Kind::Name)
            return {};
        // Making qpdf objects costs most of the reading, so entries not asked for are
        // passed over.
        const PdfLexer::Token valueStart = lexer.next();
        if (!isKept(keys, key.text)) {
            if (!skipValue(lexer, valueStart))
                return {};
            continue;
        }
        QPDFObjectHandle value = readValue(lexer, valueStart, depth);
        if (!value.isInitialized())
            return {};
        // A null entry is no entry, as qpdf has it.
        if (!isKeyword(valueStart, "null"))
            entries[PdfLexer::nameValue(key.text)] = value;
    }
    return QPDFObjectHandle::newDictionary(entries);
}
