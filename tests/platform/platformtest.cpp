#include "platform/platform.h"

#include <QDBusConnection>
#include <QDesktopServices>
#include <QMutex>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <pwd.h>
#include <unistd.h>

// Stands in for the desktop's file manager on a private session bus.
class FakeFileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown() const
    {
        QMutexLocker lock(&mutex);
        return uris;
    }

public slots:
    Q_SCRIPTABLE void ShowItems(const QStringList &items, const QString &)
    {
        QMutexLocker lock(&mutex);
        uris += items;
    }

private:
    mutable QMutex mutex;
    QStringList uris;
};

// Receives what the program hands to the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

class PlatformTest : public QObject
{
    Q_OBJECT

private:
    QProcess bus;
    QString address;
    UrlCatcher catcher;

private slots:
    void initTestCase()
    {
        bus.start(QStringLiteral("dbus-daemon"),
            {QStringLiteral("--session"), QStringLiteral("--nofork"),
                QStringLiteral("--print-address")});
        if (!bus.waitForStarted() || !bus.waitForReadyRead(10000))
            QSKIP("no dbus-daemon on this machine");
        address = QString::fromLatin1(bus.readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toLatin1());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    }

    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        bus.kill();
        bus.waitForFinished();
    }

    void init() { catcher.opened.clear(); }

    void userNameIsTheRunningUser()
    {
        QCOMPARE(Platform::userName(), QString::fromLocal8Bit(getpwuid(geteuid())->pw_name));
    }

    void explorerPathUsesSingleBackslashes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("native");
        QTest::newRow("slashes") << "C:/elaborati/0850_00012_000.pdf"
                                 << "C:\\elaborati\\0850_00012_000.pdf";
        QTest::newRow("doubled") << "N:\\\\DZK51\\\\a.pdf"
                                 << "N:\\DZK51\\a.pdf";
        QTest::newRow("mixed") << "N://DZK51\\a b.zip"
                               << "N:\\DZK51\\a b.zip";
        QTest::newRow("network") << "//streznik/DZK51//a.pdf"
                                 << "\\\\streznik\\DZK51\\a.pdf";
    }

    void explorerPathUsesSingleBackslashes()
    {
        QFETCH(QString, path);
        QFETCH(QString, native);
        QCOMPARE(Platform::explorerPath(path), native);
    }

    void fileManagerShowsTheFileOverTheBus()
    {
        QThread serviceThread;
        FakeFileManager manager;
        manager.moveToThread(&serviceThread);
        serviceThread.start();
        QDBusConnection service = QDBusConnection::connectToBus(address, QStringLiteral("fake"));
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager,
            QDBusConnection::ExportScriptableSlots));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));

        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("0850 00012.pdf"));
        QVERIFY(Platform::showInFileManager(file));
        QTRY_COMPARE(manager.shown(), QStringList {QUrl::fromLocalFile(file).toString()});
        QVERIFY(catcher.opened.isEmpty());

        service.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake"));
        serviceThread.quit();
        serviceThread.wait();
    }

    void withoutAFileManagerTheFolderIsOpened()
    {
        QTemporaryDir folder;
        QVERIFY(Platform::showInFileManager(folder.filePath(QStringLiteral("a.pdf"))));
        QCOMPARE(catcher.opened, QList<QUrl> {QUrl::fromLocalFile(folder.path())});
    }

    void helpOpensThePdf()
    {
        QVERIFY(Platform::openHelp(QStringLiteral("/opt/tev/help"), QStringLiteral("pomoc2.pdf")));
        QCOMPARE(catcher.opened,
            QList<QUrl> {QUrl::fromLocalFile(QStringLiteral("/opt/tev/help/pomoc2.pdf"))});
    }

    void launcherRunsDetachedInItsFolder()
    {
        QTemporaryDir folder;
        QFile launcher(folder.filePath(QStringLiteral("update.bat")));
        QVERIFY(launcher.open(QIODevice::WriteOnly));
        launcher.write("pwd > started.txt\n");
        launcher.close();
        QVERIFY(Platform::startLauncher(folder.path(), QStringLiteral("update.bat")));
        QTRY_VERIFY(QFileInfo(folder.filePath(QStringLiteral("started.txt"))).size() > 0);
    }
};

QTEST_MAIN(PlatformTest)
#include "platformtest.moc"
