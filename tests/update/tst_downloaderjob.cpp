// The downloader job against a local HTTP server: retries, checksums,
// library replacement, unpacking, postponing, resuming and aborting.
#include "httpfixture.h"
#include "updatetestsupport.h"

#include "update/archiveunpacker.h"
#include "update/downloaderjob.h"
#include "update/updatefiles.h"

#include <QCryptographicHash>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const QString kArchive = QStringLiteral("/topogra/TOPO/E016/E016north30to89.zip");

// One job over a temporary tree: srv/ is served, data/ holds the job files.
struct JobRig
{
    QTemporaryDir dir;
    HttpFixture server{dir.filePath(QStringLiteral("srv"))};
    bool pending = false;
    QStringList errors;
    QStringList started;
    bool postpone = true;

    QString srv(const QString& path) const { return dir.filePath(QStringLiteral("srv") + path); }
    QString data(const QString& path) const { return dir.filePath(QStringLiteral("data/") + path); }
    DownloaderSetup setup() const
    {
        return {data(QStringLiteral("update")), server.base(), server.base(),
                data(QStringLiteral("lib/libHCMFS_DLL.so")), data(QStringLiteral("topo")),
                data(QStringLiteral("morpho")), QString()};
    }
    void order(const UpdateFiles::Order& o, const QByteArray& list = QByteArray())
    {
        QDir().mkpath(data(QStringLiteral("update")));
        QVERIFY(UpdateFiles::writeOrder(data(QStringLiteral("download.ini")), o).isEmpty());
        QVERIFY(writeFile(data(QStringLiteral("list.ini")), list));
    }
    void orderTopo(const QList<UpdateFiles::Tile>& tiles) { UpdateFiles::Order o; o.topo = tiles; order(o); }
    DownloaderJob::Hooks hooks()
    {
        DownloaderJob::Hooks hooks;
        hooks.setPending = [this](bool p) { pending = p; };
        hooks.mayReplaceLibrary = [] { return true; };
        hooks.postponeAfterError = [this](const QString& m) { errors << m; return postpone; };
        hooks.notify = [this](DownloaderJob::Notice k, const QString&, const QString& t) {
            if (k != DownloaderJob::Notice::Information)
                errors << t;
        };
        hooks.startInstaller = [this](const QString& f) { started << f; return true; };
        return hooks;
    }
    DownloaderJob::Outcome run()
    {
        DownloaderJob job(setup(), hooks());
        job.downloader()->setStallTimeout(5000);
        QSignalSpy ended(&job, &DownloaderJob::ended);
        job.start();
        if (ended.isEmpty())
            ended.wait(20000);
        return ended.isEmpty() ? DownloaderJob::Outcome::Aborted
                               : ended.first().first().value<DownloaderJob::Outcome>();
    }
};

} // namespace

