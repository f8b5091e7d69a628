// The download centre against a local HTTP server: the version check, the
// order it writes for the downloader job, and its refusals.
#include "httpfixture.h"
#include "updatetestsupport.h"

#include "ui/scriptedprompts.h"
#include "update/downloadcenter.h"
#include "update/tiletablepage.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <unistd.h>

namespace {

struct CentreRig
{
    QTemporaryDir dir;
    HttpFixture server{dir.filePath("srv")};
    DownloadCentreSetup setup{"2.1.1.9", "2.0.0.0", dir.filePath("topo"), dir.filePath("morpho"),
                              dir.filePath("data/update"), server.base(), server.base()};

    CentreRig() { QDir().mkpath(setup.updateFolder); }
    // Selects the tiles in the Europe table of topographical data.
    void select(downloadCenter& centre, const QList<UpdateFiles::Tile>& tiles)
    {
        centre.sl_topoCheck();
        TileTablePage* page = centre.topoPage();
        for (const UpdateFiles::Tile& t : tiles)
            page->table()->selectionModel()->select(page->model()->index(72 - t.latitude, t.longitude + 11),
                                                    QItemSelectionModel::Select);
        centre.sl_makeSelection();
    }
};

} // namespace

class TestDownloadCenter : public QObject
{
    Q_OBJECT

private slots:
    void versionCheck_data()
    {
        QTest::addColumn<bool>("testMode");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QString>("status");
        QTest::newRow("fourth part 10 against 9") << false << "2.1.1.10" << "New version available! 2.1.1.10";
        QTest::newRow("same version") << false << "2.1.1.9" << "Up to date!";
        QTest::newRow("two parts unreadable") << false << "2.2" << "Could not receive data!";
        QTest::newRow("test mode reads the test list") << true << "3.0.0.0" << "New version available! 3.0.0.0";
    }

    void versionCheck()
    {
        QFETCH(bool, testMode);
        QFETCH(QString, offered);
        QFETCH(QString, status);
        CentreRig rig;
        const QString list = testMode ? "srv/files/list-test.ini" : "srv/files/list.ini";
        QVERIFY(writeFile(rig.dir.filePath(list), "VERSION=" + offered.toLatin1() + "\n"));
        downloadCenter centre(nullptr, rig.setup);
        centre.setTestMode(testMode);
        QSignalSpy announced(&centre, &DownloadCentre::newVersionAvailable);
        centre.checkForNewVersion();
        QTRY_VERIFY(centre.checkButton()->isEnabled());
        QCOMPARE(centre.programStatus(), status);
        QCOMPARE(announced.size(), status.startsWith("New") ? 1 : 0);
    }

    // A library version, a tile already on disk (not to be overwritten) and two
    // new tiles become the order; the job is started.
    void orderForTheJob()
    {
        CentreRig rig;
        QVERIFY(writeFile(rig.dir.filePath("srv/files/list.ini"),
                          "VERSION=2.1.1.9\n[HCMDLL]\nsize=2\n1\\version=2.1.0.3\n1\\path=/files/a.so\n"
                          "2\\version=2.1.0.4\n2\\path=/files/b.so\n"));
        QVERIFY(writeFile(rig.setup.topo + "/E016/E016N45.dat", "on disk"));
        downloadCenter centre(nullptr, rig.setup);
        centre.sl_checkForUpdateLoud();
        QTRY_VERIFY(centre.checkButton()->isEnabled());
        QTreeWidgetItem* offered = centre.tree()->topLevelItem(1)->child(1);
        QCOMPARE(offered->childCount(), 2);
        offered->child(0)->setCheckState(0, Qt::Checked);
        offered->child(1)->setCheckState(0, Qt::Checked); // only one version at a time
        ScriptedPrompts prompts;
        prompts.answer(QMessageBox::No);
        rig.select(centre, {{16, 45}, {16, 46}, {-5, 40}});
        QCOMPARE(prompts.messages().size(), 1);
        QSignalSpy started(&centre, &DownloadCentre::startDownloading);
        centre.sl_startUpdate();
        QCOMPARE(started.size(), 1);
        const UpdateFiles::Order order = UpdateFiles::readOrder(rig.dir.filePath("data/download.ini"));
        QCOMPARE(order.libraryPath, QString("/files/b.so"));
        QCOMPARE(order.topo, (QList<UpdateFiles::Tile>{{16, 46}, {-5, 40}}));
        QVERIFY(!order.updateProgram);
    }

    void noServerConfigured()
    {
        CentreRig rig;
        rig.setup.updateServer.clear();
        downloadCenter centre(nullptr, rig.setup);
        ScriptedPrompts prompts;
        centre.checkForNewVersion();
        QCOMPARE(prompts.messages().size(), 0);
        centre.sl_checkForUpdateLoud();
        QCOMPARE(prompts.messages().value(0).message.text, QString("No update server is configured."));
    }

    // A data folder that cannot take the tiles, or an order file that cannot be
    // written, never starts a job.
    void unusableFolderStopsTheOrder_data()
    {
        QTest::addColumn<bool>("readOnlyTopo");
        QTest::addColumn<QString>("message");
        QTest::newRow("read-only data folder") << true << "Unfortunately";
        QTest::newRow("order file unwritable") << false << "Could not write";
    }

    void unusableFolderStopsTheOrder()
    {
        QFETCH(bool, readOnlyTopo);
        QFETCH(QString, message);
        if (readOnlyTopo && geteuid() == 0)
            QSKIP("Folder permissions do not bind the superuser.");
        CentreRig rig;
        QDir().mkpath(readOnlyTopo ? rig.setup.topo : rig.dir.filePath("data/download.ini"));
        downloadCenter centre(nullptr, rig.setup);
        ScriptedPrompts prompts;
        rig.select(centre, {{16, 45}});
        if (readOnlyTopo)
            QFile::setPermissions(rig.setup.topo, QFile::ReadOwner | QFile::ExeOwner);
        QSignalSpy started(&centre, &DownloadCentre::startDownloading);
        centre.sl_startUpdate();
        QFile::setPermissions(rig.setup.topo, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(started.size(), 0);
        QVERIFY2(prompts.messages().last().message.text.startsWith(message),
                 qPrintable(prompts.messages().last().message.text));
        QVERIFY(UpdateFiles::readOrder(rig.dir.filePath("data/download.ini")).topo.isEmpty());
    }
};

QTEST_MAIN(TestDownloadCenter)
#include "tst_downloadcenter.moc"
