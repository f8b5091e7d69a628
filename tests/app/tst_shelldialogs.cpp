// The Options dialog on its own.
#include "ui/scriptedprompts.h"
#include "app/options.h"
#include "resources/linkwiseresources.h"

#include <QCheckBox>
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

    void optionsFolderChooser()
    {
        Options o;
        o.pathMorpho->setText("/old");
        ScriptedPrompts prompts;
        o.toolButtonMorpho->click(); // cancelled
        QCOMPARE(o.pathMorpho->text(), QString("/old"));
        QCOMPARE(prompts.asked().at(0).request.kind, UserPrompts::FileKind::Directory);
        QCOMPARE(prompts.asked().at(0).request.directory, QString("/old"));
        prompts.answerFiles({"/new"});
        o.toolButtonMorpho->click();
        QCOMPARE(o.pathMorpho->text(), QString("/new"));
    }
};

QTEST_MAIN(TestShellDialogs)
#include "tst_shelldialogs.moc"
