#include "check/checkresults.h"
#include "imageanalyzer.h"
#include "independentreaders.h"
#include "pdfbuilder.h"
#include "toolprogram.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <qpdf/QPDFWriter.hh>

namespace {
const QString folder = QStringLiteral("ImageAnalyzer");

QByteArray bigEndian(quint32 value, int bytes)
{
    QByteArray data;
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        data += char((value >> shift) & 0xFF);
    return data;
}

QByteArray box(const char *type, const QByteArray &contents)
{
    return bigEndian(quint32(8 + contents.size()), 4) + type + contents;
}

// The start of a JPEG 2000 codestream of a 300 x 300 image whose components have `depth`
// bits, then image data enough that the analyzer must not read it all.
QByteArray codestream(int components, int depth)
{
    QByteArray siz = bigEndian(38 + 3 * components, 2) + bigEndian(0, 2);
    for (quint32 value : {300, 300, 0, 0, 300, 300, 0, 0})
        siz += bigEndian(value, 4);
    siz += bigEndian(components, 2);
    for (int i = 0; i < components; ++i)
        siz += char(depth - 1) + QByteArray("\x01\x01", 2);
    return QByteArray("\xFF\x4F\xFF\x51", 4) + siz + QByteArray(200000, '\x55');
}

// A JP2 file: its header box holds the image header (`components`, the depth byte `depth`),
// an sRGB colour box and `moreHeader`; then a codestream of `components` of 8 bits.
QByteArray jp2(int components, int depth, const QByteArray &moreHeader = {})
{
    const QByteArray header = box("ihdr",
                                  bigEndian(300, 4) + bigEndian(300, 4) + bigEndian(components, 2)
                                      + char(depth) + QByteArray("\x07\x00\x00", 3))
        + box("colr", QByteArray("\x01\x00\x00", 3) + bigEndian(16, 4)) + moreHeader;
    return box("jP  ", QByteArray("\x0D\x0A\x87\x0A", 4))
        + box("ftyp", "jp2 " + bigEndian(0, 4) + "jp2 ") + box("jp2h", header)
        + box("jp2c", codestream(components, 8));
}

// A channel definition box: one entry per type, 0 for colour and 1 for opacity.
QByteArray channels(std::initializer_list<int> types)
{
    QByteArray entries = bigEndian(quint32(types.size()), 2);
    int channel = 0;
    for (int type : types)
        entries += bigEndian(channel++, 2) + bigEndian(type, 2) + bigEndian(0, 2);
    return box("cdef", entries);
}

// Writes a PDF of the numbered `objects` (PDF syntax, object 1 the catalogue) as it is given,
// with its cross-reference table.
bool writeHandMadePdf(const QVector<QByteArray> &objects, const QString &path)
{
    QByteArray pdf = "%PDF-1.7\n";
    QByteArray table
        = "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (int i = 0; i < objects.size(); ++i) {
        table += QByteArray::number(pdf.size()).rightJustified(10, '0') + " 00000 n \n";
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const QByteArray start = QByteArray::number(pdf.size());
    pdf += table + "trailer\n<< /Size " + QByteArray::number(objects.size() + 1)
        + " /Root 1 0 R >>\nstartxref\n" + start + "\n%%EOF\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size();
}

QByteArray streamObject(const QByteArray &dictionary, const QByteArray &data, const char *lineEnd)
{
    return "<< " + dictionary + " >>\nstream" + lineEnd + data + "\nendstream";
}

// Our figures against what pdfimages lists for the same file.
void compareWithPdfimages(const QVector<AnalyzedImage> &ours, const QString &pdf)
{
    const QVector<ListedImage> listed = pdfimagesList(pdf);
    QCOMPARE(ours.size(), listed.size());
    for (int i = 0; i < ours.size(); ++i) {
        QVERIFY2(qAbs(qRound(ours.at(i).x) - listed.at(i).xPpi) <= 1,
            qPrintable(
                QStringLiteral("x %1, pdfimages %2").arg(ours.at(i).x).arg(listed.at(i).xPpi)));
        QVERIFY2(qAbs(qRound(ours.at(i).y) - listed.at(i).yPpi) <= 1,
            qPrintable(
                QStringLiteral("y %1, pdfimages %2").arg(ours.at(i).y).arg(listed.at(i).yPpi)));
        QCOMPARE(ours.at(i).bitsPerPixel, listed.at(i).bitsPerPixel);
    }
}
} // namespace

class AnalyzerTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void agreesWithPdfimages_data();
    void agreesWithPdfimages();
    void agreesWithPdfimagesOnQtOutput();
    void measuresPlacements_data();
    void measuresPlacements();
    void readsJpegTwoThousandDepth_data();
    void readsJpegTwoThousandDepth();
    void readsFilesWrittenEveryWay_data();
    void readsFilesWrittenEveryWay();
    void followsPageTreesAndReferences();
    void reportsEachDocumentInOrder();
    void boundsTheWorkOfNestedForms_data();
    void boundsTheWorkOfNestedForms();
    void aFileCutShortWhileReadIsAnError();
    void keepsGoingPastUnreadableDocuments_data();
    void keepsGoingPastUnreadableDocuments();
    void rejectsMalformedArguments_data();
    void rejectsMalformedArguments();
    void writesNumbersTheCheckReads_data();
    void writesNumbersTheCheckReads();

private:
    QString path(const QString &name) const { return dir->filePath(name); }
    // One page holding every image the placement rows draw: /Im1 RGB 600 x 300, /Gr grey
    // 300 x 300, /Ma a 100 x 100 mask, /Ix 200 x 200 indexed with 4 bits, /Cm CMYK by an
    // ICC profile, /Dn 50 x 50 in two DeviceN colorants; the colour space /CS1, calibrated RGB,
    // for inline images; the forms /Fm1 (at half size, drawing /Im1 over 2 x 1 inches), /Fm2 (at
    // double size, drawing /Fm1) and /Loop (drawing /Gr over an inch, then itself).
    bool writePlacementPage(const QByteArray &content, double userUnit, const QString &pdf);
    ProgramRun analyze(const QStringList &arguments)
    {
        return runBuiltTool(folder, folder, arguments);
    }

    std::unique_ptr<QTemporaryDir> dir;
};

void AnalyzerTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void AnalyzerTest::cleanup()
{
    dir.reset();
}

void AnalyzerTest::agreesWithPdfimages_data()
{
    QTest::addColumn<QStringList>("convert");
    QTest::addColumn<int>("bitsPerPixel");

    const QStringList plasma {"-size", "600x400", "plasma:", "-units", "PixelsPerInch"};
    QTest::newRow("RGB at 300") << plasma + QStringList {"-density", "300", "-type", "TrueColor"}
                                << 24;
    QTest::newRow("grey at 150") << plasma + QStringList {"-density", "150", "-type", "Grayscale"}
                                 << 8;
    QTest::newRow("CMYK at 200") << plasma
            + QStringList {"-density", "200", "-type", "ColorSeparation"}
                                 << 32;
    QTest::newRow("palette at 300")
        << plasma + QStringList {"-colors", "16", "-density", "300", "-type", "Palette"} << 8;
    QTest::newRow("bilevel at 400")
        << plasma + QStringList {"-density", "400", "-monochrome", "-compress", "Fax"} << 1;
    QTest::newRow("JPEG at 96 by 120")
        << plasma + QStringList {"-density", "96x120", "-compress", "JPEG"} << 24;
}

void AnalyzerTest::agreesWithPdfimages()
{
    QFETCH(QStringList, convert);
    QFETCH(int, bitsPerPixel);

    QVERIFY(gmConvert(convert + QStringList {path("scan.pdf")}));
    const ProgramRun run = analyze({path("scan.pdf"), "0"});
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    const QVector<QVector<AnalyzedImage>> documents = parseAnalyzerOutput(run.output);
    QCOMPARE(documents.size(), 1);
    QCOMPARE(documents.first().size(), 1);
    QCOMPARE(documents.first().first().bitsPerPixel, bitsPerPixel);
    compareWithPdfimages(documents.first(), path("scan.pdf"));
}

