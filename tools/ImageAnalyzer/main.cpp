#include "analyzerarguments.h"
#include "imageanalyzer.h"
#include "toolmain.h"

// ImageAnalyzer <pdf> <page> [<pdf> <page> ...]
int main(int argc, char **argv)
{
    return runToolMain(argc, argv, "ImageAnalyzer", [](const QStringList &arguments) {
        QString error;
        const std::optional<std::vector<AnalyzerRequest>> requests
            = parseAnalyzerArguments(arguments, &error);
        if (!requests)
            return QStringList {error};
        const AnalyzerReport report = ImageAnalyzer().analyze(*requests);
        writeStandardOutput(report.output);
        return report.errors;
    });
}
