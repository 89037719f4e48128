#include "treeactions.h"

#include "intake/sifrantdlg.h"
#include "model/ttreeelaborat.h"
#include "model/ttreeleaf.h"
#include "model/ttreewidget.h"

#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <memory>

namespace TreeActions {

QStringList entries(const QMenu &menu)
{
    QStringList texts;
    const QList<QAction *> actions = menu.actions();
    for (const QAction *action : actions) {
        if (action->isSeparator())
            texts << QStringLiteral("--");
        else
            texts << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
    }
    return texts;
}

QStringList menuAt(TTreeWidget &view, QTreeWidgetItem *item)
{
    const QPoint position = item ? centreOf(view, item) : emptySpace(view);
    const std::unique_ptr<QMenu> menu = view.contextMenuAt(position);
    return menu ? entries(*menu) : QStringList();
}

QStringList menuOn(TTreeWidget &view, QTreeWidgetItem *item)
{
    select(view, item ? QList<QTreeWidgetItem *> {item} : QList<QTreeWidgetItem *> {});
    return menuAt(view, item);
}

QStringList childrenOf(const QTreeWidgetItem *item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i) {
        const QTreeWidgetItem *child = item->child(i);
        const TTreeLeaf *leaf = TTreeLeaf::cast(child);
        QString text = leaf ? leaf->nameText() : child->text(0);
        if (leaf && !leaf->tagText().isEmpty())
            text += QStringLiteral(" [") + leaf->tagText() + QLatin1Char(']');
        texts << text;
    }
    return texts;
}

void select(TTreeWidget &view, const QList<QTreeWidgetItem *> &items)
{
    view.clearSelection();
    for (QTreeWidgetItem *item : items)
        item->setSelected(true);
}

QPoint centreOf(TTreeWidget &view, QTreeWidgetItem *item)
{
    view.scrollToItem(item);
    return view.visualItemRect(item).center();
}

QPoint emptySpace(TTreeWidget &view)
{
    QTreeWidgetItem *last = view.topLevelItem(view.topLevelItemCount() - 1);
    while (last && last->childCount() && last->isExpanded())
        last = last->child(last->childCount() - 1);
    const int below = last ? view.visualItemRect(last).bottom() + 10 : 10;
    return QPoint(10, qMin(below, view.viewport()->height() - 2));
}

Qt::DropAction dragAndDrop(TTreeWidget &view, QTreeWidgetItem *pressed, QTreeWidgetItem *target)
{
    const Qt::DropAction action = dragAndDropUnreleased(view, pressed, target);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    QCoreApplication::processEvents();
    return action;
}

Qt::DropAction dragAndDropUnreleased(
    TTreeWidget &view, QTreeWidgetItem *pressed, QTreeWidgetItem *target)
{
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(view, pressed));
    QMimeData *mime = view.model()->mimeData(view.selectionModel()->selectedIndexes());
    const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
    QDragEnterEvent enter(centreOf(view, pressed), actions, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &enter);
    const QPoint at = centreOf(view, target);
    QDragMoveEvent move(at, actions, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &move);
    QDropEvent drop(at, actions, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &drop);
    QCoreApplication::processEvents();
    delete mime;
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

Qt::DropAction dropFiles(TTreeWidget &view, const QStringList &files, QTreeWidgetItem *target)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << QUrl::fromLocalFile(file);
    mime.setUrls(urls);
    return dropMime(view, mime, target);
}

Qt::DropAction dropMime(TTreeWidget &view, const QMimeData &mime, QTreeWidgetItem *target)
{
    const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
    const QPoint at = target ? centreOf(view, target) : emptySpace(view);
    QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    if (enter.isAccepted() && enter.dropAction() != Qt::IgnoreAction) {
        move.setDropAction(enter.dropAction());
        move.accept();
    }
    QCoreApplication::sendEvent(view.viewport(), &move);
    if (!move.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent drop(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

std::function<int(QDialog *)> typeAs(const QString &code)
{
    return [code](QDialog *dialog) {
        auto *types = qobject_cast<SifrantDlg *>(dialog);
        if (!types)
            return int(QDialog::Rejected);
        QTreeWidgetItem *type = types->findType(code);
        QTreeWidget *tree = types->codeTree(types->currentIsKs());
        if (type)
            emit tree->itemClicked(type, 0);
        types->accept();
        return int(QDialog::Accepted);
    };
}

std::function<int(QDialog *)> acceptTypes()
{
    return [](QDialog *dialog) {
        dialog->accept();
        return int(QDialog::Accepted);
    };
}

std::function<int(QDialog *)> cancel()
{
    return [](QDialog *dialog) {
        dialog->reject();
        return int(QDialog::Rejected);
    };
}

} // namespace TreeActions
