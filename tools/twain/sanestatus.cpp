#include "sanestatus.h"

QString statusText(SANE_Status status)
{
    switch (status) {
    case SANE_STATUS_DEVICE_BUSY:
        return QStringLiteral("Skener je zaseden.");
    case SANE_STATUS_JAMMED:
        return QStringLiteral("Papir se je zataknil v podajalniku.");
    case SANE_STATUS_NO_DOCS:
        return QStringLiteral("V skenerju ni papirja.");
    case SANE_STATUS_COVER_OPEN:
        return QStringLiteral("Pokrov skenerja je odprt.");
    case SANE_STATUS_IO_ERROR:
        return QStringLiteral("Napaka pri prenosu podatkov s skenerja.");
    case SANE_STATUS_NO_MEM:
        return QStringLiteral("Zmanjkalo je pomnilnika.");
    case SANE_STATUS_ACCESS_DENIED:
        return QStringLiteral("Dostop do skenerja ni dovoljen.");
    case SANE_STATUS_CANCELLED:
        return QStringLiteral("Skeniranje je bilo prekinjeno.");
    default:
        return QStringLiteral("Napaka skenerja: %1.")
            .arg(QString::fromUtf8(sane_strstatus(status)));
    }
}
