#include "destinationresolver.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFNameTreeObjectHelper.hh>

namespace {
// A named destination may lead to a dictionary that names yet another destination; sound files
// need two steps, the limit stops loops in broken ones.
constexpr int maxNameSteps = 8;
} // namespace

DestinationResolver::DestinationResolver(QPDF &pdf)
    : pdf(pdf)
{ }

DestinationResolver::~DestinationResolver() = default;

QPDFObjectHandle DestinationResolver::itemDestination(QPDFObjectHandle item)
{
    if (!item.isDictionary())
        return QPDFObjectHandle::newNull();
    QPDFObjectHandle target = item.getKey("/Dest");
    if (target.isNull()) {
        QPDFObjectHandle action = item.getKey("/A");
        if (action.isDictionary() && action.getKey("/S").isNameAndEquals("/GoTo"))
            target = action.getKey("/D");
    }
    return explicitDestination(target);
}

QPDFObjectHandle DestinationResolver::explicitDestination(QPDFObjectHandle target)
{
    for (int step = 0; step < maxNameSteps; ++step) {
        if (target.isArray())
            return target;
        if (target.isDictionary())
            target = target.getKey("/D");
        else if (target.isName() || target.isString())
            target = namedDestination(target);
        else
            break;
    }
    return QPDFObjectHandle::newNull();
}

int DestinationResolver::pageNumber(QPDFObjectHandle destination)
{
    if (!destination.isArray() || destination.getArrayNItems() == 0)
        return 0;
    const std::vector<QPDFObjectHandle> &pages = pdf.getAllPages();
    QPDFObjectHandle page = destination.getArrayItem(0);
    if (page.isInteger()) {
        const long long index = page.getIntValue();
        return index >= 0 && index < static_cast<long long>(pages.size()) ? int(index) + 1 : 0;
    }
    if (!page.isIndirect())
        return 0;
    if (pageNumbers.empty()) {
        for (size_t i = 0; i < pages.size(); ++i)
            pageNumbers.emplace(pages[i].getObjGen(), int(i) + 1);
    }
    const auto found = pageNumbers.find(page.getObjGen());
    return found != pageNumbers.end() ? found->second : 0;
}

QPDFObjectHandle DestinationResolver::namedDestination(QPDFObjectHandle name)
{
    // Names are strings in the name tree and names in the old dictionary, but producers mix
    // the two, so either kind is looked up in both places.
    const std::string key = name.isName() ? name.getName().substr(1) : name.getUTF8Value();
    QPDFObjectHandle found;
    try {
        if (QPDFNameTreeObjectHelper *tree = nameTree(); tree && tree->findObject(key, found))
            return found;
    } catch (const std::exception &) {
        // A name tree too broken to search still leaves the old dictionary.
    }
    QPDFObjectHandle dests = pdf.getRoot().getKey("/Dests");
    if (dests.isDictionary())
        return dests.getKey("/" + key);
    return QPDFObjectHandle::newNull();
}

QPDFNameTreeObjectHelper *DestinationResolver::nameTree()
{
    if (!namesRead) {
        namesRead = true;
        QPDFObjectHandle catalogNames = pdf.getRoot().getKey("/Names");
        QPDFObjectHandle tree = catalogNames.isDictionary() ? catalogNames.getKey("/Dests")
                                                            : QPDFObjectHandle::newNull();
        if (tree.isDictionary())
            names = std::make_unique<QPDFNameTreeObjectHelper>(tree, pdf, false);
    }
    return names.get();
}
