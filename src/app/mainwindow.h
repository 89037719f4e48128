#pragma once

#include "catalog/codenamelist.h"
#include "catalog/katalog.h"
#include "model/elaboratcontext.h"
#include "platform/appsettings.h"

#include <QMainWindow>
#include <memory>

class CodeLists;
class DialogNastavitev;
class DocumentWidget;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class QSpinBox;
class QSplitter;
class RecoveryRecorder;
class SifDlg;
class SifrantDlg;
class TTreeDokument;
class TTreeElaborat;
class TTreeWidget;
class UpdateChecker;

// The program's only window: the tree of open elaborates on the left, the page preview and the
// attribute tables on the right. It owns the long-lived dialogs and routes the menu actions.
class MainWindow : public QMainWindow, public ElaboratContext
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    AppSettings &settings() { return appSettings; }
    const AppSettings &settings() const override { return appSettings; }
    DialogNastavitev *settingsDialog() const { return nastavitve; }
    TTreeWidget *tree() const { return treeWidget; }
    QString tempFolder() const { return tempDir; }
    WindowSettings &windowSettings() override { return members; }
    DocumentWidget *preview() const { return documentWidget; }
    const Katalog &katalog() const override { return catalogue; }
    QWidget *dialogParent() override { return this; }
    SifrantDlg &typeDialog() override { return *sifrant; }
    QString codeName(Picker list, const QString &code) const override;
    std::optional<QString> pickCode(Picker list) override;
    std::optional<QStringList> chooseProcedures(const QList<const PostopekDef *> &own,
        const QList<const PostopekDef *> &candidates) override;
    void closePreview() override;
    // Keeps the recovery record of every open elaborat in its scratch folder.
    RecoveryRecorder *recoveryRecorder() const { return recorder; }

    // Loads a file into the preview with its rotation; `page` 0 shows the whole file with the
    // page spin box, another page shows only that page. Tells the user when it cannot load.
    bool showFile(const QString &path, int rotation, int page);
    // Shows the document's file in the preview: the whole file, or the one page it stands for.
    bool showDocument(const TTreeDokument *document) override;

    // Builds a new elaborat in the tree from catalogue indices: the first procedure makes it
    // with the attribute rows of the building cadastre when `isKs`, else of the land cadastre;
    // the others are added in order. Its kind is the first procedure's, or `isKs` with
    // `forceKind`. Nothing (nullptr) for an empty list.
    TTreeElaborat *createElaborat(const QList<int> &indices, bool isKs, bool forceKind);

    // Enables the actions that the current elaborat's state allows: "PDF..." while it is
    // modified, the ZIP package and archiving while it is up to date.
    void updateActions() override;
    // Whether the window may close: asks, naming the last modified elaborat in tree order,
    // when some elaborat changed since its PDF was made.
    bool confirmClose();
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

public slots:
    // "PDF..." (and the elaborat menu's "Izdelaj PDF elaborata"): builds the current
    // elaborat's PDF behind the build dialog.
    void on_actionPDF_triggered();
    // "stisnjen paket...": packs the current elaborat into a ZIP package behind the dialog.
    void on_actionZIP_triggered();
    // "Arhiviraj...": moves the current elaborat's PDF into the archive folder.
    void on_actionArhiviraj_triggered();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Delete removes the selected items of the tree, after the user confirms.
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void on_actionNov_triggered();
    // "Odpri...": opens an elaborat again from its PDF or its ZIP package.
    void on_actionOdpri_triggered();
    void on_actionZapri_triggered();
    // "Preveri...": the check of the current elaborat, in its own dialog.
    void on_actionPreveri_triggered();
    void on_actionNastavitve_triggered();
    void on_actionIzhod_triggered();
    void on_actionPDF_pomo_triggered();
    void on_actionO_programu_triggered();
    void on_actionPosodobitve_triggered();
    void on_actionLog_datoteka_triggered();
    void on_treeWidget_itemSelectionChanged();

private:
    void createForm();
    void createActions();
    void createMenus();
    QWidget *createPreviewPane();
    void setUpTree();
    void createPreview();
    void createUpdateChecker();
    // Reads the procedure catalogue and returns the code lists, telling the user, file by file,
    // what could not be read whole.
    CodeLists loadCatalogues();
    void loadSettings();
    void fillNewElaboratDefaults(TTreeElaborat *elaborat);

    QList<CodeName> officeList;
    QList<CodeName> municipalityList;
    SifDlg *offices;
    SifDlg *municipalities;
    AppSettings appSettings;
    DialogNastavitev *nastavitve;
    WindowSettings members;
    QString tempDir;
    DocumentWidget *documentWidget;
    std::unique_ptr<SifrantDlg> sifrant;
    Katalog catalogue;
    UpdateChecker *updates;
    RecoveryRecorder *recorder;
};