void AnalyzerTest::agreesWithPdfimagesOnQtOutput()
{
    QPdfWriter writer(path("qt.pdf"));
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QImage colour(600, 300, QImage::Format_RGB32);
    colour.fill(Qt::darkCyan);
    QImage grey(400, 400, QImage::Format_Grayscale8);
    grey.fill(128);
    QPainter painter(&writer);
    painter.drawImage(QRect(0, 0, 600, 300), colour);
    painter.drawImage(QRect(0, 400, 1200, 600), colour);
    painter.drawImage(QRect(0, 1200, 200, 400), grey);
    painter.end();

    const ProgramRun run = analyze({path("qt.pdf"), "0"});
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    const QVector<QVector<AnalyzedImage>> documents = parseAnalyzerOutput(run.output);
    QCOMPARE(documents.size(), 1);
    QCOMPARE(documents.first().size(), 3);
    QCOMPARE(qRound(documents.first().at(1).x), 150);
    QCOMPARE(qRound(documents.first().at(2).y), 300);
    compareWithPdfimages(documents.first(), path("qt.pdf"));
}

bool AnalyzerTest::writePlacementPage(
    const QByteArray &content, double userUnit, const QString &pdf)
{
    PdfBuilder builder;
    QPDF &document = builder.pdf();
    QPDFObjectHandle page = builder.addPage(content);
    if (userUnit != 1)
        page.replaceKey("/UserUnit", QPDFObjectHandle::newReal(userUnit, 2));
    builder.addImage(page, "Im1", 600, 300, "/DeviceRGB", 8);
    builder.addImage(page, "Gr", 300, 300, "/DeviceGray", 8);
    builder.addImage(page, "Ma", 100, 100, "mask", 1);
    builder.addImage(
        page, "Ix", 200, 200, "[/Indexed /DeviceRGB 15 <" + std::string(96, '8') + ">]", 4);
    QPDFObjectHandle profile = QPDFObjectHandle::newStream(&document, std::string(128, '\0'));
    profile.getDict().replaceKey("/N", QPDFObjectHandle::newInteger(4));
    profile.getDict().replaceKey("/Alternate", QPDFObjectHandle::newName("/DeviceCMYK"));
    builder.addImage(page, "Cm", 300, 300, "/DeviceCMYK", 8)
        .getDict()
        .replaceKey("/ColorSpace",
            QPDFObjectHandle::newArray({QPDFObjectHandle::newName("/ICCBased"), profile}));
    QPDFObjectHandle spaces = QPDFObjectHandle::newDictionary();
    spaces.replaceKey(
        "/CS1", QPDFObjectHandle::parse("[/CalRGB << /WhitePoint [0.9505 1 1.089] >>]"));
    page.getKey("/Resources").replaceKey("/ColorSpace", spaces);
    builder.addImage(page, "Dn", 50, 50,
        "[/DeviceN [/Cyan /Black] /DeviceCMYK << /FunctionType 2 /Domain [0 1] /N 1 >>]", 8);

    QPDFObjectHandle half
        = builder.addForm(page, "Fm1", "q 144 0 0 72 0 0 cm /Im1 Do Q", "[0.5 0 0 0.5 0 0]");
    builder.addImage(half, "Im1", 600, 300, "/DeviceRGB", 8);
    QPDFObjectHandle twice = builder.addForm(page, "Fm2", "/Fm1 Do", "[2 0 0 2 0 0]");
    twice.getDict().getKey("/Resources").replaceKey("/XObject", QPDFObjectHandle::newDictionary());
    twice.getDict().getKey("/Resources").getKey("/XObject").replaceKey("/Fm1", half);
    QPDFObjectHandle loop = builder.addForm(page, "Loop", "q 72 0 0 72 0 0 cm /Gr Do Q /Loop Do");
    builder.addImage(loop, "Gr", 300, 300, "/DeviceGray", 8);
    loop.getDict().getKey("/Resources").getKey("/XObject").replaceKey("/Loop", loop);
    return builder.write(pdf);
}

