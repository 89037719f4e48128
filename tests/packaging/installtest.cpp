#include "testprogramfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The installed program as a user meets it: `cmake --install` into a temporary root, the
// desktop entry, the program started from there with a home of its own, and the Debian package.
class InstallTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir root;
    QTemporaryDir home;
    QString program() const { return root.filePath(QStringLiteral("opt/tev")); }

    static QString run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0)
            return QStringLiteral("FAILED: ") + QString::fromLocal8Bit(process.readAll());
        return QString::fromLocal8Bit(process.readAll());
    }

    // The files below `folder` (links included, folders not), relative to it.
    static QStringList filesBelow(const QString &folder)
    {
        QStringList files;
        QDirIterator it(
            folder, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(folder).relativeFilePath(it.next());
        files.sort();
        return files;
    }

    QProcessEnvironment userEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &variable : environment.keys()) {
            if (variable.startsWith(QLatin1String("XDG_")))
                environment.remove(variable);
        }
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return environment;
    }

    QByteArray debugLog() const
    {
        QFile log(home.filePath(QStringLiteral(".local/state/tevora/.tmp/debug.log")));
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }

    QString zip(const QString &name) const
    {
        const QString path = home.filePath(name);
        QFile content(home.filePath(QStringLiteral("vsebina.txt")));
        content.open(QIODevice::WriteOnly);
        content.write("ni elaborat\n");
        content.close();
        if (!run(QStandardPaths::findExecutable(QStringLiteral("7za")),
                {QStringLiteral("a"), QStringLiteral("-tzip"), path, content.fileName()})
                 .startsWith(QLatin1String("FAILED")))
            return path;
        return QString();
    }

private slots:
    void initTestCase()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), root.path());
        const QString output = run(QStringLiteral("cmake"),
            {QStringLiteral("--install"), QStringLiteral(TEV_BUILD_DIR), QStringLiteral("--prefix"),
                QStringLiteral("/opt/tev")},
            environment);
        QVERIFY2(!output.startsWith(QLatin1String("FAILED")), qPrintable(output));
    }

    void everyFileIsInPlace()
    {
        // Everything the build's program folder holds but the portable settings: a tool added
        // to the build and forgotten by the install fails here.
        const QDir build(TestProgramFolder::buildProgramDir());
        QDirIterator files(build.path(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = build.relativeFilePath(files.next());
            if (file != QLatin1String("config/tev.ini"))
                QVERIFY2(QFileInfo::exists(program() + '/' + file), qPrintable(file));
        }
        QVERIFY(QFileInfo::exists(program() + QStringLiteral("/tev.installed")));
        for (const char *folder : {"7z", "curl"})
            QVERIFY2(QFileInfo(program() + '/' + folder).isDir(), folder);
        QVERIFY(!QFileInfo::exists(program() + QStringLiteral("/config/tev.ini")));
        QCOMPARE(QFile::symLinkTarget(root.filePath(QStringLiteral("usr/bin/tev"))),
            QStringLiteral("/opt/tev/tev"));
        QVERIFY(QFileInfo::exists(
            root.filePath(QStringLiteral("usr/share/icons/hicolor/scalable/apps/tevora.svg"))));
        const QString entry
            = root.filePath(QStringLiteral("usr/share/applications/tevora.desktop"));
        QVERIFY(QFileInfo::exists(entry));
        const QString validator
            = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        QVERIFY2(!validator.isEmpty(), "desktop-file-validate (desktop-file-utils) is missing");
        QCOMPARE(run(validator, {entry}), QString());
    }

    // Started from the installed folder with a fresh home: the settings come from the installed
    // defaults into the home, the scratch folder and its log are there, the program folder
    // gains nothing. A file argument opens as "Odpri..." would; a second start hands its file
    // to the running instance and ends.
    void installedProgramWritesIntoTheHome()
    {
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("run"))));
        QFile::setPermissions(home.filePath(QStringLiteral("run")),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile defaults(program() + QStringLiteral("/config/tev.ini"));
        QVERIFY(defaults.open(QIODevice::WriteOnly));
        defaults.write("[Nastavitve]\ngp=140\ngpUser=true\n");
        defaults.close();
        const QStringList before = filesBelow(program());
        const QString first = zip(QStringLiteral("prvi.zip"));
        const QString second = zip(QStringLiteral("drugi.zip"));
        QVERIFY(!first.isEmpty() && !second.isEmpty());

        QProcess running;
        running.setProcessEnvironment(userEnvironment());
        running.start(program() + QStringLiteral("/tev"), {first});
        QTRY_VERIFY_WITH_TIMEOUT(debugLog().contains(first.toUtf8()), 30000);
        QVERIFY(debugLog().contains("MainWindow - odpriElaborat"));
        QFile settings(home.filePath(QStringLiteral(".config/tevora/tev.ini")));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("gp=140"));

        QProcess later;
        later.setProcessEnvironment(userEnvironment());
        later.start(program() + QStringLiteral("/tev"), {second});
        QVERIFY(later.waitForFinished(30000));
        QCOMPARE(later.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(debugLog().contains(second.toUtf8()), 30000);
        QCOMPARE(running.state(), QProcess::Running);
        running.kill();
        running.waitForFinished();
        QCOMPARE(filesBelow(program()), before);
    }

    // The package holds what the install puts in place and names what the program needs.
    void debianPackageMatchesTheInstall()
    {
        QTemporaryDir output;
        const QString built = run(QStringLiteral("cpack"),
            {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                QStringLiteral(TEV_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
                output.path()});
        QVERIFY2(!built.startsWith(QLatin1String("FAILED")), qPrintable(built));
        const QStringList packages
            = QDir(output.path()).entryList({QStringLiteral("tevora_*.deb")});
        QCOMPARE(packages.size(), 1);
        const QString package = output.filePath(packages.first());
        QVERIFY(QRegularExpression(QStringLiteral("^tevora_2\\.4\\.5_\\w+\\.deb$"))
                    .match(packages.first())
                    .hasMatch());

        const QString depends = run(
            QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), package, QStringLiteral("Depends")});
        for (const char *dependency :
            {"libqt6widgets6", "libpoppler-qt6-3", "libqpdf29", "libsane1", "qt6-qpa-plugins",
                "graphicsmagick", "p7zip-full", "curl", "fonts-dejavu-core"})
            QVERIFY2(depends.contains(QLatin1String(dependency)), dependency);

        QStringList contents;
        const QStringList lines
            = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), package})
                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1Char('d')))
                continue;
            QString name = line.section(QStringLiteral(" ./"), 1);
            contents << name.section(QStringLiteral(" -> "), 0, 0);
        }
        contents.sort();
        QStringList installed = filesBelow(root.path());
        installed.removeAll(QStringLiteral("opt/tev/config/tev.ini"));
        QCOMPARE(contents, installed);
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "installtest.moc"
