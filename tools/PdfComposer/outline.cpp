#include "outline.h"

#include "decimal.h"
#include "outlinelinks.h"

#include <QFile>
#include <algorithm>
#include <qpdf/QPDF.hh>

namespace {
// Deeper tabs than this are read as this depth, so that no file can exhaust the stack.
constexpr size_t maxDepth = 32;

QPDFObjectHandle fitDestination(const std::vector<QPDFObjectHandle> &pages, int page)
{
    const int index = std::clamp(page, 1, int(pages.size())) - 1;
    QPDFObjectHandle destination = QPDFObjectHandle::newArray();
    destination.appendItem(pages.at(size_t(index)));
    destination.appendItem(QPDFObjectHandle::newName("/Fit"));
    return destination;
}

// Builds the items of `entries` below `parent` and returns how many show with every level
// open.
int addLevel(QPDF &pdf, QPDFObjectHandle parent, const std::vector<OutlineEntry> &entries,
    const std::vector<QPDFObjectHandle> &pages)
{
    std::vector<QPDFObjectHandle> items;
    int visible = 0;
    for (const OutlineEntry &entry : entries) {
        QPDFObjectHandle item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(entry.title.toStdString()));
        item.replaceKey("/Dest", fitDestination(pages, entry.page));
        const int below = addLevel(pdf, item, entry.children, pages);
        if (below > 0)
            item.replaceKey("/Count", QPDFObjectHandle::newInteger(below));
        visible += 1 + below;
        items.push_back(item);
    }
    linkOutlineItems(parent, items);
    return visible;
}
} // namespace

std::vector<OutlineEntry> parseOutlineText(const QByteArray &utf8)
{
    QString text = QString::fromUtf8(utf8);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    std::vector<OutlineEntry> entries;
    // The open levels: the top level, then the children of the latest entry of each level.
    std::vector<std::vector<OutlineEntry> *> levels {&entries};
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const int slash = line.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            continue;
        size_t tabs = 0;
        while (tabs < size_t(line.size()) && line.at(int(tabs)) == QLatin1Char('\t'))
            ++tabs;
        const size_t level = std::min({tabs, levels.size() - 1, maxDepth});
        OutlineEntry entry;
        entry.title = line.mid(int(tabs), slash - int(tabs));
        entry.page = parseDecimal(line.mid(slash + 1).trimmed()).value_or(0);
        levels.resize(level + 1);
        levels.back()->push_back(entry);
        levels.push_back(&levels.back()->back().children);
    }
    return entries;
}

bool readOutlineFile(const QString &path, std::vector<OutlineEntry> *entries, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("datoteke s kazalom '%1' ni mogoce prebrati: %2")
                     .arg(path, file.errorString());
        return false;
    }
    *entries = parseOutlineText(file.readAll());
    return true;
}

void addOutline(QPDF &pdf, const std::vector<OutlineEntry> &entries)
{
    const std::vector<QPDFObjectHandle> &pages = pdf.getAllPages();
    if (entries.empty() || pages.empty())
        return;
    QPDFObjectHandle root = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    root.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
    root.replaceKey("/Count", QPDFObjectHandle::newInteger(addLevel(pdf, root, entries, pages)));
    pdf.getRoot().replaceKey("/Outlines", root);
    pdf.getRoot().replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
}
