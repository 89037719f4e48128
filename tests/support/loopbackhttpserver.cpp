#include "loopbackhttpserver.h"

#include <QHostAddress>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {

// Whether `data` holds a whole request (the headers and Content-Length bytes of body); fills
// `request` when it does.
bool parseRequest(const QByteArray &data, LoopbackHttpServer::Request &request)
{
    const int headerEnd = data.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return false;
    const QList<QByteArray> lines = data.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    request.target = requestLine.value(1);
    request.path = request.target.split('?').value(0);
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.append(
                {lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed()});
    }
    const int length = request.header("content-length").toInt();
    if (data.size() < headerEnd + 4 + length)
        return false;
    request.body = data.mid(headerEnd + 4, length);
    return true;
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

QByteArray serialize(const LoopbackHttpServer::Reply &reply)
{
    return "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonPhrase(reply.status)
        + "\r\nContent-Type: " + reply.contentType + "\r\nContent-Length: "
        + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body;
}

} // namespace

QByteArray LoopbackHttpServer::Request::header(const QByteArray &name) const
{
    for (const auto &header : headers) {
        if (header.first == name)
            return header.second;
    }
    return QByteArray();
}

LoopbackHttpServer::LoopbackHttpServer(Handler handler)
    : handler(std::move(handler))
    , thread(std::make_unique<QThread>())
{ }

LoopbackHttpServer::~LoopbackHttpServer()
{
    // A finishing thread deletes the objects handed to deleteLater, the open sockets with the
    // server that parents them.
    if (server)
        QMetaObject::invokeMethod(server, &QObject::deleteLater, Qt::BlockingQueuedConnection);
    thread->quit();
    thread->wait();
}

bool LoopbackHttpServer::start(quint16 port)
{
    server = new QTcpServer;
    QObject::connect(server, &QTcpServer::newConnection, server, [this] { acceptConnections(); });
    server->moveToThread(thread.get());
    thread->start();
    bool listening = false;
    QMetaObject::invokeMethod(
        server,
        [&] {
            listening = server->listen(QHostAddress::LocalHost, port);
            listeningPort = server->serverPort();
        },
        Qt::BlockingQueuedConnection);
    return listening;
}

void LoopbackHttpServer::acceptConnections()
{
    while (QTcpSocket *socket = server->nextPendingConnection()) {
        auto pending = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [=] {
            *pending += socket->readAll();
            Request request;
            if (!parseRequest(*pending, request))
                return;
            const Reply reply = answer(request);
            if (reply.never)
                return;
            socket->write(serialize(reply));
            socket->disconnectFromHost();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

QString LoopbackHttpServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(listeningPort).arg(path);
}

QList<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const
{
    QMutexLocker lock(&mutex);
    return received;
}

LoopbackHttpServer::Reply LoopbackHttpServer::reply(
    int status, const QByteArray &body, const QByteArray &contentType)
{
    Reply reply;
    reply.status = status;
    reply.body = body;
    reply.contentType = contentType;
    return reply;
}

LoopbackHttpServer::Reply LoopbackHttpServer::answer(const Request &request)
{
    {
        QMutexLocker lock(&mutex);
        received.append(request);
    }
    return handler(request);
}
