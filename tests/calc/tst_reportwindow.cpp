// The report window driven as the main window drives it, against the fake
// library (and the shipped one for the path profile): runs reach their
// tables, a reopened report refuses detailed runs, closing removes only the
// window's own files, cancelling keeps what was written.
#include "calc/calc.h"
#include "calc/cdlgdetreport.h"
#include "calc/fileversion.h"
#include "calc/hcmreport.h"
#include "calc/profileview.h"
#include "calc/reporttablemodel.h"
#include "calctestsupport.h"
#include "ui/scriptedprompts.h"

#include <QtTest>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <memory>

using calctest::station;

class TestReportWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_windows.clear();
        m_dir = std::make_unique<QTemporaryDir>();
        // One set of prompts at a time: the old one, going, would put back the
        // real dialogs.
        m_prompts.reset();
        m_prompts = std::make_unique<ScriptedPrompts>();
    }

    void runsReachTheirTables_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("noDegradationText");
        const QByteArrayList pair = {station("TX", "A"), station("RX", "B")};
        QTest::newRow("single entry") << int(SingleEntryMode) << pair << 1 << false;
        QTest::newRow("trigger") << int(TriggerMode) << pair << 2 << false;
        QTest::newRow("nothing over the threshold")
            << int(ListToListMode) << QByteArrayList{station("TX", "A", "td=0.5"), station("RX", "B", "td=0.5")} << 0
            << true;
    }

    void runsReachTheirTables()
    {
        QFETCH(int, mode);
        QFETCH(QByteArrayList, lines);
        QFETCH(bool, noDegradationText);
        hcmReport* w = window();
        const QString path = file("stations.txt", lines);
        if (mode == TriggerMode)
            w->startTrigger(path);
        else
            w->startCalculation(path, path, 1.0f, mode == ListToListMode);
        QVERIFY(completed());
        QTEST(w->model()->rowCount(), "rows");
        QCOMPARE(w->model()->table(), mode == TriggerMode ? ReportTableModel::Trigger : ReportTableModel::Results);
        QCOMPARE(w->findChild<QTableView*>()->isHidden(), noDegradationText);
        const auto labels = w->findChildren<QLabel*>();
        QCOMPARE(std::any_of(labels.begin(), labels.end(),
                             [](QLabel* l) { return l->text().contains("NO THRESHOLD DEGRADATION FOUND!"); }),
                 noDegradationText);
    }

    void reopenedReportIsOnlyShown()
    {
        hcmReport* run = window();
        const QString path = file(QStringLiteral("pair.txt"), {station("TX", "A"), station("RX", "B")});
        run->startCalculation(path, path, 1.0f, true);
        QVERIFY(completed());
        doubleClickFirstRow(run);
        QTRY_VERIFY(run->detailDialog()->isVisible());
        const QString own = run->reportFile();
        const QString detail = m_dir->filePath(QStringLiteral("detreport%1.txt").arg(m_number));
        QVERIFY(QFile::exists(own) && QFile::exists(detail));

        hcmReport* reopened = window();
        reopened->openReport(own);
        QCOMPARE(reopened->model()->rowCount(), 2);
        m_prompts->clear();
        doubleClickFirstRow(reopened);
        QCOMPARE(m_prompts->messages().size(), 1);
        QCOMPARE(m_prompts->messages().at(0).message.title, QString("Detailed Report"));
        QVERIFY(!reopened->engine()->isRunning());
        // Closing the window that shows a file never removes it...
        reopened->close();
        QVERIFY(QFile::exists(own) && QFile::exists(detail));
        // ...the window that wrote it removes its own files.
        run->close();
        QVERIFY(!QFile::exists(own) && !QFile::exists(detail));
    }

    void cancelKeepsRowsWritten()
    {
        QByteArrayList testing;
        for (int i = 0; i < 40; ++i)
            testing << station("TX", "T" + QByteArray::number(i), "sleep=20");
        hcmReport* w = window();
        w->startCalculation(file("slow.txt", testing), file("ref.txt", {station("RX", "R")}), 1.0f, true);
        QTest::qWait(300);
        for (QPushButton* button : w->findChildren<QPushButton*>())
            if (button->text() == QLatin1String("Cancel"))
                button->click();
        QVERIFY(completed());
        QVERIFY(w->model()->rowCount() > 0);
        QVERIFY(w->model()->rowCount() < 40);
    }

    // A link through a passive repeater: one profile for each of its two hops.
    void detailShowsTextAndProfile()
    {
        hcmReport* w = window(QStringLiteral(LINKWISE_BINDIR "/") + hcmLibraryFileName());
        w->startCalculation(QStringLiteral(LINKWISE_SOURCEDIR "/samples/repeater-link.txt"), QString(), 0.0f, false);
        QVERIFY(completed());
        QCOMPARE(w->model()->rowCount(), 1);
        QCOMPARE(w->model()->value(0, QStringLiteral("Error")).toInt(), 0);
        doubleClickFirstRow(w);
        QTRY_VERIFY_WITH_TIMEOUT(w->detailDialog()->isVisible(), 20000);
        const QList<PathProfile> profiles = w->detailDialog()->profileView()->profiles();
        QCOMPARE(profiles.size(), 2);
        QCOMPARE(profiles.last().to, QString("RX"));
    }

private:
    hcmReport* window(const QString& library = QStringLiteral(FAKEHCMFS_PATH))
    {
        ++m_number;
        ReportSetup setup;
        setup.libraryPath = library;
        setup.reportFile = m_dir->filePath(QStringLiteral("report%1.lwrpt").arg(m_number));
        setup.detailFile = m_dir->filePath(QStringLiteral("detreport%1.txt").arg(m_number));
        m_windows.push_back(std::make_unique<hcmReport>(setup));
        return m_windows.back().get();
    }
    QString file(const QString& name, const QByteArrayList& lines)
    {
        return calctest::writeLines(m_dir->filePath(name), lines);
    }
    // A run ends with the "Calculations completed!" box.
    bool completed()
    {
        return QTest::qWaitFor([this] {
            const QList<ScriptedPrompts::Prompt> shown = m_prompts->messages();
            return std::any_of(shown.begin(), shown.end(),
                               [](const auto& p) { return p.message.text == "Calculations completed!"; });
        }, 20000);
    }
    void doubleClickFirstRow(hcmReport* w)
    {
        auto* view = w->findChild<QTableView*>();
        QVERIFY(view);
        w->doJob(view->model()->index(0, 7));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::vector<std::unique_ptr<hcmReport>> m_windows;
    int m_number = 0;
};

QTEST_MAIN(TestReportWindow)
#include "tst_reportwindow.moc"
