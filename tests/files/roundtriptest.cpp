#include "buildfixture.h"
#include "files/dialogizdelavaelaborata.h"
#include "files/elaboratfile.h"
#include "intake/sifrantdlg.h"
#include "model/ttreebookmark.h"
#include "model/ttreedigitalnipodatek.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreepodnaslov.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "platform/toolrunner.h"
#include "services/sifdlg.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <memory>

#include <poppler-qt6.h>

// Elaborates built with the PDF and ZIP commands (real composer and archiver), closed and opened
// again with the open command (real dumper): what comes back, and what a rebuild or a new
// package keeps.
class RoundTripTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<BuildFixture> fixture;

    QString municipality() const
    {
        return QStringLiteral("1728 ")
            + fixture->window().codeName(ElaboratContext::Picker::Municipality, "1728");
    }

    void setIdentity(TTreeElaborat *elaborat) const
    {
        elaborat->setAttribute(QStringLiteral("KO"), municipality());
        elaborat->setAttribute(QStringLiteral("IDPOS"), QStringLiteral("45"));
        elaborat->setAttribute(QStringLiteral("REZPOS"), QStringLiteral("7"));
        elaborat->setAttribute(
            QStringLiteral("DATUM_ZADNJE_SPREMEMBE"), QStringLiteral("05.03.2012"));
    }

    TTreeBookmark *bookmark(TTreeElaborat *elaborat, const QString &component, const QString &code)
    {
        return BuildFixture::bookmark(elaborat, component, code, QStringLiteral("Naslov"));
    }

    QString pdf(const QString &name, int pages)
    {
        return fixture->pdf(name + QStringLiteral(".pdf"), pages, name);
    }

    // UM and PAR: bookmarks in three components, one of them nested, a "414", single and
    // turned pages, an image and a digital data file.
    TTreeElaborat *landElaborat()
    {
        TTreeElaborat *elaborat = fixture->create({QStringLiteral("UM"), QStringLiteral("PAR")});
        setIdentity(elaborat);
        elaborat->setAttribute(
            QStringLiteral("GEODETSKA_PISARNA"), QStringLiteral("140 Ljubljana"));
        elaborat->setAttribute(QStringLiteral("OPIS"), QStringLiteral("meja \"ob potoku\""));
        TTreeBookmark *skica = bookmark(elaborat, QStringLiteral("sk"), QStringLiteral("112"));
        new TTreeDokument(pdf(QStringLiteral("a"), 3), skica);
        new TTreeDokument(pdf(QStringLiteral("b"), 10), skica, 5, 1);
        new TTreeDokument(pdf(QStringLiteral("d"), 1),
            bookmark(elaborat, QStringLiteral("sk"), QStringLiteral("413")));
        TTreeBookmark *zapisnik = bookmark(elaborat, QStringLiteral("zp"), QStringLiteral("121"));
        new TTreeDokument(fixture->image(QStringLiteral("slika.png")), zapisnik);
        new TTreeDokument(pdf(QStringLiteral("c"), 2),
            new TTreeBookmark(QStringLiteral("122"), QStringLiteral("122 Priloga"), zapisnik));
        new TTreeDokument(pdf(QStringLiteral("e"), 1),
            bookmark(elaborat, QStringLiteral("zp"), QStringLiteral("414")));
        new TTreeDokument(pdf(QStringLiteral("f"), 2),
            bookmark(elaborat, QStringLiteral("iz"), QStringLiteral("111")));
        if (!fixture->base.folder.write(QStringLiteral("podatki/meje.dxf"), "dxf"))
            qFatal("cannot write the data file");
        new TTreeDigitalniPodatek(fixture->path(QStringLiteral("podatki/meje.dxf")),
            elaborat->findSestavinaBySifra(QStringLiteral("dp")));
        return elaborat;
    }

    // VS: floor plans in two components, one in a subtitle and one of two pages with its own
    // label, and questionnaire pages that go to the REN PDF.
    TTreeElaborat *buildingElaborat()
    {
        TTreeElaborat *elaborat = fixture->create({QStringLiteral("VS")});
        setIdentity(elaborat);
        TTreeBookmark *plans = bookmark(elaborat, QStringLiteral("nc"), QStringLiteral("104"));
        new TTreeDokument(pdf(QStringLiteral("t1"), 1), plans);
        (new TTreeDokument(pdf(QStringLiteral("t2"), 2), plans))->setTagText(QStringLiteral("3"));
        new TTreeDokument(pdf(QStringLiteral("t3"), 1), new TTreePodnaslov(plans));
        new TTreeDokument(pdf(QStringLiteral("v"), 2),
            bookmark(elaborat, QStringLiteral("vp"), QStringLiteral("110")));
        (new TTreeDokument(pdf(QStringLiteral("n"), 1),
             bookmark(elaborat, QStringLiteral("ns"), QStringLiteral("104"))))
            ->setTagText(QStringLiteral("P"));
        return elaborat;
    }

    // The general procedure: documents straight under the sestavine node, typed or not.
    TTreeElaborat *generalElaborat()
    {
        TTreeElaborat *elaborat = fixture->create({QStringLiteral("splosno")});
        setIdentity(elaborat);
        QTreeWidgetItem *sestavine = elaborat->sestavineItem();
        (new TTreeDokument(pdf(QStringLiteral("g1"), 2), sestavine))->setTagText(title("111"));
        new TTreeDokument(pdf(QStringLiteral("g2"), 1), sestavine);
        (new TTreeDokument(pdf(QStringLiteral("g3"), 3), sestavine))->setTagText(title("121"));
        return elaborat;
    }

    QString title(const QString &code) const
    {
        return code + QLatin1Char(' ')
            + fixture->window().typeDialog().typeDescription(code).value_or(QString());
    }

    // Closes the elaborat and opens its PDF (or `chosen`) again with the open command.
    TTreeElaborat *reopen(TTreeElaborat *elaborat, const QString &chosen = QString())
    {
        const QString path = chosen.isEmpty() ? elaborat->pdfPath() : chosen;
        delete elaborat;
        fixture->prompter().shown.clear();
        fixture->prompter().fileNames.enqueue(path);
        fixture->window().actionOdpri->trigger();
        return fixture->window().tree()->currentElaborat();
    }

    // The documents of a bookmark's own pages: its direct ones and those of its subtitles, not
    // those of a bookmark nested in it.
    static QList<const TTreeDokument *> pagesOf(const TTreeBookmark *bookmark)
    {
        QList<const TTreeDokument *> documents;
        for (int i = 0; i < bookmark->childCount(); ++i) {
            const QTreeWidgetItem *child = bookmark->child(i);
            if (const TTreeDokument *document = TTreeDokument::cast(child))
                documents << document;
            else if (child->type() == TTreePodnaslov::Type) {
                for (int j = 0; j < child->childCount(); ++j) {
                    if (const TTreeDokument *inner = TTreeDokument::cast(child->child(j)))
                        documents << inner;
                }
            }
        }
        return documents;
    }

    // "component/code:pages" of every bookmark with pages, in tree order, "414" read as "413".
    static QStringList bookmarksOf(TTreeElaborat *elaborat)
    {
        QStringList found;
        for (QTreeWidgetItem *item : walk(elaborat)) {
            const TTreeBookmark *mark = TTreeBookmark::cast(item);
            if (!mark)
                continue;
            int pages = 0;
            for (const TTreeDokument *document : pagesOf(mark))
                pages += document->contributedPages();
            QTreeWidgetItem *up = item->parent();
            while (up && !TTreeSestavina::cast(up))
                up = up->parent();
            const QString component = up ? TTreeSestavina::cast(up)->sifra() : QStringLiteral("-");
            const QString code
                = mark->sifra() == QLatin1String("414") ? QStringLiteral("413") : mark->sifra();
            if (pages > 0)
                found << component + QLatin1Char('/') + code + QLatin1Char(':')
                        + QString::number(pages);
        }
        return found;
    }

    static QList<QTreeWidgetItem *> walk(QTreeWidgetItem *root)
    {
        QList<QTreeWidgetItem *> items;
        for (int i = 0; i < root->childCount(); ++i)
            items << root->child(i) << walk(root->child(i));
        return items;
    }

    // The file names of the digital data items, in order.
    static QStringList dataFilesOf(TTreeElaborat *elaborat)
    {
        QStringList names;
        for (const QString &file : elaborat->digitalDataFiles())
            names << QFileInfo(file).fileName();
        return names;
    }

    // The label of every page of the "104" bookmarks, in tree order.
    static QStringList floorsOf(TTreeElaborat *elaborat)
    {
        QStringList floors;
        for (QTreeWidgetItem *item : walk(elaborat)) {
            const TTreeBookmark *mark = TTreeBookmark::cast(item);
            if (!mark || mark->sifra() != QLatin1String("104"))
                continue;
            for (const TTreeDokument *document : pagesOf(mark)) {
                for (int page = 0; page < document->contributedPages(); ++page)
                    floors << document->tagText();
            }
        }
        return floors;
    }

    // The stored form of every attribute: quotes as apostrophes, procedures joined by ";".
    static QStringList attributesOf(TTreeElaborat *elaborat)
    {
        QStringList attributes;
        for (const SnapshotAttribute &attribute : elaborat->snapshot().attributes) {
            QString value = attribute.value;
            value.replace(QLatin1Char('"'), QLatin1Char('\''));
            if (attribute.id == QLatin1String("POSTOPKI"))
                value.replace(QStringLiteral("; "), QStringLiteral(";"));
            attributes << attribute.id + QLatin1Char('=') + value;
        }
        return attributes;
    }

    static int pageCount(const QString &path)
    {
        const auto document = Poppler::Document::load(path);
        return document ? document->numPages() : -1;
    }

    static QStringList pageTexts(const QString &path)
    {
        QStringList texts;
        const auto document = Poppler::Document::load(path);
        for (int page = 0; document && page < document->numPages(); ++page) {
            QStringList words;
            for (const auto &box : document->page(page)->textList())
                words << box->text();
            texts << words.join(QLatin1Char(' '));
        }
        return texts;
    }

    // Every document is the next page of the PDF itself, unturned.
    static void verifyOneDocumentPerPage(TTreeElaborat *elaborat)
    {
        const QList<TTreeDokument *> documents = elaborat->documents();
        QCOMPARE(documents.size(), pageCount(elaborat->pdfPath()));
        for (int i = 0; i < documents.size(); ++i) {
            QCOMPARE(documents.at(i)->filePath(), elaborat->pdfPath());
            QCOMPARE(documents.at(i)->page(), i + 1);
            QCOMPARE(documents.at(i)->rotation(), 0);
        }
    }

    void verifyReopened(TTreeElaborat *reopened, const QStringList &procedures,
        const QStringList &attributes, const QString &pdfPath)
    {
        QVERIFY(reopened);
        QVERIFY(fixture->prompter().messageTexts().isEmpty());
        QCOMPARE(fixture->window().tree()->topLevelItemCount(), 1);
        QCOMPARE(reopened->snapshot().procedureIds, procedures);
        QCOMPARE(attributesOf(reopened), attributes);
        QCOMPARE(reopened->text(0), QFileInfo(pdfPath).baseName());
        QVERIFY(reopened->upToDate());
        for (QTreeWidgetItem *item : walk(reopened)) {
            if (const TTreeBookmark *mark = TTreeBookmark::cast(item)) {
                QCOMPARE(mark->text(0), title(mark->sifra()));
                QVERIFY(TTreeSestavina::cast(mark->parent()));
            }
        }
        verifyOneDocumentPerPage(reopened);
    }

    QString pack(TTreeElaborat *elaborat, const QString &zip)
    {
        fixture->prompter().fileNames.enqueue(zip);
        fixture->awaitBuild();
        fixture->window().on_actionZIP_triggered();
        return elaborat->zipWritten ? zip : QString();
    }

    QStringList packageFiles(const QString &zip, const QString &into) const
    {
        const QString folder = fixture->path(into);
        QDir().mkpath(folder);
        ElaboratFile::unpackPackage(zip, folder, ToolRunner());
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

    // A 7z folder whose archiver writes "started" and waits for "release" before it packs.
    void installWaitingArchiver()
    {
        QFile file(fixture->path(QStringLiteral("7z/7za")));
        // A link would be written through into the build's program folder.
        QFile::remove(file.fileName());
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\ntouch started\nwhile [ ! -e release ]; do sleep 0.05; done\n"
                   "exec 7za \"$@\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private slots:
    void init() { fixture = std::make_unique<BuildFixture>(); }
    void cleanup() { fixture.reset(); }

    void aLandCadastreElaboratComesBack()
    {
        TTreeElaborat *elaborat = landElaborat();
        QVERIFY(fixture->buildPdf().succeeded);
        const QStringList attributes = attributesOf(elaborat);
        QVERIFY(attributes.contains(QStringLiteral("OPIS=meja 'ob potoku'")));
        QVERIFY(attributes.contains(QStringLiteral("KO=") + municipality()));
        QVERIFY(attributes.contains(QStringLiteral("GEODETSKA_PISARNA=140 Ljubljana")));
        QVERIFY(attributes.contains(QStringLiteral("POSTOPKI=Ureditev meje;Parcelacija")));
        const QStringList bookmarks = bookmarksOf(elaborat);
        QCOMPARE(bookmarks,
            QStringList({"sk/112:4", "sk/413:1", "zp/121:1", "zp/122:2", "zp/413:1", "iz/111:2"}));
        const QString path = elaborat->pdfPath();

        TTreeElaborat *reopened = reopen(elaborat);
        verifyReopened(reopened, {QStringLiteral("UM"), QStringLiteral("PAR")}, attributes, path);
        QCOMPARE(bookmarksOf(reopened), bookmarks);
        QCOMPARE(reopened->pdfPath(), path);
        QVERIFY(!reopened->isKs());
        QCOMPARE(floorsOf(reopened), QStringList());
    }

    void aBuildingCadastreElaboratComesBackWithItsFloors()
    {
        TTreeElaborat *elaborat = buildingElaborat();
        QVERIFY(fixture->buildPdf().succeeded);
        const QStringList attributes = attributesOf(elaborat);
        QCOMPARE(floorsOf(elaborat), QStringList({"1", "3", "3", "", "P"}));
        // The questionnaire pages went to no page of the PDF.
        QCOMPARE(bookmarksOf(elaborat), QStringList({"nc/104:4", "vp/110:2", "ns/104:1"}));

        TTreeElaborat *reopened = reopen(elaborat);
        verifyReopened(reopened, {QStringLiteral("VS")}, attributes, reopened->pdfPath());
        QVERIFY(reopened->isKs());
        QCOMPARE(bookmarksOf(reopened), QStringList({"nc/104:4", "ns/104:1"}));
        QCOMPARE(floorsOf(reopened), QStringList({"1", "3", "3", "", "P"}));
    }

    void aGeneralElaboratComesBackWithItsTypes()
    {
        TTreeElaborat *elaborat = generalElaborat();
        QVERIFY(fixture->buildPdf().succeeded);
        const QStringList attributes = attributesOf(elaborat);

        TTreeElaborat *reopened = reopen(elaborat);
        verifyReopened(reopened, {QStringLiteral("splosno")}, attributes, reopened->pdfPath());
        QCOMPARE(reopened->sestavineItem()->childCount(), 6);
        QStringList labels;
        for (const TTreeDokument *document : reopened->documents())
            labels << document->tagText();
        // A type marks the first page of its document.
        QCOMPARE(labels, QStringList({title("111"), "", "", title("121"), "", ""}));
    }

    void rebuildingAReopenedElaboratKeepsEveryPage()
    {
        TTreeElaborat *elaborat = landElaborat();
        QVERIFY(fixture->buildPdf().succeeded);
        const QString path = elaborat->pdfPath();
        const QStringList pages = pageTexts(path);
        QCOMPARE(pages.size(), 11);
        QCOMPARE(pages.first(), QStringLiteral("a1"));
        // The one change a rebuild makes: an old "414" is stored as "413".
        const QString keywords = ElaboratFile::readPdfInfo(path).keywords.replace(
            QStringLiteral(";414;"), QStringLiteral(";413;"));
        TTreeElaborat *reopened = reopen(elaborat);
        const QStringList bookmarks = bookmarksOf(reopened);
        reopened->markModified();

        fixture->prompter().shown.clear();
        const BuildFixture::Outcome outcome = fixture->buildPdf();
        QVERIFY(outcome.succeeded);
        QCOMPARE(fixture->prompter().messageTexts(), QStringList {"Elaborat ze obstaja."});
        QCOMPARE(reopened->pdfPath(), path);
        QCOMPARE(pageTexts(path), pages);
        QCOMPARE(ElaboratFile::readPdfInfo(path).keywords, keywords);
        verifyOneDocumentPerPage(reopened);

        // And once more from the rebuilt file.
        TTreeElaborat *again = reopen(reopened);
        QCOMPARE(bookmarksOf(again), bookmarks);
        verifyOneDocumentPerPage(again);
    }

    void aPackageComesBack()
    {
        TTreeElaborat *elaborat = buildingElaborat();
        QVERIFY(fixture->base.folder.write(QStringLiteral("podatki/stavba.dxf"), "dxf"));
        new TTreeDigitalniPodatek(fixture->path(QStringLiteral("podatki/stavba.dxf")),
            elaborat->findSestavinaBySifra(QStringLiteral("dp")));
        QVERIFY(fixture->buildPdf().succeeded);
        const QStringList attributes = attributesOf(elaborat);
        const QString pdfName = QFileInfo(elaborat->pdfPath()).fileName();
        const QString zip = pack(elaborat, fixture->path(QStringLiteral("paket.zip")));
        QVERIFY(!zip.isEmpty());
        QStringList expected {
            QStringLiteral("172800007REN.pdf"), pdfName, QStringLiteral("stavba.dxf")};
        expected.sort();
        QCOMPARE(packageFiles(zip, QStringLiteral("iz")), expected);
        QCOMPARE(pageCount(fixture->path(QStringLiteral("iz/172800007REN.pdf"))), 2);

        TTreeElaborat *reopened = reopen(elaborat, zip);
        verifyReopened(reopened, {QStringLiteral("VS")}, attributes, pdfName);
        QVERIFY(reopened->pdfPath().startsWith(fixture->window().tempFolder() + "/"));
        QCOMPARE(bookmarksOf(reopened), QStringList({"nc/104:4", "ns/104:1"}));
        QCOMPARE(floorsOf(reopened), QStringList({"1", "3", "3", "", "P"}));
        // The package's other files, the REN PDF among them, are the digital data now.
        QCOMPARE(dataFilesOf(reopened),
            QStringList({QStringLiteral("172800007REN.pdf"), QStringLiteral("stavba.dxf")}));
        for (const QString &file : reopened->digitalDataFiles())
            QCOMPARE(QFileInfo(file).absolutePath(), QFileInfo(reopened->pdfPath()).absolutePath());
    }

    void replacingAPackageLeavesACompleteOneAtEveryMoment()
    {
        TTreeElaborat *elaborat = landElaborat();
        QVERIFY(fixture->buildPdf().succeeded);
        const QString zip = pack(elaborat, fixture->path(QStringLiteral("izhod/paket.zip")));
        QVERIFY(!zip.isEmpty());
        QFile file(zip);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray old = file.readAll();
        file.close();
        QVERIFY(fixture->base.folder.write(QStringLiteral("podatki/tocke.txt"), "tocke"));
        new TTreeDigitalniPodatek(fixture->path(QStringLiteral("podatki/tocke.txt")),
            elaborat->findSestavinaBySifra(QStringLiteral("dp")));
        elaborat->markUpToDate();

        installWaitingArchiver();
        bool oldWhileWorking = false;
        fixture->prompter().fileNames.enqueue(zip);
        fixture->prompter().dialogs.enqueue([&](QDialog *shown) {
            auto *dialog = qobject_cast<DialogIzdelavaElaborata *>(shown);
            const QString started = fixture->path(QStringLiteral("7z/started"));
            [&] { QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 30000); }();
            QFile during(zip);
            oldWhileWorking = during.open(QIODevice::ReadOnly) && during.readAll() == old;
            fixture->base.folder.write(QStringLiteral("7z/release"), QByteArray());
            [&] { QTRY_VERIFY_WITH_TIMEOUT(!dialog->working(), 60000); }();
            dialog->reject();
            return dialog->result();
        });
        fixture->window().on_actionZIP_triggered();

        QVERIFY(oldWhileWorking);
        QVERIFY(elaborat->zipWritten);
        QCOMPARE(packageFiles(zip, QStringLiteral("iz")),
            QStringList({QFileInfo(elaborat->pdfPath()).fileName(), QStringLiteral("meje.dxf"),
                QStringLiteral("tocke.txt")}));
        QCOMPARE(QDir(fixture->path(QStringLiteral("izhod"))).entryList(QDir::Files),
            QStringList {QStringLiteral("paket.zip")});

        const QStringList bookmarks = bookmarksOf(elaborat);
        TTreeElaborat *reopened = reopen(elaborat, zip);
        QVERIFY(reopened && reopened->upToDate());
        QCOMPARE(bookmarksOf(reopened), bookmarks);
        QCOMPARE(dataFilesOf(reopened),
            QStringList({QStringLiteral("meje.dxf"), QStringLiteral("tocke.txt")}));
        QVERIFY(fixture->prompter().messageTexts().isEmpty());
    }
};

QTEST_MAIN(RoundTripTest)
#include "roundtriptest.moc"
