#include "pagetreereader.h"

#include "directobjectreader.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

namespace {
// A deeper tree is left to qpdf, so that no file can exhaust the stack.
constexpr size_t maxTreeDepth = 64;
} // namespace

std::vector<PageSource> PageTreeReader::read(QPDF &pdf, DirectObjectReader &reader)
{
    PageTreeReader tree(reader);
    if (tree.readNode(pdf.getRoot().getKey("/Pages"), QPDFObjectHandle::newNull(), 0))
        return tree.pages;
    return readThroughQpdf(pdf);
}

PageTreeReader::PageTreeReader(DirectObjectReader &reader)
    : reader(reader)
{ }

bool PageTreeReader::readNode(
    QPDFObjectHandle node, QPDFObjectHandle inheritedResources, size_t depth)
{
    static const DirectObjectReader::Keys keys = {"/Kids", "/Resources", "/Contents", "/UserUnit"};
    if (!node.isIndirect() || depth > maxTreeDepth || !visited.insert(node.getObjGen()).second)
        return false;
    const std::optional<DirectObjectReader::Object> object = reader.read(node.getObjGen(), &keys);
    if (!object || object->stream)
        return false;
    QPDFObjectHandle dictionary = object->dictionary;
    QPDFObjectHandle resources
        = dictionary.hasKey("/Resources") ? dictionary.getKey("/Resources") : inheritedResources;
    // As qpdf has it, a node with kids is a node of the tree, any other a page.
    if (!dictionary.hasKey("/Kids")) {
        pages.push_back(page(dictionary, resources));
        return true;
    }
    QPDFObjectHandle kids = dictionary.getKey("/Kids");
    if (!kids.isArray())
        return false;
    for (QPDFObjectHandle kid : kids.aitems()) {
        if (!readNode(kid, resources, depth + 1))
            return false;
    }
    return true;
}

PageSource PageTreeReader::page(QPDFObjectHandle dictionary, QPDFObjectHandle resources)
{
    QPDFObjectHandle unit = dictionary.getKey("/UserUnit");
    const double userUnit
        = unit.isNumber() && unit.getNumericValue() > 0 ? unit.getNumericValue() : 1.0;
    return {dictionary.getKey("/Contents"), resources, userUnit};
}

std::vector<PageSource> PageTreeReader::readThroughQpdf(QPDF &pdf)
{
    std::vector<PageSource> pages;
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages())
        pages.push_back(
            PageTreeReader::page(page.getObjectHandle(), page.getAttribute("/Resources", false)));
    return pages;
}
