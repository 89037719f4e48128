#pragma once

#include "recoveryrecord.h"

class TTreeElaborat;

// Rebuilds an elaborat as its recovery record describes it. `elaborat` is new, made from the
// record's procedures, so it has their components; they are put in the record's order and the
// record's bookmarks, documents, subtitles and digital data are made below them, with their
// texts, files, pages, rotations and tag labels. The elaborat takes the record's stamp,
// scratch folder, texts and attribute values and is left modified. Items under a component
// that the procedures no longer bring are not made.
void rebuildFromRecord(TTreeElaborat &elaborat, const RecoveryRecord &record);
