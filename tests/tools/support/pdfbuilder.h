#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <string>
#include <vector>

// Makes test PDFs through the qpdf API: pages with text, images and forms, outlines whose
// entries lead anywhere in any of the ways PDF allows, encryption.
class PdfBuilder
{
public:
    // An outline entry: `value` stored under `key` ("/Dest" for a destination, "/A" for an
    // action) unless it is null.
    struct OutlineItem
    {
        OutlineItem(const QString &title, QPDFObjectHandle value,
            std::vector<OutlineItem> children = {}, bool open = true)
            : title(title)
            , value(value)
            , children(std::move(children))
            , open(open)
        { }

        QString title;
        QPDFObjectHandle value;
        std::vector<OutlineItem> children;
        bool open;
        std::string key = "/Dest";
    };

    PdfBuilder();

    QPDF &pdf() { return *document; }

    // Appends a page of `width` x `height` points that draws `content`; Helvetica is its /F1.
    QPDFObjectHandle addPage(const QByteArray &content, double width = 595, double height = 842);
    // Appends a page that shows `text` (ASCII) in one line near its top.
    QPDFObjectHandle addTextPage(const QString &text, double width = 595, double height = 842);
    // Gives `owner` (a page or a form XObject) the image XObject `name` of `width` x `height`
    // pixels in `colourSpace` (PDF syntax such as "/DeviceRGB"), its pixels all zero.
    QPDFObjectHandle addImage(QPDFObjectHandle owner, const std::string &name, int width,
        int height, const std::string &colourSpace, int bitsPerComponent);
    // Gives `owner` the form XObject `name` that draws `content` through `matrix`.
    QPDFObjectHandle addForm(QPDFObjectHandle owner, const std::string &name,
        const QByteArray &content, const std::string &matrix = "[1 0 0 1 0 0]");
    // An indirect object of the document, from PDF syntax.
    QPDFObjectHandle object(const std::string &syntax);
    // A destination array that shows `page` whole.
    static QPDFObjectHandle fitDestination(QPDFObjectHandle page);

    void setOutline(const std::vector<OutlineItem> &items);

    // Writes the document; with a user password it is encrypted (AES-256) and opens only with
    // that password.
    bool write(const QString &path, const std::string &userPassword = {});

private:
    int addOutlineLevel(QPDFObjectHandle parent, const std::vector<OutlineItem> &items);
    static QPDFObjectHandle resourceDictionary(QPDFObjectHandle owner, const std::string &key);

    std::unique_ptr<QPDF> document;
    QPDFObjectHandle font;
};
