#include "check/dialogpreveri.h"

#include "check/checkresults.h"
#include "elaboratfixture.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"
#include "pdfbuilder.h"
#include "platform/toolrunner.h"
#include "testfiles.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <signal.h>

// The elaborat check with the real converter and analyzer in a real main window.
class DialogPreveriTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;
    TTreeElaborat *elaborat = nullptr;
    TTreeBookmark *bookmark = nullptr;
    std::unique_ptr<DialogPreveri> dialog;

    // A PDF of one page drawing a 300 x 300 image at the given resolutions.
    QString imagePdf(const QString &name, const std::string &space, int bits, double x, double y)
    {
        PdfBuilder builder;
        const QByteArray content = QStringLiteral("q %1 0 0 %2 0 0 cm /Im Do Q")
                                       .arg(300 * 72.0 / x, 0, 'f', 6)
                                       .arg(300 * 72.0 / y, 0, 'f', 6)
                                       .toLatin1();
        builder.addImage(builder.addPage(content), "Im", 300, 300, space, bits);
        const QString path = fixture->folder.path(name);
        return builder.write(path) ? path : QString();
    }

    // A tool that notes its process id in <folder>/pid and then waits to be killed.
    void installStalledTool(const QString &program)
    {
        const QString pid = fixture->folder.path(QStringLiteral("pid"));
        QVERIFY(fixture->folder.writeTool(program,
            QStringLiteral("#!/bin/sh\necho $$ > '%1.tmp'\nmv '%1.tmp' '%1'\nexec sleep 60\n")
                .arg(pid)
                .toUtf8()));
    }

    void check()
    {
        dialog->b_preveri->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog->b_prekini->isHidden(), 60000);
    }

    QStringList lines() const
    {
        QStringList texts;
        for (int i = 0; i < dialog->listWidget->count(); ++i)
            texts << dialog->listWidget->item(i)->text();
        return texts;
    }

    QColor lineColor(int row) const { return dialog->listWidget->item(row)->foreground().color(); }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        elaborat = fixture->create({ElaboratFixture::Um});
        bookmark = new TTreeBookmark("112", "112 Skica", elaborat->findSestavinaByIme("skica"));
        dialog = std::make_unique<DialogPreveri>(elaborat, &fixture->window());
    }

    void cleanup()
    {
        dialog.reset();
        fixture.reset();
    }

    void judgesImagesByTheAnalyzer_data()
    {
        QTest::addColumn<QString>("space");
        QTest::addColumn<int>("bits");
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("imageLine");
        QTest::addColumn<bool>("suitable");

        QTest::newRow("RGB at 300")
            << "/DeviceRGB" << 8 << 300.0 << " -> slika 1: rx: 300, ry: 300, bpp: 24" << true;
        QTest::newRow("below 295 though shown as 295")
            << "/DeviceRGB" << 8 << 294.6 << " -> slika 1: rx: 295, ry: 300, bpp: 24" << false;
        QTest::newRow("grey") << "/DeviceGray" << 8 << 300.0
                              << " -> slika 1: rx: 300, ry: 300, bpp: 8" << false;
    }

    void judgesImagesByTheAnalyzer()
    {
        QFETCH(QString, space);
        QFETCH(int, bits);
        QFETCH(double, x);
        QFETCH(QString, imageLine);
        QFETCH(bool, suitable);

        auto *document
            = new TTreeDokument(imagePdf("slika.pdf", space.toStdString(), bits, x, 300), bookmark);
        dialog->cb_sestavniDeli->setChecked(false);
        check();
        const QString summary = suitable
            ? QStringLiteral("- Dokument: slika.pdf. St. vseh slik: 1. Vse slike so ustrezne.")
            : QStringLiteral("- Dokument: slika.pdf. St. vseh slik: 1. St. neustreznih slik: 1");
        QCOMPARE(lines(), QStringList({"Locljivost dokumentov:", summary, imageLine}));
        QCOMPARE(lineColor(2) == CheckColors::warningText, !suitable);
        QCOMPARE(document->nameColor(),
            suitable ? CheckColors::analysedName : CheckColors::unsuitableName);
    }

    void listsEmptyComponentsAndBrokenAttributes()
    {
        delete bookmark;
        new TTreePodnaslov(elaborat->findSestavinaByIme("skica"));
        elaborat->setAttribute(QStringLiteral("IDPOS"), QStringLiteral("12|3"));
        elaborat->setAttribute(QStringLiteral("KO"), QStringLiteral("1234 Ime"));
        dialog->cb_locljivost->setChecked(false);
        check();
        QCOMPARE(lines(),
            QStringList({"Preverjanje obveznih sestavnih delov:", "Manjkajoce obvezne vsebine:",
                " - digitalni podatki", "Preverjanje atributov:", " - IDPOS: vsebuje znak \"|\""}));
        QCOMPARE(elaborat->findSestavinaByIme("digitalni podatki")->foreground(0).color(),
            CheckColors::missingComponent);
        for (const char *present : {"skica", "zapisniki"})
            QCOMPARE(elaborat->findSestavinaByIme(present)->foreground(0).color(),
                CheckColors::component);

        elaborat->setAttribute(QStringLiteral("IDPOS"), QStringLiteral("12"));
        dialog->cb_locljivost->setChecked(true);
        check();
        // No documents: the separator ends the list and no analyzer runs.
        QCOMPARE(lines().mid(3), QStringList({"-----------------"}));
        QVERIFY(!dialog->b_preveri->isHidden());
    }

    void failedAnalyzerIsInterrupted_data()
    {
        QTest::addColumn<QByteArray>("script"); // none: the analyzer is missing
        QTest::addColumn<QString>("logged");

        QTest::newRow("missing") << QByteArray() << "ImageAnalyzer: ni se zagnal";
        QTest::newRow("failing") << QByteArray("#!/bin/sh\necho 'ne gre' >&2\nexit 3\n")
                                 << "ImageAnalyzer: izhodna koda 3\nne gre";
    }

    void failedAnalyzerIsInterrupted()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, logged);

        if (script.isEmpty())
            QVERIFY(fixture->folder.removeTool(QStringLiteral("ImageAnalyzer")));
        else
            QVERIFY(
                fixture->folder.writeTool(QStringLiteral("ImageAnalyzer/ImageAnalyzer"), script));
        new TTreeDokument(fixture->makePdf("a.pdf", 1), bookmark);
        check();
        QCOMPARE(lines().last(), QStringLiteral("PREKINJENO"));
        QVERIFY(!dialog->b_preveri->isHidden());
        QVERIFY(fixture->folder.read(".tmp/debug.log").contains(logged.toUtf8()));
    }

    void stopsConversionsAndAnalysis_data()
    {
        QTest::addColumn<QString>("stalled");
        QTest::addColumn<bool>("closing");

        QTest::newRow("converting") << "ImageMagick/convert" << false;
        QTest::newRow("analysing") << "ImageAnalyzer/ImageAnalyzer" << false;
        QTest::newRow("closing while analysing") << "ImageAnalyzer/ImageAnalyzer" << true;
    }

    void stopsConversionsAndAnalysis()
    {
        QFETCH(QString, stalled);
        QFETCH(bool, closing);

        installStalledTool(stalled);
        const bool converting = stalled.startsWith("ImageMagick");
        auto *document = new TTreeDokument(
            converting ? fixture->makeImage("slika.png") : fixture->makePdf("a.pdf", 1), bookmark);
        dialog->b_preveri->click();
        QVERIFY(!dialog->b_prekini->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(fixture->folder.read("pid").trimmed().toInt() > 0, 20000);
        const pid_t pid = fixture->folder.read("pid").trimmed().toInt();

        if (closing) {
            dialog.reset();
        } else {
            dialog->b_prekini->click();
            QCOMPARE(lines().last(), QStringLiteral("PREKINJENO"));
            QVERIFY(dialog->b_prekini->isHidden());
            QCOMPARE(document->suffix(), QString(converting ? "png" : "pdf"));
        }
        QCOMPARE(::kill(pid, 0), -1);
    }

    void savesTheListAsShown()
    {
        const QString path = fixture->folder.path("rezultati.txt");
        fixture->prompter.fileNames << path;
        dialog->b_shrani->click();
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(fixture->folder.read("rezultati.txt"), QByteArray());

        dialog->cb_locljivost->setChecked(false);
        check();
        fixture->prompter.fileNames << path;
        dialog->b_shrani->click();
        QCOMPARE(QString::fromUtf8(fixture->folder.read("rezultati.txt")),
            lines().join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }

    // A user's check of two scans through the main window's action.
    void findsTheScanOfTooLowAResolution()
    {
        const QStringList plasma {"-size", "300x300", "plasma:", "-type", "TrueColor", "-units",
            "PixelsPerInch", "-density"};
        auto *low = new TTreeDokument(
            TestFiles::writeImage(fixture->folder.path("nizka.png"), plasma + QStringList {"150"}),
            bookmark);
        auto *high = new TTreeDokument(
            TestFiles::writeImage(fixture->folder.path("visoka.png"), plasma + QStringList {"300"}),
            bookmark);
        QStringList shown;
        fixture->prompter.dialogs << [&shown](QDialog *opened) {
            auto *check = qobject_cast<DialogPreveri *>(opened);
            check->b_preveri->click();
            if (!QTest::qWaitFor([check] { return check->b_prekini->isHidden(); }, 60000))
                return 0;
            for (int i = 0; i < check->listWidget->count(); ++i)
                shown << check->listWidget->item(i)->text();
            return 0;
        };
        dialog.reset();
        fixture->window().actionPreveri->trigger();

        QCOMPARE(shown,
            QStringList({"Preverjanje obveznih sestavnih delov:", "Manjkajoce obvezne vsebine:",
                " - digitalni podatki", "-----------------", "Locljivost dokumentov:",
                "- Dokument: nizka.png. St. vseh slik: 1. St. neustreznih slik: 1",
                " -> slika 1: rx: 150, ry: 150, bpp: 24",
                "- Dokument: visoka.png. St. vseh slik: 1. Vse slike so ustrezne.",
                " -> slika 1: rx: 300, ry: 300, bpp: 24"}));
        // As the tree paints them.
        for (const TTreeDokument *document : {low, high}) {
            const QLabel *label = document->nameLabel();
            QCOMPARE(label->palette().color(label->foregroundRole()),
                document == low ? CheckColors::unsuitableName : CheckColors::analysedName);
        }
        QCOMPARE(high->suffix(), QStringLiteral("pdf"));
        QCOMPARE(elaborat->findSestavinaByIme("digitalni podatki")->foreground(0).color(),
            CheckColors::missingComponent);
    }
};

QTEST_MAIN(DialogPreveriTest)
#include "dialogpreveritest.moc"
