#include "services/sifdlg.h"
#include "scriptedprompter.h"
#include "services/tcombobox.h"
#include "testprogramfolder.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

class SifDlgTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> folder;
    QList<CodeName> list;
    std::unique_ptr<SifDlg> picker;

    void type(TComboBox *box, const QString &text)
    {
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        box->lineEdit()->setText(text);
    }

    int pressOk()
    {
        picker->codeBox()->clearFocus();
        picker->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        return picker->result();
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestProgramFolder>(TestProgramFolder::WithEmptyConfig);
        folder->write(QStringLiteral("config/ko.csv"),
            "850     LJUBLJANA  CENTER\r\n"
            "1720 KRAKOVSKO PREDMESTJE\n"
            "1721 GRADIŠČE I\n"
            "1722\n"
            "\n"
            " 9 leading blank\n"
            "1730 BEŽIGRAD\n");
        list = loadCodeNameList(QStringLiteral("ko.csv"));
        picker = std::make_unique<SifDlg>(list, QStringLiteral("Katastrska obcina"),
            QStringLiteral("Sifra KO"), QStringLiteral("Ime KO"));
        picker->show();
        QApplication::setActiveWindow(picker.get());
        QVERIFY(QTest::qWaitForWindowActive(picker.get()));
    }

    void cleanup()
    {
        picker.reset();
        folder.reset();
    }

    void listLinesBecomeCodesAndNames()
    {
        QCOMPARE(list.size(), 5);
        QCOMPARE(list.at(0).code, QStringLiteral("850"));
        QCOMPARE(list.at(0).name, QStringLiteral("LJUBLJANA CENTER"));
        QCOMPARE(list.at(3).code, QString());
        QCOMPARE(nameOf(list, QStringLiteral("1721")), QStringLiteral("GRADIŠČE I"));
        QCOMPARE(nameOf(list, QStringLiteral("1722")), QString());
        QCOMPARE(picker->windowTitle(), QStringLiteral("Katastrska obcina"));
    }

    void typing_data()
    {
        QTest::addColumn<bool>("inCodes");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("index");
        QTest::newRow("exact code") << true << "1721" << 2;
        QTest::newRow("prefix and star") << true << "172*" << 1;
        QTest::newRow("prefix alone") << true << "172" << -1;
        QTest::newRow("question mark") << true << "17?0" << 1;
        QTest::newRow("name any case") << false << "bež*" << 4;
        QTest::newRow("unknown name") << false << "Maribor" << -1;
    }

    void typing()
    {
        QFETCH(bool, inCodes);
        QFETCH(QString, typed);
        QFETCH(int, index);
        TComboBox *box = inCodes ? picker->codeBox() : picker->nameBox();
        TComboBox *other = inCodes ? picker->nameBox() : picker->codeBox();
        type(box, typed);
        QCOMPARE(other->currentIndex(), index);
        if (index >= 0)
            QCOMPARE(box->currentIndex(), index);
    }

    void typingWithoutFocusMatchesNothing()
    {
        picker->nameBox()->setFocus();
        QTRY_VERIFY(picker->nameBox()->hasFocus());
        picker->codeBox()->lineEdit()->setText(QStringLiteral("1721"));
        QCOMPARE(picker->nameBox()->currentIndex(), -1);
    }

    void okWithAMatchGivesCodeAndName()
    {
        type(picker->codeBox(), QStringLiteral("1720"));
        QCOMPARE(pressOk(), int(QDialog::Accepted));
        QCOMPARE(picker->resultText(), QStringLiteral("1720 KRAKOVSKO PREDMESTJE"));
    }

    void okWithoutAnExactCodeRejects()
    {
        type(picker->codeBox(), QStringLiteral("17"));
        QCOMPARE(pressOk(), int(QDialog::Rejected));
        QCOMPARE(picker->resultText(), QString());
    }

    void focusSelectsTheWholeText()
    {
        picker->codeBox()->lineEdit()->setText(QStringLiteral("850"));
        picker->nameBox()->setFocus();
        QTRY_VERIFY(picker->nameBox()->hasFocus());
        picker->codeBox()->setFocus();
        QTRY_VERIFY(picker->codeBox()->hasFocus());
        QCOMPARE(picker->codeBox()->lineEdit()->selectedText(), QStringLiteral("850"));
    }

    void missingListGivesAnEmptyPickerThatRejects()
    {
        const QList<CodeName> none = loadCodeNameList(QStringLiteral("missing.csv"));
        QCOMPARE(none.size(), 0);
        SifDlg empty(none, QString(), QString(), QString());
        empty.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(empty.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(SifDlgTest)
#include "sifdlgtest.moc"
