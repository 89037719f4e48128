#include "intake/sifrantdlg.h"

#include "catalog/catalogueloader.h"
#include "catalog/codelists.h"
#include "intake/documentwidget.h"
#include "intake/tconvertprocess.h"
#include "scriptedprompter.h"
#include "testprogramfolder.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace {
const QByteArray zkTypes
    = "<sifrant>"
      "<vrsta><id>110</id><povzetek>skica</povzetek><napis>Skice</napis>"
      "<vrsta><id>111</id><napis>Skica geodetske uprave</napis></vrsta>"
      "<vrsta><id>112</id><napis>Skica izmere</napis></vrsta></vrsta>"
      "<vrsta><id>120</id><povzetek>zapisniki</povzetek><napis>Zapisniki</napis>"
      "<vrsta><id>122</id><napis>Zapisnik mejne obravnave</napis></vrsta>"
      "</vrsta>"
      "<vrsta><napis>Vrsta brez sifre</napis></vrsta>"
      "</sifrant>";
const QByteArray ksTypes = "<sifrant>"
                           "<vrsta><id>104</id><povzetek>tlorisi</povzetek><napis>Tlorisi</napis>"
                           "<vrsta><id>105</id><povzetek>prerezi</povzetek><napis>Prerezi</napis>"
                           "</vrsta></vrsta>"
                           "</sifrant>";

struct Row
{
    QString code;
    QString bookmark;
    QString typeText;
};

void makeImage(const QStringList &arguments)
{
    QProcess gm;
    gm.start(QStringLiteral("gm"), QStringList {QStringLiteral("convert")} + arguments);
    QVERIFY(gm.waitForFinished(120000));
    QCOMPARE(gm.exitCode(), 0);
}

void makePdf(const QString &path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        painter.drawText(QPointF(200, 200), QString::number(page));
        if (page < pages)
            writer.newPage();
    }
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}
} // namespace

