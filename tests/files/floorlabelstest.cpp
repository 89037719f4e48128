#include "model/floorlabels.h"
#include "elaboratfixture.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"

#include <QTest>
#include <memory>

// Stored floor labels applied to the "104" bookmarks of an elaborat in a real tree.
class FloorLabelsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;
    QString pdf;

    // A "104" bookmark of `documents` documents in the first component (or under a subtitle).
    TTreeBookmark *plans(TTreeElaborat *elaborat, int documents, bool inSubtitle = false)
    {
        auto *bookmark = new TTreeBookmark(QStringLiteral("104"), QStringLiteral("104 Tloris"),
            elaborat->sestavineItem()->child(0));
        QTreeWidgetItem *parent = bookmark;
        if (inSubtitle)
            parent = new TTreePodnaslov(bookmark);
        for (int i = 0; i < documents; ++i)
            new TTreeDokument(pdf, parent, i + 1);
        return bookmark;
    }

    static QStringList labels(const TTreeBookmark *bookmark)
    {
        QStringList found;
        for (const TTreeDokument *document : bookmark->dokumenti(false))
            found << document->tagText();
        return found;
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        pdf = fixture->makePdf(QStringLiteral("n.pdf"), 5);
    }

    void cleanup() { fixture.reset(); }

    void entriesAreSharedByTheBookmarksInOrder_data()
    {
        QTest::addColumn<QString>("ets");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::newRow("three entries for three documents")
            << "1:2;2:1;4:1" << QStringList {"1", "1", "2"} << QStringList {"4"};
        QTest::newRow("leftover parts ignored")
            << "-1:1;P:2;3:1;9:4" << QStringList {"-1", "P", "P"} << QStringList {"3"};
        QTest::newRow("an entry of no pages labels nothing")
            << "1:3;x:0;2:1" << QStringList {"1", "1", "1"} << QStringList {"2"};
    }

    void entriesAreSharedByTheBookmarksInOrder()
    {
        QFETCH(QString, ets);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Vs});
        TTreeBookmark *a = plans(elaborat, 3);
        // Documents only in a subtitle: passed over, they take no entry.
        TTreeBookmark *skipped = plans(elaborat, 2, true);
        TTreeBookmark *b = plans(elaborat, 1);
        applyFloorLabels(*elaborat, ets);
        QCOMPARE(labels(a), first);
        QCOMPARE(labels(skipped), QStringList({QString(), QString()}));
        QCOMPARE(labels(b), second);
        QVERIFY(fixture->prompter.shown.isEmpty());
    }

    void anEntryThatDoesNotFitGoesToTheNextBookmark()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Vs});
        TTreeBookmark *a = plans(elaborat, 2);
        TTreeBookmark *b = plans(elaborat, 1);
        applyFloorLabels(*elaborat, QStringLiteral("1:2;2:1"));
        QCOMPARE(labels(a), QStringList({"1", "1"}));
        QCOMPARE(labels(b), QStringList {"2"});
    }

    void errorsWarnAndStop_data()
    {
        QTest::addColumn<QString>("ets");
        QTest::addColumn<QString>("warning");
        // The first bookmark is done when "3:1" does not fit it; the error comes in the second.
        QTest::newRow("no colon") << "5:2;3:1;3"
                                  << "Napaka pri branju etaz";
        QTest::newRow("two colons") << "5:2;3:1;3:1:1"
                                    << "Napaka pri branju etaz";
        QTest::newRow("too few pages") << "5:2"
                                       << "Neujemanje v stevilu listov etaz";
        QTest::newRow("too many pages") << "5:2;3:2"
                                        << "Neujemanje v stevilu listov etaz";
    }

    void errorsWarnAndStop()
    {
        QFETCH(QString, ets);
        QFETCH(QString, warning);
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Vs});
        TTreeBookmark *a = plans(elaborat, 2);
        TTreeBookmark *b = plans(elaborat, 1);
        applyFloorLabels(*elaborat, ets);
        // The bookmark before the error keeps its new labels, the one at it its own.
        QCOMPARE(labels(a), QStringList({"5", "5"}));
        QCOMPARE(labels(b), QStringList {"1"});
        QCOMPARE(fixture->prompter.messageTexts(), QStringList {warning});
        QCOMPARE(fixture->prompter.shown.first().title, QStringLiteral("Ostevilcenje etaz"));
        QCOMPARE(fixture->prompter.shown.first().icon, QMessageBox::Warning);
    }

    void aBookmarkThatGetsTooFewPagesKeepsItsLabels()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Vs});
        TTreeBookmark *a = plans(elaborat, 3);
        applyFloorLabels(*elaborat, QStringLiteral("7:1"));
        QCOMPARE(labels(a), QStringList({"1", "2", "3"}));
        QCOMPARE(fixture->prompter.messageTexts(),
            QStringList {QStringLiteral("Neujemanje v stevilu listov etaz")});
    }

    void landCadastreIgnoresTheValue()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeBookmark *a = plans(elaborat, 2);
        applyFloorLabels(*elaborat, QStringLiteral("garbage;1:5"));
        QCOMPARE(labels(a), QStringList({QString(), QString()}));
        QVERIFY(fixture->prompter.shown.isEmpty());
    }
};

QTEST_MAIN(FloorLabelsTest)
#include "floorlabelstest.moc"
