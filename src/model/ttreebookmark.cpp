#include "ttreebookmark.h"

#include "intake/sifrantdlg.h"
#include "modelcolors.h"
#include "ttreedokument.h"
#include "ttreeelaborat.h"
#include "ttreesestavina.h"
#include "ttreewidget.h"

TTreeBookmark::TTreeBookmark(const QString &code, const QString &text, QTreeWidgetItem *parent)
    : QTreeWidgetItem(parent, Type)
    , code(code)
{
    if (TTreeElaborat *elaborat = TTreeWidget::currentElaboratOf(treeWidget()))
        elaborat->markModified();
    setText(0, text);
    QFont bold = font(0);
    bold.setWeight(QFont::Bold);
    setFont(0, bold);
    setForeground(0, ModelColors::contractor);
}

TTreeBookmark *TTreeBookmark::create(
    QString code, QString text, QTreeWidgetItem *parent, const SifrantDlg &codes)
{
    const TTreeSestavina *component = TTreeSestavina::cast(parent);
    const QString defaultKey = QStringLiteral("bookmark");
    if (code.isEmpty() && component && component->atributi().contains(defaultKey)) {
        code = component->atributi().value(defaultKey);
        text = code + QLatin1Char(' ') + codes.typeDescription(code).value_or(QString());
    }
    if (code.isEmpty() || text.isEmpty())
        return nullptr;
    return new TTreeBookmark(code, text, parent);
}

QList<TTreeLeaf *> TTreeBookmark::leaves(bool directOnly) const
{
    QList<TTreeLeaf *> found;
    for (int i = 0; i < childCount(); ++i) {
        QTreeWidgetItem *item = child(i);
        if (TTreeLeaf *leaf = TTreeLeaf::cast(item))
            found.append(leaf);
        if (directOnly)
            continue;
        for (int j = 0; j < item->childCount(); ++j) {
            if (TTreeLeaf *leaf = TTreeLeaf::cast(item->child(j)))
                found.append(leaf);
        }
    }
    return found;
}

QList<TTreeDokument *> TTreeBookmark::dokumenti(bool directOnly) const
{
    QList<TTreeDokument *> found;
    for (TTreeLeaf *leaf : leaves(directOnly)) {
        if (auto *document = TTreeDokument::cast(leaf))
            found.append(document);
    }
    return found;
}

int TTreeBookmark::nextFloor() const
{
    int highest = 0;
    for (int i = 0; i < childCount(); ++i) {
        if (const TTreeLeaf *leaf = TTreeLeaf::cast(child(i)))
            highest = qMax(highest, leaf->tagText().toInt());
    }
    return highest + 1;
}

bool TTreeBookmark::hasFloor(int floor) const
{
    for (int i = 0; i < childCount(); ++i) {
        const TTreeLeaf *leaf = TTreeLeaf::cast(child(i));
        if (leaf && !leaf->tagText().isEmpty() && leaf->tagText().toInt() == floor)
            return true;
    }
    return false;
}
