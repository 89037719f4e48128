// Times the start-up reading of the configuration: a municipality list of 3,000 lines, two
// catalogues of 200 procedures each and two code lists, on generated files, and the shipped
// default configuration. Run it by hand: build/bench/cataloguebench [rounds]
#include "benchtiming.h"
#include "catalog/catalogueloader.h"
#include "catalog/codelists.h"
#include "catalog/codenamelist.h"
#include "catalog/katalog.h"
#include "intake/sifrantdlg.h"
#include "platform/apppaths.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
void write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray municipalities(int lines)
{
    QByteArray list;
    for (int i = 1; i <= lines; ++i)
        list += QByteArray::number(i) + "   KATASTRSKA  OBČINA " + QByteArray::number(i) + "\r\n";
    return list;
}

QByteArray catalogue(int procedures)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<katalog>\n<atributi>\n";
    for (int i = 0; i < 14; ++i)
        xml += "<atribut id=\"ATR" + QByteArray::number(i) + "\" ime=\"ATRIBUT "
            + QByteArray::number(i) + "\" izpolni=\"izvajalec\"/>\n";
    xml += "</atributi>\n<postopki>\n";
    for (int p = 0; p < procedures; ++p) {
        xml += "<postopek id=\"P" + QByteArray::number(p) + "\" ime=\"Postopek številka "
            + QByteArray::number(p) + "\">\n";
        for (int s = 0; s < 10; ++s)
            xml += "<sestavina ime=\"sestavina " + QByteArray::number(s) + "\" sifra=\"s"
                + QByteArray::number(s) + "\" obvezno=\"da\" izpolni=\"gp\" bookmark=\"1"
                + QByteArray::number(s) + "1\"/>\n";
        xml += "</postopek>\n";
    }
    return xml + "</postopki>\n</katalog>\n";
}

QByteArray codeList(int groups, int children)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sifrant>\n";
    for (int g = 0; g < groups; ++g) {
        xml += "<vrsta><id>" + QByteArray::number(g * 100) + "</id><povzetek>sestavina "
            + QByteArray::number(g) + "</povzetek><napis>Skupina</napis>\n";
        for (int c = 1; c <= children; ++c)
            xml += "  <vrsta><id>" + QByteArray::number(g * 100 + c)
                + "</id><napis>Vrsta dokumenta</napis></vrsta>\n";
        xml += "</vrsta>\n";
    }
    return xml + "</sifrant>\n";
}

void report(const char *what, int rounds, const std::function<void()> &work)
{
    QList<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    std::printf("%-48s median %8.3f ms  min %8.3f  max %8.3f  (%d rounds)\n", what,
        times.at(times.size() / 2), times.first(), times.last(), rounds);
}

void loadAll()
{
    Katalog katalog;
    CodeLists codes;
    loadCatalogue(katalog, "zk.xml", Kataster::ZK);
    loadCatalogue(katalog, "ks.xml", Kataster::KS);
    loadCodeList(codes, "zk_sifrant.xml", Kataster::ZK);
    loadCodeList(codes, "ks_sifrant.xml", Kataster::KS);
    SifrantDlg dialog(codes);
    loadCodeNameList("iogu.csv");
    loadCodeNameList("ko.csv");
}
} // namespace

int main(int argc, char **argv)
{
    BenchTiming::preferOffscreen();
    QApplication app(argc, argv);
    const int rounds = BenchTiming::rounds(argc, argv, 50);

    QTemporaryDir generated;
    QDir(generated.path()).mkdir("config");
    const QString config = generated.filePath("config/");
    write(config + "ko.csv", municipalities(3000));
    write(config + "iogu.csv", municipalities(60));
    write(config + "zk.xml", catalogue(200));
    write(config + "ks.xml", catalogue(200));
    write(config + "zk_sifrant.xml", codeList(40, 12));
    write(config + "ks_sifrant.xml", codeList(40, 12));
    AppPaths::setProgramDir(generated.path());

    report("municipality list, 3,000 lines", rounds, [] { loadCodeNameList("ko.csv"); });
    report("catalogue, 200 procedures x 10 components", rounds, [] {
        Katalog katalog;
        loadCatalogue(katalog, "zk.xml", Kataster::ZK);
    });
    report("code list, 40 x 12 types, into the dialog", rounds, [] {
        CodeLists codes;
        loadCodeList(codes, "zk_sifrant.xml", Kataster::ZK);
        SifrantDlg dialog(codes);
    });
    report("document-type dialog alone", rounds, [] { SifrantDlg dialog {CodeLists()}; });
    report("all six generated files", rounds, loadAll);

    AppPaths::setProgramDir(QStringLiteral(TEV_BUILD_PROGRAM_DIR));
    report("all six default files", rounds, loadAll);
    return 0;
}
