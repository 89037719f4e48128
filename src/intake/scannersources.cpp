#include "scannersources.h"

#include "platform/apppaths.h"
#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

const char scannerListVariable[] = "TEV_SCANNER_LIST";

namespace {
const QString toolFolder = QStringLiteral("twain");
}

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

QString scanProgram()
{
    return AppPaths::toolProgram(toolFolder, QStringLiteral("TWAIN_APP_CMD"));
}

void prepareScanProgram(QProcess &process)
{
    const QString list = AppPaths::scannerListFile();
    QDir().mkpath(QFileInfo(list).absolutePath());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(scannerListVariable), list);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(AppPaths::toolDir(toolFolder));
    Platform::endWithProgram(process);
}
