// The mask database as a tree: building from the delivered file, storing
// edits with bound values, pruning, pasting, the per-user copy, and what
// "Assign mask" takes from a mask.
#include "masktestdb.h"

#include "masks/maskassignment.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

class TstTreeModel : public QObject
{
    Q_OBJECT

private:
    // Every model is watched by Qt's model tester while it changes.
    std::unique_ptr<TreeModel> openModel(const QString& delivered, const QString& user)
    {
        auto model = std::make_unique<TreeModel>();
        new QAbstractItemModelTester(model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     model.get());
        model->open(delivered, user);
        return model;
    }

private slots:
    void deliveredTreeIsComplete()
    {
        MaskFiles files;
        auto model = openModel(files.delivered, files.user);
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(count(*model, "SELECT COUNT(*) FROM cmask"), 330);
        QCOMPARE(count(*model, "SELECT COUNT(*) FROM mpoints"), 1980);
        const QModelIndex point = firstOfLevel(*model, TreeItem::Point);
        QVERIFY(!point.siblingAtColumn(1).data().toString().isEmpty());
    }

    void newItemsGetPlaceholdersAndMaskTexts()
    {
        MaskFiles files;
        auto model = openModel(files.dir.filePath("missing.db"), files.user);
        QVERIFY(model->database().addEntry(LookupKind::Band, "7 GHz"));
        QVERIFY(model->database().addEntry(LookupKind::ChannelSpacing, "28"));
        QVERIFY(model->database().addEntry(LookupKind::Class, "4L"));
        const QModelIndex group = model->addItem({});
        QVERIFY(model->setData(group, "Group"));
        const QModelIndex band = model->addItem(group);
        QCOMPARE(count(*model, "SELECT COUNT(*) FROM bands WHERE id=-10"), 0);
        QVERIFY(model->setData(band, "7 GHz"));
        QCOMPARE(count(*model, "SELECT COUNT(*) FROM bands WHERE id=-10"), 1);
        const QModelIndex channel = model->addItem(band);
        QVERIFY(model->setData(channel, "28 MHz"));
        QCOMPARE(count(*model, "SELECT COUNT(*) FROM channel_spacing WHERE id=-10"), 1);
        const QModelIndex mask = model->addItem(channel);
        QVERIFY(model->setData(mask.siblingAtColumn(1), "4L"));
        QCOMPARE(mask.siblingAtColumn(1).data().toString(), QString("4L"));
        // A new list entry never takes an id below zero after the -10 row.
        QVERIFY(model->database().addEntry(LookupKind::Bitrate, "34 Mbit/s"));
        QCOMPARE(model->database().choices(LookupKind::Bitrate), QStringList{"34 Mbit/s"});
    }

    void quotedNameIsStoredAsTyped()
    {
        MaskFiles files;
        const QString name = "O'Neil'); DROP TABLE cmask; --";
        {
            auto model = openModel(files.delivered, files.user);
            QVERIFY(model->setData(model->index(0, 0), name));
        }
        auto model = openModel(files.delivered, files.user);
        QCOMPARE(model->index(0, 0).data().toString(), name);
        QCOMPARE(count(*model, "SELECT COUNT(*) FROM sqlite_master WHERE type='table'"), 9);
        QCOMPARE(count(*model, "SELECT COUNT(*) FROM cmask"), 330);
    }

