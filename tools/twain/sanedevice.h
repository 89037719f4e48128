#pragma once

#include "rgbpage.h"

#include <QString>
#include <QStringList>
#include <sane/sane.h>

class PageAssembler;

// One open SANE device, closed again with the object.
class SaneDevice
{
public:
    SaneDevice() = default;
    ~SaneDevice();
    SaneDevice(const SaneDevice &) = delete;
    SaneDevice &operator=(const SaneDevice &) = delete;

    // Opens the device of this SANE name. False with a message in error.
    bool open(const QString &device, QString *error);

    // The paper sources the device offers; empty when it offers no choice.
    QStringList sources() const;

    // Selects the paper source (none: keep the device's), colour, 8-bit samples and wantedDpi
    // or, when the device cannot do that, the next higher resolution it offers (its highest
    // when all are lower). Only a refused source is an error: a device that lacks colour or the
    // resolution scans as close to them as it can.
    bool prepare(const QString &source, QString *error);

    // Scans one page with all its frames. NoMorePages when the device reports that it has no
    // paper before the page starts.
    PageStatus readPage(RgbPage *page, QString *error);

private:
    const SANE_Option_Descriptor *activeOption(const char *name, int *index) const;
    QStringList stringChoices(const char *name) const;
    bool setString(const char *name, const QString &value);
    void setDepth();
    void setResolution(const char *name);
    double resolution(const char *name) const;
    SANE_Status readFrame(PageAssembler *assembler);

    SANE_Handle handle = nullptr;
    double xDpi = 0;
    double yDpi = 0;
};
