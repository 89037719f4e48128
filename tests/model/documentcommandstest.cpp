#include "elaboratfixture.h"
#include "intake/sifrantdlg.h"
#include "model/dlgstevilkaetaze.h"
#include "model/treemenus.h"
#include "model/ttreebookmark.h"
#include "model/ttreedigitalnipodatek.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "treeactions.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <memory>

using TreeActions::childrenOf;

using namespace TreeMenus;

namespace {
const QString removeQuestion
    = QStringLiteral("Ali res zelite odstraniti izbrane sestavine iz elaborata?");
} // namespace

// The commands on documents and elaborates: splitting, typing again, rotating, removing, floor
// numbers, labels and closing.
class DocumentCommandsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;
    ScriptedPrompter *prompter = nullptr;

    TTreeWidget &view() { return *fixture->window().tree(); }

    QString pdf(const QString &name, int pages) { return fixture->makePdf(name, pages); }

    void run(const QString &entry, QTreeWidgetItem *clicked, QList<QTreeWidgetItem *> selected = {})
    {
        TreeActions::select(
            view(), selected.isEmpty() ? QList<QTreeWidgetItem *> {clicked} : selected);
        view().runItemCommand(entry, clicked);
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        prompter = &fixture->prompter;
    }

    void cleanup() { fixture.reset(); }

    void aDocumentSplitsIntoPagesInItsPlace()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        auto *bookmark
            = new TTreeBookmark("112", "112 Skica izmere", elaborat->findSestavinaByIme("skica"));
        new TTreeDokument(pdf("prvi.pdf", 1), bookmark);
        auto *three = new TTreeDokument(pdf("Tri.pdf", 3), bookmark);
        three->rotate(90);
        new TTreeDokument(pdf("zadnji.pdf", 1), bookmark);
        run(Entry::split, three);

        QCOMPARE(childrenOf(bookmark), QStringList({"prvi.pdf", "tri.pdf", "zadnji.pdf"}));
        auto *subtitle = TTreePodnaslov::cast(bookmark->child(1));
        QVERIFY(subtitle);
        QVERIFY(subtitle->nameBold());
        QCOMPARE(subtitle->nameLabel()->text(), QStringLiteral("tri.pdf"));
        QCOMPARE(childrenOf(subtitle),
            QStringList({"tri.pdf/str. 1", "tri.pdf/str. 2", "tri.pdf/str. 3"}));
        for (int i = 0; i < 3; ++i) {
            const TTreeDokument *page = TTreeDokument::cast(subtitle->child(i));
            QCOMPARE(page->page(), i + 1);
            QCOMPARE(page->rotation(), 1);
            QCOMPARE(page->filePath(), fixture->folder.path("Tri.pdf"));
            QCOMPARE(page->contributedPages(), 1);
        }
        QCOMPARE(elaborat->documentCount(), 5);

        // A page stands for one page already; a one-page document has none to split.
        run(Entry::split, subtitle->child(0));
        run(Entry::split, bookmark->child(0));
        QCOMPARE(elaborat->documentCount(), 5);
    }

    void splitPagesKeepTheFloorOrTheType()
    {
        TTreeElaborat *building = fixture->create({ElaboratFixture::Vs});
        TTreeSestavina *plans = building->findSestavinaByIme("načrti");
        auto *floors = new TTreeBookmark("104", "104 Načrt etaže", plans);
        new TTreeDokument(pdf("e1.pdf", 1), floors);
        auto *twoFloors = new TTreeDokument(pdf("e2.pdf", 2), floors);
        QCOMPARE(twoFloors->tagText(), QStringLiteral("2"));
        run(Entry::split, twoFloors);
        QCOMPARE(
            childrenOf(floors->child(1)), QStringList({"e2.pdf/str. 1 [2]", "e2.pdf/str. 2 [2]"}));

        auto *general = fixture->create({ElaboratFixture::ZkGeneral});
        auto *typed = new TTreeDokument(pdf("g.pdf", 2), general->sestavineItem());
        typed->setTagText("112 Skica izmere");
        run(Entry::split, typed);
        QCOMPARE(childrenOf(general->sestavineItem()->child(0)),
            QStringList({"g.pdf/str. 1 [112 Skica izmere]", "g.pdf/str. 2"}));
    }

    void aNewTypeMovesTheDocumentWithItsPage()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *sketches = elaborat->findSestavinaByIme("skica");
        auto *bookmark = new TTreeBookmark("112", "112 Skica izmere", sketches);
        auto *page = new TTreeDokument(pdf("tri.pdf", 3), bookmark, 2);
        auto *other = new TTreeDokument(pdf("drugi.pdf", 1), bookmark);
        elaborat->markUpToDate();

        prompter->dialogs.enqueue(TreeActions::typeAs("111"));
        run(Entry::changeType, page);
        QCOMPARE(prompter->shown.last().detail, QStringLiteral("SifrantDlg"));
        QCOMPARE(
            childrenOf(sketches), QStringList({"112 Skica izmere", "111 Skica geodetske uprave"}));
        QCOMPARE(childrenOf(bookmark), QStringList({"drugi.pdf"}));
        const TTreeDokument *moved = TTreeDokument::cast(sketches->child(1)->child(0));
        QCOMPARE(moved->page(), 2);
        QCOMPARE(moved->nameText(), QStringLiteral("tri.pdf/str. 2"));
        QVERIFY(!elaborat->upToDate());
        QVERIFY(view().selectedItems().isEmpty());

        // The last document of a bookmark leaves it empty, and it goes.
        prompter->dialogs.enqueue(TreeActions::typeAs("111"));
        run(Entry::changeType, other);
        QCOMPARE(childrenOf(sketches),
            QStringList({"111 Skica geodetske uprave", "111 Skica geodetske uprave"}));
    }

    void theSameTypeKeepsTheDocumentInItsPlace()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        auto *bookmark = new TTreeBookmark(
            "123", "123 Vabilo na mejno obravnavo", elaborat->findSestavinaByIme("zapisniki"));
        new TTreeDokument(pdf("x.pdf", 1), bookmark);
        auto *middle = new TTreeDokument(pdf("y.pdf", 1), bookmark);
        new TTreeDokument(pdf("z.pdf", 1), bookmark);
        // No default type in the component: the bookmark's code is preset.
        prompter->dialogs.enqueue(TreeActions::acceptTypes());
        run(Entry::changeType, middle);
        QCOMPARE(elaborat->findSestavinaByIme("zapisniki")->childCount(), 1);
        QCOMPARE(childrenOf(bookmark), QStringList({"x.pdf", "y.pdf", "z.pdf"}));
    }

    void severalDocumentsAreTypedInPageOrder()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *records = elaborat->findSestavinaByIme("zapisniki");
        auto *bookmark = new TTreeBookmark("123", "123 Vabilo na mejno obravnavo", records);
        auto *first = new TTreeDokument(pdf("x.pdf", 1), bookmark);
        new TTreeDokument(pdf("y.pdf", 1), bookmark);
        auto *last = new TTreeDokument(pdf("z.pdf", 1), bookmark);

        QStringList offered;
        prompter->dialogs.enqueue([&offered](QDialog *dialog) {
            const int result = TreeActions::typeAs("124")(dialog);
            for (const SifrantResult &row : qobject_cast<SifrantDlg *>(dialog)->results())
                offered << QFileInfo(row.filePath).fileName();
            return result;
        });
        run(Entry::changeType, last, {last, first});
        QCOMPARE(offered, QStringList({"x.pdf", "z.pdf"}));
        QCOMPARE(
            childrenOf(records), QStringList({"123 Vabilo na mejno obravnavo", "124 Vročilnica"}));
        QCOMPARE(childrenOf(records->child(0)), QStringList({"y.pdf"}));
        QCOMPARE(childrenOf(records->child(1)), QStringList({"x.pdf", "z.pdf"}));

        // One item selected that is not the clicked document: nothing.
        const int dialogs = prompter->count(ScriptedPrompter::Dialog);
        TreeActions::select(view(), {records});
        view().runItemCommand(Entry::changeType, records->child(0)->child(0));
        QCOMPARE(prompter->count(ScriptedPrompter::Dialog), dialogs);
    }

    void aDocumentLeftWithoutTypeStays()
    {
        // Outside a component (a bookmark dropped onto the sestavine node leaves it there) a
        // file without a code cannot be placed again.
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        QTreeWidgetItem *node = elaborat->sestavineItem();
        const QString path = pdf("prost.pdf", 1);
        auto *loose = new TTreeDokument(path, node);
        prompter->dialogs.enqueue(TreeActions::acceptTypes());
        run(Entry::changeType, loose);
        QCOMPARE(prompter->messageTexts(),
            QStringList({QStringLiteral("Dokument '%1' ni bil dodan v elaborat, ker nima "
                                        "dolocene sifre.")
                             .arg(path)}));
        QCOMPARE(childrenOf(node),
            QStringList({"skica", "zapisniki", "digitalni podatki", "prost.pdf"}));
        QCOMPARE(node->child(3), loose);
        QCOMPARE(elaborat->documentCount(), 1);
    }

    void theGeneralProcedureOnlyRelabels()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::ZkGeneral});
        auto *a = new TTreeDokument(pdf("a.pdf", 1), elaborat->sestavineItem());
        a->setTagText("112 Skica izmere");
        auto *b = new TTreeDokument(pdf("b.pdf", 1), elaborat->sestavineItem());
        // The first word of the label is the preset type.
        prompter->dialogs.enqueue(TreeActions::acceptTypes());
        run(Entry::changeType, a, {b, a});
        QCOMPARE(childrenOf(elaborat->sestavineItem()),
            QStringList({"a.pdf [112 Skica izmere]", "b.pdf [112 Skica izmere]"}));
        QVERIFY(elaborat->sestavineItem()->child(0) == a);

        elaborat->markUpToDate();
        prompter->dialogs.enqueue(TreeActions::cancel());
        run(Entry::changeType, b);
        QVERIFY(elaborat->upToDate());
    }

    void rotatingTurnsAndShowsTheDocument()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        auto *document = new TTreeDokument(pdf("r.pdf", 3),
            new TTreeBookmark("112", "112 Skica izmere", elaborat->findSestavinaByIme("skica")));
        elaborat->markUpToDate();
        run(Entry::rotateLeft, document);
        QCOMPARE(document->rotation(), 3);
        QVERIFY(!elaborat->upToDate());
        run(Entry::rotateRight, document);
        run(Entry::rotateRight, document);
        QCOMPARE(document->rotation(), 1);
        QCOMPARE(fixture->window().l_npages->text(), QStringLiteral("3"));
        QVERIFY(prompter->messageTexts().isEmpty());
    }

    void removingTakesEverythingSelected()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *sketches = elaborat->findSestavinaByIme("skica");
        auto *whole = new TTreeBookmark("112", "112 Skica izmere", sketches);
        auto *inWhole = new TTreeDokument(pdf("a.pdf", 1), whole);
        new TTreeDokument(pdf("b.pdf", 1), whole);
        auto *single = new TTreeBookmark("111", "111 Skica geodetske uprave", sketches);
        auto *alone = new TTreeDokument(pdf("c.pdf", 1), single);
        auto *kept = new TTreeBookmark("113", "113 Kept", sketches);
        auto *subtitle = new TTreePodnaslov(kept);
        new TTreeDokument(pdf("d.pdf", 2), subtitle, 1);
        new TTreeDokument(pdf("e.pdf", 1), kept);
        auto *data = new TTreeDigitalniPodatek("t.dxf", elaborat->findSestavinaBySifra("dp"));
        view().expandAll();
        elaborat->markUpToDate();

        prompter->buttons << QMessageBox::Yes;
        TreeActions::select(view(), {whole, inWhole, alone, subtitle, data, sketches});
        view().runItemCommand(Entry::removeBookmark, whole);
        QCOMPARE(prompter->messageTexts(), QStringList({removeQuestion}));
        QCOMPARE(prompter->shown.first().defaultButton, QMessageBox::No);
        QCOMPARE(childrenOf(sketches), QStringList({"113 Kept"}));
        QCOMPARE(childrenOf(kept), QStringList({"e.pdf"}));
        QCOMPARE(elaborat->digitalDataFiles(), QStringList());
        QVERIFY(!elaborat->upToDate());
    }

    void noKeepsTheItemsButNotTheEmptySubtitles()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        auto *bookmark
            = new TTreeBookmark("112", "112 Skica izmere", elaborat->findSestavinaByIme("skica"));
        auto *document = new TTreeDokument(pdf("a.pdf", 1), bookmark);
        new TTreePodnaslov(bookmark);
        elaborat->markUpToDate();
        prompter->buttons << QMessageBox::No;
        run(Entry::removeFile, document);
        QCOMPARE(childrenOf(bookmark), QStringList({"a.pdf"}));
        QVERIFY(elaborat->upToDate());

        // Nothing removable selected: no question, the empty subtitles still go.
        new TTreePodnaslov(bookmark);
        run(Entry::removeFile, elaborat->findSestavinaByIme("skica"));
        QCOMPARE(prompter->messageTexts().size(), 1);
        QCOMPARE(childrenOf(bookmark), QStringList({"a.pdf"}));
    }

    void theDeleteKeyRemovesTheSelection()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        auto *bookmark
            = new TTreeBookmark("112", "112 Skica izmere", elaborat->findSestavinaByIme("skica"));
        auto *document = new TTreeDokument(pdf("a.pdf", 1), bookmark);
        TreeActions::select(view(), {document});
        prompter->buttons << QMessageBox::Yes;
        QTest::keyClick(&view(), Qt::Key_Delete);
        QCOMPARE(prompter->messageTexts(), QStringList({removeQuestion}));
        QCOMPARE(elaborat->findSestavinaByIme("skica")->childCount(), 0);
    }

    void theTypeLabelIsRemoved()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::ZkGeneral});
        auto *document = new TTreeDokument(pdf("a.pdf", 1), elaborat->sestavineItem());
        document->setTagText("112 Skica izmere");
        elaborat->markUpToDate();
        run(Entry::removeTag, document);
        QCOMPARE(document->tagText(), QString());
        QCOMPARE(document->tagLabel()->text(), QString());
        QVERIFY(!elaborat->upToDate());
    }

    void theFloorNumberGoesToTheSelectedFloorPlans()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Vs});
        TTreeSestavina *plans = elaborat->findSestavinaByIme("načrti");
        auto *floors = new TTreeBookmark("104", "104 Načrt etaže", plans);
        auto *first = new TTreeDokument(pdf("e1.pdf", 1), floors);
        auto *second = new TTreeDokument(pdf("e2.pdf", 1), floors);
        auto *subtitle = new TTreePodnaslov(floors);
        auto *page = new TTreeDokument(pdf("e3.pdf", 2), subtitle, 1);
        auto *plan = new TTreeDokument(
            pdf("n.pdf", 1), new TTreeBookmark("101", "101 Načrt stavbe", plans));
        elaborat->markUpToDate();

        int shownValue = 0;
        prompter->dialogs.enqueue([&shownValue](QDialog *dialog) {
            auto *floor = qobject_cast<DlgStevilkaEtaze *>(dialog);
            shownValue = floor->spinBox->value();
            floor->spinBox->setValue(7);
            return int(QDialog::Accepted);
        });
        run(Entry::floor, second, {first, subtitle, page, plan});
        QCOMPARE(prompter->shown.last().title, QStringLiteral("Številka etaže"));
        QCOMPARE(shownValue, 2);
        QCOMPARE(
            childrenOf(floors), QStringList({"e1.pdf [7]", "e2.pdf [2]", "--nov podnaslov--"}));
        QCOMPARE(page->tagText(), QStringLiteral("7"));
        QCOMPARE(plan->tagText(), QString());
        QVERIFY(!elaborat->upToDate());

        elaborat->markUpToDate();
        prompter->dialogs.enqueue(TreeActions::cancel());
        run(Entry::floor, first);
        QCOMPARE(first->tagText(), QStringLiteral("7"));
        QVERIFY(elaborat->upToDate());
    }

    void theFloorDialogStartsAtOneForALabelThatIsNoNumber()
    {
        DlgStevilkaEtaze dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Številka etaže"));
        QCOMPARE(dialog.spinBox->minimum(), 1);
        QCOMPARE(dialog.buttonBox->orientation(), Qt::Vertical);
        QCOMPARE(dialog.focusWidget(), dialog.spinBox);

        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Vs});
        auto *floors
            = new TTreeBookmark("104", "104 Načrt etaže", elaborat->findSestavinaByIme("načrti"));
        auto *document = new TTreeDokument(pdf("e1.pdf", 1), floors);
        document->setTagText("klet");
        int shownValue = 0;
        prompter->dialogs.enqueue([&shownValue](QDialog *shown) {
            shownValue = qobject_cast<DlgStevilkaEtaze *>(shown)->spinBox->value();
            return int(QDialog::Accepted);
        });
        run(Entry::floor, document);
        QCOMPARE(shownValue, 1);
        QCOMPARE(document->tagText(), QStringLiteral("1"));
    }

    void closingAnUpToDateElaboratAsksNothing()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        elaborat->markUpToDate();
        view().runElaboratCommand(Entry::close, elaborat);
        QVERIFY(prompter->shown.isEmpty());
        QCOMPARE(view().topLevelItemCount(), 0);
        QCOMPARE(view().currentElaborat(), nullptr);
        QVERIFY(!fixture->window().actionZapri->isEnabled());
    }

    void closingAModifiedElaboratAsks()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        const QString question = QStringLiteral(
            "Elaborat '%1' je bil spremenjen, nova verzija pa se ni izdelana. Ali ga zelite "
            "zapreti (vse spremembe bodo izgubljene)?")
                                     .arg(elaborat->text(0));
        fixture->window().actionZapri->trigger();
        QCOMPARE(prompter->messageTexts(), QStringList({question}));
        QCOMPARE(prompter->shown.first().defaultButton, QMessageBox::No);
        QCOMPARE(view().topLevelItemCount(), 1);

        prompter->buttons << QMessageBox::Yes;
        fixture->window().actionZapri->trigger();
        QCOMPARE(view().topLevelItemCount(), 0);
    }

    void closingIsRefusedWhileScanningAndForAnotherElaborat()
    {
        TTreeElaborat *first = fixture->create({ElaboratFixture::Um});
        first->markUpToDate();
        first->scanning = true;
        view().runElaboratCommand(Entry::close, first);
        QCOMPARE(prompter->messageTexts(),
            QStringList({"Pred zapiranjem elaborata je potrebno zakljuciti skeniranje!"}));
        QCOMPARE(view().topLevelItemCount(), 1);

        first->scanning = false;
        TTreeElaborat *second = fixture->create({ElaboratFixture::Par});
        second->markUpToDate();
        QVERIFY(!view().closeElaborat(first));
        QCOMPARE(view().topLevelItemCount(), 2);
        // The menu acts on the elaborat it was opened on.
        view().runElaboratCommand(Entry::close, first);
        QCOMPARE(view().topLevelItemCount(), 1);
        QCOMPARE(view().topLevelItem(0), second);
    }

    void thePdfAndZipEntriesRunTheWindowsCommands()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeElaborat *other = fixture->create({ElaboratFixture::Par});
        view().runElaboratCommand(Entry::buildPdf, elaborat);
        QCOMPARE(view().currentElaborat(), elaborat);
        QCOMPARE(
            prompter->messageTexts(), QStringList({"V izbranem elaboratu ni dodanih dokumentov."}));

        other->markUpToDate();
        prompter->shown.clear();
        view().runElaboratCommand(Entry::buildZip, other);
        QCOMPARE(view().currentElaborat(), other);
        QVERIFY(!prompter->shown.isEmpty());
    }

    void theCheckEntryTriggersTheWindowsCheckForThatElaborat()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        fixture->create({ElaboratFixture::Par});
        QSignalSpy triggered(fixture->window().actionPreveri, &QAction::triggered);
        view().runElaboratCommand(Entry::check, elaborat);
        QCOMPARE(view().currentElaborat(), elaborat);
        QCOMPARE(triggered.count(), 1);
    }

    void theProceduresEntryOpensTheProcedureDialog()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        fixture->create({ElaboratFixture::Par});
        view().runElaboratCommand(Entry::procedures, elaborat);
        QCOMPARE(view().currentElaborat(), elaborat);
        QCOMPARE(prompter->shown.last().detail, QStringLiteral("DodajOdstraniPostopekDlg"));
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "documentcommandstest.moc"
