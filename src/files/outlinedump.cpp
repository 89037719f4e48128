#include "outlinedump.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

int positiveNumber(const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok && number > 0 ? number : 0;
}

int nextPageAfter(const QVector<int> &pages, int index, int pageCount)
{
    for (int i = index + 1; i < pages.size(); ++i) {
        if (pages.at(i) > 0)
            return pages.at(i);
    }
    return pageCount + 1;
}

// The last page an entry covers, given the page of the next entry.
int lastPageOf(int firstPage, int nextPage)
{
    if (nextPage > firstPage)
        return nextPage - 1;
    // The next entry starts on the same page and takes it.
    if (nextPage == firstPage)
        return firstPage - 1;
    // The outline jumps back: the entry keeps its own page alone.
    return firstPage;
}

// Hands out each page of the PDF at most once. Taken pages are skipped by following links to
// the next free page, shortened as they are followed, so that handing out all pages stays
// linear however the entries overlap.
class FreePages
{
public:
    explicit FreePages(int pageCount)
        : next(std::max(pageCount, 0) + 2)
    {
        std::iota(next.begin(), next.end(), 0);
    }

    // The free pages among first..last, in order; they are taken.
    QVector<int> take(int first, int last)
    {
        QVector<int> taken;
        const int end = std::min(last, int(next.size()) - 2);
        for (int page = freeFrom(first); page <= end; page = freeFrom(page + 1)) {
            taken << page;
            next[page] = page + 1;
        }
        return taken;
    }

private:
    int freeFrom(int page)
    {
        int found = std::min(page, int(next.size()) - 1);
        while (next[found] != found)
            found = next[found];
        while (page < found && next[page] != found) {
            const int following = next[page];
            next[page] = found;
            page = following;
        }
        return found;
    }

    std::vector<int> next;
};

int lineCode(const QString &line, const QStringList &bookmarkCodes, int index)
{
    const int code = positiveNumber(dumpLineFirstWord(line));
    if (code > 0 || index >= bookmarkCodes.size())
        return code;
    return positiveNumber(bookmarkCodes.at(index));
}

int sharedBookmark(const QVector<ReopenBookmark> &made, const ReopenBookmark &bookmark)
{
    if (bookmark.code != QLatin1String("413"))
        return -1;
    for (int i = 0; i < made.size(); ++i) {
        const ReopenBookmark &earlier = made.at(i);
        if (earlier.sharedWith < 0 && earlier.code == bookmark.code
            && earlier.componentCode == bookmark.componentCode)
            return i;
    }
    return -1;
}

} // namespace

QStringList dumpLines(const QByteArray &output)
{
    const int zero = output.indexOf('\0');
    const QString text = QString::fromUtf8(zero < 0 ? output : output.left(zero)).trimmed();
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

QString dumpLineFirstWord(const QString &line)
{
    int start = 0;
    while (start < line.size() && line.at(start) == QLatin1Char('\t'))
        ++start;
    return line.mid(start).section(QLatin1Char(' '), 0, 0);
}

int dumpLinePage(const QString &line)
{
    for (int slash = line.indexOf(QLatin1Char('/')); slash >= 0;
         slash = line.indexOf(QLatin1Char('/'), slash + 1)) {
        const int comma = line.indexOf(QLatin1Char(','), slash + 1);
        if (comma < 0)
            return 0;
        bool ok = false;
        const int page = line.mid(slash + 1, comma - slash - 1).trimmed().toInt(&ok);
        if (ok)
            return std::max(page, 0);
    }
    return 0;
}

QVector<ReopenBookmark> reopenBookmarks(const QStringList &lines, const QStringList &bookmarkCodes,
    const QStringList &componentCodes, const QSet<QString> &components, int pageCount)
{
    QVector<int> pages;
    for (const QString &line : lines)
        pages << dumpLinePage(line);
    QVector<ReopenBookmark> made;
    FreePages free(pageCount);
    for (int i = 0; i < lines.size(); ++i) {
        const int code = lineCode(lines.at(i), bookmarkCodes, i);
        if (pages.at(i) == 0 || code == 0)
            continue;
        ReopenBookmark bookmark;
        bookmark.code = QString::number(code);
        const QString component = i < componentCodes.size() ? componentCodes.at(i) : QString();
        bookmark.componentCode = components.contains(component) ? component : QString();
        bookmark.pages
            = free.take(pages.at(i), lastPageOf(pages.at(i), nextPageAfter(pages, i, pageCount)));
        bookmark.sharedWith = sharedBookmark(made, bookmark);
        made << bookmark;
    }
    return made;
}

QMap<int, QString> generalPageCodes(
    const QStringList &lines, const QStringList &bookmarkCodes, int pageCount)
{
    QMap<int, QString> codes;
    if (bookmarkCodes.isEmpty() || bookmarkCodes.size() != lines.size())
        return codes;
    for (int i = 0; i < lines.size(); ++i) {
        const int page = dumpLinePage(lines.at(i));
        if (!bookmarkCodes.at(i).isEmpty() && page >= 1 && page <= pageCount)
            codes.insert(page, bookmarkCodes.at(i));
    }
    return codes;
}
