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

template<typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
} // namespace

DialogNastavitev::DialogNastavitev(
    SifDlg *officePicker, SifDlg *municipalityPicker, QWidget *parent)
    : QDialog(parent)
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

void DialogNastavitev::refreshScannerSources()
{
    scannerReader->read();
}

void DialogNastavitev::selectScannerSource(const QString &name)
{
    const int index = skeniranje_cb_vir->findText(name, Qt::MatchExactly);
    if (index >= 0)
        skeniranje_cb_vir->setCurrentIndex(index);
    // Until a list has come, the name waits for it; a list that never comes must not lose it.
    if (!scannerListRead || scannerReader->isReading())
        wantedScanner = name;
}

QString DialogNastavitev::selectedScannerSource() const
{
    if (!wantedScanner.isEmpty())
        return wantedScanner;
    return skeniranje_cb_vir->currentIndex() < 0 ? QString() : skeniranje_cb_vir->currentText();
}

bool DialogNastavitev::readingScannerSources() const
{
    return scannerReader->isReading();
}

void DialogNastavitev::onScannerSourcesRead(const QList<ScannerSource> &sources)
{
    const QString selected
        = wantedScanner.isEmpty() ? skeniranje_cb_vir->currentText() : wantedScanner;
    wantedScanner.clear();
    scannerListRead = true;
    skeniranje_cb_vir->clear();
    for (const ScannerSource &source : sources)
        skeniranje_cb_vir->addItem(source.name, source.id);
    skeniranje_cb_vir->setCurrentIndex(skeniranje_cb_vir->findText(selected, Qt::MatchExactly));
}

void DialogNastavitev::showEvent(QShowEvent *event)
{
    refreshScannerSources();
    takeSnapshot();
    QDialog::showEvent(event);
}

void DialogNastavitev::takeSnapshot()
{
    snapshot.municipality = le_ko->text();
    snapshot.office = le_gp->text();
    snapshot.updateAddress = posodobitve_le_url->text();
    snapshot.updateProxy = posodobitve_le_proxy->text();
    snapshot.checkUpdates = posodobitve_cb_zagon->isChecked();
    snapshot.useDefaults = privzeto_cb_upostevaj->isChecked();
    snapshot.contractor = le_sif_izv->text();
    snapshot.askForLocation = r_izdelava_vprasaj->isChecked();
    snapshot.workFolderZk = le_dm->text();
    snapshot.workFolderKs = le_dm_2->text();
    snapshot.archiveFolder = le_arhiv->text();
    snapshot.scanner
        = skeniranje_cb_vir->currentIndex() < 0 ? QString() : skeniranje_cb_vir->currentText();
}

void DialogNastavitev::restoreSnapshot()
{
    le_ko->setText(snapshot.municipality);
    le_gp->setText(snapshot.office);
    posodobitve_le_url->setText(snapshot.updateAddress);
    posodobitve_le_proxy->setText(snapshot.updateProxy);
    posodobitve_cb_zagon->setChecked(snapshot.checkUpdates);
    privzeto_cb_upostevaj->setChecked(snapshot.useDefaults);
    // Restoring the contractor code must not switch the user kind: that is kept on Cancel.
    const bool officeUser = radio_user_gp->isChecked();
    le_sif_izv->setText(snapshot.contractor);
    if (officeUser)
        radio_user_gp->setChecked(true);
    (snapshot.askForLocation ? r_izdelava_vprasaj : r_izdelaj_dm)->setChecked(true);
    le_dm->setText(snapshot.workFolderZk);
    le_dm_2->setText(snapshot.workFolderKs);
    le_arhiv->setText(snapshot.archiveFolder);
    skeniranje_cb_vir->setCurrentIndex(
        skeniranje_cb_vir->findText(snapshot.scanner, Qt::MatchExactly));
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

QString DialogNastavitev::chooseFolder(QLineEdit *field, const QString &caption)
{
    const QString folder = Prompter::current().existingDirectory(this, caption,
        AppPaths::dialogStart({field->text()}),
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (!folder.isEmpty())
        field->setText(folder);
    return field->text();
}

QString DialogNastavitev::chooseWorkFolderZk()
{
    return chooseFolder(le_dm, QStringLiteral("Izberi delovno mapo"));
}

QString DialogNastavitev::chooseWorkFolderKs()
{
    return chooseFolder(le_dm_2, QStringLiteral("Izberi delovno mapo"));
}

QString DialogNastavitev::chooseArchiveFolder()
{
    return chooseFolder(le_arhiv, QStringLiteral("Izberi mapo za arhiviranje"));
}

void DialogNastavitev::on_b_dm_clicked()
{
    chooseWorkFolderZk();
}

void DialogNastavitev::on_b_dm_2_clicked()
{
    chooseWorkFolderKs();
}

void DialogNastavitev::on_b_arhiv_clicked()
{
    chooseArchiveFolder();
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
