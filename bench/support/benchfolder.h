#pragma once

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

// What the benchmarks of a main window set up in their program folder.
namespace BenchFolder {

// The build's default configuration in `target`, with complete settings of an office user.
inline void copyConfig(const QString &target)
{
    const QDir source(QStringLiteral(TEV_BUILD_PROGRAM_DIR "/config"));
    QDir().mkpath(target);
    for (const QString &name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), target + QLatin1Char('/') + name);
    QFile ini(target + QStringLiteral("/tev.ini"));
    if (!ini.open(QIODevice::WriteOnly) || ini.write("[Nastavitve]\ngp=140\ngpUser=true\n") < 0)
        qFatal("cannot write the settings");
}

// A PDF of `pages` empty pages; returns its path.
inline QString makePdf(const QString &path, int pages)
{
    QPdfWriter writer(path);
    QPainter painter(&writer);
    for (int page = 1; page < pages; ++page)
        writer.newPage();
    return path;
}

} // namespace BenchFolder
