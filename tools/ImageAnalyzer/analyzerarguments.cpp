#include "analyzerarguments.h"

std::optional<std::vector<AnalyzerRequest>> parseAnalyzerArguments(
    const QStringList &arguments, QString *error)
{
    if (arguments.isEmpty() || arguments.size() % 2 != 0) {
        *error = QStringLiteral("napacen seznam argumentov (%1): pricakovani so pari \"<pdf>\" "
                                "stran (0 za vse strani)")
                     .arg(arguments.size());
        return std::nullopt;
    }
    std::vector<AnalyzerRequest> requests;
    for (int i = 0; i < arguments.size(); i += 2)
        requests.push_back({arguments.at(i), arguments.at(i + 1)});
    return requests;
}
