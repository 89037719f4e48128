#include "app/startuprecovery.h"
#include "elaboratfixture.h"
#include "model/documentcommands.h"
#include "model/fileintake.h"
#include "model/recoveryrecorder.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {
// Every item of the walk and every attribute as one line, so that two elaborates compare
// item by item.
QStringList describe(const RecoveryRecord &record)
{
    QStringList lines {record.stamp + QLatin1Char(' ') + record.text + QLatin1Char(' ')
        + record.tree.workDir + QLatin1Char(' ') + record.tree.procedureIds.join(',')};
    for (const SnapshotAttribute &attribute : record.tree.attributes)
        lines << attribute.id + QLatin1Char('=') + attribute.value;
    for (const SnapshotItem &item : record.tree.items)
        lines << QStringLiteral("%1 %2 '%3' %4 %5 %6 p%7/%8 r%9 [%10]")
                     .arg(int(item.kind))
                     .arg(item.parent)
                     .arg(item.text, item.code, item.filePath, item.sourcePath)
                     .arg(item.page)
                     .arg(item.pageCount)
                     .arg(item.rotation)
                     .arg(item.tagLabel);
    return lines;
}

QString recordPath(const TTreeElaborat *elaborat)
{
    return elaborat->workDir() + QLatin1Char('/') + recoveryFileName();
}

// What the record file says now; empty when it cannot be read.
QStringList recorded(const QString &path)
{
    QString error;
    const std::optional<RecoveryRecord> record = readRecoveryRecord(path, &error);
    return record ? describe(*record) : QStringList();
}

SnapshotItem item(SnapshotKind kind, int parent, const QString &text, const QString &code = {})
{
    SnapshotItem made;
    made.kind = kind;
    made.parent = parent;
    made.text = text;
    made.code = code;
    return made;
}

TTreeSestavina *component(TTreeElaborat *elaborat, const QString &name)
{
    return elaborat->findSestavinaByIme(name);
}
} // namespace

