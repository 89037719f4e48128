#include "testprogramfolder.h"

#include "platform/apppaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const char *const toolFolders[] = {"PdfComposer", "jpdfbookmarks", "ImageAnalyzer", "twain",
    "ImageMagick", "7z", "curl", "help", "tev-post"};
}

TestProgramFolder::TestProgramFolder(Config config)
{
    if (!dir.isValid())
        return;
    const QDir build(buildProgramDir());
    for (const char *folder : toolFolders)
        linkToolFolder(build.filePath(QString::fromLatin1(folder)));
    if (config != WithoutConfig)
        QDir(dir.path()).mkdir(QStringLiteral("config"));
    if (config == WithDefaultConfig) {
        const QDir source(build.filePath(QStringLiteral("config")));
        const QStringList files = source.entryList(QDir::Files);
        for (const QString &file : files) {
            // Settings left by a run of the build's program are no default.
            if (file == QLatin1String("tev.ini"))
                continue;
            QFile::copy(source.filePath(file), dir.filePath(QStringLiteral("config/") + file));
        }
    }
    // No scanner drivers: probing them all would slow every test that opens the settings.
    QDir(dir.path()).mkdir(QStringLiteral("sane"));
    write(QStringLiteral("sane/dll.conf"), QByteArray());
    qputenv("SANE_CONFIG_DIR", dir.filePath(QStringLiteral("sane")).toLocal8Bit());
    AppPaths::setProgramDir(dir.path());
}

// The folder is real and its entries are links: a tool that finds its way by ".." from its
// folder, as the scanning program does, then lands in this program folder, not the build's.
void TestProgramFolder::linkToolFolder(const QString &buildFolder) const
{
    const QDir source(buildFolder);
    if (!source.exists())
        return;
    const QString target = dir.filePath(source.dirName());
    QDir().mkpath(target);
    const QStringList entries = source.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        // The source list that a run of the build's scanning program kept is no list of this
        // folder's, and a new one would be written through the link into the build.
        if (entry == QLatin1String("sources.json"))
            continue;
        QFile::link(source.filePath(entry), target + QLatin1Char('/') + entry);
    }
}

TestProgramFolder::~TestProgramFolder()
{
    qunsetenv("SANE_CONFIG_DIR");
    AppPaths::setProgramDir(QString());
}

bool TestProgramFolder::write(const QString &relative, const QByteArray &content) const
{
    const QString target = dir.filePath(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    // Never through a link into the build's program folder.
    if (QFileInfo(target).isSymLink())
        QFile::remove(target);
    QFile file(target);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(content) == content.size();
}

bool TestProgramFolder::writeTool(const QString &relative, const QByteArray &script) const
{
    return write(relative, script)
        && QFile::setPermissions(
            dir.filePath(relative), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool TestProgramFolder::removeTool(const QString &folder) const
{
    return QDir(dir.filePath(folder)).removeRecursively();
}

QByteArray TestProgramFolder::read(const QString &relative) const
{
    QFile file(dir.filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TestProgramFolder::buildProgramDir()
{
    return QStringLiteral(TEV_BUILD_PROGRAM_DIR);
}
