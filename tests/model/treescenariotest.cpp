#include "dialogs/novpostopekdlg.h"
#include "elaboratfixture.h"
#include "intake/sifrantdlg.h"
#include "model/treemenus.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "treeactions.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <memory>

using TreeActions::childrenOf;

using namespace TreeMenus;

namespace {
// Picks the land cadastre's "Ureditev meje" in the new-elaborat dialog.
int chooseBoundaryProcedure(QDialog *dialog)
{
    auto *procedures = static_cast<NovPostopekDlg *>(dialog);
    procedures->tabWidget->setCurrentIndex(0);
    procedures->listWidget->item(1)->setSelected(true);
    procedures->buttonBox->button(QDialogButtonBox::Ok)->click();
    return procedures->result();
}

// Types the dialog's rows one by one as the user clicks types for them.
std::function<int(QDialog *)> typeRows(const QStringList &codes)
{
    return [codes](QDialog *dialog) {
        auto *types = qobject_cast<SifrantDlg *>(dialog);
        auto *table = types->findChild<QTableWidget *>("tableWidget");
        QTreeWidget *tree = types->codeTree(types->currentIsKs());
        for (int row = 0; row < codes.size(); ++row) {
            table->clearSelection();
            table->selectRow(row);
            emit tree->itemClicked(types->findType(codes.at(row)), 1);
        }
        types->accept();
        return int(QDialog::Accepted);
    };
}
} // namespace

// A new user's first elaborat: adding and typing files, splitting a document into pages,
// moving documents between components and into a second elaborat, removing a document.
class TreeScenarioTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;

    TTreeWidget &view() { return *fixture->window().tree(); }

    TTreeElaborat *newElaborat()
    {
        fixture->prompter.dialogs.enqueue(chooseBoundaryProcedure);
        fixture->window().actionNov->trigger();
        return view().currentElaborat();
    }

    QStringList menuOf(QTreeWidgetItem *item) { return TreeActions::menuOn(view(), item); }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
    }

    void cleanup() { fixture.reset(); }

    void aFirstElaborat()
    {
        TTreeElaborat *first = newElaborat();
        QVERIFY(first && !first->isKs());
        TTreeSestavina *records = first->findSestavinaByIme("zapisniki");
        TTreeSestavina *sketches = first->findSestavinaByIme("skica");

        // Files added to a component become typed bookmarks and documents.
        const QString three = fixture->makePdf("tri.pdf", 3);
        const QString invitation = fixture->makePdf("vabilo.pdf", 1);
        const QString receipt = fixture->makeImage("Vrocilnica.PNG");
        QVERIFY(menuOf(records).contains(Entry::addFile));
        fixture->prompter.fileLists << QStringList({three, invitation, receipt});
        fixture->prompter.dialogs.enqueue(typeRows({"122", "122", "124"}));
        view().runItemCommand(Entry::addFile, records);
        QCOMPARE(
            childrenOf(records), QStringList({"122 Zapisnik mejne obravnave", "124 Vročilnica"}));
        auto *minutes = TTreeBookmark::cast(records->child(0));
        QCOMPARE(childrenOf(minutes), QStringList({"tri.pdf", "vabilo.pdf"}));
        QCOMPARE(childrenOf(records->child(1)), QStringList({"vrocilnica.png"}));
        QCOMPARE(first->documentCount(), 3);

        // The three-page PDF splits into three pages under a subtitle.
        QTreeWidgetItem *whole = minutes->child(0);
        QVERIFY(menuOf(whole).contains(Entry::split));
        view().runItemCommand(Entry::split, whole);
        auto *subtitle = TTreePodnaslov::cast(minutes->child(0));
        QVERIFY(subtitle);
        QCOMPARE(childrenOf(subtitle),
            QStringList({"tri.pdf/str. 1", "tri.pdf/str. 2", "tri.pdf/str. 3"}));
        QVERIFY(menuOf(subtitle->child(0)).contains(Entry::split + " (off)"));

        // A document moves to another component by drag and drop.
        TreeActions::select(view(), {minutes->child(1)});
        QCOMPARE(TreeActions::dragAndDrop(view(), minutes->child(1), sketches), Qt::IgnoreAction);
        QCOMPARE(childrenOf(sketches), QStringList({"112 Skica izmere"}));
        QCOMPARE(childrenOf(sketches->child(0)), QStringList({"vabilo.pdf"}));
        QCOMPARE(childrenOf(minutes), QStringList({"tri.pdf"}));

        // And a page into a second elaborat, where it is a copy.
        TTreeElaborat *second = newElaborat();
        QVERIFY(second && second != first);
        view().expandAll();
        QTreeWidgetItem *page = subtitle->child(1);
        TreeActions::select(view(), {page});
        QCOMPARE(view().currentElaborat(), first);
        TTreeSestavina *otherRecords = second->findSestavinaByIme("zapisniki");
        QCOMPARE(TreeActions::dragAndDrop(view(), page, otherRecords), Qt::IgnoreAction);
        QCOMPARE(view().currentElaborat(), second);
        QCOMPARE(childrenOf(otherRecords), QStringList({"122 Zapisnik mejne obravnave"}));
        const auto *copy = TTreeDokument::cast(otherRecords->child(0)->child(0));
        QCOMPARE(copy->nameText(), QStringLiteral("tri.pdf/str. 2"));
        QCOMPARE(copy->page(), 2);
        QCOMPARE(subtitle->childCount(), 3);

        // Removing the last document of a bookmark removes the bookmark.
        QTreeWidgetItem *last = records->child(1)->child(0);
        fixture->prompter.buttons << QMessageBox::Yes;
        QVERIFY(menuOf(last).contains(Entry::removeFile));
        view().runItemCommand(Entry::removeFile, last);
        QCOMPARE(childrenOf(records), QStringList({"122 Zapisnik mejne obravnave"}));
        QCOMPARE(first->documentCount(), 4);
        QVERIFY(!first->upToDate());
    }
};

QTEST_MAIN(TreeScenarioTest)
#include "treescenariotest.moc"
