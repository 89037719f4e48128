#include "app/runguard.h"
#include "testprogramfolder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <memory>

#include <signal.h>
#include <sys/stat.h>

class RunGuardTest : public QObject
{
    Q_OBJECT

private:
    QString base;
    std::unique_ptr<QTemporaryDir> claims;

    std::unique_ptr<QProcess> startProbe()
    {
        auto probe = std::make_unique<QProcess>();
        probe->start(QStringLiteral(RUNGUARD_PROBE), {base, claims->path()});
        return probe;
    }

    static QByteArray answer(QProcess &probe)
    {
        if (!probe.waitForReadyRead(10000))
            return {};
        return probe.readAllStandardOutput().trimmed();
    }

    static void end(QProcess &probe)
    {
        probe.closeWriteChannel();
        QVERIFY(probe.waitForFinished(10000));
    }

private slots:
    void init()
    {
        base = QUuid::createUuid().toString();
        claims = std::make_unique<QTemporaryDir>();
    }

    void keysAreDistinctSha1Digests()
    {
        RunGuard guard(base);
        const QRegularExpression hex(QStringLiteral("^[0-9a-f]{40}$"));
        QVERIFY(hex.match(guard.memoryLockKey()).hasMatch());
        QVERIFY(hex.match(guard.sharedMemoryKey()).hasMatch());
        QVERIFY(guard.memoryLockKey() != guard.sharedMemoryKey());
        QCOMPARE(RunGuard::instanceKey(QStringLiteral("a"), QStringLiteral("b")),
            QStringLiteral("da23614e02469a0d7c7bd1bdab5c9c474b1904dc"));
    }

    void secondClaimInOneProcessIsRefused()
    {
        RunGuard first(base, claims->path());
        QVERIFY(first.claimInstance());
        RunGuard second(base, claims->path());
        QVERIFY(second.otherInstanceRunning());
        QVERIFY(!second.claimInstance());
        first.releaseInstance();
        QVERIFY(second.claimInstance());
    }

    void secondProcessIsRefusedWhileTheFirstRuns()
    {
        auto first = startProbe();
        QCOMPARE(answer(*first), QByteArray("claimed"));
        auto second = startProbe();
        QCOMPARE(answer(*second), QByteArray("refused"));
        QVERIFY(second->waitForFinished(10000));
        end(*first);
        auto third = startProbe();
        QCOMPARE(answer(*third), QByteArray("claimed"));
        end(*third);
    }

    void twoProcessesStartedAtOnceClaimOnce()
    {
        for (int round = 0; round < 20; ++round) {
            auto a = startProbe();
            auto b = startProbe();
            const QByteArray first = answer(*a);
            const QByteArray second = answer(*b);
            QCOMPARE(int(first == "claimed") + int(second == "claimed"), 1);
            end(first == "claimed" ? *a : *b);
            QVERIFY((first == "claimed" ? b : a)->waitForFinished(10000));
        }
    }

    // The claim is no file that another user could own or that a full or missing temporary
    // folder could refuse.
    void claimNeedsNoTemporaryFolder()
    {
        const bool wasSet = qEnvironmentVariableIsSet("TMPDIR");
        const QByteArray saved = qgetenv("TMPDIR");
        qputenv("TMPDIR", "/nonexistent/tev");
        RunGuard guard(base, claims->path());
        const bool claimed = guard.claimInstance();
        if (wasSet)
            qputenv("TMPDIR", saved);
        else
            qunsetenv("TMPDIR");
        QVERIFY(claimed);
    }

    void startAfterKilledInstanceSucceeds()
    {
        auto first = startProbe();
        QCOMPARE(answer(*first), QByteArray("claimed"));
        ::kill(pid_t(first->processId()), SIGKILL);
        QVERIFY(first->waitForFinished(10000));
        auto next = startProbe();
        QCOMPARE(answer(*next), QByteArray("claimed"));
        end(*next);
    }

    void handOverReachesTheHolder_data()
    {
        QTest::addColumn<QString>("subfolder");
        QTest::newRow("short path") << QString();
        // Longer than a socket address holds.
        QTest::newRow("long path") << QString(120, QLatin1Char('d'));
    }

