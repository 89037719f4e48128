#include "platform.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <pwd.h>
#include <unistd.h>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

namespace Platform {

QString userName()
{
    if (const passwd *entry = getpwuid(geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QString executableDir()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

static bool showItemsOverDBus(const QString &path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call
        = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
            QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList {QUrl::fromLocalFile(path).toString()} << QString();
    return bus.call(call, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
}

bool showInFileManager(const QString &path)
{
    const QFileInfo file(path);
    if (showItemsOverDBus(file.absoluteFilePath()))
        return true;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absolutePath()));
}

bool openHelp(const QString &helpDir, const QString &file)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(helpDir + QLatin1Char('/') + file));
}

void endWithProgram(QProcess &process)
{
#ifdef Q_OS_LINUX
    const pid_t parent = getpid();
    process.setChildProcessModifier([parent] {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The program may have ended between the fork and the call above.
        if (getppid() != parent)
            _exit(127);
    });
#else
    Q_UNUSED(process);
#endif
}

bool startLauncher(const QString &dir, const QString &launcher)
{
    return QProcess::startDetached(QStringLiteral("/bin/sh"), {launcher}, dir);
}

QString installerSuffix()
{
    return QStringLiteral(".sh");
}

QString launcherName()
{
    return QStringLiteral("update.sh");
}

QByteArray launcherScript(const QString &installer)
{
    // The download carries no execute permission, so the shell runs it.
    return "exec /bin/sh ./" + installer.toUtf8() + '\n';
}

} // namespace Platform