void AnalyzerTest::measuresPlacements_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<double>("userUnit");
    QTest::addColumn<QByteArray>("lines");
    // pdfimages misreads turned images and user units and lists images that draw nothing.
    QTest::addColumn<bool>("pdfimagesAgrees");

    QTest::newRow("at its own size")
        << QByteArray("q 600 0 0 300 0 0 cm /Im1 Do Q") << 1.0 << QByteArray("72;72;24\n") << true;
    QTest::newRow("two by one inches")
        << QByteArray("q 144 0 0 72 0 0 cm /Im1 Do Q") << 1.0 << QByteArray("300;300;24\n") << true;
    QTest::newRow("stretched") << QByteArray("q 288 0 0 72 50 50 cm /Im1 Do Q") << 1.0
                               << QByteArray("150;300;24\n") << true;
    QTest::newRow("a hair below 295") << QByteArray("q 146.4407 0 0 73.22034 0 0 cm /Im1 Do Q")
                                      << 1.0 << QByteArray("294.9999;294.9999;24\n") << true;
    QTest::newRow("inside a scaled state")
        << QByteArray("q 2 0 0 2 0 0 cm q 72 0 0 36 0 0 cm /Im1 Do Q Q") << 1.0
        << QByteArray("300;300;24\n") << true;
    QTest::newRow("state restored")
        << QByteArray("q 10 0 0 10 0 0 cm Q q 144 0 0 72 0 0 cm /Im1 Do Q") << 1.0
        << QByteArray("300;300;24\n") << true;
    QTest::newRow("turned by 90 degrees") << QByteArray("q 0 144 -72 0 300 0 cm /Im1 Do Q") << 1.0
                                          << QByteArray("300;300;24\n") << false;
    QTest::newRow("turned by 30 degrees")
        << QByteArray("q 124.70765 72 -36 62.353829 300 100 cm /Im1 Do Q") << 1.0
        << QByteArray("300;300;24\n") << false;
    QTest::newRow("grey") << QByteArray("q 72 0 0 72 0 0 cm /Gr Do Q") << 1.0
                          << QByteArray("300;300;8\n") << true;
    QTest::newRow("image mask") << QByteArray("q 72 0 0 72 0 0 cm /Ma Do Q") << 1.0
                                << QByteArray("100;100;1\n") << true;
    QTest::newRow("indexed, 4 bits")
        << QByteArray("q 72 0 0 72 0 0 cm /Ix Do Q") << 1.0 << QByteArray("200;200;4\n") << true;
    QTest::newRow("inline, colour space by resource name")
        << QByteArray("q 72 0 0 72 0 0 cm BI /W 10 /H 10 /BPC 8 /CS /CS1 ID ")
            + QByteArray(300, '\0') + " EI Q"
        << 1.0 << QByteArray("10;10;24\n") << true;
    // Poppler does not draw an image whose ICC profile is made up.
    QTest::newRow("CMYK by an ICC profile")
        << QByteArray("q 72 0 0 72 0 0 cm /Cm Do Q") << 1.0 << QByteArray("300;300;32\n") << false;
    QTest::newRow("two DeviceN colorants")
        << QByteArray("q 72 0 0 72 0 0 cm /Dn Do Q") << 1.0 << QByteArray("50;50;16\n") << false;
    QTest::newRow("form at half size")
        << QByteArray("/Fm1 Do") << 1.0 << QByteArray("600;600;24\n") << true;
    QTest::newRow("form in a form")
        << QByteArray("q 1 0 0 1 10 10 cm /Fm2 Do Q") << 1.0 << QByteArray("300;300;24\n") << true;
    QTest::newRow("form drawing itself")
        << QByteArray("/Loop Do") << 1.0 << QByteArray("300;300;8\n") << false;
    QTest::newRow("inline images")
        << QByteArray("q 72 0 0 144 0 0 cm BI /W 30 /H 60 /BPC 8 /CS /RGB ID ")
            + QByteArray(30 * 60 * 3, '\0')
            + " EI Q q 72 0 0 72 0 0 cm BI /W 16 /H 16 /BPC 1 /CS /G ID " + QByteArray(32, '\0')
            + " EI Q"
        << 1.0 << QByteArray("30;30;24\n16;16;1\n") << true;
    // Read as one component, the data would end at its " EI " and draw /Gr.
    QTest::newRow("inline image data that reads EI")
        << QByteArray("q 72 0 0 72 0 0 cm BI /W 10 /H 1 /BPC 8 /CS /RGB ID ") + QByteArray(10, '\0')
            + " EI /Gr Do " + QByteArray(8, '\0') + " EI Q q 72 0 0 72 0 0 cm /Gr Do Q"
        << 1.0 << QByteArray("10;1;24\n300;300;8\n") << true;
    QTest::newRow("drawing order")
        << QByteArray("q 72 0 0 72 0 0 cm /Gr Do Q q 144 0 0 72 0 0 cm /Im1 Do /Ma Do Q") << 1.0
        << QByteArray("300;300;8\n300;300;24\n50;100;1\n") << true;
    QTest::newRow("no extent, nothing shows")
        << QByteArray("q 0 0 0 72 0 0 cm /Im1 Do Q") << 1.0 << QByteArray() << false;
    QTest::newRow("user unit of two") << QByteArray("q 144 0 0 72 0 0 cm /Im1 Do Q") << 2.0
                                      << QByteArray("150;150;24\n") << false;
}

