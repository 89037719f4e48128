#include "catalog/codelistparser.h"

#include <QBuffer>
#include <QTest>

namespace {
CodeList parse(const QByteArray &xml)
{
    QBuffer buffer;
    buffer.setData(xml);
    buffer.open(QIODevice::ReadOnly);
    return parseCodeList(buffer);
}

// "id/povzetek/napis" per type, its child types in brackets.
QString summary(const QList<SifrantEntry> &entries)
{
    QStringList parts;
    for (const SifrantEntry &entry : entries) {
        QString part
            = entry.id + QLatin1Char('/') + entry.povzetek + QLatin1Char('/') + entry.napis;
        if (!entry.children.isEmpty())
            part += QLatin1Char('[') + summary(entry.children) + QLatin1Char(']');
        parts << part;
    }
    return parts.join(QLatin1Char(' '));
}

QByteArray nested(int depth)
{
    return QByteArray("<s>") + QByteArray("<vrsta><id>x</id>").repeated(depth)
        + QByteArray("</vrsta>").repeated(depth) + QByteArray("</s>");
}
} // namespace

class CodeListTest : public QObject
{
    Q_OBJECT

private slots:
    void grammar_data();
    void grammar();
    void depthLimit();
};

void CodeListTest::grammar_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("fails");

    QTest::newRow("two children, then a new top-level type")
        << QByteArray("<s><vrsta><id>100</id><povzetek>skica</povzetek><napis>Skice</napis>"
                      "<vrsta><id>101</id><napis>A</napis></vrsta>"
                      "<vrsta><id>102</id><napis>B</napis></vrsta></vrsta>"
                      "<vrsta><id>200</id></vrsta></s>")
        << "100/skica/Skice[101//A 102//B] 200//" << false;
    QTest::newRow("type without povzetek has an empty key")
        << QByteArray("<s><vrsta><id>1</id><napis>N</napis></vrsta></s>") << "1//N" << false;
    QTest::newRow("field order is free")
        << QByteArray("<s><vrsta><napis>N</napis><povzetek>p</povzetek><id>1</id></vrsta></s>")
        << "1/p/N" << false;
    QTest::newRow("field given twice keeps the last value")
        << QByteArray("<s><vrsta><id>1</id><napis>old</napis><napis>new</napis></vrsta></s>")
        << "1//new" << false;
    QTest::newRow("empty field elements give empty texts") << QByteArray(
        "<s><vrsta><id>1</id><napis>old</napis><napis/><povzetek></povzetek>"
        "</vrsta></s>") << "1//" << false;
    QTest::newRow("field after the child types belongs to the parent")
        << QByteArray("<s><vrsta><id>1</id><vrsta><id>2</id></vrsta><napis>P</napis></vrsta></s>")
        << "1//P[2//]" << false;
    QTest::newRow("three levels") << QByteArray(
        "<s><vrsta><id>1</id><vrsta><id>2</id><vrsta><id>3</id></vrsta></vrsta>"
        "</vrsta></s>") << "1//[2//[3//]]"
                                  << false;
    QTest::newRow("fields outside a type and other elements are skipped") << QByteArray(
        "<s><id>9</id><napis>x</napis><vrsta><opis>o</opis><id>1</id>"
        "<x><napis>N</napis></x></vrsta></s>") << "1//N" << false;
    QTest::newRow("a field holding an element has an empty text")
        << QByteArray("<s><vrsta><id>1</id><napis><b>x</b></napis></vrsta></s>") << "1//" << false;
    QTest::newRow("text is taken as it stands")
        << QByteArray("<s><vrsta><id> 1 </id><napis>A &amp; B</napis></vrsta></s>") << " 1 //A & B"
        << false;
    QTest::newRow("CDATA") << QByteArray("<s><vrsta><id><![CDATA[1<2]]></id></vrsta></s>")
                           << "1<2//" << false;
    QTest::newRow("local names of namespaced elements") << QByteArray(
        "<t:s xmlns:t='urn:t'><t:vrsta><t:id>1</t:id><t:vrsta><t:id>2</t:id>"
        "</t:vrsta></t:vrsta></t:s>") << "1//[2//]" << false;
    QTest::newRow("UTF-8 titles") << QByteArray(
        "<s><vrsta><id>104</id><napis>Na\xc4\x8drt eta\xc5\xbe"
        "e</napis></vrsta></s>")
                                  << QString::fromUtf8("104//Na\xc4\x8drt eta\xc5\xbe"
                                                       "e")
                                  << false;
    QTest::newRow("truncated inside an open type keeps the open types")
        << QByteArray("<s><vrsta><id>1</id></vrsta><vrsta><id>2</id><vrsta><id>3</id><nap")
        << "1// 2//[3//]" << true;
    QTest::newRow("error inside a type stops the read")
        << QByteArray("<s><vrsta><id>1</id></x><vrsta><id>2</id></vrsta></vrsta></s>") << "1//"
        << true;
    QTest::newRow("empty file") << QByteArray() << "" << true;
    QTest::newRow("not XML") << QByteArray("110 Celje\n120 Koper\n") << "" << true;
}

void CodeListTest::grammar()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, expected);
    QFETCH(bool, fails);

    const CodeList list = parse(xml);
    QCOMPARE(summary(list.entries), expected);
    QCOMPARE(!list.error.isEmpty(), fails);
}

void CodeListTest::depthLimit()
{
    const CodeList deepest = parse(nested(maxCodeListDepth));
    QVERIFY(deepest.error.isEmpty());

    const CodeList tooDeep = parse(nested(maxCodeListDepth + 1));
    QVERIFY(tooDeep.error.contains(QString::number(maxCodeListDepth)));
    // The types above the limit are kept.
    QCOMPARE(tooDeep.entries.size(), 1);
    QCOMPARE(nestingDepth(tooDeep.entries), maxCodeListDepth);
}

QTEST_GUILESS_MAIN(CodeListTest)
#include "codelisttest.moc"
