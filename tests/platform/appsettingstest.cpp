#include "platform/appsettings.h"
#include "testprogramfolder.h"

#include <QHash>
#include <QSettings>
#include <QTest>
#include <memory>

// The settings store on its own, with the names of two municipalities and two offices.
class AppSettingsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<AppSettings> settings;

    void makeStore()
    {
        const QHash<QString, QString> names {{"850", "LJUBLJANA CENTER"},
            {"1722", "TRNOVSKO PREDMESTJE"}, {"140", "Ljubljana"}, {"150", "Maribor"}};
        const auto nameOf = [names](const QString &code) { return names.value(code); };
        settings = std::make_unique<AppSettings>(nameOf, nameOf);
    }

    QString iniValue(const QString &key)
    {
        return QSettings(AppSettings::fileName(), QSettings::IniFormat).value(key).toString();
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestProgramFolder>(TestProgramFolder::WithEmptyConfig);
        makeStore();
    }

    void cleanup()
    {
        settings.reset();
        folder.reset();
    }

    void defaultFileHasExactContent()
    {
        AppSettings::writeDefaultSettingsFile();
        const QByteArray expected
            = QByteArray("[MainWindow]\nzadnja_mapa=\nsave_as_file_name=\n"
                         "[Nastavitve]\nDelovnaMapa=N:/\n"
                         "DelovnaMapa_2=H:/Sprejem elaboratov\nArhivskaMapa=\n"
                         "ko=\ngp=\nsifraIzvajalca=\nsaveAsElaborat=false\nvir=\n"
                         "updateURI=")
            + AppSettings::defaultUpdateAddress + "\nzips=0\nupdateProxy=\nsoapEndPoint="
            + AppSettings::defaultWebServiceAddress + "\n";
        QCOMPARE(folder->read(QStringLiteral("config/tev.ini")), expected);
        QVERIFY(QByteArray(AppSettings::defaultUpdateAddress).startsWith("https://"));
        QVERIFY(QByteArray(AppSettings::defaultUpdateAddress).endsWith("/"));
        QVERIFY(QByteArray(AppSettings::defaultWebServiceAddress)
                    .endsWith(":7022/DAZK_WS/DAZK_WSPort"));
    }

    void existingFileIsNeverTouched()
    {
        folder->write(QStringLiteral("config/tev.ini"), "[Nastavitve]\nko=850\n");
        AppSettings::writeDefaultSettingsFile();
        QCOMPARE(
            folder->read(QStringLiteral("config/tev.ini")), QByteArray("[Nastavitve]\nko=850\n"));
    }

    void missingConfigFolderCreatesNothing()
    {
        QVERIFY(QDir(folder->path(QStringLiteral("config"))).removeRecursively());
        AppSettings::writeDefaultSettingsFile();
        QVERIFY(!QFile::exists(AppSettings::fileName()));
    }

    void firstRunGivesDefaultsAndAMaximisedWindow()
    {
        WindowSettings members;
        settings->load(members);
        QVERIFY(!members.size);
        QCOMPARE(settings->workFolderZk(), QStringLiteral("N:/"));
        QCOMPARE(settings->workFolderKs(), QStringLiteral("H:/Sprejem elaboratov"));
        QVERIFY(!settings->askForSaveLocation());
        QVERIFY(!settings->settingsComplete());
    }

    void storedGeometryIsRestored()
    {
        folder->write(QStringLiteral("config/tev.ini"), "[MainWindow]\nsize=@Size(640 480)\n");
        WindowSettings members;
        settings->load(members);
        QVERIFY(members.size);
        QCOMPARE(*members.size, QSize(640, 480));
        QCOMPARE(members.pos, QPoint(200, 200));
    }

    void roundTripKeepsCodesAloneAndZipsZero()
    {
        folder->write(QStringLiteral("config/tev.ini"),
            "[MainWindow]\nzadnja_mapa=/home/a\nsave_as_file_name=/x/0850_00012_000.pdf\n"
            "[Nastavitve]\nko=850\ngp=999\nsifraIzvajalca=1234567\nsaveAsElaborat=true\n"
            "vir=Nobeden\nzips=7\nisks=true\ngpUser=true\nupostevajPrivzeto=true\n"
            "ArhivskaMapa=/arhiv\n");
        WindowSettings members;
        settings->load(members);
        QCOMPARE(settings->values().municipality, QStringLiteral("850 LJUBLJANA CENTER"));
        QCOMPARE(settings->values().office, QStringLiteral("999 "));
        QCOMPARE(settings->officeCode(), QStringLiteral("999"));
        QVERIFY(settings->officeUser());
        QVERIFY(settings->askForSaveLocation());
        QVERIFY(settings->useDefaultsForNewElaborates());
        QCOMPARE(settings->scannerSourceId(), -1);
        QVERIFY(members.lastCadastreKs);
        QCOMPARE(members.lastFolder, QStringLiteral("/home/a"));

        settings->save(members, nullptr);
        QCOMPARE(iniValue(QStringLiteral("Nastavitve/ko")), QStringLiteral("850"));
        QCOMPARE(iniValue(QStringLiteral("Nastavitve/gp")), QStringLiteral("999"));
        QCOMPARE(iniValue(QStringLiteral("Nastavitve/zips")), QStringLiteral("0"));
        // No scanning program ever answered, so the stored source is kept, not wiped.
        QCOMPARE(iniValue(QStringLiteral("Nastavitve/vir")), QStringLiteral("Nobeden"));
        QCOMPARE(iniValue(QStringLiteral("Nastavitve/isks")), QStringLiteral("true"));
        QCOMPARE(iniValue(QStringLiteral("Nastavitve/ArhivskaMapa")), QStringLiteral("/arhiv"));
        QCOMPARE(iniValue(QStringLiteral("MainWindow/save_as_file_name")),
            QStringLiteral("/x/0850_00012_000.pdf"));

        makeStore();
        settings->load(members);
        QCOMPARE(settings->values().municipality, QStringLiteral("850 LJUBLJANA CENTER"));
        QCOMPARE(settings->contractorCode(), QStringLiteral("1234567"));
        QVERIFY(settings->officeUser());
    }

    void emptyDefaultsAreFilledFromTheCurrentElaborat()
    {
        WindowSettings members;
        settings->load(members);
        settings->save(members, [](const QString &key) {
            return key == QLatin1String("KO") ? QStringLiteral("1722 TRNOVSKO PREDMESTJE")
                                              : QStringLiteral("150 Maribor");
        });
        QCOMPARE(iniValue(QStringLiteral("Nastavitve/ko")), QStringLiteral("1722"));
        QCOMPARE(iniValue(QStringLiteral("Nastavitve/gp")), QStringLiteral("150"));
        QCOMPARE(settings->values().office, QStringLiteral("150 Maribor"));
    }

    void settingsComplete_data()
    {
        QTest::addColumn<bool>("officeUser");
        QTest::addColumn<QString>("office");
        QTest::addColumn<QString>("contractor");
        QTest::addColumn<bool>("complete");
        QTest::newRow("office with code") << true << "140"
                                          << "" << true;
        QTest::newRow("office without code") << true << ""
                                             << "123" << false;
        QTest::newRow("contractor with code") << false << ""
                                              << "123" << true;
        QTest::newRow("contractor without code") << false << "140"
                                                 << "" << false;
    }

    void settingsComplete()
    {
        QFETCH(bool, officeUser);
        QFETCH(QString, office);
        QFETCH(QString, contractor);
        QFETCH(bool, complete);
        settings->values().contractor = contractor;
        settings->setOffice(office);
        settings->values().officeUser = officeUser;
        QCOMPARE(settings->settingsComplete(), complete);
    }
};

QTEST_MAIN(AppSettingsTest)
#include "appsettingstest.moc"
