#include "naming.h"

#include "model/elaboratsnapshot.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <utility>

const char *const idposRequiredText = "Splosni postopek in izpolnjena naslovna stran, zahteva ali "
                                      "upravni del elaborata zahtevata vpisan veljaven IDPOS.";

namespace {

const char *const elaboratTitle = "Elaborat";
const char *const buildTitle = "Izdelava elaborata";

NamingCheck passed(const QString &value)
{
    NamingCheck check;
    check.ok = true;
    check.value = value;
    return check;
}

NamingCheck failed(const QString &title, const QString &warning)
{
    NamingCheck check;
    check.title = title;
    check.warning = warning;
    return check;
}

// ASCII digits only: a cell may hold other scripts' digits or a trailing line break, and
// neither may reach a file name.
bool isDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// The wording names REZPOS by what building-cadastre users see: the building number.
NamingCheck checkNumbers(const QStringList &numbers, bool isKs)
{
    const QString subject
        = isKs ? QStringLiteral("IDPOS in/ali ST. STAVBE") : QStringLiteral("IDPOS in/ali REZPOS");
    bool allEmpty = true;
    bool digitsOnly = true;
    bool shortEnough = true;
    for (const QString &number : numbers) {
        allEmpty = allEmpty && number.isEmpty();
        digitsOnly = digitsOnly && (number.isEmpty() || isDigits(number));
        shortEnough = shortEnough && number.size() <= 5;
    }
    if (allEmpty)
        return failed(elaboratTitle, subject + QStringLiteral(" nista dolocena."));
    if (!digitsOnly)
        return failed(elaboratTitle, subject + QStringLiteral(" lahko vsebujeta samo stevilke."));
    if (!shortEnough)
        return failed(elaboratTitle, subject + QStringLiteral(" lahko vsebujeta najvec 5 znakov."));
    return passed(QString());
}

bool hasFilledComponent(const ElaboratSnapshot &snapshot, const QString &code)
{
    const int component = findComponentByCode(snapshot, code);
    return component >= 0 && hasChildren(snapshot, component);
}

QString yearOf(const QString &datum)
{
    return datum.section(QLatin1Char('.'), 2, 2);
}

// The identity checks that a name needs; whichever are asked for run in this order.
enum IdentityCheck
{
    OwnIdpos = 1,
    Ko = 2,
    CaseNumber = 4,
    RezposAlone = 8,
    Year = 16
};

// The first asked check that fails; a passed check without value when none does.
NamingCheck checkIdentity(const ElaboratIdentity &identity, int checks)
{
    const std::pair<int, NamingCheck> chain[] = {
        {OwnIdpos, checkIdpos(identity.idpos, QString::fromUtf8(idposRequiredText))},
        {Ko, checkKo(identity.ko)},
        {CaseNumber, checkCaseNumber(identity.idpos, identity.rezpos, identity.isKs)},
        {RezposAlone, checkRezpos(identity.rezpos, identity.isKs)},
        {Year, checkYear(identity.datum)},
    };
    for (const auto &[check, result] : chain) {
        if ((checks & check) && !result.ok)
            return result;
    }
    return passed(QString());
}

} // namespace

ElaboratIdentity identityOf(const ElaboratSnapshot &snapshot)
{
    ElaboratIdentity identity;
    identity.isKs = snapshot.isKs;
    identity.hasZpplps = hasProcedure(snapshot, QStringLiteral("ZPPLPS"));
    identity.needsIdpos = snapshot.isKs
        && (hasProcedure(snapshot, QStringLiteral("splosno"))
            || hasFilledComponent(snapshot, QStringLiteral("ns"))
            || hasFilledComponent(snapshot, QStringLiteral("zt"))
            || hasFilledComponent(snapshot, QStringLiteral("tev")));
    identity.ko = attributeValue(snapshot, QStringLiteral("KO"));
    identity.idpos = attributeValue(snapshot, QStringLiteral("IDPOS"));
    identity.rezpos = attributeValue(snapshot, QStringLiteral("REZPOS"));
    identity.zapst = attributeValue(snapshot, QStringLiteral("ZAPST"));
    identity.datum = attributeValue(snapshot, QStringLiteral("DATUM_ZADNJE_SPREMEMBE"));
    return identity;
}

QString sifko(const QString &ko)
{
    return ko.section(QLatin1Char(' '), 0, 0);
}

QString sifko4(const QString &ko)
{
    return sifko(ko).rightJustified(4, QLatin1Char('0'));
}

QString id5(const QString &caseNumber)
{
    return caseNumber.rightJustified(5, QLatin1Char('0'));
}

QString caseNumber(const ElaboratIdentity &identity)
{
    return identity.idpos.isEmpty() ? identity.rezpos : identity.idpos;
}

QString nnn(const QString &zapst)
{
    bool ok = false;
    const int version = zapst.toInt(&ok);
    if (!ok || version <= 0)
        return QStringLiteral("000");
    return QString::number(version).rightJustified(3, QLatin1Char('0'));
}

QString pdfEnding(const ElaboratIdentity &identity)
{
    if (identity.hasZpplps && !identity.datum.isEmpty())
        return QStringLiteral("_Z") + identity.datum.right(1);
    return identity.isKs ? QStringLiteral("_S") : QString();
}

QString pdfFileName(const QString &folder, const QString &sifko4, const QString &id5,
    const QString &ending, const QString &zapst)
{
    return joinPath(folder,
        sifko4 + QLatin1Char('_') + id5 + QLatin1Char('_') + nnn(zapst) + ending
            + QStringLiteral(".pdf"));
}

