#include "floorlabels.h"

#include "model/floors.h"
#include "platform/prompter.h"
#include "treewalk.h"
#include "ttreebookmark.h"
#include "ttreedokument.h"
#include "ttreeelaborat.h"
#include "ttreewidget.h"

namespace {

// The direct documents of every "104" bookmark of the elaborat, in tree order.
QList<QList<TTreeDokument *>> floorPlans(const TTreeElaborat &elaborat)
{
    QList<QList<TTreeDokument *>> plans;
    forEachInWalk(&elaborat, [&plans](QTreeWidgetItem *item) {
        const TTreeBookmark *bookmark = TTreeBookmark::cast(item);
        if (bookmark && bookmark->sifra() == QLatin1String("104"))
            plans << bookmark->dokumenti(true);
    });
    return plans;
}

} // namespace

void applyFloorLabels(TTreeElaborat &elaborat, const QString &ets)
{
    if (!elaborat.isKs())
        return;
    const QList<QList<TTreeDokument *>> plans = floorPlans(elaborat);
    QVector<int> counts;
    for (const QList<TTreeDokument *> &documents : plans)
        counts << documents.size();
    const FloorPlan plan = floorLabelPlan(true, counts, ets);
    for (int bookmark = 0; bookmark < plan.labels.size(); ++bookmark) {
        const QStringList &labels = plan.labels.at(bookmark);
        for (int i = 0; i < labels.size(); ++i)
            plans.at(bookmark).at(i)->setTagText(labels.at(i));
    }
    if (!plan.ok)
        Prompter::warning(elaborat.view(), plan.title, plan.error);
}
