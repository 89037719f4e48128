#include "platform/fileops.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class FileOpsTest : public QObject
{
    Q_OBJECT

private slots:
    void missingFolderCountsAsCleared()
    {
        QVERIFY(clearFolder(QStringLiteral("/nonexistent/tev")));
    }

    void removesNestedHiddenEntriesAndTheFolder()
    {
        QTemporaryDir root;
        const QString tmp = root.filePath(QStringLiteral(".tmp"));
        QVERIFY(QDir().mkpath(tmp + QStringLiteral("/01022024101010/k2k3/.deep")));
        for (const QString &file : {QStringLiteral("/debug.log"), QStringLiteral("/.hidden"),
                 QStringLiteral("/01022024101010/k2k3/.deep/a.pdf")}) {
            QFile f(tmp + file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(root.path(), tmp + QStringLiteral("/link-to-parent")));
        QVERIFY(clearFolder(tmp));
        QVERIFY(!QFileInfo::exists(tmp));
        QVERIFY(QFileInfo::exists(root.path()));
    }
};

QTEST_GUILESS_MAIN(FileOpsTest)
#include "fileopstest.moc"