void AnalyzerTest::measuresPlacements()
{
    QFETCH(QByteArray, content);
    QFETCH(double, userUnit);
    QFETCH(QByteArray, lines);
    QFETCH(bool, pdfimagesAgrees);

    QVERIFY(writePlacementPage(content, userUnit, path("page.pdf")));
    const ProgramRun run = analyze({path("page.pdf"), "1"});
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    QCOMPARE(run.output, lines + "q\n");
    if (pdfimagesAgrees)
        compareWithPdfimages(parseAnalyzerOutput(run.output).first(), path("page.pdf"));
}

void AnalyzerTest::readsJpegTwoThousandDepth_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("colourSpace"); // of the dictionary, PDF syntax
    QTest::addColumn<int>("bitsPerPixel");

    QTest::newRow("JP2, RGB") << jp2(3, 7) << QString() << 24;
    QTest::newRow("JP2, grey of 16 bits") << jp2(1, 15) << QString() << 16;
    QTest::newRow("JP2 with an opacity channel")
        << jp2(4, 7, channels({0, 0, 0, 1})) << QString() << 24;
    QTest::newRow("JP2, depths in their own box")
        << jp2(3, 255, box("bpcc", "\x07\x07\x07")) << QString() << 24;
    QTest::newRow("JP2, depth only in the codestream") << jp2(3, 255) << QString() << 24;
    QTest::newRow("JP2 of palette indices") << jp2(1, 7,
        box("pclr", bigEndian(2, 2) + "\x03\x07\x07\x07" + QByteArray(6, '\0'))
            + channels({0, 0, 0})) << QString()
                                            << 8;
    QTest::newRow("codestream, CMYK") << codestream(4, 8) << QString() << 32;
    QTest::newRow("codestream, grey of 12 bits") << codestream(1, 12) << QString() << 12;
    QTest::newRow("colour space of the dictionary") << jp2(3, 7) << "/DeviceGray" << 8;
    QTest::newRow("not JPEG 2000") << QByteArray(1000, 'x') << QString() << 0;
}

void AnalyzerTest::readsJpegTwoThousandDepth()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, colourSpace);
    QFETCH(int, bitsPerPixel);

    // As PDF writers store JPEG 2000: no depth in the dictionary, often no colour space.
    PdfBuilder builder;
    QPDFObjectHandle image = builder.addImage(
        builder.addPage("q 72 0 0 72 0 0 cm /Jp Do Q"), "Jp", 300, 300, "/DeviceRGB", 8);
    image.getDict().removeKey("/BitsPerComponent");
    image.getDict().removeKey("/ColorSpace");
    if (!colourSpace.isEmpty())
        image.getDict().replaceKey(
            "/ColorSpace", QPDFObjectHandle::parse(colourSpace.toStdString()));
    image.replaceStreamData(
        data.toStdString(), QPDFObjectHandle::newName("/JPXDecode"), QPDFObjectHandle::newNull());
    QVERIFY(builder.write(path("jpx.pdf")));

    const ProgramRun run = analyze({path("jpx.pdf"), "0"});
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    QCOMPARE(run.output, "300;300;" + QByteArray::number(bitsPerPixel) + "\nq\n");
}

void AnalyzerTest::readsFilesWrittenEveryWay_data()
{
    QTest::addColumn<int>("way");

    QTest::newRow("as qpdf writes by default") << 0;
    QTest::newRow("objects in object streams") << 1;
    QTest::newRow("streams uncompressed") << 2;
    QTest::newRow("encrypted without a user password") << 3;
}

