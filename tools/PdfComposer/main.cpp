#include "composerarguments.h"
#include "pdfcomposer.h"
#include "toolmain.h"

// PdfComposer <path> <page> <rotation> ... <output> <keywords> <outline file or .> <title or .>
int main(int argc, char **argv)
{
    return runToolMain(argc, argv, "PdfComposer", [](const QStringList &arguments) {
        QString error;
        const std::optional<ComposerJob> job = parseComposerArguments(arguments, &error);
        if (!job || !PdfComposer().compose(*job, &error))
            return QStringList {error};
        return QStringList();
    });
}
