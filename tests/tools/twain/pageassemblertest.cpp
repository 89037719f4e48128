#include "pageassembler.h"

#include <QTest>
#include <cstring>

namespace {
SANE_Parameters frameOf(
    SANE_Frame format, int depth, int width, int bytesPerLine, int lines, bool last = true)
{
    SANE_Parameters parameters {};
    parameters.format = format;
    parameters.last_frame = last;
    parameters.bytes_per_line = bytesPerLine;
    parameters.pixels_per_line = width;
    parameters.lines = lines;
    parameters.depth = depth;
    return parameters;
}

QByteArray samples16(std::initializer_list<quint16> values)
{
    QByteArray bytes;
    for (quint16 value : values)
        bytes.append(reinterpret_cast<const char *>(&value), sizeof value);
    return bytes;
}

QByteArray rgb(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(char(value));
    return bytes;
}

// Each grey value as three equal channels.
QByteArray grey(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(3, char(value));
    return bytes;
}

// Feeds data in pieces of `chunk` bytes, as a device may deliver it.
void feed(PageAssembler *assembler, const QByteArray &data, int chunk)
{
    for (int at = 0; at < data.size(); at += chunk) {
        const int length = qMin(chunk, int(data.size()) - at);
        assembler->addData(reinterpret_cast<const unsigned char *>(data.constData()) + at, length);
    }
}
} // namespace

class PageAssemblerTest : public QObject
{
    Q_OBJECT

private slots:
    void oneFrame_data();
    void oneFrame();
    void threePassFramesMerge();
    void unreadableFramesAreRefused_data();
    void unreadableFramesAreRefused();
    void frameWithoutRowsFails();
};

