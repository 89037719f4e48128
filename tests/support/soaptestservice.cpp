#include "soaptestservice.h"

#include <QFile>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

const char envelopeNamespace[] = "http://schemas.xmlsoap.org/soap/envelope/";
// What the README promises the authority's side; the client's own constants are not used, so
// that a change of them shows here.
const char serviceNamespace[] = "urn:tevora:dazk-ws:1";
const char operation[] = "obstojElaborata";

QByteArray envelope(const QByteArray &body)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<soap:Envelope xmlns:soap=\"")
        + envelopeNamespace + "\"><soap:Body>" + body + "</soap:Body></soap:Envelope>";
}

QByteArray fault(const QByteArray &text)
{
    return envelope("<soap:Fault><faultcode>soap:Server</faultcode><faultstring>" + text
        + "</faultstring></soap:Fault>");
}

QByteArray escaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

// The name asked about, when the body is the client's request.
bool askedName(const QByteArray &body, QString &name)
{
    QXmlStreamReader xml(body);
    bool inOperation = false;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String(operation)
            && xml.namespaceUri() == QLatin1String(serviceNamespace))
            inOperation = true;
        else if (inOperation && xml.name() == QLatin1String("ime")) {
            name = xml.readElementText();
            return true;
        }
    }
    return false;
}

} // namespace

SoapTestService::SoapTestService()
    : server([this](const LoopbackHttpServer::Request &request) { return answer(request); })
{ }

QString SoapTestService::url() const
{
    return server.url(QStringLiteral("/DAZK_WS/DAZK_WSPort"));
}

void SoapTestService::setBehaviour(Behaviour newBehaviour)
{
    QMutexLocker lock(&mutex);
    behaviour = newBehaviour;
}

void SoapTestService::setAnswer(const QString &name, const QByteArray &elements)
{
    QMutexLocker lock(&mutex);
    table.insert(name.toLower(), elements);
}

QByteArray SoapTestService::elements(
    const QString &ime, int iogu, int dazk, int ks, int zk, int zpplps)
{
    return "<ime>" + escaped(ime) + "</ime><IOGU>" + QByteArray::number(iogu) + "</IOGU><DAZK>"
        + QByteArray::number(dazk) + "</DAZK><KS>" + QByteArray::number(ks) + "</KS><ZK>"
        + QByteArray::number(zk) + "</ZK><ZPPLPS>" + QByteArray::number(zpplps) + "</ZPPLPS>";
}

bool SoapTestService::loadTable(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        const QStringList parts
            = QString::fromUtf8(file.readLine())
                  .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (parts.isEmpty() || parts.first().startsWith(QLatin1Char('#')))
            continue;
        QList<int> numbers;
        for (int i = 1; i <= 5; ++i)
            numbers << parts.value(i).toInt();
        QMutexLocker lock(&mutex);
        if (parts.first() == QLatin1String("*"))
            otherNames = numbers;
        else
            table.insert(parts.first().toLower(),
                elements(
                    parts.first(), numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]));
    }
    return true;
}

QByteArray SoapTestService::elementsFor(const QString &name)
{
    QMutexLocker lock(&mutex);
    if (table.contains(name.toLower()))
        return table.value(name.toLower());
    if (otherNames.isEmpty())
        return QByteArray();
    const QList<int> &n = otherNames;
    return elements(name, n[0], n[1], n[2], n[3], n[4]);
}

LoopbackHttpServer::Reply SoapTestService::answer(const LoopbackHttpServer::Request &request)
{
    Behaviour now;
    {
        QMutexLocker lock(&mutex);
        now = behaviour;
    }
    const QByteArray xml = "text/xml; charset=utf-8";
    LoopbackHttpServer::Reply reply;
    switch (now) {
    case HttpError:
        return LoopbackHttpServer::reply(500, "the service is down for maintenance");
    case Fault:
        return LoopbackHttpServer::reply(500, fault("DAZK ni dosegljiv"), xml);
    case Garbage:
        return LoopbackHttpServer::reply(200, "<html><body>Prijava</body>", xml);
    case Never:
        reply.never = true;
        return reply;
    case Answer:
        break;
    }
    QString name;
    if (request.method != "POST" || !askedName(request.body, name))
        return LoopbackHttpServer::reply(500, fault("no obstojElaborata request"), xml);
    const QByteArray elements = elementsFor(name);
    if (elements.isEmpty())
        return LoopbackHttpServer::reply(500, fault("unknown elaborat " + escaped(name)), xml);
    return LoopbackHttpServer::reply(200,
        envelope("<dazk:" + QByteArray(operation) + "Response xmlns:dazk=\"" + serviceNamespace
            + "\">" + elements + "</dazk:" + operation + "Response>"),
        xml);
}
