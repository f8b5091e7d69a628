// The downloader job as the main window runs it: postponed after an error,
// resumed by the next start of the program.
#include "httpfixture.h"
#include "updatetestsupport.h"

#include "app/hcmform.h"
#include "ui/scriptedprompts.h"
#include "update/updatefiles.h"

#include <QAction>
#include <QSettings>
#include <QTemporaryDir>

class TestDownloadInShell : public QObject
{
    Q_OBJECT

private slots:
    void postponedJobResumesAtNextStart()
    {
        QTemporaryDir dir;
        HttpFixture server(dir.filePath("srv"));
        const QString archive = "/topogra/TOPO/E016/E016north30to89.zip";
        const QString topo = dir.filePath("topo");
        QSettings user(qEnvironmentVariable("LINKWISE_USER_INI"), QSettings::IniFormat);
        user.setValue("terrain_server", server.base());
        user.setValue("check_for_update_on_startup", false);
        user.sync();
        QSettings machine(qEnvironmentVariable("LINKWISE_MACHINE_INI"), QSettings::IniFormat);
        machine.setValue("topo", topo);
        machine.sync();

        ScriptedPrompts prompts;
        prompts.answer(QMessageBox::Yes); // postpone
        {
            hcmForm form;
            form.setWindowFactory(productionWindowFactory());
            UpdateFiles::Order order;
            order.topo = {{16, 45}};
            QVERIFY(UpdateFiles::writeOrder(UpdateFiles::orderFile(form.updateFolder()), order).isEmpty());
            form.startDownloader();
            QVERIFY(!form.ui().actionCheck_for_new_version->isEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(!form.downloaderJob(), 20000);
            QCOMPARE(server.hits(archive), 4);
            QVERIFY(form.ui().actionCheck_for_new_version->isEnabled());
            QCOMPARE(prompts.messages().size(), 1);
        }
        user.sync();
        QVERIFY(user.value("launch_downloader").toBool());

        QVERIFY(makeZip(dir.filePath("srv") + archive, {{"E016N45.dat", "45"}}));
        hcmForm next;
        next.setWindowFactory(productionWindowFactory());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(topo + "/E016/E016N45.dat"), 20000);
        QTRY_COMPARE(prompts.messages().size(), 2);
        QCOMPARE(prompts.messages().last().message.text, QString("Update is finished!"));
        user.sync();
        QVERIFY(!user.value("launch_downloader").toBool());
    }
};

QTEST_MAIN(TestDownloadInShell)
#include "tst_downloadinshell.moc"
