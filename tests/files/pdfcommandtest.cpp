#include "buildfixture.h"
#include "files/dialogizdelavaelaborata.h"
#include "files/mythread.h"
#include "model/ttreebookmark.h"
#include "model/ttreedigitalnipodatek.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"
#include "platform/platform.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <memory>

#include <poppler-qt6.h>

// "PDF..." end to end in a real main window with the real composer and converter, the PDF read
// back with poppler.
class PdfCommandTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<BuildFixture> fixture;

    QString landPath() const
    {
        return fixture->workFolderZk() + QStringLiteral("/0850/L2012/00012000/0850_00012_000.pdf");
    }

    static std::unique_ptr<Poppler::Document> open(const QString &path)
    {
        return Poppler::Document::load(path);
    }

    static QString keywords(const QString &path)
    {
        const auto pdf = open(path);
        return pdf ? pdf->info(QStringLiteral("Keywords")) : QString();
    }

    // The outline as "title/page" lines, children indented with a tab.
    static QStringList outlineLines(const QVector<Poppler::OutlineItem> &items, int level = 0)
    {
        QStringList lines;
        for (const Poppler::OutlineItem &item : items) {
            lines << QString(level, QLatin1Char('\t')) + item.name() + QLatin1Char('/')
                    + QString::number(item.destination()->pageNumber());
            lines << outlineLines(item.children(), level + 1);
        }
        return lines;
    }

    static QStringList outlineOf(const QString &path)
    {
        const auto pdf = open(path);
        return pdf ? outlineLines(pdf->outline()) : QStringList();
    }

    static QString pageText(const QString &path, int page)
    {
        const auto pdf = open(path);
        if (!pdf)
            return QString();
        QStringList words;
        for (const auto &box : pdf->page(page - 1)->textList())
            words << box->text();
        return words.join(QLatin1Char(' '));
    }

    QByteArray log() const { return fixture->base.folder.read(QStringLiteral(".tmp/debug.log")); }

    // A land-cadastre elaborat of UM with the identity that names 0850_00012_000.pdf.
    TTreeElaborat *landElaborat()
    {
        TTreeElaborat *elaborat = fixture->create({QStringLiteral("UM")});
        BuildFixture::setLandIdentity(elaborat);
        return elaborat;
    }

    static TTreeBookmark *sketches(TTreeElaborat *elaborat)
    {
        return BuildFixture::bookmark(
            elaborat, QStringLiteral("sk"), QStringLiteral("112"), QStringLiteral("Skica"));
    }

    // A land-cadastre elaborat with one bookmark of one 2-page PDF.
    TTreeElaborat *simpleLandElaborat()
    {
        TTreeElaborat *elaborat = landElaborat();
        new TTreeDokument(fixture->pdf(QStringLiteral("a.pdf"), 2), sketches(elaborat));
        return elaborat;
    }

