#pragma once

#include <QByteArray>
#include <QStringList>

// Reads the page names that the scanning program prints, one per line, as they arrive. A name
// is taken only when its line is complete, so a name split across two reads is not mistaken
// for two; double quotes and carriage returns are dropped, and blank lines name no page.
class ScanOutputReader
{
public:
    // The names completed by this chunk of output, in order.
    QStringList feed(const QByteArray &chunk);
    // The name of a last line that ended without a line feed, when the program has ended.
    QStringList finish();

private:
    static QStringList names(const QByteArray &lines);

    QByteArray pending;
};
