#pragma once

#include <QString>
#include <optional>

// The value of a plain decimal count such as a page number: digits only, no sign, no blanks,
// small enough for an int. Anything else gives nothing, so that a mistyped argument is an error
// rather than a silent zero.
std::optional<int> parseDecimal(const QString &text);
