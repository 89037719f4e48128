#include "app/runguard.h"
#include "testprogramfolder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <memory>

#include <signal.h>

class RunGuardTest : public QObject
{
    Q_OBJECT

private:
    QString base;

    std::unique_ptr<QProcess> startProbe()
    {
        auto probe = std::make_unique<QProcess>();
        probe->start(QStringLiteral(RUNGUARD_PROBE), {base});
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
    void init() { base = QUuid::createUuid().toString(); }

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
        RunGuard first(base);
        QVERIFY(first.claimInstance());
        RunGuard second(base);
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
        RunGuard guard(base);
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
        RunGuard running(QStringLiteral("Tevora urejevalnik digitalnih elaboratov"));
        QTRY_VERIFY_WITH_TIMEOUT(running.otherInstanceRunning(), 20000);
        QCOMPARE(third->state(), QProcess::Running);
        third->kill();
        third->waitForFinished();
    }
};

QTEST_GUILESS_MAIN(RunGuardTest)
#include "runguardtest.moc"
