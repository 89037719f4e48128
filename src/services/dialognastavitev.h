#pragma once

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
struct ScannerSource;

// The settings dialog. Its fields are the program's settings for the whole run: the settings
// store reads and writes them, every other part reads them through the store's accessors.
class DialogNastavitev : public QDialog
{
    Q_OBJECT
public:
    DialogNastavitev(SifDlg *officePicker, SifDlg *municipalityPicker, QWidget *parent = nullptr);

    // The folder choosers, also run by the build (an empty work folder) and by archiving.
    // A cancelled chooser leaves the field as it was; each returns the field's text afterwards.
    QString chooseWorkFolderZk();
    QString chooseWorkFolderKs();
    QString chooseArchiveFolder();

    // Asks the scanning program for its source list; when it answers, the scanner combo is
    // refilled keeping the selected source by its text. A program that cannot be run leaves
    // the items as they are.
    void refreshScannerSources();
    // Selects the first source of this name, now or, while no list has been read yet or one
    // is being read, when it arrives.
    void selectScannerSource(const QString &name);
    // The selected source's name; a name still waiting for a list that has not arrived (the
    // program is slow, missing or failed) counts as selected, so that saving keeps it.
    QString selectedScannerSource() const;
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
    // What Cancel restores: every field but the user kind and the web-service test fields.
    struct Snapshot
    {
        QString municipality;
        QString office;
        QString updateAddress;
        QString updateProxy;
        bool checkUpdates = false;
        bool useDefaults = false;
        QString contractor;
        bool askForLocation = false;
        QString workFolderZk;
        QString workFolderKs;
        QString archiveFolder;
        QString scanner;
    };

    QWidget *buildDefaultsTab();
    QWidget *buildBuildTab();
    QWidget *buildArchiveTab();
    QWidget *buildScanTab();
    QWidget *buildUpdatesTab();
    QWidget *buildServiceTab();
    QString chooseFolder(QLineEdit *field, const QString &caption);
    void takeSnapshot();
    void restoreSnapshot();

    SifDlg *officePicker;
    SifDlg *municipalityPicker;
    ScannerSourceReader *scannerReader;
    QString wantedScanner;
    bool scannerListRead = false;
    Snapshot snapshot;
};
