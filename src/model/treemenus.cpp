#include "treemenus.h"

#include "treeitems.h"
#include "ttreebookmark.h"
#include "ttreedigitalnipodatek.h"
#include "ttreedokument.h"
#include "ttreeelaborat.h"
#include "ttreepodnaslov.h"
#include "ttreesestavina.h"

#include <QMenu>

namespace TreeMenus {

namespace {

QAction *add(QMenu &menu, const QString &text, bool enabled = true)
{
    QAction *action = menu.addAction(text);
    action->setEnabled(enabled);
    return action;
}

QAction *find(const QMenu &menu, const QString &text)
{
    const QList<QAction *> actions = menu.actions();
    for (QAction *action : actions) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void disable(const QMenu &menu, const QString &text)
{
    if (QAction *action = find(menu, text))
        action->setEnabled(false);
}

bool opensItemMenu(const QTreeWidgetItem *clicked, bool general)
{
    if (general)
        return true;
    return TTreeDokument::cast(clicked) || itemCast<TTreeBookmark>(clicked)
        || itemCast<TTreeDigitalniPodatek>(clicked) || itemCast<TTreeSestavina>(clicked)
        || itemCast<TTreePodnaslov>(clicked);
}

void addCommonEntries(QMenu &menu, const TTreeElaborat &current, bool officeUser)
{
    add(menu, Entry::addFile);
    add(menu, Entry::scan);
    menu.addSeparator();
    add(menu, Entry::removeFile);
    add(menu, Entry::split);
    add(menu, Entry::rotateLeft);
    add(menu, Entry::rotateRight);
    add(menu, Entry::changeType);
    menu.addSeparator();
    if (current.isKs()) {
        add(menu, Entry::floor, false);
    } else if (officeUser) {
        add(menu, Entry::sketch);
        add(menu, Entry::record);
        add(menu, Entry::decision);
    }
}

void adaptToOtherItem(QMenu &menu, QTreeWidgetItem *clicked)
{
    for (const QString &text :
        {Entry::split, Entry::changeType, Entry::rotateLeft, Entry::rotateRight})
        disable(menu, text);
    if (itemCast<TTreeBookmark>(clicked)) {
        find(menu, Entry::removeFile)->setText(Entry::removeBookmark);
    } else if (itemCast<TTreeDigitalniPodatek>(clicked)) {
        menu.addSeparator();
        add(menu, Entry::showFile);
    } else if (!itemCast<TTreePodnaslov>(clicked)) {
        disable(menu, Entry::removeFile);
    }
}

void adaptToDocument(QMenu &menu, const TTreeDokument &document, bool general)
{
    if (general) {
        menu.addSeparator();
        add(menu, Entry::removeTag, !document.tagText().isEmpty());
    }
    if (document.pageCount() < 2 || document.page() != 0)
        disable(menu, Entry::split);
}

} // namespace

std::unique_ptr<QMenu> elaboratMenu(const TTreeElaborat &elaborat)
{
    auto menu = std::make_unique<QMenu>();
    add(*menu, Entry::procedures);
    add(*menu, Entry::buildPdf, !elaborat.upToDate());
    add(*menu, Entry::buildZip, elaborat.upToDate());
    add(*menu, Entry::close);
    add(*menu, Entry::check);
    add(*menu, Entry::showPdf, !elaborat.pdfPath().isEmpty());
    return menu;
}

std::unique_ptr<QMenu> itemMenu(
    QTreeWidgetItem *clicked, int selectedCount, const TTreeElaborat &current, bool officeUser)
{
    const bool general = TreeItems::isGeneral(&current);
    if (!opensItemMenu(clicked, general))
        return nullptr;
    auto menu = std::make_unique<QMenu>();
    if (selectedCount < 2) {
        addCommonEntries(*menu, current, officeUser);
        if (const TTreeDokument *document = TTreeDokument::cast(clicked))
            adaptToDocument(*menu, *document, general);
        else
            adaptToOtherItem(*menu, clicked);
        if (selectedCount == 0 && !general) {
            disable(*menu, Entry::addFile);
            disable(*menu, Entry::scan);
        }
    } else {
        add(*menu, Entry::changeType);
        if (current.isKs())
            add(*menu, Entry::floor, false);
    }
    if (current.isKs() && TreeItems::liesUnderFloorPlans(clicked)) {
        if (QAction *floor = find(*menu, Entry::floor))
            floor->setEnabled(true);
    }
    return menu;
}

} // namespace TreeMenus
