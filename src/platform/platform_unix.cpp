#include "platform.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <pwd.h>
#include <unistd.h>

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
