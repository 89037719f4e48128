#include "files/convertedfiles.h"
#include "buildfixture.h"
#include "intake/imageconversion.h"
#include "model/ttreebookmark.h"
#include "model/ttreedigitalnipodatek.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"

#include <QTest>
#include <memory>

// The converted images that a worker reports by snapshot index reach their own documents.
class ConvertedFilesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<BuildFixture> fixture;

    static int indexOf(const ElaboratSnapshot &snapshot, const QString &filePath)
    {
        for (int i = 0; i < snapshot.items.size(); ++i) {
            if (snapshot.items.at(i).filePath == filePath)
                return i;
        }
        return -1;
    }

private slots:
    void init() { fixture = std::make_unique<BuildFixture>(); }
    void cleanup() { fixture.reset(); }

    void eachIndexReachesItsDocument()
    {
        TTreeElaborat *elaborat = fixture->create({QStringLiteral("UM")});
        new TTreeDigitalniPodatek(fixture->path(QStringLiteral("a.dxf")),
            elaborat->findSestavinaBySifra(QStringLiteral("dp")));
        TTreeBookmark *skica = BuildFixture::bookmark(
            elaborat, QStringLiteral("sk"), QStringLiteral("112"), QStringLiteral("Skica"));
        auto *pdf = new TTreeDokument(fixture->pdf(QStringLiteral("a.pdf"), 1), skica);
        auto *direct = new TTreeDokument(fixture->image(QStringLiteral("a.png")), skica);
        auto *subtitle = new TTreePodnaslov(skica);
        auto *inner = new TTreeDokument(fixture->image(QStringLiteral("b.png")), subtitle);
        auto *last = new TTreeDokument(fixture->image(QStringLiteral("c.png")),
            BuildFixture::bookmark(
                elaborat, QStringLiteral("zp"), QStringLiteral("121"), QStringLiteral("Zapisnik")));
        const ElaboratSnapshot snapshot = elaborat->snapshot();
        QMap<int, QString> converted;
        for (TTreeDokument *document : {direct, inner, last}) {
            const QString target
                = ImageConversion::documentPdfPath(elaborat->workDir(), document->filePath());
            QVERIFY(fixture->base.folder.write(
                QDir(fixture->path(QString())).relativeFilePath(target), "%PDF"));
            converted.insert(indexOf(snapshot, document->filePath()), target);
        }
        QCOMPARE(converted.size(), 3);

        applyConvertedFiles(*elaborat, snapshot, converted);
        for (TTreeDokument *document : {direct, inner, last}) {
            QCOMPARE(document->filePath(),
                ImageConversion::documentPdfPath(elaborat->workDir(), document->sourcePath()));
            QCOMPARE(document->suffix(), QStringLiteral("pdf"));
            QCOMPARE(document->pageCount(), 1);
        }
        QCOMPARE(pdf->filePath(), fixture->path(QStringLiteral("a.pdf")));
        QVERIFY(!elaborat->upToDate());
    }

    void aChangedDocumentOrAMissingPdfIsLeftAlone()
    {
        TTreeElaborat *elaborat = fixture->create({QStringLiteral("splosno")});
        auto *changed
            = new TTreeDokument(fixture->image(QStringLiteral("a.png")), elaborat->sestavineItem());
        auto *failed
            = new TTreeDokument(fixture->image(QStringLiteral("b.png")), elaborat->sestavineItem());
        const ElaboratSnapshot snapshot = elaborat->snapshot();
        const QString made = fixture->pdf(QStringLiteral("a.pdf"), 1);
        const int changedIndex = indexOf(snapshot, changed->filePath());
        const int failedIndex = indexOf(snapshot, failed->filePath());
        changed->setFilePath(fixture->pdf(QStringLiteral("predogled.pdf"), 1));

        applyConvertedFiles(*elaborat, snapshot,
            {{changedIndex, made}, {failedIndex, fixture->path(QStringLiteral("ni.pdf"))},
                {snapshot.items.size() + 3, made}});
        QCOMPARE(changed->filePath(), fixture->path(QStringLiteral("predogled.pdf")));
        QCOMPARE(failed->filePath(), fixture->path(QStringLiteral("b.png")));
    }
};

QTEST_MAIN(ConvertedFilesTest)
#include "convertedfilestest.moc"
