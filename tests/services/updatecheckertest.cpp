#include "services/updatechecker.h"
#include "app/mainwindow.h"
#include "loopbackhttpserver.h"
#include "platform/apppaths.h"
#include "platform/toolrunner.h"
#include "scriptedprompter.h"
#include "services/logdialog.h"
#include "testprogramfolder.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using Reply = LoopbackHttpServer::Reply;
Q_DECLARE_METATYPE(Reply)

// Update checks against a loopback update server, alone and through the main window, and the
// log viewer.
class UpdateCheckerTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<LoopbackHttpServer> server;
    UpdateServer settings;

    // A server that answers the version check with `version` and the installer with
    // `installer`.
    void serve(const Reply &version, const Reply &installer = Reply())
    {
        server = std::make_unique<LoopbackHttpServer>([=](const LoopbackHttpServer::Request &r) {
            return r.path.endsWith("/version.txt") ? version : installer;
        });
        QVERIFY(server->start());
        settings.address = server->url();
    }

    std::unique_ptr<UpdateChecker> makeChecker()
    {
        return std::make_unique<UpdateChecker>(
            QStringLiteral("2.4.5"), [this] { return settings; }, [] { return false; }, nullptr);
    }

    // Runs one check to its end and returns how it ended.
    UpdateChecker::Outcome check(bool quiet)
    {
        auto checker = makeChecker();
        QSignalSpy finished(checker.get(), &UpdateChecker::finished);
        checker->checkForUpdates(quiet);
        if (!finished.wait(20000))
            return UpdateChecker::Outcome(-1);
        return finished.at(0).at(0).value<UpdateChecker::Outcome>();
    }

    void writeSettings(bool checkAtStart, const QString &address = QString())
    {
        folder->write(QStringLiteral("config/tev.ini"),
            "[Nastavitve]\ngp=140\ngpUser=true\npreveriPosodobitve="
                + QByteArray(checkAtStart ? "true" : "false") + "\nupdateURI=" + address.toUtf8()
                + '\n');
    }

    static QString checkError(const QString &address)
    {
        return QStringLiteral("Napaka pri preverjanju razlicice programa. Preverite povezavo z "
                              "internetom oz. dostop do naslova '%1'")
            .arg(address);
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestProgramFolder>();
        prompter = std::make_unique<ScriptedPrompter>();
        settings = UpdateServer();
    }

    void cleanup()
    {
        server.reset();
        prompter.reset();
        folder.reset();
    }

    void versionAnswer_data()
    {
        QTest::addColumn<Reply>("answer");
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<QString>("proxy"); // "server": the test's server is the proxy
        QTest::addColumn<UpdateChecker::Outcome>("outcome");
        QTest::addColumn<QString>("message"); // "%1" stands for the server's address

        const QString upToDate
            = QStringLiteral("Program je ze posodobljen na najnovejso razlicico (2.4.5).");
        const QString error = checkError(QStringLiteral("%1"));
        const Reply same = LoopbackHttpServer::reply(200, "2.4.5");
        QTest::newRow("same, blanks around") << LoopbackHttpServer::reply(200, "  2.4.5 \n")
                                             << false << "" << UpdateChecker::UpToDate << upToDate;
        QTest::newRow("same, quiet") << LoopbackHttpServer::reply(200, "2.4.5\r\n") << true << ""
                                     << UpdateChecker::UpToDate << QString();
        QTest::newRow("blanks are no proxy")
            << same << true << " \t " << UpdateChecker::UpToDate << QString();
        QTest::newRow("proxy") << same << true << "server" << UpdateChecker::UpToDate << QString();
        QTest::newRow("older is offered")
            << LoopbackHttpServer::reply(200, "2.4.4\n") << true << "" << UpdateChecker::Declined
            << QStringLiteral("Trenutno uporabljate razlicico 2.4.5. Na voljo je novejsa "
                              "razlicica programa (2.4.4). Ali jo zelite namestiti?");
        QTest::newRow("404, quiet") << LoopbackHttpServer::reply(404, "2.4.6") << true << ""
                                    << UpdateChecker::CheckFailed << error;
        QTest::newRow("error page with 200")
            << LoopbackHttpServer::reply(200, "<html><body>Napaka 500</body></html>", "text/html")
            << false << "" << UpdateChecker::CheckFailed << error;
    }

    void versionAnswer()
    {
        QFETCH(Reply, answer);
        QFETCH(bool, quiet);
        QFETCH(QString, proxy);
        QFETCH(UpdateChecker::Outcome, outcome);
        QFETCH(QString, message);
        serve(answer);
        QString expectedTarget = QStringLiteral("/version.txt?v=");
        settings.proxy = proxy;
        if (proxy == QLatin1String("server")) {
            settings.proxy = std::exchange(settings.address, "http://posodobitve.invalid");
            expectedTarget.prepend(settings.address);
        }
        prompter->buttons.enqueue(QMessageBox::No);

        QCOMPARE(check(quiet), outcome);
        QCOMPARE(prompter->messageTexts(),
            message.isEmpty()
                ? QStringList()
                : QStringList {message.replace(QStringLiteral("%1"), settings.address)});
        const QList<LoopbackHttpServer::Request> requests = server->requests();
        QCOMPARE(requests.size(), 1);
        const QRegularExpression target(
            QLatin1Char('^') + QRegularExpression::escape(expectedTarget) + "[0-9]+$");
        QVERIFY2(target.match(QString::fromLatin1(requests.at(0).target)).hasMatch(),
            requests.at(0).target.constData());
        QVERIFY(QDir(AppPaths::updateDir()).isEmpty());
    }

    void aSecondCheckReplacesTheFirst()
    {
        int requests = 0;
        server = std::make_unique<LoopbackHttpServer>([&requests](const auto &) {
            Reply reply = LoopbackHttpServer::reply(200, "2.4.5");
            reply.never = requests++ == 0;
            return reply;
        });
        QVERIFY(server->start());
        settings.address = server->url();
        auto checker = makeChecker();
        QSignalSpy finished(checker.get(), &UpdateChecker::finished);
        checker->checkForUpdates(true);
        QTRY_COMPARE(server->requests().size(), 1);
        checker->checkForUpdates(false);
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(prompter->messageTexts(),
            QStringList {
                QStringLiteral("Program je ze posodobljen na najnovejso razlicico (2.4.5).")});
    }

    void downloadFailure_data()
    {
        QTest::addColumn<Reply>("installer");
        QTest::newRow("404") << LoopbackHttpServer::reply(404, "Ni datoteke");
        QTest::newRow("empty") << LoopbackHttpServer::reply(200, QByteArray());
    }

    void downloadFailure()
    {
        QFETCH(Reply, installer);
        serve(LoopbackHttpServer::reply(200, "2.4.6"), installer);
        QCOMPARE(check(false), UpdateChecker::DownloadFailed);
        QCOMPARE(prompter->messageTexts().value(1),
            QStringLiteral("Napaka pri nalaganju naslova '%1/update_gu_2.4.6.sh'")
                .arg(settings.address));
        QCOMPARE(server->requests().value(1).path, QByteArray("/update_gu_2.4.6.sh"));
        QVERIFY(QDir(AppPaths::updateDir()).isEmpty());
    }

    void missingCurlIsACheckError()
    {
        settings.address = QStringLiteral("http://127.0.0.1:9");
        QVERIFY(folder->removeTool(QStringLiteral("curl")));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", folder->path().toLocal8Bit());
        const UpdateChecker::Outcome outcome = check(false);
        qputenv("PATH", path);
        QCOMPARE(outcome, UpdateChecker::CheckFailed);
        QCOMPARE(prompter->messageTexts(), QStringList {checkError(settings.address)});
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
        serve(LoopbackHttpServer::reply(200, "2.4.6\n"),
            LoopbackHttpServer::reply(200, "echo namesceno > namesceno.txt\n"));
        writeSettings(true, settings.address);
        prompter->buttons << QMessageBox::Yes << QMessageBox::No;

        MainWindow window;
        if (modifiedElaborat)
            QVERIFY(window.createElaborat({0}, false, false));
        auto *updates = window.findChild<UpdateChecker *>();
        QSignalSpy finished(updates, &UpdateChecker::finished);
        QVERIFY(finished.wait(20000));

        if (modifiedElaborat) {
            QCOMPARE(
                finished.at(0).at(0).value<UpdateChecker::Outcome>(), UpdateChecker::CloseRefused);
            QVERIFY(prompter->messageTexts().last().startsWith(QStringLiteral("Elaborat '")));
            QVERIFY(
                QFileInfo(folder->path(QStringLiteral("update/update_gu_2.4.6.sh"))).size() > 0);
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

QTEST_MAIN(UpdateCheckerTest)
#include "updatecheckertest.moc"
