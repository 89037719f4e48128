#pragma once

#include <QString>
#include <sane/sane.h>

// What a SANE status means for the user, as one sentence.
QString statusText(SANE_Status status);
