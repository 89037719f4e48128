#include "scannersources.h"

#include "app/apppaths.h"
#include "app/toolrunner.h"

#include <QProcess>

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

std::optional<QList<ScannerSource>> readScannerSources()
{
    const QString folder = QStringLiteral("twain");
    QProcess process;
    process.setWorkingDirectory(AppPaths::toolDir(folder));
    process.start(AppPaths::toolProgram(folder, QStringLiteral("TWAIN_APP_CMD")), {});
    if (!process.waitForStarted(ToolRunner::timeoutMs))
        return std::nullopt;
    process.closeWriteChannel();
    if (!process.waitForFinished(ToolRunner::timeoutMs)) {
        process.kill();
        process.waitForFinished(ToolRunner::timeoutMs);
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return parseScannerSources(process.readAllStandardOutput());
}