private slots:
    void init() { fixture = std::make_unique<BuildFixture>(); }
    void cleanup() { fixture.reset(); }

    void buildsALandCadastreElaboratIntoItsWorkFolder()
    {
        TTreeElaborat *elaborat = fixture->create({QStringLiteral("UM")});
        BuildFixture::setLandIdentity(elaborat);
        elaborat->setAttribute(
            QStringLiteral("GEODETSKA_PISARNA"), QStringLiteral("140 Ljubljana"));
        elaborat->setAttribute(QStringLiteral("OPIS"), QStringLiteral("meja \"ob potoku\""));
        TTreeBookmark *skica = BuildFixture::bookmark(
            elaborat, QStringLiteral("sk"), QStringLiteral("112"), QStringLiteral("Skica meje"));
        new TTreeDokument(fixture->pdf(QStringLiteral("a.pdf"), 3), skica);
        new TTreeDokument(
            fixture->pdf(QStringLiteral("b.pdf"), 10, QStringLiteral("b")), skica, 5, 1);
        TTreeBookmark *zapisnik = BuildFixture::bookmark(
            elaborat, QStringLiteral("zp"), QStringLiteral("121"), QStringLiteral("Zapisnik"));
        auto *image = new TTreeDokument(fixture->image(QStringLiteral("slika.png")), zapisnik);
        auto *inner = new TTreeBookmark(
            QStringLiteral("122"), QStringLiteral("122 Priloga k zapisniku"), zapisnik);
        auto *priloga = new TTreeDokument(fixture->pdf(QStringLiteral("c.pdf"), 2), inner);
        new TTreeDigitalniPodatek(fixture->path(QStringLiteral("meje.dxf")),
            elaborat->findSestavinaBySifra(QStringLiteral("dp")));

        const BuildFixture::Outcome outcome = fixture->buildPdf();

        // The folder did not exist: one question, answered with its default Yes.
        QCOMPARE(fixture->prompter().messageTexts(),
            QStringList {QStringLiteral("Mapa elaborata se ne obstaja.")});
        const ScriptedPrompter::Shown question = fixture->prompter().shown.first();
        QCOMPARE(question.informativeText,
            QStringLiteral("Elaborat bo shranjen v mapo '%1', ki pa se ne obstaja. Jo zelite "
                           "ustvariti?")
                .arg(QFileInfo(landPath()).absolutePath()));
        QCOMPARE(question.defaultButton, QMessageBox::Yes);

        QVERIFY(outcome.succeeded);
        QCOMPARE(outcome.title, QStringLiteral("Izdelava elaborata"));
        QCOMPARE(outcome.text,
            QStringLiteral("Elaborat je uspesno izdelan. Nahaja se na:\n") + landPath());
        QCOMPARE(outcome.exploreText, QStringLiteral("Pojdi v mapo elaborata"));
        QCOMPARE(outcome.outputPath, landPath());
        QVERIFY(outcome.explore && outcome.stisni && !outcome.prekini && !outcome.progress);

        QCOMPARE(elaborat->pdfPath(), landPath());
        QCOMPARE(elaborat->text(0), QStringLiteral("0850_00012_000"));
        QVERIFY(elaborat->upToDate());

        const auto pdf = open(landPath());
        QVERIFY(pdf);
        // 3 pages, page 5 of the 10-page file once, the image, 2 pages.
        QCOMPARE(pdf->numPages(), 7);
        QCOMPARE(pdf->page(3)->orientation(), Poppler::Page::Landscape);
        QCOMPARE(pdf->page(2)->orientation(), Poppler::Page::Portrait);
        QCOMPARE(pageText(landPath(), 4), QStringLiteral("b5"));
        QCOMPARE(pdf->info(QStringLiteral("Title")), QStringLiteral("Arhiv zemljiškega katastra"));
        QCOMPARE(outlineOf(landPath()),
            QStringList({QStringLiteral("Skica meje/1"), QStringLiteral("Zapisnik/5"),
                QStringLiteral("\tPriloga k zapisniku/6")}));
        QCOMPARE(pdf->info(QStringLiteral("Keywords")),
            QStringLiteral("GEODETSKA_PISARNA=140|KO=850|IDPOS=12|REZPOS=|ZAPST=|OPIS=meja "
                           "'ob potoku'|DATUM_ZADNJE_SPREMEMBE=07.03.2012|POSTOPKI=UM|BMIDS=112;"
                           "121;122|SIDS=sk;zp;zp|KS=0|UNAME=")
                + Platform::userName() + QStringLiteral("|VER=2.4.5"));

        // The image document uses its converted PDF now; the PDF documents are as they were.
        QCOMPARE(image->suffix(), QStringLiteral("pdf"));
        QCOMPARE(QFileInfo(image->filePath()).absolutePath(), elaborat->workDir());
        QVERIFY(QFile::exists(image->filePath()));
        QCOMPARE(image->sourcePath(), fixture->path(QStringLiteral("slika.png")));
        QCOMPARE(priloga->filePath(), fixture->path(QStringLiteral("c.pdf")));

        const QByteArray debugLog = log();
        QVERIFY(debugLog.contains("--------on_actionPDF_triggered----------"));
        QVERIFY(debugLog.contains("--------onThreadTerminated----------"));
        QVERIFY(debugLog.contains(
            ("--------Elaborat je uspesno izdelan. Nahaja se na:\n" + landPath()).toUtf8()));
        QVERIFY(debugLog.contains("TTreeElaborat4"));
    }

    void actionsFollowTheBuildUntilTheNextEdit()
    {
        TTreeElaborat *elaborat = simpleLandElaborat();
        MainWindow &window = fixture->window();
        QVERIFY(window.actionPDF->isEnabled());
        QVERIFY(!window.actionZIP->isEnabled() && !window.actionArhiviraj->isEnabled());

        fixture->awaitBuild();
        window.actionPDF->trigger();
        QVERIFY(fixture->last.succeeded);
        QVERIFY(!window.actionPDF->isEnabled());
        QVERIFY(window.actionZIP->isEnabled() && window.actionArhiviraj->isEnabled());

        elaborat->documents().first()->rotate(90);
        QVERIFY(window.actionPDF->isEnabled());
        QVERIFY(!window.actionZIP->isEnabled() && !window.actionArhiviraj->isEnabled());
    }

    void buildingCadastreLeavesTheQuestionnaireOut_data()
    {
        QTest::addColumn<bool>("questionnaire");
        QTest::addColumn<QStringList>("outline");
        QTest::addColumn<QString>("codes");
        QTest::addColumn<int>("pages");
        QTest::newRow("separate") << false
                                  << QStringList({QStringLiteral("Tloris/1"),
                                         QStringLiteral("Naslovna stran/4")})
                                  << QStringLiteral("BMIDS=104;201|SIDS=nc;ns") << 4;
        QTest::newRow("ks_vpis_vprasalnika")
            << true
            << QStringList({QStringLiteral("Tloris/1"), QStringLiteral("Vprasalnik/4"),
                   QStringLiteral("Naslovna stran/6")})
            << QStringLiteral("BMIDS=104;110;201|SIDS=nc;vp;ns") << 6;
    }

    void buildingCadastreLeavesTheQuestionnaireOut()
    {
        QFETCH(bool, questionnaire);
        QFETCH(QStringList, outline);
        QFETCH(QString, codes);
        QFETCH(int, pages);
        QStringList procedures {QStringLiteral("VS")};
        if (questionnaire)
            procedures << QStringLiteral("ks_vpis_vprasalnika");
        TTreeElaborat *elaborat = fixture->create(procedures);
        QVERIFY(elaborat->isKs());
        elaborat->setAttribute(QStringLiteral("KO"), QStringLiteral("1722 Trnovo"));
        elaborat->setAttribute(QStringLiteral("IDPOS"), QStringLiteral("45"));
        elaborat->setAttribute(QStringLiteral("REZPOS"), QStringLiteral("7"));
        elaborat->setAttribute(
            QStringLiteral("DATUM_ZADNJE_SPREMEMBE"), QStringLiteral("05.03.2012"));
        TTreeBookmark *plans = BuildFixture::bookmark(
            elaborat, QStringLiteral("nc"), QStringLiteral("104"), QStringLiteral("Tloris"));
        new TTreeDokument(fixture->pdf(QStringLiteral("p1.pdf"), 1), plans);
        new TTreeDokument(fixture->pdf(QStringLiteral("p2.pdf"), 2), plans);
        TTreeBookmark *questions = BuildFixture::bookmark(
            elaborat, QStringLiteral("vp"), QStringLiteral("110"), QStringLiteral("Vprasalnik"));
        new TTreeDokument(
            fixture->pdf(QStringLiteral("v1.pdf"), 1, QStringLiteral("v")), questions);
        auto *subtitle = new TTreePodnaslov(questions);
        new TTreeDokument(fixture->pdf(QStringLiteral("v2.pdf"), 1, QStringLiteral("v")), subtitle);
        new TTreeDokument(fixture->pdf(QStringLiteral("n.pdf"), 1, QStringLiteral("n")),
            BuildFixture::bookmark(elaborat, QStringLiteral("ns"), QStringLiteral("201"),
                QStringLiteral("Naslovna stran")));

        QVERIFY(fixture->buildPdf().succeeded);
        const QString path = fixture->workFolderKs()
            + QStringLiteral("/1722_Trnovo/L_2012/S7/1722_00045_000_S.pdf");
        QCOMPARE(elaborat->pdfPath(), path);
        QCOMPARE(open(path)->numPages(), pages);
        QCOMPARE(open(path)->info(QStringLiteral("Title")), QStringLiteral("Arhiv katastra stavb"));
        QCOMPARE(outlineOf(path), outline);
        QVERIFY(pageText(path, pages).contains(QStringLiteral("n1")));
        const QString text = keywords(path);
        QVERIFY2(text.contains(QStringLiteral("|ETS=1:1;2:2|") + codes + QStringLiteral("|KS=1|")),
            qPrintable(text));
        QVERIFY(text.startsWith(QStringLiteral("KO=1722|IDPOS=45|REZPOS=7|")));
    }

    void rebuildingIntoTheSameFileRenumbersItsOwnPages()
    {
        TTreeElaborat *elaborat = landElaborat();
        TTreeBookmark *first = sketches(elaborat);
        auto *x = new TTreeDokument(
            fixture->pdf(QStringLiteral("x.pdf"), 1, QStringLiteral("x")), first);
        TTreeBookmark *second = BuildFixture::bookmark(
            elaborat, QStringLiteral("zp"), QStringLiteral("121"), QStringLiteral("Zapisnik"));
        auto *y = new TTreeDokument(
            fixture->pdf(QStringLiteral("y.pdf"), 2, QStringLiteral("y")), second);
        QVERIFY(fixture->buildPdf().succeeded);
        const QString own = landPath();
        QCOMPARE(pageText(own, 3), QStringLiteral("y2"));

        // The elaborat as reopening makes it: one document per page of its own PDF, reordered.
        delete x;
        delete y;
        new TTreeDokument(own, first, 3);
        auto *x1 = new TTreeDokument(own, second, 1);
        auto *y1 = new TTreeDokument(own, second, 2);
        fixture->prompter().shown.clear();

        const BuildFixture::Outcome outcome = fixture->buildPdf();
        QVERIFY(outcome.succeeded);
        QCOMPARE(fixture->prompter().messageTexts(),
            QStringList {QStringLiteral("Elaborat ze obstaja.")});
        QCOMPARE(fixture->prompter().shown.first().informativeText,
            QStringLiteral("Elaborat '%1'\nze obstaja. Ga zelite zamenjati?").arg(own));
        QCOMPARE(elaborat->pdfPath(), own);
        QCOMPARE(pageText(own, 1), QStringLiteral("y2"));
        QCOMPARE(pageText(own, 2), QStringLiteral("x1"));
        QCOMPARE(pageText(own, 3), QStringLiteral("y1"));
        QCOMPARE(elaborat->documents().first()->page(), 1);
        QCOMPARE(x1->page(), 2);
        QCOMPARE(y1->page(), 3);
        QCOMPARE(y1->nameText(), QStringLiteral("0850_00012_000.pdf/str. 3"));

        // Written through a temporary file in the work folder, which is gone again.
        QVERIFY(log().contains(QStringLiteral("\"%1/e").arg(elaborat->workDir()).toUtf8()));
        QCOMPARE(QDir(elaborat->workDir()).entryList({QStringLiteral("e*.pdf")}), QStringList());
        QCOMPARE(QDir(QFileInfo(own).absolutePath()).entryList(QDir::Files),
            QStringList {QFileInfo(own).fileName()});
    }

    void buildingBackIntoAnEarlierFileRenumbersItsPages()
    {
        TTreeElaborat *elaborat = landElaborat();
        TTreeBookmark *first = sketches(elaborat);
        auto *x = new TTreeDokument(
            fixture->pdf(QStringLiteral("x.pdf"), 1, QStringLiteral("x")), first);
        auto *y = new TTreeDokument(
            fixture->pdf(QStringLiteral("y.pdf"), 1, QStringLiteral("y")), first);
        QVERIFY(fixture->buildPdf().succeeded);
        const QString earlier = landPath();
        delete x;
        delete y;
        auto *x1 = new TTreeDokument(earlier, first, 1);
        auto *y1 = new TTreeDokument(earlier, first, 2);

        // Another version elsewhere, then the pages swapped and built back into the first file.
        elaborat->setAttribute(QStringLiteral("ZAPST"), QStringLiteral("1"));
        QVERIFY(fixture->buildPdf().succeeded);
        QVERIFY(elaborat->pdfPath() != earlier);
        first->removeChild(x1);
        first->addChild(x1);
        x1->rebuildRowWidget();
        elaborat->setAttribute(QStringLiteral("ZAPST"), QString());
        QVERIFY(fixture->buildPdf().succeeded);
        QCOMPARE(elaborat->pdfPath(), earlier);
        QCOMPARE(pageText(earlier, 1), QStringLiteral("y1"));
        QCOMPARE(y1->page(), 1);
        QCOMPARE(x1->page(), 2);
    }

    void renumberingCountsOnlyThePagesOfThePdf()
    {
        TTreeElaborat *elaborat = fixture->create({QStringLiteral("VS")});
        BuildFixture::setLandIdentity(elaborat);
        elaborat->setAttribute(QStringLiteral("REZPOS"), QStringLiteral("7"));
        new TTreeDokument(fixture->pdf(QStringLiteral("t.pdf"), 2, QStringLiteral("t")),
            BuildFixture::bookmark(
                elaborat, QStringLiteral("nc"), QStringLiteral("104"), QStringLiteral("Tloris")));
        new TTreeDokument(fixture->pdf(QStringLiteral("v.pdf"), 3),
            BuildFixture::bookmark(elaborat, QStringLiteral("vp"), QStringLiteral("110"),
                QStringLiteral("Vprasalnik")));
        TTreeBookmark *title = BuildFixture::bookmark(
            elaborat, QStringLiteral("ns"), QStringLiteral("201"), QStringLiteral("Naslovna"));
        auto *n = new TTreeDokument(
            fixture->pdf(QStringLiteral("n.pdf"), 1, QStringLiteral("n")), title);
        QVERIFY(fixture->buildPdf().succeeded);
        const QString own = elaborat->pdfPath();
        QCOMPARE(pageText(own, 3), QStringLiteral("n1"));

        delete n;
        auto *ownPage = new TTreeDokument(own, title, 3);
        QVERIFY(fixture->buildPdf().succeeded);
        // The questionnaire's three pages went to no page of this PDF.
        QCOMPARE(ownPage->page(), 3);
        QCOMPARE(pageText(own, 3), QStringLiteral("n1"));
    }

    void aFailedBuildKeepsTheOldFileAndPath_data()
    {
        QTest::addColumn<bool>("samePath");
        QTest::newRow("same file") << true;
        QTest::newRow("another file") << false;
    }

    void aFailedBuildKeepsTheOldFileAndPath()
    {
        QFETCH(bool, samePath);
        TTreeElaborat *elaborat = simpleLandElaborat();
        QVERIFY(fixture->buildPdf().succeeded);
        const QString old = landPath();
        QFile file(old);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray oldBytes = file.readAll();
        file.close();

        const QString missing = fixture->pdf(QStringLiteral("izgubljen.pdf"), 1);
        new TTreeDokument(missing, elaborat->documents().first()->parent());
        QFile::remove(missing);
        if (!samePath)
            elaborat->setAttribute(
                QStringLiteral("DATUM_ZADNJE_SPREMEMBE"), QStringLiteral("01.02.2013"));
        fixture->prompter().shown.clear();

        const BuildFixture::Outcome outcome = fixture->buildPdf();
        QVERIFY(outcome.shown && !outcome.succeeded);
        QCOMPARE(outcome.text, QStringLiteral("Napaka pri izdelavi elaborata ..."));
        QVERIFY(!outcome.explore && !outcome.stisni && !outcome.prekini && !outcome.progress);
        QCOMPARE(elaborat->pdfPath(), old);
        QCOMPARE(elaborat->text(0), QStringLiteral("0850_00012_000"));
        QVERIFY(!elaborat->upToDate());
        QVERIFY(fixture->window().actionPDF->isEnabled());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), oldBytes);
        QCOMPARE(QDir(elaborat->workDir()).entryList({QStringLiteral("e*.pdf")}), QStringList());
        if (!samePath)
            QVERIFY(!QFile::exists(fixture->workFolderZk()
                + QStringLiteral("/0850/L2013/00012000/0850_00012_000.pdf")));
        QVERIFY(log().contains("--------Napaka pri izdelavi elaborata ...----------"));
    }

    void aStoppedBuildShowsNothingAndChangesNothing_data()
    {
        QTest::addColumn<bool>("byCloseQuestion");
        QTest::newRow("Prekini izdelavo") << false;
        QTest::newRow("closed, Yes") << true;
    }

    void aStoppedBuildShowsNothingAndChangesNothing()
    {
        QFETCH(bool, byCloseQuestion);
        TTreeElaborat *elaborat = simpleLandElaborat();
        QVERIFY(fixture->base.folder.write(
            QStringLiteral("delo/zk/0850/L2012/00012000/0850_00012_000.pdf"), "stari"));
        fixture->installWaitingComposer();
        bool stopped = false;
        fixture->prompter().dialogs.enqueue([&](QDialog *shown) {
            auto *dialog = qobject_cast<DialogIzdelavaElaborata *>(shown);
            [&] { QTRY_VERIFY(fixture->composerStarted()); }();
            dialog->show();
            if (byCloseQuestion) {
                fixture->prompter().buttons.enqueue(QMessageBox::Yes);
                dialog->close();
            } else {
                dialog->b_prekini->click();
            }
            MyThread *worker = dialog->findChild<MyThread *>();
            // The killed composer lets the worker end at once, long before its time limit.
            [&] { QTRY_VERIFY(worker->isFinished()); }();
            stopped = dialog->cancelled() && !dialog->isVisible();
            return dialog->result();
        });
        fixture->window().on_actionPDF_triggered();

        QVERIFY(stopped);
        const QStringList expected = byCloseQuestion
            ? QStringList {QStringLiteral("Elaborat ze obstaja."),
                QStringLiteral("Izdelovanje elaborata se ni koncano. Se res zelis vrniti v "
                               "urejevalnik in prekiniti izdelavo?")}
            : QStringList {QStringLiteral("Elaborat ze obstaja.")};
        QCOMPARE(fixture->prompter().messageTexts(), expected);
        QCOMPARE(fixture->base.folder.read(
                     QStringLiteral("delo/zk/0850/L2012/00012000/0850_00012_000.pdf")),
            QByteArray("stari"));
        QCOMPARE(elaborat->pdfPath(), landPath());
        QVERIFY(!elaborat->upToDate());
        QVERIFY(!log().contains("Napaka"));

        // The elaborat stays usable: the next build goes through.
        fixture->releaseComposer();
        QVERIFY(fixture->buildPdf().succeeded);
        QCOMPARE(open(landPath())->numPages(), 2);
    }

    void answeringNoToTheCloseQuestionKeepsTheBuildRunning()
    {
        simpleLandElaborat();
        fixture->installWaitingComposer();
        QString question;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        bool stillRunning = false;
        fixture->prompter().dialogs.enqueue([&](QDialog *shown) {
            auto *dialog = qobject_cast<DialogIzdelavaElaborata *>(shown);
            [&] { QTRY_VERIFY(fixture->composerStarted()); }();
            dialog->show();
            fixture->prompter().buttons.enqueue(QMessageBox::No);
            dialog->close();
            question = fixture->prompter().messageTexts().value(1);
            defaultButton = fixture->prompter().shown.last().defaultButton;
            stillRunning
                = dialog->isVisible() && dialog->working() && !dialog->b_prekini->isHidden();
            fixture->releaseComposer();
            [&] { QTRY_VERIFY_WITH_TIMEOUT(!dialog->working(), 60000); }();
            fixture->last = BuildFixture::outcomeOf(dialog);
            // Ended: the close asks nothing.
            dialog->close();
            return dialog->result();
        });
        fixture->window().on_actionPDF_triggered();

        QCOMPARE(question,
            QStringLiteral("Izdelovanje elaborata se ni koncano. Se res zelis vrniti v "
                           "urejevalnik in prekiniti izdelavo?"));
        QCOMPARE(defaultButton, QMessageBox::No);
        QVERIFY(stillRunning);
        QVERIFY(fixture->last.succeeded);
        QCOMPARE(fixture->prompter().count(ScriptedPrompter::MessageBox), 2);
        QVERIFY(QFile::exists(landPath()));
    }

    void compressingAfterTheBuildRunsThePackageCommand()
    {
        TTreeElaborat *elaborat = simpleLandElaborat();
        const QString data = fixture->pdf(QStringLiteral("meje.dxf"), 1);
        new TTreeDigitalniPodatek(data, elaborat->findSestavinaBySifra(QStringLiteral("dp")));
        fixture->awaitBuild([](DialogIzdelavaElaborata *dialog) { dialog->b_stisni->click(); });
        const QString zip = fixture->path(QStringLiteral("paket.zip"));
        fixture->prompter().fileNames.enqueue(zip);
        BuildFixture::Outcome pdf;
        fixture->prompter().dialogs.enqueue([&](QDialog *shown) {
            pdf = fixture->last;
            fixture->awaitBuild();
            return fixture->prompter().dialogs.dequeue()(shown);
        });
        fixture->window().on_actionPDF_triggered();

        QVERIFY(pdf.succeeded);
        const ScriptedPrompter::Shown save = fixture->prompter().shown.at(2);
        QCOMPARE(save.kind, ScriptedPrompter::SaveFile);
        QCOMPARE(save.title, QStringLiteral("Stisni elaborat"));
        QCOMPARE(save.detail,
            QFileInfo(landPath()).absolutePath() + QStringLiteral("/0850_00012_12.zip"));
        QCOMPARE(fixture->last.title, QStringLiteral("Stiskanje elaborata"));
        QCOMPARE(fixture->last.text,
            QStringLiteral("Stisnjen paket je uspesno izdelan. Nahaja se na:\n") + zip);
        QCOMPARE(fixture->last.exploreText, QStringLiteral("Pojdi v mapo stisnjenega paketa"));
        QVERIFY(fixture->last.explore && !fixture->last.stisni);
        QCOMPARE(fixture->last.outputPath, zip);
        QVERIFY(elaborat->zipWritten);
        QCOMPARE(elaborat->zipPath, zip);
    }

    void anElaboratWithoutDocumentsIsNotBuilt()
    {
        fixture->create({QStringLiteral("UM")});
        fixture->window().on_actionPDF_triggered();
        QCOMPARE(fixture->prompter().messageTexts(),
            QStringList {QStringLiteral("V izbranem elaboratu ni dodanih dokumentov.")});
        QCOMPARE(fixture->prompter().count(ScriptedPrompter::Dialog), 0);
    }

    void anEmptyDateBecomesTodayBeforeTheBuild()
    {
        TTreeElaborat *elaborat = simpleLandElaborat();
        elaborat->setAttribute(QStringLiteral("DATUM_ZADNJE_SPREMEMBE"), QString());
        elaborat->setPdfPath(fixture->path(QStringLiteral("izbran.pdf")), false);
        fixture->awaitBuild();
        DialogIzdelavaElaborata dialog(elaborat, MyThread::Output::Pdf, &fixture->window());
        const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
        QCOMPARE(elaborat->attribute(QStringLiteral("DATUM_ZADNJE_SPREMEMBE")), today);
        Prompter::current().exec(&dialog);
        QVERIFY(dialog.succeeded());
        QVERIFY(keywords(fixture->path(QStringLiteral("izbran.pdf")))
                    .contains(QStringLiteral("DATUM_ZADNJE_SPREMEMBE=") + today));
    }
};

QTEST_MAIN(PdfCommandTest)
#include "pdfcommandtest.moc"
