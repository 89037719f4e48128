#include "independentreaders.h"
#include "outlinedump.h"
#include "pdfbuilder.h"
#include "pdfcomposer.h"
#include "toolprogram.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString folder = QStringLiteral("jpdfbookmarks");
const QString program = QStringLiteral("jpdfbookmarks_tev");

// The two things the reader of elaborates takes from a dump line: the first word and the page
// between the line's first "/" and the first "," after it.
struct ReadLine
{
    QString firstWord;
    int page = -1;
};

ReadLine readAsTheProgramDoes(const QString &line)
{
    ReadLine read;
    read.firstWord = line.left(line.indexOf(QLatin1Char(' ')));
    const int slash = line.indexOf(QLatin1Char('/'));
    const int comma = line.indexOf(QLatin1Char(','), slash);
    read.page = line.mid(slash + 1, comma - slash - 1).toInt();
    return read;
}

QStringList lines(const QByteArray &output)
{
    QStringList all = QString::fromUtf8(output).split(QLatin1Char('\n'));
    if (!all.isEmpty() && all.last().isEmpty())
        all.removeLast();
    return all;
}
} // namespace

class DumperTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void resolvesTargets_data();
    void resolvesTargets();
    void keepsLevelsAndState();
    void foldsTitles_data();
    void foldsTitles();
    void readsWhatTheComposerWrote();
    void stopsAtOutlineLoops();
    void dumpsNothingWithoutOutline();
    void failsOnUnreadableFiles_data();
    void failsOnUnreadableFiles();

private:
    QString path(const QString &name) const { return dir->filePath(name); }
    // A five-page document "p1" to "p5".
    std::unique_ptr<PdfBuilder> fivePages();
    ProgramRun dump(const QString &pdf) { return runBuiltTool(folder, program, {pdf, "--dump"}); }

    std::unique_ptr<QTemporaryDir> dir;
    std::vector<QPDFObjectHandle> pages;
};

void DumperTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void DumperTest::cleanup()
{
    pages.clear();
    dir.reset();
}

std::unique_ptr<PdfBuilder> DumperTest::fivePages()
{
    auto builder = std::make_unique<PdfBuilder>();
    pages.clear();
    for (int i = 1; i <= 5; ++i)
        pages.push_back(builder->addTextPage(QStringLiteral("p%1").arg(i)));
    return builder;
}

void DumperTest::resolvesTargets_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("target"); // PDF syntax; "@n" stands for page n
    QTest::addColumn<int>("page");

    QTest::newRow("explicit, whole page") << QByteArray("/Dest") << QByteArray("[@3 /Fit]") << 3;
    QTest::newRow("explicit, position")
        << QByteArray("/Dest") << QByteArray("[@2 /XYZ 0 842 0]") << 2;
    QTest::newRow("page index") << QByteArray("/Dest") << QByteArray("[3 /Fit]") << 4;
    QTest::newRow("name in the old dictionary")
        << QByteArray("/Dest") << QByteArray("/kazalo") << 5;
    QTest::newRow("string in the name tree") << QByteArray("/Dest") << QByteArray("(tri)") << 3;
    QTest::newRow("name tree entry with a dictionary")
        << QByteArray("/Dest") << QByteArray("(dva)") << 2;
    QTest::newRow("GoTo action") << QByteArray("/A")
                                 << QByteArray("<< /S /GoTo /D [@4 /FitH 500] >>") << 4;
    QTest::newRow("GoTo action by name")
        << QByteArray("/A") << QByteArray("<< /S /GoTo /D (tri) >>") << 3;
    QTest::newRow("web address") << QByteArray("/A")
                                 << QByteArray("<< /S /URI /URI (https://example.org/) >>") << 0;
    QTest::newRow("undefined name") << QByteArray("/Dest") << QByteArray("(nobeno)") << 0;
    QTest::newRow("target not a page")
        << QByteArray("/Dest") << QByteArray("[<< /Type /Font >> /Fit]") << 0;
    QTest::newRow("no target") << QByteArray("/Dest") << QByteArray("null") << 0;
}

