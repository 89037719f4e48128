#include "intake/scannersourcereader.h"
#include "testprogramfolder.h"

#include <QFile>
#include <QTest>

namespace {
const int waitMs = 30000;
}

// Reading the scanning program's source list in the background.
class ScannerSourceReaderTest : public QObject
{
    Q_OBJECT

private slots:
    // What a program that hangs, as a driver can, printed before it was stopped counts; the
    // line it was in the middle of does not.
    void aStoppedReadingKeepsTheWholeLinesPrinted()
    {
        TestProgramFolder folder(TestProgramFolder::WithoutConfig);
        QVERIFY(folder.writeTool(QStringLiteral("twain/TWAIN_APP_CMD"),
            "#!/bin/sh\nprintf '0:,Canon LiDE 220\\n1:,Epson DS'\ntouch printed\nexec sleep 60\n"));
        ScannerSourceReader reader;
        QList<ScannerSource> sources;
        int answers = 0;
        connect(&reader, &ScannerSourceReader::sourcesRead, [&](const QList<ScannerSource> &read) {
            sources = read;
            ++answers;
        });
        reader.read();
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(folder.path(QStringLiteral("twain/printed"))), waitMs);
        reader.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!reader.isReading(), waitMs);
        QTRY_COMPARE_WITH_TIMEOUT(answers, 1, waitMs);
        QCOMPARE(sources.size(), 1);
        QCOMPARE(sources.first().id, 0);
        QCOMPARE(sources.first().name, QStringLiteral("Canon LiDE 220"));
    }

    // A new reading abandons the one that runs; only the new one answers.
    void anAbandonedReadingDoesNotAnswer()
    {
        TestProgramFolder folder(TestProgramFolder::WithoutConfig);
        QVERIFY(folder.writeTool(QStringLiteral("twain/TWAIN_APP_CMD"),
            "#!/bin/sh\nif [ -e second ]; then echo '0:,Drugi'; exit 0; fi\n"
            "printf '0:,Prvi\\n'\ntouch second\nexec sleep 60\n"));
        ScannerSourceReader reader;
        QStringList answers;
        connect(&reader, &ScannerSourceReader::sourcesRead,
            [&](const QList<ScannerSource> &read) { answers << read.value(0).name; });
        reader.read();
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(folder.path(QStringLiteral("twain/second"))), waitMs);
        reader.stop();
        reader.read();
        QTRY_VERIFY_WITH_TIMEOUT(!reader.isReading(), waitMs);
        QTRY_COMPARE_WITH_TIMEOUT(answers, QStringList {QStringLiteral("Drugi")}, waitMs);
    }
};

QTEST_GUILESS_MAIN(ScannerSourceReaderTest)
#include "scannersourcereadertest.moc"
