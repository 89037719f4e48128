#include "scanbatch.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A supplier that gives `pages` small pages, then answers `end` with a message.
PageSupplier pagesThen(int pages, PageStatus end)
{
    auto given = std::make_shared<int>(0);
    return [=](RgbPage *page, QString *error) {
        if (*given == pages) {
            *error = QStringLiteral("no more");
            return end;
        }
        ++*given;
        page->width = 2;
        page->height = 3;
        page->xDpi = page->yDpi = 300;
        page->pixels = QByteArray(2 * 3 * 3, char(*given));
        return PageStatus::Scanned;
    };
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
} // namespace

class ScanBatchTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void pageNames();
    void feederUntilEmpty();
    void flatbedTakesOnePage();
    void takenNumbersAreSkipped();
    void failureKeepsEarlierPages();
    void noPageAtAll_data();
    void noPageAtAll();
    void folderChecks();

private:
    bool run(const PageSupplier &supplier, bool singlePage, int firstNumber);

    std::unique_ptr<QTemporaryDir> dir;
    QStringList reported;
    QString error;
};

void ScanBatchTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    reported.clear();
    error.clear();
}

bool ScanBatchTest::run(const PageSupplier &supplier, bool singlePage, int firstNumber)
{
    const ScanRequest request {0, dir->path(), firstNumber};
    return scanBatch(
        supplier, singlePage, request,
        [this](const QString &name) {
            QVERIFY(QFile::exists(dir->filePath(name)));
            reported.append(name);
        },
        &error);
}

void ScanBatchTest::pageNames()
{
    QCOMPARE(pageFileName(0), QStringLiteral("scan0000.bmp"));
    QCOMPARE(pageFileName(42), QStringLiteral("scan0042.bmp"));
    QCOMPARE(pageFileName(12345), QStringLiteral("scan12345.bmp"));
}

void ScanBatchTest::feederUntilEmpty()
{
    QVERIFY2(run(pagesThen(3, PageStatus::NoMorePages), false, 8), qPrintable(error));
    const QStringList expected {"scan0008.bmp", "scan0009.bmp", "scan0010.bmp"};
    QCOMPARE(reported, expected);
    QCOMPARE(filesIn(dir->path()), expected);
    QImage last(dir->filePath(expected.last()));
    QCOMPARE(last.size(), QSize(2, 3));
    QCOMPARE(last.pixel(1, 2), qRgb(3, 3, 3));
}

void ScanBatchTest::flatbedTakesOnePage()
{
    QVERIFY(run(pagesThen(5, PageStatus::NoMorePages), true, 1));
    QCOMPARE(reported, QStringList {"scan0001.bmp"});
    QCOMPARE(filesIn(dir->path()), reported);
}

void ScanBatchTest::takenNumbersAreSkipped()
{
    QFile(dir->filePath("scan0002.bmp")).open(QIODevice::WriteOnly);
    QFile(dir->filePath("scan0003.pdf")).open(QIODevice::WriteOnly);
    QVERIFY(run(pagesThen(3, PageStatus::NoMorePages), false, 1));
    QCOMPARE(reported, (QStringList {"scan0001.bmp", "scan0004.bmp", "scan0005.bmp"}));
    QCOMPARE(QFileInfo(dir->filePath("scan0002.bmp")).size(), 0);
}

void ScanBatchTest::failureKeepsEarlierPages()
{
    QVERIFY(!run(pagesThen(2, PageStatus::Failed), false, 1));
    QCOMPARE(reported, (QStringList {"scan0001.bmp", "scan0002.bmp"}));
    QCOMPARE(filesIn(dir->path()), reported);
    QVERIFY(error.startsWith(QStringLiteral("no more")));
    QVERIFY(error.contains(QLatin1Char('2')));
}

void ScanBatchTest::noPageAtAll_data()
{
    QTest::addColumn<int>("end");
    QTest::newRow("empty feeder") << int(PageStatus::NoMorePages);
    QTest::newRow("device fails") << int(PageStatus::Failed);
}

void ScanBatchTest::noPageAtAll()
{
    QFETCH(int, end);
    QVERIFY(!run(pagesThen(0, PageStatus(end)), false, 1));
    QCOMPARE(error, QStringLiteral("no more"));
    QVERIFY(reported.isEmpty());
    QVERIFY(filesIn(dir->path()).isEmpty());
}

void ScanBatchTest::folderChecks()
{
    QVERIFY(checkFolder(dir->path(), &error));
    QVERIFY(filesIn(dir->path()).isEmpty());

    QVERIFY(!checkFolder(dir->filePath("missing"), &error));
    QVERIFY(error.contains(QStringLiteral("missing")));

    QFile(dir->filePath("plain")).open(QIODevice::WriteOnly);
    QVERIFY(!checkFolder(dir->filePath("plain"), &error));

    QDir().mkdir(dir->filePath("locked"));
    QFile::setPermissions(dir->filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(dir->filePath("locked/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QSKIP("this user writes into read-only folders");
    }
    QVERIFY(!checkFolder(dir->filePath("locked"), &error));
    QVERIFY(filesIn(dir->filePath("locked")).isEmpty());
}

QTEST_GUILESS_MAIN(ScanBatchTest)
#include "scanbatchtest.moc"
