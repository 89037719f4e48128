#include "platform/toolrunner.h"
#include "testprogramfolder.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <memory>

class ToolRunnerTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;

    QByteArray log() const { return folder->read(QStringLiteral(".tmp/debug.log")); }

    static ToolCommand shell(const QString &script, const QString &shown)
    {
        return {QStringLiteral("PdfComposer"), QStringLiteral("sh"), {QStringLiteral("-c"), script},
            shown};
    }

    // Whether the process runs: neither gone nor a zombie that waits to be reaped.
    static bool alive(const QString &pid)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestProgramFolder>(TestProgramFolder::WithoutConfig);
        QVERIFY(QDir(folder->path()).mkpath(QStringLiteral(".tmp")));
        QDir(folder->path()).mkpath(QStringLiteral("PdfComposer"));
    }

    void cleanup() { folder.reset(); }

    void markerStartsAnEmptyLog()
    {
        ToolRunner::logRecord(QStringLiteral("session start"));
        QCOMPARE(log(), QByteArray("\r\n--------session start----------\r\n"));
    }

    void silentToolLeavesAnEmptyOutputSection()
    {
        const ToolResult result
            = ToolRunner().runTool(shell(QStringLiteral("true"), QStringLiteral("true.exe")),
                QStringLiteral("TTreeElaborat4"));
        QVERIFY(result.succeeded());
        QCOMPARE(log(),
            QByteArray("breakpoint:\r\nTTreeElaborat4\r\nStandard output:\r\n\r\ncmd:\r\n"
                       "true.exe\r\n------------------\r\n"));
    }

    void outputIsRecordedUpToItsFirstZeroByte()
    {
        const ToolResult result = ToolRunner().runTool(
            shell(QStringLiteral("printf 'č1\\000x'"), QStringLiteral("x \"a b\"")),
            QStringLiteral("label"));
        QCOMPARE(result.output, QByteArray("č1\0x", 5));
        QCOMPARE(log(),
            QByteArray("breakpoint:\r\nlabel\r\nStandard output:\r\nč1\r\ncmd:\r\n"
                       "x \"a b\"\r\n------------------\r\n"));
    }

    void standardErrorFollowsTheRecordAsAMarker()
    {
        ToolRunner().runTool(
            shell(QStringLiteral("echo out; echo 'opozorilo: č' >&2"), QStringLiteral("x")),
            QStringLiteral("label"));
        QCOMPARE(log(),
            QByteArray("breakpoint:\r\nlabel\r\nStandard output:\r\nout\n\r\ncmd:\r\n"
                       "x\r\n------------------\r\n"
                       "\r\n--------label - standard error:\r\nopozorilo: č----------\r\n"));
    }

    void argumentsAreNeverResplit()
    {
        const QString name = QStringLiteral("a \"b\" c; rm -rf x");
        const ToolCommand command {QStringLiteral("PdfComposer"), QStringLiteral("printf"),
            {QStringLiteral("%s|"), name, QStringLiteral("")}, QStringLiteral("printf")};
        QCOMPARE(ToolRunner().runTool(command, QStringLiteral("t")).output,
            (name + QStringLiteral("||")).toUtf8());
    }

    void toolRunsInItsFolderAndIsFoundThereFirst()
    {
        QVERIFY(folder->write(QStringLiteral("PdfComposer/where"), "#!/bin/sh\npwd\n"));
        QFile(folder->path(QStringLiteral("PdfComposer/where")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const ToolResult result = ToolRunner().runTool(
            {QStringLiteral("/PdfComposer"), QStringLiteral("where"), {}, QStringLiteral("w")},
            QStringLiteral("t"));
        QCOMPARE(QDir(QString::fromUtf8(result.output.trimmed())).canonicalPath(),
            QDir(folder->path(QStringLiteral("PdfComposer"))).canonicalPath());
    }

    void missingToolStillGetsARecord()
    {
        const ToolResult result
            = ToolRunner().runTool({QStringLiteral("PdfComposer"), QStringLiteral("no-such-tool"),
                                       {}, QStringLiteral("no-such-tool.exe")},
                QStringLiteral("t"));
        QVERIFY(!result.started);
        QVERIFY(log().contains("Standard output:\r\n\r\ncmd:\r\nno-such-tool.exe\r\n"));
    }

    void stopFlagKillsTheToolAtOnce()
    {
        std::atomic_bool stop {false};
        std::unique_ptr<QThread> stopper(QThread::create([&stop] {
            QThread::msleep(200);
            stop = true;
        }));
        stopper->start();
        const ToolResult result = ToolRunner(&stop).runTool(
            shell(QStringLiteral("sleep 20"), QStringLiteral("sleep")), QStringLiteral("t"));
        stopper->wait();
        QVERIFY(result.started);
        QVERIFY(!result.finished);
        // Killed, not left to run out its twenty seconds or the runner's limit.
        QVERIFY(!result.normalExit);
    }

    void timeLimit_data()
    {
        QTest::addColumn<int>("limitMs");
        QTest::addColumn<bool>("finished");
        QTest::newRow("a quick run is cut at its limit") << 200 << false;
        QTest::newRow("work the user can stop runs as long as it needs")
            << int(ToolRunner::noTimeLimit) << true;
    }

    void timeLimit()
    {
        QFETCH(int, limitMs);
        QFETCH(bool, finished);
        std::atomic_bool stop {false};
        const ToolResult result
            = ToolRunner(&stop, limitMs)
                  .runTool(shell(QStringLiteral("sleep 1"), QStringLiteral("sleep")),
                      QStringLiteral("t"));
        QCOMPARE(result.finished, finished);
        QCOMPARE(result.succeeded(), finished);
    }

    void aChildEndsWithTheProgramThatRunsIt()
    {
#ifdef Q_OS_LINUX
        QProcess program;
        program.start(QStringLiteral(TOOLRUNNER_PROBE), {folder->path()});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY(folder->read(QStringLiteral("PdfComposer/child.pid")).endsWith('\n'));
        const QString child
            = QString::fromUtf8(folder->read(QStringLiteral("PdfComposer/child.pid")).trimmed());
        QVERIFY(alive(child));
        program.kill();
        QVERIFY(program.waitForFinished());
        QTRY_VERIFY(!alive(child));
#else
        QSKIP("Children are tied to the program on Linux only.");
#endif
    }

    void aSetStopFlagStartsNothing()
    {
        std::atomic_bool stop {true};
        const ToolResult result = ToolRunner(&stop).runTool(
            shell(QStringLiteral("echo ran"), QStringLiteral("echo")), QStringLiteral("t"));
        QVERIFY(!result.started);
        QVERIFY(result.output.isEmpty());
    }

    void recordsWithoutTempFolderAreDroppedAndTheNextStartsANewFile()
    {
        QVERIFY(QDir(folder->path(QStringLiteral(".tmp"))).removeRecursively());
        ToolRunner::logRecord(QStringLiteral("lost"));
        QVERIFY(!QFile::exists(folder->path(QStringLiteral(".tmp/debug.log"))));
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral(".tmp")));
        ToolRunner::logRecord(QStringLiteral("kept"));
        QCOMPARE(log(), QByteArray("\r\n--------kept----------\r\n"));
    }

    void renderFillsEachMarkerOnce_data()
    {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("line");
        QTest::newRow("composer")
            << QStringLiteral("PdfComposer.exe %1 \"%2\" \"%3\" \"%4\" \"%5\"")
            << QStringList {QStringLiteral("\"a.pdf\" 0 0"), QStringLiteral("o.pdf"),
                   QStringLiteral("K=%2"), QStringLiteral("."), QStringLiteral("T")}
            << QStringLiteral("PdfComposer.exe \"a.pdf\" 0 0 \"o.pdf\" \"K=%2\" \".\" \"T\"");
        QTest::newRow("missing value")
            << QStringLiteral("7za e %1 %3") << QStringList {QStringLiteral("x")}
            << QStringLiteral("7za e x %3");
        QTest::newRow("percent sign")
            << QStringLiteral("50% %1") << QStringList {QStringLiteral("y")}
            << QStringLiteral("50% y");
    }

    void renderFillsEachMarkerOnce()
    {
        QFETCH(QString, templ);
        QFETCH(QStringList, values);
        QFETCH(QString, line);
        QCOMPARE(ToolRunner::render(templ, values), line);
    }
};

QTEST_GUILESS_MAIN(ToolRunnerTest)
#include "toolrunnertest.moc"
