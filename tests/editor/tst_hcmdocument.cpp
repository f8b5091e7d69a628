// The editor's document without a window: its jobs (load, check, save and
// the comparison with an auxiliary file) on their worker threads.
#include "editortestfiles.h"

#include "editor/hcmdocument.h"
#include "editor/recordtablemodel.h"
#include "hcm/hcmfile.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace EditorTestFiles;

namespace {

bool waitIdle(const HcmDocument& doc)
{
    return QTest::qWaitFor([&doc] { return !doc.isBusy(); }, 20000);
}

} // namespace

class TestHcmDocument : public QObject
{
    Q_OBJECT
private slots:
    void loadResults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("result");
        QTest::newRow("readable") << "twelve.hcm" << 12 << false << int(HcmDocument::Loaded);
        QTest::newRow("missing") << "missing.hcm" << -1 << false << int(HcmDocument::Unreadable);
        QTest::newRow("cancelled") << "large.hcm" << 40000 << true << int(HcmDocument::Cancelled);
    }

    void loadResults()
    {
        QFETCH(QString, name);
        QFETCH(int, records);
        QFETCH(bool, cancel);
        QFETCH(int, result);
        const QString path = records < 0 ? m_dir.filePath(name) : write(name, fileText(numberedNames(records)));
        HcmDocument doc;
        QSignalSpy finished(&doc, &HcmDocument::loadFinished);
        QVERIFY(doc.load(path));
        if (cancel)
            doc.cancel();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.at(0).at(0).toInt(), result);
        QCOMPARE(doc.file().recordCount(), std::max(records, 0) * (result == HcmDocument::Loaded));
        QCOMPARE(doc.model()->rowCount(), doc.file().recordCount());
        QVERIFY(!doc.isBusy() && !doc.isModified());
    }

    void saveOrders_data()
    {
        QTest::addColumn<bool>("tableOrder");
        QTest::addColumn<bool>("removeAll");
        QTest::addColumn<QList<QByteArray>>("written");
        QTest::newRow("table order, sorted by name") << true << false << QList<QByteArray>{"ALPHA", "BRAVO", "DELTA"};
        QTest::newRow("number order") << false << false << QList<QByteArray>{"DELTA", "ALPHA", "BRAVO"};
        QTest::newRow("all rows removed") << false << true << QList<QByteArray>{};
    }

    void saveOrders()
    {
        QFETCH(bool, tableOrder);
        QFETCH(bool, removeAll);
        HcmDocument doc;
        loadInto(doc, write("order.hcm", fileText({"DELTA", "ALPHA", "BRAVO"})));
        doc.model()->sort(RecordTableModel::StationNameColumn);
        if (removeAll)
            doc.records().removeSpans({{0, 2}});
        doc.setModified(true);
        const QString out = m_dir.filePath("order-out.hcm");
        QVERIFY(doc.save(out, true, tableOrder));
        QVERIFY(!doc.isModified());
        QTEST(writtenNames(out), "written");
        QVERIFY(readText(out).startsWith(headerLine(3) + '\r'));
    }

    void cancelledSaveKeepsOldFile()
    {
        HcmDocument doc;
        const QString file = write("keep.hcm", fileText(numberedNames(50)));
        loadInto(doc, file);
        doc.setRecordText(0, HcmField::StationName, "CHANGED");
        doc.setStepObserver([&doc](int value) {
            if (value == 10)
                doc.cancel();
        });
        QVERIFY(!doc.save(file, true, false));
        QCOMPARE(readText(file), fileText(numberedNames(50)));
        QVERIFY(doc.isModified());
    }

    void findingsOnlyForRowsInTable()
    {
        // Record 1 ends early: the reader gives it a code of its own.
        const QByteArray text = headerLine(3) + '\r' + recordLine("A", 0) + "\rTX;13000\r" + recordLine("C", 2) + '\r';
        HcmDocument doc;
        loadInto(doc, write("short.hcm", text));
        QVERIFY(doc.startCheck());
        QVERIFY(waitIdle(doc));
        const FindingList& all = doc.findings();
        QCOMPARE(all.reader.size(), std::size_t(1));
        QCOMPARE(all.reader.at(0).recordNumber, 1);
        QVERIFY(all.errors > 1);

        doc.records().removeSpans({{1, 1}});
        QVERIFY(doc.startCheck());
        QVERIFY(waitIdle(doc));
        QVERIFY(doc.findings().reader.empty());
        for (const FindingList::Entry& entry : doc.findings().entries())
            QVERIFY(entry.recordNumber != 1);
    }

    void compareActions_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("matchedAfter");
        QTest::addColumn<QList<QByteArray>>("written");
        QTest::newRow("delete") << int(HcmDocument::DeleteMatched) << 0 << QList<QByteArray>{"A", "C"};
        QTest::newRow("append") << int(HcmDocument::AppendUnmatched) << 2
                                << QList<QByteArray>{"A", "B", "C", "X"};
        // Both auxiliary records have the same partner; the later one stays.
        QTest::newRow("replace") << int(HcmDocument::ReplaceMatched) << 2
                                 << QList<QByteArray>{"A", "B3", "C"};
    }

    void compareActions()
    {
        QFETCH(int, action);
        QFETCH(QList<QByteArray>, written);
        HcmDocument doc;
        loadInto(doc, write("main.hcm", fileText({"A", "B", "C"})));
        const QByteArray aux = recordLine("B2", 1) + '\r' + recordLine("B3", 1) + '\r' + recordLine("X", 7) + '\r';
        QSignalSpy ready(&doc, &HcmDocument::comparisonReady);
        QVERIFY(doc.compareWith(write("aux.hcm", aux)));
        QVERIFY(ready.wait(10000));
        QCOMPARE(doc.auxiliaryCount(), 3);
        QCOMPARE(doc.pairs().size(), std::size_t(2));

        QSignalSpy finished(&doc, &HcmDocument::actionFinished);
        QVERIFY(doc.startCompareAction(HcmDocument::CompareAction(action)));
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.at(0).at(1).toBool(), false);
        QTEST(int(doc.pairs().size()), "matchedAfter");
        QCOMPARE(doc.model()->rowCount(), int(written.size()));
        QVERIFY(doc.isModified());
        const QString out = m_dir.filePath("main-out.hcm");
        QVERIFY(doc.save(out, true, false));
        QCOMPARE(writtenNames(out), written);
    }

    void cancelledDeleteKeepsWorkDone()
    {
        HcmDocument doc;
        const QString file = write("many.hcm", fileText(numberedNames(200)));
        loadInto(doc, file);
        QSignalSpy ready(&doc, &HcmDocument::comparisonReady);
        QVERIFY(doc.compareWith(file));
        QVERIFY(ready.wait(10000));
        doc.setStepObserver([&doc](int value) {
            if (value == 50)
                doc.cancel();
        });
        QSignalSpy finished(&doc, &HcmDocument::actionFinished);
        QVERIFY(doc.startCompareAction(HcmDocument::DeleteMatched));
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.at(0).at(1).toBool(), true);
        QCOMPARE(doc.model()->rowCount(), 150);
        QCOMPARE(doc.pairs().size(), std::size_t(150));
        QCOMPARE(doc.pairs().front().main, 50);
    }

private:
    QString write(const QString& name, const QByteArray& text) { return writeIn(m_dir, name, text); }

    void loadInto(HcmDocument& doc, const QString& file)
    {
        QVERIFY(doc.load(file));
        QVERIFY(waitIdle(doc));
        QTRY_COMPARE(doc.model()->rowCount(), doc.file().recordCount());
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestHcmDocument)
#include "tst_hcmdocument.moc"
