#include "elaboratfixture.h"
#include "model/ttreebookmark.h"
#include "model/ttreedigitalnipodatek.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "treeactions.h"

#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

using TreeActions::childrenOf;

// Drag and drop through the view's own drag events and mime data, in every case of a document
// or a bookmark dropped on a component, a bookmark, a document or the sestavine node, within
// an elaborat and into another one.
class TreeDropTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;
    TTreeElaborat *land = nullptr; // land cadastre, UM and PAR
    TTreeSestavina *sketches = nullptr; // default type 112
    TTreeSestavina *records = nullptr; // no default type
    TTreeSestavina *calculations = nullptr; // no default type

    TTreeWidget &view() { return *fixture->window().tree(); }

    TTreeDokument *document(const QString &name, QTreeWidgetItem *parent, int pages = 1)
    {
        return new TTreeDokument(fixture->makePdf(name, pages), parent);
    }

    // Selects `dragged` alone and drops it; the toolkit must take no action of its own.
    void drag(QTreeWidgetItem *dragged, QTreeWidgetItem *target)
    {
        view().expandAll();
        TreeActions::select(view(), {dragged});
        QCOMPARE(TreeActions::dragAndDrop(view(), dragged, target), Qt::IgnoreAction);
        QCOMPARE(view().dragItem(), nullptr);
        QCOMPARE(view().pressedItem(), nullptr);
    }

    void dragSelected(const QList<QTreeWidgetItem *> &selected, QTreeWidgetItem *target)
    {
        view().expandAll();
        TreeActions::select(view(), selected);
        QCOMPARE(TreeActions::dragAndDrop(view(), selected.first(), target), Qt::IgnoreAction);
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        land = fixture->create({ElaboratFixture::Um, ElaboratFixture::Par});
        sketches = land->findSestavinaByIme("skica");
        records = land->findSestavinaByIme("zapisniki");
        calculations = land->findSestavinaByIme("izračuni");
    }

    void cleanup() { fixture.reset(); }

    void aDocumentOntoAComponentTakesItsDefaultType()
    {
        auto *minutes = new TTreeBookmark("122", "122 Zapisnik mejne obravnave", records);
        TTreeDokument *moved = document("z.pdf", minutes, 3);
        land->markUpToDate();
        drag(moved, sketches);
        QCOMPARE(childrenOf(records), QStringList());
        QCOMPARE(childrenOf(sketches), QStringList({"112 Skica izmere"}));
        QCOMPARE(childrenOf(sketches->child(0)), QStringList({"z.pdf"}));
        QCOMPARE(TTreeDokument::cast(sketches->child(0)->child(0))->pageCount(), 3);
        QVERIFY(sketches->isExpanded() && sketches->child(0)->isExpanded());
        QCOMPARE(view().currentItem(), sketches);
        QVERIFY(!land->upToDate());

        // Without a default the document keeps its code and title.
        drag(sketches->child(0)->child(0), calculations);
        QCOMPARE(childrenOf(calculations), QStringList({"112 Skica izmere"}));
        QCOMPARE(sketches->childCount(), 0);
    }

    void aDocumentOntoItsOwnComponentStays()
    {
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        TTreeDokument *kept = document("a.pdf", bookmark);
        document("b.pdf", bookmark);
        land->markUpToDate();
        drag(kept, sketches);
        QCOMPARE(childrenOf(bookmark), QStringList({"a.pdf", "b.pdf"}));
        QCOMPARE(bookmark->child(0), kept);
        QVERIFY(land->upToDate());
    }

    void aDocumentWithoutCodeIsTyped()
    {
        TTreeDokument *untyped = document("brez.pdf", records);
        fixture->prompter.dialogs.enqueue(TreeActions::cancel());
        drag(untyped, calculations);
        QCOMPARE(records->child(0), untyped);
        QCOMPARE(calculations->childCount(), 0);

        fixture->prompter.dialogs.enqueue(TreeActions::typeAs("123"));
        drag(untyped, calculations);
        QCOMPARE(fixture->prompter.shown.last().detail, QStringLiteral("SifrantDlg"));
        QCOMPARE(childrenOf(calculations), QStringList({"123 Vabilo na mejno obravnavo"}));
        QCOMPARE(childrenOf(calculations->child(0)), QStringList({"brez.pdf"}));
        QCOMPARE(records->childCount(), 0);
    }

    void aDocumentOntoABookmarkBecomesItsFirst()
    {
        auto *from = new TTreeBookmark("112", "112 Skica izmere", sketches);
        TTreeDokument *moved = document("a.pdf", from);
        auto *to = new TTreeBookmark("122", "122 Zapisnik mejne obravnave", records);
        document("b.pdf", to);
        drag(moved, to);
        QCOMPARE(childrenOf(to), QStringList({"a.pdf", "b.pdf"}));
        QCOMPARE(sketches->childCount(), 0);
        QCOMPARE(view().currentItem(), to);

        // Onto its own bookmark: to the front.
        drag(to->child(1), to);
        QCOMPARE(childrenOf(to), QStringList({"b.pdf", "a.pdf"}));
    }

    void aDocumentOntoADocumentOfAComponentStays()
    {
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        TTreeDokument *a = document("a.pdf", bookmark);
        TTreeDokument *b = document("b.pdf", bookmark);
        drag(b, a);
        QCOMPARE(childrenOf(bookmark), QStringList({"a.pdf", "b.pdf"}));
        QCOMPARE(bookmark->child(1), b);
    }

    void theGeneralProcedureOrdersDocumentsByDropping()
    {
        TTreeElaborat *general = fixture->create({ElaboratFixture::ZkGeneral});
        QTreeWidgetItem *node = general->sestavineItem();
        TTreeDokument *a = document("a.pdf", node);
        document("b.pdf", node);
        TTreeDokument *c = document("c.pdf", node);
        c->setTagText("112 Skica izmere");
        general->markUpToDate();
        drag(c, a);
        QCOMPARE(childrenOf(node), QStringList({"a.pdf", "c.pdf [112 Skica izmere]", "b.pdf"}));
        QCOMPARE(node->child(1), c);
        QVERIFY(!general->upToDate());

        // Onto the sestavine node: to the front, with its type.
        drag(c, node);
        QCOMPARE(childrenOf(node), QStringList({"c.pdf [112 Skica izmere]", "a.pdf", "b.pdf"}));

        // Without the general procedure the node takes no documents.
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        TTreeDokument *kept = document("k.pdf", bookmark);
        drag(kept, land->sestavineItem());
        QCOMPARE(bookmark->child(0), kept);
    }

    void aMovedFloorPlanKeepsItsFloorWhenItIsFree()
    {
        TTreeElaborat *building
            = fixture->create({ElaboratFixture::KsGeneral, ElaboratFixture::Vs});
        QTreeWidgetItem *node = building->sestavineItem();
        auto *ground = new TTreeBookmark("104", "104 Načrt etaže", node);
        TTreeDokument *first = document("f1.pdf", ground);
        TTreeDokument *second = document("f2.pdf", ground);
        auto *upper = new TTreeBookmark("104", "104 Načrt etaže", node);
        TTreeDokument *other = document("g1.pdf", upper);
        QCOMPARE(childrenOf(ground), QStringList({"f1.pdf [1]", "f2.pdf [2]"}));

        drag(second, other);
        QCOMPARE(childrenOf(upper), QStringList({"g1.pdf [1]", "f2.pdf [2]"}));
        drag(first, other);
        QCOMPARE(childrenOf(upper), QStringList({"g1.pdf [1]", "f1.pdf [3]", "f2.pdf [2]"}));
        // The bookmark they left is empty and gone.
        QCOMPARE(childrenOf(node).count("104 Načrt etaže"), 1);
    }

    void aBookmarkOntoAComponentMovesAllItsDocuments()
    {
        auto *minutes = new TTreeBookmark("122", "122 Zapisnik mejne obravnave", records);
        document("x.pdf", minutes);
        auto *subtitle = new TTreePodnaslov(minutes);
        new TTreeDokument(fixture->makePdf("s.pdf", 2), subtitle, 1);
        new TTreeDokument(fixture->folder.path("s.pdf"), subtitle, 2);
        document("y.pdf", minutes);
        drag(minutes, sketches);
        QCOMPARE(childrenOf(records), QStringList());
        QCOMPARE(childrenOf(sketches), QStringList({"112 Skica izmere"}));
        QCOMPARE(childrenOf(sketches->child(0)),
            QStringList({"x.pdf", "s.pdf/str. 1", "s.pdf/str. 2", "y.pdf"}));

        // Onto a document of a component: into that component, keeping the code there.
        TTreeDokument *target = document("t.pdf", new TTreeBookmark("131", "131 X", calculations));
        drag(sketches->child(0), target);
        QCOMPARE(childrenOf(calculations), QStringList({"131 X", "112 Skica izmere"}));
        QCOMPARE(calculations->child(1)->childCount(), 4);
        QCOMPARE(sketches->childCount(), 0);
    }

    void aBookmarkOntoABookmarkJoinsIt()
    {
        auto *from = new TTreeBookmark("122", "122 Zapisnik mejne obravnave", records);
        document("a.pdf", from);
        document("b.pdf", from);
        auto *to = new TTreeBookmark("112", "112 Skica izmere", sketches);
        document("c.pdf", to);
        drag(from, to);
        QCOMPARE(childrenOf(to), QStringList({"c.pdf", "a.pdf", "b.pdf"}));
        QCOMPARE(records->childCount(), 0);
    }

    void aBookmarkOntoTheSestavineNode()
    {
        TTreeElaborat *general
            = fixture->create({ElaboratFixture::ZkGeneral, ElaboratFixture::Izr});
        QTreeWidgetItem *node = general->sestavineItem();
        auto *bookmark = new TTreeBookmark(
            "122", "122 Zapisnik mejne obravnave", general->findSestavinaByIme("izračuni"));
        document("a.pdf", bookmark);
        document("b.pdf", bookmark);
        drag(bookmark, node);
        QCOMPARE(childrenOf(node), QStringList({"a.pdf", "b.pdf", "izračuni"}));

        // Without the general procedure the documents go to the end of the node.
        auto *landBookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        document("c.pdf", landBookmark);
        drag(landBookmark, land->sestavineItem());
        QCOMPARE(childrenOf(land->sestavineItem()).last(), QStringLiteral("c.pdf"));
        QCOMPARE(sketches->childCount(), 0);
    }

    void aBookmarkOfAnotherElaboratFollowsADocumentWithItsType()
    {
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        document("a.pdf", bookmark);
        document("b.pdf", bookmark);
        TTreeElaborat *general = fixture->create({ElaboratFixture::ZkGeneral});
        QTreeWidgetItem *node = general->sestavineItem();
        TTreeDokument *target = document("t.pdf", node);
        document("u.pdf", node);
        drag(bookmark, target);
        QCOMPARE(childrenOf(node),
            QStringList(
                {"t.pdf", "a.pdf [112 Skica izmere]", "b.pdf [112 Skica izmere]", "u.pdf"}));
        QCOMPARE(bookmark->childCount(), 2);
        QCOMPARE(view().currentElaborat(), general);

        // The source has no component of the type's kind ("zapisniki" for 122): nothing.
        TTreeElaborat *calculation = fixture->create({ElaboratFixture::Izr});
        auto *foreign = new TTreeBookmark(
            "122", "122 Zapisnik mejne obravnave", calculation->findSestavinaByIme("izračuni"));
        document("f.pdf", foreign);
        drag(foreign, target);
        QCOMPARE(general->documentCount(), 4);

        // Within the general elaborat itself: nothing.
        auto *own = new TTreeBookmark("112", "112 Skica izmere", node);
        document("o.pdf", own);
        drag(own, target);
        QCOMPARE(childrenOf(node).mid(0, 2), QStringList({"t.pdf", "a.pdf [112 Skica izmere]"}));
    }

    void intoAnotherElaboratADocumentIsCopied()
    {
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        TTreeDokument *original = document("a.pdf", bookmark, 2);
        original->rotate(90);
        TTreeElaborat *other = fixture->create({ElaboratFixture::Um});
        auto *target = new TTreeBookmark(
            "122", "122 Zapisnik mejne obravnave", other->findSestavinaByIme("zapisniki"));
        other->markUpToDate();
        drag(original, target);
        QCOMPARE(bookmark->child(0), original);
        const TTreeDokument *copy = TTreeDokument::cast(target->child(0));
        QVERIFY(copy);
        QCOMPARE(copy->rotation(), 1);
        QCOMPARE(copy->sourcePath(), original->sourcePath());
        QCOMPARE(view().currentElaborat(), other);
        QVERIFY(!other->upToDate());

        // Onto another elaborat's component: a new bookmark there.
        drag(original, other->findSestavinaByIme("skica"));
        QCOMPARE(childrenOf(other->findSestavinaByIme("skica")), QStringList({"112 Skica izmere"}));
        QCOMPARE(bookmark->childCount(), 1);
    }

    void intoAnotherElaboratABookmarkIsCopied()
    {
        auto *bookmark = new TTreeBookmark("122", "122 Zapisnik mejne obravnave", records);
        document("a.pdf", bookmark);
        document("b.pdf", bookmark, 2);
        TTreeElaborat *other = fixture->create({ElaboratFixture::Um, ElaboratFixture::Par});
        land->markUpToDate();
        other->markUpToDate();

        // Onto a component without a default type: a bookmark of its own code there.
        TTreeSestavina *otherRecords = other->findSestavinaByIme("zapisniki");
        drag(bookmark, otherRecords);
        QCOMPARE(childrenOf(otherRecords), QStringList({"122 Zapisnik mejne obravnave"}));
        QCOMPARE(childrenOf(otherRecords->child(0)), QStringList({"a.pdf", "b.pdf"}));
        QCOMPARE(TTreeDokument::cast(otherRecords->child(0)->child(1))->pageCount(), 2);
        QCOMPARE(childrenOf(bookmark), QStringList({"a.pdf", "b.pdf"}));
        QCOMPARE(view().currentElaborat(), other);
        QVERIFY(!other->upToDate());
        QVERIFY(land->upToDate());

        // Onto a bookmark: its documents follow those there.
        auto *target = new TTreeBookmark(
            "123", "123 Vabilo na mejno obravnavo", other->findSestavinaByIme("izračuni"));
        document("c.pdf", target);
        drag(bookmark, target);
        QCOMPARE(childrenOf(target), QStringList({"c.pdf", "a.pdf", "b.pdf"}));
        QCOMPARE(TTreeBookmark::cast(target)->sifra(), QStringLiteral("123"));
        QCOMPARE(childrenOf(records), QStringList({"122 Zapisnik mejne obravnave"}));
        QCOMPARE(childrenOf(bookmark), QStringList({"a.pdf", "b.pdf"}));
        QVERIFY(land->upToDate());
    }

    void aForeignDragAfterAnOwnOneMovesNothing()
    {
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        TTreeDokument *dragged = document("a.pdf", bookmark);
        auto *target = new TTreeBookmark("122", "122 Zapisnik mejne obravnave", records);
        document("b.pdf", target);
        TTreeElaborat *other = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *otherSketches = other->findSestavinaByIme("skica");
        view().expandAll();
        TreeActions::select(view(), {dragged});
        // A copy: the dragged document stays. The drag loop swallows the release.
        TreeActions::dragAndDropUnreleased(view(), dragged, otherSketches);
        QCOMPARE(other->documentCount(), 1);
        land->markUpToDate();
        other->markUpToDate();

        QMimeData text;
        text.setText(QStringLiteral("besedilo"));
        QMimeData link;
        link.setUrls({QUrl(QStringLiteral("https://example.com/a.pdf"))});
        for (const QMimeData *mime : {&text, &link}) {
            for (QTreeWidgetItem *onto : {static_cast<QTreeWidgetItem *>(target),
                     static_cast<QTreeWidgetItem *>(otherSketches)}) {
                QCOMPARE(TreeActions::dropMime(view(), *mime, onto), Qt::IgnoreAction);
                QCOMPARE(childrenOf(target), QStringList({"b.pdf"}));
                QCOMPARE(other->documentCount(), 1);
                QCOMPARE(bookmark->child(0), dragged);
            }
        }
        QVERIFY(land->upToDate() && other->upToDate());
        QCOMPARE(view().pressedItem(), nullptr);
    }

    void aDragCancelledOutsideTheViewForgetsThePress()
    {
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        TTreeDokument *dragged = document("a.pdf", bookmark);
        auto *target = new TTreeBookmark("122", "122 Zapisnik mejne obravnave", records);
        view().expandAll();
        TreeActions::select(view(), {dragged});
        const QPoint from = TreeActions::centreOf(view(), dragged);
        QTest::mousePress(view().viewport(), Qt::LeftButton, Qt::NoModifier, from);
        QCOMPARE(view().pressedItem(), dragged);
        // The moves start the drag; Escape ends its loop should it run one. The view never
        // sees the release.
        QTimer::singleShot(0, &view(), [this] { QTest::keyClick(&view(), Qt::Key_Escape); });
        QTest::mouseMove(view().viewport(), from + QPoint(0, 2));
        QTest::mouseMove(view().viewport(), from + QPoint(0, 40));
        QCOMPARE(view().pressedItem(), nullptr);

        // Another program's rows in this view's format.
        std::unique_ptr<QMimeData> rows(
            view().model()->mimeData(view().selectionModel()->selectedIndexes()));
        QCOMPARE(TreeActions::dropMime(view(), *rows, target), Qt::IgnoreAction);
        QCOMPARE(bookmark->child(0), dragged);
        QCOMPARE(target->childCount(), 0);
    }

    void severalDocumentsKeepTheirOrder()
    {
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        TTreeDokument *first = document("d1.pdf", bookmark);
        document("d2.pdf", bookmark);
        TTreeDokument *third = document("d3.pdf", bookmark);
        auto *target = new TTreeBookmark("122", "122 Zapisnik mejne obravnave", records);
        document("z.pdf", target);
        dragSelected({third, first}, target);
        QCOMPARE(childrenOf(target), QStringList({"d1.pdf", "d3.pdf", "z.pdf"}));
        QCOMPARE(childrenOf(bookmark), QStringList({"d2.pdf"}));
        QCOMPARE(view().currentItem(), target->child(1));

        // Onto a component: behind the copy of the one before, in one new bookmark.
        dragSelected({target->child(2), target->child(0)}, calculations);
        QCOMPARE(childrenOf(calculations), QStringList({"122 Zapisnik mejne obravnave"}));
        QCOMPARE(childrenOf(calculations->child(0)), QStringList({"d1.pdf", "z.pdf"}));
        QCOMPARE(childrenOf(target), QStringList({"d3.pdf"}));
    }

    void severalDocumentsGoOnlyIntoTheCurrentElaborat()
    {
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        TTreeDokument *a = document("a.pdf", bookmark);
        TTreeDokument *b = document("b.pdf", bookmark);
        TTreeElaborat *other = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *target = other->findSestavinaByIme("zapisniki");
        dragSelected({a, b}, target);
        QCOMPARE(target->childCount(), 0);
        QCOMPARE(bookmark->childCount(), 2);
    }

    void dropsThatChangeNothing()
    {
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        TTreeDokument *a = document("a.pdf", bookmark);
        TTreeDokument *b = document("b.pdf", bookmark);
        auto *data = new TTreeDigitalniPodatek("t.dxf", land->findSestavinaBySifra("dp"));
        land->markUpToDate();
        for (QTreeWidgetItem *target :
            {static_cast<QTreeWidgetItem *>(land->findSestavinaBySifra("dp")),
                static_cast<QTreeWidgetItem *>(data), static_cast<QTreeWidgetItem *>(land),
                static_cast<QTreeWidgetItem *>(a)})
            drag(a, target);
        // A bookmark onto its own document, a document onto a selected one.
        drag(bookmark, b);
        dragSelected({a, b}, b);
        QCOMPARE(childrenOf(bookmark), QStringList({"a.pdf", "b.pdf"}));
        QCOMPARE(bookmark->child(0), a);
        QVERIFY(land->upToDate());
    }

    void emptySubtitlesGoAfterADrop()
    {
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        auto *subtitle = new TTreePodnaslov(bookmark);
        auto *page = new TTreeDokument(fixture->makePdf("s.pdf", 2), subtitle, 1);
        auto *target = new TTreeBookmark("122", "122 Zapisnik mejne obravnave", records);
        drag(page, target);
        QCOMPARE(childrenOf(target), QStringList({"s.pdf/str. 1"}));
        QCOMPARE(sketches->childCount(), 0);
    }
};

QTEST_MAIN(TreeDropTest)
#include "treedroptest.moc"
