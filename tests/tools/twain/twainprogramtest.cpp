#include "bmpfields.h"
#include "testprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {
using Settings = QMap<QString, QString>;

// Settings of SANE's test backend that differ from what the program wants, so that each test
// sees the program choose colour, 8 bits and 300 dpi itself.
const Settings baseSettings {
    {"number_of_devices", "1"},
    {"mode", "Gray"},
    {"depth", "8"},
    {"resolution", "50.0"},
    {"test-picture", "\"Color pattern\""},
};

struct Run
{
    int exitCode = -1;
    QStringList lines;
    QString errorOutput;
};

// What a finished run printed and returned.
Run resultOf(QProcess *process)
{
    Run run;
    run.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    run.lines = QString::fromLocal8Bit(process->readAllStandardOutput()).split('\n');
    if (run.lines.last().isEmpty())
        run.lines.removeLast();
    run.errorOutput = QString::fromLocal8Bit(process->readAllStandardError());
    return run;
}
} // namespace

class TwainProgramTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sourceList_data();
    void sourceList();
    void flatbedScansOnePage_data();
    void flatbedScansOnePage();
    void feederScansUntilEmpty();
    void namesArriveAsPagesAreWritten();
    void convertedPageKeepsResolution();
    void failures_data();
    void failures();
    void wrongArguments();
    void scanReadsItsIdInTheListLastPrinted_data();
    void scanReadsItsIdInTheListLastPrinted();
    void aListThatCannotBeKeptIsNotPrinted();
    void aFullDiskLeavesNoPage();

private:
    void configure(const Settings &changes, const QString &backends = QStringLiteral("test"));
    QString programPath() const;
    void prepare(QProcess *process, const QStringList &arguments) const;
    Run run(const QStringList &arguments) const;
    void verifyPage(const QString &path) const;
    QImage reference(const QString &device) const;

    std::unique_ptr<QTemporaryDir> config;
    std::unique_ptr<QTemporaryDir> work;
};

void TwainProgramTest::init()
{
    config = std::make_unique<QTemporaryDir>();
    work = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(work->path()).mkdir(QStringLiteral("pages of scan")));
    // The program keeps its source list beside itself: each test has a program folder of its
    // own, which links to the build's program.
    QVERIFY(QDir(work->path()).mkdir(QStringLiteral("program")));
    QVERIFY(
        QFile::link(TestProgramFolder::buildProgramDir() + QStringLiteral("/twain/TWAIN_APP_CMD"),
            programPath()));
    configure({});
}

QString TwainProgramTest::programPath() const
{
    return work->filePath(QStringLiteral("program/TWAIN_APP_CMD"));
}

// Writes the SANE configuration the program reads: dll.conf with the backends and the test
// backend's test.conf from baseSettings with changes.
void TwainProgramTest::configure(const Settings &changes, const QString &backends)
{
    Settings settings = baseSettings;
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        settings.insert(it.key(), it.value());
    QByteArray text;
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        text += (it.key() + ' ' + it.value() + '\n').toUtf8();
    QFile dll(config->filePath(QStringLiteral("dll.conf")));
    QFile test(config->filePath(QStringLiteral("test.conf")));
    QVERIFY(dll.open(QIODevice::WriteOnly) && dll.write(backends.toUtf8() + '\n') > 0);
    QVERIFY(test.open(QIODevice::WriteOnly) && test.write(text) == text.size());
}

void TwainProgramTest::prepare(QProcess *process, const QStringList &arguments) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SANE_CONFIG_DIR"), config->path());
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(work->path());
    process->setProgram(programPath());
    process->setArguments(arguments);
}

Run TwainProgramTest::run(const QStringList &arguments) const
{
    QProcess process;
    prepare(&process, arguments);
    process.start();
    if (!process.waitForFinished(60000))
        process.kill();
    return resultOf(&process);
}

