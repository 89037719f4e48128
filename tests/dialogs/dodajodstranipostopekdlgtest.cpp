#include "dialogs/dodajodstranipostopekdlg.h"
#include "elaboratfixture.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

// The two lists of the procedures dialog and the buttons between them.
class DodajOdstraniPostopekDlgTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;
    std::unique_ptr<DodajOdstraniPostopekDlg> dialog;

    static QStringList texts(const QListWidget *list)
    {
        QStringList all;
        for (int row = 0; row < list->count(); ++row)
            all << list->item(row)->text();
        return all;
    }

    const PostopekDef *procedure(int index) const
    {
        return fixture->window().katalog().procedure(index);
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        dialog = std::make_unique<DodajOdstraniPostopekDlg>();
    }

    void cleanup()
    {
        dialog.reset();
        fixture.reset();
    }

    void form()
    {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Dodajanje postopka v elaborat"));
        QCOMPARE(
            dialog->label->text(), QStringLiteral("V elaborat lahko dodate naslednje postopke:"));
        QCOMPARE(dialog->label_2->text(), QStringLiteral("Postopki v elaboratu:"));
        QCOMPARE(dialog->b_1_l2d->text(), QStringLiteral(">"));
        QCOMPARE(dialog->b_1_d2l->text(), QStringLiteral("<"));
        QVERIFY(dialog->buttonBox->centerButtons());
    }

    void fillSkipsTheGeneralProcedureAndKeepsCatalogueOrder()
    {
        const QList<const PostopekDef *> zk
            = fixture->window().katalog().proceduresOfKind(Kataster::ZK);
        // A procedure of the elaborat that is no candidate is not listed.
        dialog->fill({procedure(ElaboratFixture::Izr), procedure(ElaboratFixture::ZkGeneral),
                         procedure(ElaboratFixture::Vs), procedure(ElaboratFixture::Um)},
            zk);
        QCOMPARE(texts(dialog->l_mozni), QStringList {"Parcelacija"});
        QCOMPARE(texts(dialog->l_dodani), QStringList({"Ureditev meje", "Izravnava"}));
        QCOMPARE(dialog->chosenNames(), QStringList({"Ureditev meje", "Izravnava"}));
    }

    void movingTakesTheSelectionFromItsLastEntry()
    {
        dialog->fill({}, fixture->window().katalog().proceduresOfKind(Kataster::ZK));
        dialog->l_mozni->item(2)->setSelected(true);
        dialog->l_mozni->item(0)->setSelected(true);
        dialog->b_1_l2d->click();
        QCOMPARE(texts(dialog->l_mozni), QStringList {"Parcelacija"});
        QCOMPARE(dialog->chosenNames(), QStringList({"Ureditev meje", "Izravnava"}));

        dialog->l_dodani->item(1)->setSelected(true);
        dialog->b_1_d2l->click();
        QCOMPARE(texts(dialog->l_mozni), QStringList({"Parcelacija", "Izravnava"}));
        QCOMPARE(dialog->chosenNames(), QStringList {"Ureditev meje"});
        dialog->b_1_d2l->click();
        QCOMPARE(dialog->chosenNames(), QStringList {"Ureditev meje"});
    }
};

QTEST_MAIN(DodajOdstraniPostopekDlgTest)
#include "dodajodstranipostopekdlgtest.moc"
