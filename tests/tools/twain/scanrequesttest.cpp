#include "scanrequest.h"

#include <QTest>

class ScanRequestTest : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
};

void ScanRequestTest::accepted_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("sourceId");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("firstNumber");
    QTest::newRow("as the program starts it")
        << QStringList {"1", "../.tmp/08122025101010", "14", "94371842"} << 1
        << "../.tmp/08122025101010" << 14;
    QTest::newRow("folder with blanks")
        << QStringList {"0", "a folder/with blanks", "0", "0"} << 0 << "a folder/with blanks" << 0;
    QTest::newRow("without a window handle")
        << QStringList {"3", "/tmp/x", "007"} << 3 << "/tmp/x" << 7;
    QTest::newRow("any window handle") << QStringList {"0", "x", "1", "0x1f2e"} << 0 << "x" << 1;
}

void ScanRequestTest::accepted()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, sourceId);
    QFETCH(QString, folder);
    QFETCH(int, firstNumber);
    QString error;
    const std::optional<ScanRequest> request = parseScanRequest(arguments, &error);
    QVERIFY2(request, qPrintable(error));
    QCOMPARE(request->sourceId, sourceId);
    QCOMPARE(request->folder, folder);
    QCOMPARE(request->firstNumber, firstNumber);
}

void ScanRequestTest::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("too few") << QStringList {"0", "x"};
    QTest::newRow("too many") << QStringList {"0", "x", "1", "0", "extra"};
    QTest::newRow("negative id") << QStringList {"-1", "x", "1", "0"};
    QTest::newRow("id with a sign") << QStringList {"+1", "x", "1", "0"};
    QTest::newRow("id not a number") << QStringList {"abc", "x", "1", "0"};
    QTest::newRow("id with blanks") << QStringList {" 1", "x", "1", "0"};
    QTest::newRow("id too big") << QStringList {"99999999999", "x", "1", "0"};
    QTest::newRow("empty page number") << QStringList {"0", "x", "", "0"};
    QTest::newRow("fractional page number") << QStringList {"0", "x", "1.5", "0"};
    QTest::newRow("empty folder") << QStringList {"0", "", "1", "0"};
}

void ScanRequestTest::refused()
{
    QFETCH(QStringList, arguments);
    QString error;
    QVERIFY(!parseScanRequest(arguments, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(ScanRequestTest)
#include "scanrequesttest.moc"