void AnalyzerTest::readsFilesWrittenEveryWay()
{
    QFETCH(int, way);

    QVERIFY(writePlacementPage("q 72 0 0 72 0 0 cm /Gr Do Q /Fm2 Do q 72 0 0 72 0 0 cm BI /W 16 "
                               "/H 16 /BPC 1 /CS /G ID "
            + QByteArray(32, '\0') + " EI Q q 72 0 0 72 0 0 cm /Cm Do Q",
        1, path("page.pdf")));
    QPDF pdf;
    pdf.processFile(path("page.pdf").toLocal8Bit().constData());
    QPDFWriter writer(pdf, path("written.pdf").toLocal8Bit().constData());
    if (way == 1)
        writer.setObjectStreamMode(qpdf_o_generate);
    else if (way == 2)
        writer.setCompressStreams(false);
    else if (way == 3)
        writer.setR6EncryptionParameters(
            "", "owner", true, true, true, true, true, true, qpdf_r3p_full, true);
    writer.write();

    const ProgramRun run = analyze({path("written.pdf"), "0"});
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    QCOMPARE(run.output, QByteArray("300;300;8\n300;300;24\n16;16;1\n300;300;32\nq\n"));
}

void AnalyzerTest::followsPageTreesAndReferences()
{
    // Page 1 inherits its resources from the root of the tree through a node between; its
    // content has its length in an object of its own and names its image with an escape.
    // Page 2 has its content in two streams that split an operation (the first with too short
    // a length, which qpdf mends), its XObjects by reference and an image whose colour space
    // holds a string.
    const QVector<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 /Resources 5 0 R >>",
        "<< /Type /Pages /Parent 2 0 R /Kids [6 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents [9 0 R 10 0 R] "
        "/Resources << /XObject 11 0 R >> >>",
        "<< /XObject << /Im1 7 0 R >> /ProcSet [/PDF /ImageC] >>",
        "<< /Type /Page /Parent 3 0 R /MediaBox [0 0 595 842] /Contents 8 0 R >>",
        streamObject("/Type /XObject /Subtype /Image /Width 600 /Height 300 /ColorSpace "
                     "/DeviceRGB /BitsPerComponent 8 /Name (scan) /Length 12 0 R",
            "0000", "\r\n"),
        streamObject("/Length 13 0 R", "q 144 0 0 72 0 0 cm /Im#31 Do Q", "\n"),
        streamObject("/Length 3", "q 72 0 0", "\n"),
        streamObject("/Length 18", "36 0 0 cm /Ix Do Q", "\n"),
        "<< /Ix 14 0 R >>",
        "4",
        "31",
        streamObject("/Subtype /Image /Width 100 /Height 50 /ColorSpace [/Indexed /DeviceRGB 1 "
                     "<000000FFFFFF>] /BitsPerComponent 1 /Length 4",
            "0000", "\n"),
    };
    QVERIFY(writeHandMadePdf(objects, path("hand.pdf")));

    const ProgramRun run = analyze({path("hand.pdf"), "0", path("hand.pdf"), "2"});
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    // Poppler reads the short stream as its length says, so pdfimages is no judge here.
    QCOMPARE(run.output, QByteArray("300;300;24\n100;100;1\nq\n100;100;1\nq\n"));
}

void AnalyzerTest::reportsEachDocumentInOrder()
{
    // pages.pdf: page 1 draws one image, page 2 none, page 3 two; then a scan whose name is not
    // plain ASCII.
    PdfBuilder builder;
    builder.addImage(builder.addPage("q 72 0 0 72 0 0 cm /A Do Q"), "A", 300, 300, "/DeviceRGB", 8);
    builder.addPage("BT /F1 12 Tf 50 50 Td (text) Tj ET");
    QPDFObjectHandle third
        = builder.addPage("q 72 0 0 72 0 0 cm /B Do Q q 36 0 0 36 0 0 cm /B Do Q");
    builder.addImage(third, "B", 150, 150, "/DeviceGray", 8);
    QVERIFY(builder.write(path("pages.pdf")));
    const QString scan = path(QStringLiteral("skeniran načrt ČŠŽ.pdf"));
    QVERIFY(gmConvert({"-size", "300x300", "xc:white", "-units", "PixelsPerInch", "-density", "100",
        "-type", "TrueColor", path("scan.pdf")}));
    QVERIFY(QFile::rename(path("scan.pdf"), scan));

    const ProgramRun run = analyze({path("pages.pdf"), "0", path("pages.pdf"), "2",
        path("pages.pdf"), "3", scan, "0", path("pages.pdf"), "1"});
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    QCOMPARE(run.errors, QByteArray());
    QCOMPARE(run.output,
        QByteArray("300;300;24\n150;150;8\n300;300;8\nq\n"
                   "q\n"
                   "150;150;8\n300;300;8\nq\n"
                   "100;100;24\nq\n"
                   "300;300;24\nq\n"));
    const QVector<QVector<AnalyzedImage>> documents = parseAnalyzerOutput(run.output);
    QCOMPARE(documents.size(), 5);
    QCOMPARE(documents.at(0).size(), 3);
    QCOMPARE(documents.at(1).size(), 0);
    QCOMPARE(documents.at(3).first().x, 100.0);
}

