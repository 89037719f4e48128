#include "files/dialogizdelavaelaborata.h"
#include "buildfixture.h"
#include "files/mythread.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <memory>

// The build dialog's states and buttons around its worker.
class DialogIzdelavaElaborataTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<BuildFixture> fixture;
    TTreeElaborat *elaborat = nullptr;

    QString target() const { return fixture->path(QStringLiteral("izhod.pdf")); }

private slots:
    void init()
    {
        fixture = std::make_unique<BuildFixture>();
        elaborat = fixture->create({QStringLiteral("UM")});
        BuildFixture::setLandIdentity(elaborat);
        new TTreeDokument(fixture->pdf(QStringLiteral("a.pdf"), 2),
            BuildFixture::bookmark(
                elaborat, QStringLiteral("sk"), QStringLiteral("112"), QStringLiteral("Skica")));
        elaborat->setPdfPath(target(), false);
    }

    void cleanup() { fixture.reset(); }

    void startsBusyWithTheTextsOfItsMode_data()
    {
        QTest::addColumn<bool>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("explore");
        QTest::newRow("PDF") << true << "Izdelujem elaborat ..."
                             << "Izdelava elaborata"
                             << "Pojdi v mapo elaborata";
        QTest::newRow("package") << false << "Izdelujem stisnjeno datoteko ..."
                                 << "Stiskanje elaborata"
                                 << "Pojdi v mapo stisnjenega paketa";
    }

    void startsBusyWithTheTextsOfItsMode()
    {
        QFETCH(bool, mode);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QString, explore);
        elaborat->zipPath = fixture->path(QStringLiteral("paket.zip"));
        elaborat->zipWritten = true;
        DialogIzdelavaElaborata dialog(
            elaborat, mode ? MyThread::Output::Pdf : MyThread::Output::Package, &fixture->window());
        const BuildFixture::Outcome state = BuildFixture::outcomeOf(&dialog);
        QCOMPARE(state.text, text);
        QCOMPARE(state.title, title);
        QCOMPARE(state.exploreText, explore);
        QVERIFY(state.progress && state.prekini && !state.stisni && !state.explore);
        QCOMPARE(dialog.progressBar->maximum(), 0);
        QCOMPARE(dialog.b_prekini->text(), QStringLiteral("Prekini izdelavo"));
        QCOMPARE(dialog.b_stisni->text(), QStringLiteral("Stisni elaborat"));
        QVERIFY(dialog.plainTextEdit->isReadOnly());
        QVERIFY(dialog.working());
        // Packing starts from a cleared mark; a PDF build leaves it alone.
        QCOMPARE(elaborat->zipWritten, mode);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.working(), 60000);
    }

    void anOutcomeThatArrivesAsTheDialogClosesIsKept()
    {
        DialogIzdelavaElaborata dialog(elaborat, MyThread::Output::Pdf, &fixture->window());
        // Ended, but its signal not yet delivered: the button takes the outcome itself.
        dialog.findChild<MyThread *>()->wait();
        dialog.b_prekini->click();
        QVERIFY(!dialog.cancelled());
        QVERIFY(dialog.succeeded());
        QVERIFY(elaborat->upToDate());
        QCOMPARE(elaborat->text(0), QStringLiteral("izhod"));
        QCoreApplication::processEvents();
        QCOMPARE(fixture->base.folder.read(QStringLiteral(".tmp/debug.log"))
                     .count("--------onThreadTerminated----------"),
            1);
    }

    void stoppingABuildToAnotherPathClearsTheUpToDateMark()
    {
        QVERIFY(fixture->buildPdf().succeeded);
        QVERIFY(elaborat->upToDate());
        fixture->installWaitingComposer();
        elaborat->setPdfPath(fixture->path(QStringLiteral("drugje.pdf")), false);
        {
            DialogIzdelavaElaborata dialog(elaborat, MyThread::Output::Pdf, &fixture->window());
            QTRY_VERIFY(fixture->composerStarted());
            dialog.b_prekini->click();
            QVERIFY(dialog.cancelled());
        }
        QCOMPARE(elaborat->pdfPath(), fixture->path(QStringLiteral("drugje.pdf")));
        QVERIFY(!QFile::exists(elaborat->pdfPath()));
        QVERIFY(!elaborat->upToDate());
        QVERIFY(fixture->window().actionPDF->isEnabled());
    }

    void theCompressButtonAsksForThePackage()
    {
        DialogIzdelavaElaborata dialog(elaborat, MyThread::Output::Pdf, &fixture->window());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.working(), 60000);
        QVERIFY(!dialog.compress());
        dialog.b_stisni->click();
        QVERIFY(dialog.compress());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(fixture->prompter().count(ScriptedPrompter::MessageBox), 0);
    }
};

QTEST_MAIN(DialogIzdelavaElaborataTest)
#include "dialogizdelavaelaboratatest.moc"
