#pragma once

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

// One bookmark that reopening an elaborat makes, with the pages it gets one document each.
struct ReopenBookmark
{
    QString code; // the document-type code in decimal
    QString componentCode; // the component it goes under; empty: the sestavine node
    QVector<int> pages; // rising; none when the entry covers no page
    int sharedWith = -1; // an earlier entry whose "413" bookmark takes these pages instead
};

// The lines of the outline dumper's output: cut at the first zero byte, trimmed, split at line
// feeds with empty lines kept, a carriage return before a line feed dropped.
QStringList dumpLines(const QByteArray &output);

// The first word of a dump line (the text before its first blank), leading tabs ignored.
QString dumpLineFirstWord(const QString &line);

// The page a dump line points at: the decimal number between its first "/" and the next ",".
// When that is no number (a title with a slash), the following "/" are tried in turn. 0 when
// no page can be read or the number is not positive: the dumper's mark for an entry without
// a target.
int dumpLinePage(const QString &line);

// The bookmarks of a reopened elaborat (not a general one) from its dump lines, the stored
// bookmark codes (with "414" already read as "413"), the stored component codes, the codes of
// the elaborat's components and the PDF's page count. A line's code is its first word when
// that is a number above 0, else its stored code; a line without either makes nothing. A line
// without a page makes nothing and covers no page, but keeps the later lines aligned with
// their codes. An entry covers its page up to the page before the next line that has one (or
// the last page), never a page beyond the PDF. When the next line's page is not above the
// entry's, the entry covers only its own page (none when they are equal: the next one takes
// it), and no page is ever covered twice, so an outline that jumps back and forth gives at most
// one document per page. A component code that names no component puts
// the bookmark under the sestavine node. All "413" entries under one parent share the first
// one's bookmark.
QVector<ReopenBookmark> reopenBookmarks(const QStringList &lines, const QStringList &bookmarkCodes,
    const QStringList &componentCodes, const QSet<QString> &components, int pageCount);

// The type codes of a reopened general elaborat's pages, by page: the stored code of each line
// whose code is not empty and whose page lies in the PDF, later lines replacing earlier ones.
// Empty unless there are as many stored codes as lines, so that they are known to be aligned.
QMap<int, QString> generalPageCodes(
    const QStringList &lines, const QStringList &bookmarkCodes, int pageCount);
