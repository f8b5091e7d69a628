// Reading whole files through the load job, and writing them back.
#include "../editor/editortestfiles.h"

#include "hcm/hcmfile.h"
#include "hcm/hcmwriter.h"
#include "hcm/loadjob.h"

#include <QtTest>

#include <memory>

namespace {

const QByteArray kHeader = "1;Sample;FXM;AUT;Person;+43;+43;a@b.at;2;06122026";

QByteArray recordLine(const QByteArray& type, const QByteArray& name)
{
    return type + ";13000;M;;FX;CP;;01012020;" + name
           + ";AUT;015E3000N472000;512;28M0D7W;Mk;Ty;155M;-14;0;-7;0;-3.5;25;3.5;25;7;40;14;45;1;;28;10;0;"
             "123.5;0.5;V;-100;2;25;;Z;;;ABCDEFGHIJ0123456789;AntCo;A1;12700;13250;38.5;CP;2;0;0;10;20;XP;1;0;30";
}

struct Loaded
{
    CheckSettings settings = 0;
    HCMFile file{nullptr, &settings};
    int status = -1;
    bool header = false;
    bool finished = false;
    std::vector<LineCode> codes;
};

std::unique_ptr<Loaded> loadBytes(const QByteArray& bytes, QTemporaryDir& dir,
                                  const decltype(LoadJob::progress)& progress = {})
{
    const QString path = EditorTestFiles::writeIn(dir, QStringLiteral("in.txt"), bytes);
    auto loaded = std::make_unique<Loaded>();
    LoadJob job;
    job.fileName = path;
    job.target = &loaded->file;
    job.checkSettings = &loaded->settings;
    job.finished = [&](int mode) { loaded->finished = mode == LoadJob::EditorFile; };
    job.progress = progress;
    job.run();
    loaded->status = job.status();
    loaded->header = job.headerPresent();
    loaded->codes = job.lineCodes();
    return loaded;
}

} // namespace

