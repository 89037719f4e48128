#pragma once

#include "appsettings.h"
#include "catalog/katalog.h"

#include <QMainWindow>
#include <memory>

class DialogNastavitev;
class DocumentWidget;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class QSpinBox;
class QSplitter;
class SifDlg;
class SifrantDlg;
class TTreeWidget;

// The program's only window: the tree of open elaborates on the left, the page preview and the
// attribute tables on the right. It owns the long-lived dialogs and routes the menu actions.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    static QString version() { return QStringLiteral("2.4.5"); }

    AppSettings &settings() { return appSettings; }
    DialogNastavitev *settingsDialog() const { return nastavitve; }
    SifDlg *officePicker() const { return offices; }
    SifDlg *municipalityPicker() const { return municipalities; }
    TTreeWidget *tree() const { return treeWidget; }
    QString tempFolder() const { return tempDir; }
    WindowSettings &windowSettings() { return members; }
    DocumentWidget *preview() const { return documentWidget; }
    SifrantDlg *sifrantDialog() const { return sifrant.get(); }
    const Katalog &katalog() const { return catalogue; }

    // Loads a file into the preview with its rotation; `page` 0 shows the whole file with the
    // page spin box, another page shows only that page. Tells the user when it cannot load.
    bool showFile(const QString &path, int rotation, int page);

    // Enables the actions that the current elaborat's state allows.
    void updateActions();
    void updateWindowTitle();
    // Warns and runs the settings dialog until an office or a contractor code is set.
    void checkSettingsAtStart();

    QAction *actionNov;
    QAction *actionOdpri;
    QAction *actionZapri;
    QAction *actionPDF;
    QAction *actionZIP;
    QAction *actionArhiviraj;
    QAction *actionPreveri;
    QAction *actionNastavitve;
    QAction *actionIzhod;
    QAction *actionPDF_pomo;
    QAction *actionPosodobitve;
    QAction *actionO_programu;
    QAction *actionLog_datoteka;
    QMenu *menuIzdelaj;

    QSplitter *splitter_2;
    TTreeWidget *treeWidget;
    QSplitter *splitter;
    QScrollArea *scrollArea;
    QLabel *pageLabel;
    QSpinBox *pageSpinBox;
    QLabel *label_2;
    QLabel *l_npages;
    QLabel *label;
    QComboBox *scaleComboBox;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_actionNastavitve_triggered();
    void on_actionIzhod_triggered();
    void on_actionPDF_pomo_triggered();
    void on_actionO_programu_triggered();
    void on_treeWidget_itemSelectionChanged();

private:
    void createForm();
    void createActions();
    void createMenus();
    QWidget *createPreviewPane();
    void setUpTree();
    void createPreview();
    void loadCatalogues();
    void runSettingsDialog();

    SifDlg *offices;
    SifDlg *municipalities;
    DialogNastavitev *nastavitve;
    AppSettings appSettings;
    WindowSettings members;
    QString tempDir;
    DocumentWidget *documentWidget;
    std::unique_ptr<SifrantDlg> sifrant;
    Katalog catalogue;
};
