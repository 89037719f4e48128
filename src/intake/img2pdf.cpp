#include "img2pdf.h"

#include "imageconversion.h"

Img2Pdf::Img2Pdf(const QString &source, const QString &output, QObject *parent)
    : QProcess(parent)
    , output(output)
{
    connect(this, &QProcess::finished, this, &Img2Pdf::onFinished);
    ImageConversion::start(*this, ImageConversion::convertCommand(source, output));
}

void Img2Pdf::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (exitCode == 0 && exitStatus == QProcess::NormalExit)
        emit converted(output);
}
