#include "platform.h"

#include <QFileInfo>
#include <QProcess>

#include <iterator>

#include <windows.h>

namespace Platform {

QString executableDir()
{
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    return QFileInfo(QString::fromWCharArray(path, int(length))).absolutePath();
}

QString userName()
{
    wchar_t name[256];
    DWORD size = 256;
    if (GetUserNameW(name, &size))
        return QString::fromWCharArray(name, int(size) - 1);
    return qEnvironmentVariable("USERNAME");
}

bool showInFileManager(const QString &path)
{
    return QProcess::startDetached(
        QStringLiteral("explorer"), {QStringLiteral("/select,"), explorerPath(path)});
}

void endWithProgram(QProcess &)
{
    // Tools the program starts end by themselves; nothing ties them to it here.
}

bool openHelp(const QString &helpDir, const QString &file)
{
    return QProcess::startDetached(helpDir + QStringLiteral("/SumatraPDF.exe"), {file}, helpDir);
}

bool startLauncher(const QString &dir, const QString &launcher)
{
    return QProcess::startDetached(
        QStringLiteral("cmd.exe"), {QStringLiteral("/c"), launcher}, dir);
}

QString installerSuffix()
{
    return QStringLiteral(".exe");
}

QString launcherName()
{
    return QStringLiteral("update.bat");
}

QByteArray launcherScript(const QString &installer)
{
    return "start " + installer.toUtf8();
}

} // namespace Platform
