#pragma once

#include <QByteArray>
#include <QString>

// The exchange with the authority's existence-check web service: one SOAP 1.1 request naming
// the elaborat, answered by the elements ime, IOGU, DAZK, KS, ZK and ZPPLPS. The README
// describes the request, since the service must match it.

extern const char existenceNamespace[];
extern const char existenceOperation[];

// What the client prints: the answer's elements in a document of their own, or why there is
// no answer.
struct ExistenceAnswer
{
    QByteArray document;
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// The SOAP envelope that asks about the elaborat `name`.
QByteArray existenceRequest(const QString &name);

// Reads the service's response: a SOAP fault, an HTTP error status (`status` 0 when none
// arrived, with `networkError` the reason) or a body that is no SOAP envelope are errors;
// otherwise the first of each answer element found in the body is copied, in the fixed order,
// into <odgovor>. Elements the service left out stay out.
ExistenceAnswer readExistenceResponse(
    int status, const QByteArray &body, const QString &networkError = QString());

// Sends the request to `address` (http or https, certificates verified) and waits for the
// response at most `timeoutMs`. Needs an application object; runs a local event loop.
ExistenceAnswer queryExistence(const QString &name, const QString &address, int timeoutMs);
