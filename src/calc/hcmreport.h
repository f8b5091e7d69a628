#ifndef HCMREPORT_H
#define HCMREPORT_H

#include "ui/reportwindow.h"

#include <QModelIndex>

class CALC;
class CdlgDetReport;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class ReportTableModel;

// One calculation in the main window's MDI area: starts the run, shows its
// progress, then the table of results (or trigger results) read from the
// report file, and runs the detailed calculation of a row on double-click.
// A window opened on a saved report only shows it.
class hcmReport : public ReportWindow
{
    Q_OBJECT

public:
    explicit hcmReport(const ReportSetup& setup, QWidget* parent = nullptr);
    ~hcmReport() override;

    QString reportFile() const override;
    void openReport(const QString& path) override;
    void startCalculation(const QString& testingFile, const QString& referenceFile, float threshold,
                          bool listToList) override;
    void startTrigger(const QString& file) override;

    QSize sizeHint() const override { return QSize(820, 460); }

    CALC* engine() const { return m_calc; }
    ReportTableModel* model() const { return m_model; }
    CdlgDetReport* detailDialog() const { return m_detail; }
    // The "Export CSV..." button: asks for a file and writes the report to it.
    void exportCsv();

signals:
    void progressChange(int value);

public slots:
    void doJob(const QModelIndex& index);
    void showDetCalcResult();
    void setProgressVal(int value, int max);
    void progressLoadReport(int calcMode);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    void prepareRun();
    void showTable(bool results);
    void layoutColumns();
    void hideProgress();
    void shutDown();

    ReportSetup m_setup;
    QString m_shownFile;
    bool m_calculatedHere = false;
    int m_calcMode = -1;
    bool m_shutDown = false;

    CALC* m_calc = nullptr;
    ReportTableModel* m_model;
    CdlgDetReport* m_detail;
    QLabel* info;
    QProgressBar* calcProgress;
    QPushButton* buttonCancel;
    QLineEdit* m_filter;
    QPushButton* m_exportButton;
    QTableView* tableView;
    QLabel* status;
};

#endif
