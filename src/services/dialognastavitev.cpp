#include "dialognastavitev.h"

#include "existencecheck.h"
#include "intake/scannersourcereader.h"
#include "platform/apppaths.h"
#include "platform/prompter.h"
#include "sifdlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const char zkFolderTip[]
    = "<html><p>Delovna mapa za elaborate <b>zemljiškega katastra</b>, na primer "
      "<i>N:\\DZK51</i>.</p><p>Pod njo program sam doda mapo elaborata v obliki "
      "<b>\\KO\\LETO_SPREJEMA_ELABORATA\\IDPOS000</b>, na primer "
      "<i>N:\\DZK51\\0850\\L2012\\06468000</i>.</p></html>";
const char ksFolderTip[]
    = "<html><p>Mapa za sprejem elaboratov <b>katastra stavb</b>, na primer "
      "<i>H:\\Sprejem elaboratov</i>.</p><p>Pod njo program sam doda mapo elaborata v obliki "
      "<b>\\SIFKO_IMEKO\\L_LETO\\S</b> in številko stavbe, na primer "
      "<i>H:\\Sprejem elaboratov\\850_Ljubljana\\L_2012\\S7</i>.</p></html>";
const char workFolderCaption[] = "Izberi delovno mapo";
const char archiveFolderCaption[] = "Izberi mapo za arhiviranje";

template<typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
} // namespace

DialogNastavitev::DialogNastavitev(
    AppSettings &settings, SifDlg *officePicker, SifDlg *municipalityPicker, QWidget *parent)
    : QDialog(parent)
    , settings(settings)
    , officePicker(officePicker)
    , municipalityPicker(municipalityPicker)
    , scannerReader(new ScannerSourceReader(this))
{
    setObjectName(QStringLiteral("DialogNastavitev"));
    setWindowTitle(QStringLiteral("Nastavitve"));
    tabWidget = named(new QTabWidget(this), "tabWidget");
    tabWidget->addTab(buildDefaultsTab(), QStringLiteral("Privzete vrednosti"));
    tabWidget->addTab(buildBuildTab(), QStringLiteral("Izdelava elaborata"));
    tabWidget->addTab(buildArchiveTab(), QStringLiteral("Arhiviranje"));
    tabWidget->addTab(buildScanTab(), QStringLiteral("Skeniranje"));
    tabWidget->addTab(buildUpdatesTab(), QStringLiteral("Posodobitve"));
    tabWidget->addTab(buildServiceTab(), QStringLiteral("DRUN"));
    tabWidget->setCurrentIndex(tabWidget->count() - 1);
    buttonBox = named(
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this), "buttonBox");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabWidget);
    layout->addWidget(buttonBox);
    resize(680, 300);
    connect(scannerReader, &ScannerSourceReader::sourcesRead, this,
        &DialogNastavitev::onScannerSourcesRead);
    // A source the user picks replaces one still waiting for the list.
    connect(skeniranje_cb_vir, &QComboBox::activated, this, [this] { wantedScanner.clear(); });
    refreshScannerSources();
    QMetaObject::connectSlotsByName(this);
}

QWidget *DialogNastavitev::buildDefaultsTab()
{
    auto *tab = named(new QWidget, "tab_3");
    radio_user_gp
        = named(new QRadioButton(QStringLiteral("geodetska pisarna"), tab), "radio_user_gp");
    b_gp = named(new QPushButton(QStringLiteral("Geodetska pisarna >>"), tab), "b_gp");
    le_gp = named(new QLineEdit(tab), "le_gp");
    le_gp->setReadOnly(true);
    radio_user_maticna
        = named(new QRadioButton(QStringLiteral("izvajalec"), tab), "radio_user_maticna");
    label = named(new QLabel(QStringLiteral("SIF_IZV (Mat. št. podjetja):"), tab), "label");
    le_sif_izv = named(new QLineEdit(tab), "le_sif_izv");
    b_ko = named(new QPushButton(QStringLiteral("Katastrska občina >>"), tab), "b_ko");
    le_ko = named(new QLineEdit(tab), "le_ko");
    le_ko->setReadOnly(true);
    privzeto_cb_upostevaj = named(
        new QCheckBox(QStringLiteral("upoštevaj kot privzete vrednosti za nove elaborate"), tab),
        "privzeto_cb_upostevaj");
    auto *users = new QButtonGroup(tab);
    users->addButton(radio_user_gp);
    users->addButton(radio_user_maticna);

    auto *grid = new QGridLayout(tab);
    grid->addWidget(radio_user_gp, 0, 0);
    grid->addWidget(b_gp, 0, 1);
    grid->addWidget(le_gp, 0, 2);
    grid->addWidget(radio_user_maticna, 1, 0);
    grid->addWidget(label, 1, 1);
    grid->addWidget(le_sif_izv, 1, 2);
    grid->addWidget(b_ko, 2, 1);
    grid->addWidget(le_ko, 2, 2);
    grid->addWidget(privzeto_cb_upostevaj, 3, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);
    return tab;
}

