#include "files/zippackage.h"
#include "platform/toolrunner.h"
#include "snapshotbuilder.h"
#include "testfiles.h"
#include "testprogramfolder.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QTest>
#include <memory>

#include <poppler-qt6.h>

// Packing with the real archiver and composer, read back with the archiver's listing.
class ZipPackageTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;

    QString makeFile(const QString &name, const QByteArray &content)
    {
        folder->write(name, content);
        return folder->path(name);
    }

    // The package's files by name, each with its compression method.
    static QMap<QString, QString> methods(const QString &zip)
    {
        QProcess lister;
        lister.start(QStringLiteral("7za"), {QStringLiteral("l"), QStringLiteral("-slt"), zip});
        lister.waitForFinished(60000);
        QMap<QString, QString> files;
        QString name;
        const QStringList lines
            = QString::fromUtf8(lister.readAllStandardOutput()).split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1String("Path = ")) && !line.endsWith(QLatin1String(".zip")))
                files.insert(name = line.mid(7).trimmed(), QString());
            else if (line.startsWith(QLatin1String("Method = ")) && !name.isEmpty())
                files[name] = line.mid(9).trimmed();
        }
        return files;
    }

    static QStringList contents(const QString &zip) { return methods(zip).keys(); }

    SnapshotBuilder elaborat(bool isKs)
    {
        SnapshotBuilder builder(isKs);
        builder.procedure(QStringLiteral("vpis"));
        builder.attribute(QStringLiteral("KO"), QStringLiteral("12 TRNOVO"));
        builder.attribute(QStringLiteral("IDPOS"), QStringLiteral("7"));
        builder.attribute(QStringLiteral("REZPOS"), QStringLiteral("3"));
        builder.snapshot.workDir = folder->path(QStringLiteral(".tmp/08122026101010"));
        QDir().mkpath(builder.snapshot.workDir);
        builder.snapshot.pdfPath
            = TestFiles::writePdf(folder->path(QStringLiteral("0012_00007_000.pdf")), 2);
        return builder;
    }

    // The "110" bookmark of a REN component.
    static int questionnaire(SnapshotBuilder &builder)
    {
        const int component
            = builder.component(QStringLiteral("ren"), QStringLiteral("podatki za REN"));
        return builder.bookmark(component, QStringLiteral("110"), QStringLiteral("Vprasalnik"));
    }