// Checks that the file is an uncompressed 24-bit BMP at 300 dpi that Qt reads.
void TwainProgramTest::verifyPage(const QString &path) const
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() > 54);
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    QCOMPARE(bmpField16(bytes, 28), quint16(24));
    QCOMPARE(bmpField32(bytes, 30), 0u);
    QCOMPARE(bmpField32(bytes, 38), 11811u);
    QCOMPARE(bmpField32(bytes, 42), 11811u);
    QImage image;
    QVERIFY(image.loadFromData(bytes, "BMP"));
    QCOMPARE(image.dotsPerMeterX(), 11811);
}

// The page as SANE's own scanimage gets it with the settings the program should choose, or a
// null image without scanimage.
QImage TwainProgramTest::reference(const QString &device) const
{
    const QString scanimage = QStandardPaths::findExecutable(QStringLiteral("scanimage"));
    if (scanimage.isEmpty())
        return {};
    QProcess process;
    prepare(&process, {"-d", device, "--mode", "Color", "--depth", "8", "--resolution", "300"});
    process.setProgram(scanimage);
    process.start();
    process.waitForFinished(60000);
    return QImage::fromData(process.readAllStandardOutput(), "PPM");
}

void TwainProgramTest::sourceList_data()
{
    QTest::addColumn<QString>("backends");
    QTest::addColumn<QString>("devices");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("no scanner") << ""
                                << "1" << QStringList {};
    QTest::newRow("one device with flatbed and feeder")
        << "test"
        << "1"
        << QStringList {"0:,Noname frontend-tester (Flatbed)",
               "1:,Noname frontend-tester (Automatic Document Feeder)"};
    QTest::newRow("two devices of one model")
        << "test"
        << "2"
        << QStringList {"0:,Noname frontend-tester [test:0] (Flatbed)",
               "1:,Noname frontend-tester [test:0] (Automatic Document Feeder)",
               "2:,Noname frontend-tester [test:1] (Flatbed)",
               "3:,Noname frontend-tester [test:1] (Automatic Document Feeder)"};
}

void TwainProgramTest::sourceList()
{
    QFETCH(QString, backends);
    QFETCH(QString, devices);
    QFETCH(QStringList, lines);
    configure({{"number_of_devices", devices}}, backends);
    const Run result = run({});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.lines, lines);
    QCOMPARE(result.errorOutput, QString());
}

void TwainProgramTest::flatbedScansOnePage_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::newRow("grey at 50 dpi by default") << Settings {};
    QTest::newRow("16-bit by default") << Settings {{"depth", "16"}};
    QTest::newRow("three-pass colour") << Settings {{"three-pass", "true"}};
    QTest::newRow("height unknown until the end") << Settings {{"hand-scanner", "true"}};
}

void TwainProgramTest::flatbedScansOnePage()
{
    QFETCH(Settings, settings);
    configure(settings);
    const Run result = run({"0", "pages of scan", "3", "12345"});
    QCOMPARE(result.errorOutput, QString());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.lines, QStringList {"scan0003.bmp"});
    const QDir folder(work->filePath(QStringLiteral("pages of scan")));
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), result.lines);
    verifyPage(folder.filePath(result.lines.first()));

    const QImage expected = reference(QStringLiteral("test:0"));
    if (expected.isNull())
        QSKIP("no scanimage to compare the page with");
    const QImage page(folder.filePath(result.lines.first()));
    QCOMPARE(page.size(), expected.size());
    QVERIFY(page.convertToFormat(QImage::Format_RGB32)
        == expected.convertToFormat(QImage::Format_RGB32));
}

void TwainProgramTest::feederScansUntilEmpty()
{
    const QString folder = work->filePath(QStringLiteral("pages of scan"));
    const Run result = run({"1", folder, "5", "0"});
    QCOMPARE(result.errorOutput, QString());
    QCOMPARE(result.exitCode, 0);
    QStringList expected;
    for (int number = 5; number < 15; ++number)
        expected.append(QStringLiteral("scan%1.bmp").arg(number, 4, 10, QLatin1Char('0')));
    QCOMPARE(result.lines, expected);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    for (const QString &name : expected)
        verifyPage(QDir(folder).filePath(name));
}

