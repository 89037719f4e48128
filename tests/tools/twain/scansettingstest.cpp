#include "scansettings.h"

#include <QTest>

class ScanSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void resolutionFromOfferedList_data();
    void resolutionFromOfferedList();
    void resolutionFromOfferedRange_data();
    void resolutionFromOfferedRange();
    void modes_data();
    void modes();
};

void ScanSettingsTest::resolutionFromOfferedList_data()
{
    QTest::addColumn<QList<double>>("offered");
    QTest::addColumn<double>("chosen");
    QTest::newRow("exact") << QList<double> {75, 150, 300, 600} << 300.0;
    QTest::newRow("the next above, not the nearer below")
        << QList<double> {75, 200, 400, 1200} << 400.0;
    QTest::newRow("unordered") << QList<double> {1200, 600, 100, 360} << 360.0;
    QTest::newRow("all below: the highest") << QList<double> {75, 150, 200} << 200.0;
}

void ScanSettingsTest::resolutionFromOfferedList()
{
    QFETCH(QList<double>, offered);
    QFETCH(double, chosen);
    QCOMPARE(resolutionFromList(offered, wantedDpi), chosen);
}

void ScanSettingsTest::resolutionFromOfferedRange_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("quant");
    QTest::addColumn<double>("chosen");
    QTest::newRow("any value") << 50.0 << 1200.0 << 0.0 << 300.0;
    QTest::newRow("on a step") << 50.0 << 1200.0 << 50.0 << 300.0;
    QTest::newRow("between steps: the next above") << 100.0 << 1200.0 << 150.0 << 400.0;
    QTest::newRow("range below") << 50.0 << 200.0 << 1.0 << 200.0;
    QTest::newRow("range above") << 400.0 << 2400.0 << 1.0 << 400.0;
}

void ScanSettingsTest::resolutionFromOfferedRange()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, quant);
    QFETCH(double, chosen);
    QCOMPARE(resolutionFromRange(min, max, quant, wantedDpi), chosen);
}

void ScanSettingsTest::modes_data()
{
    QTest::addColumn<QStringList>("modes");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("SANE's names") << QStringList {"Lineart", "Gray", "Color"} << "Color";
    QTest::newRow("exact name before a decorated one")
        << QStringList {"Color48", "Color", "Gray"} << "Color";
    QTest::newRow("decorated colour") << QStringList {"Binary", "24bit Color"} << "24bit Color";
    QTest::newRow("British spelling") << QStringList {"Grey", "Colour"} << "Colour";
    QTest::newRow("no colour: grey") << QStringList {"Lineart", "Gray"} << "Gray";
    QTest::newRow("neither: keep") << QStringList {"Lineart", "Halftone"} << QString();
    QTest::newRow("no mode option") << QStringList {} << QString();
}

void ScanSettingsTest::modes()
{
    QFETCH(QStringList, modes);
    QFETCH(QString, chosen);
    QCOMPARE(preferredMode(modes), chosen);
}

QTEST_GUILESS_MAIN(ScanSettingsTest)
#include "scansettingstest.moc"
