#include "app/pdfpath.h"
#include "buildfixture.h"
#include "files/naming.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreewidget.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// Where the next PDF goes: the identity checks, the save dialog with its name form, and the
// folder below the work folder with its questions, in a real main window.
class PdfPathTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<BuildFixture> fixture;

    // "ZK", "KS" or "KS ZPPLPS": an elaborat of that kind with KO 850 Ljubljana, IDPOS 12,
    // REZPOS 7 (building cadastre) and the date.
    TTreeElaborat *elaborat(const QString &kind, const QString &date = QStringLiteral("07.03.2012"))
    {
        QStringList procedures {
            kind == QLatin1String("ZK") ? QStringLiteral("UM") : QStringLiteral("VS")};
        if (kind.endsWith(QLatin1String("ZPPLPS")))
            procedures << QStringLiteral("ZPPLPS");
        TTreeElaborat *made = fixture->create(procedures);
        BuildFixture::setLandIdentity(made);
        made->setAttribute(QStringLiteral("DATUM_ZADNJE_SPREMEMBE"), date);
        if (made->isKs())
            made->setAttribute(QStringLiteral("REZPOS"), QStringLiteral("7"));
        return made;
    }

    QString expand(QString text) const
    {
        return text.replace(QStringLiteral("<w>"), fixture->path(QStringLiteral("w")));
    }

    void queueButtons(const QString &answers)
    {
        for (QChar answer : answers)
            fixture->prompter().buttons.enqueue(
                answer == QLatin1Char('Y') ? QMessageBox::Yes : QMessageBox::No);
    }

