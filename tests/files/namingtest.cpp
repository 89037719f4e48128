#include "files/naming.h"

#include "snapshotbuilder.h"

#include <QtTest>

namespace {

ElaboratIdentity identity(bool isKs, const QString &ko, const QString &idpos,
    const QString &rezpos = QString(), const QString &zapst = QString(),
    const QString &datum = QStringLiteral("07.03.2012"), bool zpplps = false)
{
    ElaboratIdentity id;
    id.isKs = isKs;
    id.hasZpplps = zpplps;
    id.ko = ko;
    id.idpos = idpos;
    id.rezpos = rezpos;
    id.zapst = zapst;
    id.datum = datum;
    return id;
}

const QString ljubljana = QStringLiteral("850 Ljubljana");

} // namespace

Q_DECLARE_METATYPE(ElaboratIdentity)

class NamingTest : public QObject
{
    Q_OBJECT

private slots:
    void fileNamesAndFolders_data();
    void fileNamesAndFolders();
    void nameJoinsFolderOnce();
    void zpplpsWithoutDate();
    void caseNumberChecks_data();
    void caseNumberChecks();
    void rezposAndIdposChecks();
    void koCheck();
    void ownIdposFromSnapshot_data();
    void ownIdposFromSnapshot();
    void identityChecksInOrder();
    void saveDialogNames_data();
    void saveDialogNames();
    void nameForms();
    void workFolders_data();
    void workFolders();
    void dateWithoutYear_data();
    void dateWithoutYear();
    void zipNames_data();
    void zipNames();
    void renNames();
};

void NamingTest::fileNamesAndFolders_data()
{
    QTest::addColumn<ElaboratIdentity>("id");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");

    QTest::newRow("land cadastre") << identity(false, ljubljana, "12") << "/w/0850/L2012/00012000"
                                   << "0850_00012_000.pdf";
    QTest::newRow("building cadastre")
        << identity(true, ljubljana, "12", "7") << "/w/850_Ljubljana/L_2012/S7"
        << "0850_00012_000_S.pdf";
    QTest::newRow("building cadastre ZPPLPS")
        << identity(true, ljubljana, "12", "7", "", "07.03.2012", true)
        << "/w/850_Ljubljana/L_2012/S7"
        << "0850_00012_000_Z2.pdf";
    QTest::newRow("land cadastre ZPPLPS")
        << identity(false, ljubljana, "12", "", "", "07.03.2013", true) << "/w/0850/L2013/00012000"
        << "0850_00012_000_Z3.pdf";
    QTest::newRow("REZPOS when IDPOS is empty")
        << identity(false, ljubljana, "", "7") << "/w/0850/L2012/00007000"
        << "0850_00007_000.pdf";
    QTest::newRow("ZAPST 1") << identity(false, ljubljana, "12", "", "1")
                             << "/w/0850/L2012/00012000"
                             << "0850_00012_001.pdf";
    QTest::newRow("ZAPST 0") << identity(false, ljubljana, "12", "", "0")
                             << "/w/0850/L2012/00012000"
                             << "0850_00012_000.pdf";
    QTest::newRow("ZAPST abc") << identity(false, ljubljana, "12", "", "abc")
                               << "/w/0850/L2012/00012000"
                               << "0850_00012_000.pdf";
    QTest::newRow("ZAPST negative")
        << identity(false, ljubljana, "12", "", "-4") << "/w/0850/L2012/00012000"
        << "0850_00012_000.pdf";
    QTest::newRow("long KO code") << identity(false, "12345 Dolga", "12345")
                                  << "/w/12345/L2012/12345000"
                                  << "12345_12345_000.pdf";
    QTest::newRow("KO code alone")
        << identity(false, "1722", "45", "", "", "05.03.2012") << "/w/1722/L2012/00045000"
        << "1722_00045_000.pdf";
    QTest::newRow("KS KO with several blanks")
        << identity(true, "2 Ig pri Ljubljani", "1", "33") << "/w/2_Ig_pri_Ljubljani/L_2012/S33"
        << "0002_00001_000_S.pdf";
}

void NamingTest::fileNamesAndFolders()
{
    QFETCH(ElaboratIdentity, id);
    QFETCH(QString, folder);
    QFETCH(QString, name);

    const NamingCheck made = elaboratFolder(QStringLiteral("/w"), id);
    QVERIFY2(made.ok, qPrintable(made.warning));
    QCOMPARE(made.value, folder);
    const QString path = proposedPdfPath(made.value, id);
    QCOMPARE(path, folder + "/" + name);
    // The save dialog must take back what it proposed.
    QVERIFY(acceptsPdfName(path, id));
}

