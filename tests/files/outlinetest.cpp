#include "files/outline.h"

#include "files/keywords.h"
#include "snapshotbuilder.h"

#include <QtTest>

namespace {

QStringList pathsOf(const ElaboratSnapshot &snapshot, const QVector<int> &documents)
{
    QStringList paths;
    for (int index : documents)
        paths << snapshot.items.at(index).filePath;
    return paths;
}

// A building-cadastre elaborat with REN pages directly under a "110" bookmark and in its
// subtitle, between two other bookmarks.
SnapshotBuilder renElaborat(bool isKs, bool questionnaire)
{
    SnapshotBuilder b(isKs);
    b.procedure("p");
    if (questionnaire)
        b.procedure("ks_vpis_vprasalnika");
    const int c = b.component("s1");
    b.document(b.bookmark(c, "104", "Tloris"), "t.pdf", 0, 2);
    const int ren = b.bookmark(c, "110", "Ren");
    b.document(ren, "r1.pdf", 0, 3);
    b.document(b.subtitle(ren), "r2.pdf", 4, 9);
    b.document(b.bookmark(b.component("s2"), "111", "Skica"), "s.pdf");
    return b;
}

} // namespace

class OutlineTest : public QObject
{
    Q_OBJECT

private slots:
    void linesAndCodes();
    void nothingWithoutFilledBookmarks();
    void nestedBookmark();
    void fileBytes();
    void renPages_data();
    void renPages();
    void renBookmarkInsideBookmark();
    void generalOutline();
    void generalOutlineIgnoresBookmarks();
    void documentList();
};

void OutlineTest::linesAndCodes()
{
    SnapshotBuilder b;
    b.procedure("p");
    const int c1 = b.component("s1");
    const int plans = b.bookmark(c1, "104", "Tloris / etaža 1");
    b.document(plans, "a.pdf", 0, 10); // a whole ten-page file
    b.document(plans, "b.pdf", 5, 10); // page 5 of it
    b.document(plans, "c.jpg", 0, 1); // an image
    b.document(b.bookmarkText(c1, "999", "999"), "d.pdf", 0, 4); // no title: no line, 4 pages
    b.bookmark(c1, "121", "Prazen"); // no children: no line
    const int c2 = b.component("s2");
    b.document(b.bookmark(c2, "111", "Skica"), "e.pdf", 0, 2);
    b.document(b.bookmarkText(c2, "131", "131  dva  blanka"), "f.pdf", 0, 1);
    b.document(b.bookmark(c2, "132", "dve\nvrstici\r\n"), "g.pdf");

    const ElaboratOutline outline = buildOutline(b.snapshot);
    QCOMPARE(outline.lines,
        QStringList({"Tloris / etaža 1/1", "Skica/17", " dva  blanka/19", "dve vrstici  /20"}));
    QCOMPARE(outline.bookmarkCodes, QStringList({"104", "111", "131", "132"}));
    QCOMPARE(outline.componentCodes, QStringList({"s1", "s2", "s2", "s2"}));
}

void OutlineTest::nothingWithoutFilledBookmarks()
{
    SnapshotBuilder b;
    b.procedure("p");
    const int c = b.component("s1");
    b.bookmark(c, "104", "Tloris");
    b.document(c, "lost.pdf"); // not under a bookmark: counts, but has no line
    b.bookmark(b.component("s2"), "121", "Zapisnik");
    const ElaboratOutline outline = buildOutline(b.snapshot);
    QVERIFY(outline.lines.isEmpty());
    QVERIFY(outline.bookmarkCodes.isEmpty());
    QVERIFY(outline.componentCodes.isEmpty());
    QVERIFY(buildOutline(SnapshotBuilder().snapshot).lines.isEmpty());

    // A bookmark whose only child is a subtitle still marks where its pages would start.
    b.subtitle(b.bookmark(b.component("s3"), "111", "Skica"));
    QCOMPARE(buildOutline(b.snapshot).lines, QStringList({"Skica/2"}));
}

void OutlineTest::nestedBookmark()
{
    SnapshotBuilder b;
    b.procedure("p");
    const int outer = b.bookmark(b.component("s1"), "104", "Tloris");
    b.document(outer, "a.pdf", 0, 2);
    b.document(b.bookmark(outer, "105", "Prerez"), "b.pdf");
    b.document(outer, "c.pdf");

    const ElaboratOutline outline = buildOutline(b.snapshot);
    QCOMPARE(outline.lines, QStringList({"Tloris/1", "\tPrerez/3"}));
    QCOMPARE(outline.bookmarkCodes, QStringList({"104", "105"}));
    QCOMPARE(outline.componentCodes, QStringList({"s1", "s1"}));
}

void OutlineTest::fileBytes()
{
    QCOMPARE(outlineFileBytes({"Tloris/1", "\tŠtevilka/2", "Zadnji/3"}),
        QByteArray("Tloris/1\n\t\xc5\xa0tevilka/2\nZadnji/3"));
    QCOMPARE(outlineFileBytes({}), QByteArray());
}