void AnalyzerTest::boundsTheWorkOfNestedForms_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("measured");

    QTest::newRow("three levels: every placement") << 3 << true;
    QTest::newRow("thirty levels: past the budget") << 30 << false;
}

void AnalyzerTest::boundsTheWorkOfNestedForms()
{
    QFETCH(int, depth);
    QFETCH(bool, measured);

    // Each form draws the next four times, the last one an image of 300 ppi.
    PdfBuilder builder;
    QPDFObjectHandle owner = builder.addPage("/F0 Do");
    for (int level = 0; level < depth; ++level) {
        const QByteArray next = level + 1 < depth ? "/F" + QByteArray::number(level + 1) + " Do "
                                                  : QByteArray("q 72 0 0 72 0 0 cm /Im Do Q ");
        owner = builder.addForm(owner, "F" + std::to_string(level), next.repeated(4));
    }
    builder.addImage(owner, "Im", 300, 300, "/DeviceRGB", 8);
    QVERIFY(builder.write(path("nested.pdf")));

    const ProgramRun run = analyze({path("nested.pdf"), "0"});
    QVERIFY(run.finished);
    if (measured) {
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output, QByteArray("300;300;24\n").repeated(64) + "q\n");
    } else {
        QVERIFY(run.exitCode != 0);
        QCOMPARE(run.output, QByteArray("q\n"));
        QVERIFY2(run.errors.contains("rise prevec"), run.errors.constData());
    }
}

void AnalyzerTest::aFileCutShortWhileReadIsAnError()
{
    // The analyzer keeps a document open from one request to the next; cut between them, the
    // file's later pages are gone (a mapped file would kill the program).
    // Each page's content carries a long comment that does not compress, so that the pages
    // lie far apart in the file.
    QRandomGenerator random(19);
    PdfBuilder builder;
    for (int page = 0; page < 3; ++page) {
        QByteArray noise(100000, 0);
        for (char &c : noise)
            c = "0123456789abcdef"[random.bounded(16)];
        QPDFObjectHandle drawn = builder.addPage("q 72 0 0 72 0 0 cm /Im Do Q\n%" + noise);
        builder.addImage(drawn, "Im", 300, 300, "/DeviceRGB", 8);
    }
    QVERIFY(builder.write(path("cut.pdf")));
    ImageAnalyzer analyzer;
    const AnalyzerReport first = analyzer.analyze({{path("cut.pdf"), "1"}});
    QCOMPARE(first.output, QByteArray("300;300;24\nq\n"));
    QVERIFY(QFile::resize(path("cut.pdf"), 600));
    const AnalyzerReport second = analyzer.analyze({{path("cut.pdf"), "3"}});
    QCOMPARE(second.output, QByteArray("q\n"));
    QCOMPARE(second.errors.size(), 1);
    QVERIFY2(second.errors.first().contains("skrajsala"), qPrintable(second.errors.first()));
}

void AnalyzerTest::keepsGoingPastUnreadableDocuments_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("missing") << "missing.pdf"
                             << "0" << QByteArray("ne obstaja");
    QTest::newRow("damaged") << "damaged.pdf"
                             << "0" << QByteArray("ni mogoce prebrati");
    QTest::newRow("password-protected") << "locked.pdf"
                                        << "0" << QByteArray("zascitena z geslom");
    QTest::newRow("page out of range") << "scan.pdf"
                                       << "2" << QByteArray("nima strani 2 (strani: 1)");
    QTest::newRow("page not a number") << "scan.pdf"
                                       << "prva" << QByteArray("ni stevilo");
}

