#include "startuprecovery.h"

#include "files/elaboratreader.h"
#include "mainwindow.h"
#include "model/recoveryrecord.h"
#include "model/recoveryrestore.h"
#include "platform/prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <algorithm>

namespace {
struct Found
{
    QString folder;
    RecoveryRecord record;
};

struct Scan
{
    QList<Found> records;
    QStringList unreadable; // the record's path and the reason
    QStringList unreadablePaths;
};

const QString asideFolder = QStringLiteral("zavrzeno");

// "ddMMyyyyhhmmss" as "yyyyMMddhhmmss", so that stamps sort by time.
QString sortKey(const QString &stamp)
{
    return stamp.mid(4, 4) + stamp.mid(2, 2) + stamp.left(2) + stamp.mid(8);
}

Scan findRecords(const QString &tempFolder)
{
    Scan scan;
    const QFileInfoList folders
        = QDir(tempFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &folder : folders) {
        const QString path = folder.filePath() + QLatin1Char('/') + recoveryFileName();
        if (folder.fileName() == asideFolder || !QFileInfo::exists(path))
            continue;
        QString error;
        if (std::optional<RecoveryRecord> record = readRecoveryRecord(path, &error)) {
            scan.records.append({folder.absoluteFilePath(), *record});
        } else {
            scan.unreadable << QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(path), error);
            scan.unreadablePaths << path;
        }
    }
    std::sort(scan.records.begin(), scan.records.end(), [](const Found &a, const Found &b) {
        return sortKey(a.record.stamp) < sortKey(b.record.stamp);
    });
    return scan;
}

void moveAside(const QString &tempFolder, const QString &recordPath)
{
    const QString aside = tempFolder + QLatin1Char('/') + asideFolder;
    QDir().mkpath(aside);
    const QString name = QFileInfo(recordPath).dir().dirName();
    QString target = aside + QLatin1Char('/') + name + QStringLiteral(".json");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = aside + QLatin1Char('/') + name + QLatin1Char('_') + QString::number(n)
            + QStringLiteral(".json");
    QFile::rename(recordPath, target);
}

QString recordPath(const QString &folder)
{
    return folder + QLatin1Char('/') + recoveryFileName();
}

bool askToRestore(MainWindow &window, const QList<Found> &records)
{
    QStringList names;
    for (const Found &found : records)
        names << (found.record.text.isEmpty() ? found.record.stamp : found.record.text);
    return Prompter::question(&window, QString(),
        QStringLiteral("Program se ni pravilno zaprl. Najdeni so neshranjeni elaborati: %1. Ali "
                       "jih zelite obnoviti?")
            .arg(names.join(QStringLiteral(", "))),
        QMessageBox::Yes);
}

bool restore(MainWindow &window, Found found, QStringList &missing)
{
    RecoveryRecord &record = found.record;
    const QList<int> indices
        = storedProcedureIndices(window.katalog(), record.tree.procedureIds, record.tree.isKs);
    TTreeElaborat *elaborat = window.createElaborat(indices, record.tree.isKs, true);
    if (!elaborat)
        return false;
    for (const QString &file : dropMissingFiles(record, found.folder))
        missing << QDir::toNativeSeparators(file);
    rebuildFromRecord(*elaborat, record);
    return true;
}

void report(MainWindow &window, const QStringList &missing, const QStringList &unreadable)
{
    QStringList parts;
    if (!missing.isEmpty())
        parts << QStringLiteral("Naslednjih datotek ni vec, zato niso bile obnovljene:\n")
                + missing.join(QLatin1Char('\n'));
    if (!unreadable.isEmpty())
        parts << QStringLiteral("Naslednjih zapisov za obnovo ni bilo mogoce prebrati, zato so "
                                "bili izpusceni:\n")
                + unreadable.join(QLatin1Char('\n'));
    if (!parts.isEmpty())
        Prompter::warning(&window, QString(), parts.join(QStringLiteral("\n\n")));
}
} // namespace

void offerRecovery(MainWindow &window)
{
    const QString tempFolder = window.tempFolder();
    Scan scan = findRecords(tempFolder);
    QStringList missing;
    if (!scan.records.isEmpty() && askToRestore(window, scan.records)) {
        for (const Found &found : std::as_const(scan.records)) {
            if (!restore(window, found, missing)) {
                scan.unreadable << QStringLiteral("%1 (%2)").arg(
                    QDir::toNativeSeparators(recordPath(found.folder)),
                    QStringLiteral("ni znanih postopkov"));
                moveAside(tempFolder, recordPath(found.folder));
            }
        }
    } else {
        for (const Found &found : std::as_const(scan.records))
            moveAside(tempFolder, recordPath(found.folder));
    }
    for (const QString &path : std::as_const(scan.unreadablePaths))
        moveAside(tempFolder, path);
    report(window, missing, scan.unreadable);
}
