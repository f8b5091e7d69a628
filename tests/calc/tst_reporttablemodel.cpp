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
        QTest::addColumn<bool>("gap"); // a row deleted: ids no longer consecutive
        QTest::addColumn<QByteArray>("orderBy"); // rowid: file order, else by TD (column 11)
        QTest::newRow("file order") << false << QByteArray("rowid");
        QTest::newRow("highest TD first") << false << QByteArray("Td DESC");
        QTest::newRow("file order with a gap") << true << QByteArray("rowid");
        QTest::newRow("TD rising with a gap") << true << QByteArray("Td");
    }

    void rowsInOrder()
    {
        QFETCH(bool, gap);
        QFETCH(QByteArray, orderBy);
        QString file = m_file;
        if (gap) {
            file = m_dir.filePath(QStringLiteral("gap.lwrpt"));
            QFile::remove(file);
            QVERIFY(QFile::copy(m_file, file) && calctest::sql(file, "DELETE FROM results WHERE TxIndex = 150") != QStringList{"failed"});
        }
        // No two rows share a TD, so the database's own order is the one to show.
        const QStringList indices = calctest::sql(file, "SELECT TxIndex FROM results ORDER BY " + orderBy);
        QCOMPARE(indices.size(), kRows - (gap ? 1 : 0));

        ReportTableModel model;
        QVERIFY(model.open(file));
        QCOMPARE(model.version(), QString("1.2.3.4"));
        model.sort(orderBy == "rowid" ? -1 : 11, orderBy.endsWith("DESC") ? Qt::DescendingOrder : Qt::AscendingOrder);
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
        ReportTableModel model;
        QVERIFY(model.open(m_file));
        model.setFilterText(text);
        QCOMPARE(model.rowCount(), rows);
        QCOMPARE(model.totalRows(), kRows);
        QTEST(column(model, QStringLiteral("TxName")).value(0), "firstName");
    }

    void triggerReport()
    {
        const QString file = m_dir.filePath(QStringLiteral("t.lwrpt"));
        {
            dataReport report(file);
            QVERIFY(report.createTriggerSchema() && report.insertTrigger("A", "RA", "HNG", 0) &&
                    report.insertTrigger("B", "RB", "SVN", 0));
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
