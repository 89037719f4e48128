#include "app/opencommand.h"
#include "buildfixture.h"
#include "files/elaboratfile.h"
#include "files/pdfbuild.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "platform/toolrunner.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// "Odpri..." in a real main window: the file dialog, the already-open rule, the failure message,
// and packages unpacked with the real archiver.
class OpenCommandTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<BuildFixture> fixture;

    // A land-cadastre elaborat of two pages built at `relative` with the real composer; the
    // elaborat itself is closed again.
    QString builtPdf(const QString &relative)
    {
        TTreeElaborat *elaborat = fixture->create({QStringLiteral("UM")});
        new TTreeDokument(fixture->pdf(QStringLiteral("vir.pdf"), 2),
            BuildFixture::bookmark(
                elaborat, QStringLiteral("sk"), QStringLiteral("112"), QStringLiteral("Skica")));
        QDir().mkpath(QFileInfo(fixture->path(relative)).absolutePath());
        elaborat->setPdfPath(fixture->path(relative), true);
        if (!buildElaboratPdf(elaborat->snapshot(), ToolRunner()).written)
            qFatal("the elaborat was not built");
        delete elaborat;
        return fixture->path(relative);
    }

    QString zipped(const QString &relative, const QStringList &files)
    {
        ToolCommand command;
        command.folder = QStringLiteral("7z");
        command.program = QStringLiteral("7za");
        command.arguments = QStringList {QStringLiteral("a"), QStringLiteral("-tzip"),
                                QStringLiteral("-spd"), fixture->path(relative)}
            + files;
        if (!ToolRunner().runTool(command, QStringLiteral("test")).succeeded())
            qFatal("the archiver failed");
        return fixture->path(relative);
    }

    int elaborates() const { return fixture->window().tree()->topLevelItemCount(); }

    void open(const QString &path)
    {
        fixture->prompter().fileNames.enqueue(path);
        fixture->window().actionOdpri->trigger();
    }

