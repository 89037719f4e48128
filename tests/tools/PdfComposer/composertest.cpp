#include "composerarguments.h"
#include "independentreaders.h"
#include "pdfbuilder.h"
#include "pdfcomposer.h"
#include "toolprogram.h"
#include "writefailure.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>
#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {
const QString folder = QStringLiteral("PdfComposer");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

int degrees(Poppler::Page::Orientation orientation)
{
    switch (orientation) {
    case Poppler::Page::Landscape:
        return 90;
    case Poppler::Page::UpsideDown:
        return 180;
    case Poppler::Page::Seascape:
        return 270;
    default:
        return 0;
    }
}

// The words of a page, whichever way it is turned.
QString pageText(const Poppler::Page &page)
{
    QStringList words;
    for (const std::unique_ptr<Poppler::TextBox> &box : page.textList())
        words << box->text();
    return words.join(QLatin1Char(' '));
}

// The targets of a page's links: page numbers of GoTo links, addresses of the others.
QStringList linkTargets(const Poppler::Page &page)
{
    QStringList targets;
    for (const std::unique_ptr<Poppler::Link> &link : page.links()) {
        if (link->linkType() == Poppler::Link::Goto)
            targets << QString::number(
                static_cast<const Poppler::LinkGoto &>(*link).destination().pageNumber());
        else if (link->linkType() == Poppler::Link::Browse)
            targets << static_cast<const Poppler::LinkBrowse &>(*link).url();
    }
    targets.sort();
    return targets;
}
} // namespace

class ComposerTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void copiesPagesInOrder_data();
    void copiesPagesInOrder();
    void storesDocumentInformation_data();
    void storesDocumentInformation();
    void buildsOutline_data();
    void buildsOutline();
    void keepsLinks_data();
    void keepsLinks();
    void keepsTheNewestVersion();
    void composesManyFiles();
    void failsCleanly_data();
    void failsCleanly();
    void readsDamagedInputsWholeOrNotAtAll_data();
    void readsDamagedInputsWholeOrNotAtAll();
    void failsOnUnwritableOutput_data();
    void failsOnUnwritableOutput();
    void keepsOutputWhenWritingBreaksOff_data();
    void keepsOutputWhenWritingBreaksOff();
    void namesWriteFailures();
    void replacesExistingOutput();
    void readsAndWritesUnicodePaths();
    void readsBothForms_data();
    void readsBothForms();

private:
    QString path(const QString &name) const { return dir->filePath(name); }
    QStringList inputs(const QStringList &triples) const;
    ProgramRun compose(const QStringList &triples, const QString &output,
        const QString &keywords = QStringLiteral(" "), const QString &outline = QStringLiteral("."),
        const QString &title = QStringLiteral("."));
    // Composes `triples` into out.pdf and reads it with poppler; null, with the composer's
    // message as a warning, when either fails.
    std::unique_ptr<Poppler::Document> composeAndRead(const QStringList &triples);

    std::unique_ptr<QTemporaryDir> dir;
};

void ComposerTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());

    // a.pdf: three A4 pages, the second turned by 90 degrees of its own; page 1 links forward
    // to page 3, page 3 back to page 1 by name, page 2 to a web address.
    PdfBuilder a;
    QPDFObjectHandle a1 = a.addTextPage("a1");
    QPDFObjectHandle a2 = a.addTextPage("a2");
    QPDFObjectHandle a3 = a.addTextPage("a3");
    a2.replaceKey("/Rotate", QPDFObjectHandle::newInteger(90));
    QPDFObjectHandle forward = a.object("<< /Type /Annot /Subtype /Link /Rect [0 0 100 100] >>");
    forward.replaceKey("/Dest", PdfBuilder::fitDestination(a3));
    a1.replaceKey("/Annots", QPDFObjectHandle::newArray({forward}));
    a2.replaceKey("/Annots",
        QPDFObjectHandle::newArray(
            {a.object("<< /Type /Annot /Subtype /Link /Rect [0 0 100 100] /A << "
                      "/S /URI /URI (https://e-prostor.example/) >> >>")}));
    a3.replaceKey("/Annots",
        QPDFObjectHandle::newArray({a.object("<< /Type /Annot /Subtype /Link /Rect [0 0 100 100] "
                                             "/Dest (back) >>")}));
    QPDFObjectHandle names = QPDFObjectHandle::newArray(
        {QPDFObjectHandle::newString("back"), PdfBuilder::fitDestination(a1)});
    QPDFObjectHandle tree = QPDFObjectHandle::newDictionary();
    tree.replaceKey("/Names", names);
    QPDFObjectHandle catalogNames = QPDFObjectHandle::newDictionary();
    catalogNames.replaceKey("/Dests", tree);
    a.pdf().getRoot().replaceKey("/Names", catalogNames);
    QVERIFY(a.write(path("a.pdf")));

    // b.pdf: two landscape pages that inherit a rotation of 270 degrees from their page tree.
    PdfBuilder b;
    b.addTextPage("b1", 842, 595);
    b.addTextPage("b2", 842, 595);
    b.pdf().getRoot().getKey("/Pages").replaceKey("/Rotate", QPDFObjectHandle::newInteger(270));
    QVERIFY(b.write(path("b.pdf")));
}

void ComposerTest::cleanup()
{
    dir.reset();
}

QStringList ComposerTest::inputs(const QStringList &triples) const
{
    QStringList arguments = triples;
    for (int i = 0; i < arguments.size(); i += 3) {
        if (arguments.at(i).endsWith(QLatin1String(".pdf"))
            && QDir::isRelativePath(arguments.at(i)))
            arguments[i] = path(arguments.at(i));
    }
    return arguments;
}

ProgramRun ComposerTest::compose(const QStringList &triples, const QString &output,
    const QString &keywords, const QString &outline, const QString &title)
{
    return runBuiltTool(
        folder, folder, inputs(triples) + QStringList {output, keywords, outline, title});
}

std::unique_ptr<Poppler::Document> ComposerTest::composeAndRead(const QStringList &triples)
{
    const ProgramRun run = compose(triples, path("out.pdf"));
    if (!run.finished || run.exitCode != 0) {
        qWarning("%s", run.errors.constData());
        return nullptr;
    }
    return popplerDocument(path("out.pdf"));
}

void ComposerTest::copiesPagesInOrder_data()
{
    QTest::addColumn<QStringList>("triples");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("rotations");

    QTest::newRow("whole documents")
        << QStringList {"a.pdf", "0", "0", "b.pdf", "0", "0"}
        << QStringList {"a1", "a2", "a3", "b1", "b2"} << QList<int> {0, 90, 0, 270, 270};
    QTest::newRow("single pages") << QStringList {"b.pdf", "2", "0", "a.pdf", "1", "0"}
                                  << QStringList {"b2", "a1"} << QList<int> {270, 0};
    QTest::newRow("rotation added to the pages' own") << QStringList {"a.pdf", "0",
        "90"} << QStringList {"a1", "a2", "a3"} << QList<int> {90, 180, 90};
    QTest::newRow("rotation wraps round") << QStringList {"a.pdf", "2", "270", "b.pdf", "1", "90"}
                                          << QStringList {"a2", "b1"} << QList<int> {0, 0};
    QTest::newRow("one page twice, turned differently")
        << QStringList {"a.pdf", "2", "90", "a.pdf", "2", "180", "a.pdf", "2", "0"}
        << QStringList {"a2", "a2", "a2"} << QList<int> {180, 270, 90};
}

void ComposerTest::copiesPagesInOrder()
{
    QFETCH(QStringList, triples);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, rotations);

    const std::unique_ptr<Poppler::Document> document = composeAndRead(triples);
    QVERIFY(document);
    QCOMPARE(document->numPages(), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        const std::unique_ptr<Poppler::Page> page = document->page(i);
        QCOMPARE(pageText(*page), texts.at(i));
        QCOMPARE(degrees(page->orientation()), rotations.at(i));
        // Poppler gives the size as the turned page shows it.
        const bool landscape = texts.at(i).startsWith(QLatin1Char('b'));
        const bool turned = rotations.at(i) % 180 != 0;
        const QSizeF size = landscape != turned ? QSizeF(842, 595) : QSizeF(595, 842);
        QCOMPARE(page->pageSizeF(), size);
    }
}

