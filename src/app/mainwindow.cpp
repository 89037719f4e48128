#include "mainwindow.h"

#include "buildcommands.h"
#include "catalog/catalogueloader.h"
#include "catalog/codelists.h"
#include "check/dialogpreveri.h"
#include "dialogabout.h"
#include "dialogs/dodajodstranipostopekdlg.h"
#include "dialogs/novpostopekdlg.h"
#include "files/archivecommand.h"
#include "intake/documentwidget.h"
#include "intake/sifrantdlg.h"
#include "model/recoveryrecorder.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreewidget.h"
#include "opencommand.h"
#include "platform/apppaths.h"
#include "platform/fileops.h"
#include "platform/platform.h"
#include "platform/programversion.h"
#include "platform/prompter.h"
#include "platform/toolrunner.h"
#include "services/dialognastavitev.h"
#include "services/existencecheck.h"
#include "services/logdialog.h"
#include "services/sifdlg.h"
#include "services/updatechecker.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , officeList(loadCodeNameList(QStringLiteral("iogu.csv")))
    , municipalityList(loadCodeNameList(QStringLiteral("ko.csv")))
    , offices(new SifDlg(officeList, QStringLiteral("Izpostava obmocne geodetske uprave"),
          QStringLiteral("Sifra IOGU"), QStringLiteral("Ime IOGU"), this))
    , municipalities(new SifDlg(municipalityList, QStringLiteral("Katastrska obcina"),
          QStringLiteral("Sifra KO"), QStringLiteral("Ime KO"), this))
    , appSettings([this](const QString &code) { return codeName(Picker::Office, code); },
          [this](const QString &code) { return codeName(Picker::Municipality, code); })
    , nastavitve(new DialogNastavitev(appSettings, offices, municipalities, this))
{
    setObjectName(QStringLiteral("MainWindow"));
    createForm();
    tempDir = AppPaths::tempDir();
    QDir().mkpath(tempDir);
    createPreview();
    setCentralWidget(splitter_2);
    // Large equal sizes: the splitter scales them to its width, so both panes get half.
    splitter_2->setSizes({100000, 100000});
    sifrant = std::make_unique<SifrantDlg>(loadCatalogues());
    sifrant->setKindSource([this] {
        const TTreeElaborat *current = treeWidget->currentElaborat();
        return current && current->isKs();
    });
    loadSettings();
    setUpTree();
    recorder = new RecoveryRecorder(treeWidget, 1000, this);
    QMetaObject::connectSlotsByName(this);
    updateActions();
    checkSettingsAtStart();
    ToolRunner::logRecord(QStringLiteral("session start"));
    createUpdateChecker();
    if (appSettings.checkUpdatesAtStart())
        updates->checkForUpdates(true);
}

void MainWindow::createUpdateChecker()
{
    updates = new UpdateChecker(
        programVersion(),
        [this] {
            return UpdateServer {appSettings.updateAddress(), appSettings.updateProxy()};
        },
        [this] { return close(); }, this);
}

MainWindow::~MainWindow()
{
    // Only closing an elaborat removes its record: a run that ends otherwise keeps them.
    recorder->stop();
    // The elaborates go while the window is whole: removing them reaches its slots.
    treeWidget->clear();
    ToolRunner::logRecord(QStringLiteral("session close"));
    documentWidget->closeDocument();
    delete updates;
}

void MainWindow::createForm()
{
    resize(1088, 829);
    createActions();
    createMenus();
    setStatusBar(new QStatusBar(this));
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    menuBar()->setObjectName(QStringLiteral("menuBar"));

    splitter_2 = new QSplitter(Qt::Horizontal, this);
    splitter_2->setObjectName(QStringLiteral("splitter_2"));
    treeWidget = new TTreeWidget(splitter_2);
    treeWidget->setObjectName(QStringLiteral("treeWidget"));
    treeWidget->setColumnCount(1);
    treeWidget->setHeaderHidden(true);
    QPalette palette = treeWidget->palette();
    const QColor highlight(10, 36, 106, 50);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, highlight);
        palette.setColor(group, QPalette::HighlightedText, Qt::black);
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(10, 36, 106));
    treeWidget->setPalette(palette);
    splitter_2->addWidget(treeWidget);
    splitter_2->addWidget(createPreviewPane());
}

