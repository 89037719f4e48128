#include "dialogs/novpostopekdlg.h"
#include "elaboratfixture.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <memory>

// The new-elaborat dialog on the fixture's catalogues, clicked like a user would.
class NovPostopekDlgTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;
    std::unique_ptr<NovPostopekDlg> dialog;

    void open(int tab)
    {
        dialog = std::make_unique<NovPostopekDlg>(fixture->window().katalog().postopki(), tab);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }

    static void click(QListWidget *list, int row)
    {
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    bool okEnabled() const { return dialog->buttonBox->button(QDialogButtonBox::Ok)->isEnabled(); }

    static QStringList texts(const QListWidget *list)
    {
        QStringList all;
        for (int row = 0; row < list->count(); ++row)
            all << list->item(row)->text();
        return all;
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
    }

    void cleanup()
    {
        dialog.reset();
        fixture.reset();
    }

    void listsEachCadastreOnItsTab()
    {
        open(1);
        QCOMPARE(
            dialog->windowTitle(), QStringLiteral("Izberite vsaj en postopek novega elaborata"));
        QCOMPARE(dialog->tabWidget->tabText(0), QStringLiteral("Zemljiški kataster"));
        QCOMPARE(dialog->tabWidget->tabText(1), QStringLiteral("Kataster stavb"));
        QCOMPARE(dialog->tabWidget->currentIndex(), 1);
        QCOMPARE(texts(dialog->listWidget),
            QStringList({"Splošni postopek", "Ureditev meje", "Parcelacija", "Izravnava"}));
        QCOMPARE(texts(dialog->listWidget_2),
            QStringList({"Splošni postopek", "Vpis stavbe", "Sprememba stavbe"}));
        QCOMPARE(
            dialog->listWidget_2->item(2)->data(Qt::UserRole).toInt(), int(ElaboratFixture::Ss));
        QCOMPARE(dialog->listWidget->selectionMode(), QAbstractItemView::MultiSelection);
        QVERIFY(!okEnabled());
    }

    void okNeedsASelectionOnTheCurrentTab()
    {
        open(0);
        click(dialog->listWidget, 1);
        QVERIFY(okEnabled());
        dialog->tabWidget->setCurrentIndex(1);
        QVERIFY(!okEnabled());
        QVERIFY(dialog->selectedIndices().isEmpty());
        click(dialog->listWidget_2, 1);
        QVERIFY(okEnabled());
        QCOMPARE(dialog->selectedIndices(), QList<int> {ElaboratFixture::Vs});
        click(dialog->listWidget_2, 1);
        QVERIFY(!okEnabled());
    }

    void selectedEntriesComeInCatalogueOrder()
    {
        open(0);
        click(dialog->listWidget, 3);
        click(dialog->listWidget, 1);
        click(dialog->listWidget, 2);
        QCOMPARE(dialog->selectedIndices(),
            QList<int>({ElaboratFixture::Um, ElaboratFixture::Par, ElaboratFixture::Izr}));
    }

    void theGeneralProcedureGreysTheOthers()
    {
        open(0);
        click(dialog->listWidget, 2);
        click(dialog->listWidget, 0);
        for (int row : {1, 2, 3}) {
            const Qt::ItemFlags flags = dialog->listWidget->item(row)->flags();
            QVERIFY(!(flags & Qt::ItemIsEnabled) && !(flags & Qt::ItemIsSelectable));
        }
        // Greyed entries cannot be toggled; one chosen before stays chosen.
        click(dialog->listWidget, 3);
        QCOMPARE(dialog->selectedIndices(),
            QList<int>({ElaboratFixture::ZkGeneral, ElaboratFixture::Par}));
        // The other tab is not touched.
        QVERIFY(dialog->listWidget_2->item(1)->flags() & Qt::ItemIsEnabled);

        click(dialog->listWidget, 0);
        for (int row : {1, 2, 3})
            QVERIFY(dialog->listWidget->item(row)->flags() & Qt::ItemIsEnabled);
        click(dialog->listWidget, 3);
        QCOMPARE(
            dialog->selectedIndices(), QList<int>({ElaboratFixture::Par, ElaboratFixture::Izr}));
    }

    void anEmptyCatalogueGivesAnEmptyTab()
    {
        fixture.reset();
        fixture = std::make_unique<ElaboratFixture>();
        fixture->writeConfig("ks.xml", "<katalog/>");
        fixture->start();
        open(1);
        QCOMPARE(dialog->listWidget_2->count(), 0);
        QVERIFY(!okEnabled());
        QCOMPARE(dialog->listWidget->count(), 4);
    }
};

QTEST_MAIN(NovPostopekDlgTest)
#include "novpostopekdlgtest.moc"
