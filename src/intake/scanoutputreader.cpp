#include "scanoutputreader.h"

QStringList ScanOutputReader::feed(const QByteArray &chunk)
{
    pending += chunk;
    const int end = pending.lastIndexOf('\n');
    if (end < 0)
        return {};
    const QByteArray complete = pending.left(end);
    pending.remove(0, end + 1);
    return names(complete);
}

QStringList ScanOutputReader::finish()
{
    const QByteArray rest = pending;
    pending.clear();
    return names(rest);
}

QStringList ScanOutputReader::names(const QByteArray &lines)
{
    QString text = QString::fromLatin1(lines);
    text.remove(QLatin1Char('"'));
    text.remove(QLatin1Char('\r'));
    QStringList result;
    const QStringList parts = text.split(QLatin1Char('\n'));
    for (const QString &part : parts) {
        const QString name = part.trimmed();
        if (!name.isEmpty())
            result << name;
    }
    return result;
}
