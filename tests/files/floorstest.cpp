#include "model/floors.h"

#include "files/keywords.h"
#include "snapshotbuilder.h"

#include <QtTest>

using Labels = QVector<QStringList>;

class FloorsTest : public QObject
{
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void plans_data();
    void plans();
    void storedFloorsComeBack();
};

void FloorsTest::entries_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("pages");

    QTest::newRow("plain") << "2:3" << true << "2" << 3;
    QTest::newRow("empty label") << ":1" << true << "" << 1;
    QTest::newRow("pages no number") << "P:x" << true << "P" << 0;
    QTest::newRow("negative pages") << "P:-2" << true << "P" << 0;
    QTest::newRow("no colon") << "2" << false << "" << 0;
    QTest::newRow("two colons") << "a:b:1" << false << "" << 0;
    QTest::newRow("empty part") << "" << false << "" << 0;
}

void FloorsTest::entries()
{
    QFETCH(QString, part);
    QFETCH(bool, valid);
    QFETCH(QString, label);
    QFETCH(int, pages);

    const std::optional<FloorEntry> entry = parseFloorEntry(part);
    QCOMPARE(bool(entry), valid);
    if (entry) {
        QCOMPARE(entry->label, label);
        QCOMPARE(entry->pages, pages);
    }
    QCOMPARE(floorParts("1:2;;3:1"), QStringList({"1:2", "", "3:1"}));
    QCOMPARE(floorParts(QString()), QStringList({""}));
}

void FloorsTest::plans_data()
{
    QTest::addColumn<bool>("isKs");
    QTest::addColumn<QVector<int>>("counts");
    QTest::addColumn<QString>("ets");
    QTest::addColumn<Labels>("labels");
    QTest::addColumn<QString>("error");

    const QString reading = QStringLiteral("Napaka pri branju etaz");
    const QString mismatch = QStringLiteral("Neujemanje v stevilu listov etaz");
    QTest::newRow("three documents")
        << true << QVector<int> {3} << "1:2;2:1" << Labels {{"1", "1", "2"}} << "";
    QTest::newRow("two documents leave an entry over")
        << true << QVector<int> {2} << "1:2;2:1" << Labels {{"1", "1"}} << "";
    QTest::newRow("left-over entry goes to the next bookmark")
        << true << QVector<int> {2, 1} << "1:2;2:1" << Labels {{"1", "1"}, {"2"}} << "";
    QTest::newRow("bookmark without documents passed over")
        << true << QVector<int> {0, 2} << "1:2" << Labels {{}, {"1", "1"}} << "";
    QTest::newRow("empty label") << true << QVector<int> {2} << ":1;3:1" << Labels {{"", "3"}}
                                 << "";
    QTest::newRow("land cadastre ignores the value")
        << false << QVector<int> {3} << "1:2;2:1" << Labels {} << "";
    QTest::newRow("entry without a colon")
        << true << QVector<int> {2} << "1:1;2" << Labels {} << reading;
    QTest::newRow("entry with two colons")
        << true << QVector<int> {1} << "a:b:1" << Labels {} << reading;
    QTest::newRow("bad entry after a handled bookmark")
        << true << QVector<int> {1, 1} << "1:1;2:1;x" << Labels {{"1"}} << reading;
    QTest::newRow("pages short") << true << QVector<int> {3} << "1:2" << Labels {} << mismatch;
    QTest::newRow("second bookmark short")
        << true << QVector<int> {1, 3} << "1:1;2:2" << Labels {{"1"}} << mismatch;
    QTest::newRow("entry too large for its bookmark")
        << true << QVector<int> {2} << "1:3" << Labels {} << mismatch;
    QTest::newRow("no stored floors") << true << QVector<int> {2} << "" << Labels {} << reading;
    QTest::newRow("no stored floors, no floor plans")
        << true << QVector<int> {} << "" << Labels {} << "";
    QTest::newRow("entry without pages first")
        << true << QVector<int> {1} << "a:0;b:1" << Labels {{"b"}} << "";
    QTest::newRow("entry without pages last")
        << true << QVector<int> {1} << "b:1;a:0" << Labels {{"b"}} << "";
    QTest::newRow("unreadable pages count nothing")
        << true << QVector<int> {2} << "1:x;2:2" << Labels {{"2", "2"}} << "";
    QTest::newRow("negative pages count nothing")
        << true << QVector<int> {1} << "a:-1;b:2" << Labels {} << mismatch;
}

void FloorsTest::plans()
{
    QFETCH(bool, isKs);
    QFETCH(QVector<int>, counts);
    QFETCH(QString, ets);
    QFETCH(Labels, labels);
    QFETCH(QString, error);

    const FloorPlan plan = floorLabelPlan(isKs, counts, ets);
    QCOMPARE(plan.labels, labels);
    QCOMPARE(plan.ok, error.isEmpty());
    QCOMPARE(plan.error, error);
    QCOMPARE(plan.title, error.isEmpty() ? QString() : QStringLiteral("Ostevilcenje etaz"));
}

void FloorsTest::storedFloorsComeBack()
{
    // Reopening gives every page its own document directly under the bookmark.
    SnapshotBuilder b(true);
    const int c = b.component("s1");
    const int plans = b.bookmark(c, "104", "Tlorisi");
    b.document(plans, "a.pdf", 0, 2, 0, "1");
    b.document(b.subtitle(plans), "b.pdf", 3, 5, 0, "2");
    b.document(plans, "c.pdf", 0, 1, 0, "");
    b.document(b.bookmark(c, "104", "Tlorisi"), "d.pdf", 0, 3, 0, "K");
    const QString ets = keywordMap(keywordsText(b.snapshot, {}, {})).value("ETS");
    QCOMPARE(ets, QStringLiteral("1:2;2:1;:1;K:3"));

    const FloorPlan plan = floorLabelPlan(true, {4, 3}, ets);
    QVERIFY(plan.ok);
    QCOMPARE(plan.labels, (Labels {{"1", "1", "2", ""}, {"K", "K", "K"}}));
}

QTEST_GUILESS_MAIN(FloorsTest)
#include "floorstest.moc"
