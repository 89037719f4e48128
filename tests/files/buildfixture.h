#pragma once

#include "elaboratfixture.h"

#include <QString>
#include <QStringList>
#include <functional>

class DialogIzdelavaElaborata;
class TTreeBookmark;
class TTreeElaborat;

// A shown main window for the producing commands: catalogues of both cadastres with the
// attributes that name files, work folders below the program folder, and scripted runs of the
// build dialog that wait for its worker with the real tools.
class BuildFixture
{
public:
    // The state of a build dialog when its handler let it go.
    struct Outcome
    {
        bool shown = false;
        QString title;
        QString text;
        QString exploreText;
        QString outputPath;
        bool progress = false;
        bool prekini = false;
        bool stisni = false;
        bool explore = false;
        bool succeeded = false;
    };

    BuildFixture();

    MainWindow &window() { return base.window(); }
    ScriptedPrompter &prompter() { return base.prompter; }
    QString path(const QString &relative) const { return base.folder.path(relative); }
    QString workFolderZk() const { return path(QStringLiteral("delo/zk")); }
    QString workFolderKs() const { return path(QStringLiteral("delo/ks")); }

    // An elaborat of the procedures with these ids, the first one deciding the kind.
    TTreeElaborat *create(const QStringList &ids);
    // A bookmark "code title" in the component with `componentCode`.
    static TTreeBookmark *bookmark(TTreeElaborat *elaborat, const QString &componentCode,
        const QString &code, const QString &title);
    // A PDF of `pages` A4 pages below the program folder, each showing `label` and its page.
    QString pdf(const QString &name, int pages, const QString &label = QString()) const;
    // A small PNG image below the program folder.
    QString image(const QString &name) const;
    // KO "850 Ljubljana", IDPOS 12 and DATUM_ZADNJE_SPREMEMBE 07.03.2012.
    static void setLandIdentity(TTreeElaborat *elaborat);

    // Queues a handler for the next build dialog: waits until its worker's outcome is shown,
    // records `last`, then runs `finish` (by default it closes the dialog as the window's close
    // button would) and returns the dialog's result.
    void awaitBuild(const std::function<void(DialogIzdelavaElaborata *)> &finish = {});
    // awaitBuild, then the PDF command; the outcome of its dialog.
    Outcome buildPdf();

    // Replaces the composer by one that writes "started" into its folder and waits for the
    // file "release" there before it runs the real composer.
    void installWaitingComposer();
    void releaseComposer();
    bool composerStarted() const;

    static Outcome outcomeOf(const DialogIzdelavaElaborata *dialog);

    ElaboratFixture base;
    Outcome last;

    static const QByteArray zkCatalogue;
    static const QByteArray ksCatalogue;
};
