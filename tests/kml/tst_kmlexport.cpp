// The KML export without windows: co-ordinates and the rendered document.
#include "../editor/editortestfiles.h"
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

} // namespace

class TestKmlExport : public QObject
{
    Q_OBJECT
private slots:
    void degrees_data()
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
        QTest::newRow("latitude as longitude") << QByteArray("54N4512") << 1 << false << 0.0;
        QTest::newRow("longitude as latitude") << QByteArray("025E3000") << 2 << false << 0.0;
    }

    void degrees()
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

    void documentAsExpected()
    {
        // A comma locale must not leak into the numbers.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        HCMFile file(nullptr, &kSettings);
        addStation(file, "NORTH", "016E220048N1230", " 512.0m"); // read as C reads a number
        addStation(file, "HILL", "025W300054S4512", "125");
        QTemporaryDir dir;
        const KmlExportRequest request{dir.filePath("out.kml"), QStringLiteral("/opt/linkwise"), true};
        const KmlExportResult result = exportStationsToKml(file, {1, 0}, request);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(result.status, KmlExportResult::Written);
        QCOMPARE(EditorTestFiles::readText(request.outputPath), EditorTestFiles::readText(LINKWISE_TESTDATA "/kml/two-stations-tower.kml"));
    }

    void escapedNamesReadBack()
    {
        const QString name = QStringLiteral("A&B <C> \"D\" \xe9");
        HCMFile file(nullptr, &kSettings);
        addStation(file, name.toLatin1(), "016E220048N1230", "5");
        QTemporaryDir dir;
        const KmlExportRequest request{dir.filePath("out.kml"), dir.path() + "/a&b", true};
        QCOMPARE(exportStationsToKml(file, {0}, request).status, KmlExportResult::Written);
        QXmlStreamReader xml(EditorTestFiles::readText(request.outputPath));
        QStringList names;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("name"))
                names << xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(names, QStringList({QStringLiteral("linkWise stations"), name}));
    }
};

QTEST_GUILESS_MAIN(TestKmlExport)
#include "tst_kmlexport.moc"
