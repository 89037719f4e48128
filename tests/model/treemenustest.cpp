#include "elaboratfixture.h"
#include "model/ttreebookmark.h"
#include "model/ttreedigitalnipodatek.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "treeactions.h"

#include <QTest>
#include <memory>

namespace {
const QStringList head = {"Dodaj datoteko ...", "Skeniraj dokument(e) ...", "--"};

// The entries between the two separators, as they read on a document that allows everything.
QStringList documentEntries(bool remove, bool split, bool others)
{
    const QString off = QStringLiteral(" (off)");
    return {QStringLiteral("Odstrani datoteko") + (remove ? QString() : off),
        QStringLiteral("Loci na posamezne liste") + (split ? QString() : off),
        QStringLiteral("Zasukaj datoteko v levo") + (others ? QString() : off),
        QStringLiteral("Zasukaj datoteko v desno") + (others ? QString() : off),
        QStringLiteral("Spremeni sifro dokumenta") + (others ? QString() : off),
        QStringLiteral("--")};
}

const QStringList office = {"GU - skica", "GU - zapisnik postopka", "GU - odlocba"};
} // namespace

// The two context menus, built for a click and read without being shown: their entries, order,
// enabled states and texts per item kind, per elaborat kind and per user kind.
class TreeMenusTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;

    TTreeWidget &view() { return *fixture->window().tree(); }

    QStringList menuOn(QTreeWidgetItem *item) { return TreeActions::menuOn(view(), item); }

    struct LandElaborat
    {
        TTreeElaborat *elaborat;
        TTreeSestavina *component;
        TTreeBookmark *bookmark;
        TTreeDokument *threePages;
        TTreeDokument *onePage;
        TTreePodnaslov *subtitle;
        TTreeDokument *page;
        TTreeDigitalniPodatek *data;
    };

    LandElaborat landElaborat()
    {
        LandElaborat land {};
        land.elaborat = fixture->create({ElaboratFixture::Um});
        land.component = land.elaborat->findSestavinaByIme("skica");
        land.bookmark = new TTreeBookmark("112", "112 Skica izmere", land.component);
        land.threePages = new TTreeDokument(fixture->makePdf("tri.pdf", 3), land.bookmark);
        land.onePage = new TTreeDokument(fixture->makePdf("ena.pdf", 1), land.bookmark);
        land.subtitle = new TTreePodnaslov(land.bookmark);
        land.page = new TTreeDokument(fixture->folder.path("tri.pdf"), land.subtitle, 2);
        land.data = new TTreeDigitalniPodatek(
            fixture->folder.path("meritve.txt"), land.elaborat->findSestavinaBySifra("dp"));
        view().expandAll();
        return land;
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
    }

    void cleanup() { fixture.reset(); }

    void theElaboratMenuFollowsTheUpToDateMark()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        QCOMPARE(menuOn(elaborat),
            QStringList({"Dodaj/odstrani postopek...", "Izdelaj PDF elaborata",
                "Izdelaj ZIP datoteko (off)", "Zapri elaborat", "Preveri elaborat",
                "Pokazi datoteko elaborata v Raziskovalcu ... (off)"}));

        elaborat->setPdfPath(fixture->folder.path("elaborat.pdf"), true);
        elaborat->markUpToDate();
        QCOMPARE(menuOn(elaborat),
            QStringList({"Dodaj/odstrani postopek...", "Izdelaj PDF elaborata (off)",
                "Izdelaj ZIP datoteko", "Zapri elaborat", "Preveri elaborat",
                "Pokazi datoteko elaborata v Raziskovalcu ..."}));

        new TTreeBookmark("112", "112 Skica izmere", elaborat->findSestavinaByIme("skica"));
        QCOMPARE(menuOn(elaborat).mid(1, 2),
            QStringList({"Izdelaj PDF elaborata", "Izdelaj ZIP datoteko (off)"}));
    }

    void itemMenusOfALandCadastreElaborat()
    {
        const LandElaborat land = landElaborat();
        const QStringList onOther = documentEntries(false, false, false);
        QCOMPARE(menuOn(land.component), head + onOther + office);

        QStringList onBookmark = documentEntries(true, false, false);
        onBookmark.first() = QStringLiteral("Odstrani zaznamek z dokumenti");
        QCOMPARE(menuOn(land.bookmark), head + onBookmark + office);

        QCOMPARE(menuOn(land.threePages), head + documentEntries(true, true, true) + office);
        QCOMPARE(menuOn(land.onePage), head + documentEntries(true, false, true) + office);
        QCOMPARE(menuOn(land.page), head + documentEntries(true, false, true) + office);
        QCOMPARE(menuOn(land.subtitle), head + documentEntries(true, false, false) + office);
        QCOMPARE(menuOn(land.data),
            head + documentEntries(true, false, false) + office
                + QStringList({"--", "Pokazi v Raziskovalcu ..."}));
    }

    void withoutTheGeneralProcedureOnlyTheElaboratsItemsOpenAMenu()
    {
        const LandElaborat land = landElaborat();
        QVERIFY(menuOn(nullptr).isEmpty());
        QVERIFY(menuOn(land.elaborat->sestavineItem()).isEmpty());
        QVERIFY(menuOn(land.elaborat->atributiItem()).isEmpty());

        // Nothing selected: the commands that add need a target.
        land.component->setSelected(false);
        view().clearSelection();
        const QStringList entries = TreeActions::menuAt(view(), land.component);
        QCOMPARE(entries.mid(0, 2),
            QStringList({"Dodaj datoteko ... (off)", "Skeniraj dokument(e) ... (off)"}));
    }

    void aContractorGetsNoOfficeDocuments()
    {
        const LandElaborat land = landElaborat();
        fixture->window().settings().values().officeUser = false;
        QCOMPARE(menuOn(land.component), head + documentEntries(false, false, false));
    }

    void theGeneralProcedureOpensTheMenuOnEmptySpace()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::ZkGeneral});
        QCOMPARE(menuOn(nullptr), head + documentEntries(false, false, false) + office);
        QCOMPARE(menuOn(elaborat->sestavineItem()), menuOn(nullptr));

        auto *typed = new TTreeDokument(fixture->makePdf("a.pdf", 2), elaborat->sestavineItem());
        typed->setTagText("112 Skica izmere");
        auto *untyped = new TTreeDokument(fixture->makePdf("b.pdf", 1), elaborat->sestavineItem());
        QCOMPARE(menuOn(typed),
            head + documentEntries(true, true, true) + office
                + QStringList({"--", "Odstrani zaznamek"}));
        QCOMPARE(menuOn(untyped).mid(head.size() + 6),
            office + QStringList({"--", "Odstrani zaznamek (off)"}));
    }

    void floorNumbersInABuildingCadastreElaborat()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Vs});
        TTreeSestavina *plans = elaborat->findSestavinaByIme("načrti");
        auto *floors = new TTreeBookmark("104", "104 Načrt etaže", plans);
        auto *floor = new TTreeDokument(fixture->makePdf("e1.pdf", 1), floors);
        auto *subtitle = new TTreePodnaslov(floors);
        auto *floorPage = new TTreeDokument(fixture->makePdf("e2.pdf", 2), subtitle, 1);
        auto *other = new TTreeBookmark("101", "101 Načrt stavbe", plans);
        auto *plan = new TTreeDokument(fixture->makePdf("n.pdf", 1), other);
        view().expandAll();

        const QStringList off = {"Doloci stevilko etaze (off)"};
        const QStringList on = {"Doloci stevilko etaze"};
        QCOMPARE(menuOn(plans), head + documentEntries(false, false, false) + off);
        QCOMPARE(menuOn(floors).last(), off.first());
        QCOMPARE(menuOn(floor), head + documentEntries(true, false, true) + on);
        QCOMPARE(menuOn(floorPage).last(), on.first());
        QCOMPARE(menuOn(subtitle).last(), on.first());
        QCOMPARE(menuOn(plan).last(), off.first());

        TreeActions::select(view(), {floor, floorPage, plan});
        QCOMPARE(TreeActions::menuAt(view(), floor),
            QStringList({"Spremeni sifro dokumenta", "Doloci stevilko etaze"}));
        QCOMPARE(TreeActions::menuAt(view(), plan),
            QStringList({"Spremeni sifro dokumenta", "Doloci stevilko etaze (off)"}));
    }

    void severalSelectedOfferOnlyTheTypeChangeInTheLandCadastre()
    {
        const LandElaborat land = landElaborat();
        TreeActions::select(view(), {land.threePages, land.onePage});
        QCOMPARE(
            TreeActions::menuAt(view(), land.onePage), QStringList({"Spremeni sifro dokumenta"}));
    }
};

QTEST_MAIN(TreeMenusTest)
#include "treemenustest.moc"
