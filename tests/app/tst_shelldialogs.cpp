// The Options, Set Value and Save parameters dialogs on their own.
#include "ui/scriptedprompts.h"
#include "app/options.h"
#include "app/saveprm.h"
#include "app/setvalue.h"
#include "resources/linkwiseresources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

class TestShellDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initLinkwiseResources(); }
    void optionsListShowsItsPage();
    void optionsSetOptionsTicksInOrder();
    void optionsFolderChooser_data();
    void optionsFolderChooser();
    void optionsLibraryChooser();
    void setValueStartsWithStatusList();
    void setValueStatusEntryLeavesLetter();
    void setValueDateAcceptsEightDigits();
    void setValueBackToStatusList();
    void savePrmDefaultsAndButtons();
};

void TestShellDialogs::optionsListShowsItsPage()
{
    Options o;
    QCOMPARE(o.menu->count(), 5);
    QStringList titles;
    for (int i = 0; i < o.menu->count(); ++i) {
        titles << o.menu->item(i)->text();
        QVERIFY(!o.menu->item(i)->icon().isNull());
    }
    QCOMPARE(titles, QStringList({"Paths", "Syntax checking", "Google Earth", "Update",
                                  "Calculation"}));
    QCOMPARE(o.details->count(), 5);
    o.menu->setCurrentRow(4);
    QCOMPARE(o.details->currentIndex(), 4);
    QVERIFY(o.details->currentWidget()->isAncestorOf(o.leDistance_PTXRX));
    o.menu->setCurrentRow(1);
    QVERIFY(o.details->currentWidget()->isAncestorOf(o.cbCheckCaracterWarnings));
}

void TestShellDialogs::optionsSetOptionsTicksInOrder()
{
    Options o;
    o.setOptions(true, false, true, false, false, true);
    const QList<QCheckBox*> boxes{o.cbEnableChecking, o.cbCheckCalcErrors,
                                  o.cbCheckFormatErrors, o.cbCheckValueWarnings,
                                  o.cbCheckCaracterWarnings, o.cbCheckWhenLoading};
    const QList<bool> expected{true, false, true, false, false, true};
    for (int i = 0; i < boxes.size(); ++i)
        QCOMPARE(boxes.at(i)->isChecked(), expected.at(i));
    o.setOptions();
    for (QCheckBox* box : boxes)
        QVERIFY(box->isChecked());
}

void TestShellDialogs::optionsFolderChooser_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("title");
    QTest::newRow("topo") << 0 << "Select directory of topographical data";
    QTest::newRow("morpho") << 1 << "Select directory of morphological data";
    QTest::newRow("border") << 2 << "Select directory of border data";
}

void TestShellDialogs::optionsFolderChooser()
{
    QFETCH(int, which);
    QFETCH(QString, title);
    Options o;
    QLineEdit* fields[] = {o.pathTopo, o.pathMorpho, o.pathBorder};
    QToolButton* buttons[] = {o.toolButtonTopo, o.toolButtonMorpho, o.toolButtonBorder};
    fields[which]->setText("/old");
    ScriptedPrompts prompts;
    buttons[which]->click(); // cancelled
    QCOMPARE(fields[which]->text(), QString("/old"));
    QCOMPARE(prompts.asked().at(0).request.kind, UserPrompts::FileKind::Directory);
    QCOMPARE(prompts.asked().at(0).request.caption, title);
    QCOMPARE(prompts.asked().at(0).request.directory, QString("/old"));
    prompts.answerFiles({"/new"});
    buttons[which]->click();
    QCOMPARE(fields[which]->text(), QString("/new"));
}

void TestShellDialogs::optionsLibraryChooser()
{
    Options o;
    ScriptedPrompts prompts;
    o.toolButtonLibrary->click();
    QCOMPARE(prompts.asked().at(0).request.caption, QString("Choose an HCM library file"));
    QCOMPARE(prompts.asked().at(0).request.directory, QDir::currentPath());
    QVERIFY(prompts.asked().at(0).request.filter.startsWith("HCM DLL ("));
    QVERIFY(prompts.asked().at(0).request.filter.endsWith(";;All (*.*)"));
    QVERIFY(o.pathLibrary->text().isEmpty());
    prompts.answerFiles({"/opt/x/libHCMFS_DLL.so"});
    o.toolButtonLibrary->click();
    QCOMPARE(o.pathLibrary->text(), QString("/opt/x/libHCMFS_DLL.so"));
}

void TestShellDialogs::setValueStartsWithStatusList()
{
    SetValue d;
    QCOMPARE(d.windowTitle(), QString("Set value"));
    QCOMPARE(d.cbParameters->count(), 2);
    QVERIFY(d.parameterText().startsWith("13Y:"));
    QCOMPARE(d.cbValue->count(), 14);
    QCOMPARE(d.cbValue->itemText(0), QString("A: For information..."));
    QCOMPARE(d.cbValue->itemText(13), QString("Z: Request for agreement refused"));
    QCOMPARE(d.cbValue->toolTip(), QString("Input one letter"));
    QCOMPARE(d.cbValue->width(), 500);
}

void TestShellDialogs::setValueStatusEntryLeavesLetter()
{
    SetValue d;
    d.cbValue->setCurrentIndex(d.cbValue->findText("Z: Request for agreement refused"));
    QCOMPARE(d.valueText(), QString("Z"));
    d.cbValue->setCurrentIndex(2);
    QCOMPARE(d.valueText(), QString("C"));
}

void TestShellDialogs::setValueDateAcceptsEightDigits()
{
    SetValue d;
    d.cbParameters->setCurrentIndex(1);
    QCOMPARE(d.cbValue->count(), 0);
    QCOMPARE(d.cbValue->toolTip(), QString("Input format: DDMMYYYY"));
    d.cbValue->lineEdit()->clear();
    QTest::keyClicks(d.cbValue->lineEdit(), "1234567890ab");
    QCOMPARE(d.valueText(), QString("12345678"));
}

void TestShellDialogs::setValueBackToStatusList()
{
    SetValue d;
    d.cbParameters->setCurrentIndex(1);
    d.cbParameters->setCurrentIndex(0);
    QCOMPARE(d.cbValue->count(), 14);
    QVERIFY(d.cbValue->lineEdit()->inputMask().isEmpty());
    d.cbValue->setCurrentIndex(1);
    QCOMPARE(d.valueText(), QString("B"));
}

void TestShellDialogs::savePrmDefaultsAndButtons()
{
    SavePrm d;
    QCOMPARE(d.windowTitle(), QString("Save parameters dialog box"));
    QVERIFY(d.includeHeader());
    QVERIFY(!d.tableOrder());
    d.rbTableOrder->setChecked(true);
    QVERIFY(d.tableOrder());
    d.show();
    d.pbCancel->click();
    QVERIFY(!d.isVisible());
    d.show();
    d.pbSave->click();
    QVERIFY(!d.isVisible());
    // Choices persist between uses.
    QVERIFY(d.tableOrder());
}

QTEST_MAIN(TestShellDialogs)
#include "tst_shelldialogs.moc"
