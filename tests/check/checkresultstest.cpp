#include "check/checkresults.h"

#include <QtTest>

// Reading the analyzer's output and giving it its arguments.
class CheckResultsTest : public QObject
{
    Q_OBJECT

private slots:
    void readsOnePartPerDocument_data();
    void readsOnePartPerDocument();
    void passesEveryDocumentAsOnePair();
};

void CheckResultsTest::readsOnePartPerDocument_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QStringList>("documents"); // per document its images "x/y/bpp", by blanks

    QTest::newRow("two documents") << QByteArray("294.5999;300;24\n150;150;8\nq\n296;296;24\nq\n")
                                   << QStringList {"294.5999/300/24 150/150/8", "296/296/24"};
    QTest::newRow("a document without images")
        << QByteArray("q\n300;300;24\nq") << QStringList {"", "300/300/24"};
    QTest::newRow("lines of other field counts ignored")
        << QByteArray(" a;b\n1;2;3;4\n  300;300;24 \r\nq\n") << QStringList {"300/300/24"};
    QTest::newRow("text after the last q dropped")
        << QByteArray("300;300;24\nq\n1;1;1") << QStringList {"300/300/24"};
    QTest::newRow("no q") << QByteArray("300;300;24\n") << QStringList();
    QTest::newRow("nothing") << QByteArray() << QStringList();
}

void CheckResultsTest::readsOnePartPerDocument()
{
    QFETCH(QByteArray, output);
    QFETCH(QStringList, documents);

    QStringList read;
    for (const QVector<AnalyzedImage> &images : parseAnalyzerOutput(output)) {
        QStringList texts;
        for (const AnalyzedImage &image : images)
            texts << QStringLiteral("%1/%2/%3")
                         .arg(image.x, 0, 'g', 10)
                         .arg(image.y, 0, 'g', 10)
                         .arg(image.bitsPerPixel);
        read << texts.join(QLatin1Char(' '));
    }
    QCOMPARE(read, documents);
}

void CheckResultsTest::passesEveryDocumentAsOnePair()
{
    const ToolCommand command
        = analyzerCommand({{QStringLiteral("/a b/x.pdf"), 0}, {QStringLiteral("-y.pdf"), 3}});
    QCOMPARE(command.arguments, QStringList({"/a b/x.pdf", "0", "-y.pdf", "3"}));
    QCOMPARE(
        command.commandLine, QStringLiteral("ImageAnalyzer.exe \"/a b/x.pdf\" 0 \"-y.pdf\" 3"));
}

QTEST_GUILESS_MAIN(CheckResultsTest)
#include "checkresultstest.moc"
