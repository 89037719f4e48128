#pragma once

#include <QString>
#include <functional>

class DialogNastavitev;
class QMainWindow;
class SifDlg;

// The members of the main window that the settings file keeps.
struct WindowSettings
{
    QString lastFolder; // zadnja_mapa
    QString lastSaveAsName; // save_as_file_name
    bool lastCadastreKs = false; // isks
};

// The settings store: tev.ini (AppPaths::settingsFile()), read once at start-up and written once
// at close. In between the settings live in the fields of the settings dialog; the accessors read
// them there.
class AppSettings
{
public:
    AppSettings(DialogNastavitev &dialog, SifDlg &officePicker, SifDlg &municipalityPicker);

    static QString fileName();
    // Creates the settings file when it does not exist: for an installed program a copy of the
    // installed defaults when there are any, else the default content. An existing file is
    // never touched, and a file that cannot be created is silently left out.
    static void writeDefaultSettingsFile();

    // Reads the file into the dialog's fields, the window's geometry and `members`.
    void load(QMainWindow &window, WindowSettings &members);
    // Writes the fields, the window's geometry and `members` back. `currentAttribute` gives an
    // attribute of the tree's current elaborat (null when none is open): it fills an empty
    // default municipality or office. False when the file could not be written.
    bool save(const QMainWindow &window, const WindowSettings &members,
        const std::function<QString(const QString &)> &currentAttribute);

    QString officeCode() const;
    QString municipalityCode() const;
    QString contractorCode() const;
    bool officeUser() const;
    QString workFolderZk() const;
    QString workFolderKs() const;
    QString archiveFolder() const;
    bool askForSaveLocation() const;
    bool useDefaultsForNewElaborates() const;
    bool checkUpdatesAtStart() const;
    QString scannerSource() const;
    int scannerSourceId() const;
    QString updateAddress() const;
    QString updateProxy() const;
    QString webServiceAddress() const;
    // An office user with an office code, or a contractor with a contractor code.
    bool settingsComplete() const;

    // Set the field to the code, one blank and the name listed for the code (empty when the
    // code is not listed).
    void setMunicipality(const QString &code);
    void setOffice(const QString &code);

    static const char defaultUpdateAddress[];
    static const char defaultWebServiceAddress[];

private:
    DialogNastavitev &dialog;
    SifDlg &officePicker;
    SifDlg &municipalityPicker;
};
