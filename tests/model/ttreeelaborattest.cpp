#include "model/ttreeelaborat.h"
#include "elaboratfixture.h"
#include "model/tabelaatributov.h"
#include "model/ttreebookmark.h"
#include "model/ttreedigitalnipodatek.h"
#include "model/ttreedokument.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <memory>

// Building elaborates from the catalogue, their lookups, attributes and state, in a real view.
class TTreeElaboratTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;

    static QStringList childTexts(const QTreeWidgetItem *item)
    {
        QStringList texts;
        for (int i = 0; i < item->childCount(); ++i)
            texts << item->child(i)->text(0);
        return texts;
    }

    static QColor foreground(const QTreeWidgetItem *item) { return item->foreground(0).color(); }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
    }

    void cleanup() { fixture.reset(); }

    void buildsTheNodesTheTableAndTheComponents()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        QVERIFY(elaborat);
        TTreeWidget *tree = fixture->window().tree();
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(tree->currentElaborat(), elaborat);
        QCOMPARE(elaborat->font(0).weight(), QFont::Bold);
        QCOMPARE(elaborat->text(0), elaborat->stamp());
        QVERIFY(
            QRegularExpression(QStringLiteral("^\\d{14}$")).match(elaborat->stamp()).hasMatch());
        QCOMPARE(elaborat->workDir(), fixture->window().tempFolder() + "/" + elaborat->stamp());
        QVERIFY(QFileInfo(elaborat->workDir()).isDir());
        QVERIFY(!(elaborat->flags() & (Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled)));
        QVERIFY(!elaborat->upToDate());

        QCOMPARE(childTexts(elaborat), QStringList({"atributi", "sestavine"}));
        QTreeWidgetItem *atributi = elaborat->atributiItem();
        QCOMPARE(atributi->data(0, Qt::UserRole).toString(), QStringLiteral("nomenu"));
        QCOMPARE(atributi->childCount(), 1);
        QTreeWidgetItem *row = atributi->child(0);
        QCOMPARE(row->data(0, Qt::UserRole).toString(), QStringLiteral("nomenu"));
        QVERIFY(!(row->flags() & Qt::ItemIsSelectable));
        QCOMPARE(tree->itemWidget(row, 0), elaborat->tabela());
        QVERIFY(atributi->isExpanded() && elaborat->sestavineItem()->isExpanded()
            && elaborat->isExpanded());

        TabelaAtributov *table = elaborat->tabela();
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(table->idOfRow(3), QStringLiteral("DATUM_ZADNJE_SPREMEMBE"));
        QCOMPARE(table->labelOfRow(3), QStringLiteral("DATUM ZADNJE SPREMEMBE"));
        QCOMPARE(elaborat->attribute("POSTOPKI"), QStringLiteral("Ureditev meje"));
        QCOMPARE(table->height(), table->rowHeight(0) * 5 + 4);
        QCOMPARE(childTexts(elaborat->sestavineItem()),
            QStringList({"skica", "zapisniki", "digitalni podatki"}));
        QCOMPARE(elaborat->postopekNames(), QStringList {"Ureditev meje"});
        QVERIFY(!elaborat->isKs());
    }

    void aComponentOfTwoProceduresIsMadeOnceFromTheFirst()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um, ElaboratFixture::Par});
        QCOMPARE(childTexts(elaborat->sestavineItem()),
            QStringList({"skica", "zapisniki", "digitalni podatki", "izračuni"}));
        TTreeSestavina *zapisniki = elaborat->findSestavinaByIme("zapisniki");
        QCOMPARE(zapisniki->sifra(), QStringLiteral("zp"));
        QCOMPARE(zapisniki->atributi().value("izpolni"), QStringLiteral("izvajalec"));
        QCOMPARE(elaborat->attribute("POSTOPKI"), QStringLiteral("Ureditev meje; Parcelacija"));
        QCOMPARE(elaborat->postopekNames(), QStringList({"Ureditev meje", "Parcelacija"}));
        QVERIFY(elaborat->hasPostopek("PAR"));
        QVERIFY(!elaborat->hasPostopek("par"));
    }

    void componentsShowTheCatalogue_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("dropTarget");
        QTest::addColumn<QString>("code");
        QTest::newRow("office, mandatory") << "skica" << QColor(0, 0, 247) << false << true << "sk";
        QTest::newRow("contractor, no obvezno")
            << "zapisniki" << QColor(0, 152, 0) << true << true << "zp";
        QTest::newRow("digital data")
            << "digitalni podatki" << QColor(0, 152, 0) << false << false << "dp";
        QTest::newRow("obvezno ne") << "izračuni" << QColor(0, 152, 0) << true << true << "iz";
    }

    void componentsShowTheCatalogue()
    {
        QFETCH(QString, name);
        QFETCH(QColor, color);
        QFETCH(bool, italic);
        QFETCH(bool, dropTarget);
        QFETCH(QString, code);
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um, ElaboratFixture::Par});
        const TTreeSestavina *component = elaborat->findSestavinaByIme(name);
        QVERIFY(component);
        QCOMPARE(foreground(component), color);
        QCOMPARE(component->font(0).italic(), italic);
        QCOMPARE(bool(component->flags() & Qt::ItemIsDropEnabled), dropTarget);
        QVERIFY(!(component->flags() & Qt::ItemIsDragEnabled));
        QCOMPARE(component->data(0, Qt::UserRole).toString(), code);
        QCOMPARE(elaborat->findSestavinaBySifra(code), component);
    }

    void componentKeepsEveryCatalogueAttribute()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        QCOMPARE(elaborat->findSestavinaByIme("skica")->atributi().value("opis"),
            QStringLiteral("prosto"));
    }

    void headerColoursFollowTheOverride()
    {
        TTreeElaborat *own = fixture->create({ElaboratFixture::Um});
        const TabelaAtributov *table = own->tabela();
        QCOMPARE(table->verticalHeaderItem(0)->foreground().color(), QColor(0, 0, 247));
        QCOMPARE(table->verticalHeaderItem(1)->foreground().color(), QColor(0, 152, 0));
        QCOMPARE(table->verticalHeaderItem(2)->foreground().style(), Qt::NoBrush);

        // The general procedure makes the office fill in every attribute.
        TTreeElaborat *general = fixture->create({ElaboratFixture::ZkGeneral});
        QCOMPARE(general->izpolniOverride(), QStringLiteral("gp"));
        for (int row = 0; row < general->tabela()->rowCount(); ++row)
            QCOMPARE(general->tabela()->verticalHeaderItem(row)->foreground().color(),
                QColor(0, 0, 247));
        // An override that arrives later does not recolour the rows.
        own->addPostopek(fixture->window().katalog().procedure(ElaboratFixture::ZkGeneral));
        QCOMPARE(own->izpolniOverride(), QStringLiteral("gp"));
        QCOMPARE(table->verticalHeaderItem(1)->foreground().color(), QColor(0, 152, 0));
    }

    void pickedValuesCannotBeTypedIn()
    {
        const TabelaAtributov *table = fixture->create({ElaboratFixture::Um})->tabela();
        for (int row : {0, 1, 3, 4})
            QCOMPARE(table->item(row, 0)->flags(), Qt::ItemFlags(Qt::ItemIsEditable));
        QVERIFY(table->item(2, 0)->flags() & Qt::ItemIsEnabled);
        QCOMPARE(table->editTriggers(), QAbstractItemView::AllEditTriggers);
    }

    void eachElaboratHasItsOwnScratchFolder()
    {
        TTreeElaborat *first = fixture->create({ElaboratFixture::Um});
        TTreeElaborat *second = fixture->create({ElaboratFixture::Par});
        QVERIFY(first->stamp() != second->stamp());
        QVERIFY(QFileInfo(second->workDir()).isDir());
        QCOMPARE(fixture->window().tree()->currentElaborat(), second);
        QCOMPARE(first->font(0).weight(), QFont::Normal);
        QCOMPARE(second->font(0).weight(), QFont::Bold);
    }

    void nothingForNoProcedures()
    {
        QVERIFY(!fixture->window().createElaborat({}, false, false));
        QCOMPARE(fixture->window().tree()->topLevelItemCount(), 0);
    }

    void kindAndAttributeRows()
    {
        MainWindow &window = fixture->window();
        TTreeElaborat *ks = window.createElaborat({ElaboratFixture::Vs}, true, false);
        QVERIFY(ks->isKs());
        QCOMPARE(ks->tabela()->rowCount(), 3);
        // Land-cadastre rows for a building-cadastre procedure, and the forced kind.
        TTreeElaborat *mixed = window.createElaborat({ElaboratFixture::Vs}, false, false);
        QVERIFY(mixed->isKs());
        QCOMPARE(mixed->tabela()->rowCount(), 5);
        TTreeElaborat *forced = window.createElaborat({ElaboratFixture::Vs}, false, true);
        QVERIFY(!forced->isKs());
    }

    void attributesByIdAndUnknownKeys()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        elaborat->setAttribute("IDPOS", "123");
        QCOMPARE(elaborat->attribute("IDPOS"), QStringLiteral("123"));
        elaborat->setAttribute("NI", "x");
        QCOMPARE(elaborat->attribute("NI"), QString());
        QCOMPARE(elaborat->tabela()->rowOfLabel("ZAP. ST."), -1);
    }

    void attributeCommitsAnOpenEditor()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TabelaAtributov *table = elaborat->tabela();
        table->setCurrentCell(2, 0);
        table->editItem(table->item(2, 0));
        auto *editor = qobject_cast<QLineEdit *>(table->indexWidget(table->model()->index(2, 0)));
        QVERIFY(editor);
        editor->setText("4711");
        QCOMPARE(elaborat->attribute("IDPOS"), QStringLiteral("4711"));
        QVERIFY(!table->indexWidget(table->model()->index(2, 0)));
    }

    void pdfPathNamesTheRoot()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        elaborat->setPdfPath("/e/1725_123.1.pdf", true);
        QCOMPARE(elaborat->text(0), QStringLiteral("1725_123"));
        elaborat->setPdfPath("/e/drugi.pdf", false);
        QCOMPARE(elaborat->text(0), QStringLiteral("1725_123"));
        QCOMPARE(elaborat->previousPdfPath(), QStringLiteral("/e/1725_123.1.pdf"));
        elaborat->revertPdfPath();
        QCOMPARE(elaborat->pdfPath(), QStringLiteral("/e/1725_123.1.pdf"));
        QCOMPARE(elaborat->previousPdfPath(), QStringLiteral("/e/drugi.pdf"));
    }

    void actionsFollowTheMark()
    {
        MainWindow &window = fixture->window();
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        QVERIFY(window.actionPDF->isEnabled());
        QVERIFY(!window.actionZIP->isEnabled());
        QVERIFY(!window.actionArhiviraj->isEnabled());
        QVERIFY(window.actionPreveri->isEnabled() && window.actionZapri->isEnabled());

        elaborat->markUpToDate();
        QVERIFY(!window.actionPDF->isEnabled());
        QVERIFY(window.actionZIP->isEnabled() && window.actionArhiviraj->isEnabled());

        // Any edit of a free-text cell makes the PDF wanted again.
        elaborat->tabela()->item(2, 0)->setText("1");
        QVERIFY(!elaborat->upToDate());
        QVERIFY(window.actionPDF->isEnabled());
        QVERIFY(!window.actionZIP->isEnabled());
    }

    void actionsFollowTheCurrentElaborat()
    {
        MainWindow &window = fixture->window();
        TTreeElaborat *first = fixture->create({ElaboratFixture::Um});
        first->markUpToDate();
        TTreeElaborat *second = fixture->create({ElaboratFixture::Par});
        QVERIFY(window.actionPDF->isEnabled());
        window.tree()->setCurrentElaborat(first, false);
        QVERIFY(window.actionZIP->isEnabled());
        QVERIFY(!window.actionPDF->isEnabled());
        // Selecting an item makes its elaborat current.
        second->sestavineItem()->child(0)->setSelected(true);
        QCOMPARE(window.tree()->currentElaborat(), second);
        QVERIFY(window.actionPDF->isEnabled());
    }

    void deletingTheCurrentElaboratLeavesNone()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        delete elaborat;
        QCOMPARE(fixture->window().tree()->currentElaborat(), nullptr);
        fixture->window().updateActions();
        QVERIFY(!fixture->window().actionPDF->isEnabled());
    }

    void closingNamesTheLastModifiedElaborat()
    {
        MainWindow &window = fixture->window();
        TTreeElaborat *first = fixture->create({ElaboratFixture::Um});
        first->setPdfPath("/e/prvi.pdf", true);
        TTreeElaborat *second = fixture->create({ElaboratFixture::Par});
        second->setPdfPath("/e/drugi.pdf", true);
        fixture->create({ElaboratFixture::Izr})->markUpToDate();
        fixture->prompter.buttons.enqueue(QMessageBox::No);
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QCOMPARE(fixture->prompter.shown.size(), 1);
        const ScriptedPrompter::Shown question = fixture->prompter.shown.first();
        QCOMPARE(question.text,
            QStringLiteral("Elaborat 'drugi' je bil spremenjen. Ce zapustite urejevalnik, "
                           "spremembe ne bodo shranjene. Ali zelite zapustiti urejevalnik?"));
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question.defaultButton, QMessageBox::No);
        QVERIFY(QFileInfo::exists(window.tempFolder()));

        fixture->prompter.buttons.enqueue(QMessageBox::Yes);
        QVERIFY(window.close());
        QVERIFY(!QFileInfo::exists(window.tempFolder()));
    }

    void closingWithUpToDateElaboratesAsksNothing()
    {
        fixture->create({ElaboratFixture::Um})->markUpToDate();
        QVERIFY(fixture->window().confirmClose());
        QVERIFY(fixture->prompter.shown.isEmpty());
    }

    void savingFillsTheEmptyDefaultsFromTheCurrentElaborat()
    {
        fixture.reset();
        fixture = std::make_unique<ElaboratFixture>();
        fixture->writeConfig("tev.ini", "[Nastavitve]\nsifraIzvajalca=77\ngpUser=false\n");
        MainWindow &window = fixture->start();
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        elaborat->setAttribute("GEODETSKA_PISARNA", "140 Ljubljana");
        elaborat->setAttribute("KO", "1725 AJDOVŠČINA");
        fixture->prompter.buttons.enqueue(QMessageBox::Yes);
        QVERIFY(window.close());
        const QByteArray ini = fixture->folder.read("config/tev.ini");
        QVERIFY2(ini.contains("\ngp=140\n"), ini.constData());
        QVERIFY2(ini.contains("\nko=1725\n"), ini.constData());
    }

    void walksStopAtTheNextElaborat()
    {
        TTreeElaborat *first = fixture->create({ElaboratFixture::Um});
        const QString pdf = fixture->makePdf("a.pdf", 2);
        auto *bookmark = new TTreeBookmark("112", "112 Skica", first->findSestavinaByIme("skica"));
        auto *one = new TTreeDokument(pdf, bookmark);
        auto *subtitle = new TTreePodnaslov(bookmark);
        auto *two = new TTreeDokument(pdf, subtitle, 1);
        auto *three = new TTreeDokument(pdf, first->findSestavinaByIme("zapisniki"));
        new TTreeDigitalniPodatek("/d/meje.dxf", first->findSestavinaByIme("digitalni podatki"));
        TTreeElaborat *second = fixture->create({ElaboratFixture::Um});
        new TTreeDokument(pdf, second->findSestavinaByIme("skica"));
        new TTreeDigitalniPodatek("/d/drugo.dxf", second->findSestavinaByIme("digitalni podatki"));

        QCOMPARE(first->documentCount(), 3);
        QCOMPARE(first->documents(), QList<TTreeDokument *>({one, two, three}));
        QCOMPARE(first->digitalDataFiles(), QStringList {"/d/meje.dxf"});
        QCOMPARE(second->documentCount(), 1);
        QCOMPARE(TTreeWidget::elaboratOf(two), first);
        QCOMPARE(two->elaborat(), first);
    }

    void snapshotCopiesTheTree()
    {
        MainWindow &window = fixture->window();
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um, ElaboratFixture::Par});
        elaborat->setAttribute("KO", "1725 AJDOVŠČINA");
        elaborat->setPdfPath("/e/1725.pdf", true);
        const QString pdf = fixture->makePdf("Skica.pdf", 3);
        auto *bookmark
            = new TTreeBookmark("112", "112 Skica", elaborat->findSestavinaByIme("skica"));
        auto *whole = new TTreeDokument(pdf, bookmark, 0, 1);
        whole->setTagText("tag");
        auto *subtitle = new TTreePodnaslov(bookmark);
        new TTreeDokument(pdf, subtitle, 2, 3);
        new TTreeDigitalniPodatek("/d/meje.dxf", elaborat->findSestavinaByIme("digitalni podatki"));

        const ElaboratSnapshot snapshot = elaborat->snapshot();
        QVERIFY(!snapshot.isKs);
        QCOMPARE(snapshot.procedureIds, QStringList({"UM", "PAR"}));
        QCOMPARE(snapshot.procedureNames, QStringList({"Ureditev meje", "Parcelacija"}));
        QCOMPARE(snapshot.attributes.size(), 5);
        QCOMPARE(snapshot.attributes.at(1).id, QStringLiteral("KO"));
        QCOMPARE(snapshot.attributes.at(3).label, QStringLiteral("DATUM ZADNJE SPREMEMBE"));
        QCOMPARE(attributeValue(snapshot, "KO"), QStringLiteral("1725 AJDOVŠČINA"));
        QCOMPARE(
            attributeValue(snapshot, "POSTOPKI"), QStringLiteral("Ureditev meje; Parcelacija"));
        QCOMPARE(snapshot.pdfPath, QStringLiteral("/e/1725.pdf"));
        QCOMPARE(snapshot.workDir, elaborat->workDir());
        QVERIFY(snapshot.officeUser);
        QCOMPARE(snapshot.version, QStringLiteral("2.4.5"));
        QVERIFY(!snapshot.userName.isEmpty());

        QStringList walk;
        for (const SnapshotItem &item : snapshot.items)
            walk << QStringLiteral("%1:%2:%3").arg(int(item.kind)).arg(item.parent).arg(item.text);
        QCOMPARE(walk,
            QStringList({"6:-1:atributi", "6:0:", "0:-1:sestavine", "1:2:skica", "2:3:112 Skica",
                "3:4:skica.pdf", "4:4:--nov podnaslov--", "3:6:skica.pdf/str. 2", "1:2:zapisniki",
                "1:2:digitalni podatki", "5:9:meje.dxf", "1:2:izračuni"}));
        const SnapshotItem &component = snapshot.items.at(3);
        QCOMPARE(component.code, QStringLiteral("sk"));
        QVERIFY(component.hasBookmarkDefault);
        QCOMPARE(component.bookmarkDefault, QStringLiteral("112"));
        QVERIFY(!snapshot.items.at(8).hasBookmarkDefault);
        QCOMPARE(snapshot.items.at(4).code, QStringLiteral("112"));
        const SnapshotItem &document = snapshot.items.at(5);
        QCOMPARE(document.filePath, pdf);
        QCOMPARE(document.page, 0);
        QCOMPARE(document.pageCount, 3);
        QCOMPARE(document.rotation, 1);
        QCOMPARE(document.tagLabel, QStringLiteral("tag"));
        QCOMPARE(snapshot.items.at(7).page, 2);
        QCOMPARE(snapshot.items.at(7).rotation, 3);
        QCOMPARE(snapshot.items.at(10).filePath, QStringLiteral("/d/meje.dxf"));
        QCOMPARE(enclosingBookmark(snapshot, 7), 4);
        QCOMPARE(findComponentByCode(snapshot, "dp"), 9);
        Q_UNUSED(window);
    }
};

QTEST_MAIN(TTreeElaboratTest)
#include "ttreeelaborattest.moc"
