#include "toolmain.h"

#include <QCoreApplication>
#include <cstdio>
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {
void writeErrorLine(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}
} // namespace

int runToolMain(int argc, char **argv, const char *program,
    const std::function<QStringList(const QStringList &arguments)> &run)
{
    QCoreApplication application(argc, argv);
    QStringList messages;
    try {
        messages = run(QCoreApplication::arguments().mid(1));
    } catch (const std::exception &e) {
        messages << QString::fromUtf8(e.what());
    }
    for (const QString &message : qAsConst(messages)) {
        writeErrorLine(QByteArray(program) + ": " + message.toUtf8() + "\n");
    }
    return messages.isEmpty() ? 0 : 1;
}

void writeStandardOutput(const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void writeWarnings(const char *program, const QStringList &warnings)
{
    for (const QString &warning : warnings)
        writeErrorLine(QByteArray(program) + ": opozorilo: " + warning.toUtf8() + "\n");
}