void ComposerTest::storesDocumentInformation_data()
{
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("storedKeywords");
    QTest::addColumn<QString>("storedTitle");

    const QString elaborat = QStringLiteral(
        "KO=1722|IDPOS=45|POSTOPKI=zk_a;zk_b|BMIDS=111;121|SIDS=;|KS=0|UNAME=|VER=2.4.5");
    QTest::newRow("elaborat") << elaborat << QStringLiteral("Arhiv zemljiškega katastra")
                              << elaborat << QStringLiteral("Arhiv zemljiškega katastra");
    QTest::newRow("diacritics, quote, bar, equals")
        << QStringLiteral("č š ž \" | =") << QStringLiteral("Arhiv katastra stavb")
        << QStringLiteral("č š ž \" | =") << QStringLiteral("Arhiv katastra stavb");
    QTest::newRow("beyond Latin") << QStringLiteral("漢字 😀 ΣΩ ČŠŽ") << QStringLiteral("ĆĐ")
                                  << QStringLiteral("漢字 😀 ΣΩ ČŠŽ") << QStringLiteral("ĆĐ");
    QTest::newRow("page-list form stores none")
        << QStringLiteral(" ") << QStringLiteral(".") << QString() << QString();
}

void ComposerTest::storesDocumentInformation()
{
    QFETCH(QString, keywords);
    QFETCH(QString, title);
    QFETCH(QString, storedKeywords);
    QFETCH(QString, storedTitle);

    const ProgramRun run = compose({"a.pdf", "0", "0"}, path("out.pdf"), keywords, ".", title);
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());

    const std::unique_ptr<Poppler::Document> document = popplerDocument(path("out.pdf"));
    QVERIFY(document);
    QCOMPARE(document->info(QStringLiteral("Keywords")), storedKeywords);
    QCOMPARE(document->info(QStringLiteral("Title")), storedTitle);
    QVERIFY(document->outline().isEmpty());
    QPDF stored;
    stored.processFile(path("out.pdf").toUtf8().constData());
    QPDFObjectHandle info = stored.getTrailer().getKey("/Info");
    QCOMPARE(info.isDictionary() && info.hasKey("/Keywords"), !storedKeywords.isEmpty());
    QCOMPARE(info.isDictionary() && info.hasKey("/Title"), !storedTitle.isEmpty());
}

void ComposerTest::buildsOutline_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("outline");

    QTest::newRow("two levels") << QByteArray("111 Prvi/1\n\tOtrok/2\n\tDrugi otrok/3\nDrugi/4")
                                << QStringList {
                                       "111 Prvi/1", "\tOtrok/2", "\tDrugi otrok/3", "Drugi/4"};
    QTest::newRow("title up to the last slash")
        << QByteArray("Skica 1/2/3/2") << QStringList {"Skica 1/2/3/2"};
    QTest::newRow("general elaborat: the star line adds nothing") << QByteArray(
        "*\n*/1\n\tskica/1\n\tzapisniki/2") << QStringList {"*/1", "\tskica/1", "\tzapisniki/2"};
    QTest::newRow("page beyond the end leads to the last")
        << QByteArray("Prvi/1\nKonec/99") << QStringList {"Prvi/1", "Konec/5"};
    QTest::newRow("no page leads to the first") << QByteArray(
        "Nic/0\nBrez strani/\nBesedilo/x") << QStringList {"Nic/1", "Brez strani/1", "Besedilo/1"};
    QTest::newRow("child without a parent") << QByteArray("\tSam/2") << QStringList {"Sam/2"};
    QTest::newRow("deeper levels") << QByteArray("A/1\n\tB/2\n\t\tC/3\n\t\t\t\tD/4\nE/5")
                                   << QStringList {"A/1", "\tB/2", "\t\tC/3", "\t\t\tD/4", "E/5"};
    QTest::newRow("byte-order mark and CR LF")
        << QByteArray("\xEF\xBB\xBFPrvi/1\r\n\tOtrok/2\r\n") << QStringList {"Prvi/1", "\tOtrok/2"};
    QTest::newRow("Unicode and separators in titles")
        << QByteArray("Geodetski načrt čšž/1\n\tZapisnik \"A\" | = ĆĐ/2")
        << QStringList {QStringLiteral("Geodetski načrt čšž/1"),
               QStringLiteral("\tZapisnik \"A\" | = ĆĐ/2")};
    QTest::newRow("empty file") << QByteArray() << QStringList();
}

