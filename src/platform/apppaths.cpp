#include "apppaths.h"

#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

const char AppPaths::installMarker[] = "tev.installed";

QString &AppPaths::overrideDir()
{
    static QString dir;
    return dir;
}

QString AppPaths::programDir()
{
    const QString &dir = overrideDir();
    if (!dir.isEmpty())
        return dir;
    // The single-instance claim is settled before the application object exists.
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                        : Platform::executableDir();
}

void AppPaths::setProgramDir(const QString &dir)
{
    overrideDir() = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

bool AppPaths::isInstalled()
{
    return QFileInfo::exists(path(QString::fromLatin1(installMarker)));
}

QString AppPaths::path(const QString &relative)
{
    if (QDir::isAbsolutePath(relative))
        return relative;
    return programDir() + QLatin1Char('/') + relative;
}

QString AppPaths::programRelative(const QString &absolute)
{
    const QString prefix = programDir() + QLatin1Char('/');
    return absolute.startsWith(prefix) ? absolute.mid(prefix.size()) : absolute;
}

QString AppPaths::fromToolDir(const QString &path)
{
    return QDir::isAbsolutePath(path) ? path : QStringLiteral("../") + path;
}

QString AppPaths::configDir()
{
    return path(QStringLiteral("config"));
}

QString AppPaths::userPath(const char *variable, const char *fallback, const QString &relative)
{
    QString base = qEnvironmentVariable(variable);
    // The XDG base directory rules ignore relative paths.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QLatin1Char('/') + QLatin1String(fallback);
    return QDir::cleanPath(base) + QStringLiteral("/tevora/") + relative;
}

QString AppPaths::settingsFile()
{
    return isInstalled() ? userPath("XDG_CONFIG_HOME", ".config", QStringLiteral("tev.ini"))
                         : settingsDefaultsFile();
}

QString AppPaths::settingsDefaultsFile()
{
    return configDir() + QStringLiteral("/tev.ini");
}

QString AppPaths::tempDir()
{
    return isInstalled() ? userPath("XDG_STATE_HOME", ".local/state", QStringLiteral(".tmp"))
                         : path(QStringLiteral(".tmp"));
}

QString AppPaths::debugLogFile()
{
    return tempDir() + QStringLiteral("/debug.log");
}

QString AppPaths::scannerListFile()
{
    const QString relative = QStringLiteral("twain/sources.json");
    return isInstalled() ? userPath("XDG_DATA_HOME", ".local/share", relative) : path(relative);
}

QString AppPaths::updateDir()
{
    return isInstalled() ? userPath("XDG_CACHE_HOME", ".cache", QStringLiteral("update"))
                         : path(QStringLiteral("update"));
}

QString AppPaths::claimDir()
{
    return isInstalled() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                         : programDir();
}

QString AppPaths::dialogStart(const QStringList &remembered)
{
    const QString program = QDir(programDir()).canonicalPath();
    for (const QString &candidate : remembered) {
        if (candidate.isEmpty() || QDir::isRelativePath(candidate))
            continue;
        const QFileInfo info(candidate);
        const QString folder
            = QDir(info.isDir() ? info.absoluteFilePath() : info.absolutePath()).canonicalPath();
        if (folder.isEmpty() || folder == program || folder.startsWith(program + QLatin1Char('/')))
            continue;
        return info.absoluteFilePath();
    }
    return QDir::homePath();
}

QString AppPaths::toolDir(const QString &folder)
{
    QString name = folder;
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    return path(name);
}

QString AppPaths::toolProgram(const QString &folder, const QString &program)
{
#ifdef Q_OS_WIN
    const QString executable = program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)
        ? program
        : program + QLatin1String(".exe");
#else
    const QString executable = program;
#endif
    const QString local = toolDir(folder) + QLatin1Char('/') + executable;
    if (QFileInfo(local).isExecutable())
        return local;
    const QString found = QStandardPaths::findExecutable(executable);
    return found.isEmpty() ? local : found;
}
