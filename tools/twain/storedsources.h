#pragma once

#include "scansources.h"

#include <QList>
#include <QString>
#include <optional>

// The source list as the program last printed it, kept in a file beside the program. A scan
// reads its id through it, so that the id means the entry the user chose even when devices
// have come or gone since, or one could not be asked for its paper sources.

// The list kept in the file at path; none when there is no such file or it is not one that
// saveSources wrote.
std::optional<QList<ScanSource>> loadSources(const QString &path);

// Replaces the file at path with the list, as a whole or not at all: a scan that reads it
// meanwhile sees the old list or the new one. False with a message in error.
bool saveSources(const QList<ScanSource> &sources, const QString &path, QString *error);
