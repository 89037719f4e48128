#include "model/ttreedokument.h"
#include "elaboratfixture.h"
#include "files/pdfbuild.h"
#include "intake/imageconversion.h"
#include "model/pagecountcache.h"
#include "model/tabelaatributov.h"
#include "model/ttreebookmark.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "platform/toolrunner.h"

#include <QAccessible>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <memory>

// Documents: their files, pages, rotations, conversion and row widgets, in a real view.
class TTreeDokumentTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;
    TTreeElaborat *elaborat = nullptr;
    TTreeBookmark *bookmark = nullptr;

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        elaborat = fixture->create({ElaboratFixture::Um});
        bookmark = new TTreeBookmark("112", "112 Skica", elaborat->findSestavinaByIme("skica"));
    }

    void cleanup() { fixture.reset(); }

    void aSinglePageShowsItsNumberAndCountsOnce()
    {
        const QString pdf = fixture->makePdf("Scan.PDF", 5);
        auto *document = new TTreeDokument(pdf, bookmark, 3);
        QCOMPARE(document->nameText(), QStringLiteral("scan.pdf/str. 3"));
        QCOMPARE(document->nameLabel()->text(), QStringLiteral("scan.pdf/str. 3"));
        QCOMPARE(document->suffix(), QStringLiteral("pdf"));
        QCOMPARE(document->pageCount(), 5);
        QCOMPARE(document->contributedPages(), 1);
        QCOMPARE(document->sourceName(), QStringLiteral("Scan.PDF"));
        QCOMPARE(fixture->window().tree()->itemWidget(document, 0), document->container());

        document->setPage(4);
        QCOMPARE(document->nameText(), QStringLiteral("scan.pdf/str. 4"));
        auto *whole = new TTreeDokument(pdf, bookmark);
        QCOMPARE(whole->nameText(), QStringLiteral("scan.pdf"));
        QCOMPARE(whole->contributedPages(), 5);
        whole->setPage(2);
        QCOMPARE(whole->page(), 0);
    }

    void pageCounts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("pages");
        QTest::newRow("pdf") << "pdf" << 4;
        QTest::newRow("image") << "png" << 1;
        QTest::newRow("broken pdf") << "broken" << 1;
        QTest::newRow("missing pdf") << "missing" << 1;
    }

    void pageCounts()
    {
        QFETCH(QString, kind);
        QFETCH(int, pages);
        QString path;
        if (kind == "pdf") {
            path = fixture->makePdf("a.pdf", 4);
        } else if (kind == "png") {
            path = fixture->makeImage("a.png");
        } else if (kind == "broken") {
            path = fixture->folder.path("broken.pdf");
            fixture->folder.write("broken.pdf", "%PDF-1.4\nnot really");
        } else {
            path = fixture->folder.path("none.pdf");
        }
        QCOMPARE((new TTreeDokument(path, bookmark))->pageCount(), pages);
    }

    void aChangedFileIsCountedAgain()
    {
        const QString pdf = fixture->makePdf("b.pdf", 2);
        QCOMPARE(PageCountCache::pageCount(pdf), 2);
        fixture->makePdf("b.pdf", 3);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(
            QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(PageCountCache::pageCount(pdf), 3);
        QCOMPARE(PageCountCache::pageCount(fixture->folder.path("./b.pdf")), 3);
    }

    void rotation_data()
    {
        QTest::addColumn<QList<int>>("turns");
        QTest::addColumn<int>("rotation");
        QTest::newRow("left") << QList<int> {-90} << 3;
        QTest::newRow("right") << QList<int> {90} << 1;
        QTest::newRow("four right") << QList<int> {90, 90, 90, 90} << 0;
        QTest::newRow("left and back") << QList<int> {-90, 90} << 0;
        QTest::newRow("two left") << QList<int> {-90, -90} << 2;
    }

    void rotation()
    {
        QFETCH(QList<int>, turns);
        QFETCH(int, rotation);
        auto *document = new TTreeDokument(fixture->makePdf("r.pdf", 1), bookmark);
        for (int degrees : turns) {
            elaborat->markUpToDate();
            document->rotate(degrees);
            QVERIFY(!elaborat->upToDate());
        }
        QCOMPARE(document->rotation(), rotation);
    }

    void anImageIsConvertedForTheComposer()
    {
        const QString image = fixture->makeImage("Slika.png");
        auto *document = new TTreeDokument(image, bookmark, 0, 2);
        QCOMPARE(document->filePath(), image);
        QCOMPARE(document->suffix(), QStringLiteral("png"));

        const QString target = ImageConversion::documentPdfPath(elaborat->workDir(), image);
        QCOMPARE(convertedDocumentPath(elaborat->workDir(), image, ToolRunner()), target);
        document->setConvertedFile(target);
        QCOMPARE(document->filePath(), target);
        QCOMPARE(document->fileName(), QFileInfo(target).fileName());
        QCOMPARE(document->suffix(), QStringLiteral("pdf"));
        QCOMPARE(document->pageCount(), 1);
        QCOMPARE(document->rotation(), 2);
        QCOMPARE(document->sourcePath(), image);
        QCOMPARE(document->nameText(), QStringLiteral("slika.png"));
        QVERIFY(QFileInfo::exists(target));
        QVERIFY(fixture->folder.read(".tmp/debug.log").contains("TTreeDokument - filePathName"));
        // Converted already: nothing runs again.
        QCOMPARE(
            convertedDocumentPath(elaborat->workDir(), document->filePath(), ToolRunner()), target);
    }

    void aNewFilePathIsShownWhenTheDocumentIsSelected()
    {
        MainWindow &window = fixture->window();
        const QString one = fixture->makePdf("one.pdf", 1);
        const QString three = fixture->makePdf("three.pdf", 3);
        auto *document = new TTreeDokument(one, bookmark);
        window.tree()->clearSelection();
        document->setSelected(true);
        document->setFilePath(QString());
        QCOMPARE(document->filePath(), one);
        document->setFilePath(three);
        QCOMPARE(document->filePath(), three);
        QCOMPARE(document->pageCount(), 3);
        QCOMPARE(window.l_npages->text(), QStringLiteral("3"));
        QVERIFY(window.pageSpinBox->isEnabled());

        auto *page = new TTreeDokument(three, bookmark, 2);
        QVERIFY(window.showDocument(page));
        QCOMPARE(window.l_npages->text(), QStringLiteral("1"));
        QVERIFY(!window.pageSpinBox->isEnabled());
    }

    void ownPagesPointWhereTheyStandNow()
    {
        const QString own = fixture->makePdf("own.pdf", 6);
        const QString other = fixture->makePdf("other.pdf", 2);
        auto *first = new TTreeDokument(other, bookmark);
        auto *a = new TTreeDokument(own, bookmark, 5);
        auto *whole = new TTreeDokument(own, bookmark);
        auto *b = new TTreeDokument(own, bookmark, 1);
        auto *c = new TTreeDokument(other, bookmark, 2);
        elaborat->renumberOwnPages(own);
        QCOMPARE(first->page(), 0);
        QCOMPARE(a->page(), 3);
        QCOMPARE(whole->page(), 0);
        QCOMPARE(b->page(), 10);
        QCOMPARE(b->nameText(), QStringLiteral("own.pdf/str. 10"));
        QCOMPARE(c->page(), 2);
    }

    void aCopyKeepsFilePageRotationAndColour()
    {
        const QString pdf = fixture->makePdf("c.pdf", 4);
        auto *original = new TTreeDokument(pdf, bookmark, 2, 1);
        original->setNameColor(QColor(200, 0, 0));
        auto *other = new TTreeBookmark("113", "113 Druga", bookmark->parent());
        auto *copy = new TTreeDokument(*original, other);
        QCOMPARE(copy->filePath(), pdf);
        QCOMPARE(copy->page(), 2);
        QCOMPARE(copy->rotation(), 1);
        QCOMPARE(copy->nameText(), QStringLiteral("c.pdf/str. 2"));
        QCOMPARE(copy->nameLabel()->palette().color(QPalette::WindowText), QColor(200, 0, 0));
        QCOMPARE(copy->sourcePath(), pdf);
    }

    void aMovedLeafGetsItsRowWidgetBack()
    {
        TTreeWidget *tree = fixture->window().tree();
        auto *subtitle = new TTreePodnaslov(bookmark);
        QCOMPARE(subtitle->nameText(), QStringLiteral("--nov podnaslov--"));
        QVERIFY(subtitle->nameLabel()->font().bold());
        QCOMPARE(subtitle->nameLabel()->palette().color(QPalette::WindowText), QColor(0, 0, 237));
        QVERIFY(subtitle->removeMark);
        QVERIFY(!(subtitle->flags() & Qt::ItemIsDragEnabled));
        subtitle->setTagText("2");

        bookmark->removeChild(subtitle);
        bookmark->parent()->addChild(subtitle);
        // The view drops the row widget of a row taken out; the leaf's state survives.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        subtitle->rebuildRowWidget();
        QVERIFY(subtitle->container());
        QCOMPARE(tree->itemWidget(subtitle, 0), subtitle->container());
        QCOMPARE(subtitle->nameLabel()->text(), QStringLiteral("--nov podnaslov--"));
        QCOMPARE(subtitle->tagLabel()->text(), QStringLiteral("2"));
        QVERIFY(subtitle->nameLabel()->font().bold());
        QCOMPARE(subtitle->nameLabel()->palette().color(QPalette::Disabled, QPalette::WindowText),
            QColor(0, 0, 237));

        QWidget *installed = subtitle->container();
        subtitle->rebuildRowWidget();
        QVERIFY(subtitle->container() != installed);
        QCOMPARE(tree->itemWidget(subtitle, 0), subtitle->container());
        QCOMPARE(subtitle->tagLabel()->text(), QStringLiteral("2"));
    }

    void rowWidgetsFollowTheirRows()
    {
        TTreeWidget *tree = fixture->window().tree();
        QVERIFY(QTest::qWaitForWindowExposed(&fixture->window()));
        bookmark->parent()->setExpanded(true);
        bookmark->setExpanded(true);
        const QString pdf = fixture->makePdf("w.pdf", 1);
        QList<TTreeDokument *> documents;
        for (int i = 0; i < 3; ++i)
            documents << new TTreeDokument(pdf, bookmark);
        auto *first = new TTreeDokument(pdf, bookmark);
        bookmark->removeChild(first);
        bookmark->insertChild(0, first);
        first->rebuildRowWidget();
        documents.prepend(first);
        for (TTreeDokument *document : documents) {
            QTRY_COMPARE(
                document->container()->geometry().top(), tree->visualItemRect(document).top());
            QVERIFY(document->container()->isVisible());
        }
    }

    void newDocumentsMarkTheirElaboratModified()
    {
        elaborat->markUpToDate();
        new TTreeDokument(fixture->makePdf("m.pdf", 1), bookmark);
        QVERIFY(!elaborat->upToDate());
        elaborat->markUpToDate();
        new TTreePodnaslov(bookmark);
        QVERIFY(!elaborat->upToDate());
    }

    // What a screen reader finds in the tree: the document rows and the attribute values,
    // although the view shows both in widgets of their own.
    void aScreenReaderReadsTheRows()
    {
        auto *document = new TTreeDokument(fixture->makePdf("Skica.pdf", 2), bookmark);
        document->setTagText(QStringLiteral("(112)"));
        TabelaAtributov *table = elaborat->tabela();
        table->setValueOfRow(table->rowOfId(QStringLiteral("IDPOS")), QStringLiteral("12"));
        TTreeWidget *tree = fixture->window().tree();
        tree->expandAll();
        QStringList names;
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(tree);
        QVERIFY(view);
        for (int i = 0; i < view->childCount(); ++i)
            names << view->child(i)->text(QAccessible::Name);
        QVERIFY2(names.contains(QStringLiteral("skica.pdf (112)")), qPrintable(names.join('|')));
        QVERIFY2(
            names.filter(QStringLiteral("IDPOS: 12")).size() == 1, qPrintable(names.join('|')));
    }
};

QTEST_MAIN(TTreeDokumentTest)
#include "ttreedokumenttest.moc"
