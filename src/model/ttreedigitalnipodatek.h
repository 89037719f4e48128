#pragma once

#include "treeitemtype.h"

#include <QTreeWidgetItem>

// A file of the digital data component, of any type; it goes into the ZIP package as it is.
class TTreeDigitalniPodatek : public QTreeWidgetItem
{
public:
    static constexpr int Type = TreeItemType::DigitalniPodatek;

    // Becomes the last child of `parent`, showing the file's name.
    TTreeDigitalniPodatek(const QString &path, QTreeWidgetItem *parent);
    ~TTreeDigitalniPodatek() override = default;

    static TTreeDigitalniPodatek *cast(QTreeWidgetItem *item)
    {
        return itemCast<TTreeDigitalniPodatek>(item);
    }

    QString filePath() const { return path; }

private:
    QString path;
};
