#include "outline.h"

#include "model/elaboratsnapshot.h"

namespace {

// One outline entry is one line of the file: a line break inside a title would split the entry
// and shift every later line against its stored code.
QString oneLine(QString title)
{
    return title.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// A general elaborat's documents carry their type as "code title" in the tag label; they all
// gather under one "*" entry.
struct GeneralOutline
{
    QStringList lines;
    QStringList codes;

    void add(const QString &label, int page)
    {
        const QString trimmed = label.trimmed();
        if (trimmed.isEmpty())
            return;
        const QString pageText = QString::number(page);
        if (lines.isEmpty()) {
            lines << QStringLiteral("*") << QStringLiteral("*/") + pageText;
            codes << QString();
        }
        const int blank = trimmed.indexOf(QLatin1Char(' '));
        const QString code = blank < 0 ? trimmed : trimmed.left(blank);
        const QString title = blank < 0 ? QString() : oneLine(trimmed.mid(blank + 1));
        lines << QLatin1Char('\t') + title + QLatin1Char('/') + pageText;
        codes << code;
    }
};

// A bookmark inside a bookmark stores its component's code too, so that reopening puts it
// under that component and not under the sestavine node.
QString componentCodeOf(const ElaboratSnapshot &snapshot, int index)
{
    for (int i = snapshot.items.at(index).parent; i >= 0; i = snapshot.items.at(i).parent) {
        if (snapshot.items.at(i).kind == SnapshotKind::Component)
            return snapshot.items.at(i).code;
    }
    return QString();
}

void addBookmarkLine(
    const ElaboratSnapshot &snapshot, int index, int page, ElaboratOutline *outline)
{
    const SnapshotItem &bookmark = snapshot.items.at(index);
    const int blank = bookmark.text.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return;
    const bool nested
        = bookmark.parent >= 0 && snapshot.items.at(bookmark.parent).kind == SnapshotKind::Bookmark;
    outline->bookmarkCodes << bookmark.text.left(blank);
    outline->componentCodes << componentCodeOf(snapshot, index);
    outline->lines << (nested ? QStringLiteral("\t") : QString())
            + oneLine(bookmark.text.mid(blank + 1)) + QLatin1Char('/') + QString::number(page);
}

} // namespace

ElaboratOutline buildOutline(const ElaboratSnapshot &snapshot)
{
    const bool general = hasProcedure(snapshot, QStringLiteral("splosno"));
    const bool separate = separatesRenPages(snapshot);
    ElaboratOutline outline;
    GeneralOutline generalOutline;
    int page = 1;
    for (int i = 0; i < snapshot.items.size(); ++i) {
        const SnapshotItem &item = snapshot.items.at(i);
        if (item.kind == SnapshotKind::Bookmark) {
            if (!general && !(separate && isRenBookmark(snapshot, i)) && hasChildren(snapshot, i))
                addBookmarkLine(snapshot, i, page, &outline);
        } else if (item.kind == SnapshotKind::Document) {
            // Counting exactly the documents that the PDF receives keeps every later line on
            // its page, wherever the REN pages stood.
            if (separate && isRenDocument(snapshot, i))
                continue;
            if (general)
                generalOutline.add(item.tagLabel, page);
            page += documentPages(item);
        }
    }
    outline.lines << generalOutline.lines;
    outline.bookmarkCodes << generalOutline.codes;
    return outline;
}

QByteArray outlineFileBytes(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n')).toUtf8();
}

QStringList documentListArguments(const ElaboratSnapshot &snapshot, const QVector<int> &documents)
{
    QStringList arguments;
    for (int index : documents) {
        const SnapshotItem &document = snapshot.items.at(index);
        arguments << document.filePath << QString::number(document.page)
                  << QString::number(document.rotation * 90);
    }
    return arguments;
}

QString documentListText(const ElaboratSnapshot &snapshot, const QVector<int> &documents)
{
    QStringList entries;
    for (int index : documents) {
        const SnapshotItem &document = snapshot.items.at(index);
        entries << QLatin1Char('"') + document.filePath + QStringLiteral("\" ")
                + QString::number(document.page) + QLatin1Char(' ')
                + QString::number(document.rotation * 90);
    }
    return entries.join(QLatin1Char(' '));
}

QString composerTitle(bool isKs)
{
    return isKs ? QStringLiteral("Arhiv katastra stavb")
                : QStringLiteral("Arhiv zemljiškega katastra");
}
