#pragma once

#include <QList>
#include <QString>

class QIODevice;

// One entry of the office list ("iogu.csv") or the municipality list ("ko.csv").
struct CodeName
{
    QString code;
    QString name;
};

// Reads a code-and-name list from an open device: UTF-8 text (text that is no UTF-8 is read as
// Windows-1250 where the system offers it), one entry per line, lines ending in "\n" or "\r\n". A
// line is split at every run of whitespace, keeping empty parts (a line that starts with whitespace
// has an empty code); whitespace at the end of a line is dropped. The first part is the code, the
// others joined by single blanks are the name; a line with fewer than two parts is skipped. Entries
// keep the file's order; codes need not be unique.
QList<CodeName> parseCodeNameList(QIODevice &device);

// The list in the file `fileName` of the configuration folder; empty when it cannot be read.
QList<CodeName> loadCodeNameList(const QString &fileName);

// The name of the first entry whose code is `code` (exact, case-sensitive); empty when no entry
// has it.
QString nameOf(const QList<CodeName> &list, const QString &code);
