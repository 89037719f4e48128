#include "apppaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString &AppPaths::overrideDir()
{
    static QString dir;
    return dir;
}

QString AppPaths::programDir()
{
    const QString &dir = overrideDir();
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

void AppPaths::setProgramDir(const QString &dir)
{
    overrideDir() = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

QString AppPaths::path(const QString &relative)
{
    return programDir() + QLatin1Char('/') + relative;
}

QString AppPaths::configDir()
{
    return path(QStringLiteral("config"));
}

QString AppPaths::tempDir()
{
    return path(QStringLiteral(".tmp"));
}

QString AppPaths::updateDir()
{
    return path(QStringLiteral("update"));
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
