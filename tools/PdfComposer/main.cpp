#include "composerarguments.h"
#include "pdfcomposer.h"
#include "toolmain.h"

// PdfComposer <path> <page> <rotation> ... <output> <keywords> <outline file or .> <title or .>
int main(int argc, char **argv)
{
    return runToolMain(argc, argv, "PdfComposer", [](const QStringList &arguments) {
        QString error;
        const std::optional<ComposerJob> job = parseComposerArguments(arguments, &error);
        if (!job)
            return QStringList {error};
        PdfComposer composer;
        const bool composed = composer.compose(*job, &error);
        writeWarnings("PdfComposer", composer.warnings());
        return composed ? QStringList() : QStringList {error};
    });
}