void ComposerTest::buildsOutline()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, outline);

    QVERIFY(writeFile(path("bookmarks.txt"), file));
    const ProgramRun run = compose({"a.pdf", "0", "0", "b.pdf", "0", "0"}, path("out.pdf"), "KO=1",
        path("bookmarks.txt"), ".");
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());

    QStringList seen;
    for (const PopplerOutlineEntry &entry : popplerOutline(path("out.pdf"))) {
        seen << QString(entry.depth, QLatin1Char('\t')) + entry.title + QLatin1Char('/')
                + QString::number(entry.page);
    }
    QCOMPARE(seen, outline);
}

void ComposerTest::keepsLinks_data()
{
    QTest::addColumn<QStringList>("triples");
    QTest::addColumn<QList<QStringList>>("targets");

    const QString web = QStringLiteral("https://e-prostor.example/");
    QTest::newRow("forward link to a page copied later") << QStringList {
        "b.pdf", "0", "0", "a.pdf", "0", "0"} << QList<QStringList> {{}, {}, {"5"}, {web}, {"3"}};
    QTest::newRow("pages reordered")
        << QStringList {"a.pdf", "3", "0", "a.pdf", "1", "0"} << QList<QStringList> {{"2"}, {"1"}};
    QTest::newRow("one page twice keeps its link on both") << QStringList {"a.pdf", "1", "0",
        "a.pdf", "3", "0", "a.pdf", "1", "90"} << QList<QStringList> {{"2"}, {"1"}, {"2"}};
}

void ComposerTest::keepsLinks()
{
    QFETCH(QStringList, triples);
    QFETCH(QList<QStringList>, targets);

    const std::unique_ptr<Poppler::Document> document = composeAndRead(triples);
    QVERIFY(document);
    QCOMPARE(document->numPages(), targets.size());
    for (int i = 0; i < targets.size(); ++i)
        QCOMPARE(linkTargets(*document->page(i)), targets.at(i));
}

void ComposerTest::keepsTheNewestVersion()
{
    QPDF newer;
    newer.processFile(path("b.pdf").toLocal8Bit().constData());
    QPDFWriter writer(newer, path("newer.pdf").toLocal8Bit().constData());
    writer.setMinimumPDFVersion(PDFVersion(1, 7, 3));
    writer.write();

    const ProgramRun run = compose({"a.pdf", "0", "0", "newer.pdf", "0", "0"}, path("out.pdf"));
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    QPDF output;
    output.processFile(path("out.pdf").toLocal8Bit().constData());
    QCOMPARE(QString::fromStdString(output.getPDFVersion()), QStringLiteral("1.7"));
    QCOMPARE(output.getExtensionLevel(), 3);
}

void ComposerTest::composesManyFiles()
{
    // More files than the composer keeps open at once.
    ComposerJob job;
    for (int i = 1; i <= 250; ++i) {
        PdfBuilder builder;
        builder.addTextPage(QStringLiteral("f%1").arg(i));
        const QString file = path(QStringLiteral("f%1.pdf").arg(i));
        QVERIFY(builder.write(file));
        job.sources.push_back({file, 0, i == 125 ? 90 : 0});
    }
    job.output = path("out.pdf");
    QString error;
    QVERIFY2(PdfComposer().compose(job, &error), qPrintable(error));

    const std::unique_ptr<Poppler::Document> document = popplerDocument(path("out.pdf"));
    QVERIFY(document);
    QCOMPARE(document->numPages(), 250);
    for (int i : {1, 124, 125, 250}) {
        const std::unique_ptr<Poppler::Page> page = document->page(i - 1);
        QCOMPARE(pageText(*page), QStringLiteral("f%1").arg(i));
        QCOMPARE(degrees(page->orientation()), i == 125 ? 90 : 0);
    }
}

