#include "catalog/catalogueloader.h"
#include "catalog/codelists.h"
#include "catalog/codenamelist.h"
#include "catalog/katalog.h"

#include "testprogramfolder.h"

#include <QSet>
#include <QStringDecoder>
#include <QTest>

namespace {
// Every type of the list, each before the types nested in it.
QList<SifrantEntry> allTypes(const QList<SifrantEntry> &types)
{
    QList<SifrantEntry> all;
    for (const SifrantEntry &type : types)
        all << type << allTypes(type.children);
    return all;
}
} // namespace

// The shipped configuration must load cleanly and hang together: what the program looks up by
// code or name has to be there.
class DefaultConfigTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void filesAreUtf8_data();
    void filesAreUtf8();
    void loadsWithoutMessages();
    void proceduresTheProgramKnows();
    void attributesTheProgramInterprets_data();
    void attributesTheProgramInterprets();
    void componentsDefaultToExistingTypes_data();
    void componentsDefaultToExistingTypes();
    void bookmarkKeysNameComponents_data();
    void bookmarkKeysNameComponents();
    void codesWithAFixedMeaning();
    void officeAndMunicipalityLists();

private:
    QSet<QString> componentNames(Kataster kind) const;

    TestProgramFolder *folder = nullptr;
    Katalog katalog;
    CodeLists codeLists;
    // The texts of what could not be loaded whole.
    QStringList failures;
};

void DefaultConfigTest::initTestCase()
{
    folder = new TestProgramFolder;
    for (const std::optional<LoadFailure> &failure :
        {loadCatalogue(katalog, "zk.xml", Kataster::ZK),
            loadCatalogue(katalog, "ks.xml", Kataster::KS),
            loadCodeList(codeLists, "zk_sifrant.xml", Kataster::ZK),
            loadCodeList(codeLists, "ks_sifrant.xml", Kataster::KS)}) {
        if (failure)
            failures << failure->text;
    }
}

void DefaultConfigTest::cleanupTestCase()
{
    delete folder;
}

QSet<QString> DefaultConfigTest::componentNames(Kataster kind) const
{
    QSet<QString> names;
    for (const PostopekDef *procedure : katalog.proceduresOfKind(kind)) {
        for (const SestavinaDef &component : procedure->sestavine)
            names.insert(component.value("ime"));
    }
    return names;
}

void DefaultConfigTest::filesAreUtf8_data()
{
    QTest::addColumn<QString>("file");
    for (const char *file :
        {"zk.xml", "ks.xml", "zk_sifrant.xml", "ks_sifrant.xml", "iogu.csv", "ko.csv"})
        QTest::newRow(file) << file;
}

void DefaultConfigTest::filesAreUtf8()
{
    QFETCH(QString, file);
    const QByteArray content = folder->read("config/" + file);
    QVERIFY(!content.isEmpty());
    QStringDecoder decoder(QStringConverter::Utf8);
    const QString text = decoder.decode(content);
    QVERIFY(!decoder.hasError());
    QVERIFY(!text.contains(QChar(0xfeff)));
}

void DefaultConfigTest::loadsWithoutMessages()
{
    QCOMPARE(failures, QStringList());
    QVERIFY(katalog.proceduresOfKind(Kataster::ZK).size() > 3);
    QVERIFY(katalog.proceduresOfKind(Kataster::KS).size() > 3);
    QVERIFY(codeLists.types(Kataster::ZK).size() > 0);
    QVERIFY(codeLists.types(Kataster::KS).size() > 0);
}

void DefaultConfigTest::proceduresTheProgramKnows()
{
    for (Kataster kind : {Kataster::ZK, Kataster::KS}) {
        const QList<const PostopekDef *> procedures = katalog.proceduresOfKind(kind);
        QSet<QString> ids;
        for (const PostopekDef *procedure : procedures) {
            QVERIFY2(!ids.contains(procedure->id), qPrintable(procedure->id));
            ids.insert(procedure->id);
            // The general procedure holds its documents without components.
            QCOMPARE(procedure->sestavine.isEmpty(), procedure->id == "splosno");
        }
        QVERIFY(ids.contains("splosno"));
    }
    const int zpplps = katalog.procedureIndexById("ZPPLPS");
    const int questionnaire = katalog.procedureIndexById("ks_vpis_vprasalnika");
    QVERIFY(zpplps >= 0 && questionnaire >= 0);
    QCOMPARE(katalog.procedure(zpplps)->kind, Kataster::KS);
    QCOMPARE(katalog.procedure(questionnaire)->kind, Kataster::KS);
    QCOMPARE(katalog.procedureById("splosno")->kind, Kataster::ZK);
}

void DefaultConfigTest::attributesTheProgramInterprets_data()
{
    QTest::addColumn<Kataster>("kind");
    QTest::addColumn<QString>("file");
    QTest::newRow("zk") << Kataster::ZK << "zk.xml";
    QTest::newRow("ks") << Kataster::KS << "ks.xml";
}

