#pragma once

#include "app/mainwindow.h"
#include "scriptedprompter.h"
#include "testprogramfolder.h"

#include <QByteArray>
#include <QList>
#include <memory>

class TTreeElaborat;

// A main window with complete settings in a fresh program folder, with small catalogues of both
// cadastres (the default code lists and municipality list, one office "140 Ljubljana") and a
// scripted prompter. Catalogue indices: land cadastre 0 "splosno", 1 "UM", 2 "PAR", 3 "IZR";
// building cadastre 4 "splosno", 5 "VS", 6 "SS".
class ElaboratFixture
{
public:
    enum Index
    {
        ZkGeneral,
        Um,
        Par,
        Izr,
        KsGeneral,
        Vs,
        Ss
    };

    ElaboratFixture();
    ~ElaboratFixture();

    // Replaces a file of the configuration before the window starts.
    void writeConfig(const QString &name, const QByteArray &content);
    // Constructs the window (shown, so that clicks reach its widgets).
    MainWindow &start();
    MainWindow &window() { return *mainWindow; }
    // The window destroyed and constructed again on the same folder.
    MainWindow &restart();

    TTreeElaborat *create(const QList<int> &indices);

    // A PDF of `pages` empty pages below the program folder; returns its path.
    QString makePdf(const QString &name, int pages) const;
    // A small PNG image below the program folder; returns its path.
    QString makeImage(const QString &name) const;

    static const QByteArray zkCatalogue;
    static const QByteArray ksCatalogue;

    TestProgramFolder folder;
    ScriptedPrompter prompter;

private:
    std::unique_ptr<MainWindow> mainWindow;
};
