#include "catalogueloader.h"

#include "catalogueparser.h"
#include "codelistparser.h"
#include "intake/sifrantdlg.h"
#include "platform/apppaths.h"
#include "platform/prompter.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>

namespace {
bool openConfigFile(QFile &file, const QString &fileName)
{
    file.setFileName(QDir(AppPaths::configDir()).filePath(fileName));
    return file.open(QIODevice::ReadOnly | QIODevice::Text);
}

// Child titles are indented by a blank icon of this size.
QIcon indentIcon()
{
    QPixmap pixmap(15, 1);
    pixmap.fill(Qt::transparent);
    return QIcon(pixmap);
}

QTreeWidgetItem *typeItem(const SifrantEntry &entry, const QIcon *indent)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, entry.id);
    item->setData(0, Qt::UserRole, entry.povzetek);
    item->setData(0, Qt::UserRole + 1, entry.id);
    item->setText(1, entry.napis);
    if (indent)
        item->setIcon(1, *indent);
    return item;
}

void addChildTypes(QTreeWidgetItem *parent, const QList<SifrantEntry> &entries, const QIcon &indent)
{
    for (const SifrantEntry &entry : entries) {
        QTreeWidgetItem *item = typeItem(entry, &indent);
        parent->addChild(item);
        addChildTypes(item, entry.children, indent);
    }
}

void fillCodeTree(QTreeWidget *tree, const QList<SifrantEntry> &entries)
{
    const QIcon indent = indentIcon();
    QList<QTreeWidgetItem *> items;
    for (const SifrantEntry &entry : entries) {
        items.append(typeItem(entry, nullptr));
        addChildTypes(items.last(), entry.children, indent);
    }
    tree->addTopLevelItems(items);
}
} // namespace

void loadCatalogue(Katalog &katalog, const QString &fileName, Kataster kind)
{
    const QString title = QStringLiteral("QXSRExample::parseXML");
    QFile file;
    if (!openConfigFile(file, fileName)) {
        Prompter::critical(nullptr, title, QStringLiteral("Couldn't open example.xml"));
        return;
    }
    const QString error = parseCatalogue(file, kind, katalog);
    if (!error.isEmpty())
        Prompter::critical(nullptr, title, error);
}

void loadCodeList(SifrantDlg &dialog, const QString &fileName, Kataster kind)
{
    const QString title = QStringLiteral("MainWindow::Sifrant");
    QFile file;
    if (!openConfigFile(file, fileName)) {
        Prompter::critical(nullptr, title, QStringLiteral("Ne morem odpreti ") + fileName);
        return;
    }
    const CodeList list = parseCodeList(file);
    fillCodeTree(dialog.codeTree(kind == Kataster::KS), list.entries);
    if (!list.error.isEmpty())
        Prompter::critical(nullptr, title, list.error);
}
