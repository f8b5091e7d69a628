// The mask dialog: the Paste action per level, the lookup-list dialog and
// "Assign mask" into the active editor.
#include "masktestdb.h"

#include "../app/fakewindows.h"
#include "masks/maskdialog.h"
#include "masks/parampicker.h"
#include "ui/scriptedprompts.h"

#include <QAction>
#include <QLineEdit>
#include <QTreeView>

class TstMaskDialog : public QObject
{
    Q_OBJECT

private slots:
    void pasteFollowsTheCopiedLevel()
    {
        MaskFiles files;
        ScriptedPrompts prompts;
        maskDialog dialog(files.delivered, files.user, {});
        QVERIFY(prompts.messages().isEmpty());
        TreeModel* model = dialog.model();
        const QModelIndex group = model->index(0, 0);
        const QModelIndex band = firstOfLevel(*model, TreeItem::Band);
        dialog.view()->setCurrentIndex(band);
        dialog.s_copy();
        dialog.view()->setCurrentIndex(group);
        dialog.s_menu_show();
        QVERIFY(dialog.pasteAction()->isEnabled());
        const int bands = model->rowCount(group);
        dialog.s_paste();
        QCOMPARE(model->rowCount(group), bands + 1);
    }

    void existingListEntryIsRefused()
    {
        MaskFiles files;
        ScriptedPrompts prompts;
        maskDialog dialog(files.delivered, files.user, {});
        paramPicker picker(dialog.model()->database(), LookupKind::Band);
        const int entries = dialog.model()->database().entries(LookupKind::Band).size();
        picker.input()->setText("3.41 - 11.7 GHz");
        picker.s_add();
        QCOMPARE(prompts.messages().size(), 1);
        QCOMPARE(prompts.messages().at(0).message.text, QString("This item already exists!"));
        QCOMPARE(dialog.model()->database().entries(LookupKind::Band).size(), entries);
    }

    // A point selected: the dialog walks up to its mask. With the report
    // window active there is no editor to take the mask.
    void assignMask_data()
    {
        QTest::addColumn<bool>("reportActive");
        QTest::addColumn<QString>("call");
        QTest::newRow("report window active") << true << QString();
        QTest::newRow("3 points") << false << "mask 1,2,3,,, / 11,12,13,,,";
    }

    void assignMask()
    {
        QFETCH(bool, reportActive);
        QFETCH(QString, call);
        MaskFiles files;
        ScriptedPrompts prompts;
        FakeEditor editor(CheckOptions{});
        editor.select(3, 1);
        maskDialog dialog(files.delivered, files.user,
                          [&] { return reportActive ? nullptr : &editor; });
        TreeModel* model = dialog.model();
        const QModelIndex mask = firstOfLevel(*model, TreeItem::Mask);
        MaskDatabase& db = model->database();
        QVERIFY(db.removeAllPoints(model->rowIdOf(mask)));
        for (int i = 3; i >= 1; --i)
            QVERIFY(db.addPoint(model->rowIdOf(mask), i, 10 + i));
        model->reloadPoints(mask);
        dialog.view()->setCurrentIndex(firstOfLevel(*model, TreeItem::Point));
        dialog.s_copy_mask();
        QVERIFY(prompts.messages().isEmpty());
        QCOMPARE(editor.calls, call.isEmpty() ? QStringList() : QStringList{call});
    }
};

QTEST_MAIN(TstMaskDialog)
#include "tst_maskdialog.moc"
