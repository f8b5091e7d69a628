// The KML export without windows: co-ordinates, the rendered document, and
// what happens to bad stations and unwritable targets.
#include "hcm/hcmfile.h"
#include "kml/kmlcoordinates.h"
#include "kml/stationexport.h"

#include <QtTest>

namespace {

const CheckSettings kSettings = 0;

void addStation(HCMFile& file, const QByteArray& name, const QByteArray& coordinates, const QByteArray& height)
{
    auto r = std::make_unique<HCMRecord>(&kSettings);
    r->setText(HcmField::TypeOfEntry, "TX");
    r->setText(HcmField::Frequency, "13000");
    r->setText(HcmField::StationName, name);
    r->setText(HcmField::Country, "AUT");
    r->setCoordinates(coordinates);
    r->setText(HcmField::SiteHeight, height);
    r->setText(HcmField::CoordinationReference, "REF" + name.left(3));
    file.append(std::move(r));
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestKmlExport : public QObject
{
    Q_OBJECT
private slots:
    void degrees_data();
    void degrees();
    void altitude_data();
    void altitude();
    void documentAsExpected();
    void escapedNamesReadBack();
    void failuresWriteNothing_data();
    void failuresWriteNothing();
};

void TestKmlExport::degrees_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("kind"); // 0 either, 1 longitude, 2 latitude
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("east") << QByteArray("025E3000") << 1 << true << 25.5;
    QTest::newRow("west") << QByteArray("025W3000") << 1 << true << -25.5;
    QTest::newRow("beyond 180 east wraps") << QByteArray("190E0000") << 1 << true << -170.0;
    QTest::newRow("beyond 360") << QByteArray("361E0000") << 1 << false << 0.0;
    QTest::newRow("north") << QByteArray("54N4512") << 2 << true << 54.753333;
    QTest::newRow("south") << QByteArray("54S4512") << 2 << true << -54.753333;
    QTest::newRow("beyond 90") << QByteArray("91N0000") << 2 << false << 0.0;
    QTest::newRow("no hemisphere") << QByteArray("0253000") << 0 << false << 0.0;
    QTest::newRow("lower case, blanks") << QByteArray(" 25e3000") << 1 << true << 25.5;
    QTest::newRow("seconds missing") << QByteArray("025E30") << 1 << false << 0.0;
    QTest::newRow("signed degrees") << QByteArray("-25E3000") << 1 << false << 0.0;
    QTest::newRow("latitude as longitude") << QByteArray("54N4512") << 1 << false << 0.0;
    QTest::newRow("longitude as latitude") << QByteArray("025E3000") << 2 << false << 0.0;
}

void TestKmlExport::degrees()
{
    QFETCH(QByteArray, text);
    QFETCH(int, kind);
    QFETCH(bool, ok);
    QFETCH(double, value);
    double got = 0;
    const bool read = kind == 1 ? kmlLongitude(text, got) : kind == 2 ? kmlLatitude(text, got) : kmlDegrees(text, got);
    QCOMPARE(read, ok);
    if (ok)
        QCOMPARE(QString::number(got, 'f', 6), QString::number(value, 'f', 6));
}

void TestKmlExport::altitude_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("blanks and unit") << QByteArray("  12.5m") << 12.5;
    QTest::newRow("exponent") << QByteArray("-3e2x") << -300.0;
    QTest::newRow("bare exponent letter") << QByteArray("+7e") << 7.0;
    QTest::newRow("no number") << QByteArray("m125") << 0.0;
    QTest::newRow("infinite") << QByteArray("inf") << 0.0;
}

void TestKmlExport::altitude()
{
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QCOMPARE(kmlAltitude(text), value);
}

void TestKmlExport::documentAsExpected()
{
    // A comma locale must not leak into the numbers.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    HCMFile file(nullptr, &kSettings);
    addStation(file, "NORTH", "016E220048N1230", "512");
    addStation(file, "HILL", "025W300054S4512", "125");
    QTemporaryDir dir;
    const KmlExportRequest request{dir.filePath("out.kml"), QStringLiteral("/opt/linkwise"), true};
    const KmlExportResult result = exportStationsToKml(file, {1, 0}, request);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(result.status, KmlExportResult::Written);
    QCOMPARE(readAll(request.outputPath), readAll(LINKWISE_TESTDATA "/kml/two-stations-tower.kml"));
}

void TestKmlExport::escapedNamesReadBack()
{
    const QString name = QStringLiteral("A&B <C> \"D\" \xe9");
    HCMFile file(nullptr, &kSettings);
    addStation(file, name.toLatin1(), "016E220048N1230", "5");
    QTemporaryDir dir;
    const KmlExportRequest request{dir.filePath("out.kml"), dir.path() + "/a&b", true};
    QCOMPARE(exportStationsToKml(file, {0}, request).status, KmlExportResult::Written);
    QFile kml(request.outputPath);
    QVERIFY(kml.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&kml);
    QStringList names;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("name"))
            names << xml.readElementText();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(names, QStringList({QStringLiteral("linkWise stations"), name}));
}

void TestKmlExport::failuresWriteNothing_data()
{
    QTest::addColumn<QByteArray>("coordinates");
    QTest::addColumn<bool>("blockedFolder");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("warning");
    QTest::newRow("longitude") << QByteArray("016X220048N1230") << false << int(KmlExportResult::BadLongitude)
                               << "Error found in longitude\n of station BAD";
    QTest::newRow("latitude") << QByteArray("016E220091N0000") << false << int(KmlExportResult::BadLatitude)
                              << "Error found in latitude\nof station BAD";
    QTest::newRow("unwritable") << QByteArray("016E220048N1230") << true << int(KmlExportResult::WriteFailed)
                                << "Could not write the KML file:\n";
}

void TestKmlExport::failuresWriteNothing()
{
    QFETCH(QByteArray, coordinates);
    QFETCH(bool, blockedFolder);
    QFETCH(int, status);
    QFETCH(QString, warning);
    HCMFile file(nullptr, &kSettings);
    addStation(file, "GOOD", "016E220048N1230", "5");
    addStation(file, "BAD", coordinates, "5");
    QTemporaryDir dir;
    // A regular file where the folder should be: even root cannot write there.
    const QString folder = blockedFolder ? dir.filePath("blocked") : dir.path();
    QVERIFY(!blockedFolder || QFile(folder).open(QIODevice::WriteOnly));
    const KmlExportRequest request{folder + "/linkwise.kml", dir.path(), false};

    QCOMPARE(exportStationsToKml(file, {}, request).status, KmlExportResult::NothingSelected);
    QVERIFY(!QFile::exists(request.outputPath));
    const KmlExportResult result = exportStationsToKml(file, {0, 1}, request);
    QCOMPARE(int(result.status), status);
    QCOMPARE(result.warningText(), blockedFolder ? warning + request.outputPath : warning);
    QVERIFY(!QFile::exists(request.outputPath));
}

QTEST_GUILESS_MAIN(TestKmlExport)
#include "tst_kmlexport.moc"
