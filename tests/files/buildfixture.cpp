#include "buildfixture.h"

#include "files/dialogizdelavaelaborata.h"
#include "model/ttreebookmark.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

const QByteArray BuildFixture::zkCatalogue = R"(<?xml version="1.0" encoding="UTF-8"?>
<katalog>
  <atributi>
    <atribut id="GEODETSKA_PISARNA" ime="GEODETSKA PISARNA" izpolni="gp"/>
    <atribut id="KO" ime="KO"/>
    <atribut id="IDPOS" ime="IDPOS"/>
    <atribut id="REZPOS" ime="REZPOS"/>
    <atribut id="ZAPST" ime="ZAPST"/>
    <atribut id="OPIS" ime="OPIS"/>
    <atribut id="DATUM_ZADNJE_SPREMEMBE" ime="DATUM ZADNJE SPREMEMBE"/>
    <atribut id="POSTOPKI" ime="POSTOPKI"/>
  </atributi>
  <postopek id="splosno" ime="Splošni postopek"/>
  <postopek id="UM" ime="Ureditev meje">
    <sestavina ime="skica" sifra="sk" obvezno="da" bookmark="112"/>
    <sestavina ime="zapisniki" sifra="zp"/>
    <sestavina ime="digitalni podatki" sifra="dp"/>
  </postopek>
  <postopek id="PAR" ime="Parcelacija">
    <sestavina ime="izračuni" sifra="iz"/>
  </postopek>
</katalog>
)";

const QByteArray BuildFixture::ksCatalogue = R"(<?xml version="1.0" encoding="UTF-8"?>
<katalog>
  <atributi>
    <atribut id="KO" ime="KO"/>
    <atribut id="IDPOS" ime="IDPOS"/>
    <atribut id="REZPOS" ime="ST. STAVBE"/>
    <atribut id="DATUM_ZADNJE_SPREMEMBE" ime="DATUM ZADNJE SPREMEMBE"/>
    <atribut id="POSTOPKI" ime="POSTOPKI"/>
  </atributi>
  <postopek id="VS" ime="Vpis stavbe">
    <sestavina ime="načrti" sifra="nc" bookmark="104"/>
    <sestavina ime="vprašalnik" sifra="vp" bookmark="110"/>
    <sestavina ime="naslovna stran" sifra="ns"/>
    <sestavina ime="digitalni podatki" sifra="dp"/>
  </postopek>
  <postopek id="ks_vpis_vprasalnika" ime="Vpis vprašalnika"/>
  <postopek id="ZPPLPS" ime="Prevzem podatkov"/>
</katalog>
)";

BuildFixture::BuildFixture()
{
    base.writeConfig(QStringLiteral("zk.xml"), zkCatalogue);
    base.writeConfig(QStringLiteral("ks.xml"), ksCatalogue);
    base.start();
    window().settings().values().workFolderZk = workFolderZk();
    window().settings().values().workFolderKs = workFolderKs();
}

TTreeElaborat *BuildFixture::create(const QStringList &ids)
{
    QList<int> indices;
    for (const QString &id : ids)
        indices << window().katalog().procedureIndexById(id);
    const PostopekDef *first = window().katalog().procedure(indices.value(0, -1));
    return window().createElaborat(indices, first && first->kind == Kataster::KS, false);
}

TTreeBookmark *BuildFixture::bookmark(TTreeElaborat *elaborat, const QString &componentCode,
    const QString &code, const QString &title)
{
    return new TTreeBookmark(
        code, code + QLatin1Char(' ') + title, elaborat->findSestavinaBySifra(componentCode));
}

QString BuildFixture::pdf(const QString &name, int pages, const QString &label) const
{
    return TestFiles::writePdf(path(name), pages, label);
}

QString BuildFixture::image(const QString &name) const
{
    return base.makeImage(name);
}

void BuildFixture::setLandIdentity(TTreeElaborat *elaborat)
{
    elaborat->setAttribute(QStringLiteral("KO"), QStringLiteral("850 Ljubljana"));
    elaborat->setAttribute(QStringLiteral("IDPOS"), QStringLiteral("12"));
    elaborat->setAttribute(QStringLiteral("DATUM_ZADNJE_SPREMEMBE"), QStringLiteral("07.03.2012"));
}

BuildFixture::Outcome BuildFixture::outcomeOf(const DialogIzdelavaElaborata *dialog)
{
    Outcome outcome;
    outcome.shown = true;
    outcome.title = dialog->windowTitle();
    outcome.text = dialog->plainTextEdit->toPlainText();
    outcome.exploreText = dialog->b_explore->text();
    outcome.outputPath = dialog->outputPath();
    outcome.progress = !dialog->progressBar->isHidden();
    outcome.prekini = !dialog->b_prekini->isHidden();
    outcome.stisni = !dialog->b_stisni->isHidden();
    outcome.explore = !dialog->b_explore->isHidden();
    outcome.succeeded = dialog->succeeded();
    return outcome;
}

void BuildFixture::awaitBuild(const std::function<void(DialogIzdelavaElaborata *)> &finish)
{
    last = Outcome();
    prompter().dialogs.enqueue([this, finish](QDialog *shown) {
        auto *dialog = qobject_cast<DialogIzdelavaElaborata *>(shown);
        if (!dialog)
            return int(QDialog::Rejected);
        // QTRY_VERIFY returns on failure; the test then sees an outcome that was never shown.
        [dialog] { QTRY_VERIFY_WITH_TIMEOUT(!dialog->working(), 60000); }();
        last = outcomeOf(dialog);
        if (finish)
            finish(dialog);
        else
            dialog->reject();
        return dialog->result();
    });
}

BuildFixture::Outcome BuildFixture::buildPdf()
{
    awaitBuild();
    window().on_actionPDF_triggered();
    return last;
}

void BuildFixture::installWaitingComposer()
{
    const QString real
        = TestProgramFolder::buildProgramDir() + QStringLiteral("/PdfComposer/PdfComposer");
    const QByteArray script = "#!/bin/sh\ntouch started\nwhile [ ! -e release ]; do sleep 0.05; "
                              "done\nexec '"
        + real.toUtf8() + "' \"$@\"\n";
    base.folder.writeTool(QStringLiteral("PdfComposer/PdfComposer"), script);
}

void BuildFixture::releaseComposer()
{
    base.folder.write(QStringLiteral("PdfComposer/release"), QByteArray());
}

bool BuildFixture::composerStarted() const
{
    return QFile::exists(path(QStringLiteral("PdfComposer/started")));
}
