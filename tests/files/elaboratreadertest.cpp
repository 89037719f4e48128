#include "files/elaboratreader.h"
#include "app/opencommand.h"
#include "buildfixture.h"
#include "catalog/katalog.h"
#include "intake/sifrantdlg.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "platform/toolrunner.h"
#include "services/sifdlg.h"
#include "testfiles.h"

#include <QFile>
#include <QTest>
#include <memory>

// Opening PDFs whose Keywords and outline the test writes itself, through the real composer
// and dumper: the bookmark rules, the general elaborat, the attributes and the files that are
// no elaborat.
class ElaboratReaderTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<BuildFixture> fixture;
    int made = 0;

    // A PDF of `pages` pages with this Keywords text (" " for none) and outline lines.
    QString composed(int pages, const QString &keywords, const QStringList &outline = {})
    {
        ++made;
        const QString source
            = fixture->pdf(QStringLiteral("vir%1.pdf").arg(made), pages, QStringLiteral("s"));
        QString outlinePath = QStringLiteral(".");
        if (!outline.isEmpty()) {
            outlinePath = fixture->path(QStringLiteral("bookmarks%1.txt").arg(made));
            QFile file(outlinePath);
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write the outline");
            file.write(outline.join(QLatin1Char('\n')).toUtf8());
        }
        const QString output = fixture->path(QStringLiteral("elaborat%1.pdf").arg(made));
        ToolCommand command;
        command.folder = QStringLiteral("PdfComposer");
        command.program = QStringLiteral("PdfComposer");
        command.arguments = QStringList {source, QStringLiteral("0"), QStringLiteral("0"), output,
            keywords, outlinePath, QStringLiteral(".")};
        if (!ToolRunner().runTool(command, QStringLiteral("test")).succeeded())
            qFatal("the composer failed");
        return output;
    }

    TTreeElaborat *opened(const QString &path)
    {
        const int before = fixture->window().tree()->topLevelItemCount();
        if (!odpriElaborat(fixture->window(), path))
            return nullptr;
        if (fixture->window().tree()->topLevelItemCount() != before + 1)
            qFatal("opening added no elaborat");
        return fixture->window().tree()->currentElaborat();
    }

    // "code:pages" of each bookmark of the component (the sestavine node for an empty code).
    static QStringList bookmarksOf(TTreeElaborat *elaborat, const QString &componentCode)
    {
        QTreeWidgetItem *parent = componentCode.isEmpty()
            ? elaborat->sestavineItem()
            : elaborat->findSestavinaBySifra(componentCode);
        QStringList found;
        for (int i = 0; i < parent->childCount(); ++i) {
            const TTreeBookmark *bookmark = TTreeBookmark::cast(parent->child(i));
            if (!bookmark)
                continue;
            QStringList pages;
            for (const TTreeDokument *document : bookmark->dokumenti(true))
                pages << QString::number(document->page());
            found << bookmark->sifra() + QLatin1Char(':') + pages.join(QLatin1Char(','));
        }
        return found;
    }

    QString title(const QString &code) const
    {
        return code + QLatin1Char(' ')
            + fixture->window().typeDialog().typeDescription(code).value_or(QString());
    }

