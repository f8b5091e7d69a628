// The overview table model, the record list operations and the progress
// throttle, without any widget.
#include "editor/progressthrottle.h"
#include "editor/recordlisteditor.h"
#include "editor/recordtablemodel.h"
#include "hcm/hcmfile.h"

#include <QItemSelectionModel>
#include <QtTest>

namespace {

std::unique_ptr<HCMRecord> station(const CheckSettings* settings, const char* name,
                                   const char* entry = "TX")
{
    auto r = std::make_unique<HCMRecord>(settings);
    r->setText(HcmField::StationName, name);
    r->setText(HcmField::TypeOfEntry, entry);
    return r;
}

} // namespace

class TestRecordTableModel : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_file = std::make_unique<HCMFile>(nullptr, &m_settings);
        // Twelve records whose names sort in the reverse of their numbers, with
        // two equal names to show stability.
        const char* names[] = {"L", "K", "J", "I", "H", "G", "F", "E", "D", "C", "B", "B"};
        for (const char* name : names)
            m_file->append(station(&m_settings, name));
        m_model = std::make_unique<RecordTableModel>(m_file.get());
        m_model->fill();
    }

    void cleanup()
    {
        m_model.reset();
        m_file.reset();
    }

    void cellsReadTheRecord()
    {
        HCMRecord* r = m_file->recordAt(3);
        r->setText(HcmField::Frequency, "13000");
        r->setText(HcmField::FrequencyUnit, "M");
        r->setText(HcmField::CoordinationReference, "REF\xC4");
        QStringList cells; // in column order
        for (int c = 0; c < RecordTableModel::ColumnCount; ++c)
            cells << m_model->index(3, c).data().toString();
        QCOMPARE(cells, QStringList({"I", "TX", "13000", "M", QString::fromLatin1("REF\xC4"), "00000003"}));
    }

    void sortByNumberKeepsNineBeforeTen()
    {
        m_model->sort(RecordTableModel::StationNameColumn, Qt::AscendingOrder);
        m_model->sort(RecordTableModel::NumberColumn, Qt::AscendingOrder);
        QCOMPARE(m_model->numbers(), std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    }

    void sortByNameIsStableBothWays()
    {
        m_model->sort(RecordTableModel::StationNameColumn, Qt::AscendingOrder);
        QCOMPARE(m_model->numbers(), std::vector<int>({10, 11, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
        m_model->sort(RecordTableModel::StationNameColumn, Qt::DescendingOrder);
        QCOMPARE(m_model->numbers(), std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    }

    void selectionFollowsRecordsWhenSorted()
    {
        QItemSelectionModel selection(m_model.get());
        selection.setCurrentIndex(m_model->index(2, 0), QItemSelectionModel::ClearAndSelect
                                                            | QItemSelectionModel::Rows);
        m_model->sort(RecordTableModel::StationNameColumn, Qt::AscendingOrder);
        const int row = selection.currentIndex().row();
        QCOMPARE(m_model->numberAt(row), 2);
        QVERIFY(selection.isRowSelected(row, QModelIndex()));
        QCOMPARE(selection.selectedRows().size(), 1);
    }

    void addEmptyRecordAfterCurrentRow_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("expectedRow");
        QTest::newRow("no current row: top") << -1 << 0;
        QTest::newRow("after row 4") << 4 << 5;
        QTest::newRow("after the last row") << 11 << 12;
    }

    void addEmptyRecordAfterCurrentRow()
    {
        QFETCH(int, current);
        RecordListEditor editor(*m_file, *m_model);
        const int row = editor.addEmptyRecord(current);
        QTEST(row, "expectedRow");
        QCOMPARE(m_model->numberAt(row), 12);
        QCOMPARE(m_file->recordCount(), 13);
        QCOMPARE(m_file->recordAt(12)->checkSettings(), &m_settings);
        QVERIFY(m_file->recordAt(12)->text(HcmField::StationName).isEmpty());
    }

    void removeSpansKeepsNumbers()
    {
        // Six rows; remove rows 2-3 and 5 (counting from 1).
        m_file->clear();
        for (int i = 0; i < 6; ++i)
            m_file->append(station(&m_settings, "S"));
        m_model->fill();
        RecordListEditor editor(*m_file, *m_model);
        editor.removeSpans({{1, 2}, {4, 4}});
        QCOMPARE(m_model->numbers(), std::vector<int>({0, 3, 5}));
        QCOMPARE(m_file->recordCount(), 6);
        QCOMPARE(m_model->numbersInNumberOrder(), std::vector<int>({0, 3, 5}));
    }

    void numbersOfSpansHighestFirst()
    {
        RecordListEditor editor(*m_file, *m_model);
        QCOMPARE(editor.numbersOfSpans({{0, 0}, {3, 3}}), std::vector<int>({3, 0}));
        QCOMPARE(editor.numbersOfSpans({{1, 2}}), std::vector<int>({1, 2}));
        m_model->sort(RecordTableModel::StationNameColumn, Qt::AscendingOrder);
        QCOMPARE(editor.numbersOfSpans({{0, 1}}), std::vector<int>({10, 11}));
    }

    void copyOfTakesEveryField()
    {
        HCMRecord* source = m_file->recordAt(4);
        for (int f = 0; f < kHcmFieldCount; ++f)
            source->setText(HcmField(f), "T" + QByteArray::number(f));
        source->antenna().setText(HCMAntenna::Gain, "38.5");
        source->antenna().coPolar().setCode("CP");
        source->antenna().coPolar().addPoint("0", "0");
        CheckSettings other = 0;
        source->setCheckSettings(&other);

        RecordListEditor editor(*m_file, *m_model);
        std::unique_ptr<HCMRecord> copy = editor.copyOf(4);
        QCOMPARE(copy->toLine(), source->toLine());
        QCOMPARE(copy->checkSettings(), &m_settings);
    }

    void setFieldInRows()
    {
        RecordListEditor editor(*m_file, *m_model);
        m_model->sort(RecordTableModel::StationNameColumn, Qt::AscendingOrder);
        QCOMPARE(editor.setField({0, 2}, HcmField::CoordinationStatus, "Z"), 2);
        QCOMPARE(m_file->recordAt(10)->text(HcmField::CoordinationStatus), QByteArray("Z"));
        QCOMPARE(m_file->recordAt(9)->text(HcmField::CoordinationStatus), QByteArray("Z"));
        QCOMPARE(m_file->recordAt(11)->text(HcmField::CoordinationStatus), QByteArray(""));
    }

    void fieldTextFromInputKeepsLineIntact()
    {
        QCOMPARE(fieldTextFromInput("A;B\nC\rD"), QByteArray("A B C D"));
        QCOMPARE(fieldTextFromInput(QString::fromLatin1("M\xdcNCHEN")), QByteArray("M\xdcNCHEN"));
        QCOMPARE(inputTextFromField("M\xdcNCHEN"), QString::fromLatin1("M\xdcNCHEN"));
    }

    void throttlePassesSteps()
    {
        ProgressThrottle throttle(60 * 60 * 1000);
        const QString text = "Parsing file...";
        int passed = 0;
        for (int value = 0; value <= 100000; ++value)
            passed += throttle.pass(value, 100000, text) ? 1 : 0;
        // The first, one per percent, and the end.
        QVERIFY2(passed >= 100 && passed <= 102, qPrintable(QString::number(passed)));
    }

private:
    CheckSettings m_settings = 0;
    std::unique_ptr<HCMFile> m_file;
    std::unique_ptr<RecordTableModel> m_model;
};

QTEST_GUILESS_MAIN(TestRecordTableModel)
#include "tst_recordtablemodel.moc"
