#include "outlinedump.h"
#include "toolmain.h"

// jpdfbookmarks_tev <pdf> --dump
int main(int argc, char **argv)
{
    return runToolMain(argc, argv, "jpdfbookmarks_tev", [](const QStringList &arguments) {
        if (arguments.size() != 2 || arguments.at(1) != QLatin1String("--dump"))
            return QStringList {QStringLiteral("uporaba: jpdfbookmarks_tev <pdf> --dump")};
        const OutlineDump dump = dumpOutline(arguments.at(0));
        if (!dump.ok)
            return QStringList {dump.error};
        writeStandardOutput(dump.lines);
        return QStringList();
    });
}