class TestDownloaderJob : public QObject
{
    Q_OBJECT

private slots:
    void archiveAttempts_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<bool>("done");
        QTest::newRow("fourth attempt, no dialog") << 3 << true;
        QTest::newRow("four failures") << 4 << false;
    }

    // The archive is fetched, retried silently up to four attempts, and unpacked
    // into the column folder of the data folder.
    void archiveAttempts()
    {
        QFETCH(int, failures);
        QFETCH(bool, done);
        JobRig rig;
        QVERIFY(makeZip(rig.srv(kArchive), {{"E016N45.dat", "45"}, {"E016N46.dat", "46"}}));
        rig.server.failTimes(kArchive, failures);
        rig.orderTopo({{16, 45}, {16, 46}});
        const auto outcome = rig.run();
        QCOMPARE(rig.server.hits(kArchive), qMin(failures + 1, 4));
        QCOMPARE(outcome == DownloaderJob::Outcome::Finished, done);
        QCOMPARE(rig.errors.size(), done ? 0 : 1);
        QCOMPARE(rig.pending, !done);
        QCOMPARE(readFile(rig.data("topo/E016/E016N46.dat")), done ? QByteArray("46") : QByteArray());
        QCOMPARE(QFile::exists(rig.data("download.ini")), !done);
        if (done)
            QVERIFY(!QFile::exists(rig.data("topo/topo/E016north30to89.zip")));
    }

    void installerChecksum_data()
    {
        auto hex = [](QCryptographicHash::Algorithm a) {
            return QString::fromLatin1(QCryptographicHash::hash("installer body", a).toHex());
        };
        const QString md5 = hex(QCryptographicHash::Md5);
        const QString sha = hex(QCryptographicHash::Sha256);
        const QString wrong(32, QLatin1Char('0'));
        QTest::addColumn<QString>("md5");
        QTest::addColumn<QString>("sha256");
        QTest::addColumn<QString>("failure"); // empty: installed
        QTest::newRow("md5 matches") << md5 << QString() << QString();
        QTest::newRow("md5 differs") << wrong << QString() << "MD5 sum";
        QTest::newRow("sha256 decides over md5") << md5 << wrong << "SHA-256 sum";
        QTest::newRow("sha256 matches, md5 ignored") << wrong << sha << QString();
    }

    void installerChecksum()
    {
        QFETCH(QString, md5);
        QFETCH(QString, sha256);
        QFETCH(QString, failure);
        JobRig rig;
        QVERIFY(writeFile(rig.srv("/files/setup.bin"), "installer body"));
        UpdateFiles::Order o;
        o.updateProgram = true;
        QByteArray list = "file=setup.bin\nmd5=" + md5.toLatin1() + "\n";
        if (!sha256.isEmpty())
            list += "sha256=" + sha256.toLatin1() + "\n";
        rig.order(o, list);
        rig.run();
        QCOMPARE(rig.server.hits("/files/setup.bin"), failure.isEmpty() ? 1 : 4);
        QCOMPARE(rig.started.size(), failure.isEmpty() ? 1 : 0);
        if (!failure.isEmpty())
            QVERIFY2(rig.errors.value(0).contains(failure), qPrintable(rig.errors.value(0)));
    }

    void library_data()
    {
        QTest::addColumn<QByteArray>("served");
        QTest::addColumn<int>("cutAt"); // 0: whole body
        QTest::addColumn<bool>("replaced");
        const QByteArray real = readFile(QStringLiteral(LINKWISE_BINDIR "/libHCMFS_DLL.so"));
        QTest::newRow("a real library") << real << 0 << true;
        QTest::newRow("not a library") << QByteArray("<html>moved</html>") << 0 << false;
        QTest::newRow("connection dropped") << real << int(real.size() / 2) << false;
    }

    // The old library stays in place unless the complete download proves to be a
    // calculation library.
    void library()
    {
        QFETCH(QByteArray, served);
        QFETCH(int, cutAt);
        QFETCH(bool, replaced);
        QVERIFY(!served.isEmpty());
        JobRig rig;
        QVERIFY(writeFile(rig.srv("/files/hcm/lib.so"), served));
        if (cutAt > 0)
            rig.server.cutShort("/files/hcm/lib.so", cutAt);
        const QString library = rig.data("lib/libHCMFS_DLL.so");
        QVERIFY(writeFile(library, "old library"));
        UpdateFiles::Order o;
        o.libraryPath = "/files/hcm/lib.so";
        rig.order(o);
        QCOMPARE(rig.run() == DownloaderJob::Outcome::Finished, replaced);
        QCOMPARE(readFile(library), replaced ? served : QByteArray("old library"));
        QCOMPARE(readFile(library + ".bak"), QByteArray("old library"));
    }

    // A postponed job records what it finished; the next start fetches only the rest.
    void postponeThenResume()
    {
        JobRig rig;
        const QString second = QStringLiteral("/topogra/TOPO/E016/E016north00to29.zip");
        QVERIFY(makeZip(rig.srv(kArchive), {{"E016N45.dat", "45"}}));
        rig.orderTopo({{16, 45}, {16, 10}});
        QCOMPARE(rig.run(), DownloaderJob::Outcome::Postponed);
        QVERIFY(rig.pending);
        QCOMPARE(rig.server.hits(second), 4);
        QVERIFY(makeZip(rig.srv(second), {{"E016N10.dat", "10"}}));
        QCOMPARE(rig.run(), DownloaderJob::Outcome::Finished);
        QCOMPARE(rig.server.hits(kArchive), 1);
        QCOMPARE(readFile(rig.data("topo/E016/E016N10.dat")), QByteArray("10"));
        QCOMPARE(readFile(rig.data("topo/E016/E016N45.dat")), QByteArray("45"));
        QVERIFY(!rig.pending);
    }

    void abortIgnoresTheAbortedTransfer()
    {
        JobRig rig;
        rig.server.stall(kArchive);
        rig.orderTopo({{16, 45}});
        DownloaderJob job(rig.setup(), rig.hooks());
        QSignalSpy ended(&job, &DownloaderJob::ended);
        job.start();
        QTRY_COMPARE(rig.server.hits(kArchive), 1);
        job.abort();
        QTest::qWait(300);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().value<DownloaderJob::Outcome>(), DownloaderJob::Outcome::Aborted);
        QCOMPARE(rig.server.hits(kArchive), 1);
        QVERIFY(rig.errors.isEmpty());
        QVERIFY(!rig.pending);
        QVERIFY(!QFile::exists(rig.data("download.ini")));
    }

    // A job whose progress cannot be written must not carry on as if it could.
    void unrecordableProgressIsReported()
    {
        JobRig rig;
        QVERIFY(makeZip(rig.srv(kArchive), {{"E016N45.dat", "45"}}));
        rig.orderTopo({{16, 45}});
        QVERIFY(QFile::remove(rig.data("list.ini")));
        QVERIFY(QDir().mkpath(rig.data("list.ini"))); // a folder where the file belongs
        rig.run();
        QCOMPARE(rig.errors.size(), 1);
        QVERIFY2(rig.errors.first().contains("Could not record"), qPrintable(rig.errors.first()));
        QVERIFY(!QFile::exists(rig.data("topo/E016/E016N45.dat")));
    }

    void archiveLeavingItsFolderIsRefused()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath("bad.zip");
        QVERIFY(makeZip(archive, {{"E016N45.dat", "45"}, {"../x", "escaped"}}));
        const QString unzip = ArchiveUnpacker::findUnzip(QString());
        QVERIFY(!unzip.isEmpty());
        const QString error = ArchiveUnpacker::unpack(unzip, archive, dir.filePath("data/E016"));
        QVERIFY2(error.contains("refused"), qPrintable(error));
        QVERIFY(!QFile::exists(dir.filePath("data/x")));
        QVERIFY(!QFile::exists(dir.filePath("data/E016/E016N45.dat")));
        QVERIFY(!ArchiveUnpacker::isSafeEntry("/etc/passwd"));
        QVERIFY(!ArchiveUnpacker::isSafeEntry("C:\\x"));
        QVERIFY(!ArchiveUnpacker::isSafeEntry("a\\..\\..\\x"));
    }
};

QTEST_GUILESS_MAIN(TestDownloaderJob)
#include "tst_downloaderjob.moc"