QString proposedPdfPath(const QString &folder, const ElaboratIdentity &identity)
{
    return pdfFileName(folder, sifko4(identity.ko), id5(caseNumber(identity)), pdfEnding(identity),
        identity.zapst);
}

NamingCheck checkKo(const QString &ko)
{
    if (ko.isEmpty())
        return failed(elaboratTitle, QStringLiteral("Sifra KO ni dolocena."));
    return passed(ko);
}

NamingCheck checkCaseNumber(const QString &idpos, const QString &rezpos, bool isKs)
{
    NamingCheck check = checkNumbers({idpos, rezpos}, isKs);
    if (check.ok)
        check.value = idpos.isEmpty() ? rezpos : idpos;
    return check;
}

NamingCheck checkRezpos(const QString &rezpos, bool isKs)
{
    NamingCheck check = checkNumbers({rezpos}, isKs);
    if (check.ok)
        check.value = rezpos;
    return check;
}

NamingCheck checkIdpos(const QString &idpos, const QString &reason)
{
    if (idpos.isEmpty())
        return failed(elaboratTitle, reason);
    if (!isDigits(idpos))
        return failed(elaboratTitle, QStringLiteral("IDPOS lahko vsebuje samo stevilke."));
    if (idpos.size() > 5)
        return failed(elaboratTitle, QStringLiteral("IDPOS lahko vsebuje najvec 5 znakov."));
    return passed(idpos);
}

NamingCheck checkYear(const QString &datum)
{
    const QString year = yearOf(datum);
    if (year.isEmpty())
        return failed(elaboratTitle, QStringLiteral("Datum zadnje spremembe nima letnice."));
    return passed(year);
}

NamingCheck checkPdfIdentity(const ElaboratIdentity &identity)
{
    // The "_Z" ending carries the year's last digit; without a year the name would lack it,
    // while the build then dates the elaborat today.
    const NamingCheck check = checkIdentity(identity,
        (identity.needsIdpos ? OwnIdpos : 0) | Ko | CaseNumber | (identity.hasZpplps ? Year : 0));
    return check.ok ? passed(caseNumber(identity)) : check;
}

PdfNameForm pdfNameForm(const ElaboratIdentity &identity)
{
    PdfNameForm form;
    form.ending = pdfEnding(identity);
    form.parts = form.ending.isEmpty() ? 3 : 4;
    form.lastPart = form.ending.mid(1);
    form.formatText = QStringLiteral("Ime PDF elaborata mora biti v obliki \"SIFKO_IDPOS_NNN")
        + form.ending + QStringLiteral(".PDF\".");
    return form;
}

bool acceptsPdfName(const QString &path, const ElaboratIdentity &identity)
{
    const QFileInfo file(path);
    if (file.suffix().toLower() != QLatin1String("pdf"))
        return false;
    const PdfNameForm form = pdfNameForm(identity);
    QString base = file.fileName();
    base.remove(QStringLiteral(".pdf"), Qt::CaseInsensitive);
    const QStringList parts = base.split(QLatin1Char('_'));
    if (parts.size() != form.parts)
        return false;
    if (parts.at(0) != sifko4(identity.ko) || parts.at(1) != id5(caseNumber(identity)))
        return false;
    if (parts.at(2).size() != 3 || !isDigits(parts.at(2)))
        return false;
    return form.parts == 3 || parts.at(3) == form.lastPart;
}

bool isUsableWorkFolder(const QString &workFolder)
{
    return !workFolder.isEmpty() && QDir::isAbsolutePath(workFolder);
}

NamingCheck elaboratFolder(const QString &workFolder, const ElaboratIdentity &identity)
{
    if (!isUsableWorkFolder(workFolder))
        return failed(buildTitle, QStringLiteral("Delovna mapa ni dolocena."));
    const NamingCheck year = checkYear(identity.datum);
    if (!year.ok)
        return year;
    QString folder = workFolder;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    QStringList parts;
    if (identity.isKs) {
        parts << QString(identity.ko).replace(QLatin1Char(' '), QLatin1Char('_'))
              << QStringLiteral("L_") + year.value << QStringLiteral("S") + identity.rezpos;
    } else {
        parts << sifko4(identity.ko) << QStringLiteral("L") + year.value
              << id5(caseNumber(identity)) + QStringLiteral("000");
    }
    return passed(joinPath(folder, parts.join(QLatin1Char('/'))));
}

NamingCheck zipFileName(const ElaboratIdentity &identity)
{
    const NamingCheck check = checkIdentity(identity, Ko | CaseNumber | (identity.isKs ? 0 : Year));
    if (!check.ok)
        return check;
    const QString stem = sifko4(identity.ko);
    const QString number = id5(caseNumber(identity));
    if (identity.isKs)
        return passed(stem + number + QStringLiteral(".zip"));
    return passed(stem + QLatin1Char('_') + number + QLatin1Char('_')
        + yearOf(identity.datum).right(2) + QStringLiteral(".zip"));
}

NamingCheck renFileName(const ElaboratIdentity &identity)
{
    const NamingCheck check = checkIdentity(identity, Ko | RezposAlone);
    if (!check.ok)
        return check;
    return passed(sifko4(identity.ko) + id5(identity.rezpos) + QStringLiteral("REN.pdf"));
}