void NamingTest::nameJoinsFolderOnce()
{
    const ElaboratIdentity id = identity(false, ljubljana, "12");
    QCOMPARE(proposedPdfPath(QString(), id), QStringLiteral("0850_00012_000.pdf"));
    QCOMPARE(proposedPdfPath(QStringLiteral("/x/"), id), QStringLiteral("/x/0850_00012_000.pdf"));
    QCOMPARE(
        pdfFileName("/x", "0850", "00012", "_S", "7"), QStringLiteral("/x/0850_00012_007_S.pdf"));
    QCOMPARE(
        elaboratFolder(QStringLiteral("/w/"), id).value, QStringLiteral("/w/0850/L2012/00012000"));
    QCOMPARE(elaboratFolder(QStringLiteral("/"), id).value, QStringLiteral("/0850/L2012/00012000"));
    QCOMPARE(nnn("1234"), QStringLiteral("1234"));
}

void NamingTest::zpplpsWithoutDate()
{
    QCOMPARE(pdfEnding(identity(true, ljubljana, "12", "7", "", "", true)), QStringLiteral("_S"));
    QCOMPARE(pdfEnding(identity(false, ljubljana, "12", "", "", "", true)), QString());
}

void NamingTest::caseNumberChecks_data()
{
    QTest::addColumn<QString>("idpos");
    QTest::addColumn<QString>("rezpos");
    QTest::addColumn<bool>("isKs");
    QTest::addColumn<QString>("result"); // the value, or the warning after "!"

    QTest::newRow("IDPOS") << "12"
                           << "" << false << "12";
    QTest::newRow("IDPOS before REZPOS") << "12"
                                         << "7" << true << "12";
    QTest::newRow("REZPOS alone") << ""
                                  << "7" << true << "7";
    QTest::newRow("five digits") << "00012"
                                 << "" << false << "00012";
    QTest::newRow("both empty ZK") << ""
                                   << "" << false << "!IDPOS in/ali REZPOS nista dolocena.";
    QTest::newRow("both empty KS") << ""
                                   << "" << true << "!IDPOS in/ali ST. STAVBE nista dolocena.";
    QTest::newRow("letters ZK") << "12a"
                                << "" << false
                                << "!IDPOS in/ali REZPOS lahko vsebujeta samo stevilke.";
    QTest::newRow("letters KS") << "12a"
                                << "" << true
                                << "!IDPOS in/ali ST. STAVBE lahko vsebujeta samo stevilke.";
    QTest::newRow("six digits ZK")
        << "123456"
        << "" << false << "!IDPOS in/ali REZPOS lahko vsebujeta najvec 5 znakov.";
    QTest::newRow("six digits KS")
        << "123456"
        << "" << true << "!IDPOS in/ali ST. STAVBE lahko vsebujeta najvec 5 znakov.";
    QTest::newRow("unused REZPOS is checked too")
        << "12"
        << "7b" << false << "!IDPOS in/ali REZPOS lahko vsebujeta samo stevilke.";
    QTest::newRow("digits before length")
        << "123456"
        << "x" << false << "!IDPOS in/ali REZPOS lahko vsebujeta samo stevilke.";
    QTest::newRow("long REZPOS") << ""
                                 << "999999" << false
                                 << "!IDPOS in/ali REZPOS lahko vsebujeta najvec 5 znakov.";
    QTest::newRow("trailing line break")
        << "12\n"
        << "" << false << "!IDPOS in/ali REZPOS lahko vsebujeta samo stevilke.";
    QTest::newRow("blank") << " 12"
                           << "" << false << "!IDPOS in/ali REZPOS lahko vsebujeta samo stevilke.";
    QTest::newRow("other script digits") << QString::fromUtf8("\u0661\u0662") << "" << false
                                         << "!IDPOS in/ali REZPOS lahko vsebujeta samo stevilke.";
}

