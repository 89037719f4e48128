#include "catalog/catalogueloader.h"
#include "catalog/codelists.h"
#include "catalog/katalog.h"
#include "intake/sifrantdlg.h"

#include "testprogramfolder.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace {
const QByteArray zkCodes = "<s><vrsta><id>110</id><povzetek>skica</povzetek><napis>Skice</napis>"
                           "<vrsta><id>111</id><napis>Skica GU</napis>"
                           "<vrsta><id>1111</id><napis>Priloga skice</napis></vrsta></vrsta>"
                           "<vrsta><id>112</id><povzetek>zapisniki</povzetek><napis>Skica</napis>"
                           "</vrsta></vrsta>"
                           "<vrsta><id>111</id><povzetek>drugo</povzetek><napis>Druga</napis>"
                           "</vrsta>"
                           "<vrsta><id>900</id><napis>Brez kljuca</napis></vrsta></s>";
const QByteArray ksCodes = "<s><vrsta><id>104</id><povzetek>načrti</povzetek>"
                           "<napis>Načrt etaže</napis></vrsta></s>";

bool isIndentIcon(const QIcon &icon)
{
    if (icon.isNull() || !icon.availableSizes().contains(QSize(15, 1)))
        return false;
    const QImage image = icon.pixmap(QSize(15, 1)).toImage();
    for (int x = 0; x < image.width(); ++x) {
        if (qAlpha(image.pixel(x, 0)) != 0)
            return false;
    }
    return image.size() == QSize(15, 1);
}
} // namespace

class CatalogueLoaderTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void catalogueFailures_data();
    void catalogueFailures();
    void bothCataloguesMissing();
    void codeListFailures_data();
    void codeListFailures();
    void codeTreeItems();
    void lookupsFollowTheCurrentKind();
    void bookmarkKeysAreInherited();
    void dialogForm();

private:
    void loadTypes(CodeLists &codes);

    TestProgramFolder *folder = nullptr;
};

void CatalogueLoaderTest::init()
{
    folder = new TestProgramFolder(TestProgramFolder::WithEmptyConfig);
}

void CatalogueLoaderTest::cleanup()
{
    delete folder;
}

void CatalogueLoaderTest::loadTypes(CodeLists &codes)
{
    QVERIFY(folder->write("config/zk_sifrant.xml", zkCodes));
    QVERIFY(folder->write("config/ks_sifrant.xml", ksCodes));
    QVERIFY(!loadCodeList(codes, "zk_sifrant.xml", Kataster::ZK));
    QVERIFY(!loadCodeList(codes, "ks_sifrant.xml", Kataster::KS));
}

void CatalogueLoaderTest::catalogueFailures_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("message"); // empty: no failure; "reader": the XML reader's text
    QTest::addColumn<int>("procedures");

    QTest::newRow("well-formed") << QByteArray("<k><postopek id='a' ime='A'/></k>") << QString()
                                 << 1;
    QTest::newRow("missing") << QByteArray() << "Couldn't open example.xml" << 0;
    QTest::newRow("truncated") << QByteArray(
        "<k><postopek id='a' ime='A'/><postopek id='b' ime='B'/><postop")
                               << "reader" << 2;
    QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe\x02garbage", 13) << "reader" << 0;
}

void CatalogueLoaderTest::catalogueFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(int, procedures);

    if (!content.isEmpty())
        QVERIFY(folder->write("config/cat.xml", content));
    Katalog katalog;
    const std::optional<LoadFailure> failure = loadCatalogue(katalog, "cat.xml", Kataster::KS);

    QCOMPARE(katalog.postopki().size(), procedures);
    QCOMPARE(failure.has_value(), !message.isEmpty());
    if (!failure)
        return;
    QCOMPARE(failure->title, QString("QXSRExample::parseXML"));
    // The reader's own wording may change with the toolkit; it must be there, not ours.
    if (message == "reader")
        QVERIFY(!failure->text.isEmpty() && !failure->text.startsWith("Couldn't"));
    else
        QCOMPARE(failure->text, message);
}

