#include "catalog/codenamelist.h"

#include "testprogramfolder.h"

#include <QBuffer>
#include <QTest>

namespace {
// "code|name" per entry, joined by ";".
QString summary(const QList<CodeName> &list)
{
    QStringList parts;
    for (const CodeName &entry : list)
        parts << entry.code + QLatin1Char('|') + entry.name;
    return parts.join(QLatin1Char(';'));
}
} // namespace

class CodeNameListTest : public QObject
{
    Q_OBJECT

private slots:
    void format_data();
    void format();
    void loadsFromTheConfigurationFolder();
};

void CodeNameListTest::format_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");

    QTest::newRow("runs of blanks")
        << QByteArray("850     LJUBLJANA  CENTER\n") << "850|LJUBLJANA CENTER";
    QTest::newRow("a code alone is skipped") << QByteArray("850\n110 Celje\n") << "110|Celje";
    QTest::newRow("empty lines are skipped") << QByteArray("\n\n110 Celje\n\n") << "110|Celje";
    QTest::newRow("a leading blank gives an empty code")
        << QByteArray(" 850 Ljubljana\n") << "|850 Ljubljana";
    QTest::newRow("tabs and mixed whitespace")
        << QByteArray("110\tCelje\t \tmesto\n") << "110|Celje mesto";
    QTest::newRow("CRLF line ends")
        << QByteArray("110 Celje\r\n120 Koper\r\n") << "110|Celje;120|Koper";
    QTest::newRow("no line end after the last line")
        << QByteArray("110 Celje\n120 Koper") << "110|Celje;120|Koper";
    QTest::newRow("trailing whitespace is not part of the name")
        << QByteArray("110 Celje  \t\r\n120  \n") << "110|Celje";
    QTest::newRow("whitespace alone") << QByteArray("   \n\t\n") << "";
    QTest::newRow("UTF-8 names") << QByteArray("1725 AJDOV\xc5\xa0\xc4\x8cINA\n")
                                 << QString::fromUtf8("1725|AJDOV\xc5\xa0\xc4\x8cINA");
    QTest::newRow("a byte-order mark is not part of the code") << QByteArray("\xef\xbb\xbf"
                                                                             "110 Celje\n")
                                                               << "110|Celje";
    QTest::newRow("duplicate codes stay in file order") << QByteArray("1 A\n1 B\n") << "1|A;1|B";
    QTest::newRow("a caption line is an entry")
        << QByteArray("SIFRA IME\n1 A\n") << "SIFRA|IME;1|A";
    QTest::newRow("a Windows-1250 export keeps its letters")
        << QByteArray("1725 AJDOV\x8a\xc8INA\n2 \xe8rna\n")
        << QString::fromUtf8("1725|AJDOV\xc5\xa0\xc4\x8cINA;2|\xc4\x8drna");
    QTest::newRow("empty file") << QByteArray() << "";
}

void CodeNameListTest::format()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);

    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(summary(parseCodeNameList(buffer)), expected);
}

void CodeNameListTest::loadsFromTheConfigurationFolder()
{
    TestProgramFolder folder(TestProgramFolder::WithEmptyConfig);
    QVERIFY(folder.write("config/ko.csv", "1 A\n2 B\n"));
    QCOMPARE(summary(loadCodeNameList("ko.csv")), QString("1|A;2|B"));
    QVERIFY(loadCodeNameList("iogu.csv").isEmpty());
}

QTEST_GUILESS_MAIN(CodeNameListTest)
#include "codenamelisttest.moc"
