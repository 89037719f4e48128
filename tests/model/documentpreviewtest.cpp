#include "elaboratfixture.h"
#include "intake/documentwidget.h"
#include "intake/imageconversion.h"
#include "intake/img2pdf.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "testfiles.h"
#include "treeactions.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <memory>

// The preview of the tree's documents: a PDF shows at once, an image after its conversion by
// the program folder's converter, the selection decides what shows.
class DocumentPreviewTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;
    TTreeElaborat *elaborat = nullptr;
    TTreeBookmark *bookmark = nullptr;

    TTreeWidget &view() { return *fixture->window().tree(); }
    QString shownPages() { return fixture->window().l_npages->text(); }

    // As the window system delivers it: a click, then a press and the double click.
    void doubleClick(QTreeWidgetItem *item)
    {
        QWidget *viewport = view().viewport();
        const QPoint at = TreeActions::centreOf(view(), item);
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at);
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at),
            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &doubleClick);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at);
    }

    // A converter of our own in place of the program folder's.
    void replaceConverter(const QByteArray &script)
    {
        fixture->folder.writeTool("ImageMagick/convert", "#!/bin/sh\n" + script + "\n");
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        elaborat = fixture->create({ElaboratFixture::Um});
        bookmark
            = new TTreeBookmark("112", "112 Skica izmere", elaborat->findSestavinaByIme("skica"));
        view().expandAll();
    }

    void cleanup() { fixture.reset(); }

    void aPdfShowsAtOnce()
    {
        auto *document = new TTreeDokument(fixture->makePdf("a.pdf", 3), bookmark);
        doubleClick(document);
        QCOMPARE(shownPages(), QStringLiteral("3"));
        QVERIFY(fixture->window().pageSpinBox->isEnabled());
        QCOMPARE(document->previewConverter(), nullptr);
    }

    void anImageShowsOnceConvertedAndOnlyOnce()
    {
        const QString image = TestFiles::writeImage(
            fixture->folder.path("Sken.png"), {"-size", "400x300", "xc:teal"});
        QVERIFY(!image.isEmpty());
        auto *document = new TTreeDokument(image, bookmark);
        TreeActions::select(view(), {document});
        QCOMPARE(shownPages(), QStringLiteral("0"));

        doubleClick(document);
        const Img2Pdf *converter = document->previewConverter();
        QVERIFY(converter);
        QTRY_COMPARE_WITH_TIMEOUT(document->suffix(), QStringLiteral("pdf"), 60000);
        QCOMPARE(
            document->filePath(), ImageConversion::documentPdfPath(elaborat->workDir(), image));
        QCOMPARE(document->sourcePath(), image);
        QCOMPARE(document->nameText(), QStringLiteral("sken.png"));
        QCOMPARE(shownPages(), QStringLiteral("1"));
        QCOMPARE(fixture->window().preview()->pageCount(), 1);

        // Now a PDF: shown without converting again.
        fixture->window().preview()->closeDocument();
        fixture->window().l_npages->setText("0");
        doubleClick(document);
        QCOMPARE(document->previewConverter(), converter);
        QCOMPARE(converter->state(), QProcess::NotRunning);
        QCOMPARE(shownPages(), QStringLiteral("1"));
        QVERIFY(fixture->prompter.messageTexts().isEmpty());
    }

    void aConversionForADocumentNoLongerSelectedShowsNothing()
    {
        const QString image
            = TestFiles::writeImage(fixture->folder.path("b.png"), {"-size", "200x200", "xc:red"});
        auto *document = new TTreeDokument(image, bookmark);
        auto *other = new TTreeDokument(fixture->makePdf("c.pdf", 2), bookmark);
        doubleClick(document);
        TreeActions::select(view(), {bookmark->child(0), other});
        QTRY_COMPARE_WITH_TIMEOUT(document->suffix(), QStringLiteral("pdf"), 60000);
        QCOMPARE(shownPages(), QStringLiteral("0"));
    }

    void theSelectionDecidesWhatShows()
    {
        auto *first = new TTreeDokument(fixture->makePdf("d.pdf", 2), bookmark);
        new TTreeDokument(fixture->makePdf("e.pdf", 4), bookmark);
        auto *image = new TTreeDokument(fixture->makeImage("f.png"), bookmark);
        TreeActions::select(view(), {bookmark});
        QCOMPARE(shownPages(), QStringLiteral("2"));
        TreeActions::select(view(), {bookmark->child(1)});
        QCOMPARE(shownPages(), QStringLiteral("4"));
        // Another item clears the preview; an image waits for its conversion.
        TreeActions::select(view(), {image});
        QCOMPARE(shownPages(), QStringLiteral("0"));
        QVERIFY(!fixture->window().scaleComboBox->isEnabled());
        TreeActions::select(view(), {first, image});
        QCOMPARE(shownPages(), QStringLiteral("0"));
        QVERIFY(fixture->prompter.messageTexts().isEmpty());
    }

    void aFailedConversionKeepsTheImage()
    {
        replaceConverter("exit 1");
        auto *document = new TTreeDokument(fixture->makeImage("g.png"), bookmark);
        doubleClick(document);
        QVERIFY(document->previewConverter());
        QTRY_COMPARE(document->previewConverter()->state(), QProcess::NotRunning);
        QCOMPARE(document->suffix(), QStringLiteral("png"));
        QCOMPARE(shownPages(), QStringLiteral("0"));
    }

    void aRunningConversionEndsWithItsDocument()
    {
        replaceConverter("exec sleep 60");
        auto *document = new TTreeDokument(fixture->makeImage("h.png"), bookmark);
        doubleClick(document);
        QTRY_COMPARE(document->previewConverter()->state(), QProcess::Running);
        // A second request waits for the running conversion.
        const Img2Pdf *converter = document->previewConverter();
        document->startPreview(&fixture->window());
        QCOMPARE(document->previewConverter(), converter);

        const QString process = "/proc/" + QString::number(converter->processId());
        QVERIFY(QFile::exists(process));
        delete document;
        QVERIFY(!QFile::exists(process));
    }
};

QTEST_MAIN(DocumentPreviewTest)
#include "documentpreviewtest.moc"