void DumperTest::resolvesTargets()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, target);
    QFETCH(int, page);

    std::unique_ptr<PdfBuilder> builder = fivePages();
    QPDF &pdf = builder->pdf();
    QByteArray syntax = target;
    for (int i = 1; i <= 5; ++i)
        syntax.replace(
            "@" + QByteArray::number(i), QByteArray::fromStdString(pages[size_t(i - 1)].unparse()));
    // Named destinations: /kazalo in the old dictionary; "dva" and "tri" in a name tree of
    // two leaves, "dva" through a dictionary. Poppler looks into the old dictionary alone when
    // there is one, so a document has only the kind its row needs.
    if (target.contains("/kazalo")) {
        pdf.getRoot().replaceKey("/Dests",
            QPDFObjectHandle::parse(&pdf, "<< /kazalo [" + pages[4].unparse() + " /Fit] >>"));
    } else {
        QPDFObjectHandle firstLeaf = builder->object(
            "<< /Limits [(a) (m)] /Names [(dva) << /D [" + pages[1].unparse() + " /Fit] >>] >>");
        QPDFObjectHandle secondLeaf = builder->object(
            "<< /Limits [(n) (z)] /Names [(tri) [" + pages[2].unparse() + " /Fit]] >>");
        pdf.getRoot().replaceKey("/Names",
            QPDFObjectHandle::parse(&pdf,
                "<< /Dests << /Kids [" + firstLeaf.unparse() + " " + secondLeaf.unparse()
                    + "] >> >>"));
    }
    PdfBuilder::OutlineItem item(
        QStringLiteral("Vnos"), QPDFObjectHandle::parse(&pdf, syntax.toStdString()));
    item.key = key.toStdString();
    builder->setOutline({item});
    QVERIFY(builder->write(path("in.pdf")));

    const ProgramRun run = dump(path("in.pdf"));
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    QCOMPARE(lines(run.output), QStringList {QStringLiteral("Vnos/%1,1,closed").arg(page)});
    const QVector<PopplerOutlineEntry> seen = popplerOutline(path("in.pdf"));
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().page, page);
}

void DumperTest::keepsLevelsAndState()
{
    std::unique_ptr<PdfBuilder> builder = fivePages();
    auto to = [this](int page) { return PdfBuilder::fitDestination(pages[size_t(page - 1)]); };
    using Item = PdfBuilder::OutlineItem;
    const Item child(QStringLiteral("Otrok"), to(2), {Item(QStringLiteral("Vnuk"), to(3))}, false);
    builder->setOutline(
        {Item(QStringLiteral("Prvi"), to(1), {child, Item(QStringLiteral("Otrok 2"), to(4))}),
            Item(QStringLiteral("Drugi"), to(5), {Item(QStringLiteral("Skrit"), to(1))}, false)});
    QVERIFY(builder->write(path("in.pdf")));

    const ProgramRun run = dump(path("in.pdf"));
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    QStringList expected;
    for (const PopplerOutlineEntry &entry : popplerOutline(path("in.pdf"))) {
        expected << QString(entry.depth, QLatin1Char('\t')) + entry.title + QLatin1Char('/')
                + QString::number(entry.page) + QLatin1Char(',') + QString::number(entry.depth + 1)
                + (entry.open ? QLatin1String(",open") : QLatin1String(",closed"));
    }
    QCOMPARE(expected.size(), 6);
    QCOMPARE(lines(run.output), expected);
}

void DumperTest::foldsTitles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("dumped");

    QTest::newRow("slashes") << QStringLiteral("104 Skica 1/2 in 3/4")
                             << QStringLiteral("104 Skica 1∕2 in 3∕4");
    QTest::newRow("line breaks") << QStringLiteral("121 Prva\nvrstica\r\ndruga\rtretja")
                                 << QStringLiteral("121 Prva vrstica druga tretja");
    QTest::newRow("tab and zero") << QStringLiteral("a\tb") + QChar(0) + QStringLiteral("c")
                                  << QStringLiteral("a b c");
    QTest::newRow("Unicode") << QStringLiteral("111 Načrt čšž ČŠŽ \"x\" | = 漢字")
                             << QStringLiteral("111 Načrt čšž ČŠŽ \"x\" | = 漢字");
}

void DumperTest::foldsTitles()
{
    QFETCH(QString, title);
    QFETCH(QString, dumped);

    QCOMPARE(dumpTitle(title), dumped);
    std::unique_ptr<PdfBuilder> builder = fivePages();
    builder->setOutline({PdfBuilder::OutlineItem(title, PdfBuilder::fitDestination(pages[2]))});
    QVERIFY(builder->write(path("in.pdf")));

    const OutlineDump result = dumpOutline(path("in.pdf"));
    QVERIFY2(result.ok, qPrintable(result.error));
    const QStringList read = lines(result.lines);
    QCOMPARE(read, QStringList {dumped + QStringLiteral("/3,1,closed")});
    QCOMPARE(readAsTheProgramDoes(read.first()).page, 3);
    QCOMPARE(readAsTheProgramDoes(read.first()).firstWord, dumped.section(QLatin1Char(' '), 0, 0));
}

