#include "platform.h"

#include <QDir>
#include <QWidget>

namespace Platform {

quintptr nativeWindowHandle(QWidget *widget)
{
    return widget ? static_cast<quintptr>(widget->window()->winId()) : 0;
}

QString explorerPath(const QString &path)
{
    QString native = path;
    native.replace(QLatin1Char('/'), QLatin1Char('\\'));
    // A network path keeps the two backslashes that name its server.
    const bool network = native.startsWith(QLatin1String("\\\\"));
    native.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    if (network) {
        while (native.startsWith(QLatin1Char('\\')))
            native.remove(0, 1);
        native.prepend(QLatin1String("\\\\"));
    }
    return native;
}

} // namespace Platform
