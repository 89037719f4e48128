#pragma once

#include "catalog/sestavinadef.h"
#include "treeitemtype.h"

#include <QTreeWidgetItem>

// A component of an elaborat, made from a component of the procedure catalogue: its name in
// the catalogue's colours (blue when the office fills it, green otherwise), in italics when it
// is optional. The digital data component ("dp") takes no drops.
class TTreeSestavina : public QTreeWidgetItem
{
public:
    static constexpr int Type = TreeItemType::Sestavina;

    // Becomes the last child of `parent` and marks the view's current elaborat modified.
    TTreeSestavina(const SestavinaDef &definition, QTreeWidgetItem *parent);
    ~TTreeSestavina() override = default;

    static TTreeSestavina *cast(QTreeWidgetItem *item) { return itemCast<TTreeSestavina>(item); }

    // The catalogue component's attribute map, all keys kept.
    const SestavinaDef &atributi() const { return attributes; }
    // The "sifra" entry, also kept as the item's user data; empty when absent.
    QString sifra() const { return attributes.value(QStringLiteral("sifra")); }
    QString ime() const { return text(0); }

private:
    SestavinaDef attributes;
};
