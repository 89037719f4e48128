#include "tconvertprocess.h"

#include "imageconversion.h"

TConvertProcess::TConvertProcess(QObject *parent)
    : QProcess(parent)
{ }

void TConvertProcess::convert(const QString &source, const QString &output)
{
    ImageConversion::start(*this, ImageConversion::convertCommand(source, output));
    sourcePath = source;
    outputPath = output;
}
