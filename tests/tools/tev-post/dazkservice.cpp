#include "soaptestservice.h"

#include <QCoreApplication>
#include <cstdio>

// dazkservice <port> <table file>: answers tev-post on 127.0.0.1:<port> from the table until it
// is stopped with Ctrl+C.
int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool portOk = false;
    const uint port = arguments.value(1).toUInt(&portOk);
    if (arguments.size() != 3 || !portOk || port > 65535) {
        std::fprintf(stderr, "usage: dazkservice <port> <table file>\n");
        return 2;
    }
    SoapTestService service;
    if (!service.loadTable(arguments[2])) {
        std::fprintf(stderr, "dazkservice: cannot read %s\n", qPrintable(arguments[2]));
        return 1;
    }
    if (!service.start(quint16(port))) {
        std::fprintf(stderr, "dazkservice: cannot listen on port %u\n", port);
        return 1;
    }
    std::printf("%s\n", qPrintable(service.url()));
    std::fflush(stdout);
    return application.exec();
}
