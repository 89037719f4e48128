#include "convertedfiles.h"

#include "model/elaboratsnapshot.h"
#include "model/treewalk.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"

#include <QFileInfo>

void applyConvertedFiles(
    TTreeElaborat &elaborat, const ElaboratSnapshot &snapshot, const QMap<int, QString> &converted)
{
    if (converted.isEmpty())
        return;
    // The snapshot's items are the same walk, so an index names the same item.
    const QList<QTreeWidgetItem *> items = walkItems(&elaborat);
    for (auto it = converted.cbegin(); it != converted.cend(); ++it) {
        TTreeDokument *document = TTreeDokument::cast(items.value(it.key()));
        if (!document || it.key() >= snapshot.items.size())
            continue;
        if (document->filePath() != snapshot.items.at(it.key()).filePath
            || !QFileInfo::exists(it.value()))
            continue;
        document->setConvertedFile(it.value());
    }
}
