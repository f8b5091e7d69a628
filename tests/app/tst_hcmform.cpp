// The main window against stand-in editor and report windows: action states,
// opening and saving, closing prompts, drag and drop, command line, options.
#include "app/appsettings.h"
#include "app/hcmform.h"
#include "ui/scriptedprompts.h"
#include "app/options.h"
#include "app/saveprm.h"
#include "app/setvalue.h"
#include "fakewindows.h"
#include "resources/linkwiseresources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QtTest>

namespace {

// A main window whose sub-windows are stand-ins, with a record of them.
struct Shell
{
    Shell()
    {
        WindowFactory factory;
        factory.editor = [this](const CheckOptions& o) {
            editors.append(new FakeEditor(o));
            editors.last()->loadResult = !loadFails;
            return editors.last().data();
        };
        factory.report = [this](const ReportSetup& s) {
            reports.append(new FakeReport(s));
            return reports.last().data();
        };
        factory.calcFilesDialog = [](QWidget* parent) { return new FakeCalcFiles(parent); };
        factory.maskDialog = [](QWidget* parent, const QString&) { return new QDialog(parent); };
        factory.downloadCentre = [](QWidget* parent, const DownloadCentreSetup& setup) {
            return new FakeDownloadCentre(parent, setup);
        };
        form.setWindowFactory(factory);
        form.show();
    }

    FakeEditor* newEditor(int rows, int current, bool modified = false, QString name = {})
    {
        form.doActionNew();
        FakeEditor* e = editors.last();
        e->select(rows, current);
        e->modified = modified;
        if (!name.isEmpty())
            e->setFileName(name);
        return e;
    }

    QMdiArea* area() const { return form.ui().mdiArea; }

    ScriptedPrompts prompts; // before the form: no real message box, ever
    bool loadFails = false;
    hcmForm form;
    QList<QPointer<FakeEditor>> editors;
    QList<QPointer<FakeReport>> reports;
};

void writeFile(const QString& path, const QByteArray& content = "x")
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// The check boxes of the Options dialog in the order of CheckOptions' fields.
QList<bool> ticks(const Options* o)
{
    QList<bool> t;
    for (const QCheckBox* b : {o->cbEnableChecking, o->cbCheckCalcErrors, o->cbCheckFormatErrors,
                               o->cbCheckValueWarnings, o->cbCheckCaracterWarnings, o->cbCheckWhenLoading})
        t << b->isChecked();
    return t;
}

} // namespace

