#pragma once

#include <QString>

// Removes a folder with everything in it. True when the folder is gone (or never existed);
// stops at the first entry that cannot be removed and leaves the rest in place.
bool clearFolder(const QString &path);
