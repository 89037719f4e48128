#include "services/dialognastavitev.h"
#include "scriptedprompter.h"
#include "services/sifdlg.h"
#include "services/tcombobox.h"
#include "testprogramfolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <memory>

class DialogNastavitevTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<SifDlg> offices;
    std::unique_ptr<SifDlg> municipalities;
    std::unique_ptr<AppSettings> settings;
    std::unique_ptr<DialogNastavitev> dialog;

    void writeScanner(const QByteArray &script)
    {
        folder->writeTool(QStringLiteral("twain/TWAIN_APP_CMD"), "#!/bin/sh\n" + script);
    }

    void makeDialog()
    {
        offices = std::make_unique<SifDlg>(
            loadCodeNameList(QStringLiteral("iogu.csv")), QString(), QString(), QString());
        municipalities = std::make_unique<SifDlg>(
            loadCodeNameList(QStringLiteral("ko.csv")), QString(), QString(), QString());
        dialog = std::make_unique<DialogNastavitev>(*settings, offices.get(), municipalities.get());
    }

    // Runs the dialog on the settings, shown, through `session`, which ends it.
    int runShown(const std::function<void()> &session)
    {
        prompter->dialogs.enqueue([this, session](QDialog *) {
            dialog->show();
            session();
            return dialog->result();
        });
        return dialog->run();
    }

    static std::function<int(QDialog *)> pick(const QString &code, const QString &name)
    {
        return [code, name](QDialog *d) {
            auto *picker = static_cast<SifDlg *>(d);
            picker->codeBox()->setEditText(code);
            picker->nameBox()->setEditText(name);
            picker->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            return picker->result();
        };
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestProgramFolder>(TestProgramFolder::WithEmptyConfig);
        folder->write(QStringLiteral("config/iogu.csv"), "140 Ljubljana\n150 Maribor\n");
        folder->write(QStringLiteral("config/ko.csv"), "850 LJUBLJANA CENTER\n");
        writeScanner("printf '0:,Noname frontend-tester\\r\\n 3 :,  Plustek OpticSlim  \\nbrez "
                     "locila\\n'\n");
        prompter = std::make_unique<ScriptedPrompter>();
        settings = std::make_unique<AppSettings>(nullptr, nullptr);
        makeDialog();
    }

    void cleanup()
    {
        dialog.reset();
        settings.reset();
        municipalities.reset();
        offices.reset();
        prompter.reset();
        folder.reset();
    }

    void formOpensOnTheLastTabWithItsFields()
    {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Nastavitve"));
        QCOMPARE(dialog->tabWidget->currentWidget()->objectName(), QStringLiteral("tab_6"));
        QStringList tabs;
        for (int i = 0; i < dialog->tabWidget->count(); ++i)
            tabs << dialog->tabWidget->tabText(i);
        QCOMPARE(tabs,
            QStringList({"Privzete vrednosti", "Izdelava elaborata", "Arhiviranje", "Skeniranje",
                "Posodobitve", "DRUN"}));
        QVERIFY(dialog->r_izdelaj_dm->isChecked());
        for (QLineEdit *field : {dialog->le_gp, dialog->le_ko, dialog->le_dm, dialog->le_dm_2})
            QVERIFY(field->isReadOnly());
        QVERIFY(Qt::mightBeRichText(dialog->r_izdelaj_dm->toolTip()));
        QVERIFY(dialog->le_dm->toolTip().contains(QStringLiteral("06468000")));
        QVERIFY(dialog->le_dm_2->toolTip().contains(QStringLiteral("L_LETO")));
    }

    void scannerSourcesComeFromTheScanningProgram()
    {
        QTRY_COMPARE(dialog->skeniranje_cb_vir->count(), 2);
        QCOMPARE(dialog->skeniranje_cb_vir->itemText(0), QStringLiteral("Noname frontend-tester"));
        QCOMPARE(dialog->skeniranje_cb_vir->itemText(1), QStringLiteral("Plustek OpticSlim"));
        QCOMPARE(dialog->skeniranje_cb_vir->itemData(1).toInt(), 3);
    }

    void refreshKeepsTheSelectionByTextAndAFailingProgramKeepsTheItems()
    {
        QTRY_COMPARE(dialog->skeniranje_cb_vir->count(), 2);
        settings->values().scannerSource = QStringLiteral("Plustek OpticSlim");
        writeScanner("printf '5:,Plustek OpticSlim\\n'\n");
        dialog->refreshScannerSources();
        QTRY_COMPARE(dialog->skeniranje_cb_vir->count(), 1);
        QCOMPARE(settings->scannerSource(), QStringLiteral("Plustek OpticSlim"));
        QCOMPARE(settings->scannerSourceId(), 5);
        writeScanner("exit 3\n");
        dialog->refreshScannerSources();
        QTRY_VERIFY(!dialog->readingScannerSources());
        QCOMPARE(dialog->skeniranje_cb_vir->count(), 1);
    }

    void aSourceChosenBeforeTheListArrivesIsSelectedWhenItDoes()
    {
        settings->values().scannerSource = QStringLiteral("Plustek OpticSlim");
        QTRY_COMPARE(dialog->skeniranje_cb_vir->count(), 2);
        QCOMPARE(dialog->skeniranje_cb_vir->currentIndex(), 1);
    }

    void aSourceNamedBeforeAnyListIsKeptUntilAListLacksIt()
    {
        writeScanner("exit 3\n");
        makeDialog();
        settings->values().scannerSource = QStringLiteral("Plustek OpticSlim");
        QTRY_VERIFY(!dialog->readingScannerSources());
        QCOMPARE(dialog->skeniranje_cb_vir->count(), 0);
        QCOMPARE(settings->scannerSource(), QStringLiteral("Plustek OpticSlim"));

        writeScanner("printf '0:,Noname frontend-tester\\n'\n");
        dialog->refreshScannerSources();
        QTRY_COMPARE(dialog->skeniranje_cb_vir->count(), 1);
        QCOMPARE(settings->scannerSource(), QString());
    }

    void cancelRestoresTheSnapshotButKeepsTheUserKind()
    {
        settings->values().archiveFolder = QStringLiteral("/arhiv");
        settings->values().contractor = QStringLiteral("123");
        const int result = runShown([this] {
            dialog->le_arhiv->setText(QStringLiteral("/drugam"));
            dialog->le_sif_izv->setText(QStringLiteral("999"));
            dialog->r_izdelava_vprasaj->setChecked(true);
            dialog->radio_user_gp->setChecked(true);
            dialog->soap_endpoint->setText(QStringLiteral("http://drug/"));
            dialog->buttonBox->button(QDialogButtonBox::Cancel)->click();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(settings->archiveFolder(), QStringLiteral("/arhiv"));
        QCOMPARE(settings->contractorCode(), QStringLiteral("123"));
        QVERIFY(!settings->askForSaveLocation());
        QVERIFY(settings->officeUser());
        QCOMPARE(settings->webServiceAddress(), QStringLiteral("http://drug/"));
    }

    void escapeCancelsToo()
    {
        settings->values().workFolderZk = QStringLiteral("/dm");
        bool exposed = false;
        runShown([this, &exposed] {
            exposed = QTest::qWaitForWindowExposed(dialog.get());
            dialog->le_dm->setText(QStringLiteral("/drugo"));
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        });
        QVERIFY(exposed);
        QCOMPARE(settings->workFolderZk(), QStringLiteral("/dm"));
    }

    void okKeepsTheEditsAndTheTab()
    {
        const int result = runShown([this] {
            dialog->tabWidget->setCurrentIndex(2);
            dialog->le_arhiv->setText(QStringLiteral("/novo"));
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        dialog->show();
        QCOMPARE(dialog->tabWidget->currentIndex(), 2);
        QCOMPARE(settings->archiveFolder(), QStringLiteral("/novo"));
    }

    void choosingAnOfficeChecksTheOfficeUser()
    {
        dialog->radio_user_maticna->setChecked(true);
        prompter->dialogs.enqueue(pick(QStringLiteral("150"), QStringLiteral("Maribor")));
        dialog->b_gp->click();
        QCOMPARE(dialog->le_gp->text(), QStringLiteral("150 Maribor"));
        QVERIFY(dialog->radio_user_gp->isChecked());
    }

    void aCancelledPickerChangesNothing()
    {
        dialog->le_ko->setText(QStringLiteral("850 LJUBLJANA CENTER"));
        prompter->dialogs.enqueue(pick(QStringLiteral("9"), QStringLiteral("nic")));
        dialog->b_ko->click();
        QCOMPARE(dialog->le_ko->text(), QStringLiteral("850 LJUBLJANA CENTER"));
    }

    void aContractorCodeChecksTheContractorAndClearingKeepsIt()
    {
        dialog->radio_user_gp->setChecked(true);
        dialog->le_sif_izv->setText(QStringLiteral("5"));
        QVERIFY(dialog->radio_user_maticna->isChecked());
        dialog->le_sif_izv->clear();
        QVERIFY(dialog->radio_user_maticna->isChecked());
    }

    void folderChoosersFillTheirFieldsUnlessCancelled()
    {
        prompter->fileNames.enqueue(QStringLiteral("/delo/zk"));
        runShown([this] {
            dialog->b_dm->click();
            dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QCOMPARE(settings->workFolderZk(), QStringLiteral("/delo/zk"));
        QCOMPARE(prompter->shown.last().title, QStringLiteral("Izberi delovno mapo"));
        prompter->fileNames.enqueue(QString());
        QCOMPARE(dialog->chooseWorkFolderZk(), QStringLiteral("/delo/zk"));
        prompter->fileNames.enqueue(QStringLiteral("/arhiv"));
        QCOMPARE(dialog->chooseArchiveFolder(), QStringLiteral("/arhiv"));
        QCOMPARE(prompter->shown.last().title, QStringLiteral("Izberi mapo za arhiviranje"));
    }
};

QTEST_MAIN(DialogNastavitevTest)
#include "dialognastavitevtest.moc"
