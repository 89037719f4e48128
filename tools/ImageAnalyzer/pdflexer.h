#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Splits PDF syntax (content streams, object dictionaries) into tokens straight from its bytes.
// The analyzer reads far more tokens than it keeps, and qpdf's tokenizer makes an object with
// a description for each one, which costs more than the rest of the analysis.
class PdfLexer
{
public:
    enum class Kind
    {
        End,
        Number,
        Name,
        Keyword, // operators, true, false, null, R, obj, stream and the like
        String, // literal or hexadecimal, its text not read
        ArrayOpen,
        ArrayClose,
        DictionaryOpen,
        DictionaryClose,
        Bad, // a stray ">", ")" or a brace
    };

    struct Token
    {
        Kind kind = Kind::End;
        std::string_view text; // as written: a name without its "/", a number's digits
        double number = 0;
        bool integer = false; // a number without a decimal point
    };

    explicit PdfLexer(std::string_view data)
        : data(data)
    { }

    Token next();
    size_t position() const { return at; }
    void seek(size_t position) { at = position < data.size() ? position : data.size(); }
    std::string_view bytes() const { return data; }

    // The name a name token stands for, "/" and all, with its "#xx" escapes decoded as qpdf
    // stores names.
    static std::string nameValue(std::string_view text);
    static bool isWhitespace(char c);

private:
    void skipWhitespaceAndComments();
    Token word();
    Token number(std::string_view text) const;
    void skipLiteralString();
    void skipPast(char end);

    std::string_view data;
    size_t at = 0;
};
