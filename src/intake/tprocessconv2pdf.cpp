#include "tprocessconv2pdf.h"

#include "imageconversion.h"
#include "platform/apppaths.h"
#include "twainprocess.h"

#include <QFile>

TProcessConv2pdf::TProcessConv2pdf(
    const QString &folder, const QStringList &pageNames, QObject *parent)
    : QProcess(parent)
    , folder(folder)
    , names(pageNames)
{
    connect(this, &QProcess::finished, this, &TProcessConv2pdf::onFinished);
    connect(this, &QProcess::errorOccurred, this, &TProcessConv2pdf::onError);
    ImageConversion::start(*this, ImageConversion::scanPagesCommand(folder, names));
}

QString TProcessConv2pdf::folderPath() const
{
    return AppPaths::path(folder) + QLatin1Char('/');
}

QStringList TProcessConv2pdf::resultPaths() const
{
    QStringList paths;
    for (const QString &name : names)
        paths << folderPath() + ImageConversion::scannedPagePdfName(name);
    return paths;
}

// A page image goes only once its PDF is there, so that no scanned page is ever lost.
void TProcessConv2pdf::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    QStringList converted;
    if (exitCode == 0 && exitStatus == QProcess::NormalExit) {
        const QStringList pdfs = resultPaths();
        for (int i = 0; i < names.size(); ++i) {
            if (!QFile::exists(pdfs.at(i)))
                continue;
            QFile::remove(folderPath() + names.at(i));
            converted << pdfs.at(i);
        }
    }
    report(converted);
}

void TProcessConv2pdf::onError(QProcess::ProcessError error)
{
    if (error == QProcess::FailedToStart)
        report({});
}

void TProcessConv2pdf::report(const QStringList &converted)
{
    if (auto *scan = qobject_cast<TwainProcess *>(parent()))
        scan->conversionEnded(this, converted, converted.size() == names.size());
}
