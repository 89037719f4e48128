#include "buildfixture.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"

#include <QDir>
#include <QTest>
#include <memory>

// "PDF..." and "stisnjen paket..." refuse attribute values that the Keywords text cannot carry.
class StoredAttributesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<BuildFixture> fixture;

private slots:
    void init() { fixture = std::make_unique<BuildFixture>(); }
    void cleanup() { fixture.reset(); }

    void buildsRefuseValuesThatWouldNotComeBack_data()
    {
        QTest::addColumn<bool>("package");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("problem");

        QTest::newRow("PDF, bar and equals signs") << false << "glej|POSTOPKI=PAR|IDPOS=777"
                                                   << "vsebuje znak \"|\"";
        QTest::newRow("PDF, NUL") << false << QString("a") + QChar(0) + "b"
                                  << "vsebuje kontrolni znak (koda 0)";
        QTest::newRow("PDF, too long for the composer")
            << false << QString(200 * 1024, 'a') << "je predolga (vec kot 128 KiB)";
        QTest::newRow("package, equals sign") << true << "a=b"
                                              << "vsebuje znak \"=\"";
    }

    void buildsRefuseValuesThatWouldNotComeBack()
    {
        QFETCH(bool, package);
        QFETCH(QString, value);
        QFETCH(QString, problem);

        TTreeElaborat *elaborat = fixture->create({QStringLiteral("UM")});
        BuildFixture::setLandIdentity(elaborat);
        new TTreeDokument(fixture->pdf(QStringLiteral("a.pdf"), 1),
            BuildFixture::bookmark(
                elaborat, QStringLiteral("sk"), QStringLiteral("112"), QStringLiteral("Skica")));
        elaborat->setAttribute(QStringLiteral("OPIS"), value);
        const QString pdf = package ? fixture->pdf(QStringLiteral("e.pdf"), 1) : QString();
        if (package) {
            elaborat->setPdfPath(pdf, true);
            elaborat->markUpToDate();
            fixture->window().on_actionZIP_triggered();
        } else {
            fixture->window().on_actionPDF_triggered();
        }

        QCOMPARE(fixture->prompter().messageTexts(),
            QStringList {QStringLiteral("Vrednosti atributa \"OPIS\" ni mogoce shraniti v "
                                        "elaborat, ker %1. Popravite jo v tabeli atributov.")
                             .arg(problem)});
        QCOMPARE(fixture->prompter().shown.size(), 1);
        QCOMPARE(elaborat->pdfPath(), pdf);
        QCOMPARE(elaborat->upToDate(), package);
        QVERIFY(!QDir(fixture->workFolderZk()).exists());
    }
};

QTEST_MAIN(StoredAttributesTest)
#include "storedattributestest.moc"
