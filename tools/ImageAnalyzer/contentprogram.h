#pragma once

#include <qpdf/QPDFMatrix.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <string>
#include <string_view>
#include <vector>

class PdfLexer;

// What a content stream does that decides where images land: saving and restoring the
// graphics state, changing the transformation, drawing XObjects and inline images, in order.
// Everything else the stream draws is left out, so a stream is read once however often it is
// drawn.
class ContentProgram
{
public:
    struct Operation
    {
        enum class Kind
        {
            Save,
            Restore,
            Concatenate,
            DrawXObject,
            DrawInlineImage
        };

        Kind kind;
        QPDFMatrix matrix; // Concatenate
        std::string name; // DrawXObject: the resource name, as qpdf stores names
        QPDFObjectHandle image; // DrawInlineImage: its dictionary
    };

    // Reads the content `data` (the streams of a page joined by line ends). Operators with
    // operands they cannot use are left out, as viewers skip them.
    explicit ContentProgram(std::string_view data);

    const std::vector<Operation> &operations() const { return steps; }

private:
    struct Operand
    {
        bool number = false;
        bool name = false;
        double value = 0;
        std::string_view text;
    };

    void addOperand(const Operand &operand);
    void handleOperator(std::string_view name, PdfLexer &lexer);
    void concatenate();
    void readInlineImage(PdfLexer &lexer);

    std::vector<Operation> steps;
    // The operands since the last operator: their count and the first few, as no operator
    // followed here takes more.
    Operand operands[6];
    size_t operandCount = 0;
    size_t inlineDictionaryStart = std::string_view::npos; // after the last "BI"
};
