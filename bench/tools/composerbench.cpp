// Composing an elaborat of 500 pages from 50 files with a 100-entry outline, against qpdf's own
// page merging ("qpdf --empty --pages ... --") on the same inputs in the same run; then the peak
// memory of composing 500 MB of input.

#include "measure.h"
#include "pdfbuilder.h"
#include "toolprogram.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace {
constexpr int files = 50;
constexpr int pagesPerFile = 10;
constexpr int runs = 11;

std::string randomBytes(size_t size)
{
    std::string bytes(size, '\0');
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

// A file of text pages that each draw an image of `imageBytes` noise, stored as JPEG data so
// that neither tool spends its time recompressing it.
bool writeInput(const QString &path, int file, size_t imageBytes)
{
    PdfBuilder builder;
    for (int page = 1; page <= pagesPerFile; ++page) {
        QPDFObjectHandle object
            = builder.addPage("q 400 0 0 300 100 400 cm /Im Do Q BT /F1 24 Tf 50 760 Td (Dokument "
                + QByteArray::number(file) + ", stran " + QByteArray::number(page) + ") Tj ET");
        QPDFObjectHandle image = builder.addImage(object, "Im", 800, 600, "/DeviceRGB", 8);
        image.replaceStreamData(randomBytes(imageBytes), QPDFObjectHandle::newName("/DCTDecode"),
            QPDFObjectHandle::newNull());
    }
    return builder.write(path);
}

QString writeOutlineFile(const QTemporaryDir &dir)
{
    QByteArray text;
    for (int file = 0; file < files; ++file) {
        const int first = file * pagesPerFile + 1;
        text += "111 Dokument " + QByteArray::number(file + 1) + "/" + QByteArray::number(first)
            + "\n\tPodnaslov/" + QByteArray::number(first + pagesPerFile / 2) + "\n";
    }
    text.chop(1);
    const QString path = dir.filePath(QStringLiteral("bookmarks.txt"));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() ? path : QString();
}

// The 50 input files, their images of `imageBytes` each, and the outline file of 100 entries.
QStringList writeInputs(
    const QTemporaryDir &dir, const QString &prefix, size_t imageBytes, QString *outline)
{
    QStringList paths;
    for (int file = 1; file <= files; ++file) {
        paths << dir.filePath(QStringLiteral("%1%2.pdf").arg(prefix).arg(file));
        if (!writeInput(paths.last(), file, imageBytes))
            return {};
    }
    *outline = writeOutlineFile(dir);
    return outline->isEmpty() ? QStringList() : paths;
}

QStringList composerArguments(
    const QStringList &inputs, const QString &output, const QString &outline)
{
    QStringList arguments;
    for (const QString &input : inputs)
        arguments << input << "0"
                  << "0";
    return arguments << output
                     << "KO=1722|IDPOS=45|POSTOPKI=zk_a|BMIDS=111|SIDS=|KS=0|UNAME=|VER=2.4.5"
                     << outline << QStringLiteral("Arhiv zemljiškega katastra");
}

QStringList qpdfArguments(const QStringList &inputs, const QString &output)
{
    return QStringList {"--empty", "--pages"} + inputs + QStringList {"--", output};
}

qint64 totalSize(const QStringList &paths)
{
    qint64 size = 0;
    for (const QString &path : paths)
        size += QFileInfo(path).size();
    return size;
}

bool benchSpeed(const QTemporaryDir &dir)
{
    QString outline;
    const QStringList inputs = writeInputs(dir, QStringLiteral("s"), 60000, &outline);
    if (inputs.isEmpty())
        return false;
    const QString composer = builtToolPath("PdfComposer", "PdfComposer");
    const QStringList ours = composerArguments(inputs, dir.filePath("ours.pdf"), outline);
    const QStringList theirs = qpdfArguments(inputs, dir.filePath("qpdf.pdf"));
    bool ok = true;
    const std::vector<double> medians = medianMilliseconds(runs,
        {[&] { ok = runProgram(composer, ours).exitCode == 0 && ok; },
            [&] { ok = runProgram("qpdf", theirs).exitCode == 0 && ok; }});
    std::printf("compose %d pages from %d files (%.1f MB), 100 outline entries, median of %d:\n"
                "  PdfComposer %.0f ms, qpdf --empty --pages %.0f ms, ratio %.2f\n",
        files * pagesPerFile, files, double(totalSize(inputs)) / 1e6, runs, medians[0], medians[1],
        medians[0] / medians[1]);
    return ok;
}

bool benchMemory(const QTemporaryDir &dir)
{
    QString outline;
    const QStringList inputs = writeInputs(dir, QStringLiteral("m"), 1000000, &outline);
    if (inputs.isEmpty())
        return false;
    const long ours = peakMemoryKb(builtToolPath("PdfComposer", "PdfComposer"),
        composerArguments(inputs, dir.filePath("ours.pdf"), outline));
    const long theirs = peakMemoryKb("qpdf", qpdfArguments(inputs, dir.filePath("qpdf.pdf")));
    std::printf("compose %.0f MB of input: peak memory PdfComposer %.1f MB, qpdf %.1f MB\n",
        double(totalSize(inputs)) / 1e6, double(ours) / 1024, double(theirs) / 1024);
    return ours > 0 && theirs > 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !benchSpeed(dir) || !benchMemory(dir)) {
        std::fprintf(stderr, "composerbench: a run failed\n");
        return 1;
    }
    return 0;
}