// Work in progress survives a run that ends without its normal close.
class RecoveryTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ElaboratFixture> fixture;

    TTreeWidget &view() { return *fixture->window().tree(); }
    QString tempPath(const QString &relative) { return fixture->folder.path(".tmp/" + relative); }

    // A record as a killed run leaves it: "UM" with a bookmark holding these files.
    void placeRecord(const QString &stamp, const QStringList &files)
    {
        RecoveryRecord record;
        record.stamp = stamp;
        record.text = stamp;
        record.tree.procedureIds = QStringList {"UM"};
        record.tree.procedureNames = QStringList {"Ureditev meje"};
        record.tree.workDir = tempPath(stamp);
        record.tree.items = {item(SnapshotKind::Sestavine, -1, "sestavine"),
            item(SnapshotKind::Component, 0, "skica", "sk"),
            item(SnapshotKind::Bookmark, 1, "112 Skica", "112")};
        for (const QString &file : files) {
            SnapshotItem document = item(SnapshotKind::Document, 2, QFileInfo(file).fileName());
            document.filePath = document.sourcePath = file;
            record.tree.items.append(document);
        }
        QVERIFY(QDir().mkpath(record.tree.workDir));
        QVERIFY(writeRecoveryRecord(tempPath(stamp + "/obnova.json"), record));
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ElaboratFixture>();
        fixture->start();
    }

    void cleanup() { fixture.reset(); }

    // A building-cadastre elaborat with floor plans, a split document, a rotated page and a
    // scanned batch, and a land-cadastre one with digital data, come back after the window
    // went without its close, equal item by item, modified, in their own scratch folders.
    void restoresEveryElaboratItemByItem()
    {
        TTreeElaborat *building = fixture->create({ElaboratFixture::Vs});
        const QString plans = fixture->makePdf("plans.pdf", 3);
        const QString section = fixture->makePdf("section.pdf", 1);
        FileIntake::placeFiles(view(), component(building, "načrti"),
            {{"104", "", plans, "104 Tloris"}, {"104", "", section, "104 Tloris"}});
        auto *bookmark = TTreeBookmark::cast(component(building, "načrti")->child(0));
        bookmark->dokumenti(true).at(1)->rotate(90);
        bookmark->dokumenti(true).at(1)->setTagText("-1");
        DocumentCommands::splitIntoPages(*bookmark->dokumenti(true).at(0));
        const QString scanned = fixture->makePdf(".tmp/" + building->stamp() + "/scan_1.pdf", 1);
        QHash<QString, TTreeBookmark *> scanBookmarks;
        FileIntake::placeScannedFiles(view(), component(building, "priloge"),
            {{"201", "", scanned, "201 Priloga"}}, scanBookmarks);
        building->setAttribute("REZPOS", "1234");

        TTreeElaborat *land = fixture->create({ElaboratFixture::Um});
        const QString data = fixture->makePdf("meritve.txt", 1);
        FileIntake::addDigitalFiles(component(land, "digitalni podatki"), {data});
        land->setAttribute("IDPOS", "2026-17");

        QList<QStringList> before;
        QStringList names;
        for (const TTreeElaborat *elaborat : {building, land}) {
            before << describe(elaborat->recoveryRecord());
            names << elaborat->text(0);
            QTRY_COMPARE(recorded(recordPath(elaborat)), before.last());
        }
        MainWindow &window = fixture->restart();
        offerRecovery(window);

        QCOMPARE(fixture->prompter.messageTexts(),
            QStringList {"Program se ni pravilno zaprl. Najdeni so neshranjeni elaborati: "
                + names.join(", ") + ". Ali jih zelite obnoviti?"});
        QCOMPARE(view().topLevelItemCount(), 2);
        for (int i = 0; i < 2; ++i) {
            const TTreeElaborat *restored = TTreeElaborat::cast(view().topLevelItem(i));
            QCOMPARE(describe(restored->recoveryRecord()), before.at(i));
            QVERIFY(!restored->upToDate());
        }
        QVERIFY(window.actionPDF->isEnabled());
    }

    // A burst of edits is written a few times at most, and the record ends as the elaborat.
    void burstOfEditsIsWrittenAFewTimes()
    {
        TTreeElaborat *elaborat = fixture->create({ElaboratFixture::Um});
        QTRY_VERIFY(!recorded(recordPath(elaborat)).isEmpty());
        QSignalSpy writes(fixture->window().recoveryRecorder(), &RecoveryRecorder::recordWritten);
        for (int edit = 1; edit <= 100; ++edit) {
            elaborat->setAttribute("IDPOS", QString::number(edit));
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE(recorded(recordPath(elaborat)), describe(elaborat->recoveryRecord()));
        QVERIFY(writes.size() <= 3);
        // Closing takes the record away.
        const QString path = recordPath(elaborat);
        fixture->prompter.buttons.enqueue(QMessageBox::Yes);
        QVERIFY(view().closeElaborat(elaborat));
        QTRY_VERIFY(!QFileInfo::exists(path));
    }

    void unreadableRecordIsSkipped_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("cut short") << QByteArray("{\"format\":\"tev-obnova\",\"version\":1,\"st");
        QTest::newRow("unknown version")
            << QByteArray("{\"format\":\"tev-obnova\",\"version\":2,\"stamp\":\"01012026000000\"}");
        QTest::newRow("no procedures")
            << QByteArray("{\"format\":\"tev-obnova\",\"version\":1,\"stamp\":\"01012026000000\","
                          "\"procedures\":[{\"id\":\"NEZNAN\"}]}");
    }

    // A record that does not read is named and moved aside; the others are restored.
    void unreadableRecordIsSkipped()
    {
        QFETCH(QByteArray, content);
        placeRecord("01012026101010", {fixture->makePdf("a.pdf", 1)});
        QVERIFY(fixture->folder.write(".tmp/02012026101010/obnova.json", content));
        offerRecovery(fixture->window());
        QCOMPARE(view().topLevelItemCount(), 1);
        QCOMPARE(fixture->prompter.shown.size(), 2);
        QVERIFY(fixture->prompter.shown.at(1).text.contains(
            QDir::toNativeSeparators(tempPath("02012026101010/obnova.json"))));
        QVERIFY(QFileInfo::exists(tempPath("zavrzeno/02012026101010.json")));
    }

    // No keeps the records aside and their scratch folders where they are.
    void noMovesRecordsAside()
    {
        placeRecord("01012026101010", {fixture->makePdf("a.pdf", 1)});
        fixture->prompter.buttons.enqueue(QMessageBox::No);
        offerRecovery(fixture->window());
        QCOMPARE(view().topLevelItemCount(), 0);
        QVERIFY(!QFileInfo::exists(tempPath("01012026101010/obnova.json")));
        QVERIFY(QFileInfo::exists(tempPath("zavrzeno/01012026101010.json")));
        offerRecovery(fixture->window());
        QCOMPARE(fixture->prompter.shown.size(), 1);
    }

    // Documents whose files went are left out and named; their emptied bookmark goes.
    void vanishedFilesAreLeftOut()
    {
        const QString kept = fixture->makePdf("a.pdf", 1);
        const QString gone = fixture->folder.path("b.pdf");
        placeRecord("01012026101010", {kept, gone});
        placeRecord("01012026111111", {gone});
        offerRecovery(fixture->window());
        QCOMPARE(view().topLevelItemCount(), 2);
        const auto *first = TTreeElaborat::cast(view().topLevelItem(0));
        QCOMPARE(first->documents().size(), 1);
        QCOMPARE(first->documents().first()->filePath(), kept);
        const auto *second = TTreeElaborat::cast(view().topLevelItem(1));
        QCOMPARE(component(const_cast<TTreeElaborat *>(second), "skica")->childCount(), 0);
        QCOMPARE(fixture->prompter.messageTexts().last(),
            "Naslednjih datotek ni vec, zato niso bile obnovljene:\n"
                + QDir::toNativeSeparators(gone) + '\n' + QDir::toNativeSeparators(gone));
    }

    // A process that wrote its record is killed; the next start finds the elaborat.
    void survivesKill()
    {
        const QString pdf = fixture->makePdf("a.pdf", 2);
        QProcess probe;
        probe.start(RECOVERY_PROBE, {fixture->folder.path(), pdf});
        QVERIFY(probe.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(probe.canReadLine(), 30000);
        const QString stamp = QString::fromUtf8(probe.readLine()).trimmed();
        probe.kill();
        QVERIFY(probe.waitForFinished());
        QCOMPARE(probe.exitStatus(), QProcess::CrashExit);

        offerRecovery(fixture->restart());
        const auto *elaborat = TTreeElaborat::cast(view().topLevelItem(0));
        QVERIFY(elaborat);
        QCOMPARE(elaborat->stamp(), stamp);
        QCOMPARE(elaborat->attribute("IDPOS"), "2026-17");
        QCOMPARE(elaborat->documents().size(), 1);
        QCOMPARE(elaborat->documents().first()->filePath(), pdf);
    }
};

QTEST_MAIN(RecoveryTest)
#include "recoverytest.moc"
