#include "testfiles.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>

namespace TestFiles {

QString writePdf(const QString &path, int pages, const QString &label)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        painter.drawText(QPointF(300, 300), label + QString::number(page));
        if (page < pages)
            writer.newPage();
    }
    return path;
}

QString writeImage(const QString &path, const QStringList &arguments)
{
    QProcess gm;
    gm.start(QStringLiteral("gm"),
        QStringList {QStringLiteral("convert")} + arguments + QStringList {path});
    const bool made = gm.waitForFinished(60000) && gm.exitStatus() == QProcess::NormalExit
        && gm.exitCode() == 0;
    return made ? path : QString();
}

} // namespace TestFiles
