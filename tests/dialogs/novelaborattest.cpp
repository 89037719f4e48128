#include "dialogs/novpostopekdlg.h"
#include "elaboratfixture.h"
#include "model/tabelaatributov.h"
#include "model/ttreeelaborat.h"
#include "model/ttreewidget.h"

#include <QAction>
#include <QDate>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <memory>

// The main window's "Nov..." action: the dialog, the new elaborat and its first attributes.
class NovElaboratTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;

    // Selects rows of a tab's list and presses Ok; records the tab the dialog opened on.
    std::function<int(QDialog *)> choose(int tab, const QList<int> &rows, int *openedOn = nullptr)
    {
        return [tab, rows, openedOn](QDialog *dialog) {
            auto *procedures = static_cast<NovPostopekDlg *>(dialog);
            if (openedOn)
                *openedOn = procedures->tabWidget->currentIndex();
            procedures->tabWidget->setCurrentIndex(tab);
            QListWidget *list = tab == 1 ? procedures->listWidget_2 : procedures->listWidget;
            for (int row : rows)
                list->item(row)->setSelected(true);
            procedures->buttonBox->button(QDialogButtonBox::Ok)->click();
            return procedures->result();
        };
    }

    TTreeElaborat *current() const { return fixture->window().tree()->currentElaborat(); }

    void startWith(const QByteArray &settings)
    {
        fixture->writeConfig("tev.ini", settings);
        fixture->start();
    }

    static QString today() { return QDate::currentDate().toString("dd.MM.yyyy"); }

private slots:
    void init() { fixture = std::make_unique<ElaboratFixture>(); }
    void cleanup() { fixture.reset(); }

    void withDefaultsTheNewElaboratGetsOfficeAndMunicipality()
    {
        startWith("[Nastavitve]\ngp=140\ngpUser=true\nko=1725\nupostevajPrivzeto=true\n");
        fixture->prompter.dialogs.enqueue(choose(0, {2, 1}));
        fixture->window().actionNov->trigger();
        QCOMPARE(fixture->prompter.shown.first().title,
            QStringLiteral("Izberite vsaj en postopek novega elaborata"));
        TTreeElaborat *elaborat = current();
        QVERIFY(elaborat);
        QCOMPARE(elaborat->postopekNames(), QStringList({"Ureditev meje", "Parcelacija"}));
        QCOMPARE(elaborat->attribute("KO"), QStringLiteral("1725 AJDOVŠČINA"));
        QCOMPARE(elaborat->attribute("GEODETSKA_PISARNA"), QStringLiteral("140 Ljubljana"));
        QCOMPARE(elaborat->attribute("DATUM_ZADNJE_SPREMEMBE"), today());
        QCOMPARE(elaborat->attribute("POSTOPKI"), QStringLiteral("Ureditev meje; Parcelacija"));
        QVERIFY(fixture->window().actionPDF->isEnabled());
    }

    void withoutDefaultsOnlyTheDateIsSet()
    {
        startWith("[Nastavitve]\ngp=140\ngpUser=true\nko=1725\nupostevajPrivzeto=false\n");
        fixture->prompter.dialogs.enqueue(choose(0, {3}));
        fixture->window().actionNov->trigger();
        QCOMPARE(current()->attribute("KO"), QString());
        QCOMPARE(current()->attribute("GEODETSKA_PISARNA"), QString());
        QCOMPARE(current()->attribute("DATUM_ZADNJE_SPREMEMBE"), today());
    }

    void anUnlistedDefaultCodeKeepsItsBlank()
    {
        startWith("[Nastavitve]\ngp=140\ngpUser=true\nko=9999\nupostevajPrivzeto=true\n");
        fixture->prompter.dialogs.enqueue(choose(0, {1}));
        fixture->window().actionNov->trigger();
        QCOMPARE(current()->attribute("KO"), QStringLiteral("9999 "));
    }

    void theLastKindOpensTheNextDialogAlsoAfterARestart()
    {
        startWith("[Nastavitve]\ngp=140\ngpUser=true\n");
        int openedOn = -1;
        fixture->prompter.dialogs.enqueue(choose(1, {1}, &openedOn));
        fixture->window().actionNov->trigger();
        QCOMPARE(openedOn, 0);
        QVERIFY(current()->isKs());
        QCOMPARE(current()->tabela()->rowCount(), 3);
        QCOMPARE(current()->attribute("DATUM_ZADNJE_SPREMEMBE"), QString());

        fixture->prompter.dialogs.enqueue(choose(1, {2}, &openedOn));
        fixture->window().actionNov->trigger();
        QCOMPARE(openedOn, 1);

        current()->markUpToDate();
        fixture->window().tree()->setCurrentElaborat(
            TTreeElaborat::cast(fixture->window().tree()->topLevelItem(0)), false);
        current()->markUpToDate();
        QVERIFY(fixture->window().close());
        QVERIFY(fixture->folder.read("config/tev.ini").contains("isks=true"));
        fixture->restart();
        fixture->prompter.dialogs.enqueue(choose(0, {1}, &openedOn));
        fixture->window().actionNov->trigger();
        QCOMPARE(openedOn, 1);
    }

    void cancelMakesNothing()
    {
        startWith("[Nastavitve]\ngp=140\ngpUser=true\n");
        fixture->window().actionNov->trigger();
        QCOMPARE(fixture->prompter.count(ScriptedPrompter::Dialog), 1);
        QCOMPARE(fixture->window().tree()->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(NovElaboratTest)
#include "novelaborattest.moc"
