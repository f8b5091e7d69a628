// The report table as the window shows it: rows read page by page must be
// the file's rows, in file order or sorted in the database, and the filter
// must find names, references and countries and nothing else.
#include "calc/datareport.h"
#include "calc/reporttablemodel.h"
#include "calctestsupport.h"

#include <QtSql>
#include <QtTest>

namespace {

// 300 rows (more than two pages): row i is named "S<i>", TD 300 - i for even
// i and i for odd, country "AUT" for every tenth row, else "HNG".
const int kRows = 300;

QStringList column(const ReportTableModel& model, const QString& name)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out.append(model.value(r, name).toString());
    return out;
}

} // namespace

class TestReportTableModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_file = m_dir.filePath(QStringLiteral("r.lwrpt"));
        dataReport report(m_file);
        QVERIFY(report.createResultsSchema());
        for (int i = 0; i < kRows; ++i) {
            ResultRow row;
            row.txIndex = i;
            row.txName = QStringLiteral("S%1").arg(i);
            row.rxName = i == 7 ? QStringLiteral("100%_PURE") : QStringLiteral("R");
            row.td = i % 2 ? i : kRows - i;
            row.txCountry = i % 10 ? QStringLiteral("HNG") : QStringLiteral("AUT");
            row.rxReference = QStringLiteral("REF-%1").arg(i);
            QVERIFY(report.insertResult(row));
        }
        QVERIFY(report.storeVersion(QStringLiteral("1.2.3.4")));
    }

    void rowsInOrder_data()
    {
        QTest::addColumn<bool>("gap");    // a row deleted: ids no longer consecutive
        QTest::addColumn<int>("sortBy");  // -1 file order
        QTest::addColumn<int>("order");
        QTest::newRow("file order") << false << -1 << int(Qt::AscendingOrder);
        QTest::newRow("highest TD first") << false << 11 << int(Qt::DescendingOrder);
        QTest::newRow("file order with a gap") << true << -1 << int(Qt::AscendingOrder);
        QTest::newRow("TD rising with a gap") << true << 11 << int(Qt::AscendingOrder);
    }

    void rowsInOrder()
    {
        QFETCH(bool, gap);
        QFETCH(int, sortBy);
        QFETCH(int, order);
        QString file = m_file;
        QList<QPair<double, int>> expected; // (TD, TxIndex) in file order
        for (int i = 0; i < kRows; ++i)
            if (!gap || i != 150)
                expected.append({double(i % 2 ? i : kRows - i), i});
        if (gap) {
            file = m_dir.filePath(QStringLiteral("gap.lwrpt"));
            QFile::remove(file);
            QVERIFY(QFile::copy(m_file, file) && calctest::sql(file, "DELETE FROM results WHERE TxIndex = 150") != QStringList{"failed"});
        }
        if (sortBy >= 0)
            std::stable_sort(expected.begin(), expected.end(), [order](const auto& a, const auto& b) {
                return order == Qt::DescendingOrder ? a.first > b.first : a.first < b.first;
            });
        QStringList indices;
        for (const auto& e : expected)
            indices.append(QString::number(e.second));

        ReportTableModel model;
        QVERIFY(model.open(file));
        QCOMPARE(model.version(), QString("1.2.3.4"));
        model.sort(sortBy, Qt::SortOrder(order));
        // Read from the end backwards: pages must land where they belong.
        QStringList got;
        for (int r = model.rowCount() - 1; r >= 0; --r)
            got.prepend(model.index(r, 0).data().toString());
        QCOMPARE(got, indices);
    }

    void filter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("firstName");
        QTest::newRow("country, any case") << "aut" << 30 << "S0";
        QTest::newRow("reference") << "REF-29" << 11 << "S29"; // REF-29 and REF-290..299
        QTest::newRow("percent sign is no wildcard") << "0%_" << 1 << "S7";
        QTest::newRow("nothing matches") << "XYZ" << 0 << "";
        QTest::newRow("blank shows all") << "  " << kRows << "S0";
    }

    void filter()
    {
        QFETCH(QString, text);
        QFETCH(int, rows);
        QFETCH(QString, firstName);
        ReportTableModel model;
        QVERIFY(model.open(m_file));
        model.setFilterText(text);
        QCOMPARE(model.rowCount(), rows);
        QCOMPARE(model.totalRows(), kRows);
        if (rows > 0)
            QCOMPARE(column(model, QStringLiteral("TxName")).first(), firstName);
    }

    void triggerReport()
    {
        const QString file = m_dir.filePath(QStringLiteral("t.lwrpt"));
        {
            dataReport report(file);
            QVERIFY(report.createTriggerSchema());
            QVERIFY(report.insertTrigger(QStringLiteral("A"), QStringLiteral("RA"), QStringLiteral("HNG"), 0));
            QVERIFY(report.insertTrigger(QStringLiteral("B"), QStringLiteral("RB"), QStringLiteral("SVN"), 0));
        }
        ReportTableModel model;
        QVERIFY(!model.open(file, ReportTableModel::Results));
        QVERIFY(model.open(file));
        model.setFilterText(QStringLiteral("svn"));
        QCOMPARE(column(model, QStringLiteral("Name")), QStringList{"B"});
    }

private:
    QString m_file;
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestReportTableModel)
#include "tst_reporttablemodel.moc"
