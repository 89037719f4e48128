#pragma once

#include "scansources.h"

#include <QList>
#include <QString>

// SANE started for the life of the object.
class SaneSession
{
public:
    SaneSession() = default;
    ~SaneSession();
    SaneSession(const SaneSession &) = delete;
    SaneSession &operator=(const SaneSession &) = delete;

    // Starts SANE. False with a message in error.
    bool start(QString *error);

    // The devices SANE finds, local or on the network, in SANE's order, not yet asked for their
    // paper sources. False with a message in error when SANE cannot list its devices.
    bool devices(QList<DeviceDescription> *devices, QString *error) const;

    // Opens the device briefly to learn its paper sources; one that cannot be opened now stays
    // not asked.
    static void askSources(DeviceDescription *device);

private:
    bool started = false;
};
