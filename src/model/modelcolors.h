#pragma once

#include <QColor>

// The colours of the elaborat tree and its attribute table.
namespace ModelColors {
// What the surveying office fills in.
inline const QColor office {0, 0, 247};
// What the contractor fills in; also bookmarks.
inline const QColor contractor {0, 152, 0};
inline const QColor subtitle {0, 0, 237};
inline const QColor digitalData {63, 31, 229};
} // namespace ModelColors
