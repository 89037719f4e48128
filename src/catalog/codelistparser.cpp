#include "codelistparser.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace {
QString *fieldOf(SifrantEntry &entry, QStringView name)
{
    if (name == u"id")
        return &entry.id;
    if (name == u"povzetek")
        return &entry.povzetek;
    if (name == u"napis")
        return &entry.napis;
    return nullptr;
}

// Finishes the innermost open type: it joins its parent, or the list when it is top-level.
void closeEntry(QList<SifrantEntry> &open, QList<SifrantEntry> &entries)
{
    SifrantEntry entry = open.takeLast();
    (open.isEmpty() ? entries : open.last().children).append(std::move(entry));
}

QString tooDeep()
{
    return QCoreApplication::translate(
        "CodeList", "Vrste dokumentov so gnezdene pregloboko (najvec %1 ravni).")
        .arg(maxCodeListDepth);
}
} // namespace

CodeList parseCodeList(QIODevice &device)
{
    QXmlStreamReader xml(&device);
    CodeList list;
    QList<SifrantEntry> open;
    QString *pendingField = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        QString *field = std::exchange(pendingField, nullptr);
        if (field && xml.isCharacters()) {
            *field = xml.text().toString();
        } else if (xml.isStartElement() && xml.name() == u"vrsta") {
            if (open.size() == maxCodeListDepth)
                xml.raiseError(tooDeep());
            else
                open.append(SifrantEntry());
        } else if (xml.isStartElement() && !open.isEmpty()) {
            pendingField = fieldOf(open.last(), xml.name());
            if (pendingField)
                pendingField->clear();
        } else if (xml.isEndElement() && xml.name() == u"vrsta" && !open.isEmpty()) {
            closeEntry(open, list.entries);
        }
    }
    while (!open.isEmpty())
        closeEntry(open, list.entries);
    if (xml.hasError())
        list.error = xml.errorString();
    return list;
}

int nestingDepth(const QList<SifrantEntry> &entries)
{
    int depth = 0;
    for (const SifrantEntry &entry : entries)
        depth = qMax(depth, 1 + nestingDepth(entry.children));
    return depth;
}