void NamingTest::caseNumberChecks()
{
    QFETCH(QString, idpos);
    QFETCH(QString, rezpos);
    QFETCH(bool, isKs);
    QFETCH(QString, result);

    const NamingCheck check = checkCaseNumber(idpos, rezpos, isKs);
    if (result.startsWith('!')) {
        QVERIFY(!check.ok);
        QCOMPARE(check.title, QStringLiteral("Elaborat"));
        QCOMPARE(check.warning, result.mid(1));
    } else {
        QVERIFY2(check.ok, qPrintable(check.warning));
        QCOMPARE(check.value, result);
    }
}

void NamingTest::rezposAndIdposChecks()
{
    QCOMPARE(
        checkRezpos("", true).warning, QStringLiteral("IDPOS in/ali ST. STAVBE nista dolocena."));
    QCOMPARE(checkRezpos("", false).warning, QStringLiteral("IDPOS in/ali REZPOS nista dolocena."));
    QCOMPARE(checkRezpos("123456", true).warning,
        QStringLiteral("IDPOS in/ali ST. STAVBE lahko vsebujeta najvec 5 znakov."));
    QCOMPARE(checkRezpos("7", true).value, QStringLiteral("7"));

    const NamingCheck empty = checkIdpos("", "Razlog.");
    QVERIFY(!empty.ok);
    QCOMPARE(empty.title, QStringLiteral("Elaborat"));
    QCOMPARE(empty.warning, QStringLiteral("Razlog."));
    QCOMPARE(
        checkIdpos("1x", "Razlog.").warning, QStringLiteral("IDPOS lahko vsebuje samo stevilke."));
    QCOMPARE(checkIdpos("123456", "Razlog.").warning,
        QStringLiteral("IDPOS lahko vsebuje najvec 5 znakov."));
    QVERIFY(checkIdpos("12345", "Razlog.").ok);
}

void NamingTest::koCheck()
{
    const NamingCheck empty = checkKo(QString());
    QVERIFY(!empty.ok);
    QCOMPARE(empty.title, QStringLiteral("Elaborat"));
    QCOMPARE(empty.warning, QStringLiteral("Sifra KO ni dolocena."));
    QCOMPARE(checkKo(ljubljana).value, ljubljana);
    QCOMPARE(sifko(ljubljana), QStringLiteral("850"));
    QCOMPARE(sifko4("7"), QStringLiteral("0007"));
}

void NamingTest::ownIdposFromSnapshot_data()
{
    QTest::addColumn<bool>("isKs");
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QString>("component");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<bool>("needsIdpos");

    QTest::newRow("KS general") << true << "splosno"
                                << "x" << false << true;
    QTest::newRow("ZK general") << false << "splosno"
                                << "ns" << true << false;
    QTest::newRow("KS filled ns") << true << "p"
                                  << "ns" << true << true;
    QTest::newRow("KS filled zt") << true << "p"
                                  << "zt" << true << true;
    QTest::newRow("KS filled tev") << true << "p"
                                   << "tev" << true << true;
    QTest::newRow("KS empty tev") << true << "p"
                                  << "tev" << false << false;
    QTest::newRow("KS filled other") << true << "p"
                                     << "gr" << true << false;
}

void NamingTest::ownIdposFromSnapshot()
{
    QFETCH(bool, isKs);
    QFETCH(QString, procedure);
    QFETCH(QString, component);
    QFETCH(bool, filled);
    QFETCH(bool, needsIdpos);

    SnapshotBuilder b(isKs);
    b.procedure(procedure);
    b.attribute("KO", ljubljana);
    b.attribute("REZPOS", "7");
    const int c = b.component(component);
    if (filled)
        b.document(b.bookmark(c, "131", "Naslovna stran"), "a.pdf");
    const ElaboratIdentity id = identityOf(b.snapshot);
    QCOMPARE(id.needsIdpos, needsIdpos);
    QCOMPARE(id.ko, ljubljana);
    QCOMPARE(id.rezpos, QStringLiteral("7"));

    const NamingCheck check = checkPdfIdentity(id);
    QCOMPARE(check.ok, !needsIdpos);
    if (needsIdpos)
        QCOMPARE(check.warning, QString::fromUtf8(idposRequiredText));
    else
        QCOMPARE(check.value, QStringLiteral("7"));
}

