#include "intake/imageconversion.h"
#include "intake/tconvertprocess.h"
#include "testprogramfolder.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include <poppler-qt6.h>

// Real conversions through the ImageMagick tool folder, checked with poppler.
class ImageConversionTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;

    static void makeImage(const QStringList &arguments)
    {
        QProcess gm;
        gm.start(QStringLiteral("gm"), QStringList {QStringLiteral("convert")} + arguments);
        QVERIFY(gm.waitForFinished(60000));
        QCOMPARE(gm.exitCode(), 0);
    }

    // x-ppi of every image, as pdfimages lists them.
    static QList<int> imageResolutions(const QString &pdf)
    {
        QProcess lister;
        lister.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
        lister.waitForFinished(60000);
        QList<int> resolutions;
        const QList<QByteArray> lines = lister.readAllStandardOutput().split('\n');
        for (const QByteArray &line : lines.mid(2)) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() > 13)
                resolutions << fields.at(12).toInt();
        }
        return resolutions;
    }

private slots:
    void init() { folder = std::make_unique<TestProgramFolder>(TestProgramFolder::WithoutConfig); }
    void cleanup() { folder.reset(); }

    void outputNames()
    {
        QCOMPARE(
            ImageConversion::documentPdfPath(QStringLiteral("/t/01"), QStringLiteral("/a/č.png")),
            QStringLiteral("/t/01/")
                + QString::fromLatin1(QCryptographicHash::hash(
                    QStringLiteral("/a/č.png").toUtf8(), QCryptographicHash::Md5)
                                          .toHex())
                + QStringLiteral(".pdf"));
        QCOMPARE(
            ImageConversion::previewPdfPath(QStringLiteral("/w"), QStringLiteral("/x/scan 1.jpg")),
            QStringLiteral("/w/scan 1.jpg.pdf"));
        QCOMPARE(ImageConversion::scannedPagePdfName(QStringLiteral("scan0001.bmp")),
            QStringLiteral("scan0001.pdf"));
        QCOMPARE(
            ImageConversion::scannedPagePdfName(QStringLiteral("A.BMP")), QStringLiteral("A.BMP"));
    }

    void commandLines()
    {
        const ToolCommand convert = ImageConversion::convertCommand(
            QStringLiteral("/a b/c.png"), QStringLiteral("/t/x.pdf"));
        QCOMPARE(convert.commandLine,
            QStringLiteral("convert -compress jpeg -quality 60 \"/a b/c.png\" \"/t/x.pdf\""));
        QCOMPARE(convert.arguments.last(), QStringLiteral("/t/x.pdf"));
        const ToolCommand mogrify
            = ImageConversion::scanPagesCommand(QStringLiteral(".tmp/01012024101010"),
                {QStringLiteral("scan0001.bmp"), QStringLiteral("scan0002.bmp"),
                    QStringLiteral("scan0003.bmp")});
        QCOMPARE(mogrify.commandLine,
            QStringLiteral(
                "mogrify -format pdf -compress jpeg -quality 60 "
                "../.tmp/01012024101010/scan0001.bmp "
                "../.tmp/01012024101010/scan0002.bmp ../.tmp/01012024101010/scan0003.bmp"));
        QCOMPARE(mogrify.arguments.mid(6).size(), 3);
    }

    void imagesBecomePdfPagesOfTheirSize_data()
    {
        QTest::addColumn<QStringList>("make");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("ppi");
        const QStringList a4at300
            = {"-density", "300", "-units", "PixelsPerInch", "-size", "2480x3508"};
        QTest::newRow("png") << (a4at300 + QStringList {"xc:#336699"}) << "barva.png" << 1 << 300;
        QTest::newRow("jpeg") << (a4at300 + QStringList {"plasma:fractal"}) << "slika.JPG" << 1
                              << 300;
        QTest::newRow("tiff") << (a4at300 + QStringList {"xc:white"}) << "list.tif" << 1 << 300;
        QTest::newRow("multi-page tiff") << QStringList {"-density", "200", "-units",
            "PixelsPerInch", "-size", "1654x2339", "xc:red", "xc:blue", "xc:green"}
                                         << "trije listi.tiff" << 3 << 200;
        QTest::newRow("1-bit scan")
            << (a4at300 + QStringList {"xc:white", "-monochrome", "-compress", "Group4"})
            << "skeniran.tif" << 1 << 300;
    }

    void imagesBecomePdfPagesOfTheirSize()
    {
        QFETCH(QStringList, make);
        QFETCH(QString, name);
        QFETCH(int, pages);
        QFETCH(int, ppi);
        const QString image = folder->path(name);
        makeImage(make + QStringList {image});
        const QString pdf = folder->path(name + QStringLiteral(".pdf"));

        TConvertProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.convert(image, pdf);
        QVERIFY(finished.wait(60000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.sourcePath, image);

        std::unique_ptr<Poppler::Document> document = Poppler::Document::load(pdf);
        QVERIFY(document);
        QCOMPARE(document->numPages(), pages);
        const QSizeF size = document->page(0)->pageSizeF();
        QVERIFY(qAbs(size.width() - 595) < 2 && qAbs(size.height() - 842) < 2);
        QCOMPARE(imageResolutions(pdf), QList<int>(pages, ppi));
    }

    void aMissingImageFailsWithoutOutput()
    {
        TConvertProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.convert(
            folder->path(QStringLiteral("ni.png")), folder->path(QStringLiteral("ni.pdf")));
        QVERIFY(finished.wait(60000));
        QVERIFY(process.exitCode() != 0);
        QVERIFY(!QFile::exists(folder->path(QStringLiteral("ni.pdf"))));
    }
};

QTEST_GUILESS_MAIN(ImageConversionTest)
#include "imageconversiontest.moc"