class TestHcmFileFormat : public QObject
{
    Q_OBJECT

private slots:
    void terminators_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("lastType");
        const QByteArray a = recordLine("TX", "A");
        const QByteArray b = recordLine("RX", "B");
        QTest::newRow("crlf no final terminator") << QByteArray(kHeader + "\r\n" + a + "\r\n" + b) << QByteArray("RX");
        QTest::newRow("cr") << QByteArray(kHeader + "\r" + a + "\r" + b + "\r") << QByteArray("RX");
        QTest::newRow("lf") << QByteArray(kHeader + "\n" + a + "\n" + b + "\n") << QByteArray("RX");
        // A lone CR in a CR LF file stays inside its line; the 9X1 trimming keeps it.
        QTest::newRow("crlf wins over lf") << QByteArray(kHeader + "\n" + a + "\r\n" + b + "\r\n") << QByteArray("RX");
    }

    void terminators()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        auto loaded = loadBytes(bytes, dir);
        QVERIFY(loaded->finished);
        HCMFile& file = loaded->file;
        if (QByteArray(QTest::currentDataTag()) == "crlf wins over lf") {
            // Header and first record joined by the LF form one line, read as the header.
            QCOMPARE(file.recordCount(), 1);
            QCOMPARE(loaded->status, 146);
            return;
        }
        QCOMPARE(loaded->status, 0);
        QVERIFY(loaded->header);
        QCOMPARE(file.recordCount(), 2);
        QCOMPARE(file.header().text(HCMHeader::WritingDate), QByteArray("06122026"));
        QTEST(file.recordAt(1)->text(HcmField::TypeOfEntry), "lastType");
        QCOMPARE(file.recordAt(1)->antenna().crossPolar().attenuationView(0), QByteArrayView("30"));
        QCOMPARE(file.recordAt(2), nullptr);
        QCOMPARE(file.header().actualRecordCount(), 2);
    }

    void firstLineRule_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("header");
        QTest::addColumn<int>("records");
        const QByteArray a = recordLine("TX", "A");
        QTest::newRow("digit starts header") << QByteArray(kHeader + "\r" + a + "\r") << true << 1;
        QTest::newRow("TX record") << QByteArray(a + "\r" + a + "\r") << false << 2;
        QTest::newRow("rx record") << QByteArray(recordLine("rx", "B") + "\r") << false << 1;
        QTest::newRow("PTX record") << QByteArray(recordLine("PTX", "C") + "\r") << false << 1;
        QTest::newRow("single line without terminator") << kHeader << false << 1;
    }

    void firstLineRule()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, header);
        QTemporaryDir dir;
        auto loaded = loadBytes(bytes, dir);
        QCOMPARE(loaded->header, header);
        QTEST(loaded->file.recordCount(), "records");
    }

    void emptyLinesAndFinalPiece()
    {
        QTemporaryDir dir;
        const QByteArray a = recordLine("TX", "A");
        // LF file: a record line followed by an empty line keeps its first
        // character; the empty line becomes an empty record.
        auto loaded = loadBytes(a + "\n\n" + a + "\n", dir);
        QCOMPARE(loaded->file.recordCount(), 3);
        QCOMPARE(loaded->file.recordAt(0)->text(HcmField::TypeOfEntry), QByteArray("TX"));
        QCOMPARE(loaded->file.recordAt(1)->entryType(), 4);
        QCOMPARE(loaded->file.recordAt(1)->toLine(), QByteArray(48, ';'));
        QVERIFY(loaded->codes.empty());

        // CR LF chosen: one record, and the empty final piece is no record.
        loaded = loadBytes(a + "\r\n", dir);
        QCOMPARE(loaded->file.recordCount(), 1);
    }

    void nulByteEndsContent()
    {
        QTemporaryDir dir;
        const QByteArray a = recordLine("TX", "A");
        QByteArray bytes = a + "\r" + a + "\r";
        bytes.insert(a.size() + 1, '\0');
        auto loaded = loadBytes(bytes, dir);
        QCOMPARE(loaded->file.recordCount(), 1);
        QVERIFY(loaded->finished);
    }

    void lineCodesAreCollected()
    {
        QTemporaryDir dir;
        const QByteArray a = recordLine("TX", "A");
        // Header too short (145), record 1 short (141), last piece unterminated and short.
        auto loaded = loadBytes("1;2;3\r" + a + "\rRX;1;M\r" + a + "\rPRX;5", dir);
        QCOMPARE(loaded->status, 145);
        QCOMPARE(loaded->file.recordCount(), 4);
        QByteArray codes; // record:code
        for (const LineCode& c : loaded->codes)
            codes += QByteArray::number(c.recordNumber) + ':' + QByteArray::number(c.code) + ' ';
        QCOMPARE(codes, QByteArray("1:141 3:139 "));
    }

    void unreadableFileReachesCaller()
    {
        QTemporaryDir dir;
        auto empty = loadBytes(QByteArray(), dir);
        QCOMPARE(empty->status, int(LoadJob::Unreadable));
        QVERIFY(empty->finished);
        QCOMPARE(empty->file.recordCount(), 0);

        CheckSettings settings = 0;
        HCMFile file(nullptr, &settings);
        LoadJob job;
        job.fileName = dir.filePath(QStringLiteral("missing.txt"));
        job.target = &file;
        QSemaphore done;
        int finishedMode = 0;
        job.mode = LoadJob::AuxiliaryFile;
        job.finished = [&](int mode) {
            finishedMode = mode;
            done.release();
        };
        QVERIFY(job.start());
        QVERIFY(done.tryAcquire(1, 10000));
        job.wait();
        QCOMPARE(finishedMode, 2);
        QCOMPARE(job.status(), int(LoadJob::Unreadable));
    }

    void writtenFileReadsBack()
    {
        QTemporaryDir dir;
        const QByteArray a = recordLine("TX", "A");
        QByteArray oddCoordinates = recordLine("RX", "B");
        auto loaded = loadBytes(kHeader + "\n" + a + "\n" + oddCoordinates + "\n", dir);
        HCMFile& file = loaded->file;
        file.recordAt(0)->setText(HcmField::Unused7G2, "lost");

        const QString out = dir.filePath(QStringLiteral("out.txt"));
        QVERIFY(HcmWriter::writeFile(out, &file.header(), {file.recordAt(1), file.recordAt(0)}));
        const QByteArray written = EditorTestFiles::readText(out);
        QVERIFY(!written.contains('\n'));
        QCOMPARE(written.count('\r'), 3);
        QVERIFY(written.startsWith(kHeader + "\r"));
        QVERIFY(written.contains(";38.5;CP;2;0;0;10;20;XP;1;0;30\r"));

        auto again = loadBytes(written, dir);
        QCOMPARE(again->status, 0);
        QCOMPARE(again->file.recordCount(), 2);
        QCOMPARE(again->file.header().toLine(), file.header().toLine());
        QCOMPARE(again->file.recordAt(0)->toLine(), file.recordAt(1)->toLine());
        QCOMPARE(again->file.recordAt(1)->text(HcmField::Unused7G2), QByteArray());
        QCOMPARE(again->codes.size(), std::size_t(0));
    }

    void writeIsAtomic()
    {
        QTemporaryDir dir;
        const QString path = EditorTestFiles::writeIn(dir, QStringLiteral("in.txt"), "previous contents\r");

        CheckSettings settings = 0;
        HCMRecord record(&settings);
        {
            HcmWriter writer(path);
            QVERIFY(writer.open());
            writer.writeRecord(record);
            writer.abandon(); // a cancelled save
        }
        {
            HcmWriter writer(path);
            QVERIFY(writer.open());
            writer.writeRecord(record);
            // destroyed without commit: as if the program failed mid-write
        }
        QCOMPARE(EditorTestFiles::readText(path), QByteArray("previous contents\r"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);

        QVERIFY(!HcmWriter::writeFile(QString(), nullptr, {&record}));
        QVERIFY(!HcmWriter::writeFile(dir.filePath(QStringLiteral("no/such/dir/x.txt")), nullptr, {&record}));
        QVERIFY(HcmWriter::writeFile(path, nullptr, {&record}));
        QCOMPARE(EditorTestFiles::readText(path), QByteArray(48, ';') + "\r");
    }

    void cancelStopsAfterCurrentLine()
    {
        QTemporaryDir dir;
        int parsingCalls = 0;
        auto loaded = loadBytes(QByteArray(recordLine("TX", "A") + "\r").repeated(200), dir,
                                [&](qint64, qint64, const QString& message, std::atomic_bool& cancel) {
                                    if (message == QLatin1String("Parsing file...") && ++parsingCalls == 5)
                                        cancel = true;
                                });
        QCOMPARE(loaded->file.recordCount(), 5);
        QVERIFY(!loaded->finished);
    }

    void ownerDestroyedDuringLoad()
    {
        QTemporaryDir dir;
        const QString path = EditorTestFiles::writeIn(dir, QStringLiteral("in.txt"),
                                                      QByteArray(recordLine("TX", "A") + "\r").repeated(20000));

        // The owner (a window) holds both the job and the file; destroying it in
        // the middle of a load must stop and join the worker before the file goes.
        for (int round = 0; round < 5; ++round) {
            struct Owner
            {
                CheckSettings settings = 0;
                HCMFile file{nullptr, &settings};
                LoadJob job; // declared last: destroyed first, joining the worker
            };
            auto owner = std::make_unique<Owner>();
            QSemaphore started;
            owner->job.fileName = path;
            owner->job.target = &owner->file;
            owner->job.progress = [&](qint64 value, qint64, const QString&, std::atomic_bool&) {
                if (value > 0)
                    started.release();
            };
            QVERIFY(owner->job.start());
            QVERIFY(started.tryAcquire(1, 10000));
            owner.reset();
        }
    }
};

QTEST_GUILESS_MAIN(TestHcmFileFormat)
#include "tst_hcmfileformat.moc"
