#pragma once

#include <QString>

struct ElaboratSnapshot;

// What names an elaborat's PDF, its folder and its package: the kind and the attribute values,
// taken as they stand, without trimming.
struct ElaboratIdentity
{
    bool isKs = false;
    bool hasZpplps = false; // the elaborat has the procedure "ZPPLPS"
    bool needsIdpos = false; // a building-cadastre elaborat that must carry its own IDPOS
    QString ko;
    QString idpos;
    QString rezpos;
    QString zapst;
    QString datum; // DATUM_ZADNJE_SPREMEMBE
};

// The outcome of a check: `value` when `ok`, otherwise the warning box to show.
struct NamingCheck
{
    bool ok = false;
    QString value;
    QString title;
    QString warning;
};

// The form a PDF name chosen in the save dialog must have.
struct PdfNameForm
{
    int parts = 3; // parts of the name split at "_"
    QString ending; // "", "_S" or "_Z" and a digit
    QString lastPart; // the fourth part, when there are four
    QString formatText; // the warning text for a name of another form
};

// The reason the IDPOS check gives when a building-cadastre elaborat must carry its own IDPOS.
extern const char *const idposRequiredText;

// The identity of the elaborat in the snapshot. `needsIdpos` holds for a building-cadastre
// elaborat with the procedure "splosno" or with a filled component "ns", "zt" or "tev".
ElaboratIdentity identityOf(const ElaboratSnapshot &snapshot);

// The municipality code SIFKO: the text of `KO` before its first blank.
QString sifko(const QString &ko);

// SIFKO padded on the left with "0" to 4 characters; a longer code keeps all its characters.
QString sifko4(const QString &ko);

// The case number padded on the left with "0" to 5 characters.
QString id5(const QString &caseNumber);

// The case number that names the files: IDPOS, or REZPOS when IDPOS is empty.
QString caseNumber(const ElaboratIdentity &identity);

// The three-digit version part: ZAPST when it is a number above 0 (a longer one keeps its
// digits), else "000".
QString nnn(const QString &zapst);

// The file name ending: "_Z" and the last character of the date for an elaborat with
// "ZPPLPS" and a date, else "_S" in the building cadastre and nothing in the land cadastre.
QString pdfEnding(const ElaboratIdentity &identity);

// folder/SIFKO4_ID5_NNN<ending>.pdf; an empty folder gives the bare file name and a folder
// ending in "/" gets no second one.
QString pdfFileName(const QString &folder, const QString &sifko4, const QString &id5,
    const QString &ending, const QString &zapst);

// The PDF path the rules give the elaborat in `folder`.
QString proposedPdfPath(const QString &folder, const ElaboratIdentity &identity);

// `KO` must not be empty; the value is `KO`.
NamingCheck checkKo(const QString &ko);

// IDPOS and REZPOS: not both empty, digits only, at most 5 characters each, with the wording of
// the kind; the value is the case number.
NamingCheck checkCaseNumber(const QString &idpos, const QString &rezpos, bool isKs);

// The same checks for REZPOS alone; the value is REZPOS.
NamingCheck checkRezpos(const QString &rezpos, bool isKs);

// IDPOS must be present (else the warning is `reason`), digits only, at most 5 characters.
NamingCheck checkIdpos(const QString &idpos, const QString &reason);

// The year of a date written day.month.year: its third "." part, which must not be empty.
NamingCheck checkYear(const QString &datum);

// The checks every PDF build runs first, in order: the own IDPOS when the elaborat needs one,
// then KO, then the case number, then, for the "_Z" ending of ZPPLPS, the year of the date;
// the value is the case number.
NamingCheck checkPdfIdentity(const ElaboratIdentity &identity);

// The form of the PDF name; it follows the ending, so the proposed name always passes.
PdfNameForm pdfNameForm(const ElaboratIdentity &identity);

// Whether a name chosen in the save dialog has the elaborat's form: every ".pdf" removed
// (letter case ignored), split at "_", the part count of the form, SIFKO4, ID5, three
// digits, the form's last part (letter case counts), and the suffix "pdf" in any case.
bool acceptsPdfName(const QString &path, const ElaboratIdentity &identity);

// Whether a configured work folder can take elaborates: an absolute path on this system. Any
// other (empty, relative, or a drive letter where there are none) counts as not set.
bool isUsableWorkFolder(const QString &workFolder);

// The elaborat's folder below the work folder: land cadastre SIFKO4/L<year>/<ID5>000, building
// cadastre <KO with "_" for blanks>/L_<year>/S<REZPOS>. Fails when the work folder is not
// usable or the date has no year.
NamingCheck elaboratFolder(const QString &workFolder, const ElaboratIdentity &identity);

// The proposed name of the ZIP package after the KO and case-number checks: building cadastre
// SIFKO4 + ID5 + ".zip", land cadastre SIFKO4_ID5_<last two digits of the year>.zip.
NamingCheck zipFileName(const ElaboratIdentity &identity);

// The name of the REN PDF of a building-cadastre package, SIFKO4 + REZPOS in 5 digits +
// "REN.pdf", after the KO and REZPOS checks.
NamingCheck renFileName(const ElaboratIdentity &identity);