// The document-type dialog's flows: filling the table, typing the selected rows, previews with
// real conversions through the ImageMagick tool folder, closing.
class SifrantDlgTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir images;
    QString bigScan; // slow enough to convert that a test can stop it
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<SifrantDlg> dialog;
    QString work;
    bool isKs = false;

    QTableWidget *table() const { return dialog->findChild<QTableWidget *>("tableWidget"); }
    QTreeWidget *tree(bool ks) const { return dialog->codeTree(ks); }
    QLabel *pageCount() const { return dialog->findChild<QLabel *>("l_npages"); }
    QSpinBox *spinBox() const { return dialog->findChild<QSpinBox *>("pageSpinBox"); }
    QComboBox *zoom() const { return dialog->findChild<QComboBox *>("scaleComboBox"); }
    DocumentWidget *preview() const { return dialog->findChild<DocumentWidget *>(); }
    TConvertProcess *conversion() const { return dialog->findChild<TConvertProcess *>(); }
    bool busy() const
    {
        return dialog->findChild<QProgressBar *>("progressBar")->isVisibleTo(dialog.get());
    }

    QTreeWidgetItem *entry(bool ks, const QString &code) const
    {
        const QList<QTreeWidgetItem *> found
            = tree(ks)->findItems(code, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }

    Row row(int index) const
    {
        return {table()->item(index, 1)->data(Qt::UserRole).toString(),
            table()->item(index, 0)->data(Qt::UserRole).toString(),
            table()->item(index, 1)->text()};
    }

    void selectRows(const QList<int> &rows) const
    {
        table()->clearSelection();
        for (int index : rows)
            table()->selectionModel()->select(table()->model()->index(index, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    void previewRow(int index) const
    {
        selectRows({index});
        emit table()->doubleClicked(table()->model()->index(index, 0));
    }

    static void compareRow(const Row &actual, const Row &expected)
    {
        QCOMPARE(actual.code, expected.code);
        QCOMPARE(actual.bookmark, expected.bookmark);
        QCOMPARE(actual.typeText, expected.typeText);
    }

    bool previewShown() const { return preview()->document() && !preview()->pixmap().isNull(); }

private slots:
    void initTestCase()
    {
        bigScan = images.filePath(QStringLiteral("velik sken.jpg"));
        makeImage({"-size", "2480x3508", "plasma:fractal", "-density", "300", bigScan});
    }

    void init()
    {
        folder = std::make_unique<TestProgramFolder>(TestProgramFolder::WithEmptyConfig);
        QVERIFY(folder->write(QStringLiteral("config/zk_sifrant.xml"), zkTypes));
        QVERIFY(folder->write(QStringLiteral("config/ks_sifrant.xml"), ksTypes));
        prompter = std::make_unique<ScriptedPrompter>();
        CodeLists codes;
        QVERIFY(!loadCodeList(codes, QStringLiteral("zk_sifrant.xml"), Kataster::ZK));
        QVERIFY(!loadCodeList(codes, QStringLiteral("ks_sifrant.xml"), Kataster::KS));
        dialog = std::make_unique<SifrantDlg>(codes);
        isKs = false;
        dialog->setKindSource([this] { return isKs; });
        work = folder->path(QStringLiteral(".tmp/01022024101010"));
        QVERIFY(QDir().mkpath(work));
    }

    void cleanup()
    {
        dialog.reset();
        prompter.reset();
        folder.reset();
    }

    void setupGivesEveryRowTheDefaultType_data()
    {
        QTest::addColumn<QString>("defaultCode");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("bookmark");
        QTest::addColumn<QString>("typeText");
        QTest::newRow("type with its own key") << "110"
                                               << "110"
                                               << "skica"
                                               << "110 Skice";
        QTest::newRow("key taken from the parent type") << "112"
                                                        << "112"
                                                        << "skica"
                                                        << "112 Skica izmere";
        QTest::newRow("code not in the tree") << "999"
                                              << ""
                                              << ""
                                              << "";
        QTest::newRow("no default, beside a type without a code") << ""
                                                                  << ""
                                                                  << ""
                                                                  << "";
    }

    void setupGivesEveryRowTheDefaultType()
    {
        QFETCH(QString, defaultCode);
        QFETCH(QString, code);
        QFETCH(QString, bookmark);
        QFETCH(QString, typeText);
        tree(false)->setCurrentItem(entry(false, "122"));
        const QStringList files = {"/d/a.pdf", "/d/b c.jpg", "/d/č.tif"};
        dialog->setup(files, work, defaultCode);

        QCOMPARE(table()->rowCount(), 3);
        QCOMPARE(table()->selectionModel()->selectedRows().size(), 3);
        QVERIFY(tree(false)->selectedItems().isEmpty());
        for (int index = 0; index < 3; ++index) {
            QCOMPARE(table()->item(index, 0)->text(), files.at(index));
            QVERIFY(!(table()->item(index, 0)->flags() & Qt::ItemIsEditable));
            QVERIFY(!(table()->item(index, 1)->flags() & Qt::ItemIsEditable));
            compareRow(row(index), {code, bookmark, typeText});
        }

        dialog->accept();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        const QList<SifrantResult> results = dialog->results();
        QCOMPARE(results.size(), 3);
        for (int index = 0; index < 3; ++index) {
            QCOMPARE(results.at(index).filePath, files.at(index));
            compareRow(
                {results.at(index).code, results.at(index).bookmark, results.at(index).typeText},
                {code, bookmark, typeText});
        }
    }

    void aClickTypesOnlyTheSelectedRows_data()
    {
        QTest::addColumn<bool>("ks");
        QTest::addColumn<QString>("defaultCode");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("bookmark");
        QTest::addColumn<QString>("typeText");
        QTest::newRow("land cadastre, key of the parent") << false << "111"
                                                          << "122"
                                                          << "zapisniki"
                                                          << "122 Zapisnik mejne obravnave";
        QTest::newRow("building cadastre, own key") << true << "104"
                                                    << "105"
                                                    << "prerezi"
                                                    << "105 Prerezi";
    }

    void aClickTypesOnlyTheSelectedRows()
    {
        QFETCH(bool, ks);
        QFETCH(QString, defaultCode);
        QFETCH(QString, clicked);
        QFETCH(QString, bookmark);
        QFETCH(QString, typeText);
        isKs = ks;
        dialog->setup({"/d/1.pdf", "/d/2.pdf", "/d/3.pdf"}, work, defaultCode);
        const Row untouched = row(1);
        QVERIFY(!untouched.code.isEmpty());

        selectRows({0, 2});
        emit tree(ks)->itemClicked(entry(ks, clicked), 1);

        compareRow(row(0), {clicked, bookmark, typeText});
        compareRow(row(2), {clicked, bookmark, typeText});
        compareRow(row(1), untouched);
        dialog->accept();
        QCOMPARE(dialog->results().at(2).code, clicked);
        QCOMPARE(dialog->results().at(1).code, untouched.code);
    }

    void aStoppedConversionIsNeverShown_data()
    {
        QTest::addColumn<QString>("stop");
        QTest::newRow("another row selected") << "select";
        QTest::newRow("accepted") << "accept";
        QTest::newRow("rejected") << "reject";
        QTest::newRow("dialog destroyed") << "destroy";
    }

    void aStoppedConversionIsNeverShown()
    {
        QFETCH(QString, stop);
        const QString pdfName = work + QStringLiteral("/velik sken.jpg.pdf");
        dialog->setup({bigScan, "/d/drugi.pdf"}, work, QString());
        previewRow(0);
        QVERIFY(conversion()->state() != QProcess::NotRunning);
        QVERIFY(busy());

        if (stop == QLatin1String("destroy")) {
            dialog.reset();
            QVERIFY(!QFile::exists(pdfName));
            return;
        }
        if (stop == QLatin1String("select"))
            selectRows({1});
        else if (stop == QLatin1String("accept"))
            dialog->accept();
        else
            dialog->reject();
        QCOMPARE(conversion()->state(), QProcess::NotRunning);
        QVERIFY(!busy());
        QVERIFY(!QFile::exists(pdfName));

        selectRows({0});
        QCoreApplication::processEvents();
        QVERIFY(!preview()->document());
        QCOMPARE(pageCount()->text(), QStringLiteral("0"));

        // The process serves the next preview as before.
        emit table()->doubleClicked(table()->model()->index(0, 0));
        QTRY_VERIFY_WITH_TIMEOUT(previewShown(), 120000);
        QCOMPARE(pageCount()->text(), QStringLiteral("1"));
        QVERIFY(!busy());
    }

    void aSecondPreviewOfAnImageStartsNoProcess()
    {
        const QString image = folder->path(QStringLiteral("slike/slika.png"));
        QDir().mkpath(QFileInfo(image).absolutePath());
        makeImage({"-size", "200x280", "xc:#336699", image});
        dialog->setup({image, "/d/drugi.pdf"}, work, QString());
        QSignalSpy started(conversion(), &QProcess::started);

        previewRow(0);
        QTRY_VERIFY_WITH_TIMEOUT(previewShown(), 60000);
        QCOMPARE(started.count(), 1);
        QVERIFY(QFile::exists(work + QStringLiteral("/slika.png.pdf")));

        selectRows({1});
        QVERIFY(!preview()->document());
        previewRow(0);
        QVERIFY(previewShown());
        QVERIFY(!busy());
        QCOMPARE(pageCount()->text(), QStringLiteral("1"));
        QCOMPARE(started.count(), 1);
    }

    // Preview names carry only the file name; a preview made from another file, or from the
    // image before it changed, must not be shown for it.
    void aStalePreviewIsConvertedAgain_data()
    {
        QTest::addColumn<bool>("otherFolder");
        QTest::newRow("same name in another folder") << true;
        QTest::newRow("image changed since") << false;
    }

    void aStalePreviewIsConvertedAgain()
    {
        QFETCH(bool, otherFolder);
        const QString first = folder->path(QStringLiteral("a/slika.png"));
        const QString second = otherFolder ? folder->path(QStringLiteral("b/slika.png")) : first;
        QDir().mkpath(folder->path(QStringLiteral("a")));
        QDir().mkpath(folder->path(QStringLiteral("b")));
        makeImage({"-size", "200x280", "xc:red", first});
        if (otherFolder)
            makeImage({"-size", "280x200", "xc:blue", second});
        dialog->setup({first, second}, work, QString());
        QSignalSpy started(conversion(), &QProcess::started);
        previewRow(0);
        QTRY_VERIFY_WITH_TIMEOUT(previewShown(), 60000);
        QVERIFY(preview()->pixmap().height() > preview()->pixmap().width());

        if (!otherFolder) {
            makeImage({"-size", "280x200", "xc:blue", second});
            QFile changed(second);
            QVERIFY(changed.open(QIODevice::ReadWrite));
            QVERIFY(changed.setFileTime(
                QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        }
        previewRow(1);
        QVERIFY(conversion()->state() != QProcess::NotRunning);
        QTRY_VERIFY_WITH_TIMEOUT(previewShown(), 60000);
        QCOMPARE(started.count(), 2);
        QVERIFY(preview()->pixmap().width() > preview()->pixmap().height());
    }

    void aPdfPreviewsWithItsPageCount()
    {
        const QString pdf = folder->path(QStringLiteral("tri strani.pdf"));
        makePdf(pdf, 3);
        dialog->setup({"/d/prvi.pdf", pdf}, work, QString());
        QSignalSpy started(conversion(), &QProcess::started);

        previewRow(1);
        QVERIFY(previewShown());
        QCOMPARE(started.count(), 0);
        QVERIFY(!busy());
        QCOMPARE(pageCount()->text(), QStringLiteral("3"));
        QVERIFY(spinBox()->isEnabled());
        QVERIFY(zoom()->isEnabled());
        QCOMPARE(spinBox()->minimum(), 1);
        QCOMPARE(spinBox()->maximum(), 3);
        QCOMPARE(spinBox()->value(), 1);

        spinBox()->setValue(3);
        QCOMPARE(preview()->currentPageNumber(), 3);
        zoom()->setCurrentIndex(6);
        QCOMPARE(preview()->scale(), 2.0);

        selectRows({0});
        QVERIFY(!preview()->document());
        QVERIFY(!spinBox()->isEnabled());
        QVERIFY(!zoom()->isEnabled());
        QCOMPARE(pageCount()->text(), QStringLiteral("0"));
        QCOMPARE(zoom()->currentIndex(), 6);
        QCOMPARE(preview()->scale(), 2.0);
    }

    void previewFailures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("converter");
        QTest::addColumn<bool>("warned");
        QTest::newRow("damaged pdf") << "pokvarjen.pdf"
                                     << "real" << true;
        QTest::newRow("damaged image") << "pokvarjena.png"
                                       << "real" << false;
        QTest::newRow("converter missing") << "slika.png"
                                           << "none" << false;
        QTest::newRow("converter fails half-way") << "slika.png"
                                                  << "half" << false;
    }

    void previewFailures()
    {
        QFETCH(QString, name);
        QFETCH(QString, converter);
        QFETCH(bool, warned);
        const QString file = folder->path(name);
        QVERIFY(writeFile(file, "to ni slika\n"));
        const QByteArray path = qgetenv("PATH");
        if (converter != QLatin1String("real")) {
            QVERIFY(folder->removeTool(QStringLiteral("ImageMagick")));
            qputenv("PATH", folder->path(QStringLiteral("config")).toLocal8Bit());
        }
        if (converter == QLatin1String("half")) {
            const QString script = folder->path(QStringLiteral("ImageMagick/convert"));
            QVERIFY(writeFile(script,
                "#!/bin/sh\nfor last; do :; done\nprintf '%%PDF-1.4\\n' > \"$last\"\nexit 1\n"));
            QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner));
        }
        dialog->setup({file}, work, QString());
        QSignalSpy started(conversion(), &QProcess::started);
        for (int attempt = 1; attempt <= 2; ++attempt) {
            previewRow(0);
            QTRY_VERIFY_WITH_TIMEOUT(
                conversion()->state() == QProcess::NotRunning && !busy(), 60000);
        }
        qputenv("PATH", path);

        QVERIFY(!preview()->document());
        QCOMPARE(pageCount()->text(), QStringLiteral("0"));
        // Nothing half-written is left to pass for a preview: each attempt converts anew.
        QVERIFY(!QFile::exists(work + QLatin1Char('/') + name + QStringLiteral(".pdf")));
        if (converter != QLatin1String("none"))
            QCOMPARE(started.count(), name.endsWith(QLatin1String(".pdf")) ? 0 : 2);
        QCOMPARE(prompter->count(ScriptedPrompter::MessageBox), warned ? 2 : 0);
        if (warned) {
            QCOMPARE(
                prompter->shown.first().title, QStringLiteral("PDF Viewer - Failed to Open File"));
            QCOMPARE(prompter->shown.first().text,
                QStringLiteral("The specified file could not be opened."));
            QCOMPARE(prompter->shown.first().icon, QMessageBox::Warning);
            QCOMPARE(
                prompter->shown.first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
    }

    void enterAndReturnDoNotCloseTheDialog()
    {
        dialog->setup({"/d/a.pdf"}, work, QStringLiteral("110"));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QSignalSpy finished(dialog.get(), &QDialog::finished);
        auto *buttons = dialog->findChild<QDialogButtonBox *>("buttonBox");
        const QList<QWidget *> targets = {dialog.get(), table(), tree(false), spinBox(),
            buttons->button(QDialogButtonBox::Ok), buttons->button(QDialogButtonBox::Cancel)};
        for (QWidget *target : targets) {
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Return);
            QTest::keyClick(target, Qt::Key_Enter);
        }
        QVERIFY(dialog->isVisible());
        QCOMPARE(finished.count(), 0);

        QTest::keyClick(table(), Qt::Key_Escape);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(!dialog->isVisible());
    }

    void onlyTheCurrentKindsTreeIsShown_data()
    {
        QTest::addColumn<bool>("withSource");
        QTest::addColumn<bool>("ks");
        QTest::newRow("no current elaborat") << false << false;
        QTest::newRow("land cadastre") << true << false;
        QTest::newRow("building cadastre") << true << true;
    }

    void onlyTheCurrentKindsTreeIsShown()
    {
        QFETCH(bool, withSource);
        QFETCH(bool, ks);
        // The other kind first, so that showing must switch the trees.
        isKs = !ks;
        dialog->prepareToShow();
        isKs = ks;
        if (!withSource)
            dialog->setKindSource({});
        dialog->prepareToShow();
        dialog->show();
        QCOMPARE(tree(true)->isVisible(), ks);
        QCOMPARE(tree(false)->isVisible(), !ks);
    }

    void rejectKeepsThePreviousResults()
    {
        dialog->setup({"/d/a.pdf", "/d/b.pdf"}, work, QStringLiteral("110"));
        dialog->accept();
        dialog->setup({"/d/c.pdf"}, work, QString());
        emit tree(false)->itemClicked(entry(false, "122"), 0);
        dialog->reject();

        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(dialog->results().size(), 2);
        QCOMPARE(dialog->results().at(1).filePath, QStringLiteral("/d/b.pdf"));
        QCOMPARE(dialog->results().at(1).code, QStringLiteral("110"));
    }
};

QTEST_MAIN(SifrantDlgTest)
#include "sifrantdlgtest.moc"