void CatalogueLoaderTest::bothCataloguesMissing()
{
    QVERIFY(QDir(folder->path("config")).mkdir("ks.xml")); // a folder cannot be read either
    Katalog katalog;
    const std::optional<LoadFailure> zk = loadCatalogue(katalog, "zk.xml", Kataster::ZK);
    const std::optional<LoadFailure> ks = loadCatalogue(katalog, "ks.xml", Kataster::KS);
    QVERIFY(zk && ks);
    QCOMPARE(QStringList({zk->text, ks->text}),
        QStringList({"Couldn't open example.xml", "Couldn't open example.xml"}));
    QVERIFY(katalog.postopki().isEmpty());
    QVERIFY(katalog.atributiZK().isEmpty());
}

void CatalogueLoaderTest::codeListFailures_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("types");

    QTest::newRow("well-formed") << ksCodes << QString() << 1;
    QTest::newRow("missing") << QByteArray() << "Ne morem odpreti ks_sifrant.xml" << 0;
    QTest::newRow("truncated") << QByteArray("<s><vrsta><id>1</id></vrsta><vrsta><id>2</id>")
                               << "reader" << 2;
}

void CatalogueLoaderTest::codeListFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(int, types);

    if (!content.isEmpty())
        QVERIFY(folder->write("config/ks_sifrant.xml", content));
    CodeLists codes;
    const std::optional<LoadFailure> failure = loadCodeList(codes, "ks_sifrant.xml", Kataster::KS);

    QCOMPARE(codes.types(Kataster::KS).size(), types);
    QCOMPARE(codes.types(Kataster::ZK).size(), 0);
    QCOMPARE(failure.has_value(), !message.isEmpty());
    if (!failure)
        return;
    QCOMPARE(failure->title, QString("MainWindow::Sifrant"));
    if (message == "reader")
        QVERIFY(!failure->text.isEmpty() && !failure->text.startsWith("Ne morem"));
    else
        QCOMPARE(failure->text, message);
}

void CatalogueLoaderTest::codeTreeItems()
{
    CodeLists codes;
    loadTypes(codes);
    SifrantDlg dialog(codes);
    QTreeWidget *tree = dialog.codeTree(false);
    QCOMPARE(tree->topLevelItemCount(), 3);

    const QTreeWidgetItem *group = tree->topLevelItem(0);
    QCOMPARE(group->text(0), QString("110"));
    QCOMPARE(group->data(0, Qt::UserRole).toString(), QString("skica"));
    QCOMPARE(group->data(0, Qt::UserRole + 1).toString(), QString("110"));
    QCOMPARE(group->text(1), QString("Skice"));
    QVERIFY(group->icon(1).isNull());
    QCOMPARE(group->childCount(), 2);

    const QTreeWidgetItem *child = group->child(0);
    QCOMPARE(child->text(0), QString("111"));
    QCOMPARE(child->data(0, Qt::UserRole).toString(), QString());
    QCOMPARE(child->text(1), QString("Skica GU"));
    QVERIFY(isIndentIcon(child->icon(1)));
    QVERIFY(isIndentIcon(child->child(0)->icon(1)));
    QVERIFY(child->icon(0).isNull());

    QCOMPARE(dialog.codeTree(true)->topLevelItem(0)->text(1), QString::fromUtf8("Načrt etaže"));
}