void PageAssemblerTest::oneFrame_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("bytesPerLine");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("chunk");
    QTest::addColumn<int>("height");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("colour") << int(SANE_FRAME_RGB) << 8 << 2 << 6 << 2
                            << rgb({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}) << 65536 << 2
                            << rgb({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    QTest::newRow("colour, rows split across reads")
        << int(SANE_FRAME_RGB) << 8 << 2 << 6 << 2 << rgb({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
        << 5 << 2 << rgb({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    QTest::newRow("colour, a byte at a time, height unknown")
        << int(SANE_FRAME_RGB) << 8 << 2 << 6 << -1 << rgb({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
        << 1 << 2 << rgb({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    QTest::newRow("padded rows") << int(SANE_FRAME_RGB) << 8 << 1 << 5 << 2
                                 << rgb({1, 2, 3, 99, 99, 4, 5, 6, 99, 99}) << 3 << 2
                                 << rgb({1, 2, 3, 4, 5, 6});
    QTest::newRow("fewer rows than announced")
        << int(SANE_FRAME_RGB) << 8 << 1 << 3 << 5 << rgb({1, 2, 3}) << 3 << 1 << rgb({1, 2, 3});
    QTest::newRow("grey") << int(SANE_FRAME_GRAY) << 8 << 3 << 3 << 1 << rgb({0, 128, 255}) << 3
                          << 1 << grey({0, 128, 255});
    QTest::newRow("line art: a set bit is black")
        << int(SANE_FRAME_GRAY) << 1 << 10 << 2 << 1 << rgb({0b10100000, 0b01000000}) << 2 << 1
        << grey({0, 255, 0, 255, 255, 255, 255, 255, 255, 0});
    QTest::newRow("one-bit colour: a set bit is full intensity")
        << int(SANE_FRAME_RGB) << 1 << 2 << 1 << 1 << rgb({0b10001100}) << 1 << 1
        << rgb({255, 0, 0, 0, 255, 255});
    QTest::newRow("16-bit grey keeps the upper byte")
        << int(SANE_FRAME_GRAY) << 16 << 2 << 4 << 1 << samples16({0x12ff, 0xfe01}) << 1 << 1
        << grey({0x12, 0xfe});
    QTest::newRow("16-bit colour keeps the upper byte")
        << int(SANE_FRAME_RGB) << 16 << 1 << 6 << 1 << samples16({0x0100, 0x80ff, 0xff00}) << 4 << 1
        << rgb({0x01, 0x80, 0xff});
}

void PageAssemblerTest::oneFrame()
{
    QFETCH(int, format);
    QFETCH(int, depth);
    QFETCH(int, width);
    QFETCH(int, bytesPerLine);
    QFETCH(int, lines);
    QFETCH(QByteArray, data);
    QFETCH(int, chunk);
    QFETCH(int, height);
    QFETCH(QByteArray, expected);

    PageAssembler assembler;
    QString error;
    QVERIFY2(assembler.beginFrame(
                 frameOf(SANE_Frame(format), depth, width, bytesPerLine, lines), &error),
        qPrintable(error));
    feed(&assembler, data, chunk);
    QVERIFY(assembler.endFrame(&error));
    const RgbPage page = assembler.takePage(300, 301);
    QCOMPARE(page.width, width);
    QCOMPARE(page.height, height);
    QCOMPARE(page.xDpi, 300.0);
    QCOMPARE(page.yDpi, 301.0);
    QCOMPARE(page.pixels, expected);
}

void PageAssemblerTest::threePassFramesMerge()
{
    PageAssembler assembler;
    QString error;
    const QByteArray red = rgb({10, 11, 12, 13});
    const QByteArray green = rgb({20, 21, 22, 23});
    const QByteArray blue = rgb({30, 31, 32, 33});
    for (const auto &[format, data] : {std::pair {SANE_FRAME_GREEN, green},
             std::pair {SANE_FRAME_BLUE, blue}, std::pair {SANE_FRAME_RED, red}}) {
        QVERIFY(
            assembler.beginFrame(frameOf(format, 8, 2, 2, 2, format == SANE_FRAME_RED), &error));
        feed(&assembler, data, 3);
        QVERIFY(assembler.endFrame(&error));
    }
    const RgbPage page = assembler.takePage(300, 300);
    QCOMPARE(page.height, 2);
    QCOMPARE(page.pixels, rgb({10, 20, 30, 11, 21, 31, 12, 22, 32, 13, 23, 33}));

    QVERIFY(assembler.beginFrame(frameOf(SANE_FRAME_GRAY, 8, 1, 1, 1), &error));
    feed(&assembler, rgb({7}), 1);
    QVERIFY(assembler.endFrame(&error));
    QCOMPARE(assembler.takePage(300, 300).pixels, grey({7}));
}

void PageAssemblerTest::unreadableFramesAreRefused_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("bytesPerLine");
    QTest::newRow("unknown format") << 17 << 8 << 4 << 12;
    QTest::newRow("4-bit samples") << int(SANE_FRAME_GRAY) << 4 << 4 << 2;
    QTest::newRow("rows shorter than their pixels") << int(SANE_FRAME_RGB) << 8 << 4 << 11;
    QTest::newRow("no pixels") << int(SANE_FRAME_RGB) << 8 << 0 << 0;
    QTest::newRow("width differs from the first frame") << int(SANE_FRAME_BLUE) << 8 << 3 << 3;
}

void PageAssemblerTest::unreadableFramesAreRefused()
{
    QFETCH(int, format);
    QFETCH(int, depth);
    QFETCH(int, width);
    QFETCH(int, bytesPerLine);
    PageAssembler assembler;
    QString error;
    QVERIFY(assembler.beginFrame(frameOf(SANE_FRAME_RED, 8, 4, 4, 1, false), &error));
    feed(&assembler, rgb({1, 2, 3, 4}), 4);
    QVERIFY(assembler.endFrame(&error));
    QVERIFY(
        !assembler.beginFrame(frameOf(SANE_Frame(format), depth, width, bytesPerLine, 1), &error));
    QVERIFY(!error.isEmpty());
}

void PageAssemblerTest::frameWithoutRowsFails()
{
    PageAssembler assembler;
    QString error;
    QVERIFY(assembler.beginFrame(frameOf(SANE_FRAME_RGB, 8, 2, 6, 1), &error));
    feed(&assembler, rgb({1, 2, 3, 4, 5}), 5);
    QVERIFY(!assembler.endFrame(&error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(PageAssemblerTest)
#include "pageassemblertest.moc"
