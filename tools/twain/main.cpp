#include "scanprogram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <exception>

namespace {
const char programName[] = "TWAIN_APP_CMD";

int fail(const QString &message, int code = 1)
{
    std::fprintf(stderr, "%s: %s\n", programName, message.toLocal8Bit().constData());
    return code;
}

void printLine(const QString &line)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int report(bool ok, const QStringList &lines, const QString &error)
{
    if (!ok)
        return fail(error);
    for (const QString &line : lines)
        printLine(line);
    return 0;
}

void reportOnHang(bool ok, const QStringList &lines, const QString &error)
{
    report(ok, lines, error);
}

// The file that keeps the source list: the one the environment's TEV_SCANNER_LIST names (the
// editor's per-user list), else one in the folder of the program as it was started, so that a
// program folder that only links to the program keeps a list of its own.
QString storePath(const QString &startedAs)
{
    const QString named = qEnvironmentVariable("TEV_SCANNER_LIST");
    if (!named.isEmpty())
        return named;
    const QString folder = QDir::fromNativeSeparators(startedAs).contains(QLatin1Char('/'))
        ? QFileInfo(startedAs).absolutePath()
        : QCoreApplication::applicationDirPath();
    return QDir(folder).filePath(QStringLiteral("sources.json"));
}

int run(const QStringList &arguments)
{
    const QString store = storePath(arguments.first());
    QString error;
    if (arguments.size() == 1) {
        QStringList lines;
        const bool listed = listSources(store, &lines, &error, reportOnHang);
        return report(listed, lines, error);
    }
    const std::optional<ScanRequest> request = parseScanRequest(arguments.mid(1), &error);
    if (!request)
        return fail(error, 2);
    return scanIntoFolder(*request, store, printLine, &error, reportOnHang) ? 0 : fail(error);
}
} // namespace

// Without arguments: the source list. With "<source id> <folder> <first page number> <window
// handle>": a scan into the folder, each page's file name on its own line as soon as it is saved.
int main(int argc, char **argv)
{
#ifdef SIGXFSZ
    // Past a file size limit a page must fail with a message and leave no part of it behind,
    // not end the program with the signal.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QCoreApplication application(argc, argv);
    try {
        return run(application.arguments());
    } catch (const std::exception &exception) {
        return fail(QString::fromLocal8Bit(exception.what()));
    }
}
