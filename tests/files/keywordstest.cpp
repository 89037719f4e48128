#include "files/keywords.h"
#include "files/naming.h"

#include "snapshotbuilder.h"

#include <QtTest>

namespace {

// A building- or land-cadastre elaborat with floor plans in two components.
SnapshotBuilder floorElaborat(bool isKs)
{
    SnapshotBuilder b(isKs);
    b.procedure("a", "Postopek A");
    b.attribute("KO", "1234 Ime KO");
    b.attribute("IDPOS", "12");
    const int c1 = b.component("s1");
    const int plans = b.bookmark(c1, "104", "Tlorisi");
    b.document(plans, "t.pdf", 0, 3, 0, "1");
    b.document(plans, "u.pdf", 2, 5, 0, "2");
    const int sub = b.subtitle(plans);
    b.document(sub, "v.pdf", 0, 1, 0, "");
    b.document(sub, "w.jpg", 0, 1, 0, "3");
    const int other = b.bookmark(plans, "111", "Skica");
    b.document(other, "x.pdf", 0, 1, 0, "9");
    b.document(b.bookmark(c1, "105", "Prerezi"), "y.pdf", 0, 1, 0, "8");
    const int c2 = b.component("s2");
    b.document(b.bookmark(c2, "104", "Tlorisi"), "z.pdf", 0, 2, 0, "P");
    return b;
}

} // namespace

class KeywordsTest : public QObject
{
    Q_OBJECT

private slots:
    void attributePart();
    void floorEntriesInWalkOrder();
    void wholeText_data();
    void wholeText();
    void valuesGoThroughUnchanged();
    void keywordMapParts_data();
    void keywordMapParts();
    void readsBackWhatItWrote();
    void storedFields();
    void valuesThatWouldNotComeBack_data();
    void valuesThatWouldNotComeBack();
    void buildsRefuseWhatWouldNotComeBack();
};

void KeywordsTest::attributePart()
{
    SnapshotBuilder b;
    b.procedure("a", "Ime A");
    b.procedure("b", "Ime B");
    b.attribute("KO", "1234 Ime KO");
    b.attribute("GEODETSKA_PISARNA", "51 Izpostava Ljubljana");
    b.attribute("IDPOS", "12");
    b.attribute("POSTOPKI", "Ime A; Ime B");
    b.attribute("OPIS", "rekel je \"da\"");
    b.attribute("PRAZEN", "");
    QCOMPARE(metadataAttributes(b.snapshot),
        QStringLiteral("KO=1234|GEODETSKA_PISARNA=51|IDPOS=12|POSTOPKI=a;b|"
                       "OPIS=rekel je \"da\"|PRAZEN="));

    SnapshotBuilder plain;
    plain.attribute("KO", "1234");
    plain.attribute("GEODETSKA_PISARNA", "");
    QCOMPARE(metadataAttributes(plain.snapshot), QStringLiteral("KO=1234|GEODETSKA_PISARNA="));
}

void KeywordsTest::floorEntriesInWalkOrder()
{
    // Documents under the "104" bookmark and its subtitle, not those of a bookmark nested in
    // it, then the second "104" bookmark.
    QCOMPARE(floorEntries(floorElaborat(true).snapshot),
        QStringList({"1:3", "2:1", ":1", "3:1", "P:2"}));
}

void KeywordsTest::wholeText_data()
{
    QTest::addColumn<bool>("isKs");
    QTest::addColumn<bool>("withFloors");
    QTest::addColumn<bool>("officeUser");
    QTest::addColumn<QString>("text");

    const QString attributes = QStringLiteral("KO=1234|IDPOS=12");
    QTest::newRow("land cadastre ignores floors")
        << false << true << false << attributes + "|BMIDS=104;111|SIDS=s1;s2|KS=0|UNAME=|VER=2.4.5";
    QTest::newRow("building cadastre with floors")
        << true << true << false
        << attributes + "|ETS=1:3;2:1;:1;3:1;P:2|BMIDS=104;111|SIDS=s1;s2|KS=1|UNAME=|VER=2.4.5";
    QTest::newRow("building cadastre without floors")
        << true << false << false << attributes + "|BMIDS=104;111|SIDS=s1;s2|KS=1|UNAME=|VER=2.4.5";
    QTest::newRow("office user") << false << false << true
                                 << attributes
            + "|BMIDS=104;111|SIDS=s1;s2|KS=0|UNAME=jana|VER=2.4.5";
}

