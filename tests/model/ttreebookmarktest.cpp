#include "model/ttreebookmark.h"
#include "elaboratfixture.h"
#include "intake/sifrantdlg.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"

#include <QTest>
#include <memory>

// Bookmarks: their creation for a component's default type, their leaves, the floor rule of
// building-cadastre elaborates, and pruning.
class TTreeBookmarkTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;
    QString pdf;

    static QStringList floors(const TTreeBookmark *bookmark)
    {
        QStringList labels;
        for (const TTreeLeaf *leaf : bookmark->leaves(true))
            labels << leaf->tagText();
        return labels;
    }

    TTreeElaborat *buildingElaborat() { return fixture->create({ElaboratFixture::Vs}); }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        pdf = fixture->makePdf("n.pdf", 1);
    }

    void cleanup() { fixture.reset(); }

    void aComponentsDefaultTypeMakesTheBookmark()
    {
        TTreeElaborat *elaborat = buildingElaborat();
        const SifrantDlg &codes = fixture->window().typeDialog();
        TTreeSestavina *plans = elaborat->findSestavinaByIme("načrti");
        TTreeBookmark *bookmark = TTreeBookmark::create(QString(), QString(), plans, codes);
        QVERIFY(bookmark);
        QCOMPARE(bookmark->sifra(), QStringLiteral("104"));
        QCOMPARE(bookmark->text(0), QStringLiteral("104 Načrt etaže"));
        QCOMPARE(bookmark->font(0).weight(), QFont::Bold);
        QCOMPARE(bookmark->foreground(0).color(), QColor(0, 152, 0));
        QCOMPARE(bookmark->parent(), plans);

        TTreeSestavina *attachments = elaborat->findSestavinaByIme("priloge");
        QVERIFY(!TTreeBookmark::create(QString(), QString(), attachments, codes));
        QVERIFY(!TTreeBookmark::create("110", QString(), attachments, codes));
        QVERIFY(TTreeBookmark::create("110", "110 X", attachments, codes));
        QCOMPARE(attachments->childCount(), 1);
    }

    void leavesDirectAndThroughSubtitles()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        auto *bookmark
            = new TTreeBookmark("112", "112 Skica", elaborat->findSestavinaByIme("skica"));
        auto *one = new TTreeDokument(pdf, bookmark);
        auto *subtitle = new TTreePodnaslov(bookmark);
        auto *inner = new TTreeDokument(pdf, subtitle);
        auto *two = new TTreeDokument(pdf, bookmark);
        QCOMPARE(bookmark->leaves(true), QList<TTreeLeaf *>({one, subtitle, two}));
        QCOMPARE(bookmark->leaves(false), QList<TTreeLeaf *>({one, subtitle, inner, two}));
        QCOMPARE(bookmark->dokumenti(true), QList<TTreeDokument *>({one, two}));
        QCOMPARE(bookmark->dokumenti(false), QList<TTreeDokument *>({one, inner, two}));
    }

    void floorPlansAreNumberedOneAfterAnother()
    {
        TTreeElaborat *elaborat = buildingElaborat();
        auto *plans = new TTreeBookmark("104", "104 Načrt", elaborat->findSestavinaByIme("načrti"));
        for (int i = 0; i < 3; ++i)
            new TTreeDokument(pdf, plans);
        QCOMPARE(floors(plans), QStringList({"1", "2", "3"}));
        QCOMPARE(plans->nextFloor(), 4);
        QVERIFY(plans->hasFloor(2));
        QVERIFY(!plans->hasFloor(0));
        // A label that is no number counts 0.
        plans->leaves(true).at(2)->setTagText("klet");
        QCOMPARE(plans->nextFloor(), 3);
        QVERIFY(plans->hasFloor(0));
        auto *subtitle = new TTreePodnaslov(plans);
        QCOMPARE((new TTreeDokument(pdf, subtitle))->tagText(), QString());
    }

    void movesKeepOrRenumberTheFloor()
    {
        TTreeElaborat *elaborat = buildingElaborat();
        TTreeSestavina *component = elaborat->findSestavinaByIme("načrti");
        auto *plans = new TTreeBookmark("104", "104 Načrt", component);
        for (int i = 0; i < 3; ++i)
            new TTreeDokument(pdf, plans);
        auto *second = TTreeDokument::cast(plans->child(1));

        // Within its own bookmark a document keeps its floor.
        QCOMPARE((new TTreeDokument(*second, plans))->tagText(), QStringLiteral("2"));
        // Into another "104" bookmark that has the floor: that bookmark's highest + 1.
        auto *other = new TTreeBookmark("104", "104 Načrt", component);
        new TTreeDokument(pdf, other);
        new TTreeDokument(pdf, other);
        QCOMPARE((new TTreeDokument(*second, other))->tagText(), QStringLiteral("3"));
        // Into one that lacks it: kept.
        auto *empty = new TTreeBookmark("104", "104 Načrt", component);
        QCOMPARE((new TTreeDokument(*second, empty))->tagText(), QStringLiteral("2"));
        // From a subtitle of the bookmark: still its own bookmark.
        auto *subtitle = new TTreePodnaslov(plans);
        auto *paged = new TTreeDokument(pdf, subtitle);
        paged->setTagText("1");
        QCOMPARE((new TTreeDokument(*paged, plans))->tagText(), QStringLiteral("1"));
        // Under any other code the label is emptied.
        auto *attachments = new TTreeBookmark("110", "110 X", component);
        QCOMPARE((new TTreeDokument(*second, attachments))->tagText(), QString());
    }

    void landCadastreDocumentsGetNoFloor()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        auto *plans = new TTreeBookmark("104", "104 Načrt", elaborat->findSestavinaByIme("skica"));
        QCOMPARE((new TTreeDokument(pdf, plans))->tagText(), QString());
    }

    void removingTheLastDocumentRemovesTheBookmark()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *component = elaborat->findSestavinaByIme("skica");
        auto *bookmark = new TTreeBookmark("112", "112 Skica", component);
        auto *one = new TTreeDokument(pdf, bookmark);
        auto *two = new TTreeDokument(pdf, bookmark);
        elaborat->removeLeafAndPrune(one);
        QCOMPARE(component->childCount(), 1);
        elaborat->removeLeafAndPrune(two);
        QCOMPARE(component->childCount(), 0);
    }

    void anEmptiedSubtitleStaysUntilEmptySubtitlesGo()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *component = elaborat->findSestavinaByIme("skica");
        auto *bookmark = new TTreeBookmark("112", "112 Skica", component);
        auto *subtitle = new TTreePodnaslov(bookmark);
        auto *page = new TTreeDokument(pdf, subtitle, 1);
        auto *kept = new TTreePodnaslov(bookmark);
        new TTreeDokument(pdf, kept, 2);
        elaborat->removeLeafAndPrune(page);
        QCOMPARE(bookmark->childCount(), 2);
        elaborat->removeEmptySubtitles();
        QCOMPARE(bookmark->leaves(true), QList<TTreeLeaf *>({kept}));

        // The last subtitle going takes its bookmark with it.
        elaborat->removeLeafAndPrune(TTreeDokument::cast(kept->child(0)));
        elaborat->removeEmptySubtitles();
        QCOMPARE(component->childCount(), 0);
    }

    void pruningOnlyWhatMayGo()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *component = elaborat->findSestavinaByIme("skica");
        auto *outer = new TTreeBookmark("112", "112 Skica", component);
        auto *inner = new TTreeBookmark("113", "113 Druga", outer);
        new TTreeDokument(pdf, inner);
        elaborat->pruneBookmark(inner, false);
        QCOMPARE(outer->childCount(), 1);
        elaborat->pruneBookmark(nullptr, true);

        TTreeElaborat *other = fixture->create({ElaboratFixture::Um});
        other->pruneBookmark(inner, true);
        QCOMPARE(outer->childCount(), 1);
        // The nodes that hold the elaborat together never go.
        elaborat->pruneBookmark(elaborat->sestavineItem(), true);
        elaborat->pruneBookmark(elaborat->atributiItem()->child(0), true);
        elaborat->pruneBookmark(elaborat, true);
        QCOMPARE(elaborat->childCount(), 2);

        // Forced: the bookmark with its documents, and the parent bookmark it empties.
        elaborat->pruneBookmark(inner, true);
        QCOMPARE(component->childCount(), 0);
        QCOMPARE(elaborat->documentCount(), 0);
    }
};

QTEST_MAIN(TTreeBookmarkTest)
#include "ttreebookmarktest.moc"