void ComposerTest::failsCleanly_data()
{
    QTest::addColumn<QStringList>("triples");
    QTest::addColumn<QString>("outline");
    QTest::addColumn<QString>("message");

    QTest::newRow("missing input")
        << QStringList {"a.pdf", "0", "0", "missing.pdf", "0", "0"} << "."
        << "ne obstaja";
    QTest::newRow("damaged input")
        << QStringList {"a.pdf", "0", "0", "damaged.pdf", "0", "0"} << "."
        << "ni mogoce prebrati";
    QTest::newRow("password-protected input") << QStringList {"locked.pdf", "0", "0"} << "."
                                              << "zascitena z geslom";
    QTest::newRow("page out of range") << QStringList {"a.pdf", "4", "0"} << "."
                                       << "nima strani 4 (strani: 3)";
    QTest::newRow("page not a number") << QStringList {"a.pdf", "x", "0"} << "."
                                       << "ni stevilo";
    QTest::newRow("negative page") << QStringList {"a.pdf", "-1", "0"} << "."
                                   << "ni stevilo";
    QTest::newRow("rotation not a right angle") << QStringList {"a.pdf", "0", "45"} << "."
                                                << "zasuk '45'";
    QTest::newRow("rotation of a full turn") << QStringList {"a.pdf", "0", "360"} << "."
                                             << "zasuk '360'";
    QTest::newRow("incomplete triple") << QStringList {"a.pdf", "0"} << "."
                                       << "napacen seznam argumentov";
    QTest::newRow("no documents") << QStringList() << "."
                                  << "napacen seznam argumentov";
    QTest::newRow("missing outline file") << QStringList {"a.pdf", "0", "0"} << "missing.txt"
                                          << "kazalom";
}

void ComposerTest::failsCleanly()
{
    QFETCH(QStringList, triples);
    QFETCH(QString, outline);
    QFETCH(QString, message);

    PdfBuilder locked;
    locked.addTextPage("locked");
    QVERIFY(locked.write(path("locked.pdf"), "geslo"));
    QVERIFY(writeFile(path("damaged.pdf"), "%PDF-1.4\n1 0 obj << /Type /Catalog"));
    QVERIFY(writeFile(path("old.pdf"), "old content"));
    const QString outlinePath = outline == QLatin1String(".") ? outline : path(outline);
    const QStringList before = QDir(dir->path()).entryList(QDir::Files);

    for (const QString &output : {path("new.pdf"), path("old.pdf")}) {
        const ProgramRun run = compose(triples, output, "KO=1", outlinePath, "Naslov");
        QVERIFY(run.finished);
        QVERIFY(run.exitCode != 0);
        QVERIFY2(run.errors.startsWith("PdfComposer: "), run.errors.constData());
        QVERIFY2(run.errors.contains(message.toUtf8()), run.errors.constData());
    }
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), before);
    QCOMPARE(readFile(path("old.pdf")), QByteArray("old content"));
}

void ComposerTest::readsDamagedInputsWholeOrNotAtAll_data()
{
    QTest::addColumn<bool>("cut");
    QTest::newRow("cut short") << true;
    QTest::newRow("whole") << false;
}

