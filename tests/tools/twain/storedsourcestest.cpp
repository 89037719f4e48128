#include "storedsources.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class StoredSourcesTest : public QObject
{
    Q_OBJECT

private slots:
    void listReadsBackAsWritten();
    void onlyAListItWroteIsRead_data();
    void onlyAListItWroteIsRead();
    void aListThatCannotBeWrittenSaysWhere();
};

void StoredSourcesTest::listReadsBackAsWritten()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sources.json"));
    const QList<ScanSource> sources {
        {"test:0", "Flatbed", "Noname frontend-tester (Flatbed)"},
        {"airscan:e0:Brother \"MFC\"\t2", "", QString::fromUtf8("Brother MFC č")},
    };
    QString error;
    QVERIFY2(saveSources(sources, path, &error), qPrintable(error));
    const std::optional<QList<ScanSource>> read = loadSources(path);
    QVERIFY(read);
    QCOMPARE(read->size(), 2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(read->at(i).device, sources.at(i).device);
        QCOMPARE(read->at(i).source, sources.at(i).source);
        QCOMPARE(read->at(i).name, sources.at(i).name);
    }
    // A list without scanners is a list: no id is to be had from it.
    QVERIFY(saveSources({}, path, &error));
    const std::optional<QList<ScanSource>> none = loadSources(path);
    QVERIFY(none && none->isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList {QStringLiteral("sources.json")});
}

void StoredSourcesTest::onlyAListItWroteIsRead_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("cut off") << QByteArray("[{\"device\": \"test:0\", \"sour");
    QTest::newRow("not a list") << QByteArray("{\"device\": \"test:0\"}");
    QTest::newRow("entry without device")
        << QByteArray("[{\"device\": \"test:0\", \"source\": \"\", \"name\": \"a\"},"
                      " {\"source\": \"\", \"name\": \"b\"}]");
    QTest::newRow("number for a name")
        << QByteArray("[{\"device\": \"test:0\", \"source\": \"\", \"name\": 3}]");
}

void StoredSourcesTest::onlyAListItWroteIsRead()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sources.json"));
    QVERIFY(!loadSources(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    QVERIFY(!loadSources(path));
}

void StoredSourcesTest::aListThatCannotBeWrittenSaysWhere()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/sources.json"));
    QString error;
    QVERIFY(!saveSources({{"test:0", "", "Noname frontend-tester"}}, path, &error));
    QVERIFY2(error.startsWith(QStringLiteral("Seznama virov ni mogoce shraniti v %1: ")
                                  .arg(QDir::toNativeSeparators(path))),
        qPrintable(error));
    QVERIFY(!error.endsWith(QStringLiteral("Unknown error")));
}

QTEST_GUILESS_MAIN(StoredSourcesTest)
#include "storedsourcestest.moc"
