#include "updatechecker.h"

#include "platform/apppaths.h"
#include "platform/platform.h"
#include "platform/prompter.h"
#include "tupdateprocess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <limits>
#include <utility>

namespace {

quint32 randomQuery()
{
    return QRandomGenerator::global()->bounded(quint32(std::numeric_limits<qint32>::max()));
}

bool ranWell(int exitCode, QProcess::ExitStatus exitStatus)
{
    return exitStatus == QProcess::NormalExit && exitCode == 0;
}

} // namespace

UpdateChecker::UpdateChecker(const QString &currentVersion, std::function<UpdateServer()> server,
    std::function<bool()> closeWindow, QWidget *window)
    : QObject(window)
    , current(currentVersion)
    , serverSettings(std::move(server))
    , closeWindow(std::move(closeWindow))
    , window(window)
{ }

UpdateChecker::~UpdateChecker()
{
    stop();
}

void UpdateChecker::checkForUpdates(bool quiet)
{
    stop();
    server = serverSettings();
    start(quiet, versionCheckCommand(server, randomQuery()),
        AppPaths::toolDir(QStringLiteral("curl")), &UpdateChecker::onVersionCheckFinished);
}

void UpdateChecker::stop()
{
    ++generation;
    if (TUpdateProcess *running = std::exchange(process, nullptr)) {
        running->kill();
        running->waitForFinished(ToolRunner::timeoutMs);
        delete running;
    }
}

void UpdateChecker::start(
    bool quiet, const ToolCommand &command, const QString &workingDir, Handler handler)
{
    process = new TUpdateProcess(quiet, this);
    const quint64 run = ++generation;
    connect(process, &QProcess::finished, this,
        [this, run, handler](int exitCode, QProcess::ExitStatus exitStatus) {
            if (run == generation)
                (this->*handler)(exitCode, exitStatus);
        });
    // A program that cannot start never finishes: its failure ends the step instead. Queued,
    // because the error may be raised from within start().
    connect(
        process, &QProcess::errorOccurred, this,
        [this, run, handler](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart && run == generation)
                (this->*handler)(-1, QProcess::CrashExit);
        },
        Qt::QueuedConnection);
    process->start(command, workingDir);
}

QByteArray UpdateChecker::release(const QString &label)
{
    TUpdateProcess *ended = std::exchange(process, nullptr);
    const QByteArray output = ended->readAllStandardOutput();
    ToolRunner::logToolRun(label, output, ended->command().commandLine);
    // It is still inside its own finished signal.
    ended->deleteLater();
    return output;
}

void UpdateChecker::onVersionCheckFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    const bool quiet = process->quiet();
    const QString version
        = serverVersion(release(QStringLiteral("UpdateChecker - checkForUpdates")));
    if (!ranWell(exitCode, exitStatus) || version.isEmpty()) {
        Prompter::warning(window, QString(),
            QStringLiteral("Napaka pri preverjanju razlicice programa. Preverite povezavo z "
                           "internetom oz. dostop do naslova '")
                + server.address + QLatin1Char('\''));
        emit finished(CheckFailed);
        return;
    }
    if (version == current) {
        if (!quiet) {
            Prompter::information(window, QString(),
                QStringLiteral("Program je ze posodobljen na najnovejso razlicico (") + current
                    + QStringLiteral(")."));
        }
        emit finished(UpToDate);
        return;
    }
    if (!Prompter::question(window, QString(),
            QStringLiteral("Trenutno uporabljate razlicico %1. Na voljo je novejsa razlicica "
                           "programa (%2). Ali jo zelite namestiti?")
                .arg(current, version),
            QMessageBox::Yes)) {
        emit finished(Declined);
        return;
    }
    download(version);
}

void UpdateChecker::download(const QString &version)
{
    offered = version;
    const QString installer = installerFileName(version);
    const QString folder = AppPaths::updateDir();
    QDir().mkpath(folder);
    QFile::remove(folder + QLatin1Char('/') + installer);
    start(false, downloadCommand(server, installer, randomQuery()), folder,
        &UpdateChecker::onUpdateDownloaded);
}

void UpdateChecker::onUpdateDownloaded(int exitCode, QProcess::ExitStatus exitStatus)
{
    release(QStringLiteral("UpdateChecker - onVersionCheckFinished"));
    const QString installer = installerFileName(offered);
    const QString path = AppPaths::updateDir() + QLatin1Char('/') + installer;
    if (!ranWell(exitCode, exitStatus) || QFileInfo(path).size() == 0) {
        // Only a whole installer is ever run, now or by hand later.
        QFile::remove(path);
        Prompter::warning(window, QString(),
            QStringLiteral("Napaka pri nalaganju naslova '%1/%2'").arg(server.address, installer));
        emit finished(DownloadFailed);
        return;
    }
    emit finished(launch(installer));
}

UpdateChecker::Outcome UpdateChecker::launch(const QString &installer)
{
    const QString folder = AppPaths::updateDir();
    const QString launcher = folder + QLatin1Char('/') + Platform::launcherName();
    // Written while the program is still open, so that a failure can still be told.
    QSaveFile file(launcher);
    const QByteArray script = Platform::launcherScript(installer);
    if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size() || !file.commit()) {
        Prompter::warning(window, QString(),
            QStringLiteral("Ne morem zapisati datoteke '%1'.")
                .arg(QDir::toNativeSeparators(launcher)));
        return LauncherFailed;
    }
    if (!closeWindow()) {
        QFile::remove(launcher);
        return CloseRefused;
    }
    if (!Platform::startLauncher(folder, Platform::launcherName())) {
        Prompter::warning(window, QString(),
            QStringLiteral("Ne morem zagnati datoteke '%1'.")
                .arg(QDir::toNativeSeparators(launcher)));
        return LauncherFailed;
    }
    return InstallerStarted;
}
