#include "elaboratfixture.h"
#include "intake/dialogtwain.h"
#include "intake/sifrantdlg.h"
#include "intake/tprocessconv2pdf.h"
#include "intake/twainprocess.h"
#include "model/treemenus.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "services/dialognastavitev.h"
#include "treeactions.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace TreeMenus;

namespace {
const int waitMs = 60000;

// A shell function for fake tools: "gate <file>" waits until the test creates the file in the
// tool's folder, so that the test decides when the tool goes on. It gives up after a minute,
// lest a failed test leave it behind.
const QByteArray gateFunction
    = "gate() { i=0; while [ ! -e \"$1\" ] && [ $i -lt 1200 ]; do sleep 0.05; i=$((i+1)); "
      "done; }\n";

// The documents below a component, through its bookmarks, in tree order.
QList<TTreeDokument *> documentsOf(QTreeWidgetItem *component)
{
    QList<TTreeDokument *> documents;
    for (int i = 0; i < component->childCount(); ++i) {
        QTreeWidgetItem *child = component->child(i);
        if (TTreeDokument *document = TTreeDokument::cast(child))
            documents << document;
        documents << documentsOf(child);
    }
    return documents;
}

QStringList namesOf(const QList<TTreeDokument *> &documents)
{
    QStringList names;
    for (const TTreeDokument *document : documents)
        names << QFileInfo(document->filePath()).fileName();
    return names;
}

// Resolution and depth of a PDF's page image as the elaborat check reads them.
QByteArray analysis(const QString &pdf)
{
    QProcess analyzer;
    analyzer.start(
        TestProgramFolder::buildProgramDir() + QStringLiteral("/ImageAnalyzer/ImageAnalyzer"),
        {pdf, QStringLiteral("0")});
    analyzer.waitForFinished(waitMs);
    return analyzer.readAllStandardOutput().split('\n').value(0).trimmed();
}
} // namespace

