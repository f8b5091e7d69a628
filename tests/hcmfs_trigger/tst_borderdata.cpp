// Border files on disk: reading and checking them, choosing among them,
// finding the folder, and the per-folder cache.
#include "borderfixture.h"

#include "trigger/bordercache.h"
#include "trigger/borderfile.h"
#include "trigger/borderlocation.h"
#include "trigger/borderset.h"
#include "trigger/trigger.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>

using namespace hcmfs::trigger;
using fixture::Deg;

namespace {

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::u8path(path.toStdString());
}

// A station in the middle of nowhere with points 10 km and 500 km away.
const Deg kSite{20.0, 55.0};
const TriggerStation kStation = TriggerStation::fromDegrees(kSite.lon, kSite.lat, 13.0, 0.0, "OWN");

QByteArray pointAt(double km)
{
    return fixture::borderBytes({fixture::destination(kSite, 45.0, km)});
}
const QByteArray nearPoint = pointAt(10.0), farPoint = pointAt(500.0);

int triggerIn(const QString& folder, QString& countries)
{
    std::string text;
    const int error = triggeredCountries(fsPath(folder), kStation, text);
    countries = QString::fromStdString(text);
    return error;
}

} // namespace

class TestBorderData : public QObject
{
    Q_OBJECT

private slots:
    void damagedFile()
    {
        // Raw float64 pairs, taken as they are (radians).
        auto raw = [](double lon, double lat) {
            QByteArray out;
            fixture::appendFloat64LE(out, lon);
            fixture::appendFloat64LE(out, lat);
            return out;
        };
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        const QByteArray good = fixture::borderBytes({{16.0, 48.0}, {16.1, 48.05}});
        // {bytes, error}: good; empty, one byte short, written in degrees, latitude beyond pi/2,
        // NaN, infinite; the edges of the range.
        const std::initializer_list<std::pair<QByteArray, int>> files{{good, 0},
                                                                      {QByteArray(), 2008},
                                                                      {good.left(good.size() - 1), 2008},
                                                                      {raw(16.0, 48.0), 2008},
                                                                      {raw(0.3, 1.6), 2008},
                                                                      {good + raw(nan, 0.8), 2008},
                                                                      {raw(0.3, -inf), 2008},
                                                                      {raw(-fixture::kPi, fixture::kPi / 2),
                                                                       0}};
        for (const auto& [bytes, error] : files) {
            QTemporaryDir dir;
            const QString file = dir.filePath("AUT.ALL");
            QVERIFY(fixture::writeFile(file, bytes));
            std::vector<LonLat> points;
            const int got = readBorderFile(fsPath(file), points);
            QVERIFY2(got == error && points.empty() == (error != 0),
                     qPrintable(QString("%1: %2").arg(bytes.toHex().constData()).arg(got)));
        }
    }

    void folders_data()
    {
        QTest::addColumn<QStringList>("files"); // name=near|far|text|truncated|degrees|empty|link|folder
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("countries");

        QTest::newRow("full outline wins over zero line")
            << QStringList{"A.000=far", "A.ALL=near", "B.000=near", "notes.txt=text"} << 0 << "A,B";
        QTest::newRow("lower-case names, own country left out")
            << QStringList{"aut.all=near", "d.000=near", "own.all=near"} << 0 << "AUT,D";
        // One damaged file spoils the whole set: listing fewer countries than the
        // data holds would pass for a clean result.
        for (const char* damaged : {"X.ALL=truncated", "X.000=degrees", "X.ALL=empty", "X.ALL=link", "X.ALL=folder"})
            QTest::newRow(damaged) << QStringList{"A.ALL=near", damaged} << 2008 << QString();
    }

    void folders()
    {
        QFETCH(QStringList, files);
        QFETCH(int, error);
        QFETCH(QString, countries);
        QTemporaryDir dir;
        const QMap<QString, QByteArray> bytes{{"near", nearPoint},
                                              {"far", farPoint},
                                              {"text", "not border data"},
                                              {"truncated", (nearPoint + farPoint).left(20)},
                                              {"degrees", QByteArray(16, '\x40')},
                                              {"empty", QByteArray()}};
        for (const QString& file : files) {
            const QString name = file.section('=', 0, 0), kind = file.section('=', 1);
            if (kind == "link")
                QVERIFY(QFile::link(dir.filePath("gone.ALL"), dir.filePath(name)));
            else if (kind == "folder")
                QVERIFY(QDir(dir.path()).mkdir(name));
            else
                QVERIFY(fixture::writeFile(dir.filePath(name), bytes.value(kind)));
        }
        QString found = "unchanged";
        QCOMPARE(triggerIn(dir.path(), found), error);
        QCOMPARE(found, countries);
    }

