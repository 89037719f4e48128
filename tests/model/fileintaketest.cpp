#include "elaboratfixture.h"
#include "intake/sifrantdlg.h"
#include "model/treemenus.h"
#include "model/ttreebookmark.h"
#include "model/ttreedigitalnipodatek.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "treeactions.h"

#include <QDir>
#include <QTest>
#include <memory>

using TreeActions::childrenOf;

using namespace TreeMenus;

namespace {
const QString imageFilter = QStringLiteral(
    "vse podprte datoteke (*.pdf *.jpg *.jpeg *.png *.tif *.tiff);;slikovne datoteke (*.jpg "
    "*.jpeg *.png *.tif *.tiff);;PDF datoteke (*.pdf)");

SifrantResult typed(const QString &path, const QString &code, const QString &text)
{
    return {code, code.isEmpty() ? QString() : QStringLiteral("zapisniki"), path, text};
}
} // namespace

// Adding files: the choice and its filter, the duplicate question, the document-type dialog,
// placing typed files in bookmarks, digital data, the office's documents and files dropped
// from the desktop's file manager.
class FileIntakeTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;
    ScriptedPrompter *prompter = nullptr;

    TTreeWidget &view() { return *fixture->window().tree(); }

    QString file(const QString &name)
    {
        const QString path = fixture->folder.path("izbor/" + name);
        QDir().mkpath(QFileInfo(path).path());
        if (name.endsWith(".pdf", Qt::CaseInsensitive))
            fixture->makePdf("izbor/" + name, 1);
        return path;
    }

    // A file of a few bytes, as the file manager offers only files that exist.
    QString dataFile(const QString &name)
    {
        const QString path = file(name);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write("0 0 0\n") < 0)
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    void addThroughMenu(QTreeWidgetItem *clicked, const QStringList &chosen)
    {
        prompter->fileLists.enqueue(chosen);
        view().runItemCommand(Entry::addFile, clicked);
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        prompter = &fixture->prompter;
    }

    void cleanup() { fixture.reset(); }

    void theChoiceKeepsSupportedFilesWhateverTheirCapitals()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *sketches = elaborat->findSestavinaByIme("skica");
        fixture->window().windowSettings().lastFolder = fixture->folder.path();
        TreeActions::select(view(), {sketches});
        prompter->dialogs.enqueue(TreeActions::acceptTypes());
        addThroughMenu(sketches,
            {file("Skica.PDF"), file("foto.JPG"), file("animacija.gif"), file("sken.Tiff"),
                file("slika.png")});

        const ScriptedPrompter::Shown &choice = prompter->shown.first();
        QCOMPARE(choice.kind, ScriptedPrompter::OpenFiles);
        QCOMPARE(choice.title, QStringLiteral("Izbor sestavin"));
        // Never in the program folder: at home instead.
        QCOMPARE(choice.detail, QDir::homePath());
        QCOMPARE(choice.filter, imageFilter);
        QCOMPARE(prompter->count(ScriptedPrompter::Dialog), 1);
        QCOMPARE(prompter->shown.last().detail, QStringLiteral("SifrantDlg"));

        // The component's default type, as the dialog preset it.
        QCOMPARE(childrenOf(sketches), QStringList({"112 Skica izmere"}));
        QCOMPARE(childrenOf(sketches->child(0)),
            QStringList({"skica.pdf", "foto.jpg", "sken.tiff", "slika.png"}));
        QVERIFY(sketches->isExpanded() && sketches->child(0)->isExpanded());
        QCOMPARE(fixture->window().windowSettings().lastFolder, fixture->folder.path("izbor"));
        QVERIFY(!elaborat->upToDate());
    }

    void nothingIsAddedWithoutATarget()
    {
        fixture->create({ElaboratFixture::Um});
        view().clearSelection();
        view().runItemCommand(Entry::addFile, nullptr);
        QVERIFY(prompter->shown.isEmpty());

        // Only unsupported files chosen: the dialog is not shown.
        TTreeSestavina *sketches = view().currentElaborat()->findSestavinaByIme("skica");
        TreeActions::select(view(), {sketches});
        addThroughMenu(sketches, {file("a.gif"), file("b.bmp")});
        QCOMPARE(prompter->count(ScriptedPrompter::Dialog), 0);
        QCOMPARE(sketches->childCount(), 0);
    }

    void aFileInABookmarkTakesItsCodeWithoutAsking()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *records = elaborat->findSestavinaByIme("zapisniki");
        auto *bookmark = new TTreeBookmark("122", "122 Zapisnik mejne obravnave", records);
        auto *document = new TTreeDokument(file("prvi.pdf"), bookmark);
        TreeActions::select(view(), {document});
        addThroughMenu(document, {file("drugi.pdf")});

        QCOMPARE(prompter->count(ScriptedPrompter::Dialog), 0);
        // Each add makes its own bookmark of the code.
        QCOMPARE(childrenOf(records),
            QStringList({"122 Zapisnik mejne obravnave", "122 Zapisnik mejne obravnave"}));
        QCOMPARE(childrenOf(records->child(1)), QStringList({"drugi.pdf"}));
        QCOMPARE(TTreeBookmark::cast(records->child(1))->sifra(), QStringLiteral("122"));
    }

    void aComponentWithoutDefaultIsTypedByTheUser()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *records = elaborat->findSestavinaByIme("zapisniki");
        TreeActions::select(view(), {records});
        prompter->dialogs.enqueue(TreeActions::typeAs("124"));
        addThroughMenu(records, {file("a.pdf"), file("b.pdf")});
        QCOMPARE(childrenOf(records), QStringList({"124 Vročilnica"}));
        QCOMPARE(childrenOf(records->child(0)), QStringList({"a.pdf", "b.pdf"}));

        prompter->dialogs.enqueue(TreeActions::cancel());
        addThroughMenu(records, {file("c.pdf")});
        QCOMPARE(records->childCount(), 1);
    }

    void placingMakesOneBookmarkPerCodeAndCall()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *records = elaborat->findSestavinaByIme("zapisniki");
        view().placeFiles(records,
            {typed(file("a.pdf"), "122", "122 Zapisnik mejne obravnave"),
                typed(file("b.pdf"), "123", "123 Vabilo na mejno obravnavo"),
                typed(file("c.pdf"), "122", "122 Zapisnik mejne obravnave"),
                typed(file("brez.pdf"), "", "")});
        QCOMPARE(childrenOf(records),
            QStringList(
                {"122 Zapisnik mejne obravnave", "123 Vabilo na mejno obravnavo", "brez.pdf"}));
        QCOMPARE(childrenOf(records->child(0)), QStringList({"a.pdf", "c.pdf"}));
        QCOMPARE(childrenOf(records->child(1)), QStringList({"b.pdf"}));

        view().placeFiles(records, {typed(file("d.pdf"), "122", "122 Zapisnik mejne obravnave")});
        QCOMPARE(records->childCount(), 4);
        QCOMPARE(childrenOf(records->child(3)), QStringList({"d.pdf"}));
    }

    void aFileWithoutCodeOutsideAComponentIsRefused()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        const QString path = file("brez.pdf");
        view().placeFiles(nullptr, {typed(path, "", "")});
        QCOMPARE(prompter->count(ScriptedPrompter::MessageBox), 1);
        const ScriptedPrompter::Shown &warning = prompter->shown.first();
        QCOMPARE(warning.title, QStringLiteral("Dodajanje dokumentov"));
        QCOMPARE(warning.text,
            QStringLiteral("Dokument '%1' ni bil dodan v elaborat, ker nima dolocene sifre.")
                .arg(path));
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QCOMPARE(elaborat->documentCount(), 0);

        // A code without a component goes to a bookmark of the sestavine node.
        view().placeFiles(nullptr, {typed(path, "122", "122 Zapisnik mejne obravnave")});
        QCOMPARE(childrenOf(elaborat->sestavineItem()).last(),
            QStringLiteral("122 Zapisnik mejne obravnave"));
    }

    void aFileAlreadyAddedIsAddedAgainOnlyWhenConfirmed()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *sketches = elaborat->findSestavinaByIme("skica");
        const QString known = file("znan.pdf");
        const QString produced = file("elaborat.pdf");
        elaborat->setPdfPath(produced, false);
        new TTreeDokument(known, new TTreeBookmark("112", "112 Skica izmere", sketches));
        TreeActions::select(view(), {sketches});

        prompter->buttons << QMessageBox::No << QMessageBox::No;
        prompter->dialogs.enqueue(TreeActions::acceptTypes());
        addThroughMenu(sketches, {known, file("nov.pdf"), produced});
        QCOMPARE(
            prompter->messageTexts(), QStringList({"Dodajanje dokumenta", "Dodajanje dokumenta"}));
        // From the last file to the first.
        const ScriptedPrompter::Shown &question = prompter->shown.at(1);
        QCOMPARE(question.informativeText,
            QStringLiteral("Dokument z imenom 'elaborat.pdf' je ze dodan v elaborat. Ali ga dodam "
                           "se enkrat?"));
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question.defaultButton, QMessageBox::Yes);
        QCOMPARE(childrenOf(sketches->child(1)), QStringList({"nov.pdf"}));

        prompter->buttons << QMessageBox::Yes;
        prompter->dialogs.enqueue(TreeActions::acceptTypes());
        addThroughMenu(sketches, {known});
        QCOMPARE(childrenOf(sketches->child(2)), QStringList({"znan.pdf"}));

        // Nothing left after the answers: no dialog.
        const int dialogs = prompter->count(ScriptedPrompter::Dialog);
        prompter->buttons << QMessageBox::No;
        addThroughMenu(sketches, {known});
        QCOMPARE(prompter->count(ScriptedPrompter::Dialog), dialogs);
    }

    void digitalDataTakeAnyFileAndAreComparedByName()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *data = elaborat->findSestavinaBySifra("dp");
        TreeActions::select(view(), {data});
        addThroughMenu(data, {file("tocke.dxf"), file("meritve.TXT")});
        QCOMPARE(prompter->shown.first().filter, QStringLiteral("izmenjevalni formati (*.*)"));
        QCOMPARE(prompter->count(ScriptedPrompter::Dialog), 0);
        QCOMPARE(childrenOf(data), QStringList({"tocke.dxf", "meritve.TXT"}));
        QVERIFY(TTreeDigitalniPodatek::cast(data->child(0)));
        QVERIFY(data->isExpanded());
        QCOMPARE(
            elaborat->digitalDataFiles(), QStringList({file("tocke.dxf"), file("meritve.TXT")}));

        const QString sameName = fixture->folder.path("drugje/tocke.dxf");
        prompter->buttons << QMessageBox::No;
        addThroughMenu(data, {sameName});
        QCOMPARE(prompter->messageTexts(), QStringList({"Dodajanje dokumenta"}));
        QCOMPARE(data->childCount(), 2);

        view().addDigitalFiles(data, {sameName});
        QCOMPARE(data->childCount(), 3);
    }

    void theGeneralProcedureLabelsDocumentsWithTheirType()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::ZkGeneral});
        view().clearSelection();
        prompter->dialogs.enqueue(TreeActions::typeAs("112"));
        addThroughMenu(nullptr, {file("a.pdf"), file("b.pdf")});
        QCOMPARE(childrenOf(elaborat->sestavineItem()),
            QStringList({"a.pdf [112 Skica izmere]", "b.pdf [112 Skica izmere]"}));

        prompter->dialogs.enqueue(TreeActions::acceptTypes());
        addThroughMenu(nullptr, {file("c.pdf")});
        QCOMPARE(childrenOf(elaborat->sestavineItem()).last(), QStringLiteral("c.pdf"));
    }

    void theOfficesDocumentsGetTheirOwnBookmark()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *sketches = elaborat->findSestavinaByIme("skica");
        TreeActions::select(view(), {sketches});
        prompter->fileLists << QStringList({file("gu1.pdf"), file("gu2.gif"), file("gu3.pdf")})
                            << QStringList({file("o.pdf")});
        view().runItemCommand(Entry::sketch, sketches);
        QCOMPARE(childrenOf(sketches), QStringList({"111 Skica geodetske uprave"}));
        QCOMPARE(childrenOf(sketches->child(0)), QStringList({"gu1.pdf", "gu3.pdf"}));
        QVERIFY(sketches->child(0)->isExpanded());
        QCOMPARE(prompter->shown.first().filter, imageFilter);

        // No component of that name: the sestavine node takes the bookmark.
        view().runItemCommand(Entry::decision, sketches);
        QCOMPARE(childrenOf(elaborat->sestavineItem()).last(),
            QStringLiteral("131 Odločba geodetske uprave"));
        QCOMPARE(prompter->count(ScriptedPrompter::Dialog), 0);

        prompter->fileLists << QStringList();
        view().runItemCommand(Entry::record, sketches);
        QVERIFY(!elaborat->findSestavinaByIme("zapisniki")->childCount());
    }

    void theGeneralProcedureLabelsTheFirstOfficeDocument()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::ZkGeneral});
        prompter->fileLists << QStringList({file("z1.pdf"), file("z2.pdf")});
        view().runItemCommand(Entry::record, nullptr);
        QCOMPARE(childrenOf(elaborat->sestavineItem()),
            QStringList({"z1.pdf [121 Zapisnik postopka geodetske uprave]", "z2.pdf"}));
    }

    void filesFromTheFileManagerAreAddedAsChosenOnes()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *records = elaborat->findSestavinaByIme("zapisniki");
        prompter->dialogs.enqueue(TreeActions::typeAs("122"));
        QCOMPARE(TreeActions::dropFiles(view(), {file("x.PDF"), file("y.gif")}, records),
            Qt::CopyAction);
        QCOMPARE(childrenOf(records), QStringList({"122 Zapisnik mejne obravnave"}));
        QCOMPARE(childrenOf(records->child(0)), QStringList({"x.pdf"}));
        QCOMPARE(view().selectedItems(), QList<QTreeWidgetItem *>({records}));
        QCOMPARE(fixture->window().windowSettings().lastFolder, fixture->folder.path("izbor"));

        // Onto a document of a bookmark: its code, without asking; again: the question.
        QTreeWidgetItem *document = records->child(0)->child(0);
        QCOMPARE(TreeActions::dropFiles(view(), {file("z.pdf"), file("x.PDF")}, document),
            Qt::CopyAction);
        QCOMPARE(prompter->count(ScriptedPrompter::Dialog), 1);
        QCOMPARE(prompter->messageTexts(), QStringList({"Dodajanje dokumenta"}));
        QCOMPARE(childrenOf(records->child(1)), QStringList({"z.pdf", "x.pdf"}));

        // The digital data component takes any file.
        TTreeSestavina *data = elaborat->findSestavinaBySifra("dp");
        QCOMPARE(TreeActions::dropFiles(view(), {dataFile("t.dxf")}, data), Qt::CopyAction);
        QCOMPARE(childrenOf(data), QStringList({"t.dxf"}));
    }

    void foldersFromTheFileManagerAreLeftOut()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        TTreeSestavina *data = elaborat->findSestavinaBySifra("dp");
        const QString folder = fixture->folder.path("izbor/mapa.pdf");
        QDir().mkpath(folder);
        QCOMPARE(TreeActions::dropFiles(view(), {folder}, data), Qt::IgnoreAction);
        QCOMPARE(TreeActions::dropFiles(view(), {folder, dataFile("t.dxf")}, data), Qt::CopyAction);
        QCOMPARE(childrenOf(data), QStringList({"t.dxf"}));

        TTreeSestavina *records = elaborat->findSestavinaByIme("zapisniki");
        prompter->dialogs.enqueue(TreeActions::typeAs("122"));
        QCOMPARE(TreeActions::dropFiles(view(), {folder, file("x.pdf")}, records), Qt::CopyAction);
        QCOMPARE(childrenOf(records->child(0)), QStringList({"x.pdf"}));
        QCOMPARE(prompter->count(ScriptedPrompter::MessageBox), 0);
    }

    void fileDropsOutsideComponentsNeedTheGeneralProcedure()
    {
        TTreeElaborat *land = fixture->create({ElaboratFixture::Um});
        QCOMPARE(TreeActions::dropFiles(view(), {file("a.pdf")}, nullptr), Qt::IgnoreAction);
        QCOMPARE(TreeActions::dropFiles(view(), {file("a.pdf")}, land->sestavineItem()),
            Qt::IgnoreAction);
        QCOMPARE(TreeActions::dropFiles(view(), {file("a.pdf")}, land), Qt::IgnoreAction);
        QCOMPARE(land->documentCount(), 0);

        TTreeElaborat *general = fixture->create({ElaboratFixture::ZkGeneral});
        prompter->dialogs << TreeActions::typeAs("112") << TreeActions::acceptTypes();
        QCOMPARE(TreeActions::dropFiles(view(), {file("b.pdf")}, nullptr), Qt::CopyAction);
        QCOMPARE(childrenOf(general->sestavineItem()), QStringList({"b.pdf [112 Skica izmere]"}));
        QCOMPARE(TreeActions::dropFiles(view(), {file("c.pdf")}, general->sestavineItem()),
            Qt::CopyAction);
        QCOMPARE(general->documentCount(), 2);
        QCOMPARE(TreeActions::dropFiles(view(), {file("d.pdf")}, general->atributiItem()),
            Qt::IgnoreAction);
        QCOMPARE(land->documentCount(), 0);
    }
};

QTEST_MAIN(FileIntakeTest)
#include "fileintaketest.moc"
