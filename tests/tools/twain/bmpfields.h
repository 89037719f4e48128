#pragma once

#include <QByteArray>
#include <QtEndian>

// Little-endian header fields of a BMP file, read independently of the writer.
inline quint16 bmpField16(const QByteArray &bmp, int offset)
{
    return qFromLittleEndian<quint16>(bmp.constData() + offset);
}

inline quint32 bmpField32(const QByteArray &bmp, int offset)
{
    return qFromLittleEndian<quint32>(bmp.constData() + offset);
}
