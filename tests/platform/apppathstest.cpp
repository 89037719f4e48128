#include "platform/apppaths.h"
#include "platform/appsettings.h"
#include "testprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// Where the program keeps what it writes: beside itself in a portable folder, per user in the
// XDG base directories in an installed one.
class AppPathsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;
    QTemporaryDir home;

    void install() { QVERIFY(folder->write(QString::fromLatin1(AppPaths::installMarker), "")); }

private slots:
    void init()
    {
        folder = std::make_unique<TestProgramFolder>();
        qputenv("HOME", home.path().toLocal8Bit());
        for (const char *variable :
            {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            qunsetenv(variable);
    }
    void cleanup() { folder.reset(); }

    void placesFollowTheMarker_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("configHome");
        QTest::addColumn<QStringList>("expected"); // settings, scratch, scanner list, updates
        QTest::newRow("portable") << false << QString()
                                  << QStringList {"P/config/tev.ini", "P/.tmp",
                                         "P/twain/sources.json", "P/update"};
        QTest::newRow("installed")
            << true << QString()
            << QStringList {"H/.config/tevora/tev.ini", "H/.local/state/tevora/.tmp",
                   "H/.local/share/tevora/twain/sources.json", "H/.cache/tevora/update"};
        QTest::newRow("installed, XDG_CONFIG_HOME set")
            << true << "/etc/xdg-test" << QStringList {"/etc/xdg-test/tevora/tev.ini"};
        QTest::newRow("installed, relative XDG_CONFIG_HOME ignored")
            << true << "cfg" << QStringList {"H/.config/tevora/tev.ini"};
    }

    void placesFollowTheMarker()
    {
        QFETCH(bool, installed);
        QFETCH(QString, configHome);
        QFETCH(QStringList, expected);
        if (installed)
            install();
        if (!configHome.isEmpty())
            qputenv("XDG_CONFIG_HOME", configHome.toLocal8Bit());
        const QStringList actual = QStringList {AppPaths::settingsFile(), AppPaths::tempDir(),
            AppPaths::scannerListFile(), AppPaths::updateDir()}
                                       .mid(0, expected.size());
        expected.replaceInStrings(QRegularExpression(QStringLiteral("^P/")), folder->path() + '/');
        expected.replaceInStrings(QRegularExpression(QStringLiteral("^H/")), home.path() + '/');
        QCOMPARE(actual, expected);
        QCOMPARE(AppPaths::isInstalled(), installed);
        QCOMPARE(AppPaths::configDir(), folder->path(QStringLiteral("config")));
        QCOMPARE(AppPaths::debugLogFile(), AppPaths::tempDir() + QStringLiteral("/debug.log"));
    }

    // A user's first start of an installed program copies the installed defaults; without any
    // the default content is written. The program folder stays untouched.
    void installedSettingsAreSeeded()
    {
        install();
        AppSettings::writeDefaultSettingsFile();
        QVERIFY(QFile(AppPaths::settingsFile()).open(QIODevice::ReadOnly));
        QVERIFY(!QFile::exists(folder->path(QStringLiteral("config/tev.ini"))));
        QFile::remove(AppPaths::settingsFile());

        QVERIFY(folder->write(QStringLiteral("config/tev.ini"), "[Nastavitve]\ngp=140\n"));
        AppSettings::writeDefaultSettingsFile();
        QFile seeded(AppPaths::settingsFile());
        QVERIFY(seeded.open(QIODevice::ReadOnly));
        QCOMPARE(seeded.readAll(), QByteArray("[Nastavitve]\ngp=140\n"));
        QVERIFY(seeded.permissions() & QFile::WriteOwner);
    }

    // File dialogs never start in the program folder (nor in its settings folder), nor in a
    // folder that is gone.
    void dialogsStartOutsideTheProgramFolder()
    {
        QTemporaryDir outside;
        const QString file = outside.filePath(QStringLiteral("a.pdf"));
        QCOMPARE(AppPaths::dialogStart({}), QDir::homePath());
        QCOMPARE(AppPaths::dialogStart({QString(), outside.path()}), outside.path());
        QCOMPARE(AppPaths::dialogStart({file}), file);
        QCOMPARE(AppPaths::dialogStart({QStringLiteral("/nonexistent/a.pdf"), file}), file);
        QCOMPARE(AppPaths::dialogStart({folder->path(QStringLiteral("config"))}), QDir::homePath());
        QCOMPARE(AppPaths::dialogStart({QStringLiteral("a.pdf")}), QDir::homePath());
    }
};

QTEST_GUILESS_MAIN(AppPathsTest)
#include "apppathstest.moc"
