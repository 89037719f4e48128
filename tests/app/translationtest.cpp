#include "testprogramfolder.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

// The program folder's translations make the toolkit's standard buttons Slovenian.
class TranslationTest : public QObject
{
    Q_OBJECT

private:
    QTranslator tev;
    QTranslator qt;

    static QString text(QAbstractButton *button) { return button->text().remove(QLatin1Char('&')); }

private slots:
    void initTestCase()
    {
        const QString dir = TestProgramFolder::buildProgramDir();
        QVERIFY(tev.load(QStringLiteral("tev_sl"), dir));
        QVERIFY(qt.load(QStringLiteral("qt_sl"), dir));
        qApp->installTranslator(&tev);
        qApp->installTranslator(&qt);
    }

    void messageBoxButtons()
    {
        QMessageBox box(QMessageBox::Question, QString(), QStringLiteral("?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(text(box.button(QMessageBox::Yes)), QStringLiteral("Da"));
        QCOMPARE(text(box.button(QMessageBox::No)), QStringLiteral("Ne"));
        QCOMPARE(text(box.button(QMessageBox::Ok)), QStringLiteral("V redu"));
        QCOMPARE(text(box.button(QMessageBox::Cancel)), QStringLiteral("Prekliči"));
    }

    void buttonBoxButtons()
    {
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(text(buttons.button(QDialogButtonBox::Ok)), QStringLiteral("V redu"));
        QCOMPARE(text(buttons.button(QDialogButtonBox::Cancel)), QStringLiteral("Prekliči"));
    }
};

QTEST_MAIN(TranslationTest)
#include "translationtest.moc"
