// Makes an elaborat in a main window over the program folder given as the first argument: the
// PDF given as the second argument in a bookmark of "UM", the case number "2026-17". Prints the
// elaborat's stamp once its recovery record is written, then runs until it is killed.
#include "app/mainwindow.h"
#include "model/fileintake.h"
#include "model/recoveryrecorder.h"
#include "model/ttreeelaborat.h"
#include "platform/apppaths.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    QApplication app(argc, argv);
    AppPaths::setProgramDir(QString::fromLocal8Bit(argv[1]));
    ScriptedPrompter prompter;
    MainWindow window;
    window.show();
    TTreeElaborat *elaborat = window.createElaborat(
        {window.katalog().procedureIndexById(QStringLiteral("UM"))}, false, false);
    FileIntake::placeFiles(*window.tree(), elaborat->findSestavinaByIme(QStringLiteral("skica")),
        {{QStringLiteral("112"), QString(), QString::fromLocal8Bit(argv[2]),
            QStringLiteral("112 Skica")}});
    elaborat->setAttribute(QStringLiteral("IDPOS"), QStringLiteral("2026-17"));
    QObject::connect(window.recoveryRecorder(), &RecoveryRecorder::recordWritten, [elaborat] {
        std::printf("%s\n", qPrintable(elaborat->stamp()));
        std::fflush(stdout);
    });
    return app.exec();
}
