// Runs a tool through the tool runner in the program folder given as the first argument: a
// shell in its PdfComposer folder that writes its process id to "child.pid" there and sleeps.
// The test kills this program and looks whether the tool ended with it.
#include "platform/apppaths.h"
#include "platform/toolrunner.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    AppPaths::setProgramDir(QString::fromLocal8Bit(argv[1]));
    const ToolCommand command {QStringLiteral("PdfComposer"), QStringLiteral("sh"),
        {QStringLiteral("-c"),
            QStringLiteral("echo $$ > child.pid.part && mv child.pid.part "
                           "child.pid && exec sleep 30")},
        QStringLiteral("sleep")};
    return ToolRunner().runTool(command, QStringLiteral("probe")).succeeded() ? 0 : 1;
}
