#include "pdflexer.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {
enum CharacterClass : unsigned char
{
    Regular,
    Whitespace,
    Delimiter
};

// Classes by byte value, as looking a byte up costs less than comparing it with each delimiter.
constexpr std::array<CharacterClass, 256> characterClasses()
{
    std::array<CharacterClass, 256> classes {};
    for (const unsigned char c : std::string_view(" \n\r\t\f\0", 6))
        classes[c] = Whitespace;
    for (const unsigned char c : std::string_view("()<>[]{}/%"))
        classes[c] = Delimiter;
    return classes;
}

constexpr std::array<CharacterClass, 256> classes = characterClasses();

CharacterClass classOf(char c)
{
    return classes[static_cast<unsigned char>(c)];
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

bool PdfLexer::isWhitespace(char c)
{
    return classOf(c) == Whitespace;
}

PdfLexer::Token PdfLexer::next()
{
    skipWhitespaceAndComments();
    if (at >= data.size())
        return {};
    const size_t start = at;
    const char c = data[at++];
    switch (c) {
    case '[':
        return {Kind::ArrayOpen, data.substr(start, 1)};
    case ']':
        return {Kind::ArrayClose, data.substr(start, 1)};
    case '(':
        skipLiteralString();
        return {Kind::String, data.substr(start, at - start)};
    case '>':
        if (at < data.size() && data[at] == '>') {
            ++at;
            return {Kind::DictionaryClose, data.substr(start, 2)};
        }
        return {Kind::Bad, data.substr(start, 1)};
    case ')':
    case '{':
    case '}':
        return {Kind::Bad, data.substr(start, 1)};
    case '<':
        if (at < data.size() && data[at] == '<') {
            ++at;
            return {Kind::DictionaryOpen, data.substr(start, 2)};
        }
        skipPast('>');
        return {Kind::String, data.substr(start, at - start)};
    case '/': {
        Token name = word();
        name.kind = Kind::Name;
        return name;
    }
    default:
        --at;
        return word();
    }
}

void PdfLexer::skipWhitespaceAndComments()
{
    while (at < data.size()) {
        if (isWhitespace(data[at])) {
            ++at;
        } else if (data[at] == '%') {
            while (at < data.size() && data[at] != '\n' && data[at] != '\r')
                ++at;
        } else {
            break;
        }
    }
}

PdfLexer::Token PdfLexer::word()
{
    const size_t start = at;
    while (at < data.size() && classOf(data[at]) == Regular)
        ++at;
    const std::string_view text = data.substr(start, at - start);
    const char first = text.empty() ? 'x' : text.front();
    if (first == '+' || first == '-' || first == '.' || (first >= '0' && first <= '9'))
        return number(text);
    return {Kind::Keyword, text};
}

PdfLexer::Token PdfLexer::number(std::string_view text) const
{
    // from_chars takes no "+"; PDF numbers have no exponent, which the fixed format refuses.
    const std::string_view digits = text.front() == '+' ? text.substr(1) : text;
    Token token {Kind::Number, text};
    token.integer = digits.find('.') == std::string_view::npos;
    const char *end = digits.data() + digits.size();
    // Most numbers are small counts, which are summed up faster than from_chars reads them.
    if (token.integer && !digits.empty() && digits.size() <= 9
        && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        for (const char c : digits)
            token.number = token.number * 10 + (c - '0');
        return token;
    }
    const std::from_chars_result read
        = std::from_chars(digits.data(), end, token.number, std::chars_format::fixed);
    if (read.ec != std::errc() || read.ptr != end)
        return {Kind::Keyword, text};
    return token;
}

void PdfLexer::skipLiteralString()
{
    int depth = 1;
    while (at < data.size() && depth > 0) {
        const char c = data[at++];
        if (c == '\\')
            ++at;
        else if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
    }
    if (at > data.size())
        at = data.size();
}

void PdfLexer::skipPast(char end)
{
    while (at < data.size() && data[at] != end)
        ++at;
    if (at < data.size())
        ++at;
}

std::string PdfLexer::nameValue(std::string_view text)
{
    std::string name = "/";
    name.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '#' ? hexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
        if (low >= 0) {
            name += char(high * 16 + low);
            i += 2;
        } else {
            name += text[i];
        }
    }
    return name;
}
