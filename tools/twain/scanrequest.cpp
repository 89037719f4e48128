#include "scanrequest.h"

namespace {
std::optional<int> number(const QString &text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}
} // namespace

std::optional<ScanRequest> parseScanRequest(const QStringList &arguments, QString *error)
{
    if (arguments.size() != 3 && arguments.size() != 4) {
        *error = QStringLiteral(
            "uporaba: TWAIN_APP_CMD [<vir> <mapa> <stevilka prve strani> [<okno>]]");
        return std::nullopt;
    }
    const std::optional<int> sourceId = number(arguments.at(0));
    if (!sourceId) {
        *error = QStringLiteral("Vir \"%1\" ni stevilka.").arg(arguments.at(0));
        return std::nullopt;
    }
    const std::optional<int> firstNumber = number(arguments.at(2));
    if (!firstNumber) {
        *error = QStringLiteral("Stevilka prve strani \"%1\" ni veljavna.").arg(arguments.at(2));
        return std::nullopt;
    }
    if (arguments.at(1).isEmpty()) {
        *error = QStringLiteral("Mapa za strani ni podana.");
        return std::nullopt;
    }
    return ScanRequest {*sourceId, arguments.at(1), *firstNumber};
}
