#include "files/elaboratfile.h"
#include "files/outlinedump.h"
#include "files/pdfbuild.h"
#include "platform/toolrunner.h"
#include "snapshotbuilder.h"
#include "testfiles.h"
#include "testprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <memory>

// Reading a built elaborat back: its information, its outline dump and its package.
class ElaboratFileTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;

    QString buildElaborat(const QString &name)
    {
        SnapshotBuilder builder;
        builder.procedure(QStringLiteral("UM"));
        builder.attribute(QStringLiteral("KO"), QStringLiteral("850 LJUBLJANA"));
        builder.attribute(QStringLiteral("POSTOPKI"), QStringLiteral("Ureditev meje"));
        builder.snapshot.workDir = folder->path(QStringLiteral(".tmp/w"));
        QDir().mkpath(builder.snapshot.workDir);
        builder.snapshot.pdfPath = folder->path(name);
        const int component = builder.component(QStringLiteral("sk"), QStringLiteral("skica"));
        const int first
            = builder.bookmark(component, QStringLiteral("111"), QStringLiteral("Skica/meje"));
        builder.document(
            first, TestFiles::writePdf(folder->path(QStringLiteral("a.pdf")), 2), 0, 2);
        const int second
            = builder.bookmark(component, QStringLiteral("121"), QStringLiteral("Zapisnik"));
        builder.document(second, TestFiles::writePdf(folder->path(QStringLiteral("b.pdf")), 1));
        if (!buildElaboratPdf(builder.snapshot, ToolRunner()).written)
            qFatal("the elaborat was not built");
        return builder.snapshot.pdfPath;
    }

    // A package made by the archiver of `files`, paths relative to the program folder that the
    // package keeps.
    QString zipped(const QString &name, const QStringList &files)
    {
        QProcess archiver;
        archiver.setWorkingDirectory(folder->path());
        archiver.start(QStringLiteral("7za"),
            QStringList {QStringLiteral("a"), QStringLiteral("-tzip"), folder->path(name)} + files);
        if (!archiver.waitForFinished(60000) || archiver.exitCode() != 0)
            qFatal("the archiver failed");
        return folder->path(name);
    }

