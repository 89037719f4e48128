#include "contentprogram.h"

#include "imagedepth.h"
#include "pdflexer.h"

#include <algorithm>
#include <cmath>

namespace {
using Kind = PdfLexer::Kind;
constexpr size_t none = std::string_view::npos;

bool isValueKeyword(std::string_view word)
{
    return word == "true" || word == "false" || word == "null";
}

QPDFObjectHandle inlineDictionary(std::string_view text)
{
    try {
        QPDFObjectHandle dictionary
            = QPDFObjectHandle::parse("<<" + std::string(text) + ">>", "inline image");
        if (dictionary.isDictionary())
            return dictionary;
    } catch (const std::exception &) {
        // A dictionary too broken to read describes no image that can be measured.
    }
    return QPDFObjectHandle::newDictionary();
}

// The fewest bytes the data of an unfiltered inline image takes: its rows, in one component
// when its colour space is a resource's, which a content stream read on its own cannot know.
size_t leastDataSize(QPDFObjectHandle image)
{
    if (!imageEntry(image, "/Filter", "/F").isNull())
        return 0;
    QPDFObjectHandle mask = imageEntry(image, "/ImageMask", "/IM");
    const int components = std::max(
        1, colourComponents(imageEntry(image, "/ColorSpace", "/CS"), QPDFObjectHandle::newNull()));
    const int bitsPerPixel = mask.isBool() && mask.getBoolValue()
        ? 1
        : imageDimension(image, "/BitsPerComponent", "/BPC") * components;
    const int width = imageDimension(image, "/Width", "/W");
    const int height = imageDimension(image, "/Height", "/H");
    if (bitsPerPixel <= 0 || width <= 0 || height <= 0)
        return 0;
    const double size = std::ceil(double(width) * bitsPerPixel / 8) * height;
    return size < 1e15 ? size_t(size) : none;
}

// The "EI" at or after `from` that stands between white space (or at the end) as an operator
// does; `none` when there is none.
size_t findImageEnd(std::string_view data, size_t from)
{
    for (size_t at = data.find("EI", from); at != none; at = data.find("EI", at + 1)) {
        const bool before = at > 0 && PdfLexer::isWhitespace(data[at - 1]);
        const bool after = at + 2 == data.size() || PdfLexer::isWhitespace(data[at + 2]);
        if (before && after)
            return at;
    }
    return none;
}
} // namespace

ContentProgram::ContentProgram(std::string_view data)
{
    PdfLexer lexer(data);
    int nesting = 0; // arrays and dictionaries open among the operands
    for (PdfLexer::Token token = lexer.next(); token.kind != Kind::End; token = lexer.next()) {
        if (token.kind == Kind::ArrayOpen || token.kind == Kind::DictionaryOpen) {
            if (nesting++ == 0)
                addOperand({});
        } else if (token.kind == Kind::ArrayClose || token.kind == Kind::DictionaryClose) {
            nesting = std::max(0, nesting - 1);
        } else if (nesting > 0 || token.kind == Kind::Bad) {
            continue;
        } else if (token.kind == Kind::Keyword && !isValueKeyword(token.text)) {
            handleOperator(token.text, lexer);
            operandCount = 0;
        } else {
            addOperand(
                {token.kind == Kind::Number, token.kind == Kind::Name, token.number, token.text});
        }
    }
}

void ContentProgram::addOperand(const Operand &operand)
{
    if (operandCount < std::size(operands))
        operands[operandCount] = operand;
    ++operandCount;
}

void ContentProgram::handleOperator(std::string_view name, PdfLexer &lexer)
{
    if (name == "q") {
        steps.push_back({Operation::Kind::Save, {}, {}, {}});
    } else if (name == "Q") {
        steps.push_back({Operation::Kind::Restore, {}, {}, {}});
    } else if (name == "cm") {
        concatenate();
    } else if (name == "Do" && operandCount == 1 && operands[0].name) {
        steps.push_back(
            {Operation::Kind::DrawXObject, {}, PdfLexer::nameValue(operands[0].text), {}});
    } else if (name == "BI") {
        inlineDictionaryStart = lexer.position();
    } else if (name == "ID") {
        readInlineImage(lexer);
    }
}

void ContentProgram::concatenate()
{
    if (operandCount != 6)
        return;
    for (const Operand &operand : operands) {
        if (!operand.number)
            return;
    }
    steps.push_back({Operation::Kind::Concatenate,
        QPDFMatrix(operands[0].value, operands[1].value, operands[2].value, operands[3].value,
            operands[4].value, operands[5].value),
        {}, {}});
}

void ContentProgram::readInlineImage(PdfLexer &lexer)
{
    const std::string_view data = lexer.bytes();
    const size_t dataStart = std::min(lexer.position() + 1, data.size()); // one blank after ID
    const size_t keywordStart = lexer.position() - 2;
    const size_t dictionaryStart
        = inlineDictionaryStart <= keywordStart ? inlineDictionaryStart : keywordStart;
    inlineDictionaryStart = none;
    QPDFObjectHandle image
        = inlineDictionary(data.substr(dictionaryStart, keywordStart - dictionaryStart));
    // The end is looked for past the bytes the data must fill, so that image bytes that happen
    // to read " EI " do not end it early; data shorter than its dictionary says ends at the
    // first "EI" after all.
    const size_t least = std::min(leastDataSize(image), data.size() - dataStart);
    size_t end = findImageEnd(data, dataStart + least);
    if (end == none)
        end = findImageEnd(data, dataStart);
    lexer.seek(end == none ? data.size() : end + 2);
    steps.push_back({Operation::Kind::DrawInlineImage, {}, {}, image});
}