QWidget *MainWindow::createPreviewPane()
{
    auto *pane = new QWidget(splitter_2);
    splitter = new QSplitter(Qt::Vertical, pane);
    splitter->setObjectName(QStringLiteral("splitter"));
    scrollArea = new QScrollArea(splitter);
    scrollArea->setObjectName(QStringLiteral("scrollArea"));
    scrollArea->setWidgetResizable(true);
    splitter->addWidget(scrollArea);

    pageLabel = new QLabel(QStringLiteral("Stran:"), pane);
    pageLabel->setObjectName(QStringLiteral("pageLabel"));
    pageSpinBox = new QSpinBox(pane);
    pageSpinBox->setObjectName(QStringLiteral("pageSpinBox"));
    pageSpinBox->setEnabled(false);
    label_2 = new QLabel(QStringLiteral("/"), pane);
    label_2->setObjectName(QStringLiteral("label_2"));
    l_npages = new QLabel(QStringLiteral("0"), pane);
    l_npages->setObjectName(QStringLiteral("l_npages"));
    label = new QLabel(QStringLiteral("Povečava:"), pane);
    label->setObjectName(QStringLiteral("label"));
    scaleComboBox = new QComboBox(pane);
    scaleComboBox->setObjectName(QStringLiteral("scaleComboBox"));
    scaleComboBox->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"),
        QStringLiteral("100%"), QStringLiteral("125%"), QStringLiteral("150%"),
        QStringLiteral("200%"), QStringLiteral("300%"), QStringLiteral("400%")});
    scaleComboBox->setCurrentIndex(3);
    scaleComboBox->setEnabled(false);

    auto *controls = new QHBoxLayout;
    controls->addWidget(pageLabel);
    controls->addWidget(pageSpinBox);
    controls->addWidget(label_2);
    controls->addWidget(l_npages);
    controls->addStretch();
    controls->addWidget(label);
    controls->addWidget(scaleComboBox);
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    layout->addLayout(controls);
    return pane;
}

void MainWindow::createPreview()
{
    documentWidget = DocumentWidget::placeIn(scrollArea, pageSpinBox, scaleComboBox);
}

CodeLists MainWindow::loadCatalogues()
{
    const auto tell = [](const std::optional<LoadFailure> &failure) {
        if (failure)
            Prompter::critical(nullptr, failure->title, failure->text);
    };
    tell(loadCatalogue(catalogue, QStringLiteral("zk.xml"), Kataster::ZK));
    tell(loadCatalogue(catalogue, QStringLiteral("ks.xml"), Kataster::KS));
    CodeLists codes;
    tell(loadCodeList(codes, QStringLiteral("zk_sifrant.xml"), Kataster::ZK));
    tell(loadCodeList(codes, QStringLiteral("ks_sifrant.xml"), Kataster::KS));
    return codes;
}

