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
        // Left for the system to free at exit: taking a large document apart object by object
        // takes longer than reading it did.
        static ImageAnalyzer *const analyzer = new ImageAnalyzer;
        const AnalyzerReport report = analyzer->analyze(*requests);
        writeStandardOutput(report.output);
        return report.errors;
    });
}
