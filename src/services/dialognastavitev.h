#pragma once

#include "intake/scannersources.h"
#include "platform/appsettings.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class ScannerSourceReader;
class SifDlg;

// The settings dialog. While it runs, its fields hold the settings being edited; when it ends
// they go back into the settings the main window holds, which every other part reads.
class DialogNastavitev : public QDialog
{
    Q_OBJECT
public:
    DialogNastavitev(AppSettings &settings, SifDlg *officePicker, SifDlg *municipalityPicker,
        QWidget *parent = nullptr);

    // Runs the dialog modally on the settings: the fields start from them and, however the
    // dialog ends, go back into them; Cancel has restored the snapshot by then.
    int run();

    // The folder choosers that the build (an empty work folder) and archiving run on the
    // settings. A cancelled chooser leaves the setting as it was; each returns it afterwards.
    QString chooseWorkFolderZk();
    QString chooseWorkFolderKs();
    QString chooseArchiveFolder();

    // Asks the scanning program for its source list; when it answers, the scanner combo is
    // refilled keeping the selected source by its text, and while the dialog is closed the
    // settings' source follows: it is cleared when the list lacks it. A program that cannot be
    // run leaves the items and the source as they are.
    void refreshScannerSources();
    bool readingScannerSources() const;

    QTabWidget *tabWidget;
    // Tab "Privzete vrednosti"
    QRadioButton *radio_user_gp;
    QPushButton *b_gp;
    QLineEdit *le_gp;
    QRadioButton *radio_user_maticna;
    QLabel *label;
    QLineEdit *le_sif_izv;
    QPushButton *b_ko;
    QLineEdit *le_ko;
    QCheckBox *privzeto_cb_upostevaj;
    // Tab "Izdelava elaborata"
    QRadioButton *r_izdelaj_dm;
    QPushButton *b_dm;
    QLineEdit *le_dm;
    QPushButton *b_dm_2;
    QLineEdit *le_dm_2;
    QRadioButton *r_izdelava_vprasaj;
    // Tab "Arhiviranje"
    QPushButton *b_arhiv;
    QLineEdit *le_arhiv;
    // Tab "Skeniranje"
    QLabel *label_2;
    QComboBox *skeniranje_cb_vir;
    // Tab "Posodobitve"
    QLabel *label_4;
    QLineEdit *posodobitve_le_proxy;
    QCheckBox *posodobitve_cb_zagon;
    QLabel *label_3;
    QLineEdit *posodobitve_le_url;
    // Tab "DRUN"
    QGroupBox *groupBox;
    QLabel *label_7;
    QLineEdit *soap_endpoint;
    QPushButton *pushButton;
    QLabel *label_5;
    QLineEdit *lineEdit;
    QDialogButtonBox *buttonBox;

public slots:
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void on_b_gp_clicked();
    void on_b_ko_clicked();
    void on_le_sif_izv_textChanged(const QString &text);
    void on_b_dm_clicked();
    void on_b_dm_2_clicked();
    void on_b_arhiv_clicked();
    // "Test": asks the web service at the address as typed about the test name and shows the
    // summary of its answer.
    void on_pushButton_clicked();
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();
    void onScannerSourcesRead(const QList<ScannerSource> &sources);

private:
    QWidget *buildDefaultsTab();
    QWidget *buildBuildTab();
    QWidget *buildArchiveTab();
    QWidget *buildScanTab();
    QWidget *buildUpdatesTab();
    QWidget *buildServiceTab();
    // Runs the folder dialog on `folder`; a folder chosen replaces it. Returns it afterwards.
    QString chooseFolder(QString &folder, const char *caption);
    void chooseFolder(QLineEdit *field, const char *caption);
    void showValues(const AppSettings::Values &values);
    // The values as the fields show them.
    AppSettings::Values shownValues() const;
    void restoreSnapshot();

    AppSettings &settings;
    SifDlg *officePicker;
    SifDlg *municipalityPicker;
    ScannerSourceReader *scannerReader;
    // A source of the settings not in the list yet: a list that has not arrived (the program
    // is slow, missing or failed) must not lose it.
    QString wantedScanner;
    // What Cancel restores of the values on show: all but the user kind and the web-service
    // address; the scanner source as the combo showed it.
    AppSettings::Values snapshot;
};
