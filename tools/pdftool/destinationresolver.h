#pragma once

#include <map>
#include <memory>
#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>

class QPDF;
class QPDFNameTreeObjectHelper;

// Finds where outline entries and links of one document lead: destinations given directly, by
// name (in the catalogue's name tree or in the old /Dests dictionary) or through GoTo actions.
class DestinationResolver
{
public:
    explicit DestinationResolver(QPDF &pdf);
    ~DestinationResolver();

    // The destination of an outline item or annotation, its /Dest or else the /D of its GoTo
    // action, as an explicit destination array; a null object when it has none or when the
    // name it gives is not defined.
    QPDFObjectHandle itemDestination(QPDFObjectHandle item);

    // The explicit destination array `target` stands for: an array as it is, a name or a string
    // looked up among the named destinations, a dictionary through its /D. A null object when
    // that leads nowhere.
    QPDFObjectHandle explicitDestination(QPDFObjectHandle target);

    // The 1-based number of the page an explicit destination shows, by reference or (as some
    // producers write it) by 0-based page index; 0 when it names no page of the document.
    int pageNumber(QPDFObjectHandle destination);

private:
    QPDFObjectHandle namedDestination(QPDFObjectHandle name);
    QPDFNameTreeObjectHelper *nameTree();

    QPDF &pdf;
    std::map<QPDFObjGen, int> pageNumbers; // filled on first use
    std::unique_ptr<QPDFNameTreeObjectHelper> names;
    bool namesRead = false;
};
