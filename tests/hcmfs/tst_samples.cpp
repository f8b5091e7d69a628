// The shipped sample: its terrain tiles are what the generator writes, and
// its links give plausible results with that terrain (the ridge between the
// link ends shields the direct path; the passive repeater on the crest
// carries the signal over it).
#include "hcmfstestutil.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

static const QString kSamples = QStringLiteral(LINKWISE_SOURCEDIR "/samples/terrain");

class TestSamples : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(lib_.ok());
        QVERIFY(tmp_.isValid());
        qputenv("LINKWISE_MACHINE_INI", QFile::encodeName(tmp_.filePath("none.ini")));
        QFile f(kSamples + "/ridge-links.txt");
        QVERIFY(f.open(QIODevice::ReadOnly));
        for (const QByteArray& line : f.readAll().split('\r'))
            if (!line.trimmed().isEmpty())
                records_ << line;
        QCOMPARE(records_.size(), 4);
    }

    void generatorReproducesTiles()
    {
        QProcess gen;
        gen.start(QStringLiteral(LINKWISE_BINDIR "/hcmfs-terrain-gen"), {tmp_.path()});
        QVERIFY(gen.waitForFinished(120000));
        QCOMPARE(gen.exitCode(), 0);
        for (const char* tile : {"/TOPO/E016/E016N50.63E", "/TOPO/E017/E017N50.63E", "/MORPHO/E016/E016N50.63M",
                                 "/MORPHO/E017/E017N50.63M"}) {
            QFile shipped(kSamples + tile);
            QFile fresh(tmp_.path() + tile);
            QVERIFY(shipped.open(QIODevice::ReadOnly));
            QVERIFY(fresh.open(QIODevice::ReadOnly));
            QCOMPARE(shipped.size(), qint64(1483488));
            QVERIFY2(shipped.readAll() == fresh.readAll(), tile);
        }
    }

    void sampleLinks()
    {
        const QByteArray terrain = QFile::encodeName(kSamples);
        const hcmfstest::Outputs direct = lib_.call({records_[0], records_[3]}, QByteArray(), terrain);
        const hcmfstest::Outputs repeater = lib_.call(records_, QFile::encodeName(tmp_.filePath("detail.txt")), terrain);
        const hcmfstest::Outputs noTerrain = lib_.call({records_[0], records_[3]});
        QCOMPARE((QList<int>{direct.error, repeater.error, noTerrain.error}), (QList<int>{0, 0, 0}));
        QVERIFY(direct.i > -150 && direct.i < -125);
        QVERIFY(direct.td > 0 && direct.td < 1);
        QVERIFY(repeater.i > -145 && repeater.i < -125);
        // Without the ridge the direct path is line of sight: far stronger.
        QVERIFY(noTerrain.i > direct.i + 30);

        QFile report(tmp_.filePath("detail.txt"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QByteArray text = report.readAll();
        for (const char* part : {"four stations", "Hop 2: PTX -> RX", "E016N50.63E (HCM .63E)",
                                 "E016N50.63M (HCM .63M)", "L_rep  repeater jumper 9L PRX + 9L PTX"})
            QVERIFY2(text.contains(part), part);
        // The sample's sea lies on the second hop, east of the ridge.
        QVERIFY(QRegularExpression("Hop 2: [^\\n]*\\n(.*\\n)*  zones: \\d+ inland \\(A2\\), [1-9]\\d* coastal \\(A1\\), [1-9]\\d* sea").match(QString::fromLatin1(text)).hasMatch());
    }

    void concurrentCallsAgree()
    {
        // The program may call from several threads; results must not depend on it.
        const QByteArray terrain = QFile::encodeName(kSamples);
        const hcmfstest::Outputs direct = lib_.call({records_[0], records_[3]}, QByteArray(), terrain);
        const hcmfstest::Outputs repeater = lib_.call(records_, QByteArray(), terrain);
        std::atomic<int> mismatches{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&, t] {
                for (int k = 0; k < 25; ++k) {
                    const bool four = (k + t) % 2 == 0;
                    const hcmfstest::Outputs o =
                        four ? lib_.call(records_, QByteArray(), terrain) : lib_.call({records_[0], records_[3]}, QByteArray(), terrain);
                    const hcmfstest::Outputs& want = four ? repeater : direct;
                    if (o.error != 0 || o.i != want.i || o.td != want.td || o.aTotal != want.aTotal)
                        ++mismatches;
                }
            });
        }
        for (std::thread& th : threads)
            th.join();
        QCOMPARE(mismatches.load(), 0);
    }

    void realFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("form"); // which records, by type, in call order
        QTest::addColumn<bool>("overlap");
        QTest::newRow("co-channel pair") << "KEN 1-2.txt" << "TX RX" << true;
        QTest::newRow("duplex pair, 1008 MHz apart") << "KEN 7-8.txt" << "TX RX" << false;
        QTest::newRow("direct past the repeater") << "KEN Tx1-PRx-PTx-Rx2.txt" << "TX RX" << true;
        QTest::newRow("through the repeater") << "KEN Tx1-PRx-PTx-Rx2.txt" << "TX PRX PTX RX" << true;
    }

    void realFiles()
    {
        QFETCH(QString, file);
        QFETCH(QString, form);
        QFETCH(bool, overlap);
        QFile f(QStringLiteral(LINKWISE_TESTDATA "/hcmfs/real/") + file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray text = f.readAll();
        text.replace("\r\n", "\n").replace('\r', '\n');
        QList<QByteArray> records;
        for (const QString& type : form.split(' ')) {
            for (const QByteArray& line : text.split('\n')) {
                if (line.left(line.indexOf(';')).toUpper() == type.toLatin1()) {
                    records << line;
                    break;
                }
            }
        }
        QCOMPARE(records.size(), form.split(' ').size());
        const hcmfstest::Outputs o = lib_.call(records);
        QCOMPARE(o.error, 0);
        if (overlap) {
            QVERIFY(o.overlap > 20 && std::isfinite(o.i) && o.i < -50 && o.i > -250);
            QVERIFY(o.td >= 0);
        } else {
            QCOMPARE(o.overlap, 0.0);
            QCOMPARE(o.td, 0.0f);
        }
    }

private:
    QList<QByteArray> records_;
    hcmfstest::Library lib_;
    QTemporaryDir tmp_;
};

QTEST_GUILESS_MAIN(TestSamples)
#include "tst_samples.moc"
