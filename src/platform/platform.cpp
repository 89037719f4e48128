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
    native.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    return native;
}

} // namespace Platform