private slots:
    void init()
    {
        fixture = std::make_unique<BuildFixture>();
        QDir().mkpath(fixture->path(QStringLiteral("w")));
    }

    void cleanup() { fixture.reset(); }

    void theSaveDialogInsistsOnTheNameForm_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("expected");

        const QString zkForm
            = QStringLiteral("Ime PDF elaborata mora biti v obliki \"SIFKO_IDPOS_NNN.PDF\".");
        const QString notChosen = QStringLiteral("Ime PDF elaborata ni izbrano.");
        QTest::newRow("proposed name")
            << "ZK" << QString() << QStringList {"/i/0850_00012_000.pdf"} << "0850_00012_000.pdf"
            << QStringList() << "/i/0850_00012_000.pdf";
        QTest::newRow("version 001 in capitals")
            << "ZK"
            << "/stari/kraj/elaborat.pdf" << QStringList {"/i/0850_00012_001.PDF"}
            << "/stari/kraj/0850_00012_000.pdf" << QStringList() << "/i/0850_00012_001.PDF";
        QTest::newRow("short version, then a good one")
            << "ZK" << QString() << QStringList {"/i/0850_00012_1.pdf", "/i/0850_00012_002.pdf"}
            << "0850_00012_000.pdf" << QStringList {zkForm} << "/i/0850_00012_002.pdf";
        QTest::newRow("unpadded code, then cancelled")
            << "ZK" << QString() << QStringList {"/i/850_00012_001.pdf", ""} << "0850_00012_000.pdf"
            << QStringList {zkForm, notChosen} << QString();
        QTest::newRow("another suffix, then cancelled")
            << "ZK" << QString() << QStringList {"/i/0850_00012_000.txt", ""}
            << "0850_00012_000.pdf" << QStringList {zkForm, notChosen} << QString();
        QTest::newRow("cancelled") << "ZK" << QString() << QStringList {""} << "0850_00012_000.pdf"
                                   << QStringList {notChosen} << QString();
        QTest::newRow("building ending counts its case")
            << "KS" << QString()
            << QStringList {"/i/0850_00012_000_s.pdf", "/i/0850_00012_000_S.pdf"}
            << "0850_00012_000_S.pdf"
            << QStringList {QStringLiteral(
                   "Ime PDF elaborata mora biti v obliki \"SIFKO_IDPOS_NNN_S.PDF\".")}
            << "/i/0850_00012_000_S.pdf";
        QTest::newRow("ZPPLPS ending")
            << "KS ZPPLPS" << QString()
            << QStringList {"/i/0850_00012_000_S.pdf", "/i/0850_00012_000_Z2.pdf"}
            << "0850_00012_000_Z2.pdf"
            << QStringList {QStringLiteral(
                   "Ime PDF elaborata mora biti v obliki \"SIFKO_IDPOS_NNN_Z2.PDF\".")}
            << "/i/0850_00012_000_Z2.pdf";
    }

    void theSaveDialogInsistsOnTheNameForm()
    {
        QFETCH(QString, kind);
        QFETCH(QString, lastName);
        QFETCH(QStringList, answers);
        QFETCH(QString, proposed);
        QFETCH(QStringList, messages);
        QFETCH(QString, expected);
        // The dialog starts in the folder of the last name when it exists, else at home.
        QTemporaryDir outside;
        const QString lastFolder = outside.filePath(QStringLiteral("stari/kraj"));
        QVERIFY(QDir().mkpath(lastFolder));
        lastName.replace(QStringLiteral("/stari/kraj"), lastFolder);
        proposed = QDir::isRelativePath(proposed)
            ? QDir::homePath() + '/' + proposed
            : proposed.replace(QStringLiteral("/stari/kraj"), lastFolder);
        fixture->window().settings().values().askForSaveLocation = true;
        fixture->window().windowSettings().lastSaveAsName = lastName;
        fixture->prompter().fileNames.append(answers);

        QCOMPARE(choosePdfPath(fixture->window(), elaborat(kind)), expected);
        QCOMPARE(fixture->prompter().messageTexts(), messages);
        QCOMPARE(fixture->prompter().count(ScriptedPrompter::SaveFile), answers.size());
        for (const ScriptedPrompter::Shown &shown : fixture->prompter().shown) {
            if (shown.kind == ScriptedPrompter::SaveFile) {
                QCOMPARE(shown.title, QStringLiteral("PDF elaborata"));
                QCOMPARE(shown.detail, proposed);
                QCOMPARE(shown.filter, QStringLiteral("PDF (*.pdf)"));
            } else {
                QCOMPARE(shown.title, QStringLiteral("Izdelava elaborata"));
            }
        }
        QCOMPARE(fixture->window().windowSettings().lastSaveAsName,
            expected.isEmpty() ? proposed : expected);
        QCOMPARE(fixture->prompter().count(ScriptedPrompter::Directory), 0);
    }

    void theWorkFolderGivesTheFolder_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("workFolder");
        QTest::addColumn<QString>("existing"); // "folder", "file", "blocker" or nothing
        QTest::addColumn<QString>("chooser"); // the folder chooser's answer, "-": not shown
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("expected");

        const QString folder = QStringLiteral("<w>/0850/L2012/00012000");
        const QString land = folder + QStringLiteral("/0850_00012_000.pdf");
        const QString missing = QStringLiteral("Mapa elaborata se ne obstaja.");
        const QString exists = QStringLiteral("Elaborat ze obstaja.");
        const QString date = QStringLiteral("07.03.2012");
        QTest::newRow("folder exists") << "ZK" << date << "<w>"
                                       << "folder"
                                       << "-"
                                       << "" << QStringList() << land;
        QTest::newRow("trailing slash") << "ZK" << date << "<w>/"
                                        << "folder"
                                        << "-"
                                        << "" << QStringList() << land;
        QTest::newRow("folder missing, Yes") << "ZK" << date << "<w>"
                                             << ""
                                             << "-"
                                             << "Y" << QStringList {missing} << land;
        QTest::newRow("folder missing, No") << "ZK" << date << "<w>"
                                            << ""
                                            << "-"
                                            << "N" << QStringList {missing} << QString();
        QTest::newRow("folder cannot be made")
            << "ZK" << date << "<w>/blocker"
            << "blocker"
            << "-"
            << "Y" << QStringList {missing, QStringLiteral("Ne morem zapisati elaborata.")}
            << QString();
        QTest::newRow("file exists, Yes") << "ZK" << date << "<w>"
                                          << "file"
                                          << "-"
                                          << "Y" << QStringList {exists} << land;
        QTest::newRow("file exists, No") << "ZK" << date << "<w>"
                                         << "file"
                                         << "-"
                                         << "N" << QStringList {exists} << QString();
        QTest::newRow("no work folder, chooser cancelled")
            << "ZK" << date << ""
            << ""
            << ""
            << "" << QStringList {QStringLiteral("Delovna mapa ni dolocena.")} << QString();
        QTest::newRow("default N:/, chooser picks a folder")
            << "ZK" << date << "N:/"
            << ""
            << "<w>/izbrana"
            << "Y" << QStringList {missing} << "<w>/izbrana/0850/L2012/00012000/0850_00012_000.pdf";
        QTest::newRow("relative work folder, chooser cancelled")
            << "ZK" << date << "delo"
            << ""
            << ""
            << "" << QStringList {QStringLiteral("Delovna mapa ni dolocena.")} << QString();
        QTest::newRow("date without a year")
            << "ZK"
            << "07.03."
            << "<w>"
            << ""
            << "-"
            << "" << QStringList {QStringLiteral("Datum zadnje spremembe nima letnice.")}
            << QString();
        QTest::newRow("building cadastre")
            << "KS" << date << "<w>"
            << ""
            << "-"
            << "Y" << QStringList {missing} << "<w>/850_Ljubljana/L_2012/S7/0850_00012_000_S.pdf";
        QTest::newRow("building cadastre with ZPPLPS")
            << "KS ZPPLPS" << date << "<w>"
            << ""
            << "-"
            << "Y" << QStringList {missing} << "<w>/850_Ljubljana/L_2012/S7/0850_00012_000_Z2.pdf";
    }

    void theWorkFolderGivesTheFolder()
    {
        QFETCH(QString, kind);
        QFETCH(QString, date);
        QFETCH(QString, workFolder);
        QFETCH(QString, existing);
        QFETCH(QString, chooser);
        QFETCH(QString, answers);
        QFETCH(QStringList, messages);
        QFETCH(QString, expected);
        AppSettings::Values &settings = fixture->window().settings().values();
        QString &folder
            = kind == QLatin1String("ZK") ? settings.workFolderZk : settings.workFolderKs;
        folder = expand(workFolder);
        const QString land = expand(QStringLiteral("<w>/0850/L2012/00012000/0850_00012_000.pdf"));
        if (existing == QLatin1String("folder"))
            QDir().mkpath(QFileInfo(land).absolutePath());
        if (existing == QLatin1String("file"))
            QVERIFY(fixture->base.folder.write(
                QStringLiteral("w/0850/L2012/00012000/0850_00012_000.pdf"), "stari"));
        if (existing == QLatin1String("blocker"))
            QVERIFY(fixture->base.folder.write(QStringLiteral("w/blocker"), "datoteka"));
        if (chooser != QLatin1String("-"))
            fixture->prompter().fileNames.enqueue(expand(chooser));
        queueButtons(answers);

        const QString path = choosePdfPath(fixture->window(), elaborat(kind, date));
        QCOMPARE(path, expand(expected));
        QCOMPARE(fixture->prompter().messageTexts(), messages);
        QCOMPARE(fixture->prompter().count(ScriptedPrompter::Directory),
            chooser == QLatin1String("-") ? 0 : 1);
        if (chooser != QLatin1String("-")) {
            QCOMPARE(
                fixture->prompter().shown.first().title, QStringLiteral("Izberi delovno mapo"));
            QCOMPARE(folder, chooser.isEmpty() ? workFolder : expand(chooser));
        }
        if (!expected.isEmpty())
            QVERIFY(QFileInfo(path).absoluteDir().exists());
        if (answers == QLatin1String("N") && existing.isEmpty())
            QVERIFY(!QFileInfo::exists(QFileInfo(land).absolutePath()));
        if (existing == QLatin1String("file"))
            QCOMPARE(fixture->base.folder.read(
                         QStringLiteral("w/0850/L2012/00012000/0850_00012_000.pdf")),
                QByteArray("stari"));
    }

    void theQuestionsCarryTheirTexts()
    {
        fixture->window().settings().values().workFolderZk = fixture->path(QStringLiteral("w"));
        choosePdfPath(fixture->window(), elaborat(QStringLiteral("ZK")));
        const ScriptedPrompter::Shown folder = fixture->prompter().shown.value(0);
        QCOMPARE(folder.informativeText,
            QStringLiteral("Elaborat bo shranjen v mapo '%1', ki pa se ne obstaja. Jo zelite "
                           "ustvariti?")
                .arg(expand(QStringLiteral("<w>/0850/L2012/00012000"))));
        QCOMPARE(folder.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(folder.defaultButton, QMessageBox::Yes);

        fixture->prompter().shown.clear();
        QVERIFY(fixture->base.folder.write(
            QStringLiteral("w/0850/L2012/00012000/0850_00012_000.pdf"), "stari"));
        choosePdfPath(fixture->window(), fixture->window().tree()->currentElaborat());
        const ScriptedPrompter::Shown file = fixture->prompter().shown.value(0);
        QCOMPARE(file.informativeText,
            QStringLiteral("Elaborat '%1'\nze obstaja. Ga zelite zamenjati?")
                .arg(expand(QStringLiteral("<w>/0850/L2012/00012000/0850_00012_000.pdf"))));
        QCOMPARE(file.defaultButton, QMessageBox::Yes);
    }

    void aFailedCheckWarnsOnceAndAsksNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("ko");
        QTest::addColumn<QString>("idpos");
        QTest::addColumn<QString>("rezpos");
        QTest::addColumn<bool>("titlePage");
        QTest::addColumn<QString>("warning");
        QTest::newRow("no KO") << "ZK"
                               << ""
                               << "12"
                               << "" << false << "Sifra KO ni dolocena.";
        QTest::newRow("six digits")
            << "ZK"
            << "850 Ljubljana"
            << "123456"
            << "" << false << "IDPOS in/ali REZPOS lahko vsebujeta najvec 5 znakov.";
        QTest::newRow("a letter") << "ZK"
                                  << "850 Ljubljana"
                                  << "12a"
                                  << "" << false
                                  << "IDPOS in/ali REZPOS lahko vsebujeta samo stevilke.";
        QTest::newRow("no numbers, land") << "ZK"
                                          << "850 Ljubljana"
                                          << ""
                                          << "" << false << "IDPOS in/ali REZPOS nista dolocena.";
        QTest::newRow("no numbers, building")
            << "KS"
            << "850 Ljubljana"
            << ""
            << "" << false << "IDPOS in/ali ST. STAVBE nista dolocena.";
        QTest::newRow("title page needs IDPOS")
            << "KS"
            << "850 Ljubljana"
            << ""
            << "7" << true << QString::fromUtf8(idposRequiredText);
    }

    void aFailedCheckWarnsOnceAndAsksNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, ko);
        QFETCH(QString, idpos);
        QFETCH(QString, rezpos);
        QFETCH(bool, titlePage);
        QFETCH(QString, warning);
        TTreeElaborat *made = elaborat(kind);
        made->setAttribute(QStringLiteral("KO"), ko);
        made->setAttribute(QStringLiteral("IDPOS"), idpos);
        made->setAttribute(QStringLiteral("REZPOS"), rezpos);
        if (titlePage)
            new TTreeDokument(fixture->pdf(QStringLiteral("n.pdf"), 1),
                BuildFixture::bookmark(
                    made, QStringLiteral("ns"), QStringLiteral("201"), QStringLiteral("Naslov")));

        QCOMPARE(choosePdfPath(fixture->window(), made), QString());
        QCOMPARE(fixture->prompter().shown.size(), 1);
        QCOMPARE(fixture->prompter().shown.first().title, QStringLiteral("Elaborat"));
        QCOMPARE(fixture->prompter().shown.first().text, warning);
        QCOMPARE(fixture->prompter().shown.first().icon, QMessageBox::Warning);
    }

    void noElaboratIsTold()
    {
        QCOMPARE(choosePdfPath(fixture->window(), nullptr), QString());
        QCOMPARE(fixture->prompter().messageTexts(),
            QStringList {QStringLiteral("Elaborat ni izbran.")});
        QCOMPARE(fixture->prompter().shown.first().title, QStringLiteral("Izdelava elaborata"));
    }
};

QTEST_MAIN(PdfPathTest)
#include "pdfpathtest.moc"
