#include "files/archivecommand.h"
#include "elaboratfixture.h"
#include "files/dialogprogress.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "platform/fileops.h"
#include "services/dialognastavitev.h"
#include "soaptestservice.h"

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// "Arhiviraj...": its checks and questions, and the move behind the progress dialog.
class ArchiveCommandTest : public QObject
{
    Q_OBJECT

private:
    const QString fileName = QStringLiteral("0850_00012_000.PDF");
    std::unique_ptr<ElaboratFixture> fixture;
    QString archive;
    QStringList askedNames;
    QString dialogText;

    TTreeElaborat *elaborat(const QString &pdfPath, const QByteArray &content = "new")
    {
        TTreeElaborat *made = fixture->create({ElaboratFixture::Um});
        made->setAttribute(QStringLiteral("IDPOS"), QStringLiteral("12"));
        write(pdfPath, content);
        made->setPdfPath(pdfPath, true);
        made->markUpToDate();
        return made;
    }

    static void write(const QString &path, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    ArchiveSteps steps(bool proceed = true, const std::function<void()> &during = {})
    {
        ArchiveSteps made;
        made.archiveFolder = archive;
        made.chooseArchiveFolder = [] { return QString(); };
        made.existenceCheck = [this, proceed, during](const QString &name) {
            askedNames << name;
            if (during)
                during();
            return proceed;
        };
        return made;
    }

    // Waits in the progress dialog for the worker's outcome, keeps its text, then closes it.
    void awaitMove(bool stopAtOnce = false)
    {
        fixture->prompter.dialogs << [this, stopAtOnce](QDialog *dialog) {
            auto *progress = qobject_cast<DialogProgress *>(dialog);
            if (stopAtOnce)
                progress->b_prekini->click();
            const bool ended = stopAtOnce
                || QTest::qWaitFor([progress] { return progress->progressBar->isHidden(); });
            dialogText
                = ended ? progress->plainTextEdit->toPlainText() : QStringLiteral("(moving)");
            return int(QDialog::Accepted);
        };
    }

    static bool secondFileSystem()
    {
        return QFileInfo(QStringLiteral("/dev/shm")).isWritable()
            && QStorageInfo(QStringLiteral("/dev/shm")).device()
            != QStorageInfo(QDir::tempPath()).device();
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
        archive = fixture->folder.path(QStringLiteral("arhiv"));
        QDir().mkpath(archive);
        askedNames.clear();
        dialogText.clear();
    }

    void cleanup() { fixture.reset(); }

    void checksAndQuestionsInOrder_data()
    {
        QTest::addColumn<QString>("idpos");
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("serviceSaysGoOn");
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<QStringList>("shown"); // "replace" and "move" stand for the questions
        QTest::addColumn<bool>("moved");

        const int yes = QMessageBox::Yes;
        const int no = QMessageBox::No;
        const QStringList move {"move"};
        const QStringList both {"replace", "move"};
        QTest::newRow("moved") << "12" << false << true << QList<int> {yes} << move << true;
        QTest::newRow("No to the move")
            << "12" << false << true << QList<int> {no} << move << false;
        QTest::newRow("replaced") << "12" << true << true << QList<int> {yes, yes} << both << true;
        QTest::newRow("No to replacing")
            << "12" << true << true << QList<int> {no} << QStringList {"replace"} << false;
        QTest::newRow("replace, then No to the move")
            << "12" << true << true << QList<int> {yes, no} << both << false;
        QTest::newRow("the service said no")
            << "12" << false << false << QList<int>() << QStringList() << false;
        QTest::newRow("no IDPOS") << "" << false << true << QList<int>()
                                  << QStringList {"Arhiviranje brez vpisanega IDPOS-a ni možno!"}
                                  << false;
        QTest::newRow("IDPOS of letters")
            << "12a" << false << true << QList<int>()
            << QStringList {"IDPOS lahko vsebuje samo stevilke."} << false;
    }

    void checksAndQuestionsInOrder()
    {
        QFETCH(QString, idpos);
        QFETCH(bool, existing);
        QFETCH(bool, serviceSaysGoOn);
        QFETCH(QList<int>, buttons);
        QFETCH(QStringList, shown);
        QFETCH(bool, moved);
        const QString source = fixture->folder.path(QStringLiteral("delo/") + fileName);
        const QString target = archive + QLatin1Char('/') + fileName;
        TTreeElaborat *item = elaborat(source);
        item->setAttribute(QStringLiteral("IDPOS"), idpos);
        if (existing)
            write(target, "old");
        for (int button : buttons)
            fixture->prompter.buttons << QMessageBox::StandardButton(button);
        awaitMove();

        runArchiveCommand(item, steps(serviceSaysGoOn));

        shown.replaceInStrings(QStringLiteral("replace"),
            QStringLiteral(
                "Datoteka \n'%1'\n ze obstaja. Ali jo zelite zamenjati z datoteko \n'%2'?")
                .arg(target, source));
        shown.replaceInStrings(QRegularExpression(QStringLiteral("^move$")),
            QStringLiteral("Datoteka \n'%1'\n bo premaknjena v mapo \n'%2'.").arg(source, archive));
        QCOMPARE(fixture->prompter.messageTexts(), shown);
        QCOMPARE(askedNames,
            idpos == QLatin1String("12") ? QStringList {QStringLiteral("0850_00012_000")}
                                         : QStringList());
        QCOMPARE(read(target), QByteArray(moved ? "new" : existing ? "old" : "(missing)"));
        QCOMPARE(QFileInfo::exists(source), !moved);
        QCOMPARE(item->pdfPath(), moved ? target : source);
        QCOMPARE(item->text(0), QStringLiteral("0850_00012_000"));
        if (moved)
            QCOMPARE(dialogText,
                QStringLiteral("Elaborat je bil uspesno premaknjen v mapo za arhiviranje."));
    }

    void alreadyInTheArchiveInOtherLetterCase()
    {
        TTreeElaborat *item = elaborat(archive + QLatin1Char('/') + fileName);
        ArchiveSteps upper = steps();
        upper.archiveFolder = fixture->folder.path(QStringLiteral("ARHIV"));
        runArchiveCommand(item, upper);
        QCOMPARE(fixture->prompter.messageTexts(),
            QStringList {QStringLiteral("Elaborat se ze nahaja v mapi arhiva.")});
        QCOMPARE(read(archive + QLatin1Char('/') + fileName), QByteArray("new"));
    }

    void emptyFolderSettingOpensTheChooser()
    {
        TTreeElaborat *item = elaborat(fixture->folder.path(QStringLiteral("delo/") + fileName));
        DialogNastavitev *settings = fixture->window().settingsDialog();
        ArchiveSteps chosen = steps();
        chosen.archiveFolder.clear();
        chosen.chooseArchiveFolder = [settings] { return settings->chooseArchiveFolder(); };

        runArchiveCommand(item, chosen);
        QCOMPARE(fixture->prompter.count(ScriptedPrompter::Directory), 1);
        QCOMPARE(fixture->prompter.shown[0].title, QStringLiteral("Izberi mapo za arhiviranje"));
        QCOMPARE(fixture->prompter.count(ScriptedPrompter::MessageBox), 0);
        QVERIFY(askedNames.isEmpty());

        fixture->prompter.fileNames << archive;
        fixture->prompter.buttons << QMessageBox::Yes;
        runArchiveCommand(item, chosen);
        QCOMPARE(fixture->window().settings().archiveFolder(), archive);
        QCOMPARE(item->pdfPath(), archive + QLatin1Char('/') + fileName);
    }

    // The source vanishes after the questions: the move fails and the archive keeps its file.
    void failedMoveKeepsTheArchiveFile()
    {
        const QString source = fixture->folder.path(QStringLiteral("delo/") + fileName);
        const QString target = archive + QLatin1Char('/') + fileName;
        TTreeElaborat *item = elaborat(source);
        write(target, "old");
        fixture->prompter.buttons << QMessageBox::Yes << QMessageBox::Yes;
        awaitMove();

        runArchiveCommand(item, steps(true, [&] { QFile::remove(source); }));
        QCOMPARE(dialogText,
            QStringLiteral("Napaka pri arhiviranju. Elaborat ni bil uspesno premaknjen v mapo za "
                           "arhiviranje."));
        QCOMPARE(read(target), QByteArray("old"));
        QCOMPARE(QDir(archive).entryList(QDir::Files), QStringList {fileName});
        QCOMPARE(item->pdfPath(), source);
    }

    // Across file systems the move copies. Stopped, it leaves the source and no part of the copy;
    // done, it replaces the archive's file. The dialog's stop may come on either side of the
    // copy's end: the elaborat follows the file.
    void moveAcrossFileSystems()
    {
        if (!secondFileSystem())
            QSKIP("the temporary folder and /dev/shm lie on one file system");
        QTemporaryDir shm(QStringLiteral("/dev/shm/tev-archive-XXXXXX"));
        const QString source = shm.filePath(fileName);
        const QString target = archive + QLatin1Char('/') + fileName;
        const QByteArray content(8 << 20, 'x');
        TTreeElaborat *item = elaborat(source, content);
        write(target, "old");
        const std::atomic_bool stop {true};
        QVERIFY(!moveFile(source, target, &stop));
        QCOMPARE(read(target), QByteArray("old"));

        for (bool stopAtOnce : {true, false}) {
            fixture->prompter.buttons << QMessageBox::Yes << QMessageBox::Yes;
            awaitMove(stopAtOnce);
            runArchiveCommand(item, steps());
            const bool moved = item->pdfPath() == target;
            QCOMPARE(read(target), moved ? content : QByteArray("old"));
            QCOMPARE(QFileInfo::exists(source), !moved);
            QCOMPARE(QDir(archive).entryList(QDir::Files), QStringList {fileName});
            if (moved)
                break;
        }
        QCOMPARE(item->pdfPath(), target);
    }

    // As a user would: the service on the loopback, its address in the settings, the action. A
    // page taken from the PDF follows it into the archive.
    void mainWindowArchivesAfterAskingTheService()
    {
        SoapTestService service;
        service.setAnswer(QStringLiteral("0850_00012_000"),
            SoapTestService::elements(QStringLiteral("0850_00012_000"), 140, 3));
        QVERIFY(service.start());
        MainWindow &window = fixture->window();
        window.settings().values().webServiceAddress = service.url();
        window.settings().values().archiveFolder = archive;
        const QString source = fixture->folder.path(QStringLiteral("delo/0850_00012_000.pdf"));
        TTreeElaborat *item = elaborat(source);
        fixture->makePdf(QStringLiteral("delo/0850_00012_000.pdf"), 1);
        auto *bookmark = new TTreeBookmark(QStringLiteral("112"), QStringLiteral("112 skica"),
            item->findSestavinaBySifra(QStringLiteral("sk")));
        auto *page = new TTreeDokument(source, bookmark, 1);
        window.tree()->setCurrentItem(item);
        item->markModified();
        QVERIFY(!window.actionArhiviraj->isEnabled());
        item->markUpToDate();
        QVERIFY(window.actionArhiviraj->isEnabled());
        fixture->prompter.buttons << QMessageBox::Yes << QMessageBox::Yes;
        awaitMove();

        window.actionArhiviraj->trigger();
        QCOMPARE(fixture->prompter.messageTexts().value(0),
            QStringLiteral("Elaborat (0850_00012_000) že obstaja. Ali želiš nadaljevati?"));
        QCOMPARE(service.requests().size(), 1);
        QCOMPARE(item->pdfPath(), archive + QStringLiteral("/0850_00012_000.pdf"));
        QCOMPARE(item->text(0), QStringLiteral("0850_00012_000"));
        QCOMPARE(page->filePath(), item->pdfPath());
        QVERIFY(!QFileInfo::exists(source));
    }
};

QTEST_MAIN(ArchiveCommandTest)
#include "archivecommandtest.moc"
