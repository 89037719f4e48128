#pragma once

#include <QByteArray>
#include <QString>

// The outline of a PDF as the reader of elaborates takes it in.
struct OutlineDump
{
    bool ok = false;
    QByteArray lines; // UTF-8, one line per entry, each ended by a line feed
    QString error;
};

// Dumps the outline of the PDF at `path`, depth first: per entry one tab per nesting level,
// the title, "/", the 1-based target page (0 when the target cannot be resolved), ",", the
// 1-based level, "," and "open" or "closed". Targets given directly, by name or through GoTo
// actions are followed. A damaged or password-protected file gives ok false and a message.
OutlineDump dumpOutline(const QString &path);

// A title as a dump line may carry it. The reader takes the page number after the line's first
// "/", so every "/" of the title becomes U+2215 (DIVISION SLASH); line breaks and other control
// characters become blanks, so that an entry stays one line and no zero byte cuts the output.
QString dumpTitle(const QString &title);
