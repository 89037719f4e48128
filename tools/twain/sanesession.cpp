#include "sanesession.h"

#include "sanedevice.h"
#include "sanestatus.h"

#include <sane/sane.h>

SaneSession::~SaneSession()
{
    if (started)
        sane_exit();
}

bool SaneSession::start(QString *error)
{
    SANE_Int version = 0;
    const SANE_Status status = sane_init(&version, nullptr);
    started = status == SANE_STATUS_GOOD;
    if (!started)
        *error = QStringLiteral("SANE ni mogoce zagnati: %1").arg(statusText(status));
    return started;
}

bool SaneSession::devices(QList<DeviceDescription> *devices, QString *error) const
{
    const SANE_Device **list = nullptr;
    const SANE_Status status = sane_get_devices(&list, SANE_FALSE);
    if (status != SANE_STATUS_GOOD) {
        *error = QStringLiteral("Seznama skenerjev ni mogoce dobiti: %1").arg(statusText(status));
        return false;
    }
    for (; *list; ++list) {
        devices->append({QString::fromUtf8((*list)->name), QString::fromUtf8((*list)->vendor),
            QString::fromUtf8((*list)->model), {}, false});
    }
    return true;
}

void SaneSession::askSources(DeviceDescription *device)
{
    SaneDevice opened;
    QString ignored;
    device->asked = opened.open(device->device, &ignored);
    if (device->asked)
        device->sources = opened.sources();
}
