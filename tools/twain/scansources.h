#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A device as SANE lists it, with the paper sources it offers (none when it has no choice of
// source or could not be asked).
struct DeviceDescription
{
    QString device;
    QString vendor;
    QString model;
    QStringList sources;
    bool asked = true; // whether the device could be asked for its sources
};

// One entry of the source list: a device, and one of its paper sources (empty: the device's
// own). Each paper source is an entry of its own because there is no driver dialog to choose
// between feeder and flatbed at scan time.
struct ScanSource
{
    QString device;
    QString source;
    QString name;
};

// The entries of all devices in a stable order: devices by vendor and model, then by SANE
// device name; a device's sources in its own order. An entry's index in the result is its id.
// Names are the vendor and model, the SANE device name added in brackets when two devices share
// them, and the paper source added in parentheses when the device has more than one.
QList<ScanSource> orderedSources(QList<DeviceDescription> devices);

// Gives each device that could not be asked for its paper sources (busy with a scan, say) the
// sources it had in the stored list, so that its entries, and the ids of all entries after
// them, stay where they were.
void keepStoredSources(QList<DeviceDescription> *devices, const QList<ScanSource> &stored);

// The line that lists an entry: id, ":," and the name, which is cut to printable ASCII and
// cleared of ":," so that the line reads back unchanged.
QString sourceLine(int id, const QString &name);

// Whether a paper source is a document feeder, which is scanned until it runs empty; any other
// source gives one page per scan.
bool isFeederSource(const QString &source);
