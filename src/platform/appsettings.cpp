#include "appsettings.h"

#include "platform/apppaths.h"
#include "services/dialognastavitev.h"
#include "services/sifdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QRadioButton>
#include <QSettings>

const char AppSettings::defaultUpdateAddress[] = "https://posodobitve.tevora.si/";
const char AppSettings::defaultWebServiceAddress[]
    = "http://drun.gu-storitve.si:7022/DAZK_WS/DAZK_WSPort";

namespace {
QString firstWord(const QString &text)
{
    return text.split(QLatin1Char(' ')).first();
}
} // namespace

AppSettings::AppSettings(DialogNastavitev &dialog, SifDlg &officePicker, SifDlg &municipalityPicker)
    : dialog(dialog)
    , officePicker(officePicker)
    , municipalityPicker(municipalityPicker)
{ }

QString AppSettings::fileName()
{
    return AppPaths::settingsFile();
}

void AppSettings::writeDefaultSettingsFile()
{
    QFile file(fileName());
    if (file.exists())
        return;
    // An installed program starts each user with the settings its installer left, if any.
    const QString defaults = AppPaths::settingsDefaultsFile();
    if (file.fileName() != defaults && QFileInfo::exists(defaults)) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile::copy(defaults, file.fileName());
        file.setPermissions(file.permissions() | QFile::WriteOwner);
        return;
    }
    if (AppPaths::isInstalled())
        QDir().mkpath(QFileInfo(file).absolutePath());
    if (!file.open(QIODevice::ReadWrite))
        return;
    const QByteArray content = QByteArrayLiteral("[MainWindow]\n"
                                                 "zadnja_mapa=\n"
                                                 "save_as_file_name=\n"
                                                 "[Nastavitve]\n"
                                                 "DelovnaMapa=N:/\n"
                                                 "DelovnaMapa_2=H:/Sprejem elaboratov\n"
                                                 "ArhivskaMapa=\n"
                                                 "ko=\n"
                                                 "gp=\n"
                                                 "sifraIzvajalca=\n"
                                                 "saveAsElaborat=false\n"
                                                 "vir=\n"
                                                 "updateURI=")
        + defaultUpdateAddress + "\nzips=0\nupdateProxy=\nsoapEndPoint=" + defaultWebServiceAddress
        + "\n";
    file.write(content);
}

