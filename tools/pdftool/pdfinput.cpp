#include "pdfinput.h"

#include "bufferedfileinput.h"

#include <QFile>
#include <QFileInfo>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

std::string qpdfFileName(const QString &path)
{
#ifdef Q_OS_WIN
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

bool openPdf(QPDF &pdf, const QString &path, QString *error, std::shared_ptr<InputSource> input)
{
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("datoteka '%1' ne obstaja").arg(path);
        return false;
    }
    pdf.setSuppressWarnings(true);
    QString reason;
    try {
        if (!input)
            input = std::make_shared<BufferedFileInput>(path);
        pdf.processInputSource(input);
        return true;
    } catch (const QPDFExc &e) {
        if (e.getErrorCode() == qpdf_e_password) {
            *error = QStringLiteral("datoteka '%1' je zascitena z geslom").arg(path);
            return false;
        }
        reason = QString::fromStdString(e.getMessageDetail());
    } catch (const std::exception &e) {
        reason = QString::fromUtf8(e.what());
    }
    *error = QStringLiteral("datoteke '%1' ni mogoce prebrati: %2").arg(path, reason);
    return false;
}

bool openPdfPages(QPDF &pdf, const QString &path, std::vector<QPDFPageObjectHelper> *pages,
    QString *error, std::shared_ptr<InputSource> input)
{
    if (!openPdf(pdf, path, error, std::move(input)))
        return false;
    try {
        *pages = QPDFPageDocumentHelper(pdf).getAllPages();
        return true;
    } catch (const std::exception &e) {
        *error = unreadablePagesMessage(path, e.what());
        return false;
    }
}

QString unreadablePagesMessage(const QString &path, const char *reason)
{
    return QStringLiteral("strani datoteke '%1' ni mogoce prebrati: %2")
        .arg(path, QString::fromUtf8(reason));
}

QString pageNotNumberMessage(const QString &path, const QString &page)
{
    return QStringLiteral("stran '%1' dokumenta '%2' ni stevilo").arg(page, path);
}

QString pageOutOfRangeMessage(const QString &path, int page, int pageCount)
{
    return QStringLiteral("datoteka '%1' nima strani %2 (strani: %3)")
        .arg(path)
        .arg(page)
        .arg(pageCount);
}
