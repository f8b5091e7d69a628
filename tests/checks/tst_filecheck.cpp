// The whole-file check: which rows it checks and in which order, progress and
// cancelling. The command-line tests compare a whole list of items, their
// text and the totals byte for byte.
#include "checktestdata.h"

#include "checks/checkclasses.h"
#include "checks/filecheck.h"
#include "hcm/hcmfile.h"

#include <QtTest>

namespace {

const QByteArray kCleanHeader = "1;CLEAN TEST FILE;N;AUT;J SMITH;+43 1 234567;+43 1 234568;INFO@EXAMPLE.AT;%1;06122026";

struct TestFile
{
    CheckSettings settings = kDefaultCheckSettings;
    HCMFile file{nullptr, &settings};

    // Clean records, then the given edits applied to record `number`.
    explicit TestFile(int records)
    {
        QByteArray header = kCleanHeader;
        header.replace("%1", QByteArray::number(records));
        file.header().parseLine(header);
        for (int i = 0; i < records; ++i)
            file.append(cleanRecord(&settings));
    }
    HCMRecord& record(int number) { return *file.recordAt(number); }
};

QList<int> itemNumbers(const FileCheck& check)
{
    QList<int> numbers;
    for (const FileCheckItem& item : check.items())
        numbers.append(item.recordNumber);
    return numbers;
}

} // namespace

class TestFileCheck : public QObject
{
    Q_OBJECT

private slots:
    void rowOrderIsFollowed()
    {
        TestFile t(4);
        for (int i = 0; i < 4; ++i)
            t.record(i).setText(HcmField::Azimuth, "");
        FileCheck check(t.file);
        check.setRecordNumbers({3, 0, 9, 2, 1});
        QVERIFY(check.run());
        // The header must state the number of rows, here 5 rather than 4; row 9
        // has no record and is skipped.
        QCOMPARE(itemNumbers(check), QList<int>({-1, 3, 0, 2, 1}));
        QCOMPARE(check.items().front().codes, QList<int>({165}));
    }

    void cancelStopsBetweenRecords()
    {
        TestFile t(6);
        for (int i = 0; i < 6; ++i)
            t.record(i).setText(HcmField::Azimuth, "");
        t.file.header().setText(HCMHeader::Phone, "");
        FileCheck check(t.file);
        // The cancel button is pressed while the third row's progress is shown.
        check.setProgress([&check](int value, int) {
            if (value == 2)
                check.cancel();
        });
        QVERIFY(!check.run());
        QVERIFY(check.wasCancelled());
        QCOMPARE(itemNumbers(check), QList<int>({-1, 0, 1}));
        QCOMPARE(check.errorCount(), 3);

        // A new run starts with the request cleared.
        check.setProgress({});
        QVERIFY(check.run());
        QVERIFY(!check.wasCancelled());
        QCOMPARE(check.items().size(), std::size_t(7));
    }

    void cleanFileProgressCoversEveryRow()
    {
        TestFile t(3);
        FileCheck check(t.file);
        QList<int> values;
        int maximum = -1;
        check.setProgress([&](int value, int max) {
            values.append(value);
            maximum = max;
        });
        QVERIFY(check.run());
        QCOMPARE(values, QList<int>({0, 1, 2, 3}));
        QCOMPARE(maximum, 3);
        QVERIFY(check.items().empty());
        QCOMPARE(check.errorCount() + check.warningCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestFileCheck)
#include "tst_filecheck.moc"
