#pragma once

#include <QString>
#include <atomic>

class QRegularExpression;

// Removes a folder with everything in it. True when the folder is gone (or never existed);
// stops at the first entry that cannot be removed and leaves the rest in place.
bool clearFolder(const QString &path);

// Removes the files of `folder` whose whole names match `pattern`: what a run that was killed
// left behind. A file that cannot be removed stays.
void removeLeftovers(const QString &folder, const QRegularExpression &pattern);

// Replaces `target` with a copy of `source`. The copy is written beside the target and renamed
// over it only when complete, so the target is at every moment either the old file or the whole
// new one, also when `source` lies on another file system. False, with the target unchanged,
// when the copy cannot be made or `stop` was set while it was being made.
bool replaceFile(
    const QString &source, const QString &target, const std::atomic_bool *stop = nullptr);

// Moves `source` to `target`, replacing a file there: a rename where the file system allows it,
// else a copy as replaceFile makes it, flushed to disk, after which the source is removed. A
// move that fails or is stopped before the copy is complete leaves the source in place and the
// target as it was. True when the file stands at `target`; a source that cannot be removed
// after a complete copy makes it false, with the file in both places.
bool moveFile(const QString &source, const QString &target, const std::atomic_bool *stop = nullptr);
