#include "bmpfile.h"

#include "writefailure.h"

#include <QDir>
#include <QSaveFile>
#include <QtEndian>

namespace {
constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr double inchesPerMetre = 1 / 0.0254;

qint64 rowStride(const RgbPage &page)
{
    return (qint64(page.width) * 3 + 3) / 4 * 4;
}

qint64 imageSize(const RgbPage &page)
{
    return rowStride(page) * page.height;
}

bool fitsFormat(const RgbPage &page)
{
    return imageSize(page) + fileHeaderSize + infoHeaderSize <= 0xFFFFFFFFLL;
}

template<typename T> void put(QByteArray &header, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    header.append(bytes, sizeof(T));
}

QByteArray headers(const RgbPage &page)
{
    QByteArray header;
    header.reserve(fileHeaderSize + infoHeaderSize);
    header.append("BM");
    put<quint32>(header, quint32(fileHeaderSize + infoHeaderSize + imageSize(page)));
    put<quint32>(header, 0);
    put<quint32>(header, fileHeaderSize + infoHeaderSize);
    put<quint32>(header, infoHeaderSize);
    put<qint32>(header, page.width);
    put<qint32>(header, page.height);
    put<quint16>(header, 1);
    put<quint16>(header, 24);
    put<quint32>(header, 0);
    put<quint32>(header, quint32(imageSize(page)));
    put<qint32>(header, qRound(page.xDpi * inchesPerMetre));
    put<qint32>(header, qRound(page.yDpi * inchesPerMetre));
    put<quint32>(header, 0);
    put<quint32>(header, 0);
    return header;
}
} // namespace

bool writeBmp(const RgbPage &page, QIODevice *out)
{
    if (!fitsFormat(page) || page.pixels.size() < qint64(page.width) * 3 * page.height)
        return false;
    if (out->write(headers(page)) != fileHeaderSize + infoHeaderSize)
        return false;
    QByteArray row(rowStride(page), '\0');
    char *bgr = row.data();
    for (int y = page.height - 1; y >= 0; --y) {
        const char *rgb = page.pixels.constData() + qint64(y) * page.width * 3;
        for (int i = 0; i < page.width * 3; i += 3) {
            bgr[i] = rgb[i + 2];
            bgr[i + 1] = rgb[i + 1];
            bgr[i + 2] = rgb[i];
        }
        if (out->write(row) != row.size())
            return false;
    }
    return true;
}

bool saveBmp(const RgbPage &page, const QString &path, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!fitsFormat(page)) {
        *error = QStringLiteral("Strani %1 ni mogoce zapisati: slika je prevelika za format BMP.")
                     .arg(shown);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Datoteke %1 ni mogoce ustvariti: %2")
                     .arg(shown, writeFailureReason(file));
        return false;
    }
    if (!writeBmp(page, &file) || !file.commit()) {
        *error = QStringLiteral("Datoteke %1 ni mogoce zapisati: %2")
                     .arg(shown, writeFailureReason(file));
        return false;
    }
    return true;
}
