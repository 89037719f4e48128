#include "files/outlinedump.h"

#include "files/keywords.h"
#include "files/outline.h"
#include "snapshotbuilder.h"

#include <QtTest>

namespace {

// "first-last" for each run of consecutive pages, joined with ",".
QString runs(const QVector<int> &pages)
{
    QStringList texts;
    for (int i = 0; i < pages.size(); ++i) {
        const int first = pages.at(i);
        while (i + 1 < pages.size() && pages.at(i + 1) == pages.at(i) + 1)
            ++i;
        texts << QStringLiteral("%1-%2").arg(first).arg(pages.at(i));
    }
    return texts.join(QLatin1Char(','));
}

// "code@component:runs", with ">n" when the pages go to entry n's bookmark.
QStringList describe(const QVector<ReopenBookmark> &bookmarks)
{
    QStringList texts;
    for (const ReopenBookmark &b : bookmarks) {
        QString text = QStringLiteral("%1@%2:%3").arg(b.code, b.componentCode, runs(b.pages));
        if (b.sharedWith >= 0)
            text += QStringLiteral(">%1").arg(b.sharedWith);
        texts << text;
    }
    return texts;
}

// Outline lines as the dumper prints them.
QStringList dumped(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines)
        out << QString(line).remove('\t') + QStringLiteral(",Black,notBold,notItalic,open,TopLeft");
    return out;
}

} // namespace

class OutlineDumpTest : public QObject
{
    Q_OBJECT

private slots:
    void linePages_data();
    void linePages();
    void firstWords();
    void outputLines();
    void bookmarks_data();
    void bookmarks();
    void aLongZigZagPlacesEachPageOnce();
    void reopensWhatWasComposed();
    void generalCodes();
};

void OutlineDumpTest::linePages_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("page");

    QTest::newRow("plain") << "Tloris/3,Black,notBold" << 3;
    QTest::newRow("nested") << "\t\tTloris/12,Black" << 12;
    QTest::newRow("comma in title") << "Tloris, prvi del/4,Black" << 4;
    QTest::newRow("slash in title") << "Tloris/prerez/5,Black" << 5;
    QTest::newRow("blanks around number") << "Tloris/ 7 ,Black" << 7;
    QTest::newRow("no target") << "Tloris/0,Black" << 0;
    QTest::newRow("negative") << "Tloris/-2,Black" << 0;
    QTest::newRow("no number") << "Tloris/,Black" << 0;
    QTest::newRow("no slash") << "Tloris 3,Black" << 0;
    QTest::newRow("no comma") << "Tloris/3" << 0;
    QTest::newRow("empty") << "" << 0;
}

void OutlineDumpTest::linePages()
{
    QFETCH(QString, line);
    QFETCH(int, page);

    QCOMPARE(dumpLinePage(line), page);
}

void OutlineDumpTest::firstWords()
{
    QCOMPARE(dumpLineFirstWord("\t\t413 Mapa/2,Black"), QStringLiteral("413"));
    QCOMPARE(dumpLineFirstWord("Skica/1,Black"), QStringLiteral("Skica/1,Black"));
    QCOMPARE(dumpLineFirstWord(" Skica/1,Black"), QString());
}

void OutlineDumpTest::outputLines()
{
    QCOMPARE(dumpLines(QByteArray("\n a/1,x\r\n\r\nb/2,y\n\0c/3,z\n", 26)),
        QStringList({"a/1,x", "", "b/2,y"}));
    QCOMPARE(dumpLines("\xc5\xa0tevilka/1,x"), QStringList({"Številka/1,x"}));
    QCOMPARE(dumpLines(QByteArray()), QStringList({""}));
}

void OutlineDumpTest::bookmarks_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("bmids");
    QTest::addColumn<QString>("sids");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QStringList>("plan");

    QTest::newRow("pages before the first entry get nothing")
        << QStringList({"Tloris/3,x", "Skica/5,x", "Zapisnik/8,x"}) << "104;111;121"
        << "s1;s1;s2" << 10 << QStringList({"104@s1:3-4", "111@s1:5-7", "121@s2:8-10"});
    QTest::newRow("413 and 414 share a bookmark per component")
        << QStringList({"A/1,x", "B/2,x", "C/4,x", "D/5,x"}) << "413;414;413;414"
        << "s1;s1;s2;s1" << 6
        << QStringList({"413@s1:1-1", "413@s1:2-3>0", "413@s2:4-4", "413@s1:5-6>0"});
    QTest::newRow("other codes never share")
        << QStringList({"A/1,x", "B/2,x"}) << "104;104"
        << "s1;s1" << 2 << QStringList({"104@s1:1-1", "104@s1:2-2"});
    QTest::newRow("line without a page keeps the codes aligned")
        << QStringList({"A/1,x", "B/0,x", "C/4,x"}) << "104;105;106"
        << "s1;s1;s2" << 6 << QStringList({"104@s1:1-3", "106@s2:4-6"});
    QTest::newRow("unreadable lines")
        << QStringList({"A/1,x", "B brez strani", "C/,x", "D/3,x"}) << "104;105;106;107"
        << "s1;s1;s1;s1" << 4 << QStringList({"104@s1:1-2", "107@s1:3-4"});
    QTest::newRow("line without a code covers its pages with nothing")
        << QStringList({"A/1,x", "B/3,x"}) << "104;"
        << "s1;s1" << 5 << QStringList({"104@s1:1-2"});
    QTest::newRow("first word wins over the stored code")
        << QStringList({"413 Mapa/1,x", "Skica/2,x"}) << "104;111"
        << "s1;s1" << 2 << QStringList({"413@s1:1-1", "111@s1:2-2"});
    QTest::newRow("unknown and missing components go under sestavine")
        << QStringList({"A/1,x", "B/2,x", "C/3,x"}) << "413;413;104"
        << "zz" << 3 << QStringList({"413@:1-1", "413@:2-2>0", "104@:3-3"});
    QTest::newRow("no page beyond the file")
        << QStringList({"A/1,x", "B/12,x"}) << "104;111"
        << "s1;s1" << 10 << QStringList({"104@s1:1-10", "111@s1:"});
    QTest::newRow("an entry on the next one's page leaves it to that one")
        << QStringList({"A/2,x", "B/2,x", "C/4,x"}) << "104;105;106"
        << "s1;s1;s1" << 5 << QStringList({"104@s1:", "105@s1:2-3", "106@s1:4-5"});
    QTest::newRow("zig-zag places every page once")
        << QStringList({"A/1,x", "B/6,x", "C/1,x", "D/6,x", "E/3,x"}) << "104;105;106;107;108"
        << "s1;s1;s1;s1;s1" << 6
        << QStringList({"104@s1:1-5", "105@s1:6-6", "106@s1:", "107@s1:", "108@s1:"});
    QTest::newRow("entries out of order share out the pages")
        << QStringList({"A/5,x", "B/1,x", "C/8,x"}) << "104;105;106"
        << "s1;s1;s1" << 9 << QStringList({"104@s1:5-5", "105@s1:1-4,6-7", "106@s1:8-9"});
    QTest::newRow("no stored codes") << QStringList({"Tloris/1,x"}) << ""
                                     << "" << 1 << QStringList();
}