void ComposerTest::readsDamagedInputsWholeOrNotAtAll()
{
    QFETCH(bool, cut);
    // 200 pages in two revisions: the first gives the page tree and the trailer, the update
    // the pages' contents, so that a file cut in the update is repaired from the first
    // revision with only the contents before the cut.
    QByteArray pdf = "%PDF-1.4\n";
    QByteArray table;
    int count = 0;
    auto add = [&](const QByteArray &object) {
        table += QByteArray::number(pdf.size()).rightJustified(10, '0') + " 00000 n \n";
        pdf += QByteArray::number(++count) + " 0 obj\n" + object + "\nendobj\n";
    };
    auto revision = [&](int first, const QByteArray &previous) {
        const QByteArray start = QByteArray::number(pdf.size());
        pdf += "xref\n" + QByteArray::number(first) + ' ' + QByteArray::number(count + 1 - first)
            + '\n' + table + "trailer\n<< /Size " + QByteArray::number(count + 1) + " /Root 1 0 R"
            + previous + " >>\nstartxref\n" + start + "\n%%EOF\n";
        table.clear();
        return start;
    };
    QByteArray kids;
    for (int page = 0; page < 200; ++page)
        kids += QByteArray::number(4 + page) + " 0 R ";
    table = "0000000000 65535 f \n";
    add("<< /Type /Catalog /Pages 2 0 R >>");
    add("<< /Type /Pages /Count 200 /Kids [" + kids + "] >>");
    add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    for (int page = 0; page < 200; ++page)
        add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents "
            + QByteArray::number(204 + page) + " 0 R /Resources << /Font << /F1 3 0 R >> >> >>");
    const QByteArray first = revision(0, {});
    for (int page = 1; page <= 200; ++page) {
        const QByteArray text = "BT /F1 24 Tf 72 720 Td (p" + QByteArray::number(page) + ") Tj ET";
        add("<< /Length " + QByteArray::number(text.size()) + " >>\nstream\n" + text
            + "\nendstream");
    }
    revision(204, " /Prev " + first);
    QVERIFY(writeFile(path("long.pdf"), cut ? pdf.left(pdf.size() - 6000) : pdf));

    const ProgramRun run = compose({"long.pdf", "0", "0"}, path("out.pdf"));
    QVERIFY(run.finished);
    if (cut) {
        QVERIFY(run.exitCode != 0);
        QVERIFY2(run.errors.contains("ni mogoce prebrati cele"), run.errors.constData());
        // qpdf's repair is reported too.
        QVERIFY2(run.errors.contains("PdfComposer: opozorilo: "), run.errors.constData());
        QVERIFY(!QFile::exists(path("out.pdf")));
    } else {
        QVERIFY2(run.exitCode == 0, run.errors.constData());
        const std::unique_ptr<Poppler::Document> document = popplerDocument(path("out.pdf"));
        QVERIFY(document);
        QCOMPARE(document->numPages(), 200);
        QCOMPARE(pageText(*document->page(199)), QStringLiteral("p200"));
    }
}

void ComposerTest::failsOnUnwritableOutput_data()
{
    QTest::addColumn<QString>("output");

    QTest::newRow("missing folder") << QStringLiteral("missing/out.pdf");
    QTest::newRow("a folder") << QStringLiteral("folder");
}

void ComposerTest::failsOnUnwritableOutput()
{
    QFETCH(QString, output);

    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("folder")));
    const QStringList before = QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const ProgramRun run = compose({"a.pdf", "0", "0"}, path(output));
    QVERIFY(run.finished);
    QVERIFY(run.exitCode != 0);
    QVERIFY2(run.errors.contains("ni mogoce zapisati"), run.errors.constData());
    QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(QDir(path("folder")).isEmpty());
}

void ComposerTest::keepsOutputWhenWritingBreaksOff_data()
{
    QTest::addColumn<bool>("existing");

    QTest::newRow("over an existing output") << true;
    QTest::newRow("new output") << false;
}

