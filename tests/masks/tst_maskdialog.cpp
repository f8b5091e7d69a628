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
        QCOMPARE(dialog.pasteAction()->text(), QString("Paste frequency band"));
        dialog.s_menu_show();
        QVERIFY(!dialog.pasteAction()->isEnabled());
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

    void assignMask_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("reportActive");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("call");
        QTest::newRow("band selected") << int(TreeItem::Band) << 6 << false
                                       << "Appropriate mask has not been selected.\nPlease select appropriate bitrate of mask point!"
                                       << QString();
        QTest::newRow("report window active") << int(TreeItem::Mask) << 6 << true << QString() << QString();
        QTest::newRow("3 points") << int(TreeItem::Point) << 3 << false << QString()
                                  << "mask 1,2,3,,, / 11,12,13,,,";
        QTest::newRow("8 points") << int(TreeItem::Mask) << 8 << false
                                  << "Mask has more than 6 points.\nOnly first 6 points will be copied!"
                                  << "mask 1,2,3,4,5,6 / 11,12,13,14,15,16";
    }

    void assignMask()
    {
        QFETCH(int, level);
        QFETCH(int, points);
        QFETCH(bool, reportActive);
        QFETCH(QString, warning);
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
        for (int i = points; i >= 1; --i)
            QVERIFY(db.addPoint(model->rowIdOf(mask), i, 10 + i));
        model->reloadPoints(mask);
        dialog.view()->setCurrentIndex(firstOfLevel(*model, level));
        dialog.s_copy_mask();
        QCOMPARE(prompts.messages().size(), warning.isEmpty() ? 0 : 1);
        if (!warning.isEmpty())
            QCOMPARE(prompts.messages().at(0).message.text, warning);
        QCOMPARE(editor.calls, call.isEmpty() ? QStringList() : QStringList{call});
    }
};

QTEST_MAIN(TstMaskDialog)
#include "tst_maskdialog.moc"