void OutlineDumpTest::bookmarks()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, bmids);
    QFETCH(QString, sids);
    QFETCH(int, pageCount);
    QFETCH(QStringList, plan);

    const StoredKeywords stored
        = *storedKeywords(keywordMap("POSTOPKI=p|BMIDS=" + bmids + "|SIDS=" + sids));
    const QSet<QString> components = {"s1", "s2"};
    QCOMPARE(describe(reopenBookmarks(
                 lines, stored.bookmarkCodes, stored.componentCodes, components, pageCount)),
        plan);
}

void OutlineDumpTest::aLongZigZagPlacesEachPageOnce()
{
    QStringList lines;
    for (int i = 0; i < 600; ++i)
        lines << QStringLiteral("104 Tloris/%1,x").arg(i % 2 ? 600 : 1);
    QSet<int> pages;
    int documents = 0;
    for (const ReopenBookmark &bookmark : reopenBookmarks(lines, {}, {}, {}, 600)) {
        documents += bookmark.pages.size();
        pages.unite(QSet<int>(bookmark.pages.cbegin(), bookmark.pages.cend()));
    }
    QCOMPARE(documents, 600);
    QCOMPARE(pages.size(), 600);
}

void OutlineDumpTest::reopensWhatWasComposed()
{
    SnapshotBuilder b;
    b.procedure("p");
    const int c1 = b.component("s1");
    const int plans = b.bookmark(c1, "104", "Tloris");
    b.document(plans, "a.pdf", 0, 3);
    b.document(b.bookmark(plans, "105", "Prerez"), "b.pdf", 2, 4);
    b.document(b.bookmark(c1, "413", "Mapa"), "c.pdf");
    b.document(b.bookmark(c1, "414", "Stara mapa"), "d.pdf");
    b.document(b.bookmark(b.component("s2"), "414", "Stara mapa"), "e.pdf", 0, 2);
    const ElaboratOutline outline = buildOutline(b.snapshot);
    const StoredKeywords stored = *storedKeywords(keywordMap(
        keywordsText(b.snapshot, outline.bookmarkCodes, outline.componentCodes) + "|POSTOPKI=p"));

    QCOMPARE(describe(reopenBookmarks(dumped(outline.lines), stored.bookmarkCodes,
                 stored.componentCodes, {"s1", "s2"}, 8)),
        QStringList({"104@s1:1-3", "105@s1:4-4", "413@s1:5-5", "413@s1:6-6>2", "413@s2:7-8"}));
}

void OutlineDumpTest::generalCodes()
{
    SnapshotBuilder b;
    b.procedure("splosno");
    b.document(b.sestavine(), "a.pdf", 0, 1, 0, "111 skica");
    b.document(b.sestavine(), "b.pdf", 0, 2, 0, "121 zapisniki");
    const ElaboratOutline outline = buildOutline(b.snapshot);
    // The composer drops the "*" line, which has no page.
    const QStringList lines = dumped(outline.lines.mid(1));

    QMap<int, QString> expected;
    expected.insert(1, "111");
    expected.insert(2, "121");
    QCOMPARE(generalPageCodes(lines, outline.bookmarkCodes, 3), expected);
    QCOMPARE(generalPageCodes(lines, outline.bookmarkCodes.mid(1), 3), (QMap<int, QString>()));
    QCOMPARE(generalPageCodes(lines, {}, 3), (QMap<int, QString>()));

    QMap<int, QString> first;
    first.insert(1, "111");
    QCOMPARE(generalPageCodes(lines, outline.bookmarkCodes, 1), first);
    QMap<int, QString> later;
    later.insert(1, "121");
    QCOMPARE(generalPageCodes({"a/1,x", "b/1,x", "c/0,x"}, {"111", "121", "131"}, 3), later);
}

QTEST_GUILESS_MAIN(OutlineDumpTest)
#include "outlinedumptest.moc"
