#include "existencequery.h"
#include "toolmain.h"

#include <QNetworkProxyFactory>

namespace {
// Well under the 30 s the program waits, so that it hears why there is no answer.
constexpr int timeoutMs = 20000;
} // namespace

// tev-post <elaborat name> <service address>: prints the service's answer as XML.
int main(int argc, char **argv)
{
    return runToolMain(argc, argv, "tev-post", [](const QStringList &arguments) {
        if (arguments.size() != 2)
            return QStringList {QStringLiteral("usage: tev-post <elaborat name> <address>")};
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        const ExistenceAnswer answer = queryExistence(arguments[0], arguments[1], timeoutMs);
        if (!answer.ok())
            return QStringList {answer.error};
        writeStandardOutput(answer.document);
        return QStringList();
    });
}
