#include "services/existencecheck.h"
#include "scriptedprompter.h"
#include "services/dialognastavitev.h"
#include "services/sifdlg.h"
#include "soaptestservice.h"
#include "testprogramfolder.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <memory>

// The existence check with the real client tev-post against a service on the loopback.
class ExistenceCheckTest : public QObject
{
    Q_OBJECT

private:
    const QString name = QStringLiteral("0850_00012_000_S");
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<SoapTestService> service;

    ExistenceSettings settings(bool officeUser = true) const
    {
        return {officeUser, QStringLiteral("140"), service->url(), [](const QString &code) {
                    return code == QLatin1String("140") ? QStringLiteral("Ljubljana") : QString();
                }};
    }

    static QString closedPortUrl()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        return QStringLiteral("http://127.0.0.1:%1/").arg(probe.serverPort());
    }

    static QString span(bool green, const QString &text)
    {
        return QStringLiteral("<span style='color:%1'>%2</span>")
            .arg(green ? QStringLiteral("green") : QStringLiteral("red"), text);
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestProgramFolder>();
        prompter = std::make_unique<ScriptedPrompter>();
        service = std::make_unique<SoapTestService>();
        QVERIFY(service->start());
    }

    void cleanup()
    {
        service.reset();
        prompter.reset();
        folder.reset();
    }

    void evaluation_data()
    {
        QTest::addColumn<int>("behaviour");
        QTest::addColumn<QByteArray>("elements");
        QTest::addColumn<bool>("testMode");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");

        const int answer = SoapTestService::Answer;
        const auto e = SoapTestService::elements;
        const int noOffice = int(ExistenceCode::NoOffice);
        const int question = int(ExistenceCode::Question);
        const int notChecked = int(ExistenceCode::NotChecked);
        const int notArchived = int(ExistenceCode::NotArchived);
        const QString notYet = QStringLiteral("Elaborat še ni v bazi (DAZK=0).");
        const QString connection
            = QStringLiteral("Napaka pri povezavi (sporoči na podpora@tevora.si).");
        const QString exists = QStringLiteral("Elaborat (%1) že obstaja. ").arg(name);
        const QString differs = QStringLiteral(
            "številko IOGU (150), ki se razlikuje od v nastavitvah nastavljene številke "
            "geodetske pisarne (140). Ali želiš nadaljevati?");

        QTest::newRow("ime in other case, DAZK 0, same office")
            << answer << e(name.toLower(), 140, 0, 0, 0, 0) << false << notArchived << notYet;
        QTest::newRow("other ime") << answer << e("0850_00099_000", 140, 0, 0, 0, 0) << false
                                   << notChecked << QStringLiteral("0850_00099_000");
        QTest::newRow("IOGU 0 whatever DAZK")
            << answer << e(name, 0, 3, 0, 0, 0) << false << noOffice
            << QStringLiteral("Šifra KO ne pripada nobeni IOGU");
        QTest::newRow("DAZK 0, other office")
            << answer << e(name, 150, 0, 0, 0, 0) << false << question
            << QStringLiteral("Elaborat (%1) sicer še ne obstaja, je pa servis za preverbo "
                              "obstoja elaboratov za ta elaborat vrnil ")
                    .arg(name)
                + differs;
        QTest::newRow("DAZK 3, same office") << answer << e(name, 140, 3, 0, 0, 0) << false
                                             << question << exists + "Ali želiš nadaljevati?";
        QTest::newRow("DAZK 3, other office")
            << answer << e(name, 150, 3, 0, 0, 0) << false << question
            << exists + "Servis za preverbo obstoja elaboratov je za ta elaborat vrnil " + differs;
        QTest::newRow("negative DAZK, other office")
            << answer << e(name, 150, -1, 0, 0, 0) << false << notArchived << notYet;
        QTest::newRow("no IOGU") << answer << QByteArray("<ime>" + name.toUtf8() + "</ime>")
                                 << false << notChecked
                                 << QStringLiteral(
                                        "Vrnjen XML ne vsebuje taga <ime> ali taga <IOGU>");
        QTest::newRow("test: summary")
            << answer << e(name, 140, 3, 1, 0, 2) << true << question
            << "IOGU: 140 Ljubljana => " + span(true, "IOGU elaborata je enak nastavljenemu")
                + "<br>DAZK: 3 => " + span(true, "JE v ARHIVU") + "<br>KS: 1 => "
                + span(true, "JE v eveli KS") + "<br>ZK: 0 => " + span(false, "NI v eveli ZK")
                + "<br>ZPPLPS: 2 => " + span(true, "JE v eveli ZPPLPS");
        QTest::newRow("test: other office, not in the list")
            << answer << e(name, 150, 0, 0, 1, 0) << true << question
            << "IOGU: 150  => " + span(false, "IOGU elaborata se razlikuje od nastavljenega")
                + "<br>DAZK: 0 => " + span(false, "NI v ARHIVU") + "<br>KS: 0 => "
                + span(false, "NI v eveli KS") + "<br>ZK: 1 => " + span(true, "JE v eveli ZK")
                + "<br>ZPPLPS: 0 => " + span(false, "NI v eveli ZPPLPS");
        QTest::newRow("test: DAZK 0, same office")
            << answer << e(name, 140, 0, 0, 0, 0) << true << notArchived << notYet;
        QTest::newRow("HTTP 500") << int(SoapTestService::HttpError) << QByteArray() << false
                                  << notChecked << connection;
        QTest::newRow("SOAP fault")
            << int(SoapTestService::Fault) << QByteArray() << false << notChecked << connection;
        QTest::newRow("service down") << -1 << QByteArray() << false << notChecked << connection;
    }

    void evaluation()
    {
        QFETCH(int, behaviour);
        QFETCH(QByteArray, elements);
        QFETCH(bool, testMode);
        QFETCH(int, code);
        QFETCH(QString, message);
        service->setAnswer(name, elements);
        if (behaviour >= 0)
            service->setBehaviour(SoapTestService::Behaviour(behaviour));
        ExistenceSettings used = settings();
        if (behaviour < 0)
            used.address = closedPortUrl();

        const ToolResult client = runExistenceClient(name, used.address);
        const ExistenceVerdict verdict = evaluateExistence(name, client, testMode, used);
        QCOMPARE(verdict.message, message);
        QCOMPARE(int(verdict.code), code);
    }

    void existenceCheckTellsAndAsks_data()
    {
        QTest::addColumn<bool>("officeUser");
        QTest::addColumn<QByteArray>("elements");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("proceed");
        QTest::addColumn<int>("messages");

        const auto e = SoapTestService::elements;
        QTest::newRow("contractor: no request") << false << QByteArray() << 0 << true << 0;
        QTest::newRow("exists, Yes")
            << true << e(name, 140, 3, 0, 0, 0) << int(QMessageBox::Yes) << true << 1;
        QTest::newRow("exists, No")
            << true << e(name, 140, 3, 0, 0, 0) << int(QMessageBox::No) << false << 1;
        QTest::newRow("no office") << true << e(name, 0, 0, 0, 0, 0) << 0 << false << 1;
        QTest::newRow("not archived") << true << e(name, 140, 0, 0, 0, 0) << 0 << true << 0;
        QTest::newRow("no answer") << true << QByteArray() << 0 << true << 1;
    }

    void existenceCheckTellsAndAsks()
    {
        QFETCH(bool, officeUser);
        QFETCH(QByteArray, elements);
        QFETCH(int, button);
        QFETCH(bool, proceed);
        QFETCH(int, messages);
        service->setAnswer(name, elements);
        if (button)
            prompter->buttons << QMessageBox::StandardButton(button);

        QCOMPARE(existenceCheck(name, settings(officeUser)), proceed);
        QCOMPARE(prompter->count(ScriptedPrompter::MessageBox), messages);
        if (button)
            QCOMPARE(prompter->shown[0].defaultButton, QMessageBox::No);
        QCOMPARE(service->requests().size(), officeUser ? 1 : 0);
    }

    // "Test" asks about the name as typed, at the address as typed, and shows rich text.
    void testButtonShowsTheSummary()
    {
        service->setAnswer(name, SoapTestService::elements(name, 140, 3, 0, 0, 0));
        SifDlg offices(
            loadCodeNameList(QStringLiteral("iogu.csv")), QString(), QString(), QString());
        SifDlg municipalities(
            loadCodeNameList(QStringLiteral("ko.csv")), QString(), QString(), QString());
        AppSettings settings(nullptr, nullptr);
        DialogNastavitev dialog(settings, &offices, &municipalities);
        dialog.le_gp->setText(QStringLiteral("140 Ljubljana"));
        dialog.soap_endpoint->setText(service->url());
        dialog.lineEdit->setText(QStringLiteral("  ") + name + QStringLiteral(" "));
        dialog.pushButton->click();
        dialog.soap_endpoint->setText(closedPortUrl());
        dialog.pushButton->click();

        QCOMPARE(prompter->count(ScriptedPrompter::MessageBox), 2);
        QCOMPARE(prompter->shown[0].format, Qt::RichText);
        QVERIFY(prompter->shown[0].text.startsWith(QStringLiteral("IOGU: 140 ")));
        QVERIFY(prompter->shown[0].text.contains(span(true, "JE v ARHIVU")));
        QCOMPARE(prompter->shown[1].text,
            QStringLiteral("Napaka pri povezavi (sporoči na podpora@tevora.si)."));
    }
};

QTEST_MAIN(ExistenceCheckTest)
#include "existencechecktest.moc"
