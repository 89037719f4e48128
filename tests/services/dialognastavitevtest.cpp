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
        dialog = std::make_unique<DialogNastavitev>(offices.get(), municipalities.get());
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
        makeDialog();
    }

    void cleanup()
    {
        dialog.reset();
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
        dialog->skeniranje_cb_vir->setCurrentIndex(1);
        writeScanner("printf '5:,Plustek OpticSlim\\n'\n");
        dialog->refreshScannerSources();
        QTRY_COMPARE(dialog->skeniranje_cb_vir->count(), 1);
        QCOMPARE(dialog->skeniranje_cb_vir->currentText(), QStringLiteral("Plustek OpticSlim"));
        QCOMPARE(dialog->skeniranje_cb_vir->currentData().toInt(), 5);
        writeScanner("exit 3\n");
        dialog->refreshScannerSources();
        QTRY_VERIFY(!dialog->readingScannerSources());
        QCOMPARE(dialog->skeniranje_cb_vir->count(), 1);
    }

    void aSourceChosenBeforeTheListArrivesIsSelectedWhenItDoes()
    {
        dialog->selectScannerSource(QStringLiteral("Plustek OpticSlim"));
        QTRY_COMPARE(dialog->skeniranje_cb_vir->count(), 2);
        QCOMPARE(dialog->skeniranje_cb_vir->currentIndex(), 1);
    }

    void aSourceNamedBeforeAnyListIsKeptUntilAListLacksIt()
    {
        writeScanner("exit 3\n");
        makeDialog();
        dialog->selectScannerSource(QStringLiteral("Plustek OpticSlim"));
        QTRY_VERIFY(!dialog->readingScannerSources());
        QCOMPARE(dialog->skeniranje_cb_vir->count(), 0);
        QCOMPARE(dialog->selectedScannerSource(), QStringLiteral("Plustek OpticSlim"));

        writeScanner("printf '0:,Noname frontend-tester\\n'\n");
        dialog->refreshScannerSources();
        QTRY_COMPARE(dialog->skeniranje_cb_vir->count(), 1);
        QCOMPARE(dialog->selectedScannerSource(), QString());
    }

    void cancelRestoresTheSnapshotButKeepsTheUserKind()
    {
        dialog->le_arhiv->setText(QStringLiteral("/arhiv"));
        dialog->le_sif_izv->setText(QStringLiteral("123"));
        dialog->show();
        dialog->le_arhiv->setText(QStringLiteral("/drugam"));
        dialog->le_sif_izv->setText(QStringLiteral("999"));
        dialog->r_izdelava_vprasaj->setChecked(true);
        dialog->radio_user_gp->setChecked(true);
        dialog->soap_endpoint->setText(QStringLiteral("http://drug/"));
        dialog->buttonBox->button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(dialog->le_arhiv->text(), QStringLiteral("/arhiv"));
        QCOMPARE(dialog->le_sif_izv->text(), QStringLiteral("123"));
        QVERIFY(dialog->r_izdelaj_dm->isChecked());
        QVERIFY(dialog->radio_user_gp->isChecked());
        QCOMPARE(dialog->soap_endpoint->text(), QStringLiteral("http://drug/"));
    }

    void escapeCancelsToo()
    {
        dialog->le_dm->setText(QStringLiteral("/dm"));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->le_dm->setText(QStringLiteral("/drugo"));
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QCOMPARE(dialog->le_dm->text(), QStringLiteral("/dm"));
    }

    void okKeepsTheEditsAndTheTab()
    {
        dialog->show();
        dialog->tabWidget->setCurrentIndex(2);
        dialog->le_arhiv->setText(QStringLiteral("/novo"));
        dialog->buttonBox->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        dialog->show();
        QCOMPARE(dialog->tabWidget->currentIndex(), 2);
        QCOMPARE(dialog->le_arhiv->text(), QStringLiteral("/novo"));
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
        dialog->b_dm->click();
        QCOMPARE(dialog->le_dm->text(), QStringLiteral("/delo/zk"));
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
