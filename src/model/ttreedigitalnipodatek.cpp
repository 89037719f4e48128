#include "ttreedigitalnipodatek.h"

#include "modelcolors.h"

#include <QFileInfo>

TTreeDigitalniPodatek::TTreeDigitalniPodatek(const QString &path, QTreeWidgetItem *parent)
    : QTreeWidgetItem(parent, Type)
    , path(path)
{
    setText(0, QFileInfo(path).fileName());
    setForeground(0, ModelColors::digitalData);
    setFlags(flags() & ~(Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled));
}