QWidget *DialogNastavitev::buildBuildTab()
{
    auto *tab = named(new QWidget, "tab_4");
    r_izdelaj_dm
        = named(new QRadioButton(
                    QStringLiteral("ime in pot elaborata sta določena z njegovimi atributi"), tab),
            "r_izdelaj_dm");
    r_izdelaj_dm->setChecked(true);
    b_dm = named(new QPushButton(QStringLiteral("Delovna mapa ZK >>"), tab), "b_dm");
    le_dm = named(new QLineEdit(tab), "le_dm");
    le_dm->setReadOnly(true);
    b_dm_2 = named(new QPushButton(QStringLiteral("Delovna mapa KS >>"), tab), "b_dm_2");
    le_dm_2 = named(new QLineEdit(tab), "le_dm_2");
    le_dm_2->setReadOnly(true);
    r_izdelava_vprasaj = named(
        new QRadioButton(QStringLiteral("ime elaborata je določeno z njegovimi atributi, pot "
                                        "pa se izbere v dialognem oknu"),
            tab),
        "r_izdelava_vprasaj");
    auto *ways = new QButtonGroup(tab);
    ways->addButton(r_izdelaj_dm);
    ways->addButton(r_izdelava_vprasaj);

    const QString zk = QString::fromUtf8(zkFolderTip);
    const QString ks = QString::fromUtf8(ksFolderTip);
    r_izdelaj_dm->setToolTip(zk + ks);
    b_dm->setToolTip(zk);
    le_dm->setToolTip(zk);
    b_dm_2->setToolTip(ks);
    le_dm_2->setToolTip(ks);

    auto *grid = new QGridLayout(tab);
    grid->addWidget(r_izdelaj_dm, 0, 0, 1, 2);
    grid->addWidget(b_dm, 1, 0);
    grid->addWidget(le_dm, 1, 1);
    grid->addWidget(b_dm_2, 2, 0);
    grid->addWidget(le_dm_2, 2, 1);
    grid->addWidget(r_izdelava_vprasaj, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    return tab;
}

QWidget *DialogNastavitev::buildArchiveTab()
{
    auto *tab = named(new QWidget, "tab");
    b_arhiv = named(new QPushButton(QStringLiteral("Mapa za arhiviranje >>"), tab), "b_arhiv");
    le_arhiv = named(new QLineEdit(tab), "le_arhiv");
    auto *grid = new QGridLayout(tab);
    grid->addWidget(b_arhiv, 0, 0);
    grid->addWidget(le_arhiv, 0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    return tab;
}

QWidget *DialogNastavitev::buildScanTab()
{
    auto *tab = named(new QWidget, "tab_5");
    label_2 = named(new QLabel(QStringLiteral("Vir:"), tab), "label_2");
    skeniranje_cb_vir = named(new QComboBox(tab), "skeniranje_cb_vir");
    auto *grid = new QGridLayout(tab);
    grid->addWidget(label_2, 0, 0);
    grid->addWidget(skeniranje_cb_vir, 0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    return tab;
}

QWidget *DialogNastavitev::buildUpdatesTab()
{
    auto *tab = named(new QWidget, "tab_2");
    label_4 = named(new QLabel(QStringLiteral("Proxy:"), tab), "label_4");
    posodobitve_le_proxy = named(new QLineEdit(tab), "posodobitve_le_proxy");
    posodobitve_cb_zagon = named(
        new QCheckBox(
            QStringLiteral("ob zagonu programa preveri, če je na voljo novejša različica"), tab),
        "posodobitve_cb_zagon");
    label_3 = named(new QLabel(QStringLiteral("URL:"), tab), "label_3");
    posodobitve_le_url = named(new QLineEdit(tab), "posodobitve_le_url");
    auto *grid = new QGridLayout(tab);
    grid->addWidget(label_4, 0, 0);
    grid->addWidget(posodobitve_le_proxy, 0, 1);
    grid->addWidget(posodobitve_cb_zagon, 1, 0, 1, 2);
    grid->addWidget(label_3, 2, 0);
    grid->addWidget(posodobitve_le_url, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    return tab;
}

QWidget *DialogNastavitev::buildServiceTab()
{
    auto *tab = named(new QWidget, "tab_6");
    groupBox = named(
        new QGroupBox(QStringLiteral("Spletni servis za preverjanje obstoja elaboratov"), tab),
        "groupBox");
    label_7 = named(new QLabel(QStringLiteral("URL:"), groupBox), "label_7");
    soap_endpoint = named(new QLineEdit(groupBox), "soap_endpoint");
    pushButton = named(new QPushButton(QStringLiteral("Test"), groupBox), "pushButton");
    label_5 = named(new QLabel(QStringLiteral("ime za test:"), groupBox), "label_5");
    lineEdit = named(new QLineEdit(groupBox), "lineEdit");
    auto *grid = new QGridLayout(groupBox);
    grid->addWidget(label_7, 0, 0);
    grid->addWidget(soap_endpoint, 0, 1, 1, 2);
    grid->addWidget(label_5, 1, 0);
    grid->addWidget(lineEdit, 1, 1);
    grid->addWidget(pushButton, 1, 2);
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(groupBox);
    layout->addStretch();
    return tab;
}

int DialogNastavitev::run()
{
    const AppSettings::Values &values = settings.values();
    showValues(values);
    const int source = skeniranje_cb_vir->findText(values.scannerSource, Qt::MatchExactly);
    skeniranje_cb_vir->setCurrentIndex(source);
    wantedScanner = source < 0 ? values.scannerSource : QString();
    const int result = Prompter::current().exec(this);
    settings.values() = shownValues();
    return result;
}

void DialogNastavitev::showValues(const AppSettings::Values &values)
{
    le_gp->setText(values.office);
    le_ko->setText(values.municipality);
    // Before the user kind: a contractor code checks the contractor.
    le_sif_izv->setText(values.contractor);
    (values.officeUser ? radio_user_gp : radio_user_maticna)->setChecked(true);
    privzeto_cb_upostevaj->setChecked(values.useDefaults);
    le_dm->setText(values.workFolderZk);
    le_dm_2->setText(values.workFolderKs);
    (values.askForSaveLocation ? r_izdelava_vprasaj : r_izdelaj_dm)->setChecked(true);
    le_arhiv->setText(values.archiveFolder);
    posodobitve_le_proxy->setText(values.updateProxy);
    posodobitve_cb_zagon->setChecked(values.checkUpdates);
    posodobitve_le_url->setText(values.updateAddress);
    soap_endpoint->setText(values.webServiceAddress);
}

AppSettings::Values DialogNastavitev::shownValues() const
{
    AppSettings::Values values;
    values.office = le_gp->text();
    values.municipality = le_ko->text();
    values.contractor = le_sif_izv->text();
    values.officeUser = radio_user_gp->isChecked();
    values.useDefaults = privzeto_cb_upostevaj->isChecked();
    values.workFolderZk = le_dm->text();
    values.workFolderKs = le_dm_2->text();
    values.askForSaveLocation = r_izdelava_vprasaj->isChecked();
    values.archiveFolder = le_arhiv->text();
    // A source still waiting for a list counts as selected, so that saving keeps it.
    values.scannerSource
        = wantedScanner.isEmpty() ? skeniranje_cb_vir->currentText() : wantedScanner;
    const QVariant id = skeniranje_cb_vir->currentData();
    values.scannerSourceId = id.isValid() ? id.toInt() : -1;
    values.updateProxy = posodobitve_le_proxy->text();
    values.checkUpdates = posodobitve_cb_zagon->isChecked();
    values.updateAddress = posodobitve_le_url->text();
    values.webServiceAddress = soap_endpoint->text();
    return values;
}

void DialogNastavitev::refreshScannerSources()
{
    scannerReader->read();
}

bool DialogNastavitev::readingScannerSources() const
{
    return scannerReader->isReading();
}

void DialogNastavitev::onScannerSourcesRead(const QList<ScannerSource> &sources)
{
    // Closed, the dialog follows the settings; open, what it shows.
    const bool open = isVisible();
    const QString selected = !open ? settings.values().scannerSource
        : wantedScanner.isEmpty()  ? skeniranje_cb_vir->currentText()
                                   : wantedScanner;
    wantedScanner.clear();
    skeniranje_cb_vir->clear();
    for (const ScannerSource &source : sources)
        skeniranje_cb_vir->addItem(source.name, source.id);
    skeniranje_cb_vir->setCurrentIndex(skeniranje_cb_vir->findText(selected, Qt::MatchExactly));
    if (!open) {
        const AppSettings::Values shown = shownValues();
        AppSettings::Values &values = settings.values();
        values.scannerSource = shown.scannerSource;
        values.scannerSourceId = shown.scannerSourceId;
    }
}

void DialogNastavitev::showEvent(QShowEvent *event)
{
    refreshScannerSources();
    snapshot = shownValues();
    snapshot.scannerSource = skeniranje_cb_vir->currentText();
    QDialog::showEvent(event);
}

void DialogNastavitev::restoreSnapshot()
{
    // Cancel keeps the user kind and the web-service address.
    AppSettings::Values restored = snapshot;
    restored.officeUser = radio_user_gp->isChecked();
    restored.webServiceAddress = soap_endpoint->text();
    showValues(restored);
    skeniranje_cb_vir->setCurrentIndex(
        skeniranje_cb_vir->findText(snapshot.scannerSource, Qt::MatchExactly));
}

void DialogNastavitev::accept()
{
    QDialog::accept();
}

void DialogNastavitev::reject()
{
    restoreSnapshot();
    QDialog::reject();
}

void DialogNastavitev::on_buttonBox_accepted()
{
    accept();
}

void DialogNastavitev::on_buttonBox_rejected()
{
    reject();
}

void DialogNastavitev::on_b_gp_clicked()
{
    if (Prompter::current().exec(officePicker) == QDialog::Accepted) {
        le_gp->setText(officePicker->resultText());
        radio_user_gp->setChecked(true);
    }
}

void DialogNastavitev::on_b_ko_clicked()
{
    if (Prompter::current().exec(municipalityPicker) == QDialog::Accepted)
        le_ko->setText(municipalityPicker->resultText());
}

void DialogNastavitev::on_le_sif_izv_textChanged(const QString &text)
{
    if (!text.isEmpty())
        radio_user_maticna->setChecked(true);
}

QString DialogNastavitev::chooseFolder(QString &folder, const char *caption)
{
    const QString chosen = Prompter::current().existingDirectory(this, QString::fromLatin1(caption),
        AppPaths::dialogStart({folder}),
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (!chosen.isEmpty())
        folder = chosen;
    return folder;
}

void DialogNastavitev::chooseFolder(QLineEdit *field, const char *caption)
{
    QString folder = field->text();
    field->setText(chooseFolder(folder, caption));
}

QString DialogNastavitev::chooseWorkFolderZk()
{
    return chooseFolder(settings.values().workFolderZk, workFolderCaption);
}

QString DialogNastavitev::chooseWorkFolderKs()
{
    return chooseFolder(settings.values().workFolderKs, workFolderCaption);
}

QString DialogNastavitev::chooseArchiveFolder()
{
    return chooseFolder(settings.values().archiveFolder, archiveFolderCaption);
}

void DialogNastavitev::on_b_dm_clicked()
{
    chooseFolder(le_dm, workFolderCaption);
}

void DialogNastavitev::on_b_dm_2_clicked()
{
    chooseFolder(le_dm_2, workFolderCaption);
}

void DialogNastavitev::on_b_arhiv_clicked()
{
    chooseFolder(le_arhiv, archiveFolderCaption);
}

void DialogNastavitev::on_pushButton_clicked()
{
    ExistenceSettings settings;
    settings.officeCode = le_gp->text().section(QLatin1Char(' '), 0, 0);
    settings.address = soap_endpoint->text();
    settings.officeName = [this](const QString &code) { return officePicker->nameOf(code); };
    const QString name = lineEdit->text().trimmed();
    Prompter::Message message;
    message.text
        = evaluateExistence(name, runExistenceClient(name, settings.address), true, settings)
              .message;
    message.format = Qt::RichText;
    Prompter::current().message(this, message);
}
