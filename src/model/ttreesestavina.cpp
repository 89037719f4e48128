#include "ttreesestavina.h"

#include "modelcolors.h"
#include "ttreeelaborat.h"
#include "ttreewidget.h"

TTreeSestavina::TTreeSestavina(const SestavinaDef &definition, QTreeWidgetItem *parent)
    : QTreeWidgetItem(parent, Type)
    , attributes(definition)
{
    if (TTreeElaborat *elaborat = TTreeWidget::currentElaboratOf(treeWidget()))
        elaborat->markModified();
    setText(0, attributes.value(QStringLiteral("ime")));
    setData(0, Qt::UserRole, sifra());
    const bool office = attributes.value(QStringLiteral("izpolni")) == QLatin1String("gp");
    setForeground(0, office ? ModelColors::office : ModelColors::contractor);
    if (attributes.value(QStringLiteral("obvezno")) != QLatin1String("da")) {
        QFont italic = font(0);
        italic.setItalic(true);
        setFont(0, italic);
    }
    Qt::ItemFlags itemFlags = flags() & ~Qt::ItemIsDragEnabled;
    if (sifra() == QLatin1String("dp"))
        itemFlags &= ~Qt::ItemIsDropEnabled;
    setFlags(itemFlags);
}