void DefaultConfigTest::attributesTheProgramInterprets()
{
    QFETCH(Kataster, kind);
    QFETCH(QString, file);

    QHash<QString, AtributDef> byId;
    for (const AtributDef &attribute : katalog.atributi(kind)) {
        QVERIFY2(!byId.contains(attribute.id), qPrintable(attribute.id));
        byId.insert(attribute.id, attribute);
        const QString izpolni = attribute.atributi.value("izpolni");
        QVERIFY(izpolni.isEmpty() || izpolni == "gp" || izpolni == "izvajalec");
    }
    for (const char *id : {"KO", "GEODETSKA_PISARNA", "IDPOS", "REZPOS", "ZAPST",
             "DATUM_ZADNJE_SPREMEMBE", "POSTOPKI"})
        QVERIFY2(byId.contains(id), id);
    // The program finds the procedures row by its label.
    QCOMPARE(byId.value("POSTOPKI").ime, QString("POSTOPKI"));
    QCOMPARE(byId.value("REZPOS").ime, QString(kind == Kataster::KS ? "ST. STAVBE" : "REZPOS"));
    // At least one row is kept in the file but hidden.
    QVERIFY(folder->read("config/" + file).contains(" skrij="));
}

void DefaultConfigTest::componentsDefaultToExistingTypes_data()
{
    QTest::addColumn<bool>("isKs");
    QTest::newRow("zk") << false;
    QTest::newRow("ks") << true;
}

void DefaultConfigTest::componentsDefaultToExistingTypes()
{
    QFETCH(bool, isKs);
    const Kataster kind = isKs ? Kataster::KS : Kataster::ZK;
    const QSet<QString> codes {"ns", "zt", "tev", "dp"};
    QSet<QString> seen;
    for (const PostopekDef *procedure : katalog.proceduresOfKind(kind)) {
        for (const SestavinaDef &component : procedure->sestavine) {
            const QString name = component.value("ime");
            seen.insert(component.value("sifra"));
            QVERIFY(component.value("obvezno") == "da" || component.value("obvezno") == "ne");
            QVERIFY(
                component.value("izpolni") == "gp" || component.value("izpolni") == "izvajalec");
            // Digital data files with a default type would become documents.
            if (component.value("sifra") == "dp") {
                QVERIFY2(!component.contains("bookmark"), qPrintable(name));
                continue;
            }
            const QString bookmark = component.value("bookmark");
            QVERIFY2(codeLists.findType(kind, bookmark), qPrintable(name + ": " + bookmark));
            QCOMPARE(codeLists.typeBookmark(kind, bookmark), name);
        }
    }
    QVERIFY(seen.contains(codes));
}

void DefaultConfigTest::bookmarkKeysNameComponents_data()
{
    componentsDefaultToExistingTypes_data();
}

void DefaultConfigTest::bookmarkKeysNameComponents()
{
    QFETCH(bool, isKs);
    const Kataster kind = isKs ? Kataster::KS : Kataster::ZK;
    const QSet<QString> names = componentNames(kind);
    QSet<QString> codes;
    for (const SifrantEntry &type : allTypes(codeLists.types(kind))) {
        const QString code = type.id;
        QVERIFY2(!codes.contains(code), qPrintable(code));
        codes.insert(code);
        // Codes are unique, so the lookup by code finds this type.
        const QString key = codeLists.typeBookmark(kind, code);
        QVERIFY2(names.contains(key), qPrintable(code + ": " + key));
        QVERIFY(!type.napis.isEmpty());
    }
}

void DefaultConfigTest::codesWithAFixedMeaning()
{
    Kataster kind = Kataster::ZK;
    QCOMPARE(codeLists.typeBookmark(kind, "111"), QString("skica"));
    QCOMPARE(codeLists.typeBookmark(kind, "121"), QString("zapisniki"));
    QCOMPARE(codeLists.typeBookmark(kind, "131"), QString("prikaz sprememb"));
    for (const char *code : {"413", "414"})
        QVERIFY2(codeLists.findType(kind, code), code);
    QCOMPARE(codeLists.typeBookmark(kind, "413"), codeLists.typeBookmark(kind, "414"));

    kind = Kataster::KS;
    for (const char *code : {"104", "110", "413", "414"})
        QVERIFY2(codeLists.findType(kind, code), code);
    QCOMPARE(codeLists.typeBookmark(kind, "413"), codeLists.typeBookmark(kind, "414"));
    // Floor plans and REN pages have components of their own.
    QVERIFY(codeLists.typeBookmark(kind, "104") != codeLists.typeBookmark(kind, "110"));
}

void DefaultConfigTest::officeAndMunicipalityLists()
{
    const QList<CodeName> offices = loadCodeNameList("iogu.csv");
    QCOMPARE(offices.size(), 12);
    QCOMPARE(offices.first().code, QString("110"));
    QCOMPARE(offices.first().name, QString("Celje"));
    QCOMPARE(offices.last().name, QString("Velenje"));

    const QList<CodeName> municipalities = loadCodeNameList("ko.csv");
    QVERIFY(!municipalities.isEmpty());
    QSet<QString> codes;
    for (const CodeName &entry : offices + municipalities) {
        bool number = false;
        entry.code.toInt(&number);
        QVERIFY2(number, qPrintable(entry.code));
        QVERIFY(!entry.name.isEmpty());
    }
    for (const CodeName &entry : municipalities) {
        QVERIFY2(!codes.contains(entry.code), qPrintable(entry.code));
        codes.insert(entry.code);
    }
}

QTEST_MAIN(DefaultConfigTest)
#include "defaultconfigtest.moc"