// Scanning into a component: the source from the settings or the source dialog, the scanning
// program's batches converted and placed with the component's type, the question while a scan
// runs, closing refused meanwhile, and what the user hears when scanning or converting fails.
class ScanTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;
    ScriptedPrompter *prompter = nullptr;
    TTreeElaborat *elaborat = nullptr;
    TTreeSestavina *sketches = nullptr;

    TTreeWidget &view() { return *fixture->window().tree(); }
    QComboBox &scannerCombo() { return *fixture->window().settingsDialog()->skeniranje_cb_vir; }

    // SANE's test backend as the only scanner: a flatbed (0) and a document feeder (1), as the
    // settings list them. The scanning program reads a scan's id in the list it printed last.
    void useTestBackend()
    {
        QVERIFY(fixture->folder.write(QStringLiteral("sane/dll.conf"), "test\n"));
        QVERIFY(fixture->folder.write(QStringLiteral("sane/test.conf"), "number_of_devices 1\n"));
        DialogNastavitev &settings = *fixture->window().settingsDialog();
        settings.refreshScannerSources();
        QTRY_COMPARE_WITH_TIMEOUT(scannerCombo().count(), 2, waitMs);
    }

    // A scanning program of our own; it runs in the twain folder.
    void fakeScanner(const QByteArray &script)
    {
        QVERIFY(fixture->folder.writeTool(
            QStringLiteral("twain/TWAIN_APP_CMD"), "#!/bin/sh\n" + script + "\n"));
    }

    // A page image beside the tool folders, for fake scanners to copy.
    void makePage()
    {
        QImage page(40, 60, QImage::Format_RGB888);
        page.fill(Qt::white);
        page.setDotsPerMeterX(11811);
        page.setDotsPerMeterY(11811);
        QVERIFY(page.save(fixture->folder.path(QStringLiteral("page.bmp")), "BMP"));
    }

    // mogrify that records each run's page arguments, one run per line, then converts.
    void recordConversions()
    {
        const QByteArray real
            = (TestProgramFolder::buildProgramDir() + QStringLiteral("/ImageMagick/mogrify"))
                  .toUtf8();
        QVERIFY(fixture->folder.writeTool(QStringLiteral("ImageMagick/mogrify"),
            "#!/bin/sh\nn=0\nfor a; do n=$((n+1)); [ $n -gt 6 ] && printf '%s|' \"$a\" >> runs; "
            "done\necho >> runs\nexec '"
                + real + "' \"$@\"\n"));
    }

    // mogrify that converts a batch only once the test opens the gate named after the batch's
    // first page, "<page>.go" in the ImageMagick folder (openGate).
    void gateConversions()
    {
        const QByteArray real
            = (TestProgramFolder::buildProgramDir() + QStringLiteral("/ImageMagick/mogrify"))
                  .toUtf8();
        QVERIFY(fixture->folder.writeTool(QStringLiteral("ImageMagick/mogrify"),
            "#!/bin/sh\n" + gateFunction
                + "for a; do case \"$a\" in *.bmp) gate \"$(basename \"$a\").go\"; break;; "
                  "esac; done\nexec '"
                + real + "' \"$@\"\n"));
    }

    void openGate(const QString &gate) { QVERIFY(fixture->folder.write(gate, QByteArray())); }

    // The conversions of the running scan, in the order of its batches.
    QList<TProcessConv2pdf *> conversions()
    {
        TwainProcess *scan = view().scanProcess();
        return scan ? scan->findChildren<TProcessConv2pdf *>(Qt::FindDirectChildrenOnly)
                    : QList<TProcessConv2pdf *>();
    }

    QStringList conversionRuns()
    {
        QString runs = QString::fromUtf8(fixture->folder.read(QStringLiteral("ImageMagick/runs")));
        QStringList lines = runs.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return lines;
    }

    void chooseConfiguredSource(const QString &name, int id)
    {
        fixture->window().settings().values().scannerSource = name;
        fixture->window().settings().values().scannerSourceId = id;
    }

    void scanInto(QTreeWidgetItem *item)
    {
        TreeActions::select(view(), {item});
        view().runItemCommand(Entry::scan, item);
    }

    void awaitScanEnd() { QTRY_VERIFY_WITH_TIMEOUT(!elaborat->scanning, waitMs); }

    QString workFile(const QString &name) const
    {
        return elaborat->workDir() + QLatin1Char('/') + name;
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        prompter = &fixture->prompter;
        elaborat = fixture->create({ElaboratFixture::Um});
        sketches = elaborat->findSestavinaByIme(QStringLiteral("skica"));
    }

    void cleanup() { fixture.reset(); }

    void theTestBackendIsListedInTheSettingsAndTheSourceDialog()
    {
        useTestBackend();
        QCOMPARE(scannerCombo().itemText(0), QStringLiteral("Noname frontend-tester (Flatbed)"));
        QCOMPARE(scannerCombo().itemData(1).toInt(), 1);

        DialogTwain dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("TWAIN"));
        QCOMPARE(dialog.selectedSourceId(), -1);
        QTRY_COMPARE_WITH_TIMEOUT(dialog.listWidget->count(), 2, waitMs);
        QCOMPARE(dialog.listWidget->item(1)->text(),
            QStringLiteral("Noname frontend-tester (Automatic Document Feeder)"));
        dialog.listWidget->item(1)->setSelected(true);
        QCOMPARE(dialog.selectedSourceId(), 1);
    }

    void theFeederScansEveryPageAsDocumentsOfTheComponentsType()
    {
        useTestBackend();
        chooseConfiguredSource(
            QStringLiteral("Noname frontend-tester (Automatic Document Feeder)"), 1);
        scanInto(sketches);
        QVERIFY(elaborat->scanning);
        awaitScanEnd();

        QCOMPARE(prompter->count(ScriptedPrompter::Dialog), 0);
        QCOMPARE(prompter->messageTexts(), QStringList());
        QCOMPARE(sketches->childCount(), 1);
        auto *bookmark = dynamic_cast<TTreeBookmark *>(sketches->child(0));
        QVERIFY(bookmark);
        QCOMPARE(bookmark->sifra(), QStringLiteral("112"));
        const QList<TTreeDokument *> pages = documentsOf(sketches);
        QCOMPARE(pages.size(), 10);
        QCOMPARE(namesOf(pages).first(), QStringLiteral("scan0001.pdf"));
        QCOMPARE(namesOf(pages).last(), QStringLiteral("scan0010.pdf"));
        QCOMPARE(elaborat->nextScanNumber, 11);
        QVERIFY(!elaborat->upToDate());
        // The check wants 24 bits at 295 dpi or more each way; a 300 dpi page may read a hair
        // below 300 through the converter's rounding of the page size.
        const QList<QByteArray> image = analysis(pages.first()->filePath()).split(';');
        QCOMPARE(image.size(), 3);
        QVERIFY(qRound(image.at(0).toDouble()) == 300 && qRound(image.at(1).toDouble()) == 300);
        QCOMPARE(image.at(2), QByteArray("24"));
        QCOMPARE(QDir(elaborat->workDir()).entryList({QStringLiteral("*.bmp")}), QStringList());
        QTRY_VERIFY(!view().scanProcess());
    }

    void withoutAConfiguredSourceTheSourceDialogChooses()
    {
        useTestBackend();
        chooseConfiguredSource(QString(), -1);
        prompter->dialogs.enqueue([](QDialog *shown) {
            auto *dialog = qobject_cast<DialogTwain *>(shown);
            if (!dialog || !QTest::qWaitFor([dialog] { return dialog->listWidget->count() > 0; }))
                return int(QDialog::Rejected);
            dialog->listWidget->item(0)->setSelected(true);
            return int(QDialog::Accepted);
        });
        TTreeSestavina *records = elaborat->findSestavinaByIme(QStringLiteral("zapisniki"));
        scanInto(records);
        awaitScanEnd();

        QCOMPARE(prompter->shown.first().detail, QStringLiteral("DialogTwain"));
        // A component without a type of its own takes the pages untyped.
        QCOMPARE(namesOf(documentsOf(records)), QStringList {QStringLiteral("scan0001.pdf")});
        QCOMPARE(records->child(0), documentsOf(records).first());
    }

    void aCancelledOrEmptyChoiceScansNothing_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("cancelled") << int(QDialog::Rejected);
        QTest::newRow("nothing selected") << int(QDialog::Accepted);
    }

    void aCancelledOrEmptyChoiceScansNothing()
    {
        QFETCH(int, answer);
        chooseConfiguredSource(QString(), -1);
        prompter->dialogs.enqueue([answer](QDialog *) { return answer; });
        scanInto(sketches);
        QVERIFY(!elaborat->scanning);
        QVERIFY(!view().scanProcess());
    }

    void batchesAreConvertedAndPlacedAsTheyArrive()
    {
        makePage();
        recordConversions();
        fakeScanner(gateFunction
            + "echo \"$@\" > arguments\n"
              "cp ../page.bmp \"$2/scan0001.bmp\"\n"
              "printf '\"scan0001.bmp\"\\r\\n'\n"
              "gate next\n"
              "cp ../page.bmp \"$2/scan0002.bmp\"; cp ../page.bmp \"$2/scan0003.bmp\"\n"
              "printf 'scan0002.bmp\\r\\nscan0003.bmp\\r\\n'");
        chooseConfiguredSource(QStringLiteral("Skener"), 3);
        scanInto(sketches);
        // The first name has been read on its own before the scanner goes on.
        QTRY_COMPARE_WITH_TIMEOUT(elaborat->nextScanNumber, 2, waitMs);
        openGate(QStringLiteral("twain/next"));
        awaitScanEnd();

        const QString stamp = elaborat->stamp();
        const QStringList arguments = QString::fromUtf8(fixture->folder.read("twain/arguments"))
                                          .trimmed()
                                          .split(QLatin1Char(' '));
        QCOMPARE(arguments.mid(0, 3),
            (QStringList {
                QStringLiteral("3"), QStringLiteral("../.tmp/") + stamp, QStringLiteral("1")}));
        QCOMPARE(arguments.size(), 4);
        const QString page = QStringLiteral("../.tmp/%1/scan000%2.bmp|").arg(stamp);
        QCOMPARE(conversionRuns(), (QStringList {page.arg(1), page.arg(2) + page.arg(3)}));
        QCOMPARE(elaborat->nextScanNumber, 4);
        QCOMPARE(namesOf(documentsOf(sketches)),
            (QStringList {QStringLiteral("scan0001.pdf"), QStringLiteral("scan0002.pdf"),
                QStringLiteral("scan0003.pdf")}));
        // One bookmark for the type, however many batches brought pages.
        QCOMPARE(sketches->childCount(), 1);
    }

    void pagesKeepTheScansOrderWhenALaterBatchConvertsFirst()
    {
        makePage();
        gateConversions();
        fakeScanner(gateFunction
            + "cp ../page.bmp \"$2/scan0001.bmp\"; echo scan0001.bmp\ngate next\n"
              "cp ../page.bmp \"$2/scan0002.bmp\"; echo scan0002.bmp");
        chooseConfiguredSource(QStringLiteral("Skener"), 0);
        scanInto(sketches);
        QTRY_COMPARE_WITH_TIMEOUT(elaborat->nextScanNumber, 2, waitMs);
        openGate(QStringLiteral("twain/next"));
        QTRY_COMPARE_WITH_TIMEOUT(conversions().size(), 2, waitMs);
        QSignalSpy secondConverted(conversions().at(1), &QProcess::finished);
        openGate(QStringLiteral("ImageMagick/scan0002.bmp.go"));
        QVERIFY(secondConverted.wait(waitMs));
        QVERIFY(QFile::exists(workFile(QStringLiteral("scan0002.pdf"))));
        // The first batch is still converting: the second waits for it.
        QVERIFY(QFile::exists(workFile(QStringLiteral("scan0001.bmp"))));
        QCOMPARE(documentsOf(sketches).size(), 0);

        openGate(QStringLiteral("ImageMagick/scan0001.bmp.go"));
        awaitScanEnd();
        QCOMPARE(namesOf(documentsOf(sketches)),
            (QStringList {QStringLiteral("scan0001.pdf"), QStringLiteral("scan0002.pdf")}));
    }

    void aSecondScanAsksBeforeItStopsTheFirst()
    {
        fakeScanner("sleep 30");
        chooseConfiguredSource(QStringLiteral("Skener"), 0);
        scanInto(sketches);
        QPointer<TwainProcess> first = view().scanProcess();
        QVERIFY(first && first->waitForStarted(waitMs));

        prompter->buttons.enqueue(QMessageBox::No);
        scanInto(sketches);
        QCOMPARE(prompter->messageTexts(),
            QStringList {
                QStringLiteral("Za ta elaborat skeniranje se ni koncano. Ali ga prekinem?")});
        QCOMPARE(prompter->shown.first().defaultButton, QMessageBox::No);
        QCOMPARE(view().scanProcess(), first.data());
        QVERIFY(first->state() != QProcess::NotRunning);

        prompter->buttons.enqueue(QMessageBox::Yes);
        scanInto(sketches);
        QVERIFY(view().scanProcess() != first.data());
        QVERIFY(elaborat->scanning);
        QTRY_VERIFY(!first);
        // A stopped scan is no failure to report.
        QCOMPARE(prompter->count(ScriptedPrompter::MessageBox), 2);
    }

    void closingWaitsForTheScan()
    {
        fakeScanner("sleep 30");
        chooseConfiguredSource(QStringLiteral("Skener"), 0);
        scanInto(sketches);
        QVERIFY(!view().closeElaborat(elaborat));
        QCOMPARE(prompter->messageTexts(),
            QStringList {
                QStringLiteral("Pred zapiranjem elaborata je potrebno zakljuciti skeniranje!")});
        view().scanProcess()->abort();
        awaitScanEnd();
    }

    void aFailedScanIsReportedAndAddsNothing()
    {
        fakeScanner("echo 'Papir se je zataknil v podajalniku.' >&2\nexit 3");
        chooseConfiguredSource(QStringLiteral("Skener"), 0);
        scanInto(sketches);
        awaitScanEnd();
        QTRY_COMPARE(prompter->messageTexts(),
            QStringList {QStringLiteral("Papir se je zataknil v podajalniku.")});
        QCOMPARE(sketches->childCount(), 0);
    }

    void aMissingScanningProgramEndsTheScan()
    {
        // The window's settings dialog lists the sources at start; its scanning program may still
        // be writing into the tool folder.
        QTRY_VERIFY(fixture->folder.removeTool(QStringLiteral("twain")));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", fixture->folder.path(QStringLiteral("config")).toLocal8Bit());
        chooseConfiguredSource(QStringLiteral("Skener"), 0);
        scanInto(sketches);
        awaitScanEnd();
        qputenv("PATH", path);
        QTRY_COMPARE(prompter->count(ScriptedPrompter::MessageBox), 1);
        QVERIFY(prompter->messageTexts().first().startsWith(
            QStringLiteral("Programa za skeniranje ni mogoce zagnati")));
    }

    void aFailedConversionKeepsThePageImages()
    {
        makePage();
        QVERIFY(fixture->folder.writeTool(
            QStringLiteral("ImageMagick/mogrify"), "#!/bin/sh\nexit 1\n"));
        fakeScanner("cp ../page.bmp \"$2/scan0001.bmp\"\necho scan0001.bmp");
        chooseConfiguredSource(QStringLiteral("Skener"), 0);
        scanInto(sketches);
        awaitScanEnd();
        QVERIFY(QFile::exists(workFile(QStringLiteral("scan0001.bmp"))));
        QCOMPARE(sketches->childCount(), 0);
        QTRY_COMPARE(prompter->count(ScriptedPrompter::MessageBox), 1);
        QVERIFY(prompter->messageTexts().first().contains(elaborat->stamp()));
    }

    void pagesWaitWhileTheTypeDialogIsOpen()
    {
        makePage();
        gateConversions();
        fakeScanner("cp ../page.bmp \"$2/scan0001.bmp\"\necho scan0001.bmp");
        chooseConfiguredSource(QStringLiteral("Skener"), 0);
        SifrantDlg &dialog = fixture->window().typeDialog();
        const QString other = fixture->makePdf(QStringLiteral("drugo.pdf"), 1);
        dialog.setup({other}, elaborat->workDir(), QString());
        dialog.show();
        scanInto(sketches);
        QTRY_COMPARE_WITH_TIMEOUT(conversions().size(), 1, waitMs);
        QSignalSpy converted(conversions().first(), &QProcess::finished);
        openGate(QStringLiteral("ImageMagick/scan0001.bmp.go"));
        QVERIFY(converted.wait(waitMs));
        QVERIFY(QFile::exists(workFile(QStringLiteral("scan0001.pdf"))));
        QCOMPARE(sketches->childCount(), 0);
        QVERIFY(elaborat->scanning);

        dialog.accept();
        QCOMPARE(dialog.results().size(), 1);
        QCOMPARE(dialog.results().first().filePath, other);
        awaitScanEnd();
        QCOMPARE(namesOf(documentsOf(sketches)), QStringList {QStringLiteral("scan0001.pdf")});
    }
};

QTEST_MAIN(ScanTest)
#include "scantest.moc"
