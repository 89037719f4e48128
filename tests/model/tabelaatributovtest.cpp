#include "model/tabelaatributov.h"
#include "dialogs/dodajodstranipostopekdlg.h"
#include "elaboratfixture.h"
#include "model/dialogcalendar.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "services/sifdlg.h"
#include "services/tcombobox.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

// The attribute table in a real view: its pickers, the calendar and the procedures command.
class TabelaAtributovTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;

    static std::function<int(QDialog *)> pickCode(const QString &code)
    {
        return [code](QDialog *dialog) {
            auto *picker = static_cast<SifDlg *>(dialog);
            picker->codeBox()->setCurrentIndex(picker->codeBox()->findText(code));
            picker->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            return picker->result();
        };
    }

    // Moves the named procedures to the list of the elaborat, or away from it, and accepts.
    static std::function<int(QDialog *)> choose(const QStringList &add, const QStringList &remove)
    {
        return [add, remove](QDialog *dialog) {
            auto *procedures = static_cast<DodajOdstraniPostopekDlg *>(dialog);
            auto move = [](QListWidget *list, const QStringList &names, QPushButton *button) {
                list->clearSelection();
                for (const QString &name : names)
                    list->findItems(name, Qt::MatchExactly).first()->setSelected(true);
                button->click();
            };
            move(procedures->l_mozni, add, procedures->b_1_l2d);
            move(procedures->l_dodani, remove, procedures->b_1_d2l);
            return int(QDialog::Accepted);
        };
    }

    void click(TabelaAtributov *table, int row)
    {
        QTRY_VERIFY(table->isVisible());
        const QRect cell = table->visualItemRect(table->item(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

    TTreeElaborat *elaborat = nullptr;
    TabelaAtributov *table = nullptr;

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        QVERIFY(QTest::qWaitForWindowExposed(&fixture->window()));
        elaborat = fixture->create({ElaboratFixture::Um});
        table = elaborat->tabela();
    }

    void cleanup() { fixture.reset(); }

    void clickingTheMunicipalityOpensItsPicker()
    {
        TTreeElaborat *other = fixture->create({ElaboratFixture::Par});
        fixture->prompter.dialogs.enqueue(pickCode("1725"));
        click(table, 1);
        QCOMPARE(fixture->prompter.count(ScriptedPrompter::Dialog), 1);
        QCOMPARE(fixture->prompter.shown.first().title, QStringLiteral("Katastrska obcina"));
        QCOMPARE(elaborat->attribute("KO"), QStringLiteral("1725 AJDOVŠČINA"));
        // The clicked elaborat became current, without losing the other's items.
        QCOMPARE(fixture->window().tree()->currentElaborat(), elaborat);
        QCOMPARE(other->font(0).weight(), QFont::Normal);

        // Cancelled: unchanged.
        click(table, 1);
        QCOMPARE(elaborat->attribute("KO"), QStringLiteral("1725 AJDOVŠČINA"));
    }

    void clickingTheOfficeOpensItsPicker()
    {
        elaborat->markUpToDate();
        fixture->prompter.dialogs.enqueue(pickCode("140"));
        click(table, 0);
        QCOMPARE(fixture->prompter.shown.first().title,
            QStringLiteral("Izpostava obmocne geodetske uprave"));
        QCOMPARE(elaborat->attribute("GEODETSKA_PISARNA"), QStringLiteral("140 Ljubljana"));
        QVERIFY(!elaborat->upToDate());
    }

    void theCalendarWritesThePickedDay()
    {
        const QDate today = QDate::currentDate();
        elaborat->setAttribute("DATUM_ZADNJE_SPREMEMBE", today.toString("dd.MM.yyyy"));
        QDate shown;
        fixture->prompter.dialogs.enqueue([&shown](QDialog *dialog) {
            auto *calendar = static_cast<DialogCalendar *>(dialog);
            shown = calendar->calendarWidget->selectedDate();
            calendar->calendarWidget->setSelectedDate(QDate(2021, 3, 4));
            return calendar->result();
        });
        click(table, 3);
        QCOMPARE(shown, today);
        QCOMPARE(elaborat->attribute("DATUM_ZADNJE_SPREMEMBE"), QStringLiteral("04.03.2021"));

        // Closed without a pick: the old value is written back.
        fixture->prompter.dialogs.enqueue([](QDialog *) { return int(QDialog::Rejected); });
        click(table, 3);
        QCOMPARE(elaborat->attribute("DATUM_ZADNJE_SPREMEMBE"), QStringLiteral("04.03.2021"));
        QCOMPARE(fixture->prompter.shown.last().detail, QStringLiteral("DialogCalendar"));
    }

    void theCalendarClosesOnlyOnAnotherDay()
    {
        DialogCalendar calendar;
        QCOMPARE(calendar.windowTitle(), QStringLiteral("Dialog"));
        QCOMPARE(calendar.calendarWidget->dateEditAcceptDelay(), 30000);
        QCOMPARE(calendar.calendarWidget->locale().language(), QLocale::Slovenian);
        calendar.setDate("12.05.2020");
        QCOMPARE(calendar.result(), int(QDialog::Rejected));
        QCOMPARE(calendar.calendarWidget->selectedDate(), QDate(2020, 5, 12));
        calendar.calendarWidget->setSelectedDate(QDate(2020, 5, 12));
        QCOMPARE(calendar.result(), int(QDialog::Rejected));
        calendar.calendarWidget->setSelectedDate(QDate(2020, 5, 13));
        QCOMPARE(calendar.result(), int(QDialog::Accepted));
        QCOMPARE(calendar.chosenDate(), QDate(2020, 5, 13));

        DialogCalendar empty;
        empty.setDate("jutri");
        QVERIFY(!empty.chosenDate().isValid());
    }

    void editingAFreeCellMarksTheElaboratModified()
    {
        elaborat->markUpToDate();
        table->item(2, 0)->setText("1/2021");
        QVERIFY(!elaborat->upToDate());
    }

    void selectingInTheTableMakesItsElaboratCurrent()
    {
        fixture->create({ElaboratFixture::Par});
        table->setCurrentCell(2, 0);
        QCOMPARE(fixture->window().tree()->currentElaborat(), elaborat);
    }

    void theOldTableLosesItsSelection()
    {
        table->setCurrentCell(2, 0);
        TTreeElaborat *other = fixture->create({ElaboratFixture::Par});
        QCOMPARE(fixture->window().tree()->currentElaborat(), other);
        QVERIFY(table->selectedItems().isEmpty());
        QVERIFY(!table->currentItem());
    }

    void proceduresAreAddedAndRemoved()
    {
        QStringList left;
        QStringList right;
        fixture->prompter.dialogs.enqueue([&](QDialog *dialog) {
            auto *procedures = static_cast<DodajOdstraniPostopekDlg *>(dialog);
            for (int row = 0; row < procedures->l_mozni->count(); ++row)
                left << procedures->l_mozni->item(row)->text();
            right = procedures->chosenNames();
            return choose({"Parcelacija", "Izravnava"}, {"Ureditev meje"})(dialog);
        });
        click(table, 4);
        QCOMPARE(left, QStringList({"Parcelacija", "Izravnava"}));
        QCOMPARE(right, QStringList({"Ureditev meje"}));
        QCOMPARE(elaborat->postopekNames(), QStringList({"Izravnava", "Parcelacija"}));
        QCOMPARE(elaborat->attribute("POSTOPKI"), QStringLiteral("Izravnava;Parcelacija"));
        // Removals come first, so "zapisniki" is made again from the added procedure.
        QVERIFY(!elaborat->findSestavinaByIme("skica"));
        QVERIFY(!elaborat->findSestavinaByIme("digitalni podatki"));
        QCOMPARE(elaborat->findSestavinaByIme("zapisniki")->sifra(), QStringLiteral("zp2"));
        QVERIFY(elaborat->findSestavinaByIme("izračuni"));
    }

    void onlyAdditionsStillRewriteTheProcedures()
    {
        fixture->prompter.dialogs.enqueue(choose({"Izravnava"}, {}));
        table->editProcedures();
        QCOMPARE(elaborat->attribute("POSTOPKI"), QStringLiteral("Ureditev meje;Izravnava"));
    }

    void aSharedComponentStays()
    {
        TTreeElaborat *both = fixture->create({ElaboratFixture::Par, ElaboratFixture::Izr});
        fixture->prompter.dialogs.enqueue(choose({}, {"Izravnava"}));
        both->tabela()->editProcedures();
        QCOMPARE(both->postopekNames(), QStringList {"Parcelacija"});
        QVERIFY(both->findSestavinaByIme("izračuni"));
    }

    void aComponentWithDocumentsRefusesTheRemoval()
    {
        auto *bookmark
            = new TTreeBookmark("112", "112 Skica", elaborat->findSestavinaByIme("skica"));
        new TTreeDokument(fixture->makePdf("s.pdf", 1), bookmark);
        fixture->prompter.dialogs.enqueue(choose({"Izravnava"}, {"Ureditev meje"}));
        table->editProcedures();
        QCOMPARE(fixture->prompter.messageTexts(), QStringList {"Sestavina skica ni prazna."});
        QCOMPARE(
            fixture->prompter.shown.last().title, QStringLiteral("Ne morem odstraniti postopka"));
        QCOMPARE(fixture->prompter.shown.last().icon, QMessageBox::Warning);
        QCOMPARE(elaborat->postopekNames(), QStringList({"Ureditev meje", "Izravnava"}));
        QVERIFY(elaborat->findSestavinaByIme("zapisniki"));
        QVERIFY(elaborat->findSestavinaByIme("digitalni podatki"));
        QCOMPARE(elaborat->attribute("POSTOPKI"), QStringLiteral("Ureditev meje;Izravnava"));
    }

    void removingEveryProcedureLeavesTheGeneralOne()
    {
        fixture->prompter.dialogs.enqueue(choose({}, {"Ureditev meje"}));
        table->editProcedures();
        QCOMPARE(elaborat->postopki().size(), 1);
        QCOMPARE(elaborat->postopki().first()->id, QStringLiteral("splosno"));
        QCOMPARE(elaborat->attribute("POSTOPKI"), QStringLiteral("Splošni postopek"));
        QCOMPARE(elaborat->sestavineItem()->childCount(), 0);

        // A building-cadastre elaborat takes its own cadastre's general procedure.
        TTreeElaborat *building = fixture->create({ElaboratFixture::Vs});
        fixture->prompter.dialogs.enqueue(choose({}, {"Vpis stavbe"}));
        building->tabela()->editProcedures();
        QCOMPARE(building->postopki().size(), 1);
        QCOMPARE(building->postopki().first(),
            fixture->window().katalog().procedure(ElaboratFixture::KsGeneral));
    }

    void theGeneralProcedureIsListedNowhereAndGoesWhenOthersAreChosen()
    {
        TTreeElaborat *general = fixture->create({ElaboratFixture::ZkGeneral});
        QStringList listed;
        fixture->prompter.dialogs.enqueue([&listed](QDialog *dialog) {
            auto *procedures = static_cast<DodajOdstraniPostopekDlg *>(dialog);
            for (int row = 0; row < procedures->l_mozni->count(); ++row)
                listed << procedures->l_mozni->item(row)->text();
            listed << procedures->chosenNames();
            return choose({"Parcelacija"}, {})(dialog);
        });
        general->tabela()->editProcedures();
        QCOMPARE(listed, QStringList({"Ureditev meje", "Parcelacija", "Izravnava"}));
        QCOMPARE(general->postopekNames(), QStringList {"Parcelacija"});
    }

    void aGeneralElaboratWithDocumentsOpensNoDialog()
    {
        TTreeElaborat *general = fixture->create({ElaboratFixture::ZkGeneral});
        new TTreeDokument(fixture->makePdf("g.pdf", 1), general->sestavineItem());
        click(general->tabela(), 4);
        QCOMPARE(fixture->prompter.count(ScriptedPrompter::Dialog), 0);
    }

    void aBuildingElaboratIsOfferedBuildingProcedures()
    {
        TTreeElaborat *building = fixture->create({ElaboratFixture::Vs});
        QStringList listed;
        fixture->prompter.dialogs.enqueue([&listed](QDialog *dialog) {
            listed = static_cast<DodajOdstraniPostopekDlg *>(dialog)->chosenNames();
            return choose({"Sprememba stavbe"}, {})(dialog);
        });
        building->tabela()->editProcedures();
        QCOMPARE(listed, QStringList {"Vpis stavbe"});
        QCOMPARE(building->postopki().last(),
            fixture->window().katalog().procedure(ElaboratFixture::Ss));
        QCOMPARE(building->attribute("POSTOPKI"), QStringLiteral("Vpis stavbe;Sprememba stavbe"));
    }

    void aNameOfBothCadastresMeansTheElaboratsOwnKind()
    {
        fixture.reset();
        fixture = std::make_unique<ElaboratFixture>();
        QByteArray ks = ElaboratFixture::ksCatalogue;
        ks.replace("</katalog>",
            "<postopek id=\"KPAR\" ime=\"Parcelacija\"><sestavina ime=\"k-komp\"/></postopek>"
            "</katalog>");
        fixture->writeConfig("ks.xml", ks);
        fixture->start();
        const int buildingParcelacija = ElaboratFixture::Ss + 1;
        TTreeElaborat *building = fixture->create({ElaboratFixture::Vs});
        fixture->prompter.dialogs.enqueue(choose({"Parcelacija"}, {}));
        building->tabela()->editProcedures();
        QCOMPARE(building->postopki().last(),
            fixture->window().katalog().procedure(buildingParcelacija));
        QVERIFY(building->findSestavinaByIme("k-komp"));
        QVERIFY(!building->findSestavinaByIme("zapisniki"));

        fixture->prompter.dialogs.enqueue(choose({}, {"Parcelacija"}));
        building->tabela()->editProcedures();
        QCOMPARE(building->postopekNames(), QStringList {"Vpis stavbe"});
        QVERIFY(!building->findSestavinaByIme("k-komp"));
    }

    void proceduresAreFoundByTheirRowLabel()
    {
        fixture.reset();
        fixture = std::make_unique<ElaboratFixture>();
        QByteArray zk = ElaboratFixture::zkCatalogue;
        zk.replace("ime=\"POSTOPKI\"", "ime=\"Postopki\"");
        fixture->writeConfig("zk.xml", zk);
        fixture->start();
        TTreeElaborat *unlabelled = fixture->create({ElaboratFixture::Um, ElaboratFixture::Par});
        QCOMPARE(unlabelled->attribute("POSTOPKI"), QString());
        unlabelled->markUpToDate();
        fixture->prompter.dialogs.enqueue(choose({"Izravnava"}, {}));
        unlabelled->tabela()->editProcedures();
        QCOMPARE(unlabelled->attribute("POSTOPKI"), QString());
        QCOMPARE(unlabelled->postopekNames().size(), 3);
        // No cell changed, yet the elaborat did.
        QVERIFY(!unlabelled->upToDate());

        unlabelled->markUpToDate();
        fixture->prompter.dialogs.enqueue(choose({}, {"Ureditev meje"}));
        unlabelled->tabela()->editProcedures();
        QVERIFY(!unlabelled->findSestavinaByIme("skica"));
        QVERIFY(!unlabelled->upToDate());

        unlabelled->markUpToDate();
        fixture->prompter.dialogs.enqueue(choose({}, {}));
        unlabelled->tabela()->editProcedures();
        QVERIFY(unlabelled->upToDate());
    }

    void cancelChangesNothing()
    {
        table->editProcedures();
        QCOMPARE(elaborat->postopekNames(), QStringList {"Ureditev meje"});
        QCOMPARE(elaborat->attribute("POSTOPKI"), QStringLiteral("Ureditev meje"));
    }
};

QTEST_MAIN(TabelaAtributovTest)
#include "tabelaatributovtest.moc"
