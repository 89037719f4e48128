#include "catalog/catalogueparser.h"
#include "catalog/katalog.h"

#include <QBuffer>
#include <QStringEncoder>
#include <QTest>

namespace {
QString parse(Katalog &katalog, const QByteArray &xml, Kataster kind)
{
    QBuffer buffer;
    buffer.setData(xml);
    buffer.open(QIODevice::ReadOnly);
    return parseCatalogue(buffer, kind, katalog);
}

QByteArray utf16(const QString &text)
{
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

// "id/ime/izpolniAtribute[component names]" per procedure, then "id=label" per attribute.
QString summary(const Katalog &katalog)
{
    QStringList parts;
    for (const PostopekDef *procedure : katalog.postopki()) {
        QStringList names;
        for (const SestavinaDef &component : procedure->sestavine)
            names << component.value(QStringLiteral("ime"));
        parts << QStringLiteral("%1/%2/%3[%4]")
                     .arg(procedure->id, procedure->ime, procedure->izpolniAtribute,
                         names.join(QLatin1Char(',')));
    }
    for (const AtributDef &attribute : katalog.atributiZK())
        parts << attribute.id + QLatin1Char('=') + attribute.ime;
    return parts.join(QLatin1Char(' '));
}
} // namespace

class CatalogueTest : public QObject
{
    Q_OBJECT

private slots:
    void grammar_data();
    void grammar();
    void keepsWholeAttributeMaps();
    void recordsTakeTheKindOfTheirFile();
    void lookupsTakeTheFirstInCatalogueOrder();
    void componentLookup();
};

void CatalogueTest::grammar_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("fails");

    QTest::newRow("procedure with components")
        << QByteArray("<k><postopek id='a' ime='A' izpolniAtribute='gp'>"
                      "<sestavina ime='s1' sifra='ns'/><sestavina ime='s2'/></postopek></k>")
        << "a/A/gp[s1,s2]" << false;
    QTest::newRow("izpolniAtribute absent is empty")
        << QByteArray("<k><postopek id='a' ime='A'/></k>") << "a/A/[]" << false;
    QTest::newRow("procedure without id gives its components to the previous one") << QByteArray(
        "<k><postopek id='a' ime='A'><sestavina ime='s1'/></postopek>"
        "<postopek ime='B'><sestavina ime='s2'/></postopek></k>") << "a/A/[s1,s2]" << false;
    QTest::newRow("procedure without ime gives its components to the previous one") << QByteArray(
        "<k><postopek id='a' ime='A'/><postopek id='b'><sestavina ime='s'/>"
        "</postopek></k>") << "a/A/[s]" << false;
    QTest::newRow("empty id and ime count as present")
        << QByteArray("<k><postopek id='' ime=''/></k>") << "//[]" << false;
    QTest::newRow("component before any procedure is dropped")
        << QByteArray("<k><sestavina ime='s'/><postopek id='a' ime='A'/></k>") << "a/A/[]" << false;
    QTest::newRow("component without ime is dropped")
        << QByteArray("<k><postopek id='a' ime='A'><sestavina sifra='x'/></postopek></k>")
        << "a/A/[]" << false;
    QTest::newRow("nesting does not matter")
        << QByteArray("<k><postopek id='a' ime='A'/><x><y><sestavina ime='s'/></y></x>"
                      "<postopek id='b' ime='B'/></k>")
        << "a/A/[s] b/B/[]" << false;
    QTest::newRow("duplicate ids are both kept")
        << QByteArray("<k><postopek id='a' ime='A'/><postopek id='a' ime='B'/></k>")
        << "a/A/[] a/B/[]" << false;
    QTest::newRow("attribute without ime is labelled by its id")
        << QByteArray("<k><atributi><atribut id='KO'/></atributi></k>") << "KO=KO" << false;
    QTest::newRow("attribute with ime")
        << QByteArray("<k><atribut id='REZPOS' ime='ST. STAVBE'/></k>") << "REZPOS=ST. STAVBE"
        << false;
    QTest::newRow("skrij hides the attribute, even empty") << QByteArray(
        "<k><atribut id='A' skrij=''/><atribut id='B' skrij='da'/>"
        "<atribut id='C'/></k>") << "C=C" << false;
    QTest::newRow("attribute without id is dropped")
        << QByteArray("<k><atribut ime='X'/></k>") << "" << false;
    QTest::newRow("local names of namespaced elements")
        << QByteArray("<c:k xmlns:c='urn:tev'><c:postopek id='a' ime='A'><c:sestavina ime='s'/>"
                      "</c:postopek><c:atribut id='KO'/></c:k>")
        << "a/A/[s] KO=KO" << false;
    QTest::newRow("text, comments and instructions are skipped")
        << QByteArray("<?xml version='1.0'?><!-- x --><k>text<?pi x?><postopek id='a' ime='A'>"
                      "<!-- <sestavina ime='no'/> --></postopek></k>")
        << "a/A/[]" << false;
    QTest::newRow("values as the reader delivers them")
        << QByteArray("<k><postopek id='a' ime='A &amp; B&#x10D;\nC'/></k>")
        << QString::fromUtf8("a/A & B\xc4\x8d C/[]") << false;
    QTest::newRow("UTF-16 file") << utf16(
        QString::fromUtf8("<k><postopek id='a' ime='\xc5\xa0'/></k>"))
                                 << QString::fromUtf8("a/\xc5\xa0/[]") << false;
    QTest::newRow("truncated file keeps what came before") << QByteArray(
        "<k><atribut id='KO'/><postopek id='a' ime='A'><sestavina ime='s'/>"
        "<postopek id='b' i") << "a/A/[s] KO=KO" << true;
    QTest::newRow("error stops the read")
        << QByteArray("<k><postopek id='a' ime='A'/></x><postopek id='b' ime='B'/></k>") << "a/A/[]"
        << true;
    QTest::newRow("empty file") << QByteArray() << "" << true;
    QTest::newRow("two roots") << QByteArray("<k><postopek id='a' ime='A'/></k><k/>") << "a/A/[]"
                               << true;
    // The reader decodes ahead of what it delivers, so an encoding error may stop it before
    // the records in front of it.
    QTest::newRow("wrongly encoded")
        << QByteArray("<?xml version='1.0' encoding='UTF-8'?><k><postopek id='a' ime='A'/>"
                      "<postopek id='b' ime='\xe8rna'/></k>")
        << "" << true;
}

