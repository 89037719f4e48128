#pragma once

#include "loopbackhttpserver.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>

// The authority's existence-check web service on the loopback, for tests and for trying the
// program by hand: it reads tev-post's SOAP request and answers from a table of elaborat names,
// or, as the test says, with an HTTP error, a SOAP fault, garbage or never.
class SoapTestService
{
public:
    enum Behaviour
    {
        Answer,
        HttpError, // status 500 with a plain-text body
        Fault, // status 500 with a SOAP fault
        Garbage, // status 200 with a body that is no XML
        Never // keeps the connection open without a word
    };

    SoapTestService();

    bool start(quint16 port = 0) { return server.start(port); }
    // The service's address, at the path of the real one.
    QString url() const;
    QList<LoopbackHttpServer::Request> requests() const { return server.requests(); }

    void setBehaviour(Behaviour behaviour);
    // The answer elements (an XML fragment) for `name`, matched ignoring letter case. A name
    // with no entry gets a SOAP fault.
    void setAnswer(const QString &name, const QByteArray &elements);
    // All six answer elements.
    static QByteArray elements(
        const QString &ime, int iogu, int dazk, int ks = 0, int zk = 0, int zpplps = 0);
    // Lines "name IOGU DAZK KS ZK ZPPLPS"; "*" as the name answers every other name with
    // itself. Empty lines and lines starting with "#" are skipped. False when unreadable.
    bool loadTable(const QString &path);

private:
    LoopbackHttpServer::Reply answer(const LoopbackHttpServer::Request &request);
    QByteArray elementsFor(const QString &name);

    mutable QMutex mutex;
    Behaviour behaviour = Answer;
    QHash<QString, QByteArray> table;
    QList<int> otherNames; // the numbers for names the table lacks; empty: none
    LoopbackHttpServer server;
};