void ComposerTest::keepsOutputWhenWritingBreaksOff()
{
#ifdef Q_OS_UNIX
    QFETCH(bool, existing);

    if (existing)
        QVERIFY(writeFile(path("out.pdf"), "old content"));
    const QStringList before = QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    // The system refuses to let the composer's files grow past 2 KiB, which the document
    // exceeds: the writing breaks off in the middle.
    QProcess process;
    process.setChildProcessModifier([] {
        const rlimit limit {2048, 2048};
        setrlimit(RLIMIT_FSIZE, &limit);
        // A write past the limit then fails instead of ending the program.
        signal(SIGXFSZ, SIG_IGN);
    });
    process.start(builtToolPath(folder, folder),
        inputs({"a.pdf", "0", "0", "b.pdf", "0", "0"})
            + QStringList {path("out.pdf"), "KO=1", ".", "Naslov"});
    QVERIFY(process.waitForFinished(60000));
    const QByteArray errors = process.readAllStandardError();

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY(process.exitCode() != 0);
    QVERIFY2(
        errors.startsWith("PdfComposer: ") && errors.contains("zapis v '"), errors.constData());
    QVERIFY2(!errors.contains("Unknown error"), errors.constData());
    QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    if (existing)
        QCOMPARE(readFile(path("out.pdf")), QByteArray("old content"));
#else
    QSKIP("needs a limit on file sizes");
#endif
}

void ComposerTest::namesWriteFailures()
{
    // Qt has no reason for a device without an error, nor for some failed writes.
    QFile unused;
    QCOMPARE(writeFailureReason(unused),
        QStringLiteral("ni prostora na disku ali pisanje ni dovoljeno"));
    QFile missing(path("missing/out.pdf"));
    QVERIFY(!missing.open(QIODevice::WriteOnly));
    QCOMPARE(writeFailureReason(missing), missing.errorString());
}

void ComposerTest::replacesExistingOutput()
{
    QVERIFY(writeFile(path("out.pdf"), "old content"));
    const ProgramRun run = compose({"b.pdf", "0", "0"}, path("out.pdf"), "KO=2");
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());

    const std::unique_ptr<Poppler::Document> document = popplerDocument(path("out.pdf"));
    QVERIFY(document);
    QCOMPARE(document->numPages(), 2);
    QCOMPARE(document->info(QStringLiteral("Keywords")), QStringLiteral("KO=2"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList({"a.pdf", "b.pdf", "out.pdf"}));
}

void ComposerTest::readsAndWritesUnicodePaths()
{
    const QString input = path(QStringLiteral("Načrt čšž ČŠŽ.pdf"));
    QVERIFY(QFile::copy(path("a.pdf"), input));
    const QString output = path(QStringLiteral("izhod ž/Elaborat ć.pdf"));
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("izhod ž")));

    const ProgramRun run = compose({input, "2", "0"}, output);
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    const std::unique_ptr<Poppler::Document> document = popplerDocument(output);
    QVERIFY(document);
    QCOMPARE(document->numPages(), 1);
}

void ComposerTest::readsBothForms_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("sources");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<QString>("outline");
    QTest::addColumn<QString>("title");

    QTest::newRow("elaborat form") << QStringList {"a.pdf", "0", "0", "b.pdf", "3", "90", "out.pdf",
        "KO=1|X=\"y\"", "bookmarks.txt", "Arhiv katastra stavb"}
                                   << 2 << "KO=1|X=\"y\""
                                   << "bookmarks.txt"
                                   << "Arhiv katastra stavb";
    QTest::newRow("page-list form") << QStringList {"a.pdf", "2", "270", "out.pdf", " ", ".", "."}
                                    << 1 << QString() << QString() << QString();
}

void ComposerTest::readsBothForms()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, sources);
    QFETCH(QString, keywords);
    QFETCH(QString, outline);
    QFETCH(QString, title);

    QString error;
    const std::optional<ComposerJob> job = parseComposerArguments(arguments, &error);
    QVERIFY2(job, qPrintable(error));
    QCOMPARE(int(job->sources.size()), sources);
    QCOMPARE(job->sources.back().path, arguments.at(sources * 3 - 3));
    QCOMPARE(job->sources.back().page, arguments.at(sources * 3 - 2).toInt());
    QCOMPARE(job->sources.back().rotation, arguments.at(sources * 3 - 1).toInt());
    QCOMPARE(job->output, QStringLiteral("out.pdf"));
    QCOMPARE(job->keywords, keywords);
    QCOMPARE(job->outlinePath, outline);
    QCOMPARE(job->title, title);
}

QTEST_MAIN(ComposerTest)
#include "composertest.moc"
