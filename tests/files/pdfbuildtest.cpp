#include "files/pdfbuild.h"
#include "platform/toolrunner.h"
#include "snapshotbuilder.h"
#include "testfiles.h"
#include "testprogramfolder.h"

#include <QDir>
#include <QTest>
#include <QThread>
#include <memory>

#include <poppler-qt6.h>

// Building an elaborat's PDF with the real composer and converter, read back with poppler.
class PdfBuildTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;
    QString workDir;

    SnapshotBuilder landCadastre()
    {
        SnapshotBuilder builder;
        builder.procedure(QStringLiteral("UM"), QStringLiteral("Ureditev meje"));
        builder.attribute(QStringLiteral("KO"), QStringLiteral("850 LJUBLJANA"));
        builder.attribute(QStringLiteral("IDPOS"), QStringLiteral("12"));
        builder.snapshot.workDir = workDir;
        builder.snapshot.pdfPath = folder->path(QStringLiteral("izhod/0850_00012_000.pdf"));
        return builder;
    }

    static std::unique_ptr<Poppler::Document> open(const QString &path)
    {
        return Poppler::Document::load(path);
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestProgramFolder>(TestProgramFolder::WithoutConfig);
        QDir(folder->path()).mkpath(QStringLiteral(".tmp/08122026101010"));
        QDir(folder->path()).mkpath(QStringLiteral("izhod"));
        workDir = folder->path(QStringLiteral(".tmp/08122026101010"));
    }

    void cleanup() { folder.reset(); }

    void composesPagesOutlineAndKeywords()
    {
        SnapshotBuilder builder = landCadastre();
        const int skica = builder.component(QStringLiteral("sk"), QStringLiteral("skica"));
        const int bookmark
            = builder.bookmark(skica, QStringLiteral("111"), QStringLiteral("Skica meje"));
        builder.document(
            bookmark, TestFiles::writePdf(folder->path(QStringLiteral("a.pdf")), 3), 0, 3);
        builder.document(
            bookmark, TestFiles::writePdf(folder->path(QStringLiteral("b.pdf")), 10), 5, 10, 1);
        const int zapisnik
            = builder.bookmark(skica, QStringLiteral("121"), QStringLiteral("Zapisnik"));
        const int image = builder.document(zapisnik,
            TestFiles::writeImage(folder->path(QStringLiteral("slika.png")),
                {QStringLiteral("-size"), QStringLiteral("300x400"),
                    QStringLiteral("xc:#8080ff")}));

        const PdfBuildResult result = buildElaboratPdf(builder.snapshot, ToolRunner());
        QVERIFY(result.written);
        QCOMPARE(result.convertedFiles.keys(), QList<int> {image});
        QVERIFY(QFileInfo(result.convertedFiles.value(image)).absolutePath() == workDir);

        const auto pdf = open(builder.snapshot.pdfPath);
        QVERIFY(pdf);
        QCOMPARE(pdf->numPages(), 5);
        QCOMPARE(pdf->page(3)->orientation(), Poppler::Page::Landscape);
        QCOMPARE(pdf->info(QStringLiteral("Title")), QStringLiteral("Arhiv zemljiškega katastra"));
        QCOMPARE(pdf->info(QStringLiteral("Keywords")),
            QStringLiteral("KO=850|IDPOS=12|BMIDS=111;121|SIDS=sk;sk|KS=0|UNAME=|VER=2.4.5"));
        const QVector<Poppler::OutlineItem> outline = pdf->outline();
        QCOMPARE(outline.size(), 2);
        QCOMPARE(outline.at(0).name(), QStringLiteral("Skica meje"));
        QCOMPARE(outline.at(0).destination()->pageNumber(), 1);
        QCOMPARE(outline.at(1).name(), QStringLiteral("Zapisnik"));
        QCOMPARE(outline.at(1).destination()->pageNumber(), 5);
        QVERIFY(QFile::exists(workDir + QStringLiteral("/bookmarks.txt")));
    }

    void aMultiPageImageCountsAllItsPages()
    {
        SnapshotBuilder builder = landCadastre();
        const int skica = builder.component(QStringLiteral("sk"), QStringLiteral("skica"));
        const int scans = builder.bookmark(skica, QStringLiteral("111"), QStringLiteral("Skica"));
        const int tiff = builder.document(scans,
            TestFiles::writeImage(folder->path(QStringLiteral("trije.tiff")),
                {QStringLiteral("-size"), QStringLiteral("200x300"), QStringLiteral("xc:red"),
                    QStringLiteral("xc:blue"), QStringLiteral("xc:green")}));
        const int after
            = builder.bookmark(skica, QStringLiteral("121"), QStringLiteral("Zapisnik"));
        builder.document(after, TestFiles::writePdf(folder->path(QStringLiteral("z.pdf")), 1));

        const PdfBuildResult result = buildElaboratPdf(builder.snapshot, ToolRunner());
        QVERIFY(result.written);
        QVERIFY(result.convertedFiles.contains(tiff));
        const auto pdf = open(builder.snapshot.pdfPath);
        QCOMPARE(pdf->numPages(), 4);
        const QVector<Poppler::OutlineItem> outline = pdf->outline();
        QCOMPARE(outline.size(), 2);
        QCOMPARE(outline.at(1).destination()->pageNumber(), 4);
    }

    void rebuildingReplacesTheOldFileThroughATemporaryOne()
    {
        SnapshotBuilder builder = landCadastre();
        const int component = builder.component(QStringLiteral("sk"), QStringLiteral("skica"));
        const int bookmark
            = builder.bookmark(component, QStringLiteral("111"), QStringLiteral("Skica"));
        builder.document(bookmark, TestFiles::writePdf(folder->path(QStringLiteral("a.pdf")), 2));
        QVERIFY(folder->write(QStringLiteral("izhod/0850_00012_000.pdf"), "stari"));
        QDir(folder->path()).mkpath(QStringLiteral(".tmp"));

        QVERIFY(buildElaboratPdf(builder.snapshot, ToolRunner()).written);
        QCOMPARE(open(builder.snapshot.pdfPath)->numPages(), 2);
        const QByteArray log = folder->read(QStringLiteral(".tmp/debug.log"));
        QVERIFY(log.contains("TTreeElaborat4"));
        QVERIFY(log.contains(QStringLiteral("\"%1/e").arg(workDir).toUtf8()));
        QCOMPARE(QDir(workDir).entryList({QStringLiteral("e*.pdf")}), QStringList());
        QCOMPARE(QDir(folder->path(QStringLiteral("izhod"))).entryList(QDir::Files),
            QStringList {QStringLiteral("0850_00012_000.pdf")});
    }

    void aFailedBuildKeepsTheOldFile()
    {
        SnapshotBuilder builder = landCadastre();
        const int component = builder.component(QStringLiteral("sk"), QStringLiteral("skica"));
        const int bookmark
            = builder.bookmark(component, QStringLiteral("111"), QStringLiteral("Skica"));
        builder.document(bookmark, folder->path(QStringLiteral("ni.pdf")));
        QVERIFY(folder->write(QStringLiteral("izhod/0850_00012_000.pdf"), "stari"));
        QVERIFY(!buildElaboratPdf(builder.snapshot, ToolRunner()).written);
        QCOMPARE(folder->read(QStringLiteral("izhod/0850_00012_000.pdf")), QByteArray("stari"));
        QCOMPARE(QDir(workDir).entryList({QStringLiteral("e*.pdf")}), QStringList());
    }

    void aFailedFirstBuildLeavesNoFile()
    {
        SnapshotBuilder builder = landCadastre();
        builder.document(builder.sestavine(), folder->path(QStringLiteral("ni.pdf")));
        QVERIFY(!buildElaboratPdf(builder.snapshot, ToolRunner()).written);
        QVERIFY(!QFile::exists(builder.snapshot.pdfPath));
    }

    void anOutlineThatCannotBeWrittenFailsTheBuild_data()
    {
        QTest::addColumn<bool>("oldPdf");
        QTest::newRow("bookmarks.txt is a folder") << true;
        QTest::newRow("no work folder, first build") << false;
    }

    void anOutlineThatCannotBeWrittenFailsTheBuild()
    {
        QFETCH(bool, oldPdf);
        SnapshotBuilder builder = landCadastre();
        const int component = builder.component(QStringLiteral("sk"), QStringLiteral("skica"));
        const int bookmark
            = builder.bookmark(component, QStringLiteral("111"), QStringLiteral("Skica"));
        builder.document(bookmark, TestFiles::writePdf(folder->path(QStringLiteral("a.pdf")), 1));
        if (oldPdf) {
            QVERIFY(folder->write(QStringLiteral("izhod/0850_00012_000.pdf"), "stari"));
            QVERIFY(QDir(workDir).mkdir(QStringLiteral("bookmarks.txt")));
        } else {
            QVERIFY(QDir(workDir).removeRecursively());
        }
        QVERIFY(!buildElaboratPdf(builder.snapshot, ToolRunner()).written);
        if (oldPdf)
            QCOMPARE(folder->read(QStringLiteral("izhod/0850_00012_000.pdf")), QByteArray("stari"));
        else
            QVERIFY(!QFile::exists(builder.snapshot.pdfPath));
    }

    void theNextBuildRemovesWhatAKilledOneLeft()
    {
        SnapshotBuilder builder = landCadastre();
        builder.document(
            builder.sestavine(), TestFiles::writePdf(folder->path(QStringLiteral("a.pdf")), 1));
        for (const char *name : {"e093012.pdf", "e093012.pdf.Ab12Cd", "e1.pdf", "slika.pdf"})
            QVERIFY(folder->write(QStringLiteral(".tmp/08122026101010/") + name, "ostanek"));
        QVERIFY(buildElaboratPdf(builder.snapshot, ToolRunner()).written);
        QCOMPARE(QDir(workDir).entryList({QStringLiteral("*.pdf*")}),
            QStringList({QStringLiteral("e1.pdf"), QStringLiteral("slika.pdf")}));
    }

    void aStoppedBuildKeepsTheOldFile()
    {
        SnapshotBuilder builder = landCadastre();
        const int component = builder.component(QStringLiteral("sk"), QStringLiteral("skica"));
        const int bookmark
            = builder.bookmark(component, QStringLiteral("111"), QStringLiteral("Skica"));
        builder.document(bookmark, TestFiles::writePdf(folder->path(QStringLiteral("a.pdf")), 1));
        QVERIFY(folder->write(QStringLiteral("izhod/0850_00012_000.pdf"), "stari"));
        std::atomic_bool stop {true};
        QVERIFY(!buildElaboratPdf(builder.snapshot, ToolRunner(&stop)).written);
        QCOMPARE(folder->read(QStringLiteral("izhod/0850_00012_000.pdf")), QByteArray("stari"));
    }
};

QTEST_MAIN(PdfBuildTest)
#include "pdfbuildtest.moc"
