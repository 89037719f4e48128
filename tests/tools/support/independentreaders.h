#pragma once

#include <QString>
#include <QVector>
#include <memory>
#include <poppler-qt6.h>

// What independent readers see in a PDF, to check our tools' work against.

// The document as poppler reads it; null when poppler cannot.
std::unique_ptr<Poppler::Document> popplerDocument(const QString &path);

// One outline entry as poppler sees it.
struct PopplerOutlineEntry
{
    int depth = 0; // 0 for the top level
    QString title;
    int page = 0; // 1-based, 0 when poppler finds no page
    bool open = false;
};

// The outline depth first.
QVector<PopplerOutlineEntry> popplerOutline(const QString &path);

// One row of "pdfimages -list".
struct ListedImage
{
    int page = 0;
    QString type; // "image", "mask", "smask", "stencil"
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0; // components times bits per component
    int xPpi = 0;
    int yPpi = 0;
};

// The images "pdfimages -list" finds, in its order.
QVector<ListedImage> pdfimagesList(const QString &path);
