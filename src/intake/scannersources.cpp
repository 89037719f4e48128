#include "scannersources.h"

QList<ScannerSource> parseScannerSources(const QByteArray &output)
{
    QList<ScannerSource> sources;
    const QStringList lines = QString::fromLatin1(output).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList parts = line.trimmed().split(QStringLiteral(":,"));
        if (parts.size() < 2)
            continue;
        sources.append({parts.at(0).trimmed().toInt(), parts.at(1).trimmed()});
    }
    return sources;
}
