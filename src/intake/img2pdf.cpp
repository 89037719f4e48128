#include "img2pdf.h"

#include "imageconversion.h"
#include "model/ttreedokument.h"

Img2Pdf::Img2Pdf(
    const QString &source, const QString &output, TTreeDokument *document, QObject *parent)
    : QProcess(parent)
    , document(document)
    , output(output)
{
    connect(this, &QProcess::finished, this, &Img2Pdf::onFinished);
    ImageConversion::start(*this, ImageConversion::convertCommand(source, output));
}

void Img2Pdf::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (exitCode != 0 || exitStatus != QProcess::NormalExit)
        return;
    // Taking the file shows the document again when it is the view's only selected item.
    document->setFilePath(output);
}
