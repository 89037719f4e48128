#pragma once

#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <set>
#include <vector>

class DirectObjectReader;
class QPDF;

// What the image analysis needs of a page.
struct PageSource
{
    QPDFObjectHandle contents; // the page's /Contents: a stream or an array of them
    QPDFObjectHandle resources; // its own or inherited
    double userUnit = 1; // points per unit
};

// Lists a document's pages in order.
class PageTreeReader
{
public:
    // Walks the page tree straight from the file where it is written plainly, else has qpdf
    // list the pages, repairing what it can. Throws when the tree is beyond repair.
    static std::vector<PageSource> read(QPDF &pdf, DirectObjectReader &reader);

private:
    PageTreeReader(DirectObjectReader &reader);

    bool readNode(QPDFObjectHandle node, QPDFObjectHandle inheritedResources, size_t depth);
    static PageSource page(QPDFObjectHandle dictionary, QPDFObjectHandle resources);
    static std::vector<PageSource> readThroughQpdf(QPDF &pdf);

    DirectObjectReader &reader;
    std::vector<PageSource> pages;
    std::set<QPDFObjGen> visited; // a node met twice is left to qpdf, which copes
};