private slots:
    void init()
    {
        fixture = std::make_unique<BuildFixture>();
        made = 0;
    }

    void cleanup() { fixture.reset(); }

    void bookmarksFollowTheStoredCodes()
    {
        const QString pdf = composed(8,
            QStringLiteral(
                "POSTOPKI=UM|BMIDS=112;413;414;121;;413;111|SIDS=sk;sk;sk;zp;zp;zp;xx|KS=0"),
            {QStringLiteral("Skica/2"), QStringLiteral("Druga/3"), QStringLiteral("Tretja/4"),
                QStringLiteral("Zapisnik/5"), QStringLiteral("Brez kode/6"),
                QStringLiteral("Druga listina/7"), QStringLiteral("Neznana sestavina/8")});
        TTreeElaborat *elaborat = opened(pdf);
        QVERIFY(elaborat);
        // Page 1 lies before the first entry; "413" and "414" share one bookmark per
        // component; the entry without a code takes no pages (6), and the bookmark before it
        // ends at its page.
        QCOMPARE(bookmarksOf(elaborat, QStringLiteral("sk")),
            QStringList({QStringLiteral("112:2"), QStringLiteral("413:3,4")}));
        QCOMPARE(bookmarksOf(elaborat, QStringLiteral("zp")),
            QStringList({QStringLiteral("121:5"), QStringLiteral("413:7")}));
        QCOMPARE(bookmarksOf(elaborat, QString()), QStringList {QStringLiteral("111:8")});
        QCOMPARE(elaborat->documentCount(), 6);
        const TTreeSestavina *skica = elaborat->findSestavinaBySifra(QStringLiteral("sk"));
        QCOMPARE(skica->child(1)->text(0), title(QStringLiteral("413")));
        QVERIFY(skica->isExpanded() && skica->child(0)->isExpanded());
        for (TTreeDokument *document : elaborat->documents()) {
            QCOMPARE(document->filePath(), pdf);
            QCOMPARE(document->rotation(), 0);
        }
    }

    void withoutStoredCodesTheTitlesGiveThem()
    {
        const QString pdf = composed(3, QStringLiteral("POSTOPKI=UM|SIDS=zp|KS=0"),
            {QStringLiteral("121 Zapisnik/1"), QStringLiteral("Opomba/3")});
        TTreeElaborat *elaborat = opened(pdf);
        QVERIFY(elaborat);
        // Without BMIDS the components cannot be told apart beyond the stored ones.
        QCOMPARE(bookmarksOf(elaborat, QStringLiteral("zp")), QStringList {"121:1,2"});
        QCOMPARE(elaborat->documentCount(), 2);
    }

    void withoutComponentCodesItIsAGeneralElaborat_data()
    {
        QTest::addColumn<QString>("ks");
        QTest::addColumn<bool>("isKs");
        QTest::newRow("land") << "0" << false;
        QTest::newRow("building") << "1" << true;
    }

    void withoutComponentCodesItIsAGeneralElaborat()
    {
        QFETCH(QString, ks);
        QFETCH(bool, isKs);
        const QString pdf = composed(
            3, QStringLiteral("POSTOPKI=UM|BMIDS=112|KS=") + ks, {QStringLiteral("Skica/1")});
        TTreeElaborat *elaborat = opened(pdf);
        QVERIFY(elaborat);
        QVERIFY(elaborat->hasPostopek(QStringLiteral("splosno")));
        QCOMPARE(elaborat->isKs(), isKs);
        QCOMPARE(elaborat->documentCount(), 3);
        for (int page = 1; page <= 3; ++page) {
            const auto *document = TTreeDokument::cast(elaborat->sestavineItem()->child(page - 1));
            QVERIFY(document);
            QCOMPARE(document->page(), page);
        }
        QCOMPARE(elaborat->documents().first()->tagText(), title(QStringLiteral("112")));
        QCOMPARE(elaborat->documents().at(1)->tagText(), QString());
    }

    void aGeneralElaboratLabelsThePagesItsEntriesPointAt()
    {
        const QString pdf = composed(4,
            QStringLiteral("POSTOPKI=splosno|BMIDS=;111;121|SIDS=|KS=0"),
            {QStringLiteral("*/1"), QStringLiteral("\tSkica/1"), QStringLiteral("\tZapisnik/3")});
        TTreeElaborat *elaborat = opened(pdf);
        QVERIFY(elaborat);
        QStringList labels;
        for (const TTreeDokument *document : elaborat->documents())
            labels << document->tagText();
        QCOMPARE(labels,
            QStringList({title(QStringLiteral("111")), QString(), title(QStringLiteral("121")),
                QString()}));
        QCOMPARE(elaborat->sestavineItem()->childCount(), 4);
    }

    void attributesGetTheirNames()
    {
        const QString pdf = composed(1,
            QStringLiteral("GEODETSKA_PISARNA=140|KO=1728|IDPOS= 45|OPIS=a=b|NEZNAN=x|"
                           "POSTOPKI=UM;neznan;PAR|SIDS=|KS=0"));
        TTreeElaborat *elaborat = opened(pdf);
        QVERIFY(elaborat);
        QCOMPARE(elaborat->postopekNames(),
            QStringList({QStringLiteral("Ureditev meje"), QStringLiteral("Parcelacija")}));
        QCOMPARE(elaborat->attribute(QStringLiteral("POSTOPKI")),
            QStringLiteral("Ureditev meje;Parcelacija"));
        QCOMPARE(elaborat->attribute(QStringLiteral("KO")),
            QStringLiteral("1728 ")
                + fixture->window().codeName(ElaboratContext::Picker::Municipality, "1728"));
        QVERIFY(
            !fixture->window().codeName(ElaboratContext::Picker::Municipality, "1728").isEmpty());
        QCOMPARE(elaborat->attribute(QStringLiteral("GEODETSKA_PISARNA")),
            QStringLiteral("140 Ljubljana"));
        QCOMPARE(elaborat->attribute(QStringLiteral("IDPOS")), QStringLiteral(" 45"));
        // A value ends at its first "=".
        QCOMPARE(elaborat->attribute(QStringLiteral("OPIS")), QStringLiteral("a"));
        QVERIFY(elaborat->upToDate());
        QCOMPARE(elaborat->text(0), QStringLiteral("elaborat1"));
        QCOMPARE(elaborat->pdfPath(), pdf);
    }

    void codesNotInThePickersKeepTheirCode()
    {
        TTreeElaborat *elaborat = opened(
            composed(1, QStringLiteral("KO=9999|GEODETSKA_PISARNA=|POSTOPKI=UM|SIDS=|KS=0")));
        QVERIFY(elaborat);
        QCOMPARE(elaborat->attribute(QStringLiteral("KO")), QStringLiteral("9999 "));
        // An empty code stays empty, so that the KO and office checks still see it missing.
        QCOMPARE(elaborat->attribute(QStringLiteral("GEODETSKA_PISARNA")), QString());
    }

    void filesThatAreNoElaboratOpenNothing_data()
    {
        QTest::addColumn<QString>("keywords");
        QTest::newRow("no Keywords") << " ";
        QTest::newRow("no POSTOPKI") << "KO=1728|BMIDS=112|SIDS=sk|KS=0";
        QTest::newRow("unknown procedures") << "POSTOPKI=neznan; drugi|SIDS=|KS=0";
        QTest::newRow("blank Keywords text") << "   |  ";
    }

    void filesThatAreNoElaboratOpenNothing()
    {
        QFETCH(QString, keywords);
        const QString pdf = composed(2, keywords, {QStringLiteral("Skica/1")});
        QVERIFY(!odpriElaborat(fixture->window(), pdf));
        QCOMPARE(fixture->window().tree()->topLevelItemCount(), 0);
    }

    void aDamagedPdfOpensNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("%PDF-1.4\nnot a pdf at all\n");
        QTest::newRow("empty") << QByteArray();
    }

    void aDamagedPdfOpensNothing()
    {
        QFETCH(QByteArray, content);
        QVERIFY(fixture->base.folder.write(QStringLiteral("pokvarjen.pdf"), content));
        QVERIFY(!odpriElaborat(fixture->window(), fixture->path(QStringLiteral("pokvarjen.pdf"))));
        QVERIFY(!odpriElaborat(fixture->window(), fixture->path(QStringLiteral("manjka.pdf"))));
        QCOMPARE(fixture->window().tree()->topLevelItemCount(), 0);
    }

    void sharedIdsTakeTheStoredKind()
    {
        Katalog katalog;
        for (const auto &[kind, id] :
            {std::pair {Kataster::ZK, "splosno"}, std::pair {Kataster::ZK, "UM"},
                std::pair {Kataster::KS, "splosno"}, std::pair {Kataster::KS, "VS"}}) {
            PostopekDef procedure;
            procedure.kind = kind;
            procedure.id = QString::fromLatin1(id);
            katalog.appendProcedure(procedure);
        }
        const QStringList ids {"splosno", "UM", "VS", "neznan"};
        QCOMPARE(storedProcedureIndices(katalog, ids, false), QList<int>({0, 1, 3}));
        QCOMPARE(storedProcedureIndices(katalog, ids, true), QList<int>({2, 1, 3}));
    }
};

QTEST_MAIN(ElaboratReaderTest)
#include "elaboratreadertest.moc"
