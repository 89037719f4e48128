#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh program folder for one test. The default configuration is copied from the build's
// program folder, the tool folders are links to the build's, and AppPaths points at the new
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

    // The program folder the build made.
    static QString buildProgramDir();

private:
    QTemporaryDir dir;
};
