#include "app/mainwindow.h"
#include "app/opencommand.h"
#include "app/runguard.h"
#include "app/startuprecovery.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QSocketNotifier>
#include <QTimer>
#include <QTranslator>
#include <memory>

namespace {
const char instanceBase[] = "Tevora urejevalnik digitalnih elaboratov";

// The one argument the program reads: a file to open, as the desktop passes it ("tev %f").
QStringList fileArguments(int argc, char *argv[])
{
    if (argc != 2 || argv[1][0] == '-')
        return {};
    return {QDir::current().absoluteFilePath(QFile::decodeName(argv[1]))};
}

void openFiles(MainWindow &window, const QStringList &files)
{
    for (const QString &file : files)
        openElaboratFile(window, file);
}

void bringToFront(MainWindow &window)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}

// Later starts hand their files to this instance and bring its window up.
std::unique_ptr<QSocketNotifier> receiveHandOvers(RunGuard &guard, MainWindow &window)
{
    if (guard.handOverSocket() < 0)
        return nullptr;
    auto notifier
        = std::make_unique<QSocketNotifier>(guard.handOverSocket(), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, &window, [&guard, &window] {
        if (const std::optional<QStringList> files = guard.receiveHandOver()) {
            bringToFront(window);
            openFiles(window, *files);
        }
    });
    return notifier;
}

int refuseStart(int argc, char *argv[], const QString &folder, const QString &reason)
{
    QApplication app(argc, argv);
    Prompter::critical(nullptr, QString(),
        QStringLiteral("Urejevalnika ni mogoce zagnati: v mapi %1 ni mogoce zapisati oznake "
                       "zagnanega programa (%2).")
            .arg(QDir::toNativeSeparators(folder), reason));
    return 1;
}
} // namespace

int main(int argc, char *argv[])
{
    const QStringList files = fileArguments(argc, argv);
    RunGuard guard(QString::fromLatin1(instanceBase));
    if (!guard.claimInstance()) {
        if (!guard.errorString().isEmpty())
            return refuseStart(argc, argv, AppPaths::claimDir(), guard.errorString());
        guard.handOver(files);
        return 0;
    }

    int result = 0;
    {
        QApplication app(argc, argv);
        // The desktop matches the window to its menu entry and icon by this name.
        QGuiApplication::setDesktopFileName(QStringLiteral("tevora"));
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/pics/tevora.svg")));
        QDir::setCurrent(QCoreApplication::applicationDirPath());
        // A translation that does not load is installed all the same and translates nothing.
        QTranslator tev;
        (void)tev.load(QStringLiteral("tev_sl"));
        app.installTranslator(&tev);
        QTranslator qt;
        (void)qt.load(QStringLiteral("qt_sl"));
        app.installTranslator(&qt);
        {
            auto window = std::make_unique<MainWindow>();
            window->show();
            const std::unique_ptr<QSocketNotifier> handOvers = receiveHandOvers(guard, *window);
            QTimer::singleShot(0, window.get(), [&window, &files] {
                offerRecovery(*window);
                openFiles(*window, files);
            });
            result = app.exec();
        }
    }
    return result;
}
