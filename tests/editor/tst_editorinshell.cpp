// The editor window as the program uses it: made by the window factory,
// opened, edited, checked and saved through the main window's actions.
#include "editortestfiles.h"

#include "app/hcmform.h"
#include "app/hcmformui.h"
#include "ui/scriptedprompts.h"
#include "app/windowfactory.h"
#include "checks/errorlistdlg.h"
#include "editor/hcmeditmdi.h"
#include "editor/recordtablemodel.h"
#include "app/setvalue.h"
#include "hcm/hcmfile.h"
#include "resources/linkwiseresources.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace EditorTestFiles;

class TestEditorInShell : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        for (const char* name : {"LINKWISE_USER_INI", "LINKWISE_MACHINE_INI", "LINKWISE_DATA_DIR"})
            QVERIFY2(!qEnvironmentVariableIsEmpty(name), "run this test through ctest");
        initLinkwiseResources();
        QVERIFY(m_dir.isValid());
    }

    void openEditCheckSave()
    {
        ScriptedPrompts prompts;
        hcmForm form;
        form.setWindowFactory(productionWindowFactory());
        form.show();
        const hcmFormUi& u = form.ui();

        const QString file = m_dir.filePath("shell.hcm");
        QVERIFY(writeText(file, fileText({"ALPHA", "bravo", "CHARLIE"})));
        prompts.answerFiles({file});
        form.doActionOpen();
        QMdiSubWindow* sub = u.mdiArea->currentSubWindow();
        QVERIFY(sub);
        auto* editor = qobject_cast<hcmEditMDI*>(sub->widget());
        QVERIFY(editor);
        QVERIFY(QTest::qWaitFor([editor] { return !editor->document().isBusy(); }, 10000));
        QCOMPARE(editor->rowCount(), 3);
        QCOMPARE(sub->windowTitle(), QString("shell.hcm"));
        QCOMPARE(editor->windowAction()->text(), QString("shell.hcm"));
        QVERIFY(u.actionSave->isEnabled());
        // The first station is current at once, with its row actions.
        QCOMPARE(qobject_cast<QLineEdit*>(editor->ui().input("le4a"))->text(), QString("ALPHA"));
        QVERIFY(u.actionRemove_records->isEnabled());

        editor->ui().twList->setCurrentIndex(editor->document().model()->index(1, 0));

        // Set Value: "C: Agreed without reservation" leaves "C".
        SetValue* setValue = form.setValueDialog();
        setValue->cbValue->setCurrentIndex(2);
        QCOMPARE(setValue->valueText(), QString("C"));
        form.doActionSetValue();
        QCOMPARE(editor->document().file().recordAt(1)->text(HcmField::CoordinationStatus), QByteArray("C"));
        QCOMPARE(sub->windowTitle(), QString("shell.hcm *"));

        form.doActionCheckSyntax();
        QTRY_COMPARE(editor->errorList()->itemCount(), 1);
        QVERIFY(editor->errorList()->isVisible());
        QVERIFY(prompts.messages().isEmpty());
        QVERIFY(editor->errorList()->lwErrors->item(0)->text().startsWith("RECORD NO: 1\n"));

        form.doActionSave();
        QVERIFY(!editor->isModified());
        QCOMPARE(sub->windowTitle(), QString("shell.hcm"));
        const QList<QByteArray> lines = readText(file).split('\r');
        QVERIFY(lines.at(0).startsWith("1;EDITOR TEST FILE"));
        QCOMPARE(lines.at(2).split(';').at(40), QByteArray("C")); // 13Y
        QVERIFY(prompts.messages().isEmpty());
    }

    void newFileHasOneRecordAndAsksForName()
    {
        ScriptedPrompts prompts;
        hcmForm form;
        form.setWindowFactory(productionWindowFactory());
        form.show();
        form.doActionNew();
        auto* editor = qobject_cast<hcmEditMDI*>(form.ui().mdiArea->currentSubWindow()->widget());
        QVERIFY(editor);
        QCOMPARE(editor->rowCount(), 1);
        QVERIFY(!editor->isModified());
        QCOMPARE(editor->windowTitle(), QString("no name"));
        QCOMPARE(editor->ui().totalCount->text(), QString("Total: 1"));
        QCOMPARE(qobject_cast<QLineEdit*>(editor->ui().input("leNumberOfRecords"))->text(), QString("1"));
        QVERIFY(editor->ui().progress->isHidden() && editor->ui().buttonCancel->isHidden());
        QVERIFY(form.ui().actionSave->isEnabled());
        QVERIFY(form.ui().actionDublicate_record->isEnabled());

        editor->duplicateRecords();
        QCOMPARE(editor->rowCount(), 2);
        // Saving a new file goes through the file dialog; cancelled, nothing is written.
        QVERIFY(!editor->write(QString(), true, false));
        QVERIFY(editor->isModified());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestEditorInShell)
#include "tst_editorinshell.moc"