void TwainProgramTest::namesArriveAsPagesAreWritten()
{
    configure({{"read-delay", "true"}, {"read-delay-duration", "200000"}, {"br_x", "10.0"},
        {"br_y", "10.0"}});
    QProcess process;
    prepare(&process, {"1", "pages of scan", "1", "0"});
    process.start();
    QVERIFY(process.waitForReadyRead(30000));
    const QByteArray first = process.readLine();
    QVERIFY2(!QFile::exists(work->filePath(QStringLiteral("pages of scan/scan0010.bmp"))),
        "the first name came only with the last page");
    QCOMPARE(first, QByteArray("scan0001.bmp\n"));
    verifyPage(work->filePath(QStringLiteral("pages of scan/scan0001.bmp")));
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
}

void TwainProgramTest::convertedPageKeepsResolution()
{
    const QString mogrify = TestProgramFolder::buildProgramDir() + "/ImageMagick/mogrify";
    const QString pdfimages = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!QFile::exists(mogrify) || QStandardPaths::findExecutable("gm").isEmpty()
        || pdfimages.isEmpty() || pdfinfo.isEmpty())
        QSKIP("needs GraphicsMagick and poppler's tools");
    QCOMPARE(run({"0", "pages of scan", "1", "0"}).exitCode, 0);

    const QString folder = work->filePath(QStringLiteral("pages of scan"));
    QProcess convert;
    convert.setWorkingDirectory(folder);
    convert.start(
        mogrify, {"-format", "pdf", "-compress", "jpeg", "-quality", "60", "scan0001.bmp"});
    QVERIFY(convert.waitForFinished(60000));
    QCOMPARE(convert.exitCode(), 0);

    QProcess images;
    images.start(pdfimages, {"-list", folder + "/scan0001.pdf"});
    QVERIFY(images.waitForFinished(60000));
    const QStringList rows = QString::fromLatin1(images.readAllStandardOutput()).split('\n');
    QVERIFY(rows.size() >= 3);
    const QStringList image = rows.at(2).split(' ', Qt::SkipEmptyParts);
    QCOMPARE(image.mid(3, 4), (QStringList {"944", "1181", "rgb", "3"}));
    QCOMPARE(image.mid(12, 2), (QStringList {"300", "300"}));

    QProcess info;
    info.start(pdfinfo, {folder + "/scan0001.pdf"});
    QVERIFY(info.waitForFinished(60000));
    const QRegularExpressionMatch size
        = QRegularExpression(QStringLiteral("Page size: +([\\d.]+) x ([\\d.]+) pts"))
              .match(QString::fromLatin1(info.readAllStandardOutput()));
    QVERIFY(size.hasMatch());
    QVERIFY(qAbs(size.captured(1).toDouble() - 944 / 300.0 * 72) < 1);
    QVERIFY(qAbs(size.captured(2).toDouble() - 1181 / 300.0 * 72) < 1);
}

void TwainProgramTest::failures_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QStringList feeder {"1", "pages of scan", "1", "0"};
    const auto status = [](const char *code) {
        return Settings {{"read-status-code", QStringLiteral("\"%1\"").arg(code)}};
    };
    QTest::newRow("unknown source")
        << Settings {} << QStringList {"2", "pages of scan", "1", "0"} << "Vir 2 ne obstaja.";
    QTest::newRow("paper jam") << status("SANE_STATUS_JAMMED") << feeder
                               << "Papir se je zataknil v podajalniku.";
    QTest::newRow("cover open") << status("SANE_STATUS_COVER_OPEN") << feeder
                                << "Pokrov skenerja je odprt.";
    QTest::newRow("device busy") << status("SANE_STATUS_DEVICE_BUSY") << feeder
                                 << "Skener je zaseden.";
    QTest::newRow("transfer fails")
        << status("SANE_STATUS_IO_ERROR") << feeder << "Napaka pri prenosu podatkov s skenerja.";
    QTest::newRow("no image at all")
        << status("SANE_STATUS_EOF") << feeder << "Skener ni poslal slike.";
    QTest::newRow("folder missing")
        << Settings {} << QStringList {"0", "elsewhere", "1", "0"} << "Mapa elsewhere ne obstaja.";
    QTest::newRow("folder is a file")
        << Settings {} << QStringList {"0", "a file", "1", "0"} << "Mapa a file ne obstaja.";
}