    void handOverReachesTheHolder()
    {
        QFETCH(QString, subfolder);
        QTemporaryDir root;
        const QString folder = root.filePath(subfolder);
        QVERIFY(QDir().mkpath(folder));
        RunGuard holder(base, folder);
        QVERIFY(holder.claimInstance());
        QVERIFY(holder.handOverSocket() >= 0);
        QVERIFY(!holder.receiveHandOver());

        RunGuard later(base, folder);
        QVERIFY(!later.claimInstance());
        QVERIFY(later.errorString().isEmpty());
        const QStringList files {QStringLiteral("/tmp/a b/Šifra č.pdf"), QStringLiteral("/x.zip")};
        QVERIFY(later.handOver(files));
        QCOMPARE(holder.receiveHandOver(), std::optional<QStringList>(files));
        QVERIFY(later.handOver({}));
        QCOMPARE(holder.receiveHandOver(), std::optional<QStringList>(QStringList()));

        holder.releaseInstance();
        QVERIFY(!later.handOver(files));
    }

    // Only those who may create entries in the folder may open the claim's entries.
    void entriesAreOpenOnlyToTheFolderWriters_data()
    {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("entryMode");
        QTest::newRow("user's own folder") << 0700 << 0600;
        QTest::newRow("group folder") << 0775 << 0660;
    }

    void entriesAreOpenOnlyToTheFolderWriters()
    {
        QFETCH(int, folderMode);
        QFETCH(int, entryMode);
        QTemporaryDir folder;
        QVERIFY(::chmod(QFile::encodeName(folder.path()).constData(), mode_t(folderMode)) == 0);
        RunGuard guard(base, folder.path());
        QVERIFY(guard.claimInstance());
        const QStringList entries
            = QDir(folder.path()).entryList(QDir::System | QDir::Hidden | QDir::Files);
        QCOMPARE(entries.size(), 2);
        for (const QString &entry : entries) {
            struct stat info
            {
            };
            QVERIFY(::stat(QFile::encodeName(folder.filePath(entry)).constData(), &info) == 0);
            QCOMPARE(int(info.st_mode & 0777), entryMode);
        }
    }

    // A start in a folder where it cannot make its claim says so instead of passing for a
    // second start.
    void aFolderWithoutRightsIsNoRunningInstance()
    {
        RunGuard guard(base, QStringLiteral("/nonexistent/tev"));
        QVERIFY(!guard.claimInstance());
        QVERIFY(!guard.errorString().isEmpty());
    }

    // The program itself: a second start ends at once with 0 and the first keeps running; after
    // the first is killed a new start runs again.
    void programStartedTwiceLeavesOneInstance()
    {
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("tev"));
        QVERIFY(QFile::copy(QStringLiteral(TEV_EXECUTABLE), program));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("config")));
        const QDir config(TestProgramFolder::buildProgramDir() + QStringLiteral("/config"));
        for (const QString &file :
            config.entryList({QStringLiteral("*.xml"), QStringLiteral("*.csv")}))
            QFile::copy(config.filePath(file), folder.filePath(QStringLiteral("config/") + file));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        auto start = [&] {
            auto process = std::make_unique<QProcess>();
            process->setProcessEnvironment(environment);
            process->start(program, {});
            process->waitForStarted();
            return process;
        };
        auto first = start();
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(folder.filePath(QStringLiteral("config/tev.ini"))), 20000);
        auto second = start();
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);
        ::kill(pid_t(first->processId()), SIGKILL);
        QVERIFY(first->waitForFinished(10000));
        auto third = start();
        RunGuard running(QStringLiteral("Tevora urejevalnik digitalnih elaboratov"), folder.path());
        QTRY_VERIFY_WITH_TIMEOUT(running.otherInstanceRunning(), 20000);
        QCOMPARE(third->state(), QProcess::Running);
        third->kill();
        third->waitForFinished();
    }
};

QTEST_GUILESS_MAIN(RunGuardTest)
#include "runguardtest.moc"