private slots:
    void init() { fixture = std::make_unique<BuildFixture>(); }
    void cleanup() { fixture.reset(); }

    // A file given to the program opens without the dialog, with the command's messages.
    void aGivenFileOpensAsTheCommandWould()
    {
        const QString pdf = builtPdf(QStringLiteral("izhod/0850_00012_000.pdf"));
        openElaboratFile(fixture->window(), pdf);
        QVERIFY(fixture->window().tree()->currentElaborat());
        openElaboratFile(fixture->window(), pdf);
        openElaboratFile(fixture->window(), fixture->path(QStringLiteral("manjka.pdf")));
        QCOMPARE(fixture->prompter().messageTexts(),
            QStringList({QStringLiteral("Elaborat '%1' je ze odprt.").arg(pdf),
                QStringLiteral("Napaka pri odpiranju elaborata.")}));
        QCOMPARE(fixture->prompter().count(ScriptedPrompter::OpenFile), 0);
    }

    void asksForTheFileAndOpensIt()
    {
        const QString pdf = builtPdf(QStringLiteral("izhod/0850_00012_000.pdf"));
        QTemporaryDir outside;
        const QString last = outside.filePath(QStringLiteral("x.pdf"));
        fixture->window().windowSettings().lastSaveAsName = last;
        open(pdf);

        QCOMPARE(fixture->prompter().shown.size(), 1);
        const ScriptedPrompter::Shown dialog = fixture->prompter().shown.first();
        QCOMPARE(dialog.kind, ScriptedPrompter::OpenFile);
        QCOMPARE(dialog.title, QStringLiteral("Odpri elaborat"));
        QCOMPARE(dialog.detail, last);
        QCOMPARE(dialog.filter,
            QStringLiteral("vse podprte datoteke (*.pdf *.zip);;stisnjen elaborat (*.zip);;PDF "
                           "elaborat (*.pdf)"));
        QVERIFY(fixture->base.folder.read(QStringLiteral(".tmp/debug.log"))
                    .contains("\r\n--------on_actionOdpri_triggered----------\r\n"));

        TTreeElaborat *elaborat = fixture->window().tree()->currentElaborat();
        QVERIFY(elaborat);
        QCOMPARE(elaborat->text(0), QStringLiteral("0850_00012_000"));
        QCOMPARE(elaborat->pdfPath(), pdf);
        QCOMPARE(elaborat->documentCount(), 2);
        QVERIFY(elaborat->upToDate());
        QVERIFY(fixture->window().actionZIP->isEnabled());
        QVERIFY(fixture->window().actionArhiviraj->isEnabled());
        QVERIFY(!fixture->window().actionPDF->isEnabled());
        QVERIFY(
            fixture->base.folder.read(QStringLiteral(".tmp/debug.log")).contains("TTreeElaborat5"));
    }

    void cancellingOpensNothing()
    {
        fixture->window().actionOdpri->trigger();
        QCOMPARE(fixture->prompter().shown.size(), 1);
        QCOMPARE(elaborates(), 0);
    }

    void anOpenFileIsNotOpenedAgain_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("same path") << "izhod/Elaborat.pdf";
        QTest::newRow("other letter case") << "IZHOD/elaborat.PDF";
    }

    void anOpenFileIsNotOpenedAgain()
    {
        QFETCH(QString, chosen);
        open(builtPdf(QStringLiteral("izhod/Elaborat.pdf")));
        QCOMPARE(elaborates(), 1);
        fixture->prompter().shown.clear();
        open(fixture->path(chosen));
        QCOMPARE(fixture->prompter().messageTexts(),
            QStringList {QStringLiteral("Elaborat '%1' je ze odprt.").arg(fixture->path(chosen))});
        QCOMPARE(elaborates(), 1);
    }

    void aFileThatDoesNotOpenIsTold_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("PDF without Keywords") << "navaden.pdf";
        QTest::newRow("package without an elaborat") << "paket.zip";
        QTest::newRow("missing package") << "manjka.zip";
    }

    void aFileThatDoesNotOpenIsTold()
    {
        QFETCH(QString, name);
        const QString plain = fixture->pdf(QStringLiteral("navaden.pdf"), 2);
        QVERIFY(fixture->base.folder.write(QStringLiteral("opis.txt"), "opis"));
        zipped(QStringLiteral("paket.zip"), {plain, fixture->path(QStringLiteral("opis.txt"))});
        open(fixture->path(name));
        QCOMPARE(fixture->prompter().messageTexts(),
            QStringList {QStringLiteral("Napaka pri odpiranju elaborata.")});
        QCOMPARE(elaborates(), 0);
    }

    void aPackageIsUnpackedIntoTheTemporaryFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("lower case") << "1728_00012_12.zip";
        QTest::newRow("upper case suffix") << "1728_00012_12.ZIP";
        QTest::newRow("wildcards in the name") << "1728_0001?_*.zip";
    }

    void aPackageIsUnpackedIntoTheTemporaryFolder()
    {
        QFETCH(QString, name);
        const QString pdf = builtPdf(QStringLiteral("izhod/1728_00012_000.pdf"));
        const QString plain = fixture->pdf(QStringLiteral("navaden.pdf"), 1);
        const QString package = zipped(QStringLiteral("paketi/") + name, {plain, pdf});
        // A package that the name would match as a pattern.
        QVERIFY(fixture->base.folder.write(QStringLiteral("vaba.txt"), "x"));
        zipped(QStringLiteral("paketi/1728_00019_12.zip"),
            {fixture->path(QStringLiteral("vaba.txt"))});
        const QDateTime before = QDateTime::currentDateTime();
        QVERIFY(odpriElaborat(fixture->window(), package));
        const TTreeElaborat *elaborat = fixture->window().tree()->currentElaborat();
        const QFileInfo opened(elaborat->pdfPath());
        QCOMPARE(opened.fileName(), QStringLiteral("1728_00012_000.pdf"));
        QCOMPARE(
            opened.absolutePath().section(QLatin1Char('/'), 0, -2), fixture->window().tempFolder());
        const QDateTime stamp = QDateTime::fromString(
            opened.absoluteDir().dirName(), QStringLiteral("ddMMyyyyhhmmss"));
        QVERIFY(stamp.isValid() && qAbs(stamp.secsTo(before)) <= 3);
        QCOMPARE(elaborat->text(0), QStringLiteral("1728_00012_000"));
        QCOMPARE(elaborat->documentCount(), 2);
        QCOMPARE(
            elaborat->digitalDataFiles(), QStringList {opened.absolutePath() + "/navaden.pdf"});
        QVERIFY(elaborat->findSestavinaBySifra(QStringLiteral("dp"))->isExpanded());
        QVERIFY(elaborat->upToDate());
        QVERIFY(fixture->base.folder.read(QStringLiteral(".tmp/debug.log"))
                    .contains("MainWindow - odpriElaborat"));
    }

    void everyOtherFileOfAPackageIsItsData()
    {
        for (const char *name : {"paket/elaborat.pdf", "paket/meje.dxf", "paket/README",
                 "paket/.skrito", "paket/mapa/notri.txt"})
            QVERIFY(fixture->base.folder.write(QString::fromLatin1(name), "x"));
        QStringList files = ElaboratFile::packageDataFiles(fixture->path(QStringLiteral("paket")),
            fixture->path(QStringLiteral("paket/elaborat.pdf")));
        files.sort();
        QCOMPARE(files,
            QStringList({fixture->path(QStringLiteral("paket/.skrito")),
                fixture->path(QStringLiteral("paket/README")),
                fixture->path(QStringLiteral("paket/meje.dxf"))}));
    }

    void withoutADataComponentThePackagesFilesStayOut()
    {
        TTreeElaborat *elaborat = fixture->create({QStringLiteral("PAR")});
        new TTreeDokument(fixture->pdf(QStringLiteral("vir.pdf"), 1),
            BuildFixture::bookmark(
                elaborat, QStringLiteral("iz"), QStringLiteral("191"), QStringLiteral("Izracun")));
        elaborat->setPdfPath(fixture->path(QStringLiteral("par.pdf")), true);
        QVERIFY(buildElaboratPdf(elaborat->snapshot(), ToolRunner()).written);
        delete elaborat;
        QVERIFY(fixture->base.folder.write(QStringLiteral("meje.dxf"), "dxf"));
        const QString package = zipped(QStringLiteral("par.zip"),
            {fixture->path(QStringLiteral("par.pdf")), fixture->path(QStringLiteral("meje.dxf"))});
        QVERIFY(odpriElaborat(fixture->window(), package));
        TTreeElaborat *opened = fixture->window().tree()->currentElaborat();
        QCOMPARE(opened->documentCount(), 1);
        QVERIFY(opened->digitalDataFiles().isEmpty());
        QVERIFY(opened->upToDate());
    }
};

QTEST_MAIN(OpenCommandTest)
#include "opencommandtest.moc"
