#include "existencequery.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <iterator>
#include <memory>

const char existenceNamespace[] = "urn:tevora:dazk-ws:1";
const char existenceOperation[] = "obstojElaborata";

namespace {

const char envelopeNamespace[] = "http://schemas.xmlsoap.org/soap/envelope/";
const char *const answerElements[] = {"ime", "IOGU", "DAZK", "KS", "ZK", "ZPPLPS"};
constexpr int answerElementCount = int(std::size(answerElements));

struct Envelope
{
    bool valid = false; // a SOAP envelope with a body
    bool fault = false;
    QString faultString;
    QString values[answerElementCount];
    bool found[answerElementCount] = {};
};

int answerIndex(QStringView localName)
{
    for (int i = 0; i < answerElementCount; ++i) {
        if (localName == QLatin1String(answerElements[i]))
            return i;
    }
    return -1;
}

void readBody(QXmlStreamReader &xml, Envelope &envelope)
{
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        if (name == QLatin1String("Fault")
            && xml.namespaceUri() == QLatin1String(envelopeNamespace))
            envelope.fault = true;
        if (name == QLatin1String("faultstring") && envelope.fault) {
            envelope.faultString = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            continue;
        }
        const int index = answerIndex(name);
        if (index >= 0 && !envelope.found[index]) {
            envelope.found[index] = true;
            envelope.values[index] = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            continue;
        }
        readBody(xml, envelope);
    }
}

Envelope readEnvelope(const QByteArray &body)
{
    Envelope envelope;
    QXmlStreamReader xml(body);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Envelope")
        || xml.namespaceUri() != QLatin1String(envelopeNamespace))
        return envelope;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Body")
            && xml.namespaceUri() == QLatin1String(envelopeNamespace)) {
            envelope.valid = true;
            readBody(xml, envelope);
        } else {
            xml.skipCurrentElement();
        }
    }
    envelope.valid = envelope.valid && !xml.hasError();
    return envelope;
}

QByteArray answerDocument(const Envelope &envelope)
{
    QByteArray document;
    QXmlStreamWriter xml(&document);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("odgovor"));
    for (int i = 0; i < answerElementCount; ++i) {
        if (envelope.found[i])
            xml.writeTextElement(QLatin1String(answerElements[i]), envelope.values[i]);
    }
    xml.writeEndDocument();
    return document;
}

ExistenceAnswer failure(const QString &error)
{
    return {QByteArray(), error};
}

} // namespace

QByteArray existenceRequest(const QString &name)
{
    QByteArray request;
    QXmlStreamWriter xml(&request);
    xml.writeStartDocument();
    xml.writeNamespace(QLatin1String(envelopeNamespace), QStringLiteral("soap"));
    xml.writeNamespace(QLatin1String(existenceNamespace), QStringLiteral("dazk"));
    xml.writeStartElement(QLatin1String(envelopeNamespace), QStringLiteral("Envelope"));
    xml.writeStartElement(QLatin1String(envelopeNamespace), QStringLiteral("Body"));
    xml.writeStartElement(QLatin1String(existenceNamespace), QLatin1String(existenceOperation));
    xml.writeTextElement(QStringLiteral("ime"), name);
    xml.writeEndDocument();
    return request;
}

ExistenceAnswer readExistenceResponse(
    int status, const QByteArray &body, const QString &networkError)
{
    const Envelope envelope = readEnvelope(body);
    if (envelope.valid && envelope.fault)
        return failure(QStringLiteral("SOAP fault: %1").arg(envelope.faultString.simplified()));
    if (status == 0)
        return failure(networkError);
    if (status < 200 || status > 299)
        return failure(QStringLiteral("HTTP status %1").arg(status));
    if (!envelope.valid)
        return failure(QStringLiteral("the answer is no SOAP envelope"));
    return {answerDocument(envelope), QString()};
}

ExistenceAnswer queryExistence(const QString &name, const QString &address, int timeoutMs)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return failure(QStringLiteral("no http or https address: %1").arg(address));

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/xml; charset=utf-8"));
    request.setRawHeader("SOAPAction",
        '"' + QByteArray(existenceNamespace) + '#' + QByteArray(existenceOperation) + '"');
    const std::unique_ptr<QNetworkReply> reply(manager.post(request, existenceRequest(name)));

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    if (!reply->isFinished()) {
        reply->abort();
        return failure(QStringLiteral("no answer from %1 within %2 s")
                           .arg(url.toDisplayString())
                           .arg(timeoutMs / 1000.0));
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString networkError
        = reply->error() == QNetworkReply::NoError ? QString() : reply->errorString();
    return readExistenceResponse(status, reply->readAll(), networkError);
}
