#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>
#include <functional>
#include <memory>

class QThread;
class QTcpServer;

// A small HTTP/1.1 server on 127.0.0.1 for tests that need a web service or an update server.
// It runs in a thread of its own, so that it answers even while the test's thread waits
// synchronously for a client. Every request is answered by the handler the test gives it, from
// the server's thread; the connection is closed after each answer.
class LoopbackHttpServer
{
public:
    struct Request
    {
        QByteArray method;
        QByteArray target; // path and query, as sent
        QByteArray path; // target without the query
        QList<QPair<QByteArray, QByteArray>> headers; // names in lower case
        QByteArray body;

        QByteArray header(const QByteArray &name) const;
    };

    struct Reply
    {
        int status = 200;
        QByteArray contentType = "text/plain; charset=utf-8";
        QByteArray body;
        // Keeps the connection open and never answers, like a service that hangs.
        bool never = false;
    };

    using Handler = std::function<Reply(const Request &)>;

    explicit LoopbackHttpServer(Handler handler);
    // Stops listening and closes every open connection.
    ~LoopbackHttpServer();

    // Starts listening on a free port (or on `port`); false when that fails.
    bool start(quint16 port = 0);
    quint16 port() const { return listeningPort; }
    // "http://127.0.0.1:<port>" followed by `path`.
    QString url(const QString &path = QString()) const;

    // The requests answered (or left hanging) so far, in order.
    QList<Request> requests() const;

    // A reply with `status` and `body`.
    static Reply reply(int status, const QByteArray &body,
        const QByteArray &contentType = "text/plain; charset=utf-8");

private:
    void acceptConnections();
    Reply answer(const Request &request);

    Handler handler;
    std::unique_ptr<QThread> thread;
    QTcpServer *server = nullptr; // lives in `thread`
    quint16 listeningPort = 0;
    mutable QMutex mutex;
    QList<Request> received;
};