void CatalogueLoaderTest::lookupsFollowTheCurrentKind()
{
    CodeLists codes;
    loadTypes(codes);
    SifrantDlg dialog(codes);

    QVERIFY(!dialog.currentIsKs());
    QCOMPARE(dialog.typeDescription("111"), std::optional<QString>("Skica GU"));
    QCOMPARE(dialog.typeDescription("104"), std::nullopt);
    QCOMPARE(dialog.typeDescription(""), std::nullopt);

    bool ks = true;
    dialog.setKindSource([&ks] { return ks; });
    QCOMPARE(
        dialog.typeDescription("104"), std::optional<QString>(QString::fromUtf8("Načrt etaže")));
    QCOMPARE(dialog.typeBookmark("104"), QString::fromUtf8("načrti"));
    QCOMPARE(dialog.typeDescription("111"), std::nullopt);
    QCOMPARE(dialog.typeBookmark("111"), QString());

    ks = false;
    QCOMPARE(dialog.typeBookmark("111"), QString("skica"));
    dialog.setKindSource({});
    QVERIFY(!dialog.currentIsKs());
}

void CatalogueLoaderTest::bookmarkKeysAreInherited()
{
    CodeLists codes;
    loadTypes(codes);

    // The first "111" in tree order is the child of 110, not the later top-level one.
    QCOMPARE(codes.typeBookmark(Kataster::ZK, "111"), QString("skica"));
    QCOMPARE(codes.typeBookmark(Kataster::ZK, "1111"), QString("skica"));
    QCOMPARE(codes.typeBookmark(Kataster::ZK, "112"), QString("zapisniki"));
    QCOMPARE(codes.typeBookmark(Kataster::ZK, "900"), QString());
    QCOMPARE(codes.typeBookmark(Kataster::ZK, "999"), QString());
    QCOMPARE(SifrantDlg::bookmarkOf(nullptr), QString());
}

void CatalogueLoaderTest::dialogForm()
{
    SifrantDlg dialog {CodeLists()};
    QCOMPARE(dialog.windowTitle(), QString("Dolocitev vrste dokumenta"));
    for (const char *name : {"splitter_2", "splitter", "tableWidget", "progressBar", "pageLabel",
             "pageSpinBox", "label_2", "l_npages", "label", "scaleComboBox", "scrollArea",
             "treeWidget", "kstreeWidget", "buttonBox"})
        QVERIFY2(dialog.findChild<QWidget *>(name), name);

    auto *table = dialog.findChild<QTableWidget *>("tableWidget");
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QString("Datoteka"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QString("Vrsta dokumenta"));
    QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);

    auto *scale = dialog.findChild<QComboBox *>("scaleComboBox");
    QStringList zoom;
    for (int i = 0; i < scale->count(); ++i)
        zoom << scale->itemText(i);
    QCOMPARE(
        zoom, QStringList({"25%", "50%", "75%", "100%", "125%", "150%", "200%", "300%", "400%"}));
    QCOMPARE(scale->currentIndex(), 3);

    QVERIFY(dialog.findChild<QProgressBar *>("progressBar")->isHidden());
    QCOMPARE(dialog.findChild<QProgressBar *>("progressBar")->maximum(), 0);
    QVERIFY(!dialog.findChild<QSpinBox *>("pageSpinBox")->isEnabled());
    QCOMPARE(dialog.findChild<QLabel *>("pageLabel")->text(), QString("Stran:"));
    QCOMPARE(dialog.findChild<QLabel *>("l_npages")->text(), QString("0"));
    QCOMPARE(dialog.findChild<QLabel *>("label")->text(), QString::fromUtf8("Povečava:"));
    QVERIFY(dialog.findChild<QScrollArea *>("scrollArea")->widgetResizable());
    for (bool ks : {false, true}) {
        QCOMPARE(dialog.codeTree(ks)->columnCount(), 2);
        QVERIFY(dialog.codeTree(ks)->alternatingRowColors());
    }
    QCOMPARE(dialog.codeTree(true)->objectName(), QString("kstreeWidget"));
    auto *buttons = dialog.findChild<QDialogButtonBox *>("buttonBox");
    QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QVERIFY(buttons->centerButtons());
}

QTEST_MAIN(CatalogueLoaderTest)
#include "catalogueloadertest.moc"
