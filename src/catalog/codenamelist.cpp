#include "codenamelist.h"

#include <QRegularExpression>

QList<CodeName> parseCodeNameList(const QByteArray &content)
{
    static const QRegularExpression whitespace(QStringLiteral("\\s+"));
    QList<CodeName> entries;
    const QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        QStringList parts = line.split(whitespace);
        if (parts.size() < 2)
            continue;
        const QString code = parts.takeFirst();
        entries.append({code, parts.join(QLatin1Char(' '))});
    }
    return entries;
}