void NamingTest::identityChecksInOrder()
{
    ElaboratIdentity id = identity(true, QString(), "12a");
    id.needsIdpos = true;
    QCOMPARE(checkPdfIdentity(id).warning, QStringLiteral("IDPOS lahko vsebuje samo stevilke."));
    id.needsIdpos = false;
    QCOMPARE(checkPdfIdentity(id).warning, QStringLiteral("Sifra KO ni dolocena."));
    id.ko = ljubljana;
    QCOMPARE(checkPdfIdentity(id).warning,
        QStringLiteral("IDPOS in/ali ST. STAVBE lahko vsebujeta samo stevilke."));
    id.idpos = QStringLiteral("12");
    id.hasZpplps = true;
    id.datum.clear();
    QCOMPARE(checkPdfIdentity(id).warning, QStringLiteral("Datum zadnje spremembe nima letnice."));
    id.datum = QStringLiteral("07.03.2012");
    QVERIFY(checkPdfIdentity(id).ok);
}

void NamingTest::saveDialogNames_data()
{
    QTest::addColumn<ElaboratIdentity>("id");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("accepted");

    const ElaboratIdentity zk = identity(false, ljubljana, "12");
    const ElaboratIdentity ks = identity(true, ljubljana, "12", "7");
    const ElaboratIdentity z = identity(true, ljubljana, "12", "7", "", "07.03.2012", true);
    QTest::newRow("upper-case suffix") << zk << "/d/0850_00012_001.PDF" << true;
    QTest::newRow("proposed") << zk << "/d/0850_00012_000.pdf" << true;
    QTest::newRow("two-digit version") << zk << "/d/0850_00012_1.pdf" << false;
    QTest::newRow("three-digit KO") << zk << "/d/850_00012_001.pdf" << false;
    QTest::newRow("other case number") << zk << "/d/0850_00013_001.pdf" << false;
    QTest::newRow("letters in version") << zk << "/d/0850_00012_00a.pdf" << false;
    QTest::newRow("other suffix") << zk << "/d/0850_00012_001.txt" << false;
    QTest::newRow("no suffix") << zk << "/d/0850_00012_001" << false;
    QTest::newRow("ending in land cadastre") << zk << "/d/0850_00012_001_S.pdf" << false;
    QTest::newRow("doubled suffix") << zk << "/d/0850_00012_001.pdf.PDF" << true;
    QTest::newRow("KS") << ks << "/d/0850_00012_001_S.pdf" << true;
    QTest::newRow("KS lower-case ending") << ks << "/d/0850_00012_001_s.pdf" << false;
    QTest::newRow("KS without ending") << ks << "/d/0850_00012_001.pdf" << false;
    QTest::newRow("ZPPLPS") << z << "/d/0850_00012_001_Z2.PDF" << true;
    QTest::newRow("ZPPLPS with S") << z << "/d/0850_00012_001_S.pdf" << false;
    QTest::newRow("ZPPLPS other year") << z << "/d/0850_00012_001_Z3.pdf" << false;
}

void NamingTest::saveDialogNames()
{
    QFETCH(ElaboratIdentity, id);
    QFETCH(QString, path);
    QFETCH(bool, accepted);

    QCOMPARE(acceptsPdfName(path, id), accepted);
}

void NamingTest::nameForms()
{
    const PdfNameForm zk = pdfNameForm(identity(false, ljubljana, "12"));
    QCOMPARE(zk.parts, 3);
    QCOMPARE(zk.ending, QString());
    QCOMPARE(zk.formatText,
        QStringLiteral("Ime PDF elaborata mora biti v obliki \"SIFKO_IDPOS_NNN.PDF\"."));

    const PdfNameForm ks = pdfNameForm(identity(true, ljubljana, "12", "7"));
    QCOMPARE(ks.parts, 4);
    QCOMPARE(ks.ending, QStringLiteral("_S"));
    QCOMPARE(ks.lastPart, QStringLiteral("S"));
    QCOMPARE(ks.formatText,
        QStringLiteral("Ime PDF elaborata mora biti v obliki \"SIFKO_IDPOS_NNN_S.PDF\"."));

    const PdfNameForm z = pdfNameForm(identity(true, ljubljana, "12", "7", "", "1.1.2019", true));
    QCOMPARE(z.parts, 4);
    QCOMPARE(z.ending, QStringLiteral("_Z9"));
    QCOMPARE(z.lastPart, QStringLiteral("Z9"));
    QCOMPARE(z.formatText,
        QStringLiteral("Ime PDF elaborata mora biti v obliki \"SIFKO_IDPOS_NNN_Z9.PDF\"."));
}

void NamingTest::workFolders_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("usable");

    QTest::newRow("empty") << "" << false;
    QTest::newRow("relative") << "elaborati" << false;
    QTest::newRow("dot") << "." << false;