void AppSettings::load(QMainWindow &window, WindowSettings &members)
{
    QDir::setCurrent(AppPaths::configDir());
    writeDefaultSettingsFile();
    QSettings settings(fileName(), QSettings::IniFormat);

    settings.beginGroup(QStringLiteral("MainWindow"));
    if (settings.contains(QStringLiteral("size"))) {
        window.resize(settings.value(QStringLiteral("size")).toSize());
        window.move(settings.value(QStringLiteral("pos"), QPoint(200, 200)).toPoint());
    } else {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
    members.lastFolder = settings.value(QStringLiteral("zadnja_mapa")).toString();
    members.lastSaveAsName = settings.value(QStringLiteral("save_as_file_name")).toString();
    settings.endGroup();

    settings.beginGroup(QStringLiteral("Nastavitve"));
    auto text = [&](const char *key) { return settings.value(QLatin1String(key)).toString(); };
    auto flag = [&](const char *key) { return settings.value(QLatin1String(key)).toBool(); };
    dialog.le_dm->setText(text("DelovnaMapa"));
    dialog.le_dm_2->setText(text("DelovnaMapa_2"));
    dialog.le_arhiv->setText(text("ArhivskaMapa"));
    setMunicipality(text("ko"));
    setOffice(text("gp"));
    dialog.le_sif_izv->setText(text("sifraIzvajalca"));
    if (flag("saveAsElaborat"))
        dialog.r_izdelava_vprasaj->setChecked(true);
    dialog.posodobitve_cb_zagon->setChecked(flag("preveriPosodobitve"));
    dialog.privzeto_cb_upostevaj->setChecked(flag("upostevajPrivzeto"));
    dialog.selectScannerSource(text("vir"));
    dialog.posodobitve_le_url->setText(text("updateURI"));
    dialog.soap_endpoint->setText(text("soapEndPoint"));
    dialog.posodobitve_le_proxy->setText(text("updateProxy"));
    members.lastCadastreKs = flag("isks");
    (flag("gpUser") ? dialog.radio_user_gp : dialog.radio_user_maticna)->setChecked(true);
    settings.endGroup();
}

bool AppSettings::save(const QMainWindow &window, const WindowSettings &members,
    const std::function<QString(const QString &)> &currentAttribute)
{
    QSettings settings(fileName(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("MainWindow"));
    settings.setValue(QStringLiteral("size"), window.size());
    settings.setValue(QStringLiteral("pos"), window.pos());
    settings.setValue(QStringLiteral("zadnja_mapa"), members.lastFolder);
    settings.setValue(QStringLiteral("save_as_file_name"), members.lastSaveAsName);
    settings.endGroup();

    settings.beginGroup(QStringLiteral("Nastavitve"));
    settings.setValue(QStringLiteral("DelovnaMapa"), dialog.le_dm->text());
    settings.setValue(QStringLiteral("DelovnaMapa_2"), dialog.le_dm_2->text());
    settings.setValue(QStringLiteral("ArhivskaMapa"), dialog.le_arhiv->text());
    if (currentAttribute) {
        if (municipalityCode().isEmpty())
            setMunicipality(firstWord(currentAttribute(QStringLiteral("KO"))));
        if (officeCode().isEmpty())
            setOffice(firstWord(currentAttribute(QStringLiteral("GEODETSKA_PISARNA"))));
    }
    settings.setValue(QStringLiteral("ko"), municipalityCode());
    settings.setValue(QStringLiteral("gp"), officeCode());
    settings.setValue(QStringLiteral("sifraIzvajalca"), contractorCode());
    settings.setValue(QStringLiteral("saveAsElaborat"), askForSaveLocation());
    settings.setValue(QStringLiteral("preveriPosodobitve"), checkUpdatesAtStart());
    settings.setValue(QStringLiteral("upostevajPrivzeto"), useDefaultsForNewElaborates());
    settings.setValue(QStringLiteral("isks"), members.lastCadastreKs);
    settings.setValue(QStringLiteral("vir"), scannerSource());
    settings.setValue(QStringLiteral("updateURI"), updateAddress());
    settings.setValue(QStringLiteral("soapEndPoint"), webServiceAddress());
    settings.setValue(QStringLiteral("updateProxy"), updateProxy());
    settings.setValue(QStringLiteral("zips"), 0);
    settings.setValue(QStringLiteral("gpUser"), officeUser());
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString AppSettings::officeCode() const
{
    return firstWord(dialog.le_gp->text());
}

QString AppSettings::municipalityCode() const
{
    return firstWord(dialog.le_ko->text());
}

QString AppSettings::contractorCode() const
{
    return dialog.le_sif_izv->text();
}

bool AppSettings::officeUser() const
{
    return dialog.radio_user_gp->isChecked();
}

QString AppSettings::workFolderZk() const
{
    return dialog.le_dm->text();
}

QString AppSettings::workFolderKs() const
{
    return dialog.le_dm_2->text();
}

QString AppSettings::archiveFolder() const
{
    return dialog.le_arhiv->text();
}

bool AppSettings::askForSaveLocation() const
{
    return dialog.r_izdelava_vprasaj->isChecked();
}

bool AppSettings::useDefaultsForNewElaborates() const
{
    return dialog.privzeto_cb_upostevaj->isChecked();
}

bool AppSettings::checkUpdatesAtStart() const
{
    return dialog.posodobitve_cb_zagon->isChecked();
}

QString AppSettings::scannerSource() const
{
    return dialog.selectedScannerSource();
}

int AppSettings::scannerSourceId() const
{
    const QVariant id = dialog.skeniranje_cb_vir->currentData();
    return id.isValid() ? id.toInt() : -1;
}

QString AppSettings::updateAddress() const
{
    return dialog.posodobitve_le_url->text();
}

QString AppSettings::updateProxy() const
{
    return dialog.posodobitve_le_proxy->text();
}

QString AppSettings::webServiceAddress() const
{
    return dialog.soap_endpoint->text();
}

bool AppSettings::settingsComplete() const
{
    if (dialog.radio_user_gp->isChecked() && !officeCode().isEmpty())
        return true;
    return dialog.radio_user_maticna->isChecked() && !contractorCode().isEmpty();
}

void AppSettings::setMunicipality(const QString &code)
{
    dialog.le_ko->setText(code + QLatin1Char(' ') + municipalityPicker.nameOf(code));
}

void AppSettings::setOffice(const QString &code)
{
    dialog.le_gp->setText(code + QLatin1Char(' ') + officePicker.nameOf(code));
}
