#include "catalog/catalogueparser.h"
#include "catalog/codelistparser.h"
#include "catalog/codenamelist.h"
#include "catalog/katalog.h"

#include "testprogramfolder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTest>

// Whatever a file holds, every reader ends, keeps its records consistent and says when the
// document was not well-formed.
class GarbageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomBytes();
    void tokenSoup();
    void truncatedDefaultFiles();
    void wronglyEncodedDefaultFiles();
    void veryLargeInputs();

private:
    struct Outcome
    {
        QString catalogueError;
        QString codeListError;
    };
    // Feeds one input through all readers, checks what they made and notes their errors.
    void feed(const QByteArray &input, Outcome &outcome);
    void feed(const QByteArray &input);

    QByteArray soup(QRandomGenerator &random);

    QList<QByteArray> defaultXml;
};

namespace {
QBuffer *open(QBuffer &buffer, const QByteArray &input)
{
    buffer.setData(input);
    buffer.open(QIODevice::ReadOnly);
    return &buffer;
}
} // namespace

void GarbageTest::feed(const QByteArray &input)
{
    Outcome ignored;
    feed(input, ignored);
}

void GarbageTest::feed(const QByteArray &input, Outcome &outcome)
{
    QBuffer buffer;

    Katalog katalog;
    outcome.catalogueError = parseCatalogue(*open(buffer, input), Kataster::KS, katalog);
    for (const PostopekDef *procedure : katalog.postopki()) {
        for (const SestavinaDef &component : procedure->sestavine)
            QVERIFY(component.contains("ime"));
    }
    for (const AtributDef &attribute : katalog.atributiKS())
        QVERIFY(!attribute.atributi.contains("skrij"));
    QVERIFY(katalog.atributiZK().isEmpty());

    buffer.close();
    const CodeList list = parseCodeList(*open(buffer, input));
    outcome.codeListError = list.error;
    QVERIFY(nestingDepth(list.entries) <= maxCodeListDepth);

    buffer.close();
    for (const CodeName &entry : parseCodeNameList(*open(buffer, input))) {
        QVERIFY(!entry.name.isEmpty());
        QVERIFY(!entry.name.startsWith(' ') && !entry.name.endsWith(' '));
        QVERIFY(!entry.name.contains("  "));
        QVERIFY(!entry.code.contains(' ') && !entry.code.contains('\t'));
    }
}

void GarbageTest::initTestCase()
{
    const QDir config(TestProgramFolder::buildProgramDir() + "/config");
    for (const char *name : {"zk.xml", "ks.xml", "zk_sifrant.xml", "ks_sifrant.xml"}) {
        QFile file(config.filePath(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), name);
        defaultXml << file.readAll();
    }
}

void GarbageTest::randomBytes()
{
    QRandomGenerator random(20120307);
    for (int round = 0; round < 300; ++round) {
        QByteArray input(random.bounded(1 << (round % 16)), Qt::Uninitialized);
        for (char &byte : input)
            byte = char(random.bounded(256));
        feed(input);
        if (QTest::currentTestFailed())
            QFAIL(input.toBase64().left(200));
    }
}

QByteArray GarbageTest::soup(QRandomGenerator &random)
{
    static const QList<QByteArray> pieces = {"<postopek", "<sestavina", "<atribut", "<atributi>",
        "</atributi>", "</postopek>", " id='a'", " ime='A'", " ime=\"", " skrij=''",
        " izpolniAtribute='gp'", "/>", ">", "<vrsta>", "</vrsta>", "<id>", "</id>", "<povzetek>",
        "</povzetek>", "<napis/>", "<napis>", "</napis>", "<k>", "</k>", "<x:vrsta xmlns:x='u'>",
        "</x:vrsta>", "&amp;", "&#0;", "&bogus;", "&#x10FFFF;", "<![CDATA[", "]]>", "<!--", "-->",
        "<?pi ?>", "<?xml version='1.0' encoding='UTF-16'?>", "<!DOCTYPE k [<!ENTITY e 'eee'>]>",
        "&e;", "\xef\xbb\xbf", "\xff\xfe", QByteArray(1, '\0'), "\xe8", "\xc5\xa1", " ", "\t",
        "\r\n", "\n", "850", "LJUBLJANA", "'", "\"", "="};
    QByteArray input;
    const int count = random.bounded(200);
    for (int i = 0; i < count; ++i)
        input += pieces.at(random.bounded(pieces.size()));
    return input;
}

void GarbageTest::tokenSoup()
{
    QRandomGenerator random(1722);
    for (int round = 0; round < 2000; ++round) {
        const QByteArray input = soup(random);
        feed(input);
        if (QTest::currentTestFailed())
            QFAIL(input.toBase64().constData());
    }
}

void GarbageTest::truncatedDefaultFiles()
{
    for (const QByteArray &xml : defaultXml) {
        const int end = xml.lastIndexOf('>') + 1;
        for (int length = 0; length < end; length += 37) {
            Outcome outcome;
            feed(xml.left(length), outcome);
            QVERIFY(!outcome.catalogueError.isEmpty());
            QVERIFY(!outcome.codeListError.isEmpty());
        }
        Outcome whole;
        feed(xml, whole);
        QVERIFY(whole.catalogueError.isEmpty());
        QVERIFY(whole.codeListError.isEmpty());
    }
}

void GarbageTest::wronglyEncodedDefaultFiles()
{
    for (const QByteArray &xml : defaultXml) {
        // Latin-2 bytes under a UTF-8 declaration.
        QStringEncoder latin2("ISO-8859-2");
        if (latin2.isValid()) {
            Outcome outcome;
            feed(latin2.encode(QString::fromUtf8(xml)), outcome);
            QVERIFY(!outcome.catalogueError.isEmpty());
        }
        // UTF-16 without a byte-order mark under a UTF-8 declaration.
        QStringEncoder utf16(QStringConverter::Utf16BE);
        feed(utf16.encode(QString::fromUtf8(xml)));
        // Every byte turned into a Latin-1 character and written as UTF-8.
        feed(QString::fromLatin1(xml).toUtf8());
    }
}

void GarbageTest::veryLargeInputs()
{
    Outcome deep;
    feed(QByteArray("<s>") + QByteArray("<vrsta>").repeated(200000), deep);
    QVERIFY(!deep.codeListError.isEmpty());
    Outcome deepCatalogue;
    feed(QByteArray("<k>") + QByteArray("<x>").repeated(200000)
            + QByteArray("<postopek id='a' ime='A'/>"),
        deepCatalogue);
    QVERIFY(!deepCatalogue.catalogueError.isEmpty());

    QByteArray many = "<k>";
    const QByteArray procedure = "<postopek id='p' ime='P'><sestavina ime='s' sifra='x'/>"
                                 "</postopek>";
    many += procedure.repeated(60000) + "</k>";
    Katalog katalog;
    QBuffer buffer;
    QVERIFY(parseCatalogue(*open(buffer, many), Kataster::ZK, katalog).isEmpty());
    QCOMPARE(katalog.postopki().size(), 60000);

    feed(QByteArray("1 ") + QByteArray("x ").repeated(4 << 20));
    buffer.close();
    QCOMPARE(
        parseCodeNameList(*open(buffer, QByteArray("1725 A\n").repeated(300000))).size(), 300000);
}

QTEST_GUILESS_MAIN(GarbageTest)
#include "garbagetest.moc"
