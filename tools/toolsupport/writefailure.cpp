#include "writefailure.h"

QString writeFailureReason(const QFileDevice &file)
{
    const QString reason = file.errorString();
    if (!reason.isEmpty() && reason != QIODevice::tr("Unknown error"))
        return reason;
    return QStringLiteral("ni prostora na disku ali pisanje ni dovoljeno");
}
