#pragma once

#include "updatecommands.h"

#include <QObject>
#include <QProcess>
#include <functional>

class QWidget;
class TUpdateProcess;

// Program updates: asks the update server for its latest version, offers it when it differs
// from the running one, downloads the installer and, once the main window has closed, starts
// it through a launcher in the update folder. Every step runs curl asynchronously; one check or
// download runs at a time. The user is told through the Prompter, over `window`.
class UpdateChecker : public QObject
{
    Q_OBJECT
public:
    enum Outcome
    {
        UpToDate,
        CheckFailed,
        Declined,
        DownloadFailed,
        LauncherFailed,
        CloseRefused,
        InstallerStarted
    };
    Q_ENUM(Outcome)

    // `server` gives the update settings as they are when a check starts; `closeWindow` asks
    // the main window to close, as the user would, and returns whether it closed.
    UpdateChecker(const QString &currentVersion, std::function<UpdateServer()> server,
        std::function<bool()> closeWindow, QWidget *window);
    // Kills a check or download that is still running.
    ~UpdateChecker() override;

    // Starts a check and returns at once. A check or download still running is killed first,
    // and its end is never handled. A quiet check keeps quiet only about being up to date.
    void checkForUpdates(bool quiet);

signals:
    // A check has ended: up to date, failed, declined or, after a download, how that ended.
    // A killed check ends without it.
    void finished(UpdateChecker::Outcome outcome);

private:
    using Handler = void (UpdateChecker::*)(int, QProcess::ExitStatus);

    void stop();
    void start(bool quiet, const ToolCommand &command, const QString &workingDir, Handler handler);
    // Forgets the process that ended, records its run in the debug log, returns its output.
    QByteArray release(const QString &label);
    void onVersionCheckFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void onUpdateDownloaded(int exitCode, QProcess::ExitStatus exitStatus);
    void download(const QString &version);
    Outcome launch(const QString &installer);

    const QString current;
    const std::function<UpdateServer()> serverSettings;
    const std::function<bool()> closeWindow;
    QWidget *window;
    UpdateServer server; // as the running check read it
    TUpdateProcess *process = nullptr;
    // Counts the processes started and killed, so that the end of one that was replaced is
    // told apart from the end of the current one.
    quint64 generation = 0;
    QString offered; // the version being downloaded
};