void AnalyzerTest::keepsGoingPastUnreadableDocuments()
{
    QFETCH(QString, file);
    QFETCH(QString, page);
    QFETCH(QByteArray, message);

    QVERIFY(gmConvert({"-size", "300x300", "xc:white", "-units", "PixelsPerInch", "-density", "300",
        "-type", "TrueColor", path("scan.pdf")}));
    PdfBuilder locked;
    locked.addImage(locked.addPage("q 72 0 0 72 0 0 cm /A Do Q"), "A", 300, 300, "/DeviceRGB", 8);
    QVERIFY(locked.write(path("locked.pdf"), "geslo"));
    QFile damaged(path("damaged.pdf"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("%PDF-1.4\n1 0 obj << /Type /Catalog");
    damaged.close();

    const ProgramRun run
        = analyze({path("scan.pdf"), "1", path(file), page, path("scan.pdf"), "0"});
    QVERIFY(run.finished);
    QVERIFY(run.exitCode != 0);
    QCOMPARE(run.output, QByteArray("300;300;24\nq\nq\n300;300;24\nq\n"));
    QVERIFY2(run.errors.startsWith("ImageAnalyzer: "), run.errors.constData());
    QVERIFY2(run.errors.contains(message), run.errors.constData());
    QCOMPARE(run.errors.count('\n'), 1);
}

void AnalyzerTest::rejectsMalformedArguments_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("none") << QStringList();
    QTest::newRow("path without page") << QStringList {"a.pdf"};
    QTest::newRow("odd count") << QStringList {"a.pdf", "0", "b.pdf"};
}

void AnalyzerTest::rejectsMalformedArguments()
{
    QFETCH(QStringList, arguments);

    const ProgramRun run = analyze(arguments);
    QVERIFY(run.finished);
    QVERIFY(run.exitCode != 0);
    QCOMPARE(run.output, QByteArray());
    QVERIFY2(
        run.errors.startsWith("ImageAnalyzer: napacen seznam argumentov"), run.errors.constData());
}

void AnalyzerTest::writesNumbersTheCheckReads_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("bitsPerPixel");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("whole") << 300.0 << 300.0 << 24 << QByteArray("300;300;24\n");
    QTest::newRow("below the limit") << 294.6 << 299.999 << 8 << QByteArray("294.6;299.999;8\n");
    // Rounded to fewer decimals, these would read as the limit the check compares with.
    QTest::newRow("a hair below the limit")
        << 294.99996 << 294.999951 << 24 << QByteArray("294.9999;294.9999;24\n");
    QTest::newRow("the limit up to floating-point error") << std::nextafter(
        295.0, 0.0) << std::nextafter(295.0, 1000.0) << 24 << QByteArray("295;295;24\n");
    QTest::newRow("four decimals") << 1234.5678 << 0.5 << 1 << QByteArray("1234.5678;0.5;1\n");
    QTest::newRow("small") << 0.00012 << 72.0001 << 1 << QByteArray("0.0001;72.0001;1\n");
    QTest::newRow("unknown depth") << 72.0 << 72.0 << 0 << QByteArray("72;72;0\n");
}

void AnalyzerTest::writesNumbersTheCheckReads()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, bitsPerPixel);
    QFETCH(QByteArray, line);

    QCOMPARE(ImageAnalyzer::imageLine({x, y, bitsPerPixel}), line);
    const AnalyzedImage read = parseAnalyzerOutput(line + "q\n").first().first();
    QVERIFY(qAbs(read.x - x) < 0.0001);
    QVERIFY(qAbs(read.y - y) < 0.0001);
    // Below the limit reads below it, unless only floating-point error put it there.
    QCOMPARE(read.x < 295, x < 295 - 1e-9);
    QCOMPARE(read.y < 295, y < 295 - 1e-9);
    QCOMPARE(read.bitsPerPixel, bitsPerPixel);
}

QTEST_MAIN(AnalyzerTest)
#include "analyzertest.moc"
