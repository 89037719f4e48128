#include "programversion.h"

QString programVersion()
{
    return QStringLiteral(TEV_VERSION);
}
