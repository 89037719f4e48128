#include "bufferedfileinput.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <qpdf/Buffer.hh>
#include <qpdf/BufferInputSource.hh>
#include <stdexcept>

namespace {
// Lines of text with every kind of line end and runs of them, long enough to span several of
// the input's blocks, with line ends on both sides of every multiple of 4 KiB, where blocks
// begin and end.
QByteArray linesOfText(QRandomGenerator &random)
{
    static const char *const lineEnds[] = {"\n", "\r\n", "\r", "\n\n\r\n", "\r\r"};
    QByteArray text;
    while (text.size() < 100000) {
        text += QByteArray(int(random.bounded(1, 600)), char('a' + random.bounded(26)));
        text += lineEnds[random.bounded(5)];
    }
    for (int at = 4096; at < text.size(); at += 4096) {
        text[at - 1] = '\r';
        text[at] = '\n';
    }
    return text;
}

struct Step
{
    qpdf_offset_t result = 0;
    QByteArray bytes;
    qpdf_offset_t position = 0;
    qpdf_offset_t lastOffset = 0;
    bool threw = false;
};

// One operation qpdf does on an input, the same for the reference and the input tested.
Step apply(InputSource &input, int operation, qpdf_offset_t argument)
{
    Step step;
    try {
        switch (operation) {
        case 0:
            input.seek(argument, SEEK_SET);
            break;
        case 1:
            input.seek(argument - 5000, SEEK_CUR);
            break;
        case 2:
            input.seek(-argument, SEEK_END);
            break;
        case 3: {
            step.bytes.resize(int(argument % 40000));
            step.bytes.resize(int(input.read(step.bytes.data(), size_t(step.bytes.size()))));
            break;
        }
        case 4:
            step.result = input.findAndSkipNextEOL();
            break;
        case 5:
            input.unreadCh('x');
            break;
        default:
            input.rewind();
        }
    } catch (const std::runtime_error &) {
        step.threw = true;
    }
    step.position = input.tell();
    step.lastOffset = input.getLastOffset();
    return step;
}
} // namespace

class BufferedFileInputTest : public QObject
{
    Q_OBJECT

private slots:
    void readsAsQpdfsInputsDo();
    void reportsUnreadableFiles();
    void aFileThatShrinksIsAnError_data();
    void aFileThatShrinksIsAnError();
};

void BufferedFileInputTest::readsAsQpdfsInputsDo()
{
    QRandomGenerator random(4);
    const QByteArray text = linesOfText(random);
    QTemporaryDir dir;
    QFile file(dir.filePath("lines.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();

    Buffer buffer(
        reinterpret_cast<unsigned char *>(const_cast<char *>(text.data())), size_t(text.size()));
    BufferInputSource reference("reference", &buffer);
    BufferedFileInput input(file.fileName());
    for (int i = 0; i < 20000; ++i) {
        const int operation = int(random.bounded(7));
        const qpdf_offset_t argument = random.bounded(text.size() + 1);
        const qpdf_offset_t before = reference.tell();
        const Step expected = apply(reference, operation, argument);
        const Step actual = apply(input, operation, argument);
        QCOMPARE(actual.threw, expected.threw);
        // After a failed seek qpdf's buffer input stands before the start, its file input (like
        // ours) where it was; past the end the two give the last offset differently. qpdf goes
        // on from neither, so both start again from where they were.
        if (expected.threw || expected.position > text.size()) {
            reference.seek(before, SEEK_SET);
            input.seek(before, SEEK_SET);
            continue;
        }
        const QByteArray what = QByteArray::number(i) + ": operation "
            + QByteArray::number(operation) + " at " + QByteArray::number(before);
        QVERIFY2(actual.result == expected.result, what.constData());
        QVERIFY2(actual.bytes == expected.bytes, what.constData());
        QVERIFY2(actual.position == expected.position, what.constData());
        if (operation == 3)
            QVERIFY2(actual.lastOffset == expected.lastOffset, what.constData());
    }
}

void BufferedFileInputTest::reportsUnreadableFiles()
{
    QTemporaryDir dir;
    try {
        BufferedFileInput input(dir.filePath("missing.pdf"));
        QFAIL("a missing file opened");
    } catch (const std::runtime_error &e) {
        QVERIFY2(QByteArray(e.what()).contains("missing.pdf"), e.what());
    }
}

void BufferedFileInputTest::aFileThatShrinksIsAnError_data()
{
    QTest::addColumn<bool>("closeBetweenReads");
    QTest::newRow("kept open") << false;
    QTest::newRow("closed between reads") << true;
}

void BufferedFileInputTest::aFileThatShrinksIsAnError()
{
    QFETCH(bool, closeBetweenReads);
    QTemporaryDir dir;
    QFile file(dir.filePath("shrinks.pdf"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(100000, 'x')) == 100000);
    file.close();

    BufferedFileInput input(file.fileName(), closeBetweenReads);
    char bytes[10];
    QCOMPARE(input.read(bytes, 10), size_t(10));
    QCOMPARE(input.bytesAt(90000, 10), std::string_view("xxxxxxxxxx"));
    QVERIFY(file.resize(50000));
    input.seek(60000, SEEK_SET);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, input.read(bytes, 10));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, input.bytesAt(70000, 10));
    QVERIFY2(input.failure().contains("skrajsala"), qPrintable(input.failure()));
}

QTEST_MAIN(BufferedFileInputTest)
#include "bufferedfileinputtest.moc"
