#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// One entry of a stored ETS value: a floor label and the number of pages it covers.
struct FloorEntry
{
    QString label;
    int pages = 0;
};

// The floor labels that a stored ETS value gives the documents of the "104" bookmarks.
struct FloorPlan
{
    // Per bookmark, in the order given, the labels of its documents in order; only the
    // bookmarks handled before an error have a list, the others keep their labels.
    QVector<QStringList> labels;
    bool ok = true;
    QString title; // the warning box of an error
    QString error;
};

// The parts of an ETS value, split at ";" with empty parts kept; an empty (or missing) value
// is one empty part, which is no entry.
QStringList floorParts(const QString &ets);

// One part "label:pages"; none unless it has exactly one ":". Pages that are no number, or are
// negative, count 0.
std::optional<FloorEntry> parseFloorEntry(const QString &part);

// The floor labels of a reopened elaborat: `documentCounts` holds, in tree order, the number
// of direct documents of every "104" bookmark. The entries are taken in order, shared by all
// bookmarks: a bookmark takes entries while their pages fit its documents (an entry that
// does not fit is left for the next bookmark) and each entry labels as many documents as it
// has pages. A bookmark without documents is passed over with an empty list. A part that is
// no entry ("Napaka pri branju etaz") or pages that do not add up to a bookmark's documents
// ("Neujemanje v stevilu listov etaz") stop the plan. The land cadastre gets no labels.
FloorPlan floorLabelPlan(bool isKs, const QVector<int> &documentCounts, const QString &ets);
