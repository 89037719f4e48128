#include "codenamelist.h"

#include "app/apppaths.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace {
// Trailing whitespace would otherwise end the name in a blank, or leave a code alone with an
// empty name; neither is what the line says.
QStringList lineParts(const QString &line)
{
    static const QRegularExpression whitespace(QStringLiteral("\\s+"));
    QStringList parts = line.split(whitespace);
    if (parts.size() > 1 && parts.last().isEmpty())
        parts.removeLast();
    return parts;
}
} // namespace

QList<CodeName> parseCodeNameList(QIODevice &device)
{
    QList<CodeName> list;
    QTextStream stream(&device);
    stream.setEncoding(QStringConverter::Utf8);
    QString line;
    while (stream.readLineInto(&line)) {
        QStringList parts = lineParts(line);
        if (parts.size() < 2)
            continue;
        const QString code = parts.takeFirst();
        list.append({code, parts.join(QLatin1Char(' '))});
    }
    return list;
}

QList<CodeName> loadCodeNameList(const QString &fileName)
{
    QFile file(QDir(AppPaths::configDir()).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseCodeNameList(file);
}
