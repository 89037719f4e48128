#include "composerarguments.h"

#include "decimal.h"
#include "pdfinput.h"

namespace {
constexpr int trailingArguments = 4;
const QString none = QStringLiteral(".");

bool readSource(const QStringList &arguments, int first, ComposerSource *source, QString *error)
{
    source->path = arguments.at(first);
    const std::optional<int> page = parseDecimal(arguments.at(first + 1));
    const std::optional<int> rotation = parseDecimal(arguments.at(first + 2));
    if (source->path.isEmpty()) {
        *error = QStringLiteral("prazna pot %1. dokumenta").arg(first / 3 + 1);
        return false;
    }
    if (!page) {
        *error = pageNotNumberMessage(source->path, arguments.at(first + 1));
        return false;
    }
    if (!rotation || *rotation % 90 != 0 || *rotation >= 360) {
        *error = QStringLiteral("zasuk '%1' dokumenta '%2' ni 0, 90, 180 ali 270")
                     .arg(arguments.at(first + 2), source->path);
        return false;
    }
    source->page = *page;
    source->rotation = *rotation;
    return true;
}
} // namespace

std::optional<ComposerJob> parseComposerArguments(const QStringList &arguments, QString *error)
{
    const int documentArguments = int(arguments.size()) - trailingArguments;
    if (documentArguments < 3 || documentArguments % 3 != 0) {
        *error = QStringLiteral("napacen seznam argumentov (%1): pricakovane so trojice (pot, "
                                "stran, zasuk), nato izhodna datoteka, Keywords, kazalo ali "
                                "\".\" in naslov ali \".\"")
                     .arg(arguments.size());
        return std::nullopt;
    }
    ComposerJob job;
    for (int first = 0; first < documentArguments; first += 3) {
        ComposerSource source;
        if (!readSource(arguments, first, &source, error))
            return std::nullopt;
        job.sources.push_back(source);
    }
    job.output = arguments.at(documentArguments);
    if (job.output.isEmpty()) {
        *error = QStringLiteral("izhodna datoteka ni podana");
        return std::nullopt;
    }
    const QString keywords = arguments.at(documentArguments + 1);
    const QString outline = arguments.at(documentArguments + 2);
    const QString title = arguments.at(documentArguments + 3);
    job.keywords = keywords.trimmed().isEmpty() ? QString() : keywords;
    job.outlinePath = outline == none ? QString() : outline;
    job.title = title == none ? QString() : title;
    return job;
}
