#include "app/mainwindow.h"
#include "app/toolrunner.h"
#include "loopbackhttpserver.h"
#include "scriptedprompter.h"
#include "services/logdialog.h"
#include "services/updatechecker.h"
#include "testprogramfolder.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// The main window's update check and log viewer, as a user meets them.
class MainWindowUpdateTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<ScriptedPrompter> prompter;

    void writeSettings(bool checkAtStart, const QString &address = QString())
    {
        folder->write(QStringLiteral("config/tev.ini"),
            "[Nastavitve]\ngp=140\ngpUser=true\npreveriPosodobitve="
                + QByteArray(checkAtStart ? "true" : "false") + "\nupdateURI=" + address.toUtf8()
                + '\n');
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestProgramFolder>();
        prompter = std::make_unique<ScriptedPrompter>();
    }

    void cleanup()
    {
        prompter.reset();
        folder.reset();
    }

    void startupCheckInstallsOnClose_data()
    {
        QTest::addColumn<bool>("modifiedElaborat");
        QTest::newRow("closes and installs") << false;
        QTest::newRow("No to the close question") << true;
    }

    void startupCheckInstallsOnClose()
    {
        QFETCH(bool, modifiedElaborat);
        LoopbackHttpServer server([](const LoopbackHttpServer::Request &request) {
            return request.path == "/version.txt"
                ? LoopbackHttpServer::reply(200, "2.4.6\n")
                : LoopbackHttpServer::reply(200, "echo namesceno > namesceno.txt\n");
        });
        QVERIFY(server.start());
        writeSettings(true, server.url());
        prompter->buttons << QMessageBox::Yes << QMessageBox::No;

        MainWindow window;
        if (modifiedElaborat)
            QVERIFY(window.createElaborat({0}, false, false));
        auto *updates = window.findChild<UpdateChecker *>();
        QSignalSpy finished(updates, &UpdateChecker::finished);
        QVERIFY(finished.wait(20000));

        const QString installer = folder->path(QStringLiteral("update/update_gu_2.4.6.sh"));
        if (modifiedElaborat) {
            QCOMPARE(
                finished.at(0).at(0).value<UpdateChecker::Outcome>(), UpdateChecker::CloseRefused);
            QVERIFY(prompter->messageTexts().last().startsWith(QStringLiteral("Elaborat '")));
            QVERIFY(QFileInfo(installer).size() > 0);
            QVERIFY(!QFileInfo::exists(folder->path(QStringLiteral("update/update.sh"))));
            QVERIFY(QFileInfo::exists(folder->path(QStringLiteral(".tmp"))));
        } else {
            QCOMPARE(finished.at(0).at(0).value<UpdateChecker::Outcome>(),
                UpdateChecker::InstallerStarted);
            QVERIFY(!QFileInfo::exists(folder->path(QStringLiteral(".tmp"))));
            QTRY_VERIFY_WITH_TIMEOUT(
                QFileInfo::exists(folder->path(QStringLiteral("update/namesceno.txt"))), 20000);
        }
    }

    void logViewerShowsTheRunSoFar()
    {
        writeSettings(false);
        MainWindow window;
        ToolRunner::logRecord(QStringLiteral("Šifra <b>KO</b> ni določena"));
        QString shown;
        prompter->dialogs.enqueue([&shown](QDialog *dialog) {
            shown = static_cast<LogDialog *>(dialog)->textEdit->toPlainText();
            return int(QDialog::Accepted);
        });
        window.actionLog_datoteka->trigger();
        QCOMPARE(shown,
            QStringLiteral("\n--------session start----------\n"
                           "\n--------Šifra <b>KO</b> ni določena----------\n"));
    }
};

QTEST_MAIN(MainWindowUpdateTest)
#include "mainwindowupdatetest.moc"
