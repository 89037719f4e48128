#pragma once

#include <QString>

// Removes a folder with everything in it. True when the folder is gone (or never existed);
// stops at the first entry that cannot be removed and leaves the rest in place.
bool clearFolder(const QString &path);

// Replaces `target` with a copy of `source`. The copy is written beside the target and renamed
// over it only when complete, so the target is at every moment either the old file or the whole
// new one, also when `source` lies on another file system. False, with the target unchanged,
// when the copy cannot be made.
bool replaceFile(const QString &source, const QString &target);
