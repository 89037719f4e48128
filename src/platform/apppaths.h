#pragma once

#include <QString>
#include <QStringList>

// The program folder, its fixed subfolders, and the places of what the program writes.
//
// A program folder runs in one of two modes. A portable folder (a build's "tev" folder, a copy
// of it) keeps everything beside the executable and must be writable. An installed folder holds
// the marker file that the install step writes (installMarker()); it is read-only for its
// users, and each user keeps what the program writes in the XDG base directories:
//   settings          $XDG_CONFIG_HOME/tevora/tev.ini  (~/.config)
//   scratch and log   $XDG_STATE_HOME/tevora/.tmp      (~/.local/state)
//   scanner list      $XDG_DATA_HOME/tevora/twain/sources.json  (~/.local/share)
//   downloads         $XDG_CACHE_HOME/tevora/update    (~/.cache)
// The mode comes from the marker alone, never from whether the folder can be written (root
// can write anywhere).
class AppPaths
{
public:
    // The program folder, absolute, without a trailing separator: the folder of the
    // executable, also before the application object exists. Tests point it elsewhere.
    static QString programDir();
    // Makes another folder the program folder (tests); an empty path returns to the default.
    static void setProgramDir(const QString &dir);

    // The marker file of an installed program folder, relative to the program folder.
    static const char installMarker[];
    static bool isInstalled();

    // programDir() + "/" + relative; an absolute path stays as it is.
    static QString path(const QString &relative);
    // `absolute` relative to the program folder when it lies inside, else unchanged.
    static QString programRelative(const QString &absolute);
    // How a tool started in its tool folder names `path` (as path() takes it): "../" + path for
    // a path inside the program folder, the absolute path otherwise.
    static QString fromToolDir(const QString &path);
    // The catalogues, code lists, picker lists and the default settings (read only).
    static QString configDir();
    static QString toolDir(const QString &folder);

    // The settings file tev.ini.
    static QString settingsFile();
    // The settings an installed program starts a user with: config/tev.ini of the program
    // folder when the installer put one there.
    static QString settingsDefaultsFile();
    // The scratch folder ".tmp", removed at every normal close, and the debug log in it.
    static QString tempDir();
    static QString debugLogFile();
    // The scanning program's list of sources.
    static QString scannerListFile();
    // The folder that downloaded program updates and their launcher go to.
    static QString updateDir();
    // Where a running instance holds its single-instance claim: the runtime folder of the
    // user for an installed program (one instance per user), the program folder for a portable
    // one (one per machine). Only those who may create entries there can take the claim.
    static QString claimDir();

    // Where a file dialog without a folder of its own starts: the first of `remembered` (folders
    // or files, in order of preference) whose folder exists outside the program folder, else
    // the home folder. A remembered file keeps its name, for the dialog to propose.
    static QString dialogStart(const QStringList &remembered);

    // The executable of a tool: <tool folder>/<program> (with ".exe" on Windows) when it is
    // there, else the program found on the search path, else the tool folder's path anyway so
    // that the start fails visibly.
    static QString toolProgram(const QString &folder, const QString &program);

private:
    static QString &overrideDir();
    // <XDG base directory named by `variable`, else home + `fallback`>/tevora/relative.
    static QString userPath(const char *variable, const char *fallback, const QString &relative);
};
