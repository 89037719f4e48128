// Times packing a large elaborat: a PDF of 500 scanned A4 pages (50 documents of 10 pages,
// JPEG at 150 dpi) and a few data files, as the archiver packed everything
// before ("7za a -tzip", every file deflated) and as packElaborat() packs it now, beside a
// plain copy of the same files for the speed of the disk. The input is made in a temporary
// folder and removed at the end. Run it by hand: build/bench/zipbench [rounds]
#include "benchtiming.h"
#include "files/zippackage.h"
#include "model/elaboratsnapshot.h"
#include "platform/apppaths.h"
#include "platform/toolrunner.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

using BenchTiming::median;
using BenchTiming::timed;

namespace {
constexpr int pages = 500;
constexpr int scans = 10; // different scans, used in turn
constexpr int dataFiles = 5;

// A scanned A4 page at 150 dpi as JPEG: grey paper with the noise of a scanner.
QByteArray makeScan(int seed)
{
    QRandomGenerator random {quint32(seed)};
    QImage page(1240, 1754, QImage::Format_RGB32);
    for (int y = 0; y < page.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const int grey = 200 + int(random.bounded(56)) - y / 40;
            line[x] = qRgb(grey, grey, grey - int(random.bounded(8)));
        }
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!page.save(&buffer, "JPEG", 84))
        qFatal("cannot make a scan");
    return jpeg;
}

// Writes a PDF whose pages each show one of the scans over the whole A4 page.
void writeElaborat(const QString &path, const QList<QByteArray> &jpegs)
{
    QFile pdf(path);
    if (!pdf.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QList<qint64> offsets;
    auto object = [&](const QByteArray &body, const QByteArray &stream = {}) {
        offsets << pdf.pos();
        pdf.write(QByteArray::number(offsets.size()) + " 0 obj\n" + body);
        if (!stream.isNull())
            pdf.write("\nstream\n" + stream + "\nendstream");
        pdf.write("\nendobj\n");
    };
    pdf.write("%PDF-1.4\n");
    QByteArray kids;
    for (int page = 0; page < pages; ++page)
        kids += QByteArray::number(3 + 3 * page) + " 0 R ";
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Count " + QByteArray::number(pages) + " /Kids [" + kids + "] >>");
    const QByteArray content = "q 595 0 0 842 0 0 cm /Im Do Q";
    for (int page = 0; page < pages; ++page) {
        const QByteArray &jpeg = jpegs.at(page % scans);
        const QByteArray first = QByteArray::number(3 + 3 * page);
        object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents "
            + QByteArray::number(4 + 3 * page) + " 0 R /Resources << /XObject << /Im "
            + QByteArray::number(5 + 3 * page) + " 0 R >> >> >>");
        object("<< /Length " + QByteArray::number(content.size()) + " >>", content);
        object("<< /Type /XObject /Subtype /Image /Width 1240 /Height 1754 /ColorSpace "
               "/DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode /Length "
                + QByteArray::number(jpeg.size()) + " >>",
            jpeg);
    }
    const qint64 table = pdf.pos();
    pdf.write("xref\n0 " + QByteArray::number(offsets.size() + 1) + "\n0000000000 65535 f \n");
    for (qint64 offset : offsets)
        pdf.write(QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n");
    pdf.write("trailer\n<< /Size " + QByteArray::number(offsets.size() + 1)
        + " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(table) + "\n%%EOF\n");
}

ElaboratSnapshot makeSnapshot(const QTemporaryDir &dir)
{
    QList<QByteArray> jpegs;
    for (int scan = 0; scan < scans; ++scan)
        jpegs << makeScan(scan);
    ElaboratSnapshot snapshot;
    snapshot.workDir = dir.filePath(QStringLiteral(".tmp/01012026101010"));
    QDir().mkpath(snapshot.workDir);
    snapshot.pdfPath = dir.filePath(QStringLiteral("1722_00045_000.pdf"));
    writeElaborat(snapshot.pdfPath, jpegs);
    for (int data = 0; data < dataFiles; ++data) {
        const QString path = dir.filePath(QStringLiteral("tocke%1.txt").arg(data));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        for (int point = 0; point < 20000; ++point)
            file.write(QByteArray::number(100000 + point * 7 + data) + ' '
                + QByteArray::number(50000.25 + point * 3.5) + '\n');
        SnapshotItem item;
        item.kind = SnapshotKind::DigitalData;
        item.filePath = path;
        snapshot.items << item;
    }
    return snapshot;
}

QStringList packedFiles(const ElaboratSnapshot &snapshot)
{
    QStringList files;
    for (const SnapshotItem &item : snapshot.items)
        files << item.filePath;
    return files << snapshot.pdfPath;
}

double megabytes(const QString &path)
{
    return QFileInfo(path).size() / 1048576.0;
}
} // namespace

int main(int argc, char *argv[])
{
    BenchTiming::preferOffscreen();
    QGuiApplication app(argc, argv);
    const int rounds = BenchTiming::rounds(argc, argv, 1);
    QTemporaryDir dir;
    QFile::link(QStringLiteral(TEV_BUILD_PROGRAM_DIR "/7z"), dir.filePath(QStringLiteral("7z")));
    AppPaths::setProgramDir(dir.path());
    const ElaboratSnapshot snapshot = makeSnapshot(dir);
    const QString zip = dir.filePath(QStringLiteral("1722_00045_12.zip"));
    const QString copy = dir.filePath(QStringLiteral("kopija"));
    QDir().mkpath(copy);

    QList<double> copied, deflated, packed;
    double deflatedSize = 0, packedSize = 0;
    for (int round = 0; round < rounds; ++round) {
        copied << timed([&] {
            for (const QString &file : packedFiles(snapshot))
                QFile::copy(file, copy + QLatin1Char('/') + QFileInfo(file).fileName());
        });
        QDir(copy).removeRecursively();
        QDir().mkpath(copy);
        deflated << timed([&] {
            QProcess archiver;
            archiver.start(QStringLiteral("7za"),
                QStringList {
                    QStringLiteral("a"), QStringLiteral("-tzip"), QStringLiteral("-y"), zip}
                    + packedFiles(snapshot));
            if (!archiver.waitForFinished(-1) || archiver.exitCode() != 0)
                qFatal("7za failed");
        });
        deflatedSize = megabytes(zip);
        QFile::remove(zip);
        packed << timed([&] {
            if (!packElaborat(snapshot, zip, ToolRunner()).written)
                qFatal("the packing failed");
        });
        packedSize = megabytes(zip);
        QFile::remove(zip);
    }
    std::printf("elaborat PDF of %d scanned pages, %.0f MB, and %d data files; median of %d "
                "rounds\n",
        pages, megabytes(snapshot.pdfPath), dataFiles, rounds);
    std::printf("  plain copy of the files     %8.0f ms\n", median(copied));
    std::printf(
        "  7za a -tzip (all deflated)  %8.0f ms  %6.0f MB\n", median(deflated), deflatedSize);
    std::printf("  packElaborat                %8.0f ms  %6.0f MB\n", median(packed), packedSize);
    return 0;
}
