#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// How the program picks device settings: pages must come out in colour and at the wanted
// resolution or, when the device cannot do that exactly, at the nearest one that still meets it.

// The resolution the program asks for.
constexpr double wantedDpi = 300;

// Of the resolutions a device offers, the lowest one at or above wanted, else the highest.
double resolutionFromList(const QList<double> &offered, double wanted);

// The same choice for a device that offers min to max in steps of quant (0: any value).
double resolutionFromRange(double min, double max, double quant, double wanted);

// Of a device's scan modes, the colour mode, else a grey mode, else an empty text (keep the
// device's own choice). SANE names the usual ones "Color" and "Gray"; some devices spell or
// decorate them differently.
QString preferredMode(const QStringList &modes);
