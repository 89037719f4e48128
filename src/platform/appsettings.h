#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

// What the settings file keeps of the main window.
struct WindowSettings
{
    std::optional<QSize> size; // size; none: the window opens maximised
    QPoint pos {200, 200}; // pos; counts only with a size
    QString lastFolder; // zadnja_mapa
    QString lastSaveAsName; // save_as_file_name
    bool lastCadastreKs = false; // isks
};

// The settings store: tev.ini (AppPaths::settingsFile()), read once at start-up and written once
// at close. In between the settings are plain values here, which the settings dialog edits.
class AppSettings
{
public:
    struct Values
    {
        QString office; // code, one blank and name
        QString municipality; // code, one blank and name
        QString contractor;
        bool officeUser = false;
        QString workFolderZk;
        QString workFolderKs;
        QString archiveFolder;
        bool askForSaveLocation = false;
        bool useDefaults = false;
        bool checkUpdates = false;
        QString scannerSource;
        int scannerSourceId = -1; // from the scanning program's list, not stored
        QString updateAddress;
        QString updateProxy;
        QString webServiceAddress;
    };
    // The name a list gives a code; empty when the code is not listed.
    using NameOf = std::function<QString(const QString &code)>;

    AppSettings(NameOf officeName, NameOf municipalityName);

    static QString fileName();
    // Creates the settings file when it does not exist: for an installed program a copy of the
    // installed defaults when there are any, else the default content. An existing file is
    // never touched, and a file that cannot be created is silently left out.
    static void writeDefaultSettingsFile();

    // Reads the file into the values and `members`; a key the file lacks reads as empty text,
    // false or 0.
    void load(WindowSettings &members);
    // Writes the values and `members` back. `currentAttribute` gives an attribute of the tree's
    // current elaborat (null when none is open): it fills an empty default municipality or
    // office. False when the file could not be written.
    bool save(const WindowSettings &members,
        const std::function<QString(const QString &)> &currentAttribute);

    const Values &values() const { return current; }
    Values &values() { return current; }

    QString officeCode() const;
    QString municipalityCode() const;
    QString contractorCode() const { return current.contractor; }
    bool officeUser() const { return current.officeUser; }
    QString workFolderZk() const { return current.workFolderZk; }
    QString workFolderKs() const { return current.workFolderKs; }
    QString archiveFolder() const { return current.archiveFolder; }
    bool askForSaveLocation() const { return current.askForSaveLocation; }
    bool useDefaultsForNewElaborates() const { return current.useDefaults; }
    bool checkUpdatesAtStart() const { return current.checkUpdates; }
    QString scannerSource() const { return current.scannerSource; }
    int scannerSourceId() const { return current.scannerSourceId; }
    QString updateAddress() const { return current.updateAddress; }
    QString updateProxy() const { return current.updateProxy; }
    QString webServiceAddress() const { return current.webServiceAddress; }
    // An office user with an office code, or a contractor with a contractor code.
    bool settingsComplete() const;

    // Set the value to the code, one blank and the name listed for the code (empty when the
    // code is not listed).
    void setMunicipality(const QString &code);
    void setOffice(const QString &code);

    static const char defaultUpdateAddress[];
    static const char defaultWebServiceAddress[];

private:
    Values current;
    NameOf officeName;
    NameOf municipalityName;
};
