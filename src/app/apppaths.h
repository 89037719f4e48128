#pragma once

#include <QString>

// The program folder and its fixed subfolders. The program folder is the folder of the
// executable; tests point it at a temporary copy.
class AppPaths
{
public:
    // The program folder, absolute, without a trailing separator.
    static QString programDir();
    // Makes another folder the program folder (tests); an empty path returns to the default.
    static void setProgramDir(const QString &dir);

    // programDir() + "/" + relative.
    static QString path(const QString &relative);
    static QString configDir();
    static QString tempDir();
    static QString toolDir(const QString &folder);
    // The folder that downloaded program updates and their launcher go to.
    static QString updateDir();

    // The executable of a tool: <tool folder>/<program> (with ".exe" on Windows) when it is
    // there, else the program found on the search path, else the tool folder's path anyway so
    // that the start fails visibly.
    static QString toolProgram(const QString &folder, const QString &program);

private:
    static QString &overrideDir();
};
