#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One entry of an office or municipality list.
struct CodeName
{
    QString code;
    QString name;
};

// Parses a list file: UTF-8, one entry per line, split at runs of whitespace with empty parts
// kept; the first part is the code, the others joined by single blanks the name. Lines with
// fewer than two parts are skipped.
QList<CodeName> parseCodeNameList(const QByteArray &content);
