#include "codenamelist.h"

#include "platform/apppaths.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

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

// Lists exported from Windows programs often come in the Central European code page; text
// that is no UTF-8 is read in it, where the system can, rather than with broken letters.
QString decodedText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder centralEuropean("windows-1250");
    return centralEuropean.isValid() ? QString(centralEuropean(bytes)) : text;
}
} // namespace

QList<CodeName> parseCodeNameList(QIODevice &device)
{
    QList<CodeName> list;
    const QStringList lines = decodedText(device.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
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

QString nameOf(const QList<CodeName> &list, const QString &code)
{
    for (const CodeName &entry : list) {
        if (entry.code == code)
            return entry.name;
    }
    return QString();
}
