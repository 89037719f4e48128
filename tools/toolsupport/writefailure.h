#pragma once

#include <QFileDevice>
#include <QString>

// Why the file could not be created or written, for a message to the user. Some failures, a
// full disk or a file size limit among them, reach Qt without a reason of their own, and Qt
// would only say "Unknown error".
QString writeFailureReason(const QFileDevice &file);