void DumperTest::readsWhatTheComposerWrote()
{
    std::unique_ptr<PdfBuilder> builder = fivePages();
    QVERIFY(builder->write(path("in.pdf")));
    QFile outline(path("bookmarks.txt"));
    QVERIFY(outline.open(QIODevice::WriteOnly));
    outline.write("111 Prvi/1\n\t112 Otrok z/poševnico/2\n*\n121 Drugi/4");
    outline.close();
    ComposerJob job;
    job.sources = {{path("in.pdf"), 0, 0}};
    job.output = path("out.pdf");
    job.outlinePath = path("bookmarks.txt");
    QString error;
    QVERIFY2(PdfComposer().compose(job, &error), qPrintable(error));

    const ProgramRun run = dump(path("out.pdf"));
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    const QStringList read = lines(run.output);
    QCOMPARE(read,
        QStringList({"111 Prvi/1,1,open", QStringLiteral("\t112 Otrok z∕poševnico/2,2,closed"),
            "121 Drugi/4,1,closed"}));
    QCOMPARE(readAsTheProgramDoes(read.at(1)).page, 2);
    QCOMPARE(readAsTheProgramDoes(read.at(2)).firstWord, QStringLiteral("121"));
}

void DumperTest::stopsAtOutlineLoops()
{
    std::unique_ptr<PdfBuilder> builder = fivePages();
    builder->setOutline(
        {PdfBuilder::OutlineItem(QStringLiteral("A"), PdfBuilder::fitDestination(pages[0])),
            PdfBuilder::OutlineItem(QStringLiteral("B"), PdfBuilder::fitDestination(pages[1]))});
    QPDFObjectHandle outlines = builder->pdf().getRoot().getKey("/Outlines");
    outlines.getKey("/Last").replaceKey("/Next", outlines.getKey("/First"));
    QVERIFY(builder->write(path("in.pdf")));

    const ProgramRun run = dump(path("in.pdf"));
    QVERIFY(run.finished);
    QCOMPARE(lines(run.output), QStringList({"A/1,1,closed", "B/2,1,closed"}));
}

void DumperTest::dumpsNothingWithoutOutline()
{
    QVERIFY(fivePages()->write(path("in.pdf")));
    const ProgramRun run = dump(path("in.pdf"));
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.output, QByteArray());
}

void DumperTest::failsOnUnreadableFiles_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("missing") << QStringList {"missing.pdf", "--dump"} << QByteArray("ne obstaja");
    QTest::newRow("damaged") << QStringList {"damaged.pdf", "--dump"}
                             << QByteArray("ni mogoce prebrati");
    QTest::newRow("password-protected")
        << QStringList {"locked.pdf", "--dump"} << QByteArray("zascitena z geslom");
    QTest::newRow("no --dump") << QStringList {"locked.pdf"} << QByteArray("uporaba");
    QTest::newRow("extra argument")
        << QStringList {"locked.pdf", "--dump", "x"} << QByteArray("uporaba");
}

void DumperTest::failsOnUnreadableFiles()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);

    PdfBuilder locked;
    locked.addTextPage("locked");
    locked.setOutline(
        {PdfBuilder::OutlineItem(QStringLiteral("Skrito"), QPDFObjectHandle::newNull())});
    QVERIFY(locked.write(path("locked.pdf"), "geslo"));
    QFile damaged(path("damaged.pdf"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("%PDF-1.4\n1 0 obj << /Type /Catalog");
    damaged.close();
    arguments[0] = path(arguments.at(0));

    const ProgramRun run = runBuiltTool(folder, program, arguments);
    QVERIFY(run.finished);
    QVERIFY(run.exitCode != 0);
    QCOMPARE(run.output, QByteArray());
    QVERIFY2(run.errors.startsWith("jpdfbookmarks_tev: "), run.errors.constData());
    QVERIFY2(run.errors.contains(message), run.errors.constData());
}

QTEST_MAIN(DumperTest)
#include "dumpertest.moc"