void KeywordsTest::wholeText()
{
    QFETCH(bool, isKs);
    QFETCH(bool, withFloors);
    QFETCH(bool, officeUser);
    QFETCH(QString, text);

    SnapshotBuilder b = withFloors ? floorElaborat(isKs) : SnapshotBuilder(isKs);
    if (!withFloors) {
        b.attribute("KO", "1234 Ime KO");
        b.attribute("IDPOS", "12");
    }
    b.snapshot.officeUser = officeUser;
    b.snapshot.userName = QStringLiteral("jana");
    QCOMPARE(keywordsText(b.snapshot, {"104", "111"}, {"s1", "s2"}), text);
}

void KeywordsTest::valuesGoThroughUnchanged()
{
    SnapshotBuilder b;
    b.procedure("a");
    b.attribute("OPIS", "\"a|b=c\"");
    b.attribute("POSTOPKI", "x");
    QCOMPARE(keywordsText(b.snapshot, {""}, {}),
        QStringLiteral("OPIS='a|b=c'|POSTOPKI=a|BMIDS=|SIDS=|KS=0|UNAME=|VER=2.4.5"));
    // A general elaborat's codes start with the empty code of its first line.
    QCOMPARE(keywordsText(SnapshotBuilder().snapshot, {"", "111", "121"}, {}),
        QStringLiteral("|BMIDS=;111;121|SIDS=|KS=0|UNAME=|VER=2.4.5"));
}

void KeywordsTest::keywordMapParts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields"); // key=value, ordered by key

    QTest::newRow("plain") << "B=2|A=1" << QStringList({"A=1", "B=2"});
    QTest::newRow("key trimmed, value kept") << " A\t= x " << QStringList({"A= x "});
    QTest::newRow("value ends at its equals sign") << "A=1=2" << QStringList({"A=1"});
    QTest::newRow("later key wins") << "A=1|A=2" << QStringList({"A=2"});
    QTest::newRow("empty key dropped") << "=x| =y|A=" << QStringList({"A="});
    QTest::newRow("part without equals sign dropped")
        << "A=1|KO|B=2" << QStringList({"A=1", "B=2"});
    QTest::newRow("empty parts") << "A=1||B=2|" << QStringList({"A=1", "B=2"});
    QTest::newRow("nothing") << "" << QStringList();
}

void KeywordsTest::keywordMapParts()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);

    const KeywordMap map = keywordMap(text);
    QStringList got;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        got << it.key() + "=" + it.value();
    QCOMPARE(got, fields);
}

void KeywordsTest::readsBackWhatItWrote()
{
    SnapshotBuilder b = floorElaborat(true);
    b.procedure("b", "Postopek B");
    b.attribute("POSTOPKI", "Postopek A; Postopek B");
    const KeywordMap map = keywordMap(keywordsText(b.snapshot, {"104", "111"}, {"s1", "s1"}));
    QCOMPARE(map.value("KO"), QStringLiteral("1234"));
    QCOMPARE(map.value("POSTOPKI"), QStringLiteral("a;b"));
    QCOMPARE(map.value("ETS"), QStringLiteral("1:3;2:1;:1;3:1;P:2"));

    const std::optional<StoredKeywords> stored = storedKeywords(map);
    QVERIFY(stored);
    QVERIFY(stored->isKs);
    QVERIFY(!stored->forcedKind);
    QCOMPARE(stored->procedureIds, QStringList({"a", "b"}));
    QCOMPARE(stored->bookmarkCodes, QStringList({"104", "111"}));
    QCOMPARE(stored->componentCodes, QStringList({"s1", "s1"}));
    QCOMPARE(stored->floors, QStringLiteral("1:3;2:1;:1;3:1;P:2"));
}

