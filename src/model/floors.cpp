#include "floors.h"

namespace {

FloorPlan &stop(FloorPlan &plan, const QString &error)
{
    plan.ok = false;
    plan.title = QStringLiteral("Ostevilcenje etaz");
    plan.error = error;
    return plan;
}

// An entry of no pages labels nothing: the next entry would relabel the same document, and
// after the last document there is none to label.
QStringList labelsOf(const QVector<FloorEntry> &entries, int documentCount)
{
    QStringList labels;
    labels.reserve(documentCount);
    for (const FloorEntry &entry : entries) {
        for (int i = 0; i < entry.pages; ++i)
            labels << entry.label;
    }
    return labels;
}

} // namespace

QStringList floorParts(const QString &ets)
{
    return ets.split(QLatin1Char(';'));
}

std::optional<FloorEntry> parseFloorEntry(const QString &part)
{
    const QStringList pieces = part.split(QLatin1Char(':'));
    if (pieces.size() != 2)
        return std::nullopt;
    bool ok = false;
    const int pages = pieces.at(1).toInt(&ok);
    return FloorEntry {pieces.at(0), ok && pages > 0 ? pages : 0};
}

FloorPlan floorLabelPlan(bool isKs, const QVector<int> &documentCounts, const QString &ets)
{
    FloorPlan plan;
    if (!isKs)
        return plan;
    const QStringList parts = floorParts(ets);
    int cursor = 0;
    for (int documents : documentCounts) {
        if (documents <= 0) {
            plan.labels << QStringList();
            continue;
        }
        QVector<FloorEntry> entries;
        int sum = 0;
        for (; cursor < parts.size(); ++cursor) {
            const std::optional<FloorEntry> entry = parseFloorEntry(parts.at(cursor));
            if (!entry)
                return stop(plan, QStringLiteral("Napaka pri branju etaz"));
            if (sum + entry->pages > documents)
                break;
            entries << *entry;
            sum += entry->pages;
        }
        if (sum != documents)
            return stop(plan, QStringLiteral("Neujemanje v stevilu listov etaz"));
        plan.labels << labelsOf(entries, documents);
    }
    return plan;
}
