#include "scansettings.h"

#include <algorithm>
#include <cmath>

double resolutionFromList(const QList<double> &offered, double wanted)
{
    double best = -1;
    double highest = -1;
    for (double value : offered) {
        highest = std::max(highest, value);
        if (value >= wanted && (best < 0 || value < best))
            best = value;
    }
    return best >= 0 ? best : highest;
}

double resolutionFromRange(double min, double max, double quant, double wanted)
{
    if (wanted <= min)
        return min;
    if (wanted >= max)
        return max;
    if (quant <= 0)
        return wanted;
    const double steps = std::ceil((wanted - min) / quant - 1e-9);
    return std::min(max, min + steps * quant);
}

namespace {
QString firstMatching(const QStringList &modes, const QStringList &words)
{
    for (const QString &word : words) {
        for (const QString &mode : modes) {
            if (mode.compare(word, Qt::CaseInsensitive) == 0)
                return mode;
        }
    }
    for (const QString &word : words) {
        for (const QString &mode : modes) {
            if (mode.contains(word, Qt::CaseInsensitive))
                return mode;
        }
    }
    return {};
}
} // namespace

QString preferredMode(const QStringList &modes)
{
    const QString colour
        = firstMatching(modes, {QStringLiteral("Color"), QStringLiteral("Colour")});
    if (!colour.isEmpty())
        return colour;
    return firstMatching(modes, {QStringLiteral("Gray"), QStringLiteral("Grey")});
}
