#include "existencequery.h"
#include "soaptestservice.h"

#include <QTest>

// tev-post's exchange with a service on the loopback: what it prints and why it gives no answer.
class ExistenceQueryTest : public QObject
{
    Q_OBJECT

private slots:
    void answers_data()
    {
        QTest::addColumn<int>("behaviour");
        QTest::addColumn<QByteArray>("elements");
        QTest::addColumn<QString>("printed"); // or the error
        const QString name = QStringLiteral("0850_00012_000 <Čž&>");
        QTest::newRow("elements in order, the first of each")
            << int(SoapTestService::Answer)
            << QByteArray(
                   "<x><DAZK>1</DAZK></x><ime>0850_00012_000 &lt;Čž&amp;&gt;</ime><DAZK>7</DAZK>")
            << QStringLiteral("<odgovor>\n    <ime>%1</ime>\n    <DAZK>1</DAZK>\n</odgovor>")
                   .arg(name.toHtmlEscaped());
        QTest::newRow("HTTP 500") << int(SoapTestService::HttpError) << QByteArray()
                                  << QStringLiteral("HTTP status 500");
        QTest::newRow("SOAP fault") << int(SoapTestService::Fault) << QByteArray()
                                    << QStringLiteral("SOAP fault: DAZK ni dosegljiv");
        QTest::newRow("no SOAP") << int(SoapTestService::Garbage) << QByteArray()
                                 << QStringLiteral("the answer is no SOAP envelope");
        QTest::newRow("never") << int(SoapTestService::Never) << QByteArray()
                               << QStringLiteral("within 0.3 s");
    }

    void answers()
    {
        QFETCH(int, behaviour);
        QFETCH(QByteArray, elements);
        QFETCH(QString, printed);
        const QString name = QStringLiteral("0850_00012_000 <Čž&>");
        SoapTestService service;
        service.setBehaviour(SoapTestService::Behaviour(behaviour));
        service.setAnswer(name, elements);
        QVERIFY(service.start());

        const ExistenceAnswer answer = queryExistence(name, service.url(), 300);
        QVERIFY2(
            (answer.ok() ? QString::fromUtf8(answer.document) : answer.error).contains(printed),
            qPrintable(answer.error + answer.document));
        QCOMPARE(answer.ok(), behaviour == SoapTestService::Answer);
        QCOMPARE(service.requests().value(0).header("soapaction"),
            QByteArray("\"urn:tevora:dazk-ws:1#obstojElaborata\""));
    }

    void refusesAnAddressThatIsNoWebAddress()
    {
        QVERIFY(queryExistence(QStringLiteral("x"), QStringLiteral("ftp://127.0.0.1/"), 300)
                    .error.startsWith(QStringLiteral("no http or https address")));
    }
};

QTEST_GUILESS_MAIN(ExistenceQueryTest)
#include "existencequerytest.moc"
