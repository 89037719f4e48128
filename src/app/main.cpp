#include "app/mainwindow.h"
#include "app/runguard.h"
#include "app/startuprecovery.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QTranslator>
#include <memory>

namespace {
const char instanceBase[] = "Tevora urejevalnik digitalnih elaboratov";
}

int main(int argc, char *argv[])
{
    RunGuard guard(QString::fromLatin1(instanceBase));
    if (!guard.claimInstance())
        return 0;

    int result = 0;
    {
        QApplication app(argc, argv);
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
            QTimer::singleShot(0, window.get(), [&window] { offerRecovery(*window); });
            result = app.exec();
        }
    }
    return result;
}