private slots:
    void init() { folder = std::make_unique<TestProgramFolder>(TestProgramFolder::WithoutConfig); }
    void cleanup() { folder.reset(); }

    void infoHasKeywordsAndPageCount()
    {
        const PdfInfo info = ElaboratFile::readPdfInfo(buildElaborat(QStringLiteral("e.pdf")));
        QVERIFY(info.loaded);
        QCOMPARE(info.pageCount, 3);
        QVERIFY(info.keywords.startsWith(
            QStringLiteral("KO=850|POSTOPKI=UM|BMIDS=111;121|SIDS=sk;sk|KS=0")));
        QVERIFY(!ElaboratFile::readPdfInfo(folder->path(QStringLiteral("ni.pdf"))).loaded);
    }

    void dumpGivesOneLinePerEntryWithItsPage()
    {
        const QStringList lines
            = ElaboratFile::dumpOutline(buildElaborat(QStringLiteral("e.pdf")), ToolRunner());
        QCOMPARE(lines.size(), 2);
        QCOMPARE(dumpLinePage(lines.at(0)), 1);
        QCOMPARE(dumpLinePage(lines.at(1)), 3);
        QVERIFY(lines.at(1).startsWith(QStringLiteral("Zapisnik/3,")));
        QVERIFY(ElaboratFile::dumpOutline(folder->path(QStringLiteral("ni.pdf")), ToolRunner())
                    .isEmpty());
    }

    void packageUnpacksAndItsElaboratIsFound()
    {
        const QString elaborat = buildElaborat(QStringLiteral("0850_00012_000.pdf"));
        const QString other = TestFiles::writePdf(folder->path(QStringLiteral("drug.pdf")), 1);
        const QString data = folder->path(QStringLiteral("tocke.txt"));
        folder->write(QStringLiteral("tocke.txt"), "1 2");
        const QString zip = folder->path(QStringLiteral("paket.zip"));
        QProcess archiver;
        archiver.start(QStringLiteral("7za"),
            {QStringLiteral("a"), QStringLiteral("-tzip"), zip, other, elaborat, data});
        QVERIFY(archiver.waitForFinished(60000));

        const QString unpacked = folder->path(QStringLiteral(".tmp/paket 101010"));
        ElaboratFile::unpackPackage(zip, unpacked, ToolRunner());
        QCOMPARE(QDir(unpacked).entryList(QDir::Files, QDir::Name),
            QStringList({QStringLiteral("0850_00012_000.pdf"), QStringLiteral("drug.pdf"),
                QStringLiteral("tocke.txt")}));
        QCOMPARE(ElaboratFile::findElaboratPdf(unpacked),
            unpacked + QStringLiteral("/0850_00012_000.pdf"));
        QVERIFY(
            folder->read(QStringLiteral(".tmp/debug.log")).contains("MainWindow - odpriElaborat"));
    }

    void hostilePackagesAreRefused_data()
    {
        QTest::addColumn<bool>("bomb");
        QTest::addColumn<QString>("message");
        QTest::newRow("two files of one name") << false << "vec datotek v njem ima ime 'E.pdf'";
        QTest::newRow("claims far more than it holds") << true << "nesorazmerno";
    }

    void hostilePackagesAreRefused()
    {
        QFETCH(bool, bomb);
        QFETCH(QString, message);
        QDir().mkpath(folder->path(QStringLiteral("a")));
        QDir().mkpath(folder->path(QStringLiteral("b")));
        buildElaborat(QStringLiteral("a/e.pdf"));
        buildElaborat(QStringLiteral("b/E.pdf"));
        folder->write(QStringLiteral("nic.txt"), QByteArray(3 << 20, '0'));
        QString zip = bomb ? zipped(QStringLiteral("p.zip"), {QStringLiteral("nic.txt")})
                           : zipped(QStringLiteral("p.zip"),
                               {QStringLiteral("a/e.pdf"), QStringLiteral("b/E.pdf")});
        if (bomb) {
            // Its entry claims almost 4 GiB, in its local and its central header.
            QByteArray bytes = folder->read(QStringLiteral("p.zip"));
            const QByteArray claimed("\xF0\xFF\xFF\xFF", 4);
            bytes.replace(bytes.indexOf("PK\x03\x04") + 22, 4, claimed);
            bytes.replace(bytes.indexOf("PK\x01\x02") + 24, 4, claimed);
            folder->write(QStringLiteral("p.zip"), bytes);
        }
        const QString unpacked = folder->path(QStringLiteral(".tmp/p"));
        const QString refused = ElaboratFile::unpackPackage(zip, unpacked, ToolRunner());
        QVERIFY2(refused.startsWith(QStringLiteral("Paketa '%1' ni mogoce odpreti").arg(zip))
                && refused.contains(message),
            qPrintable(refused));
        QVERIFY(!QFileInfo::exists(unpacked));
    }

    void linksInAPackageAreNotKept()
    {
        buildElaborat(QStringLiteral("e.pdf"));
        folder->write(QStringLiteral("skrivnost.txt"), "x");
        QVERIFY(QFile::link(folder->path(QStringLiteral("skrivnost.txt")),
            folder->path(QStringLiteral("povezava.txt"))));
        const QString zip = zipped(
            QStringLiteral("p.zip"), {QStringLiteral("e.pdf"), QStringLiteral("povezava.txt")});
        const QString unpacked = folder->path(QStringLiteral(".tmp/p"));
        QVERIFY(ElaboratFile::unpackPackage(zip, unpacked, ToolRunner()).isEmpty());
        QCOMPARE(QDir(unpacked).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
            QStringList {QStringLiteral("e.pdf")});
    }

    void aFolderWithoutElaboratFindsNothing()
    {
        TestFiles::writePdf(folder->path(QStringLiteral("drug.pdf")), 1);
        QCOMPARE(ElaboratFile::findElaboratPdf(folder->path()), QString());
    }
};

QTEST_MAIN(ElaboratFileTest)
#include "elaboratfiletest.moc"
