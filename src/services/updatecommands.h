#pragma once

#include "platform/toolrunner.h"

#include <QByteArray>
#include <QString>

// Where updates come from: the server's base address, used unchanged (the resource names are
// appended after a "/"), and the proxy, which counts only when it holds more than blanks.
struct UpdateServer
{
    QString address;
    QString proxy;
};

// The installer of `version` on the server and in the update folder: "update_gu_", the version
// and the system's installer ending, as in "update_gu_2.4.6.exe".
QString installerFileName(const QString &version);

// The version that the server's answer names: the text before the first zero byte, without
// surrounding whitespace. Empty unless it is numbers separated by single points ("2.4.6"), so
// that an error page is never taken for a version and the version never names a path.
QString serverVersion(const QByteArray &output);

// curl asking for "/version.txt"; `query` is the number of the request's "?v=" query, which
// keeps caches from answering. Certificates are verified, and an HTTP error fails the run.
ToolCommand versionCheckCommand(const UpdateServer &server, quint32 query);
// curl fetching `installer` into a file of that name in its working directory.
ToolCommand downloadCommand(const UpdateServer &server, const QString &installer, quint32 query);
