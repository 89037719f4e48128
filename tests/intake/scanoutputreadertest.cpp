#include "intake/scanoutputreader.h"
#include "intake/scannersources.h"

#include <QTest>

// What the program reads from the scanning program: its source list and the page names.
class ScanOutputReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void pageNamesArriveInBatches_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QList<QStringList>>("batches");
        QTest::newRow("one and two")
            << QList<QByteArray> {"scan0001.bmp\n", "scan0002.bmp\nscan0003.bmp\n"}
            << QList<QStringList> {{"scan0001.bmp"}, {"scan0002.bmp", "scan0003.bmp"}};
        QTest::newRow("quotes and CR LF")
            << QList<QByteArray> {"\"scan0001.bmp\"\r\n\"scan 0002.bmp\"\r\n"}
            << QList<QStringList> {{"scan0001.bmp", "scan 0002.bmp"}};
        QTest::newRow("a name split across reads")
            << QList<QByteArray> {"scan00", "01.bmp\nscan0002", ".bmp\n"}
            << QList<QStringList> {{}, {"scan0001.bmp"}, {"scan0002.bmp"}};
        QTest::newRow("blank lines")
            << QList<QByteArray> {"\n\nscan0001.bmp\n\n"} << QList<QStringList> {{"scan0001.bmp"}};
    }

    void pageNamesArriveInBatches()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QList<QStringList>, batches);
        ScanOutputReader reader;
        for (int i = 0; i < chunks.size(); ++i)
            QCOMPARE(reader.feed(chunks.at(i)), batches.at(i));
        QCOMPARE(reader.finish(), QStringList());
    }

    void aLastLineWithoutLineFeedCountsAtTheEnd()
    {
        ScanOutputReader reader;
        QCOMPARE(reader.feed("scan0001.bmp\nscan0002.bmp"), QStringList {"scan0001.bmp"});
        QCOMPARE(reader.finish(), QStringList {"scan0002.bmp"});
    }

    void sourceList()
    {
        const QList<ScannerSource> sources = parseScannerSources(
            "0:,Noname frontend-tester (Flatbed)\r\n 3 :,  Canon LiDE 220  \nbrez locila\n\n1:,\n");
        QCOMPARE(sources.size(), 3);
        QCOMPARE(sources.at(0).id, 0);
        QCOMPARE(sources.at(0).name, QStringLiteral("Noname frontend-tester (Flatbed)"));
        QCOMPARE(sources.at(1).id, 3);
        QCOMPARE(sources.at(1).name, QStringLiteral("Canon LiDE 220"));
        QCOMPARE(sources.at(2).name, QString());
    }
};

QTEST_GUILESS_MAIN(ScanOutputReaderTest)
#include "scanoutputreadertest.moc"
