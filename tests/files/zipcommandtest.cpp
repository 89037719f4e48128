#include "buildfixture.h"
#include "files/elaboratfile.h"
#include "model/ttreebookmark.h"
#include "model/ttreedigitalnipodatek.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"
#include "platform/toolrunner.h"

#include <QDir>
#include <QTest>
#include <memory>

#include <poppler-qt6.h>

// "stisnjen paket..." in a real main window with the real archiver and composer.
class ZipCommandTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<BuildFixture> fixture;

    // An up-to-date elaborat whose PDF stands at pdfPath, as after a build.
    TTreeElaborat *builtElaborat(
        const QString &kind, const QString &ko, const QString &idpos, const QString &rezpos)
    {
        TTreeElaborat *elaborat = fixture->create(
            {kind == QLatin1String("KS") ? QStringLiteral("VS") : QStringLiteral("UM")});
        elaborat->setAttribute(QStringLiteral("KO"), ko);
        elaborat->setAttribute(QStringLiteral("IDPOS"), idpos);
        elaborat->setAttribute(QStringLiteral("REZPOS"), rezpos);
        elaborat->setAttribute(
            QStringLiteral("DATUM_ZADNJE_SPREMEMBE"), QStringLiteral("05.03.2012"));
        QDir().mkpath(fixture->path(QStringLiteral("izhod")));
        elaborat->setPdfPath(fixture->pdf(QStringLiteral("izhod/elaborat.pdf"), 1), true);
        elaborat->markUpToDate();
        return elaborat;
    }

    QStringList packageFiles(const QString &zip, const QString &into) const
    {
        const QString folder = fixture->path(into);
        QDir().mkpath(folder);
        ElaboratFile::unpackPackage(zip, folder, ToolRunner());
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

    // A building-cadastre elaborat built with the PDF command: one plan, and under the
    // "110" bookmark a PDF page and, below a subtitle, an image.
    TTreeElaborat *questionnaireElaborat(bool questionnaire, const QString &rezpos)
    {
        QStringList procedures {QStringLiteral("VS")};
        if (questionnaire)
            procedures << QStringLiteral("ks_vpis_vprasalnika");
        TTreeElaborat *elaborat = fixture->create(procedures);
        elaborat->setAttribute(QStringLiteral("KO"), QStringLiteral("1722 Trnovo"));
        elaborat->setAttribute(QStringLiteral("IDPOS"), QStringLiteral("45"));
        elaborat->setAttribute(QStringLiteral("REZPOS"), rezpos);
        elaborat->setAttribute(
            QStringLiteral("DATUM_ZADNJE_SPREMEMBE"), QStringLiteral("05.03.2012"));
        new TTreeDokument(fixture->pdf(QStringLiteral("tloris.pdf"), 1),
            BuildFixture::bookmark(
                elaborat, QStringLiteral("nc"), QStringLiteral("104"), QStringLiteral("Tloris")));
        TTreeBookmark *questions = BuildFixture::bookmark(
            elaborat, QStringLiteral("vp"), QStringLiteral("110"), QStringLiteral("Vprasalnik"));
        new TTreeDokument(fixture->pdf(QStringLiteral("v.pdf"), 3), questions, 2);
        new TTreeDokument(fixture->image(QStringLiteral("v.png")), new TTreePodnaslov(questions));
        return elaborat;
    }

private slots:
    void init() { fixture = std::make_unique<BuildFixture>(); }
    void cleanup() { fixture.reset(); }

    void proposesTheNameBesideThePdf_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("ko");
        QTest::addColumn<QString>("idpos");
        QTest::addColumn<QString>("rezpos");
        QTest::addColumn<QString>("name");
        QTest::newRow("land") << "ZK"
                              << "12 Kraj"
                              << "7"
                              << ""
                              << "0012_00007_12.zip";
        QTest::newRow("building") << "KS"
                                  << "12 Kraj"
                                  << "7"
                                  << ""
                                  << "001200007.zip";
        QTest::newRow("land by REZPOS") << "ZK"
                                        << "1722 Trnovo"
                                        << ""
                                        << "45"
                                        << "1722_00045_12.zip";
        QTest::newRow("building by REZPOS") << "KS"
                                            << "1722 Trnovo"
                                            << ""
                                            << "45"
                                            << "172200045.zip";
    }

    void proposesTheNameBesideThePdf()
    {
        QFETCH(QString, kind);
        QFETCH(QString, ko);
        QFETCH(QString, idpos);
        QFETCH(QString, rezpos);
        QFETCH(QString, name);
        TTreeElaborat *elaborat = builtElaborat(kind, ko, idpos, rezpos);
        fixture->window().actionZIP->trigger();

        QCOMPARE(fixture->prompter().shown.size(), 1);
        const ScriptedPrompter::Shown save = fixture->prompter().shown.first();
        QCOMPARE(save.kind, ScriptedPrompter::SaveFile);
        QCOMPARE(save.title, QStringLiteral("Stisni elaborat"));
        QCOMPARE(save.filter, QStringLiteral("ZIP (*.zip)"));
        QCOMPARE(save.detail, fixture->path(QStringLiteral("izhod/")) + name);
        // Cancelled: nothing more.
        QVERIFY(elaborat->zipPath.isEmpty());
        QVERIFY(fixture->base.folder.read(QStringLiteral(".tmp/debug.log"))
                    .contains("--------on_actionZIP_triggered----------"));
    }

    void aFailedCheckStopsBeforeTheSaveDialog_data()
    {
        QTest::addColumn<QString>("ko");
        QTest::addColumn<QString>("idpos");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("warning");
        QTest::newRow("no KO") << ""
                               << "7"
                               << "05.03.2012"
                               << "Sifra KO ni dolocena.";
        QTest::newRow("no case number") << "12 Kraj"
                                        << ""
                                        << "05.03.2012"
                                        << "IDPOS in/ali REZPOS nista dolocena.";
        QTest::newRow("no year") << "12 Kraj"
                                 << "7"
                                 << "05.03"
                                 << "Datum zadnje spremembe nima letnice.";
    }

    void aFailedCheckStopsBeforeTheSaveDialog()
    {
        QFETCH(QString, ko);
        QFETCH(QString, idpos);
        QFETCH(QString, date);
        QFETCH(QString, warning);
        TTreeElaborat *elaborat = builtElaborat(QStringLiteral("ZK"), ko, idpos, QString());
        elaborat->setAttribute(QStringLiteral("DATUM_ZADNJE_SPREMEMBE"), date);
        fixture->window().on_actionZIP_triggered();
        QCOMPARE(fixture->prompter().messageTexts(), QStringList {warning});
        QCOMPARE(fixture->prompter().shown.size(), 1);
    }

    void packsTheDigitalDataAndThePdf()
    {
        TTreeElaborat *elaborat = builtElaborat(
            QStringLiteral("ZK"), QStringLiteral("12 Kraj"), QStringLiteral("7"), QString());
        QTreeWidgetItem *data = elaborat->findSestavinaBySifra(QStringLiteral("dp"));
        QVERIFY(fixture->base.folder.write(QStringLiteral("podatki/meje.dxf"), "dxf"));
        QVERIFY(fixture->base.folder.write(QStringLiteral("podatki/tocke.txt"), "txt"));
        new TTreeDigitalniPodatek(fixture->path(QStringLiteral("podatki/meje.dxf")), data);
        new TTreeDigitalniPodatek(fixture->path(QStringLiteral("podatki/tocke.txt")), data);
        elaborat->markUpToDate();
        const QString zip = fixture->path(QStringLiteral("izhod/paket.zip"));
        fixture->prompter().fileNames.enqueue(zip);
        fixture->awaitBuild();
        fixture->window().on_actionZIP_triggered();

        QCOMPARE(fixture->last.title, QStringLiteral("Stiskanje elaborata"));
        QCOMPARE(fixture->last.text,
            QStringLiteral("Stisnjen paket je uspesno izdelan. Nahaja se na:\n") + zip);
        QVERIFY(fixture->last.explore && !fixture->last.stisni && !fixture->last.prekini);
        QVERIFY(!fixture->last.succeeded);
        QCOMPARE(elaborat->zipPath, zip);
        QVERIFY(elaborat->zipWritten);
        QCOMPARE(packageFiles(zip, QStringLiteral("iz")),
            QStringList({QStringLiteral("elaborat.pdf"), QStringLiteral("meje.dxf"),
                QStringLiteral("tocke.txt")}));
        QVERIFY(
            fixture->base.folder.read(QStringLiteral(".tmp/debug.log")).contains("TTreeElaborat3"));
    }

    void replacesAnOldPackageWhole()
    {
        TTreeElaborat *elaborat = builtElaborat(
            QStringLiteral("ZK"), QStringLiteral("12 Kraj"), QStringLiteral("7"), QString());
        QVERIFY(fixture->base.folder.write(QStringLiteral("stari.txt"), "stari"));
        const QString zip = fixture->path(QStringLiteral("izhod/paket.zip"));
        ToolCommand old;
        old.folder = QStringLiteral("7z");
        old.program = QStringLiteral("7za");
        old.arguments = QStringList {QStringLiteral("a"), QStringLiteral("-tzip"), zip,
            fixture->path(QStringLiteral("stari.txt"))};
        QVERIFY(ToolRunner().runTool(old, QStringLiteral("test")).succeeded());
        fixture->prompter().fileNames.enqueue(zip);
        fixture->awaitBuild();
        fixture->window().on_actionZIP_triggered();

        QVERIFY(elaborat->zipWritten);
        QCOMPARE(
            packageFiles(zip, QStringLiteral("iz")), QStringList {QStringLiteral("elaborat.pdf")});
        QCOMPARE(QDir(fixture->path(QStringLiteral("izhod"))).entryList({QStringLiteral("*.zip")}),
            QStringList {QStringLiteral("paket.zip")});
    }

    void aFailedPackageIsReportedAndLeavesTheOldOne()
    {
        TTreeElaborat *elaborat = builtElaborat(
            QStringLiteral("ZK"), QStringLiteral("12 Kraj"), QStringLiteral("7"), QString());
        QFile::remove(elaborat->pdfPath());
        QVERIFY(fixture->base.folder.write(QStringLiteral("izhod/paket.zip"), "stari paket"));
        elaborat->zipWritten = true;
        fixture->prompter().fileNames.enqueue(fixture->path(QStringLiteral("izhod/paket.zip")));
        fixture->awaitBuild();
        fixture->window().on_actionZIP_triggered();

        QCOMPARE(fixture->last.text, QStringLiteral("Napaka pri stiskanju paketa ..."));
        QVERIFY(!fixture->last.explore && !fixture->last.stisni && !fixture->last.prekini
            && !fixture->last.progress);
        QVERIFY(!elaborat->zipWritten);
        QCOMPARE(fixture->base.folder.read(QStringLiteral("izhod/paket.zip")),
            QByteArray("stari paket"));
        QVERIFY(fixture->base.folder.read(QStringLiteral(".tmp/debug.log"))
                    .contains("--------Napaka pri stiskanju paketa ...----------"));
    }

    void aBuildingCadastrePackageCarriesTheRenPdf_data()
    {
        QTest::addColumn<bool>("questionnaire");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("separate") << false
                                  << QStringList({QStringLiteral("172200007REN.pdf"),
                                         QStringLiteral("1722_00045_000_S.pdf"),
                                         QStringLiteral("meje.dxf")});
        QTest::newRow("ks_vpis_vprasalnika")
            << true
            << QStringList({QStringLiteral("1722_00045_000_S.pdf"),
                   QStringLiteral("172200007ren.PDF"), QStringLiteral("meje.dxf")});
    }

    void aBuildingCadastrePackageCarriesTheRenPdf()
    {
        QFETCH(bool, questionnaire);
        QFETCH(QStringList, files);
        TTreeElaborat *elaborat = questionnaireElaborat(questionnaire, QStringLiteral("7"));
        QTreeWidgetItem *data = elaborat->findSestavinaBySifra(QStringLiteral("dp"));
        QVERIFY(fixture->base.folder.write(QStringLiteral("podatki/meje.dxf"), "dxf"));
        // Named like the REN PDF: the package takes the composed one instead.
        QVERIFY(fixture->base.folder.write(QStringLiteral("podatki/172200007ren.PDF"), "star"));
        new TTreeDigitalniPodatek(fixture->path(QStringLiteral("podatki/meje.dxf")), data);
        new TTreeDigitalniPodatek(fixture->path(QStringLiteral("podatki/172200007ren.PDF")), data);
        QVERIFY(fixture->buildPdf().succeeded);
        TTreeDokument *image = elaborat->documents().last();
        QCOMPARE(image->suffix(), questionnaire ? QStringLiteral("pdf") : QStringLiteral("png"));

        const QString zip = fixture->path(QStringLiteral("paket.zip"));
        fixture->prompter().fileNames.enqueue(zip);
        fixture->awaitBuild();
        fixture->window().on_actionZIP_triggered();
        QVERIFY(elaborat->zipWritten);
        QStringList unpacked = packageFiles(zip, QStringLiteral("iz"));
        unpacked.sort(Qt::CaseInsensitive);
        files.sort(Qt::CaseInsensitive);
        QCOMPARE(unpacked, files);
        if (!questionnaire) {
            const auto ren
                = Poppler::Document::load(fixture->path(QStringLiteral("iz/172200007REN.pdf")));
            QVERIFY(ren);
            QCOMPARE(ren->numPages(), 2);
            // Converted for the REN PDF, in the GUI thread afterwards.
            QCOMPARE(image->suffix(), QStringLiteral("pdf"));
        }
    }

    void aRenPdfThatCannotBeNamedIsToldBeforePacking()
    {
        TTreeElaborat *elaborat = questionnaireElaborat(false, QString());
        QVERIFY(fixture->buildPdf().succeeded);
        fixture->prompter().shown.clear();
        const QString zip = fixture->path(QStringLiteral("paket.zip"));
        fixture->prompter().fileNames.enqueue(zip);
        fixture->awaitBuild();
        fixture->window().on_actionZIP_triggered();

        QCOMPARE(fixture->prompter().shown.size(), 3);
        QCOMPARE(fixture->prompter().shown.at(0).kind, ScriptedPrompter::SaveFile);
        QCOMPARE(fixture->prompter().shown.at(0).detail,
            QFileInfo(elaborat->pdfPath()).absolutePath() + QStringLiteral("/172200045.zip"));
        QCOMPARE(fixture->prompter().shown.at(1).text,
            QStringLiteral("IDPOS in/ali ST. STAVBE nista dolocena."));
        QCOMPARE(fixture->prompter().shown.at(2).kind, ScriptedPrompter::Dialog);
        QVERIFY(elaborat->zipWritten);
        QCOMPARE(packageFiles(zip, QStringLiteral("iz")),
            QStringList {QFileInfo(elaborat->pdfPath()).fileName()});
    }
};

QTEST_MAIN(ZipCommandTest)
#include "zipcommandtest.moc"
