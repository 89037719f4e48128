#include "pdfbuilder.h"

#include "outlinelinks.h"
#include "pdfinput.h"

#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

PdfBuilder::PdfBuilder()
    : document(std::make_unique<QPDF>())
{
    document->emptyPDF();
    font = object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica "
                  "/Encoding /WinAnsiEncoding >>");
}

QPDFObjectHandle PdfBuilder::addPage(const QByteArray &content, double width, double height)
{
    QPDFObjectHandle page = QPDFObjectHandle::newDictionary();
    page.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
    page.replaceKey("/MediaBox", QPDFObjectHandle::newFromRectangle({0, 0, width, height}));
    QPDFObjectHandle fonts = QPDFObjectHandle::newDictionary();
    fonts.replaceKey("/F1", font);
    QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
    resources.replaceKey("/Font", fonts);
    page.replaceKey("/Resources", resources);
    page.replaceKey(
        "/Contents", QPDFObjectHandle::newStream(document.get(), content.toStdString()));
    page = document->makeIndirectObject(page);
    QPDFPageDocumentHelper(*document).addPage(QPDFPageObjectHelper(page), false);
    return page;
}

QPDFObjectHandle PdfBuilder::addTextPage(const QString &text, double width, double height)
{
    return addPage("BT /F1 24 Tf 50 " + QByteArray::number(height - 80) + " Td (" + text.toLatin1()
            + ") Tj ET",
        width, height);
}

QPDFObjectHandle PdfBuilder::addImage(QPDFObjectHandle owner, const std::string &name, int width,
    int height, const std::string &colourSpace, int bitsPerComponent)
{
    // Room for the deepest colour space; readers ignore what follows the last row.
    const size_t rowBytes = (size_t(width) * 4 * size_t(bitsPerComponent) + 7) / 8;
    QPDFObjectHandle image
        = QPDFObjectHandle::newStream(document.get(), std::string(rowBytes * size_t(height), '\0'));
    QPDFObjectHandle dictionary = image.getDict();
    dictionary.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dictionary.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    dictionary.replaceKey("/Width", QPDFObjectHandle::newInteger(width));
    dictionary.replaceKey("/Height", QPDFObjectHandle::newInteger(height));
    if (colourSpace == "mask") {
        dictionary.replaceKey("/ImageMask", QPDFObjectHandle::newBool(true));
    } else {
        dictionary.replaceKey("/ColorSpace", QPDFObjectHandle::parse(document.get(), colourSpace));
        dictionary.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(bitsPerComponent));
    }
    resourceDictionary(owner, "/XObject").replaceKey("/" + name, image);
    return image;
}

QPDFObjectHandle PdfBuilder::addForm(QPDFObjectHandle owner, const std::string &name,
    const QByteArray &content, const std::string &matrix)
{
    QPDFObjectHandle form = QPDFObjectHandle::newStream(document.get(), content.toStdString());
    QPDFObjectHandle dictionary = form.getDict();
    dictionary.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dictionary.replaceKey("/Subtype", QPDFObjectHandle::newName("/Form"));
    dictionary.replaceKey("/BBox", QPDFObjectHandle::newFromRectangle({0, 0, 10000, 10000}));
    dictionary.replaceKey("/Matrix", QPDFObjectHandle::parse(matrix));
    dictionary.replaceKey("/Resources", QPDFObjectHandle::newDictionary());
    resourceDictionary(owner, "/XObject").replaceKey("/" + name, form);
    return form;
}

QPDFObjectHandle PdfBuilder::object(const std::string &syntax)
{
    return document->makeIndirectObject(QPDFObjectHandle::parse(document.get(), syntax));
}

QPDFObjectHandle PdfBuilder::fitDestination(QPDFObjectHandle page)
{
    QPDFObjectHandle destination = QPDFObjectHandle::newArray();
    destination.appendItem(page);
    destination.appendItem(QPDFObjectHandle::newName("/Fit"));
    return destination;
}

void PdfBuilder::setOutline(const std::vector<OutlineItem> &items)
{
    QPDFObjectHandle root = object("<< /Type /Outlines >>");
    root.replaceKey("/Count", QPDFObjectHandle::newInteger(addOutlineLevel(root, items)));
    document->getRoot().replaceKey("/Outlines", root);
}

bool PdfBuilder::write(const QString &path, const std::string &userPassword)
{
    try {
        QPDFWriter writer(*document, qpdfFileName(path).c_str());
        if (!userPassword.empty())
            writer.setR6EncryptionParameters(userPassword.c_str(), "owner", true, true, true, true,
                true, true, qpdf_r3p_full, true);
        writer.write();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

int PdfBuilder::addOutlineLevel(QPDFObjectHandle parent, const std::vector<OutlineItem> &items)
{
    std::vector<QPDFObjectHandle> objects;
    int visible = 0;
    for (const OutlineItem &entry : items) {
        QPDFObjectHandle item = object("<< >>");
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(entry.title.toStdString()));
        QPDFObjectHandle value = entry.value;
        if (value.isInitialized() && !value.isNull())
            item.replaceKey(entry.key, value);
        const int below = addOutlineLevel(item, entry.children);
        if (!entry.children.empty())
            item.replaceKey("/Count", QPDFObjectHandle::newInteger(entry.open ? below : -below));
        visible += 1 + (entry.open ? below : 0);
        objects.push_back(item);
    }
    linkOutlineItems(parent, objects);
    return visible;
}

QPDFObjectHandle PdfBuilder::resourceDictionary(QPDFObjectHandle owner, const std::string &key)
{
    QPDFObjectHandle dictionary = owner.isStream() ? owner.getDict() : owner;
    QPDFObjectHandle resources = dictionary.getKey("/Resources");
    if (!resources.getKey(key).isDictionary())
        resources.replaceKey(key, QPDFObjectHandle::newDictionary());
    return resources.getKey(key);
}