class TestHcmForm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Without the stores ctest provides, the real ones would be touched.
        for (const char* name : {"LINKWISE_USER_INI", "LINKWISE_MACHINE_INI", "LINKWISE_DATA_DIR"})
            QVERIFY2(!qEnvironmentVariableIsEmpty(name), "run this test through ctest");
        initLinkwiseResources();
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        QFile::remove(qEnvironmentVariable("LINKWISE_USER_INI"));
        QFile::remove(qEnvironmentVariable("LINKWISE_MACHINE_INI"));
    }

    void actionStates_data()
    {
        QTest::addColumn<QString>("window"); // none, report, editor
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("rowGroup");
        QTest::addColumn<bool>("editing");
        QTest::newRow("no window") << "none" << 0 << -1 << false << false << false;
        QTest::newRow("report") << "report" << 0 << -1 << true << false << false;
        QTest::newRow("editor without rows") << "editor" << 0 << -1 << false << false << true;
        QTest::newRow("editor rows, no current") << "editor" << 4 << -1 << true << false << true;
        QTest::newRow("editor with current row") << "editor" << 4 << 2 << true << true << true;
    }

    void actionStates()
    {
        QFETCH(QString, window);
        QFETCH(int, rows);
        QFETCH(int, current);
        QFETCH(bool, save);
        QFETCH(bool, rowGroup);
        QFETCH(bool, editing);

        Shell s;
        if (window == QLatin1String("report")) {
            QVERIFY(s.form.startCalculation("a.txt", "b.txt", 1.0f, true));
        } else if (window == QLatin1String("editor")) {
            // A selection change of the editor alone must bring the actions along.
            s.newEditor(4, 1);
            s.editors.last()->select(rows, current);
        }
        const hcmFormUi& u = s.form.ui();
        const QList<QAction*> actions{u.actionSave, u.actionSave_As, u.actionRemove_records,
                                      u.actionDublicate_record, u.actionSet_value, u.actionAdd_record,
                                      u.actionChech_file_syntax, u.actionComapre_with_auxilary_file};
        QList<bool> enabled;
        for (const QAction* a : actions)
            enabled << a->isEnabled();
        QCOMPARE(enabled, QList<bool>({save, save, rowGroup, rowGroup, rowGroup, editing, editing, editing}));

        // Closing the last window disables the groups again.
        s.area()->closeAllSubWindows();
        QTRY_VERIFY(!u.actionSave->isEnabled() && !u.actionAdd_record->isEnabled());
    }

    void optionsRoundTripWithBadFrequency()
    {
        const CheckOptions alternating{false, true, false, true, false, true};
        {
            Shell s;
            FakeEditor* editor = s.newEditor(1, 0);
            s.form.showOptions();
            Options* o = s.form.optionsDialog();
            o->pathLibrary->setText("/opt/lib/libHCMFS_DLL.so");
            o->pathBorder->setText("/data/border");
            // The folder chooser starts in the current folder; cancelling keeps it.
            o->pathMorpho->setText("/old");
            o->toolButtonMorpho->click();
            QCOMPARE(o->pathMorpho->text(), QString("/old"));
            QCOMPARE(s.prompts.fileDialogs().at(0).request.kind, UserPrompts::FileKind::Directory);
            QCOMPARE(s.prompts.fileDialogs().at(0).request.directory, QString("/old"));
            s.prompts.answerFiles({"/data/morpho"});
            o->toolButtonMorpho->click();
            o->setOptions(false, true, false, true, false, true);
            o->showTower->setChecked(true);
            o->cbUpdate->setChecked(false);
            o->leFrequency_TXRX->setText("abc");
            o->leDistance_TXRX->setText("1e3");
            o->leDistance_PTXRX->setText("2.5");
            o->okButton->click();

            QCOMPARE(s.prompts.messages().size(), 1);
            QCOMPARE(s.prompts.messages().at(0).message.text,
                     QString("Entered frequency is not a number!"));
            QVERIFY(!o->isVisible());
            // Open editors take the new check options at once.
            QVERIFY(editor->options == alternating);
        }
        // Stored at once: a new start reads the same values back.
        Shell again;
        const AppSettings& a = again.form.settings();
        QCOMPARE(a.hcmLibrary, QString("/opt/lib/libHCMFS_DLL.so"));
        QCOMPARE(a.morpho, QString("/data/morpho"));
        QCOMPARE(a.border, QString("/data/border"));
        QCOMPARE(a.frequencyTxRx, 300.0);
        QCOMPARE(a.distanceTxRx, 1000.0);
        QCOMPARE(a.distancePTxRx, 2.5);
        QVERIFY(a.check == alternating);
        QVERIFY(a.googleShowTower);
        QVERIFY(!a.checkForUpdateOnStartup);
        QCOMPARE(again.form.startupJob(), Startup::Job::None);

        // The dialog shows what is stored; Cancel changes nothing.
        again.form.showOptions();
        Options* o = again.form.optionsDialog();
        QCOMPARE(ticks(o), QList<bool>({false, true, false, true, false, true}));
        o->leDistance_TXRX->setText("5");
        o->cancelButton->click();
        QCOMPARE(a.distanceTxRx, 1000.0);
        again.form.showOptions();
        QCOMPARE(o->leDistance_TXRX->text(), QString("1000"));
        o->reject();
    }

    // Files named on the command line open once the event loop runs, in their
    // order, each in the window its name asks for: only a lower-case ".lwrpt" at
    // the very end makes a report.
    void commandLineOpensFilesBySuffixAndTestMode()
    {
        QStringList paths;
        for (const char* name : {"first.lwrpt.txt", "calc.lwrpt", "calc.LWRPT"}) {
            paths << m_dir.filePath(name);
            writeFile(paths.last());
        }
        Shell s;
        s.form.takeCommandLine({"linkwise", "test", paths[0], m_dir.filePath("missing.txt"), paths[1], paths[2]});
        QVERIFY(s.form.testMode());
        QCOMPARE(s.editors.size() + s.reports.size(), 0);
        QTRY_COMPARE(s.editors.size(), 2);
        QCOMPARE(s.editors.at(0)->calls, QStringList({"load " + paths[0]}));
        QCOMPARE(s.editors.at(1)->calls, QStringList({"load " + paths[2]}));
        QCOMPARE(s.reports.size(), 1);
        QCOMPARE(s.reports.at(0)->calls, QStringList({"open " + paths[1]}));
        QCOMPARE(s.form.settings().recentDir, paths[2]);
    }

    void openUsesFileDialogAndReportsLoadFailure()
    {
        Shell s;
        const QString bad = m_dir.filePath("bad.txt");
        s.prompts.answerFiles({bad});
        s.loadFails = true;
        s.form.doActionOpen();
        QCOMPARE(s.prompts.asked().size(), 2);
        QVERIFY(s.prompts.asked().at(1).message.text.contains(bad));
        // The empty editor stays open.
        QCOMPARE(s.area()->subWindowList().size(), 1);
    }

    void dragAndDropOpensEachFile()
    {
        const QString a = m_dir.filePath("drop1.txt");
        const QString b = m_dir.filePath("drop2.txt");
        Shell s;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(a), QUrl("https://example.org/x.txt"),
                      QUrl::fromLocalFile(b)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&s.form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&s.form, &drop);
        QCOMPARE(s.editors.size(), 2);
        QCOMPARE(s.editors.at(0)->calls, QStringList({"load " + a}));
        QCOMPARE(s.editors.at(1)->calls, QStringList({"load " + b}));
    }

    void saveWithoutNameGoesThroughSaveDialog()
    {
        Shell s;
        FakeEditor* editor = s.newEditor(3, 0, true);
        editor->header = false;
        const QString target = m_dir.filePath("saved.txt");
        s.prompts.answerFiles({target});
        SavePrm* dialog = s.form.savePrmDialog();
        bool wasModal = false;
        QTimer::singleShot(0, dialog, [&] {
            wasModal = dialog->isModal() && dialog->isVisible();
            dialog->rbTableOrder->setChecked(true);
            dialog->pbSave->click();
        });
        s.form.doActionSave();
        QVERIFY(wasModal);
        QVERIFY(!dialog->isVisible());
        // Without header as the editor has it, in table order as chosen.
        QCOMPARE(editor->writes, QStringList({target + " 0 1"}));

        // Now named: written to its own path without asking; a failure is reported.
        editor->writeResult = false;
        editor->modified = true;
        s.form.doActionSave();
        QCOMPARE(s.prompts.fileDialogs().size(), 1);
        QCOMPARE(editor->writes.value(1), target + " 0 1");
        QCOMPARE(s.prompts.messages().size(), 1);
        QVERIFY(editor->isModified());
    }

    void savingUnnamedEditorAsksForName()
    {
        Shell s;
        FakeEditor* editor = s.newEditor(2, 0, true);
        s.form.saveHCM(editor); // no name chosen: warned, nothing written
        QCOMPARE(s.prompts.messages().size(), 1);
        QVERIFY(editor->writes.isEmpty());
        const QString target = m_dir.filePath("chosen.txt");
        s.prompts.answerFiles({target});
        s.form.saveHCM(editor);
        QCOMPARE(s.prompts.fileDialogs().at(1).request.directory, s.form.settings().recentDir);
        QCOMPARE(editor->writes, QStringList({target + " 1 0"}));
        QCOMPARE(editor->fileName(), target); // the next Save asks no more
    }

    void closingPrompts_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("modified"); // one letter per editor
        QTest::addColumn<QString>("written");  // x: the write fails
        QTest::newRow("no to all") << QList<int>{QMessageBox::NoToAll} << "1011" << "0000";
        QTest::newRow("no, then save all") << QList<int>{QMessageBox::No, QMessageBox::SaveAll}
                                           << "111" << "011";
        QTest::newRow("single file yes") << QList<int>{QMessageBox::Yes} << "10" << "10";
        // A file that could not be written keeps the program open.
        QTest::newRow("write fails") << QList<int>{QMessageBox::Yes} << "1" << "x";
    }

    void closingPrompts()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QString, modified);
        QFETCH(QString, written);
        Shell s;
        for (int a : answers)
            s.prompts.answer(QMessageBox::StandardButton(a));
        for (int i = 0; i < modified.size(); ++i) {
            s.newEditor(1, 0, modified[i] == '1', QString("%1.txt").arg(QChar('a' + i)));
            s.editors.last()->writeResult = written[i] != 'x';
        }
        const bool fails = written.contains('x');
        QCOMPARE(s.form.close(), !fails);
        QCOMPARE(s.form.isVisible(), fails);
        QCOMPARE(s.prompts.asked().size(), answers.size() + (fails ? 1 : 0)); // and the failure
        // Save All and No to All only when more than one file is changed.
        const bool many = modified.count('1') > 1;
        QCOMPARE(bool(s.prompts.asked().at(0).message.buttons & QMessageBox::SaveAll), many);
        if (!many)
            QCOMPARE(s.prompts.asked().at(0).message.escapeButton, QMessageBox::No);
        for (int i = 0; i < written.size(); ++i) {
            QCOMPARE(s.editors.at(i)->writes.size(), written[i] == '0' ? 0 : 1);
            if (written[i] != '0')
                QCOMPARE(s.editors.at(i)->isModified(), fails);
        }
    }

    void closingUnnamedFileGoesThroughSaveDialog()
    {
        Shell s;
        s.prompts.answer(QMessageBox::Yes);
        const QString target = m_dir.filePath("unnamed.txt");
        s.prompts.answerFiles({target});
        FakeEditor* editor = s.newEditor(1, 0, true);
        SavePrm* dialog = s.form.savePrmDialog();
        QTimer::singleShot(0, dialog, [dialog] { dialog->pbSave->click(); });
        QVERIFY(s.form.close());
        QCOMPARE(editor->writes, QStringList({target + " 1 0"}));
        QVERIFY(!editor->isModified());
    }

    void editorActionsReachActiveEditor()
    {
        Shell s;
        FakeEditor* first = s.newEditor(2, 0);
        FakeEditor* second = s.newEditor(2, 1);
        s.area()->setActiveSubWindow(s.area()->subWindowList().at(0));
        const hcmFormUi& u = s.form.ui();
        u.actionAdd_record->trigger();
        u.actionRemove_records->trigger();
        u.actionDublicate_record->trigger();
        u.actionChech_file_syntax->trigger();
        const QString other = m_dir.filePath("aux.txt");
        s.prompts.answerFiles({other});
        u.actionComapre_with_auxilary_file->trigger();
        u.actionShow_on_Google_Earth->trigger();
        // Set Value writes the chosen field: a listed value, then a typed date.
        SetValue* dialog = s.form.setValueDialog();
        dialog->cbValue->setCurrentIndex(dialog->cbValue->findText("Z: Request for agreement refused"));
        QTimer::singleShot(0, dialog, [dialog] { dialog->pbOk->click(); });
        u.actionSet_value->trigger();
        dialog->cbParameters->setCurrentIndex(1);
        dialog->cbValue->setEditText("01022027");
        QTimer::singleShot(0, dialog, [dialog] { dialog->pbOk->click(); });
        u.actionSet_value->trigger();
        QCOMPARE(first->calls, QStringList({"add", "add", "remove", "duplicate", "check", "compare " + other,
                                            "kml 0 " + s.form.dataFolder(), "set 13Y=Z", "set 2Z=01022027"}));
        QCOMPARE(second->calls, QStringList({"add"}));
    }

    void windowMenuFollowsCurrentWindow()
    {
        Shell s;
        QVERIFY(!s.form.ui().actionClose_All_Windows->isEnabled());
        FakeEditor* a = s.newEditor(1, 0);
        s.newEditor(1, 0);
        // The shortcut of Close All works without opening the menu first.
        QVERIFY(s.form.ui().actionClose_All_Windows->isEnabled());
        s.form.updateWindowMenu();
        a->windowAction()->trigger();
        QCOMPARE(s.area()->currentSubWindow()->widget(), a);
    }

    void reportSaveAsCopiesFile()
    {
        Shell s;
        const QString source = m_dir.filePath("calc.lwrpt");
        writeFile(source, "report data");
        s.form.setPendingOpen({source});
        s.form.doActionOpen();
        const QString target = m_dir.filePath("copy.lwrpt");
        writeFile(target, "old");
        s.prompts.answerFiles({target});
        s.form.doActionSave();
        QFile copy(target);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray("report data"));
        QCOMPARE(s.reports.at(0)->windowTitle(), target);

        // Choosing the report's own file keeps it.
        s.prompts.answerFiles({source});
        s.form.doActionSaveAs();
        QVERIFY(QFile::exists(source));
        QVERIFY(s.prompts.messages().isEmpty());
    }

    void triggerSkipsOneReportNumber()
    {
        Shell s;
        const QString input = m_dir.filePath("trigger.txt");
        writeFile(input);
        QVERIFY(s.form.startCalculation(input, QString(), 1.0f, false));
        s.prompts.answerFiles({input});
        s.form.doActionCalculateTrigger();
        QCOMPARE(s.reports.size(), 2);
        const QString folder = s.form.dataFolder();
        QCOMPARE(s.reports.at(0)->setup.reportFile, folder + "/report1.lwrpt");
        QCOMPARE(s.reports.at(1)->setup.reportFile, folder + "/report3.lwrpt");
        QCOMPARE(s.reports.at(1)->calls, QStringList({"trigger " + input}));
        QCOMPARE(s.reports.at(1)->setup.frequencyTxRx, 300.0);

        // A file left behind by an earlier run is never reused.
        writeFile(folder + "/report4.lwrpt");
        QVERIFY(s.form.startCalculation(input, QString(), 1.0f, false));
        QCOMPARE(s.reports.at(2)->setup.reportFile, folder + "/report5.lwrpt");
        QFile::remove(folder + "/report4.lwrpt");
    }

    void calculationDialogStartsReport_data()
    {
        QTest::addColumn<bool>("listToList");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("call");
        QTest::newRow("single entry") << false << "Report: test.txt" << "calc /x/test.txt  2.5 0";
        QTest::newRow("list to list") << true << "Report: test.txt <==> ref.txt"
                                      << "calc /x/test.txt /y/ref.txt 2.5 1";
    }

    void calculationDialogStartsReport()
    {
        QFETCH(bool, listToList);
        QFETCH(QString, call);
        Shell s;
        auto* dialog = static_cast<FakeCalcFiles*>(s.form.calcFilesDialog());
        QVERIFY(dialog);
        (listToList ? s.form.ui().actLtoL : s.form.ui().act1to1)->trigger();
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->listToList, listToList);
        dialog->testing = "/x/test.txt";
        dialog->reference = listToList ? "/y/ref.txt" : "";
        dialog->threshold = "2.5";
        dialog->accept();
        QCOMPARE(s.reports.size(), 1);
        QTEST(s.reports.at(0)->windowTitle(), "title");
        QCOMPARE(s.reports.at(0)->calls, QStringList({call}));
    }

    // The machine-wide store cannot be written here: the folders still apply for
    // this run, and the user is told.
    void downloadCentreFollowsSettingsAndTestMode()
    {
        const QByteArray machineIni = qgetenv("LINKWISE_MACHINE_INI");
        const auto restore = qScopeGuard([&] { qputenv("LINKWISE_MACHINE_INI", machineIni); });
        const QString blocker = m_dir.filePath("not-a-folder");
        writeFile(blocker);
        qputenv("LINKWISE_MACHINE_INI", (blocker + "/linkwise.ini").toLocal8Bit());
        Shell s;
        // A fresh start can calculate with the library shipped beside the program.
        const QString library = s.form.settings().hcmLibrary;
        QCOMPARE(QFileInfo(library).absolutePath(), QFileInfo(QCoreApplication::applicationDirPath()).absoluteFilePath());
        QVERIFY(QFile::exists(library));
        auto* centre = static_cast<FakeDownloadCentre*>(s.form.downloadCentre());
        QVERIFY(centre);
        QVERIFY(!s.form.libraryVersion().isEmpty());
        QCOMPARE(centre->setup.libraryVersion, s.form.libraryVersion());
        QCOMPARE(centre->setup.updateFolder, s.form.updateFolder());
        QVERIFY(QFileInfo(s.form.updateFolder()).isDir());
        QVERIFY(!centre->testMode);

        // The silent check after start-up.
        QCOMPARE(s.form.startupJob(), Startup::Job::UpdateCheck);
        s.form.runStartupJob();
        QCOMPARE(centre->checks, 1);

        s.form.takeCommandLine({"linkwise", "test"});
        QVERIFY(centre->testMode);

        s.form.showOptions();
        s.form.optionsDialog()->pathTopo->setText("/t");
        s.form.optionsDialog()->pathMorpho->setText("/m");
        s.form.optionsDialog()->okButton->click();
        QCOMPARE(s.prompts.messages().size(), 1);
        QVERIFY(s.prompts.messages().at(0).message.text.contains(blocker));
        QCOMPARE(centre->setup.topo, QString("/t"));
        QCOMPARE(centre->setup.morpho, QString("/m"));
        s.form.showOptions(); // a second failed write is not told again
        s.form.optionsDialog()->pathTopo->setText("/t2");
        s.form.optionsDialog()->okButton->click();
        QCOMPARE(s.prompts.messages().size(), 1);

        // A new version announced: Yes runs the centre modally.
        bool wasModal = false;
        QTimer::singleShot(0, centre, [centre, &wasModal] {
            wasModal = centre->isModal() && centre->isVisible();
            centre->reject();
        });
        s.prompts.answer(QMessageBox::Yes);
        emit centre->newVersionAvailable();
        QVERIFY(wasModal);
        QVERIFY(s.form.settings().checkForUpdateOnStartup);
        // Cancel (not the default) switches the reminder off for good.
        s.prompts.answer(QMessageBox::Cancel);
        emit centre->newVersionAvailable();
        QCOMPARE(s.prompts.messages().last().message.defaultButton, QMessageBox::Yes);
        QVERIFY(!s.form.optionsDialog()->cbUpdate->isChecked());
        QSettings user(qEnvironmentVariable("LINKWISE_USER_INI"), QSettings::IniFormat);
        QCOMPARE(user.value("check_for_update_on_startup").toString(), QString("false"));
    }

    // The set-up prompt and the Options dialog come once: the flag is cleared,
    // and the next start resumes a pending download instead.
    void firstInstallationRunsOnce()
    {
        {
            QSettings user(qEnvironmentVariable("LINKWISE_USER_INI"), QSettings::IniFormat);
            user.setValue("first_installation", 1);
            user.setValue("launch_downloader", true);
        }
        {
            Shell s;
            QCOMPARE(s.form.startupJob(), Startup::Job::FirstInstallation);
            QTRY_VERIFY(s.form.optionsDialog()->isVisible());
            QCOMPARE(s.prompts.messages().size(), 1);
            s.form.optionsDialog()->reject();
        }
        QCOMPARE(Shell().form.startupJob(), Startup::Job::ResumeDownload);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestHcmForm)
#include "tst_hcmform.moc"
