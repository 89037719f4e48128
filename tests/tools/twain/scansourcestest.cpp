#include "scansources.h"

#include <QTest>

namespace {
QStringList names(const QList<ScanSource> &sources)
{
    QStringList result;
    for (const ScanSource &source : sources)
        result.append(source.name);
    return result;
}
} // namespace

class ScanSourcesTest : public QObject
{
    Q_OBJECT

private slots:
    void orderDoesNotFollowDiscovery();
    void eachPaperSourceIsAnEntry();
    void twinDevicesAreTold();
    void busyDevicesKeepTheirEntries();
    void onlyBusyDevicesTakeStoredSources();
    void linesReadBack_data();
    void linesReadBack();
    void feeders_data();
    void feeders();
};

void ScanSourcesTest::orderDoesNotFollowDiscovery()
{
    const QList<DeviceDescription> found {
        {"genesys:libusb:001:007", "Canon", "LiDE 220", {}},
        {"epson2:net:10.0.0.5", "Epson", "DS-530", {}},
        {"airscan:e0:Brother", "Brother", "MFC-L2710DW", {}},
    };
    QList<DeviceDescription> reversed(found.crbegin(), found.crend());
    const QStringList expected {"Brother MFC-L2710DW", "Canon LiDE 220", "Epson DS-530"};
    QCOMPARE(names(orderedSources(found)), expected);
    QCOMPARE(names(orderedSources(reversed)), expected);
    QCOMPARE(orderedSources(found).at(1).device, QStringLiteral("genesys:libusb:001:007"));
}

void ScanSourcesTest::eachPaperSourceIsAnEntry()
{
    const QList<ScanSource> sources = orderedSources({
        {"test:0", "Noname", "frontend-tester", {"Flatbed", "Automatic Document Feeder"}},
        {"v4l:/dev/video0", "", "", {"Camera"}},
    });
    QCOMPARE(names(sources),
        (QStringList {"Noname frontend-tester (Flatbed)",
            "Noname frontend-tester (Automatic Document Feeder)", "v4l:/dev/video0"}));
    QCOMPARE(sources.at(1).device, QStringLiteral("test:0"));
    QCOMPARE(sources.at(1).source, QStringLiteral("Automatic Document Feeder"));
    QCOMPARE(sources.at(2).source, QStringLiteral("Camera"));
}

void ScanSourcesTest::twinDevicesAreTold()
{
    const QList<ScanSource> sources = orderedSources({
        {"test:1", "Noname", "frontend-tester", {}},
        {"test:0", "Noname", "frontend-tester", {}},
        {"other:0", "Noname", "other", {}},
    });
    QCOMPARE(names(sources),
        (QStringList {
            "Noname frontend-tester [test:0]", "Noname frontend-tester [test:1]", "Noname other"}));
}

// A device that is busy while the list is made keeps its entries, so no later id moves.
void ScanSourcesTest::busyDevicesKeepTheirEntries()
{
    const QList<DeviceDescription> asked {
        {"epson2:net:10.0.0.5", "Epson", "DS-530", {"Flatbed", "ADF"}},
        {"genesys:libusb:001:007", "Canon", "LiDE 220", {}},
        {"fujitsu:libusb:001:009", "Fujitsu", "fi-7160", {"ADF Front", "ADF Duplex"}},
    };
    const QList<ScanSource> stored = orderedSources(asked);
    QList<DeviceDescription> busy = asked;
    for (DeviceDescription &device : busy) {
        device.sources.clear();
        device.asked = false;
    }
    keepStoredSources(&busy, stored);
    const QList<ScanSource> kept = orderedSources(busy);
    QCOMPARE(names(kept), names(stored));
    for (int id = 0; id < kept.size(); ++id) {
        QCOMPARE(kept.at(id).device, stored.at(id).device);
        QCOMPARE(kept.at(id).source, stored.at(id).source);
    }
}

void ScanSourcesTest::onlyBusyDevicesTakeStoredSources()
{
    const QList<ScanSource> stored
        = orderedSources({{"epson2:net:10.0.0.5", "Epson", "DS-530", {"Flatbed", "ADF"}}});
    QList<DeviceDescription> devices {
        {"epson2:net:10.0.0.5", "Epson", "DS-530", {"Flatbed"}},
        {"genesys:libusb:001:007", "Canon", "LiDE 220", {}, false},
    };
    keepStoredSources(&devices, stored);
    QCOMPARE(devices.at(0).sources, QStringList {"Flatbed"});
    QCOMPARE(devices.at(1).sources, QStringList());
}

void ScanSourcesTest::linesReadBack_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << 0 << "Epson DS-530"
                           << "0:,Epson DS-530";
    QTest::newRow("separator in the name") << 12 << "odd:,name"
                                           << "12:,odd: name";
    QTest::newRow("line breaks in the name") << 1 << "two\r\nlines"
                                             << "1:,two lines";
    QTest::newRow("beyond ASCII") << 2 << QString::fromUtf8("Skener č") << "2:,Skener";
}

void ScanSourcesTest::linesReadBack()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(QString, line);
    QCOMPARE(sourceLine(id, name), line);
}

void ScanSourcesTest::feeders_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("feeder");
    QTest::newRow("SANE's feeder") << "Automatic Document Feeder" << true;
    QTest::newRow("short") << "ADF" << true;
    QTest::newRow("front side") << "ADF Front" << true;
    QTest::newRow("duplex") << "Duplex" << true;
    QTest::newRow("flatbed") << "Flatbed" << false;
    QTest::newRow("document table") << "Document Table" << false;
    QTest::newRow("transparency") << "Transparency Adapter" << false;
    QTest::newRow("no choice") << "" << false;
}

void ScanSourcesTest::feeders()
{
    QFETCH(QString, source);
    QFETCH(bool, feeder);
    QCOMPARE(isFeederSource(source), feeder);
}

QTEST_GUILESS_MAIN(ScanSourcesTest)
#include "scansourcestest.moc"
