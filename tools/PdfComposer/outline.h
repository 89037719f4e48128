#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class QPDF;

// One entry of the outline the composer builds: its title, the 1-based page it jumps to as the
// outline file gives it (0 when the file gives no number) and its children.
struct OutlineEntry
{
    QString title;
    int page = 0;
    std::vector<OutlineEntry> children;
};

// Reads the outline file's UTF-8 text. Each line "title/page" is one entry, the title being
// everything before the line's last "/". A line starting with a tab is a child of the entry
// before it that stands one tab less deep (so "\t" under a top-level entry is its child); a line
// without "/" adds no entry, so the lines of a file that the reader of the stored codes counts
// stay aligned with the entries.
std::vector<OutlineEntry> parseOutlineText(const QByteArray &utf8);

// Reads the outline file at `path`; false with a message when it cannot be read.
bool readOutlineFile(const QString &path, std::vector<OutlineEntry> *entries, QString *error);

// Gives `pdf` the outline, each entry opening its page as a whole; a page beyond the last (or
// none) leads to the last (or first) page. Nothing happens without entries or pages.
void addOutline(QPDF &pdf, const std::vector<OutlineEntry> &entries);
