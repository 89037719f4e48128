#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh program folder for one test. The default configuration is copied from the build's
// program folder, the tool folders hold links to the build's tools, and AppPaths points at the new
// folder until the object dies.
class TestProgramFolder
{
public:
    enum Config
    {
        WithDefaultConfig,
        WithEmptyConfig,
        WithoutConfig
    };

    explicit TestProgramFolder(Config config = WithDefaultConfig);
    ~TestProgramFolder();

    bool isValid() const { return dir.isValid(); }
    QString path() const { return dir.path(); }
    QString path(const QString &relative) const { return dir.filePath(relative); }

    // Writes a file below the program folder, creating its folders.
    bool write(const QString &relative, const QByteArray &content) const;
    QByteArray read(const QString &relative) const;
    // Writes an executable script in place of a tool folder's program, or beside it.
    bool writeTool(const QString &relative, const QByteArray &script) const;
    // Removes a tool folder, so that its programs are looked up on the search path.
    bool removeTool(const QString &folder) const;

    // The program folder the build made.
    static QString buildProgramDir();

private:
    void linkToolFolder(const QString &buildFolder) const;

    QTemporaryDir dir;
};
