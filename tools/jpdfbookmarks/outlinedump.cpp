#include "outlinedump.h"

#include "destinationresolver.h"
#include "pdfinput.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>

namespace {
void dumpLevel(std::vector<QPDFOutlineObjectHelper> items, int depth, DestinationResolver &resolver,
    QByteArray *lines)
{
    for (QPDFOutlineObjectHelper &item : items) {
        const int page = resolver.pageNumber(resolver.itemDestination(item.getObjectHandle()));
        const QString line = QString(depth, QLatin1Char('\t'))
            + dumpTitle(QString::fromStdString(item.getTitle())) + QLatin1Char('/')
            + QString::number(page) + QLatin1Char(',') + QString::number(depth + 1)
            + QLatin1Char(',')
            + (item.getCount() > 0 ? QLatin1String("open") : QLatin1String("closed"))
            + QLatin1Char('\n');
        lines->append(line.toUtf8());
        dumpLevel(item.getKids(), depth + 1, resolver, lines);
    }
}
} // namespace

OutlineDump dumpOutline(const QString &path)
{
    OutlineDump dump;
    QPDF pdf;
    if (!openPdf(pdf, path, &dump.error))
        return dump;
    try {
        QPDFOutlineDocumentHelper outlines(pdf);
        DestinationResolver resolver(pdf);
        dumpLevel(outlines.getTopLevelOutlines(), 0, resolver, &dump.lines);
        dump.ok = true;
    } catch (const std::exception &e) {
        dump.lines.clear();
        dump.error = QStringLiteral("kazala datoteke '%1' ni mogoce prebrati: %2")
                         .arg(path, QString::fromUtf8(e.what()));
    }
    return dump;
}

QString dumpTitle(const QString &title)
{
    QString text = title;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar &c : text) {
        if (c == QLatin1Char('/'))
            c = QChar(0x2215);
        else if (c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return text;
}
