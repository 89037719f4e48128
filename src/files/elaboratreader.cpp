#include "elaboratreader.h"

#include "app/mainwindow.h"
#include "catalog/katalog.h"
#include "intake/sifrantdlg.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "outlinedump.h"
#include "platform/busywork.h"
#include "services/sifdlg.h"

#include <QSet>

namespace {

// A view lays out every row widget it shows at each change, at a cost that grows faster than
// their number: the pages of a larger elaborat stay folded away for the user to unfold the part
// he works on.
constexpr int unfoldedPagesAtMost = 5000;

QString codeText(const SifrantDlg &codes, const QString &code)
{
    return code + QLatin1Char(' ') + codes.typeDescription(code).value_or(QString());
}

QString withName(const QString &code, const SifDlg &picker)
{
    if (code.isEmpty())
        return QString();
    return code + QLatin1Char(' ') + picker.nameOf(code);
}

QSet<QString> componentCodesOf(const TTreeElaborat &elaborat)
{
    QSet<QString> codes;
    const QTreeWidgetItem *sestavine = elaborat.sestavineItem();
    for (int i = 0; i < sestavine->childCount(); ++i) {
        if (const TTreeSestavina *component = TTreeSestavina::cast(sestavine->child(i)))
            codes.insert(component->sifra());
    }
    return codes;
}

void readGeneralPages(TTreeElaborat &elaborat, const QStringList &lines,
    const QStringList &bookmarkCodes, int pageCount, const SifrantDlg &codes, BusyWork &busy)
{
    QList<TTreeDokument *> pages;
    for (int page = 1; page <= pageCount; ++page) {
        pages << new TTreeDokument(elaborat.pdfPath(), elaborat.sestavineItem(), page, 0);
        busy.breathe();
    }
    const QMap<int, QString> types = generalPageCodes(lines, bookmarkCodes, pageCount);
    for (auto type = types.cbegin(); type != types.cend(); ++type)
        pages.at(type.key() - 1)->setTagText(codeText(codes, type.value()));
    if (pageCount > unfoldedPagesAtMost)
        elaborat.sestavineItem()->setExpanded(false);
}

void readOutlineBookmarks(TTreeElaborat &elaborat, const QStringList &lines,
    const QStringList &bookmarkCodes, const QStringList &componentCodes, int pageCount,
    const SifrantDlg &codes, BusyWork &busy)
{
    const bool unfold = pageCount <= unfoldedPagesAtMost;
    const QVector<ReopenBookmark> entries = reopenBookmarks(
        lines, bookmarkCodes, componentCodes, componentCodesOf(elaborat), pageCount);
    QList<TTreeBookmark *> made;
    for (const ReopenBookmark &entry : entries) {
        QTreeWidgetItem *parent = elaborat.findSestavinaBySifra(entry.componentCode);
        if (entry.componentCode.isEmpty() || !parent)
            parent = elaborat.sestavineItem();
        TTreeBookmark *bookmark = entry.sharedWith >= 0
            ? made.at(entry.sharedWith)
            : new TTreeBookmark(entry.code, codeText(codes, entry.code), parent);
        made << bookmark;
        bookmark->setExpanded(unfold);
        parent->setExpanded(true);
        for (int page : entry.pages) {
            new TTreeDokument(elaborat.pdfPath(), bookmark, page, 0);
            busy.breathe();
        }
    }
}

} // namespace

QList<int> storedProcedureIndices(const Katalog &katalog, const QStringList &ids, bool isKs)
{
    const Kataster kind = isKs ? Kataster::KS : Kataster::ZK;
    QList<int> indices;
    for (const QString &id : ids) {
        int index = -1;
        for (int i = 0; i < katalog.postopki().size() && index < 0; ++i) {
            const PostopekDef *procedure = katalog.procedure(i);
            if (procedure->id == id && procedure->kind == kind)
                index = i;
        }
        if (index < 0)
            index = katalog.procedureIndexById(id);
        if (index >= 0)
            indices << index;
    }
    return indices;
}

QString storedAttributeText(const QString &key, const QString &value,
    const QStringList &procedureNames, const SifDlg &offices, const SifDlg &municipalities)
{
    if (key == QLatin1String("KO"))
        return withName(value, municipalities);
    if (key == QLatin1String("GEODETSKA_PISARNA"))
        return withName(value, offices);
    if (key == QLatin1String("POSTOPKI"))
        return procedureNames.join(QLatin1Char(';'));
    return value;
}

void fillStoredAttributes(TTreeElaborat &elaborat, const KeywordMap &map)
{
    const auto &window = static_cast<const MainWindow &>(*elaborat.context());
    const QStringList names = elaborat.postopekNames();
    for (auto field = map.cbegin(); field != map.cend(); ++field)
        elaborat.setAttribute(field.key(),
            storedAttributeText(field.key(), field.value(), names, *window.officePicker(),
                *window.municipalityPicker()));
}

void readBookmarks(TTreeElaborat &elaborat, const ElaboratReading &reading,
    const QStringList &bookmarkCodes, const QStringList &componentCodes, BusyWork &busy)
{
    const int pageCount = reading.info.pageCount;
    const SifrantDlg &codes = elaborat.context()->typeDialog();
    // While the window is served the view lays out every row widget it shows; the new rows stay
    // folded away until they are all made, so that serving does not grow with them.
    const bool expanded = elaborat.isExpanded();
    elaborat.setExpanded(false);
    if (elaborat.hasPostopek(QStringLiteral("splosno")))
        readGeneralPages(elaborat, reading.outline, bookmarkCodes, pageCount, codes, busy);
    else
        readOutlineBookmarks(
            elaborat, reading.outline, bookmarkCodes, componentCodes, pageCount, codes, busy);
    elaborat.setExpanded(expanded);
}

void addZipDataFiles(TTreeElaborat &elaborat, const QString &folder)
{
    const QStringList files = ElaboratFile::packageDataFiles(folder, elaborat.pdfPath());
    TTreeSestavina *data = elaborat.findSestavinaBySifra(QStringLiteral("dp"));
    if (!files.isEmpty() && data && elaborat.view())
        elaborat.view()->addFiles(data, files);
}