    void failedEditIsReportedAndNotShown_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("value");
        QTest::newRow("unknown band") << int(TreeItem::Band) << 0 << "99 GHz";
        QTest::newRow("unknown class") << int(TreeItem::Mask) << 1 << "9Z";
        QTest::newRow("point not a number") << int(TreeItem::Point) << 1 << "12dB";
    }

    void failedEditIsReportedAndNotShown()
    {
        QFETCH(int, level);
        QFETCH(int, column);
        QFETCH(QString, value);
        MaskFiles files;
        auto model = openModel(files.delivered, files.user);
        QSignalSpy errors(model.get(), &TreeModel::errorOccured);
        const QModelIndex item = firstOfLevel(*model, level).siblingAtColumn(column);
        const QString before = item.data().toString();
        QVERIFY(!model->setData(item, value));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(item.data().toString(), before);
    }

    void removingPrunesEverythingBelow()
    {
        MaskFiles files;
        auto model = openModel(files.delivered, files.user);
        QVERIFY(model->removeRows(0, 1));
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(count(*model, "SELECT COUNT(*) FROM cmask"), 165);
        QCOMPARE(count(*model, "SELECT COUNT(*) FROM mpoints"), 990);
        QCOMPARE(count(*model, "SELECT (SELECT COUNT(*) FROM cband WHERE masktype NOT IN (SELECT ROWID FROM maskgroup))"
                               " + (SELECT COUNT(*) FROM cchannel WHERE cband NOT IN (SELECT ROWID FROM cband))"
                               " + (SELECT COUNT(*) FROM cmask WHERE cchannel NOT IN (SELECT ROWID FROM cchannel))"
                               " + (SELECT COUNT(*) FROM mpoints WHERE mask_id NOT IN (SELECT ROWID FROM cmask))"),
                 0);
        const QModelIndex mask = firstOfLevel(*model, TreeItem::Mask);
        QVERIFY(model->removeRows(mask.row(), 1, mask.parent()));
        QCOMPARE(count(*model, "SELECT COUNT(*) FROM mpoints"), 984);
    }

    void pasteRules_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("allowed");
        const int g = TreeItem::Group, b = TreeItem::Band, c = TreeItem::Channel,
                  m = TreeItem::Mask, p = TreeItem::Point;
        QTest::newRow("group at group") << g << g << true;
        QTest::newRow("group at band") << g << b << false;
        QTest::newRow("band at group") << b << g << true;
        QTest::newRow("band at band") << b << b << false;
        QTest::newRow("spacing at band") << c << b << true;
        QTest::newRow("spacing at group") << c << g << false;
        QTest::newRow("mask at spacing") << m << c << true;
        QTest::newRow("mask at mask") << m << m << false;
        QTest::newRow("points at mask") << p << m << true;
        QTest::newRow("points at spacing") << p << c << false;
    }

    void pasteRules()
    {
        QFETCH(int, source);
        QFETCH(int, target);
        QFETCH(bool, allowed);
        QCOMPARE(TreeModel::canPaste(source, target), allowed);
        MaskFiles files;
        auto model = openModel(files.delivered, files.user);
        const qint64 masks = count(*model, "SELECT COUNT(*) FROM cmask");
        const qint64 points = count(*model, "SELECT COUNT(*) FROM mpoints");
        const QModelIndex from = firstOfLevel(*model, source, model->index(0, 0));
        // Paste into the other group's tree, so that nothing is pasted into itself.
        const QModelIndex to = firstOfLevel(*model, target, model->index(1, 0));
        const QModelIndex pasted = model->paste(from, to);
        QCOMPARE(pasted.isValid(), allowed);
        if (!allowed) {
            QCOMPARE(count(*model, "SELECT COUNT(*) FROM mpoints"), points);
        } else if (source == TreeItem::Point) {
            QCOMPARE(count(*model, "SELECT COUNT(*) FROM mpoints"), points + 6);
            QCOMPARE(model->rowCount(pasted), 12);
        } else {
            QVERIFY(count(*model, "SELECT COUNT(*) FROM cmask") > masks);
            QCOMPARE(pasted.data(), from.data());
            QCOMPARE(model->rowCount(pasted), model->rowCount(from));
        }
    }

    void userCopy_data()
    {
        QTest::addColumn<bool>("deliveredExists");
        QTest::newRow("read-only delivered file") << true;
        QTest::newRow("missing delivered file") << false;
    }

    void userCopy()
    {
        QFETCH(bool, deliveredExists);
        MaskFiles files;
        if (!deliveredExists)
            QFile::remove(files.delivered);
        QFile::setPermissions(files.delivered, QFile::ReadOwner | QFile::ReadGroup);
        QFile delivered(files.delivered);
        const QByteArray before = delivered.open(QIODevice::ReadOnly) ? delivered.readAll() : QByteArray();
        delivered.close();
        auto model = std::make_unique<TreeModel>();
        QSignalSpy failures(model.get(), &TreeModel::openFailed);
        model->open(files.delivered, files.user);
        QCOMPARE(failures.count(), deliveredExists ? 0 : 1);
        if (!deliveredExists)
            QVERIFY(failures.at(0).at(0).toString().startsWith("Could not open mask database equipment.db\n"));
        QCOMPARE(model->rowCount(), deliveredExists ? 2 : 0);
        QVERIFY(model->setData(model->addItem({}), "Mine"));
        model.reset();
        if (deliveredExists) {
            QVERIFY(delivered.open(QIODevice::ReadOnly));
            QCOMPARE(delivered.readAll(), before);
        }
        auto reopened = std::make_unique<TreeModel>();
        reopened->open(files.dir.filePath("gone.db"), files.user);
        QCOMPARE(reopened->index(reopened->rowCount() - 1, 0).data().toString(), QString("Mine"));
    }

    void assignment_data()
    {
        QTest::addColumn<bool>("isMask");
        QTest::addColumn<QStringList>("frequencies");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<bool>("truncated");
        QTest::addColumn<QStringList>("expected");
        const QString none;
        QTest::newRow("band selected") << false << QStringList{"1"} << int(MaskAssignment::Outcome::NotAMask)
                                       << false << QStringList{};
        QTest::newRow("no points") << true << QStringList{} << int(MaskAssignment::Outcome::Empty) << false
                                   << QStringList{};
        QTest::newRow("3 points empty 4 to 6")
            << true << QStringList{"0.5", "1", "10"} << int(MaskAssignment::Outcome::Assign) << false
            << QStringList{"0.5", "1", "10", none, none, none};
        QTest::newRow("8 points, lowest 6 in order")
            << true << QStringList{"9", "2", "11", "0.5", "10", "1", "3", "8"}
            << int(MaskAssignment::Outcome::Assign) << true << QStringList{"0.5", "1", "2", "3", "8", "9"};
    }

    void assignment()
    {
        QFETCH(bool, isMask);
        QFETCH(QStringList, frequencies);
        QFETCH(int, outcome);
        QFETCH(bool, truncated);
        QFETCH(QStringList, expected);
        QList<QPair<QString, QString>> points;
        for (const QString& f : frequencies)
            points.append({f, "att " + f});
        const MaskAssignment plan = planMaskAssignment(isMask, points);
        QCOMPARE(int(plan.outcome), outcome);
        QCOMPARE(plan.truncated, truncated);
        QCOMPARE(plan.frequencies, expected);
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(plan.attenuations.at(i), expected.at(i).isEmpty() ? QString() : "att " + expected.at(i));
        QCOMPARE(plan.warning().isEmpty(), outcome == int(MaskAssignment::Outcome::Assign) && !truncated);
    }
};

QTEST_GUILESS_MAIN(TstTreeModel)
#include "tst_treemodel.moc"
