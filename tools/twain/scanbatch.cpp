#include "scanbatch.h"

#include "bmpfile.h"
#include "writefailure.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {
bool numberTaken(const QDir &folder, qint64 number)
{
    const QString name = pageFileName(number);
    QString converted = name;
    converted.replace(QLatin1String(".bmp"), QLatin1String(".pdf"));
    return QFileInfo::exists(folder.filePath(name))
        || QFileInfo::exists(folder.filePath(converted));
}

QString withSavedCount(const QString &message, int saved)
{
    return saved == 0 ? message
                      : QStringLiteral("%1 Shranjenih strani: %2.").arg(message).arg(saved);
}
} // namespace

QString pageFileName(qint64 number)
{
    return QStringLiteral("scan%1.bmp").arg(number, 4, 10, QLatin1Char('0'));
}

bool checkFolder(const QString &folder, QString *error)
{
    const QString shown = QDir::toNativeSeparators(folder);
    if (!QFileInfo(folder).isDir()) {
        *error = QStringLiteral("Mapa %1 ne obstaja.").arg(shown);
        return false;
    }
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("scanXXXXXX.tmp")));
    if (!probe.open()) {
        *error = QStringLiteral("V mapo %1 ni mogoce pisati: %2")
                     .arg(shown, writeFailureReason(probe));
        return false;
    }
    return true;
}

bool scanBatch(const PageSupplier &nextPage, bool singlePage, const ScanRequest &request,
    const PageWritten &pageWritten, QString *error)
{
    const QDir folder(request.folder);
    qint64 number = request.firstNumber;
    int saved = 0;
    while (!(singlePage && saved == 1)) {
        RgbPage page;
        QString failure;
        const PageStatus status = nextPage(&page, &failure);
        if (status == PageStatus::NoMorePages && saved > 0)
            return true;
        if (status != PageStatus::Scanned) {
            *error = withSavedCount(failure, saved);
            return false;
        }
        while (numberTaken(folder, number))
            ++number;
        const QString name = pageFileName(number++);
        if (!saveBmp(page, folder.filePath(name), &failure)) {
            *error = withSavedCount(failure, saved);
            return false;
        }
        ++saved;
        pageWritten(name);
    }
    return true;
}
