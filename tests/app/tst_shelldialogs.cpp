// The Options, Set Value and Save parameters dialogs on their own.
#include "ui/scriptedprompts.h"
#include "app/options.h"
#include "app/saveprm.h"
#include "app/setvalue.h"
#include "resources/linkwiseresources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

class TestShellDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initLinkwiseResources(); }
    void optionsSetOptionsTicksInOrder()
    {
        Options o;
        o.setOptions(true, false, true, false, false, true);
        const QList<QCheckBox*> boxes{o.cbEnableChecking, o.cbCheckCalcErrors,
                                      o.cbCheckFormatErrors, o.cbCheckValueWarnings,
                                      o.cbCheckCaracterWarnings, o.cbCheckWhenLoading};
        const QList<bool> expected{true, false, true, false, false, true};
        for (int i = 0; i < boxes.size(); ++i)
            QCOMPARE(boxes.at(i)->isChecked(), expected.at(i));
    }

    void optionsFolderChooser_data()
    {
        QTest::addColumn<int>("which");
        for (int which : {0, 1, 2})
            QTest::addRow("folder %d", which) << which;
    }

    void optionsFolderChooser()
    {
        QFETCH(int, which);
        Options o;
        QLineEdit* fields[] = {o.pathTopo, o.pathMorpho, o.pathBorder};
        QToolButton* buttons[] = {o.toolButtonTopo, o.toolButtonMorpho, o.toolButtonBorder};
        fields[which]->setText("/old");
        ScriptedPrompts prompts;
        buttons[which]->click(); // cancelled
        QCOMPARE(fields[which]->text(), QString("/old"));
        QCOMPARE(prompts.asked().at(0).request.kind, UserPrompts::FileKind::Directory);
        QCOMPARE(prompts.asked().at(0).request.directory, QString("/old"));
        prompts.answerFiles({"/new"});
        buttons[which]->click();
        QCOMPARE(fields[which]->text(), QString("/new"));
    }

    void setValueDateAcceptsEightDigits()
    {
        SetValue d;
        d.cbParameters->setCurrentIndex(1);
        d.cbValue->lineEdit()->clear();
        QTest::keyClicks(d.cbValue->lineEdit(), "1234567890ab");
        QCOMPARE(d.valueText(), QString("12345678"));
    }
};

QTEST_MAIN(TestShellDialogs)
#include "tst_shelldialogs.moc"