    void fileNames()
    {
        // Full outline, zero line, lower case; an x-km line, no extension, hidden, a blank or a comma
        // in the code, a code too long: not border files.
        QStringList codes;
        for (const char* name :
             {"AUT.ALL", "D.000", "hol.all", "AUT.006", "AUT", ".ALL", "A B.ALL", "A,B.ALL", "ABCDEFGHI.ALL"})
            codes << QString::fromStdString(borderFileCode(name));
        QCOMPARE(codes, (QStringList{"AUT", "D", "HOL", "", "", "", "", "", ""}));
    }

    void findsTheFolder()
    {
        QTemporaryDir root;
        QDir r(root.path());
        QVERIFY(r.mkdir("TOPO") && r.mkdir("Border"));
        QVERIFY(fixture::writeFile(r.filePath("Border/A.ALL"), nearPoint));
        // A root holding the border folder, the border folder itself, and a folder
        // with neither.
        QCOMPARE(findBorderFolder(fsPath(root.path())), fsPath(r.filePath("Border")));
        QCOMPARE(findBorderFolder(fsPath(r.filePath("Border"))), fsPath(r.filePath("Border")));
        QVERIFY(findBorderFolder(fsPath(r.filePath("TOPO"))).empty());
        QVERIFY(findBorderFolder(fsPath(r.filePath("missing"))).empty());
        QCOMPARE(resolveBorderFolder(root.path().toStdString()), fsPath(r.filePath("Border")));
        // Without one, the shipped data, which the build copies beside the
        // binaries as an installation does.
        const std::filesystem::path shipped = fsPath(QStringLiteral(LINKWISE_BINDIR "/BORDER"));
        QCOMPARE(defaultBorderFolder(), shipped);
        QCOMPARE(resolveBorderFolder(""), shipped);
        QCOMPARE(resolveBorderFolder(r.filePath("TOPO").toStdString()), shipped);
        QCOMPARE(resolveBorderFolder("/no/such/folder"), shipped);
    }

    void cacheNoticesChangedFiles()
    {
        QTemporaryDir dir;
        QVERIFY(fixture::writeFile(dir.filePath("A.ALL"), nearPoint));
        QString countries;
        QCOMPARE(triggerIn(dir.path(), countries), 0);
        QCOMPARE(countries, QString("A"));

        // New content of another size, and a new country: both seen at once.
        QVERIFY(fixture::writeFile(dir.filePath("A.ALL"), farPoint + farPoint));
        QVERIFY(fixture::writeFile(dir.filePath("B.ALL"), nearPoint));
        QCOMPARE(triggerIn(dir.path(), countries), 0);
        QCOMPARE(countries, QString("B"));

        // Damaged after it was cached: not served from the cache.
        QVERIFY(fixture::writeFile(dir.filePath("B.ALL"), (nearPoint + farPoint).left(24)));
        QCOMPARE(triggerIn(dir.path(), countries), 2008);
        // Repaired: read again, not remembered as damaged.
        QVERIFY(fixture::writeFile(dir.filePath("B.ALL"), nearPoint));
        QCOMPARE(triggerIn(dir.path(), countries), 0);
        QCOMPARE(countries, QString("B"));

        QVERIFY(QDir(dir.path()).removeRecursively());
        QCOMPARE(triggerIn(dir.path(), countries), 2008);
    }

    void concurrentTriggersAgree()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        QVERIFY(fixture::writeFile(first.filePath("A.ALL"), nearPoint));
        QVERIFY(fixture::writeFile(second.filePath("B.ALL"), nearPoint));
        QVERIFY(fixture::writeFile(second.filePath("C.ALL"), nearPoint));
        std::atomic<int> wrong{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&, t] {
                const bool odd = t % 2;
                const QString folder = odd ? second.path() : first.path();
                for (int i = 0; i < 200; ++i) {
                    std::string countries;
                    const int error = triggeredCountries(fsPath(folder), kStation, countries);
                    if (error != 0 || countries != (odd ? "B,C" : "A"))
                        ++wrong;
                }
            });
        }
        for (std::thread& t : threads)
            t.join();
        QCOMPARE(wrong.load(), 0);
    }
};

QTEST_GUILESS_MAIN(TestBorderData)
#include "tst_borderdata.moc"
