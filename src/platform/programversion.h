#pragma once

#include <QString>

// The program's version, "major.minor.patch", as the build's project version gives it: shown in
// the About dialog, compared by the update check and stored in every elaborat's Keywords.
QString programVersion();
