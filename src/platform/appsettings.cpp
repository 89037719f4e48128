#include "appsettings.h"

#include "platform/apppaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

const char AppSettings::defaultUpdateAddress[] = "https://posodobitve.tevora.si/";
const char AppSettings::defaultWebServiceAddress[]
    = "http://drun.gu-storitve.si:7022/DAZK_WS/DAZK_WSPort";

namespace {
QString firstWord(const QString &text)
{
    return text.split(QLatin1Char(' ')).first();
}

// Every key of the file with the value it keeps, for reading and for writing alike. `zips` is
// always written as 0; what is read for it is not used.
template<typename Values, typename Members, typename Visit>
void eachKey(Values &values, Members &members, Visit visit)
{
    int zips = 0;
    visit("MainWindow/size", members.size);
    visit("MainWindow/pos", members.pos);
    visit("MainWindow/zadnja_mapa", members.lastFolder);
    visit("MainWindow/save_as_file_name", members.lastSaveAsName);
    visit("Nastavitve/DelovnaMapa", values.workFolderZk);
    visit("Nastavitve/DelovnaMapa_2", values.workFolderKs);
    visit("Nastavitve/ArhivskaMapa", values.archiveFolder);
    visit("Nastavitve/ko", values.municipality);
    visit("Nastavitve/gp", values.office);
    visit("Nastavitve/sifraIzvajalca", values.contractor);
    visit("Nastavitve/saveAsElaborat", values.askForSaveLocation);
    visit("Nastavitve/preveriPosodobitve", values.checkUpdates);
    visit("Nastavitve/upostevajPrivzeto", values.useDefaults);
    visit("Nastavitve/isks", members.lastCadastreKs);
    visit("Nastavitve/vir", values.scannerSource);
    visit("Nastavitve/updateURI", values.updateAddress);
    visit("Nastavitve/soapEndPoint", values.webServiceAddress);
    visit("Nastavitve/updateProxy", values.updateProxy);
    visit("Nastavitve/zips", zips);
    visit("Nastavitve/gpUser", values.officeUser);
}

// A key the file lacks leaves the value as it was.
template<typename T> void readValue(const QSettings &file, const char *key, T &value)
{
    value = file.value(QLatin1String(key), QVariant::fromValue(value)).template value<T>();
}

// Any size in the file counts, even one that does not read as a size.
void readValue(const QSettings &file, const char *key, std::optional<QSize> &size)
{
    if (file.contains(QLatin1String(key)))
        size = file.value(QLatin1String(key)).toSize();
}

template<typename T> void writeValue(QSettings &file, const char *key, const T &value)
{
    file.setValue(QLatin1String(key), value);
}

void writeValue(QSettings &file, const char *key, const std::optional<QSize> &size)
{
    if (size)
        file.setValue(QLatin1String(key), *size);
    else
        file.remove(QLatin1String(key));
}
} // namespace

AppSettings::AppSettings(NameOf officeName, NameOf municipalityName)
    : officeName(std::move(officeName))
    , municipalityName(std::move(municipalityName))
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

void AppSettings::load(WindowSettings &members)
{
    writeDefaultSettingsFile();
    const QSettings file(fileName(), QSettings::IniFormat);
    current = {};
    members = {};
    eachKey(
        current, members, [&file](const char *key, auto &value) { readValue(file, key, value); });
    setMunicipality(current.municipality);
    setOffice(current.office);
}

bool AppSettings::save(
    const WindowSettings &members, const std::function<QString(const QString &)> &currentAttribute)
{
    if (currentAttribute) {
        if (municipalityCode().isEmpty())
            setMunicipality(firstWord(currentAttribute(QStringLiteral("KO"))));
        if (officeCode().isEmpty())
            setOffice(firstWord(currentAttribute(QStringLiteral("GEODETSKA_PISARNA"))));
    }
    Values stored = current;
    stored.municipality = municipalityCode();
    stored.office = officeCode();
    QSettings file(fileName(), QSettings::IniFormat);
    eachKey(stored, members,
        [&file](const char *key, const auto &value) { writeValue(file, key, value); });
    file.sync();
    return file.status() == QSettings::NoError;
}

QString AppSettings::officeCode() const
{
    return firstWord(current.office);
}

QString AppSettings::municipalityCode() const
{
    return firstWord(current.municipality);
}

bool AppSettings::settingsComplete() const
{
    return current.officeUser ? !officeCode().isEmpty() : !current.contractor.isEmpty();
}

void AppSettings::setMunicipality(const QString &code)
{
    current.municipality = code + QLatin1Char(' ') + municipalityName(code);
}

void AppSettings::setOffice(const QString &code)
{
    current.office = code + QLatin1Char(' ') + officeName(code);
}