private slots:
    void init() { folder = std::make_unique<TestProgramFolder>(TestProgramFolder::WithoutConfig); }
    void cleanup() { folder.reset(); }

    void packageHoldsThePdfAndTheDigitalDataUnderBareNames()
    {
        SnapshotBuilder builder = elaborat(false);
        const int data
            = builder.component(QStringLiteral("dp"), QStringLiteral("digitalni podatki"));
        builder.snapshot
            .items[builder.document(data, makeFile(QStringLiteral("podatki/tocke.txt"), "1 2 3"))]
            .kind
            = SnapshotKind::DigitalData;
        const QString zip = folder->path(QStringLiteral("0012_00007_12.zip"));
        QVERIFY(packElaborat(builder.snapshot, zip, ToolRunner()).written);
        QCOMPARE(contents(zip),
            QStringList({QStringLiteral("0012_00007_000.pdf"), QStringLiteral("tocke.txt")}));
    }

    void namesAreLiteralAndOnlyTheDataIsCompressed()
    {
        SnapshotBuilder builder = elaborat(false);
        const int data
            = builder.component(QStringLiteral("dp"), QStringLiteral("digitalni podatki"));
        const QByteArray points = QByteArray("1 2 3\n").repeated(1000);
        builder.snapshot
            .items[builder.document(data, makeFile(QStringLiteral("podatki/meje?.dxf"), points))]
            .kind
            = SnapshotKind::DigitalData;
        makeFile(QStringLiteral("podatki/mejeX.dxf"), points);
        const QString zip = folder->path(QStringLiteral("0012_00007_12.zip"));
        QVERIFY(packElaborat(builder.snapshot, zip, ToolRunner()).written);
        const QMap<QString, QString> expected {
            {QStringLiteral("0012_00007_000.pdf"), QStringLiteral("Store")},
            {QStringLiteral("meje?.dxf"), QStringLiteral("Deflate")}};
        QCOMPARE(methods(zip), expected);
    }

    void replacingAPackageLeavesOnlyTheNewContent()
    {
        SnapshotBuilder builder = elaborat(false);
        const QString zip = folder->path(QStringLiteral("paket.zip"));
        const QString stale = makeFile(QStringLiteral("star.txt"), "x");
        QProcess old;
        old.start(
            QStringLiteral("7za"), {QStringLiteral("a"), QStringLiteral("-tzip"), zip, stale});
        QVERIFY(old.waitForFinished(60000));
        QCOMPARE(contents(zip), QStringList {QStringLiteral("star.txt")});

        QVERIFY(packElaborat(builder.snapshot, zip, ToolRunner()).written);
        QCOMPARE(contents(zip), QStringList {QStringLiteral("0012_00007_000.pdf")});
        QCOMPARE(QDir(folder->path()).entryList({QStringLiteral("*.tmp.zip")}), QStringList());
    }

    void aFailedPackingKeepsTheOldPackage()
    {
        SnapshotBuilder builder = elaborat(false);
        builder.snapshot.pdfPath = folder->path(QStringLiteral("manjka.pdf"));
        const QString zip = makeFile(QStringLiteral("paket.zip"), "stari paket");
        QVERIFY(!packElaborat(builder.snapshot, zip, ToolRunner()).written);
        QCOMPARE(folder->read(QStringLiteral("paket.zip")), QByteArray("stari paket"));
        QCOMPARE(QDir(folder->path()).entryList({QStringLiteral("*.tmp.zip")}), QStringList());
    }

    void buildingCadastreAddsTheRenPdfOfThe110Pages()
    {
        SnapshotBuilder builder = elaborat(true);
        const int ren = questionnaire(builder);
        builder.document(
            ren, TestFiles::writePdf(folder->path(QStringLiteral("vprasalnik.pdf")), 3), 0, 3);
        const int data
            = builder.component(QStringLiteral("dp"), QStringLiteral("digitalni podatki"));
        builder.snapshot
            .items[builder.document(data, makeFile(QStringLiteral("001200003ren.PDF"), "star"))]
            .kind
            = SnapshotKind::DigitalData;
        const QString zip = folder->path(QStringLiteral("001200007.zip"));
        QVERIFY(packElaborat(builder.snapshot, zip, ToolRunner()).written);
        QCOMPARE(contents(zip),
            QStringList(
                {QStringLiteral("001200003REN.pdf"), QStringLiteral("0012_00007_000.pdf")}));
        const auto ren3 = Poppler::Document::load(
            builder.snapshot.workDir + QStringLiteral("/k2k3/001200003REN.pdf"));
        QVERIFY(ren3);
        QCOMPARE(ren3->numPages(), 3);
        QVERIFY(ren3->info(QStringLiteral("Keywords")).isEmpty());
    }

    void aRenPdfThatCannotBeComposedFailsThePacking()
    {
        SnapshotBuilder builder = elaborat(true);
        const int ren = questionnaire(builder);
        builder.document(ren, folder->path(QStringLiteral("izbrisan.pdf")));
        // What an earlier packing left must not stand in for it.
        QDir().mkpath(builder.snapshot.workDir + QStringLiteral("/k2k3"));
        QVERIFY(
            folder->write(QStringLiteral(".tmp/08122026101010/k2k3/001200003REN.pdf"), "prejsnji"));
        const QString zip = makeFile(QStringLiteral("001200007.zip"), "stari paket");
        QVERIFY(!packElaborat(builder.snapshot, zip, ToolRunner()).written);
        QCOMPARE(folder->read(QStringLiteral("001200007.zip")), QByteArray("stari paket"));
    }

    void withTheQuestionnaireProcedureThereIsNoRenPdf()
    {
        SnapshotBuilder builder = elaborat(true);
        builder.procedure(QStringLiteral("ks_vpis_vprasalnika"));
        const int ren = questionnaire(builder);
        builder.document(
            ren, TestFiles::writePdf(folder->path(QStringLiteral("vprasalnik.pdf")), 1));
        const QString zip = folder->path(QStringLiteral("001200007.zip"));
        QVERIFY(packElaborat(builder.snapshot, zip, ToolRunner()).written);
        QCOMPARE(contents(zip), QStringList {QStringLiteral("0012_00007_000.pdf")});
    }
};

QTEST_MAIN(ZipPackageTest)
#include "zippackagetest.moc"