void TwainProgramTest::failures()
{
    QFETCH(Settings, settings);
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    configure(settings);
    QFile(work->filePath(QStringLiteral("a file"))).open(QIODevice::WriteOnly);
    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.errorOutput, QStringLiteral("TWAIN_APP_CMD: %1\n").arg(message));
    QVERIFY(result.lines.isEmpty());
    QCOMPARE(QDir(work->filePath(QStringLiteral("pages of scan")))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList());
}

void TwainProgramTest::wrongArguments()
{
    const Run result = run({"first", "pages of scan", "1", "0"});
    QCOMPARE(result.exitCode, 2);
    QVERIFY(result.errorOutput.startsWith(QStringLiteral("TWAIN_APP_CMD: ")));
    QVERIFY(QDir(work->filePath(QStringLiteral("pages of scan"))).isEmpty());
}

// A scan takes its id as the list that the user chose from meant it, not as the devices there
// are now would number it.
void TwainProgramTest::scanReadsItsIdInTheListLastPrinted_data()
{
    QTest::addColumn<QString>("listedBackends");
    QTest::addColumn<QString>("listedDevices");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("message");
    QTest::newRow("listed and still there") << "test"
                                            << "2"
                                            << "0" << QString();
    QTest::newRow("device gone since") << "test"
                                       << "2"
                                       << "2"
                                       << "Vir 2 ni vec na voljo.";
    QTest::newRow("listed before the scanner came") << ""
                                                    << "1"
                                                    << "0"
                                                    << "Vir 0 ne obstaja.";
}

void TwainProgramTest::scanReadsItsIdInTheListLastPrinted()
{
    QFETCH(QString, listedBackends);
    QFETCH(QString, listedDevices);
    QFETCH(QString, id);
    QFETCH(QString, message);
    configure({{"number_of_devices", listedDevices}}, listedBackends);
    QCOMPARE(run({}).exitCode, 0);
    configure({{"number_of_devices", "1"}});
    const Run result = run({id, "pages of scan", "1", "0"});
    const QStringList pages
        = QDir(work->filePath(QStringLiteral("pages of scan")))
              .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    if (message.isEmpty()) {
        QCOMPARE(result.errorOutput, QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(pages, QStringList {"scan0001.bmp"});
        return;
    }
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.errorOutput, QStringLiteral("TWAIN_APP_CMD: %1\n").arg(message));
    QVERIFY(result.lines.isEmpty());
    QCOMPARE(pages, QStringList());
}

// An id that no scan could resolve is never handed out.
void TwainProgramTest::aListThatCannotBeKeptIsNotPrinted()
{
    QVERIFY(QDir(work->path()).mkdir(QStringLiteral("program/sources.json")));
    const Run result = run({});
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.lines.isEmpty());
    QVERIFY2(result.errorOutput.startsWith(
                 QStringLiteral("TWAIN_APP_CMD: Seznama virov ni mogoce shraniti v ")),
        qPrintable(result.errorOutput));
}

// A file size limit fails the writing of a page as a full disk does.
void TwainProgramTest::aFullDiskLeavesNoPage()
{
#ifdef Q_OS_UNIX
    QProcess process;
    prepare(&process, {"0", "pages of scan", "1", "0"});
    process.setChildProcessModifier([] {
        const rlimit limit {100000, 100000};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start();
    QVERIFY(process.waitForFinished(60000));
    const Run result = resultOf(&process);
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.lines.isEmpty());
    const QString expected
        = QStringLiteral("TWAIN_APP_CMD: Datoteke pages of scan/scan0001.bmp ni mogoce zapisati: ");
    QVERIFY2(result.errorOutput.startsWith(expected), qPrintable(result.errorOutput));
    QVERIFY2(!result.errorOutput.contains(QStringLiteral("Unknown error")),
        qPrintable(result.errorOutput));
    QCOMPARE(QDir(work->filePath(QStringLiteral("pages of scan")))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList());
#else
    QSKIP("file size limits are set the Unix way");
#endif
}

QTEST_GUILESS_MAIN(TwainProgramTest)
#include "twainprogramtest.moc"
