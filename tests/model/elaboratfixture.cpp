#include "elaboratfixture.h"

#include "model/ttreewidget.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>

const QByteArray ElaboratFixture::zkCatalogue = R"(<?xml version="1.0" encoding="UTF-8"?>
<katalog>
  <atributi>
    <atribut id="GEODETSKA_PISARNA" ime="GEODETSKA PISARNA" izpolni="gp"/>
    <atribut id="KO" ime="KO" izpolni="izvajalec"/>
    <atribut id="IDPOS" ime="IDPOS"/>
    <atribut id="DATUM_ZADNJE_SPREMEMBE" ime="DATUM ZADNJE SPREMEMBE" izpolni="izvajalec"/>
    <atribut id="POSTOPKI" ime="POSTOPKI" izpolni="izvajalec"/>
  </atributi>
  <postopek id="splosno" ime="Splošni postopek" izpolniAtribute="gp"/>
  <postopek id="UM" ime="Ureditev meje">
    <sestavina ime="skica" sifra="sk" obvezno="da" izpolni="gp" bookmark="112" opis="prosto"/>
    <sestavina ime="zapisniki" sifra="zp" izpolni="izvajalec"/>
    <sestavina ime="digitalni podatki" sifra="dp" obvezno="da"/>
  </postopek>
  <postopek id="PAR" ime="Parcelacija">
    <sestavina ime="zapisniki" sifra="zp2" obvezno="da" izpolni="gp"/>
    <sestavina ime="izračuni" sifra="iz" obvezno="ne"/>
  </postopek>
  <postopek id="IZR" ime="Izravnava">
    <sestavina ime="izračuni" sifra="iz"/>
  </postopek>
</katalog>
)";

const QByteArray ElaboratFixture::ksCatalogue = R"(<?xml version="1.0" encoding="UTF-8"?>
<katalog>
  <atributi>
    <atribut id="KO" ime="KO"/>
    <atribut id="REZPOS" ime="ST. STAVBE" izpolni="gp"/>
    <atribut id="POSTOPKI" ime="POSTOPKI"/>
  </atributi>
  <postopek id="splosno" ime="Splošni postopek"/>
  <postopek id="VS" ime="Vpis stavbe">
    <sestavina ime="načrti" sifra="nc" obvezno="da" bookmark="104"/>
    <sestavina ime="priloge" sifra="pr"/>
  </postopek>
  <postopek id="SS" ime="Sprememba stavbe">
    <sestavina ime="načrti" sifra="nc" obvezno="da" bookmark="104"/>
  </postopek>
</katalog>
)";

ElaboratFixture::ElaboratFixture()
{
    writeConfig(QStringLiteral("tev.ini"), "[Nastavitve]\ngp=140\ngpUser=true\n");
    writeConfig(QStringLiteral("iogu.csv"), "140 Ljubljana\n");
    writeConfig(QStringLiteral("zk.xml"), zkCatalogue);
    writeConfig(QStringLiteral("ks.xml"), ksCatalogue);
}

ElaboratFixture::~ElaboratFixture() = default;

void ElaboratFixture::writeConfig(const QString &name, const QByteArray &content)
{
    folder.write(QStringLiteral("config/") + name, content);
}

MainWindow &ElaboratFixture::start()
{
    mainWindow = std::make_unique<MainWindow>();
    mainWindow->show();
    return *mainWindow;
}

MainWindow &ElaboratFixture::restart()
{
    mainWindow.reset();
    return start();
}

TTreeElaborat *ElaboratFixture::create(const QList<int> &indices)
{
    const PostopekDef *first = mainWindow->katalog().procedure(indices.value(0, -1));
    return mainWindow->createElaborat(indices, first && first->kind == Kataster::KS, false);
}

QString ElaboratFixture::makePdf(const QString &name, int pages) const
{
    const QString path = folder.path(name);
    QPdfWriter writer(path);
    QPainter painter(&writer);
    for (int page = 1; page < pages; ++page)
        writer.newPage();
    return path;
}

QString ElaboratFixture::makeImage(const QString &name) const
{
    const QString path = folder.path(name);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.save(path);
    return path;
}
