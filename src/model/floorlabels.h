#pragma once

#include <QString>

class TTreeElaborat;

// Gives the floor plans of a reopened building-cadastre elaborat the floor labels its PDF
// stored (the ETS value: "label:pages" entries joined with ";"). The entries are shared by the
// "104" bookmarks with direct documents, in tree order; documents in subtitles are not
// touched. A malformed entry warns "Napaka pri branju etaz", entries whose pages do not add up
// to a bookmark's documents warn "Neujemanje v stevilu listov etaz" (title "Ostevilcenje etaz",
// the elaborat's view as parent); either stops the procedure, and the bookmarks before keep
// their new labels, the rest the labels they got when they were made. A land-cadastre
// elaborat is left alone.
void applyFloorLabels(TTreeElaborat &elaborat, const QString &ets);