void CatalogueTest::grammar()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, expected);
    QFETCH(bool, fails);

    Katalog katalog;
    const QString error = parse(katalog, xml, Kataster::ZK);
    QCOMPARE(summary(katalog), expected);
    QCOMPARE(!error.isEmpty(), fails);
}

void CatalogueTest::keepsWholeAttributeMaps()
{
    Katalog katalog;
    QVERIFY(parse(katalog,
        "<k xmlns:t='urn:t'><postopek id='a' ime='A'>"
        "<sestavina ime='s' sifra='dp' obvezno='da' t:opis='x' bookmark=''/></postopek>"
        "<atribut id='KO' izpolni='gp' barva='modra'/></k>",
        Kataster::ZK)
                .isEmpty());
    const SestavinaDef component = katalog.postopki().at(0)->sestavine.at(0);
    const SestavinaDef expected {
        {"ime", "s"}, {"sifra", "dp"}, {"obvezno", "da"}, {"t:opis", "x"}, {"bookmark", ""}};
    QCOMPARE(component, expected);
    const AtributDef attribute = katalog.atributiZK().at(0);
    QCOMPARE(attribute.atributi.value("izpolni"), QString("gp"));
    QCOMPARE(attribute.atributi.value("barva"), QString("modra"));
    QVERIFY(!attribute.atributi.contains("ime"));
}

void CatalogueTest::recordsTakeTheKindOfTheirFile()
{
    Katalog katalog;
    parse(katalog, "<k><postopek id='a' ime='A'/><atribut id='KO'/></k>", Kataster::ZK);
    parse(katalog,
        "<k><sestavina ime='orphan'/><postopek id='b' ime='B'/><atribut id='REZPOS'/></k>",
        Kataster::KS);

    QCOMPARE(katalog.postopki().size(), 2);
    QCOMPARE(katalog.postopki().at(0)->kind, Kataster::ZK);
    QCOMPARE(katalog.postopki().at(1)->kind, Kataster::KS);
    // A component at the start of the second file does not reach the first file's procedure.
    QVERIFY(katalog.postopki().at(0)->sestavine.isEmpty());
    QCOMPARE(katalog.atributiZK().size(), 1);
    QCOMPARE(katalog.atributiKS().size(), 1);
    QCOMPARE(katalog.atributi(Kataster::KS).at(0).id, QString("REZPOS"));
    QCOMPARE(
        katalog.proceduresOfKind(Kataster::KS), QList<const PostopekDef *> {katalog.procedure(1)});
}

void CatalogueTest::lookupsTakeTheFirstInCatalogueOrder()
{
    Katalog katalog;
    parse(katalog, "<k><postopek id='x' ime='X'/><postopek id='splosno' ime='Splosni'/></k>",
        Kataster::ZK);
    parse(katalog, "<k><postopek id='splosno' ime='Splosni'/><postopek id='c' ime='X'/></k>",
        Kataster::KS);

    QCOMPARE(katalog.procedureIndexById("splosno"), 1);
    QCOMPARE(katalog.procedureById("splosno"), katalog.procedure(1));
    QCOMPARE(katalog.procedureIndexById("c"), 3);
    QCOMPARE(katalog.procedureIndexById("SPLOSNO"), -1);
    QCOMPARE(katalog.procedureById("none"), nullptr);
    QCOMPARE(Katalog::procedureByName("X", katalog.postopki()), katalog.procedure(0));
    QCOMPARE(Katalog::procedureByName("X", katalog.proceduresOfKind(Kataster::KS)),
        katalog.procedure(3));
    QCOMPARE(Katalog::procedureByName("x", katalog.postopki()), nullptr);
    QCOMPARE(katalog.procedure(-1), nullptr);
    QCOMPARE(katalog.procedure(4), nullptr);
}

void CatalogueTest::componentLookup()
{
    Katalog katalog;
    parse(katalog,
        "<k><postopek id='a' ime='A'><sestavina ime='skica'/><sestavina ime='zapisniki'/>"
        "</postopek><postopek id='b' ime='B'/></k>",
        Kataster::ZK);
    const PostopekDef *a = katalog.procedure(0);
    QVERIFY(Katalog::hasComponent(a, "zapisniki"));
    QVERIFY(!Katalog::hasComponent(a, "Skica"));
    QVERIFY(!Katalog::hasComponent(katalog.procedure(1), QString()));
    QVERIFY(!Katalog::hasComponent(nullptr, "skica"));
}

QTEST_GUILESS_MAIN(CatalogueTest)
#include "cataloguetest.moc"