void OutlineTest::renPages_data()
{
    QTest::addColumn<bool>("isKs");
    QTest::addColumn<bool>("questionnaire");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QStringList>("pdf");
    QTest::addColumn<QStringList>("ren");

    const QStringList all = {"t.pdf", "r1.pdf", "r2.pdf", "s.pdf"};
    QTest::newRow("building cadastre")
        << true << false << QStringList({"Tloris/1", "Skica/3"}) << QStringList({"104", "111"})
        << QStringList({"t.pdf", "s.pdf"}) << QStringList({"r1.pdf", "r2.pdf"});
    QTest::newRow("with questionnaire")
        << true << true << QStringList({"Tloris/1", "Ren/3", "Skica/7"})
        << QStringList({"104", "110", "111"}) << all << QStringList();
    QTest::newRow("land cadastre")
        << false << false << QStringList({"Tloris/1", "Ren/3", "Skica/7"})
        << QStringList({"104", "110", "111"}) << all << QStringList();
}

void OutlineTest::renPages()
{
    QFETCH(bool, isKs);
    QFETCH(bool, questionnaire);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, codes);
    QFETCH(QStringList, pdf);
    QFETCH(QStringList, ren);

    const ElaboratSnapshot snapshot = renElaborat(isKs, questionnaire).snapshot;
    const ElaboratOutline outline = buildOutline(snapshot);
    QCOMPARE(outline.lines, lines);
    QCOMPARE(outline.bookmarkCodes, codes);
    QCOMPARE(pathsOf(snapshot, pdfDocuments(snapshot)), pdf);
    QCOMPARE(pathsOf(snapshot, renDocuments(snapshot)), ren);
}

void OutlineTest::renBookmarkInsideBookmark()
{
    // The outline counts exactly the pages the PDF gets, also for a document of the outer
    // bookmark that follows a "110" bookmark inside it.
    SnapshotBuilder b(true);
    b.procedure("p");
    const int c = b.component("s1");
    const int plans = b.bookmark(c, "104", "Tloris");
    b.document(plans, "t1.pdf");
    b.document(b.bookmark(plans, "110", "Ren"), "r.pdf", 0, 5);
    b.document(plans, "t2.pdf");
    b.document(b.bookmark(c, "111", "Skica"), "s.pdf");

    QCOMPARE(buildOutline(b.snapshot).lines, QStringList({"Tloris/1", "Skica/3"}));
    QCOMPARE(
        pathsOf(b.snapshot, pdfDocuments(b.snapshot)), QStringList({"t1.pdf", "t2.pdf", "s.pdf"}));
    QCOMPARE(pathsOf(b.snapshot, renDocuments(b.snapshot)), QStringList({"r.pdf"}));
}

void OutlineTest::generalOutline()
{
    SnapshotBuilder b;
    b.procedure("splosno");
    b.document(b.sestavine(), "a.pdf", 0, 1, 0, "111 skica");
    b.document(b.sestavine(), "b.pdf", 0, 2, 0, "121 zapisniki");
    b.document(b.sestavine(), "c.pdf", 0, 1, 0, "  ");
    b.document(b.sestavine(), "d.pdf", 3, 8, 0, " 131 ");

    const ElaboratOutline outline = buildOutline(b.snapshot);
    QCOMPARE(outline.lines, QStringList({"*", "*/1", "\tskica/1", "\tzapisniki/2", "\t/5"}));
    QCOMPARE(outline.bookmarkCodes, QStringList({"", "111", "121", "131"}));
    QVERIFY(outline.componentCodes.isEmpty());
    QVERIFY(keywordsText(b.snapshot, outline.bookmarkCodes, outline.componentCodes)
                .contains("|BMIDS=;111;121;131|SIDS=|"));

    SnapshotBuilder untyped;
    untyped.procedure("splosno");
    untyped.document(untyped.sestavine(), "a.pdf");
    QVERIFY(buildOutline(untyped.snapshot).lines.isEmpty());
}

void OutlineTest::generalOutlineIgnoresBookmarks()
{
    SnapshotBuilder b;
    b.procedure("p");
    b.procedure("splosno");
    b.document(b.bookmark(b.component("s1"), "104", "Tloris"), "a.pdf", 0, 2, 0, "");
    b.document(b.sestavine(), "b.pdf", 0, 1, 0, "111 skica");

    const ElaboratOutline outline = buildOutline(b.snapshot);
    QCOMPARE(outline.lines, QStringList({"*", "*/3", "\tskica/3"}));
    QCOMPARE(outline.bookmarkCodes, QStringList({"", "111"}));
}

void OutlineTest::documentList()
{
    SnapshotBuilder b;
    const int mark = b.bookmark(b.component("s1"), "104", "Tloris");
    b.document(mark, "C:/x/a.pdf");
    b.document(mark, "C:/x/b.pdf", 3, 4, 1);
    b.document(mark, "C:/moji dokumenti/c.pdf", 0, 1, 3);

    const QVector<int> documents = pdfDocuments(b.snapshot);
    QCOMPARE(documentListArguments(b.snapshot, documents),
        QStringList({"C:/x/a.pdf", "0", "0", "C:/x/b.pdf", "3", "90", "C:/moji dokumenti/c.pdf",
            "0", "270"}));
    QCOMPARE(documentListText(b.snapshot, documents),
        QStringLiteral("\"C:/x/a.pdf\" 0 0 \"C:/x/b.pdf\" 3 90 "
                       "\"C:/moji dokumenti/c.pdf\" 0 270"));
    QCOMPARE(documentListText(b.snapshot, {}), QString());
    QCOMPARE(composerTitle(false), QStringLiteral("Arhiv zemljiškega katastra"));
    QCOMPARE(composerTitle(true), QStringLiteral("Arhiv katastra stavb"));
}

QTEST_GUILESS_MAIN(OutlineTest)
#include "outlinetest.moc"
