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

    // The scan sources of every device SANE finds, local or on the network, in id order
    // (orderedSources). Each device is opened briefly to learn its paper sources; one that
    // cannot be opened now counts with its own source only. False with a message in error when
    // SANE cannot list its devices.
    bool sources(QList<ScanSource> *sources, QString *error) const;

private:
    bool started = false;
};
