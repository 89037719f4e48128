#include "updatecommands.h"

#include "platform/platform.h"

#include <QRegularExpression>

namespace {

bool proxySet(const UpdateServer &server)
{
    return !server.proxy.trimmed().isEmpty();
}

// The arguments "--fail -L [-x proxy]" and the command line the debug log shows for them.
ToolCommand curlCommand(const QString &program, const UpdateServer &server)
{
    ToolCommand command {QStringLiteral("curl"), QStringLiteral("curl"),
        {QStringLiteral("--fail"), QStringLiteral("-L")}, program + QStringLiteral(" --fail -L")};
    if (proxySet(server)) {
        command.arguments << QStringLiteral("-x") << server.proxy;
        command.commandLine += QStringLiteral(" -x ") + server.proxy;
    }
    return command;
}

void addArguments(ToolCommand &command, const QStringList &arguments)
{
    command.arguments << arguments;
    command.commandLine += QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
}

} // namespace

QString installerFileName(const QString &version)
{
    return QStringLiteral("update_gu_") + version + Platform::installerSuffix();
}

QString serverVersion(const QByteArray &output)
{
    const int zero = output.indexOf('\0');
    const QString text = QString::fromUtf8(zero < 0 ? output : output.left(zero)).trimmed();
    static const QRegularExpression version(QStringLiteral("^[0-9]+(\\.[0-9]+)*$"));
    return version.match(text).hasMatch() ? text : QString();
}

ToolCommand versionCheckCommand(const UpdateServer &server, quint32 query)
{
    ToolCommand command = curlCommand(QStringLiteral("curl"), server);
    addArguments(
        command, {server.address + QStringLiteral("/version.txt?v=") + QString::number(query)});
    return command;
}

ToolCommand downloadCommand(const UpdateServer &server, const QString &installer, quint32 query)
{
    ToolCommand command = curlCommand(QStringLiteral("../curl/curl"), server);
    addArguments(command,
        {QStringLiteral("-o"), installer,
            server.address + QLatin1Char('/') + installer + QStringLiteral("?v=")
                + QString::number(query)});
    return command;
}