void MainWindow::loadSettings()
{
    appSettings.load(members);
    if (members.size) {
        resize(*members.size);
        move(members.pos);
    } else {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

bool MainWindow::showFile(const QString &path, int rotation, int page)
{
    if (!documentWidget->setDocument(path, rotation)) {
        Prompter::information(
            this, QString(), QStringLiteral("Ne morem odpreti izbrane datoteke."));
        return false;
    }
    const int count = documentWidget->pageCount();
    scaleComboBox->setEnabled(true);
    pageSpinBox->setMinimum(1);
    pageSpinBox->setMaximum(count);
    if (page != 0) {
        pageSpinBox->setEnabled(false);
        l_npages->setText(QStringLiteral("1"));
        documentWidget->setPage(page);
    } else {
        pageSpinBox->setEnabled(true);
        l_npages->setText(QString::number(count));
        pageSpinBox->setValue(1);
    }
    return true;
}

QString MainWindow::codeName(Picker list, const QString &code) const
{
    return nameOf(list == Picker::Office ? officeList : municipalityList, code);
}

std::optional<QString> MainWindow::pickCode(Picker list)
{
    SifDlg *picker = list == Picker::Office ? offices : municipalities;
    if (Prompter::current().exec(picker) != QDialog::Accepted)
        return std::nullopt;
    return picker->resultText();
}

std::optional<QStringList> MainWindow::chooseProcedures(
    const QList<const PostopekDef *> &own, const QList<const PostopekDef *> &candidates)
{
    DodajOdstraniPostopekDlg dialog;
    dialog.fill(own, candidates);
    if (Prompter::current().exec(&dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenNames();
}

void MainWindow::closePreview()
{
    documentWidget->closeDocument();
}

bool MainWindow::showDocument(const TTreeDokument *document)
{
    return showFile(document->filePath(), document->rotation(), document->page());
}

TTreeElaborat *MainWindow::createElaborat(const QList<int> &indices, bool isKs, bool forceKind)
{
    const PostopekDef *first = indices.isEmpty() ? nullptr : catalogue.procedure(indices.first());
    if (!first)
        return nullptr;
    const bool kindKs = forceKind ? isKs : first->kind == Kataster::KS;
    auto *elaborat = new TTreeElaborat(
        first, isKs ? catalogue.atributiKS() : catalogue.atributiZK(), tempDir, treeWidget, kindKs);
    for (int i = 1; i < indices.size(); ++i) {
        if (const PostopekDef *procedure = catalogue.procedure(indices.at(i)))
            elaborat->addPostopek(procedure);
    }
    return elaborat;
}

void MainWindow::createActions()
{
    auto make = [this](QAction *&action, const char *name, const QString &text) {
        action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
    };
    make(actionNov, "actionNov", QStringLiteral("Nov..."));
    make(actionOdpri, "actionOdpri", QStringLiteral("Odpri..."));
    make(actionZapri, "actionZapri", QStringLiteral("Zapri"));
    make(actionPDF, "actionPDF", QStringLiteral("PDF..."));
    make(actionZIP, "actionZIP", QStringLiteral("stisnjen paket..."));
    make(actionArhiviraj, "actionArhiviraj", QStringLiteral("Arhiviraj..."));
    make(actionPreveri, "actionPreveri", QStringLiteral("Preveri..."));
    make(actionNastavitve, "actionNastavitve", QStringLiteral("Nastavitve..."));
    make(actionIzhod, "actionIzhod", QStringLiteral("Izhod"));
    make(actionPDF_pomo, "actionPDF_pomo", QStringLiteral("PDF pomoč"));
    make(actionPosodobitve, "actionPosodobitve", QStringLiteral("Posodobitve programa"));
    make(actionO_programu, "actionO_programu", QStringLiteral("O programu"));
    make(actionLog_datoteka, "actionLog_datoteka", QStringLiteral("Log datoteka"));
}

void MainWindow::createMenus()
{
    QMenu *elaborat = menuBar()->addMenu(QStringLiteral("Elaborat"));
    elaborat->setObjectName(QStringLiteral("menuElaborat"));
    elaborat->addAction(actionNov);
    elaborat->addAction(actionOdpri);
    elaborat->addAction(actionZapri);
    menuIzdelaj = elaborat->addMenu(QStringLiteral("Izdelaj"));
    menuIzdelaj->setObjectName(QStringLiteral("menuIzdelaj"));
    menuIzdelaj->addAction(actionPDF);
    menuIzdelaj->addAction(actionZIP);
    elaborat->addAction(actionArhiviraj);
    elaborat->addAction(actionPreveri);
    elaborat->addSeparator();
    elaborat->addAction(actionNastavitve);
    elaborat->addSeparator();
    elaborat->addAction(actionIzhod);

    QMenu *help = menuBar()->addMenu(QStringLiteral("Pomoč"));
    help->setObjectName(QStringLiteral("menuPomoc"));
    help->addAction(actionPDF_pomo);
    help->addAction(actionPosodobitve);
    help->addAction(actionO_programu);
    help->addSeparator();
    help->addAction(actionLog_datoteka);
}

void MainWindow::setUpTree()
{
    treeWidget->context = this;
    connect(treeWidget, &TTreeWidget::pdfRequested, this, &MainWindow::on_actionPDF_triggered);
    connect(treeWidget, &TTreeWidget::zipRequested, this, &MainWindow::on_actionZIP_triggered);
    // The check action, for the elaborat just made current.
    connect(treeWidget, &TTreeWidget::checkRequested, actionPreveri, &QAction::trigger);
    treeWidget->setDragEnabled(true);
    treeWidget->setAcceptDrops(true);
    treeWidget->setDragDropMode(QAbstractItemView::InternalMove);
    treeWidget->setDropIndicatorShown(true);
}

void MainWindow::updateActions()
{
    const TTreeElaborat *current = treeWidget->currentElaborat();
    const bool upToDate = current && current->upToDate();
    actionPDF->setEnabled(current && !upToDate);
    actionZIP->setEnabled(upToDate);
    actionPreveri->setEnabled(current);
    actionZapri->setEnabled(current);
    actionArhiviraj->setEnabled(upToDate);
    actionOdpri->setEnabled(true);
}

bool MainWindow::confirmClose()
{
    const TTreeElaborat *modified = nullptr;
    for (int i = 0; i < treeWidget->topLevelItemCount(); ++i) {
        const TTreeElaborat *elaborat = TTreeElaborat::cast(treeWidget->topLevelItem(i));
        if (elaborat && !elaborat->upToDate())
            modified = elaborat;
    }
    if (!modified)
        return true;
    return Prompter::question(this, QString(),
        QStringLiteral("Elaborat '%1' je bil spremenjen. Ce zapustite urejevalnik, spremembe ne "
                       "bodo shranjene. Ali zelite zapustiti urejevalnik?")
            .arg(modified->text(0)));
}

void MainWindow::updateWindowTitle()
{
    const QString base = QStringLiteral("TEV - Tevora");
    if (appSettings.officeUser()) {
        const QString code = appSettings.officeCode();
        setWindowTitle(QStringLiteral("%1 (GEODETSKA PISARNA: %2)")
                           .arg(base, code + QLatin1Char(' ') + offices->nameOf(code)));
    } else {
        setWindowTitle(
            QStringLiteral("%1 (IZVAJALEC: %2)").arg(base, appSettings.contractorCode()));
    }
}

void MainWindow::checkSettingsAtStart()
{
    // A loop rather than the settings action calling back here: however often the user
    // closes the dialog, the stack does not grow.
    while (!appSettings.settingsComplete()) {
        Prompter::information(this, QString(),
            QStringLiteral("Pred začetkom dela je treba nastaviti geodetsko "
                           "pisarno oziroma, če ste izvajalec, šifro izvajalca."));
        nastavitve->tabWidget->setCurrentIndex(0);
        nastavitve->run();
    }
    updateWindowTitle();
}

void MainWindow::on_actionNov_triggered()
{
    NovPostopekDlg dialog(catalogue.postopki(), members.lastCadastreKs ? 1 : 0, this);
    if (Prompter::current().exec(&dialog) != QDialog::Accepted)
        return;
    const QList<int> indices = dialog.selectedIndices();
    if (indices.isEmpty())
        return;
    members.lastCadastreKs = catalogue.procedure(indices.first())->kind == Kataster::KS;
    if (TTreeElaborat *elaborat = createElaborat(indices, members.lastCadastreKs, false))
        fillNewElaboratDefaults(elaborat);
}

void MainWindow::fillNewElaboratDefaults(TTreeElaborat *elaborat)
{
    if (appSettings.useDefaultsForNewElaborates()) {
        const QString municipality = appSettings.municipalityCode();
        elaborat->setAttribute(QStringLiteral("KO"),
            municipality + QLatin1Char(' ') + municipalities->nameOf(municipality));
        const QString office = appSettings.officeCode();
        elaborat->setAttribute(QStringLiteral("GEODETSKA_PISARNA"),
            office + QLatin1Char(' ') + offices->nameOf(office));
    }
    elaborat->setAttribute(QStringLiteral("DATUM_ZADNJE_SPREMEMBE"),
        QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
}

void MainWindow::on_actionOdpri_triggered()
{
    runOpenCommand(*this);
}

void MainWindow::on_actionZapri_triggered()
{
    treeWidget->closeElaborat(treeWidget->currentElaborat());
}

void MainWindow::on_actionPreveri_triggered()
{
    if (TTreeElaborat *elaborat = treeWidget->currentElaborat()) {
        DialogPreveri dialog(elaborat, this);
        Prompter::current().exec(&dialog);
    }
}

void MainWindow::on_actionPDF_triggered()
{
    runPdfCommand(*this);
}

void MainWindow::on_actionZIP_triggered()
{
    runZipCommand(*this);
}

void MainWindow::on_actionArhiviraj_triggered()
{
    const ExistenceSettings service {appSettings.officeUser(), appSettings.officeCode(),
        appSettings.webServiceAddress(),
        [this](const QString &code) { return offices->nameOf(code); }};
    ArchiveSteps steps;
    steps.archiveFolder = appSettings.archiveFolder();
    steps.chooseArchiveFolder = [this] { return nastavitve->chooseArchiveFolder(); };
    steps.existenceCheck
        = [&service](const QString &name) { return existenceCheck(name, service); };
    runArchiveCommand(treeWidget->currentElaborat(), steps);
}

void MainWindow::on_actionNastavitve_triggered()
{
    nastavitve->run();
    checkSettingsAtStart();
    updateWindowTitle();
}

void MainWindow::on_actionIzhod_triggered()
{
    close();
}

void MainWindow::on_actionPDF_pomo_triggered()
{
    Platform::openHelp(AppPaths::path(QStringLiteral("help")), QStringLiteral("pomoc2.pdf"));
}

void MainWindow::on_actionO_programu_triggered()
{
    DialogAbout about(programVersion());
    Prompter::current().exec(&about);
}

void MainWindow::on_actionPosodobitve_triggered()
{
    updates->checkForUpdates(false);
}

void MainWindow::on_actionLog_datoteka_triggered()
{
    LogDialog log;
    Prompter::current().exec(&log);
}

void MainWindow::on_treeWidget_itemSelectionChanged()
{
    documentWidget->closeDocument();
    pageSpinBox->setEnabled(false);
    scaleComboBox->setEnabled(false);
    l_npages->setText(QStringLiteral("0"));
    treeWidget->showSelectionInPreview();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete)
        treeWidget->removeSelectedItems();
    else
        QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    std::function<QString(const QString &)> currentAttribute;
    if (TTreeElaborat *current = treeWidget->currentElaborat())
        currentAttribute = [current](const QString &key) { return current->attribute(key); };
    members.size = size();
    members.pos = pos();
    if (!appSettings.save(members, currentAttribute))
        Prompter::warning(this, QString(),
            QStringLiteral("Nastavitev ni bilo mogoce shraniti v datoteko %1.")
                .arg(QDir::toNativeSeparators(AppSettings::fileName())));
    recorder->stop();
    clearFolder(tempDir);
    event->accept();
}
