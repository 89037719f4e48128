#include "imageconversion.h"

#include "platform/apppaths.h"
#include "platform/platform.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QProcess>

namespace ImageConversion {

namespace {
const QString toolFolder = QStringLiteral("ImageMagick");
const QStringList jpeg = {QStringLiteral("-compress"), QStringLiteral("jpeg"),
    QStringLiteral("-quality"), QStringLiteral("60")};
} // namespace

QString documentPdfPath(const QString &workDir, const QString &sourcePath)
{
    const QByteArray digest
        = QCryptographicHash::hash(sourcePath.toUtf8(), QCryptographicHash::Md5);
    return workDir + QLatin1Char('/') + QString::fromLatin1(digest.toHex())
        + QStringLiteral(".pdf");
}

QString previewPdfPath(const QString &folder, const QString &sourcePath)
{
    return QStringLiteral("%1/%2.pdf").arg(folder, QFileInfo(sourcePath).fileName());
}

QString scannedPagePdfName(const QString &pageName)
{
    QString name = pageName;
    return name.replace(QLatin1String(".bmp"), QLatin1String(".pdf"));
}

ToolCommand convertCommand(const QString &source, const QString &target)
{
    const QString line = ToolRunner::render(
        QStringLiteral("convert -compress jpeg -quality 60 \"%1\" \"%2\""), {source, target});
    return {toolFolder, QStringLiteral("convert"), jpeg + QStringList {source, target}, line};
}

ToolCommand scanPagesCommand(const QString &folder, const QStringList &pageNames)
{
    QStringList pages;
    for (const QString &name : pageNames)
        pages << AppPaths::fromToolDir(folder + QLatin1Char('/') + name);
    const QString line
        = ToolRunner::render(QStringLiteral("mogrify -format pdf -compress jpeg -quality 60 %1"),
            {pages.join(QLatin1Char(' '))});
    return {toolFolder, QStringLiteral("mogrify"),
        QStringList {QStringLiteral("-format"), QStringLiteral("pdf")} + jpeg + pages, line};
}

void start(QProcess &process, const ToolCommand &command)
{
    process.setWorkingDirectory(AppPaths::toolDir(command.folder));
    Platform::endWithProgram(process);
    process.start(AppPaths::toolProgram(command.folder, command.program), command.arguments,
        QIODevice::ReadWrite);
}

} // namespace ImageConversion
