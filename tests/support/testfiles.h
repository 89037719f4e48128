#pragma once

#include <QString>
#include <QStringList>

// Files the tests make for themselves.
namespace TestFiles {

// A PDF of `pages` A4 pages written with Qt's PDF writer, each page showing `label` and its
// number; returns the path.
QString writePdf(const QString &path, int pages, const QString &label = QString());

// An image made by GraphicsMagick: `gm convert <arguments> <path>`; returns the path, or an
// empty string when GraphicsMagick failed.
QString writeImage(const QString &path, const QStringList &arguments);

} // namespace TestFiles
