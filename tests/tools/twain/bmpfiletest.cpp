#include "bmpfile.h"

#include "bmpfields.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A page whose every pixel tells its place: red = x, green = y, blue = x + y.
RgbPage numberedPage(int width, int height)
{
    RgbPage page;
    page.width = width;
    page.height = height;
    page.xDpi = 300;
    page.yDpi = 600;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            page.pixels.append(char(x));
            page.pixels.append(char(y));
            page.pixels.append(char(x + y));
        }
    }
    return page;
}
} // namespace

class BmpFileTest : public QObject
{
    Q_OBJECT

private slots:
    void headerAndRows_data();
    void headerAndRows();
    void refusingDeviceFails();
    void saveIsAllOrNothing();
};

void BmpFileTest::headerAndRows_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("stride");
    QTest::newRow("rows need no padding") << 4 << 3 << 12;
    QTest::newRow("one byte of padding") << 5 << 2 << 16;
    QTest::newRow("three bytes of padding") << 3 << 2 << 12;
    QTest::newRow("one pixel") << 1 << 1 << 4;
}

void BmpFileTest::headerAndRows()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, stride);
    const RgbPage page = numberedPage(width, height);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(writeBmp(page, &buffer));
    const QByteArray bmp = buffer.data();

    QCOMPARE(bmp.left(2), QByteArray("BM"));
    QCOMPARE(bmp.size(), 54 + stride * height);
    QCOMPARE(bmpField32(bmp, 2), quint32(bmp.size()));
    QCOMPARE(bmpField32(bmp, 10), 54u);
    QCOMPARE(bmpField32(bmp, 14), 40u);
    QCOMPARE(bmpField16(bmp, 28), quint16(24));
    QCOMPARE(bmpField32(bmp, 30), 0u);
    QCOMPARE(bmpField32(bmp, 34), quint32(stride * height));
    QCOMPARE(bmpField32(bmp, 38), 11811u);
    QCOMPARE(bmpField32(bmp, 42), 23622u);

    QImage image;
    QVERIFY(image.loadFromData(bmp, "BMP"));
    QCOMPARE(image.size(), QSize(width, height));
    QCOMPARE(image.dotsPerMeterX(), 11811);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            QCOMPARE(image.pixel(x, y), qRgb(x, y, x + y));
    }
}

void BmpFileTest::refusingDeviceFails()
{
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        QSKIP("no /dev/full here");
    QVERIFY(!writeBmp(numberedPage(40, 40), &full));
}

void BmpFileTest::saveIsAllOrNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.bmp"));
    QString error;
    QVERIFY2(saveBmp(numberedPage(7, 5), path, &error), qPrintable(error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("page.bmp")});

    QVERIFY(!saveBmp(numberedPage(7, 5), dir.filePath(QStringLiteral("missing/page.bmp")), &error));
    QVERIFY(error.contains(QStringLiteral("page.bmp")));

    RgbPage huge;
    huge.width = 40000;
    huge.height = 40000;
    error.clear();
    QVERIFY(!saveBmp(huge, dir.filePath(QStringLiteral("huge.bmp")), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("page.bmp")});
}

QTEST_GUILESS_MAIN(BmpFileTest)
#include "bmpfiletest.moc"