#ifdef Q_OS_WIN
    QTest::newRow("drive") << "N:/" << true;
    QTest::newRow("drive without root") << "N:" << false;
#else
    QTest::newRow("drive letter") << "N:/" << false;
    QTest::newRow("absolute") << "/srv/elaborati" << true;
#endif
}

void NamingTest::workFolders()
{
    QFETCH(QString, folder);
    QFETCH(bool, usable);

    QCOMPARE(isUsableWorkFolder(folder), usable);
    const NamingCheck made = elaboratFolder(folder, identity(false, ljubljana, "12"));
    QCOMPARE(made.ok, usable);
    if (!usable) {
        QCOMPARE(made.title, QStringLiteral("Izdelava elaborata"));
        QCOMPARE(made.warning, QStringLiteral("Delovna mapa ni dolocena."));
    }
}

void NamingTest::dateWithoutYear_data()
{
    QTest::addColumn<QString>("datum");

    QTest::newRow("empty") << "";
    QTest::newRow("day and month") << "07.03";
    QTest::newRow("empty year") << "07.03.";
    QTest::newRow("year alone") << "2012";
}

void NamingTest::dateWithoutYear()
{
    QFETCH(QString, datum);

    const QString text = QStringLiteral("Datum zadnje spremembe nima letnice.");
    QCOMPARE(checkYear(datum).warning, text);
    const ElaboratIdentity zk = identity(false, ljubljana, "12", "", "", datum);
    const ElaboratIdentity ks = identity(true, ljubljana, "12", "7", "", datum);
    const NamingCheck folder = elaboratFolder(QStringLiteral("/w"), zk);
    QVERIFY(!folder.ok);
    QCOMPARE(folder.title, QStringLiteral("Elaborat"));
    QCOMPARE(folder.warning, text);
    QCOMPARE(elaboratFolder(QStringLiteral("/w"), ks).warning, text);
    QCOMPARE(zipFileName(zk).warning, text);
    // A building-cadastre package name has no year in it.
    QCOMPARE(zipFileName(ks).value, QStringLiteral("085000012.zip"));
}

void NamingTest::zipNames_data()
{
    QTest::addColumn<ElaboratIdentity>("id");
    QTest::addColumn<QString>("result"); // the name, or the warning after "!"

    QTest::newRow("ZK KO 12") << identity(false, "12 Ime", "7", "", "", "01.02.2019")
                              << "0012_00007_19.zip";
    QTest::newRow("KS KO 12") << identity(true, "12 Ime", "7") << "001200007.zip";
    QTest::newRow("ZK 1722") << identity(false, "1722 Kamnik", "45", "", "", "05.03.2012")
                             << "1722_00045_12.zip";
    QTest::newRow("KS 1722") << identity(true, "1722 Kamnik", "45") << "172200045.zip";
    QTest::newRow("REZPOS") << identity(false, "1722 Kamnik", "", "3", "", "05.03.2012")
                            << "1722_00003_12.zip";
    QTest::newRow("no KO") << identity(false, "", "45") << "!Sifra KO ni dolocena.";
    QTest::newRow("bad case number") << identity(true, "1722 Kamnik", "4x")
                                     << "!IDPOS in/ali ST. STAVBE lahko vsebujeta samo stevilke.";
}

void NamingTest::zipNames()
{
    QFETCH(ElaboratIdentity, id);
    QFETCH(QString, result);

    const NamingCheck name = zipFileName(id);
    if (result.startsWith('!')) {
        QVERIFY(!name.ok);
        QCOMPARE(name.warning, result.mid(1));
    } else {
        QVERIFY2(name.ok, qPrintable(name.warning));
        QCOMPARE(name.value, result);
    }
}

void NamingTest::renNames()
{
    QCOMPARE(renFileName(identity(true, "1722 Kamnik", "45", "9")).value,
        QStringLiteral("172200009REN.pdf"));
    const NamingCheck noRezpos = renFileName(identity(true, "1722 Kamnik", "45"));
    QVERIFY(!noRezpos.ok);
    QCOMPARE(noRezpos.warning, QStringLiteral("IDPOS in/ali ST. STAVBE nista dolocena."));
    QVERIFY(!renFileName(identity(true, "", "45", "9")).ok);
}

QTEST_GUILESS_MAIN(NamingTest)
#include "namingtest.moc"
