#pragma once

#include <QByteArray>
#include <QString>

class QProcess;
class QWidget;

// What differs by operating system. Each function has one implementation per system.
namespace Platform {

// The name of the user running the program.
QString userName();

// The folder of the running executable, links resolved; usable before any Qt object exists.
QString executableDir();

// Shows the file selected in the desktop's file manager; returns whether something was started.
bool showInFileManager(const QString &path);

// Opens the help PDF `file` of the folder `helpDir` in a PDF viewer.
bool openHelp(const QString &helpDir, const QString &file);

// Starts the launcher script `launcher` of the folder `dir` detached from the program.
bool startLauncher(const QString &dir, const QString &launcher);

// How a downloaded program update is run: the ending of the installer's file name (".exe",
// ".sh"), the name of the launcher that startLauncher runs, and the launcher's whole content,
// which starts `installer` of the same folder.
QString installerSuffix();
QString launcherName();
QByteArray launcherScript(const QString &installer);

// Makes a child process end with the program, even when the program is killed: on Linux the
// child gets SIGKILL when the thread that started it ends; elsewhere nothing changes. Call it
// before the process starts.
void endWithProgram(QProcess &process);

// The native handle of the widget's window, as a number for the command line of a tool.
quintptr nativeWindowHandle(QWidget *widget);

// The path as Windows Explorer takes it: native separators, every doubled backslash single.
QString explorerPath(const QString &path);

} // namespace Platform
