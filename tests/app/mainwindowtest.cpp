#include "app/mainwindow.h"
#include "intake/documentwidget.h"
#include "model/ttreewidget.h"
#include "platform/toolrunner.h"
#include "scriptedprompter.h"
#include "services/dialognastavitev.h"
#include "testprogramfolder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <memory>

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<ScriptedPrompter> prompter;

    static std::function<int(QDialog *)> enterContractor(const QString &code)
    {
        return [code](QDialog *dialog) {
            static_cast<DialogNastavitev *>(dialog)->le_sif_izv->setText(code);
            return int(QDialog::Accepted);
        };
    }

    void writeCompleteSettings()
    {
        folder->write(QStringLiteral("config/tev.ini"), "[Nastavitve]\ngp=140\ngpUser=true\n");
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestProgramFolder>();
        folder->write(QStringLiteral("config/iogu.csv"), "140 Ljubljana\n");
        prompter = std::make_unique<ScriptedPrompter>();
    }

    void cleanup()
    {
        prompter.reset();
        folder.reset();
    }

    void firstRunInsistsOnSettingsUntilComplete()
    {
        int shownOnTab = -1;
        prompter->dialogs.enqueue([&shownOnTab](QDialog *dialog) {
            shownOnTab = static_cast<DialogNastavitev *>(dialog)->tabWidget->currentIndex();
            return int(QDialog::Rejected);
        });
        prompter->dialogs.enqueue(enterContractor(QStringLiteral("1234567")));
        MainWindow window;
        const QString warning
            = QStringLiteral("Pred začetkom dela je treba nastaviti geodetsko "
                             "pisarno oziroma, če ste izvajalec, šifro izvajalca.");
        QCOMPARE(prompter->messageTexts(), QStringList({warning, warning}));
        QCOMPARE(shownOnTab, 0);
        QCOMPARE(window.windowTitle(), QStringLiteral("TEV - Tevora (IZVAJALEC: 1234567)"));
        QVERIFY(window.windowState() & Qt::WindowMaximized);
        QVERIFY(folder->read(QStringLiteral(".tmp/debug.log"))
                    .startsWith("\r\n--------session start----------\r\n"));
    }

    void completeSettingsStartQuietlyWithTheOfficeInTheTitle()
    {
        writeCompleteSettings();
        MainWindow window;
        QVERIFY(prompter->shown.isEmpty());
        QCOMPARE(window.windowTitle(),
            QStringLiteral("TEV - Tevora (GEODETSKA PISARNA: 140 Ljubljana)"));
    }

    // Configuration that cannot be read whole is told file by file, in boxes without parent.
    void unreadableConfigurationIsToldAtStart()
    {
        writeCompleteSettings();
        QVERIFY(QFile::remove(folder->path(QStringLiteral("config/zk.xml"))));
        folder->write(QStringLiteral("config/ks_sifrant.xml"), "<s><vrsta><id>1</id>");
        MainWindow window;
        QCOMPARE(prompter->shown.size(), 2);
        for (const ScriptedPrompter::Shown &box : prompter->shown) {
            QCOMPARE(box.kind, ScriptedPrompter::MessageBox);
            QCOMPARE(box.icon, QMessageBox::Critical);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
        QCOMPARE(prompter->shown.at(0).title, QStringLiteral("QXSRExample::parseXML"));
        QCOMPARE(prompter->shown.at(0).text, QStringLiteral("Couldn't open example.xml"));
        QCOMPARE(prompter->shown.at(1).title, QStringLiteral("MainWindow::Sifrant"));
    }

    void settingsActionRepeatsUntilComplete()
    {
        writeCompleteSettings();
        MainWindow window;
        prompter->dialogs.enqueue([](QDialog *dialog) {
            auto *settings = static_cast<DialogNastavitev *>(dialog);
            settings->le_gp->clear();
            return int(QDialog::Accepted);
        });
        prompter->dialogs.enqueue(enterContractor(QStringLiteral("77")));
        window.actionNastavitve->trigger();
        QCOMPARE(prompter->count(ScriptedPrompter::MessageBox), 1);
        QCOMPARE(prompter->count(ScriptedPrompter::Dialog), 2);
        QCOMPARE(window.windowTitle(), QStringLiteral("TEV - Tevora (IZVAJALEC: 77)"));
    }

    void formHasItsMenusAndControls()
    {
        writeCompleteSettings();
        MainWindow window;
        const QList<QAction *> top = window.menuBar()->actions();
        QCOMPARE(top.size(), 2);
        QCOMPARE(top.at(0)->text(), QStringLiteral("Elaborat"));
        QCOMPARE(top.at(1)->text(), QStringLiteral("Pomoč"));
        QStringList labels;
        for (QAction *action : top.at(0)->menu()->actions())
            labels << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(labels,
            QStringList({"Nov...", "Odpri...", "Zapri", "Izdelaj", "Arhiviraj...", "Preveri...",
                "-", "Nastavitve...", "-", "Izhod"}));
        QCOMPARE(
            window.menuIzdelaj->actions(), QList<QAction *>({window.actionPDF, window.actionZIP}));
        labels.clear();
        for (QAction *action : top.at(1)->menu()->actions())
            labels << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(labels,
            QStringList({"PDF pomoč", "Posodobitve programa", "O programu", "-", "Log datoteka"}));
        QCOMPARE(window.scaleComboBox->count(), 9);
        QCOMPARE(window.scaleComboBox->currentText(), QStringLiteral("100%"));
        QVERIFY(!window.scaleComboBox->isEnabled());
        QVERIFY(!window.pageSpinBox->isEnabled());
        QCOMPARE(window.l_npages->text(), QStringLiteral("0"));
    }

    void withoutElaboratOnlyOpeningIsOffered()
    {
        writeCompleteSettings();
        MainWindow window;
        QVERIFY(window.actionOdpri->isEnabled());
        QVERIFY(window.actionNov->isEnabled());
        for (QAction *action : {window.actionPDF, window.actionZIP, window.actionPreveri,
                 window.actionZapri, window.actionArhiviraj})
            QVERIFY(!action->isEnabled());
    }

    void closingSavesTheSettingsAndRemovesTheTempFolder()
    {
        writeCompleteSettings();
        {
            MainWindow window;
            window.windowSettings().lastFolder = QStringLiteral("/podatki");
            QVERIFY(QFileInfo::exists(folder->path(QStringLiteral(".tmp"))));
            QVERIFY(window.close());
        }
        QVERIFY(!QFileInfo::exists(folder->path(QStringLiteral(".tmp"))));
        const QByteArray ini = folder->read(QStringLiteral("config/tev.ini"));
        QVERIFY(ini.contains("zadnja_mapa=/podatki"));
        QVERIFY(ini.contains("gp=140"));
    }

    void settingsThatCannotBeSavedAreReportedOnceAtClose()
    {
        writeCompleteSettings();
        MainWindow window;
        // Not even root can write a settings file that is a folder.
        QVERIFY(QFile::remove(folder->path(QStringLiteral("config/tev.ini"))));
        QVERIFY(QDir(folder->path(QStringLiteral("config"))).mkdir(QStringLiteral("tev.ini")));
        QVERIFY(window.close());
        QCOMPARE(prompter->messageTexts(),
            QStringList {QStringLiteral("Nastavitev ni bilo mogoce shraniti v datoteko %1.")
                             .arg(QDir::toNativeSeparators(
                                 folder->path(QStringLiteral("config/tev.ini"))))});
    }

    void previewShowsAWholeFileOrOnePage()
    {
        writeCompleteSettings();
        const QString pdf = folder->path(QStringLiteral("dve.pdf"));
        {
            QPdfWriter writer(pdf);
            QPainter painter(&writer);
            writer.newPage();
        }
        MainWindow window;
        QVERIFY(window.showFile(pdf, 0, 0));
        QVERIFY(window.pageSpinBox->isEnabled());
        QVERIFY(window.scaleComboBox->isEnabled());
        QCOMPARE(window.l_npages->text(), QStringLiteral("2"));
        window.pageSpinBox->setValue(2);
        QCOMPARE(window.preview()->currentPageNumber(), 2);

        QVERIFY(window.showFile(pdf, 0, 2));
        QVERIFY(!window.pageSpinBox->isEnabled());
        QCOMPARE(window.l_npages->text(), QStringLiteral("1"));
        QCOMPARE(window.preview()->currentPageNumber(), 2);

        emit window.treeWidget->itemSelectionChanged();
        QVERIFY(!window.preview()->document());
        QVERIFY(!window.scaleComboBox->isEnabled());
        QCOMPARE(window.l_npages->text(), QStringLiteral("0"));

        QVERIFY(!window.showFile(folder->path(QStringLiteral("ni.pdf")), 0, 0));
        QCOMPARE(prompter->messageTexts(),
            QStringList {QStringLiteral("Ne morem odpreti izbrane datoteke.")});
    }

    void aboutShowsLogoNameAndVersion()
    {
        writeCompleteSettings();
        MainWindow window;
        bool checked = false;
        prompter->dialogs.enqueue([&checked](QDialog *about) {
            const auto *name = about->findChild<QLabel *>(QStringLiteral("label_2"));
            checked = about->windowTitle() == QLatin1String("O programu")
                && about->findChild<QLabel *>(QStringLiteral("l_verzija"))->text()
                    == QLatin1String("2.4.5")
                && name->text() == QLatin1String("  Tevora") && name->font().bold()
                && !about->findChild<QLabel *>(QStringLiteral("label"))->pixmap().isNull();
            return int(QDialog::Accepted);
        });
        window.actionO_programu->trigger();
        QVERIFY(checked);
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindowtest.moc"