void KeywordsTest::storedFields()
{
    QVERIFY(!storedKeywords(keywordMap("KO=1|SIDS=|BMIDS=")));

    const std::optional<StoredKeywords> general = storedKeywords(keywordMap("POSTOPKI=a;b|KS=1"));
    QVERIFY(general);
    QCOMPARE(general->procedureIds, QStringList({"splosno"}));
    QVERIFY(general->forcedKind);
    QVERIFY(general->isKs);
    QCOMPARE(general->bookmarkCodes, QStringList({""}));

    const std::optional<StoredKeywords> old
        = storedKeywords(keywordMap("POSTOPKI= a ;b;|KS= 1|BMIDS=414;413;104|SIDS=s1;s1"));
    QVERIFY(old);
    QCOMPARE(old->procedureIds, QStringList({"a", "b", ""}));
    QVERIFY(!old->isKs);
    QCOMPARE(old->bookmarkCodes, QStringList({"413", "413", "104"}));
    QCOMPARE(old->componentCodes, QStringList({"s1", "s1"}));
    QCOMPARE(old->floors, QString());
}

void KeywordsTest::valuesThatWouldNotComeBack_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("problem"); // empty: none
    QTest::addColumn<bool>("blocks");

    const QString bar = QStringLiteral("vsebuje znak \"|\"");
    QTest::newRow("letters") << "Parcela 12/3 čž" << QString() << false;
    QTest::newRow("bar") << "glej|POSTOPKI=PAR" << bar << true;
    QTest::newRow("equals sign") << "a=b"
                                 << "vsebuje znak \"=\"" << true;
    QTest::newRow("NUL") << QString("a") + QChar(0) + "b"
                         << "vsebuje kontrolni znak (koda 0)" << true;
    QTest::newRow("line feed") << "a\nb"
                               << "vsebuje kontrolni znak (koda 10)" << true;
    QTest::newRow("double quote") << "rekel je \"da\""
                                  << "vsebuje dvojni narekovaj, ki se shrani kot apostrof" << false;
    QTest::newRow("at the limit") << QString(maxArgumentBytes, 'a') << QString() << false;
    QTest::newRow("over the limit")
        << QString(maxArgumentBytes + 1, 'a') << "je predolga (vec kot 128 KiB)" << true;
    QTest::newRow("over the limit in UTF-8") << QString(maxArgumentBytes / 2 + 1, QChar(0x10D))
                                             << "je predolga (vec kot 128 KiB)" << true;
}

void KeywordsTest::valuesThatWouldNotComeBack()
{
    QFETCH(QString, value);
    QFETCH(QString, problem);
    QFETCH(bool, blocks);

    const std::optional<AttributeProblem> found = attributeValueProblem(value);
    QCOMPARE(found ? found->problem : QString(), problem);
    QCOMPARE(found && found->blocksBuild, blocks);
}

void KeywordsTest::buildsRefuseWhatWouldNotComeBack()
{
    SnapshotBuilder b;
    b.procedure("a");
    // Only the code before the first blank is stored.
    b.attribute("KO", "1234 Ime|KO");
    b.attribute("OPIS", "\"da\"");
    QVERIFY(checkStoredAttributes(b.snapshot).ok);
    QCOMPARE(attributeProblems(b.snapshot).size(), 1);

    b.snapshot.attributes.append({"OPOMBE", "Opombe", "glej|POSTOPKI=PAR|IDPOS=777"});
    QVERIFY(!checkStoredAttributes(b.snapshot).ok);

    // Each value fits on its own, the Keywords text as a whole does not.
    SnapshotBuilder big;
    big.attribute("A", QString(maxArgumentBytes / 2, 'a'));
    big.attribute("B", QString(maxArgumentBytes / 2 + 1, 'b'));
    const QVector<AttributeProblem> problems = attributeProblems(big.snapshot);
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.first().label, QStringLiteral("B"));
    QVERIFY(!checkStoredAttributes(big.snapshot).ok);
}

QTEST_GUILESS_MAIN(KeywordsTest)
#include "keywordstest.moc"
