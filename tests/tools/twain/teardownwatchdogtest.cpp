#include "teardownwatchdog.h"

#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

// The watchdog ends a program whose driver teardown hangs, with the decided outcome.
class TeardownWatchdogTest : public QObject
{
    Q_OBJECT

private slots:
    void aHungTeardownEndsWithTheDecidedOutcome()
    {
        int pipeEnds[2];
        QCOMPARE(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeEnds[0]);
            TeardownWatchdog watchdog;
            watchdog.arm([&] { (void)::write(pipeEnds[1], "reported", 8); }, 7, 1);
            for (;;)
                ::pause();
        }
        ::close(pipeEnds[1]);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 7);
        char text[16] = {};
        QCOMPARE(::read(pipeEnds[0], text, sizeof text), ssize_t(8));
        QCOMPARE(QByteArray(text), QByteArray("reported"));
        ::close(pipeEnds[0]);
    }

    void aTeardownInTimeReportsNothing()
    {
        bool reported = false;
        {
            TeardownWatchdog watchdog;
            watchdog.arm([&] { reported = true; }, 7, 5);
        }
        QVERIFY(!reported);
    }
};

QTEST_GUILESS_MAIN(TeardownWatchdogTest)
#include "teardownwatchdogtest.moc"
