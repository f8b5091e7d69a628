#include "hcmreport.h"

#include "calc.h"
#include "cdlgdetreport.h"
#include "reporttablemodel.h"
#include "reporttext.h"

#include "ui/userprompts.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <iterator>

namespace {

// Widths of the results columns; 0 hides a column, -1 keeps the default.
const int kResultWidths[] = {0,  0,  0,  0,  0,  0,  0,   200, 50, 50, 200, 40, 40,
                             70, 70, 70, 150, -1, -1, 150, 60,  70, 60, 60,  80};

} // namespace

hcmReport::hcmReport(const ReportSetup& setup, QWidget* parent)
    : ReportWindow(parent), m_setup(setup), m_model(new ReportTableModel(this)), m_detail(new CdlgDetReport(this))
{
    buildWidgets();
    info->hide();
    calcProgress->hide();
    buttonCancel->hide();
    m_calc = new CALC(setup.terrainPath, setup.libraryPath, this);
    m_calc->setThreads(setup.threads);
    if (!m_calc->errorText().isEmpty())
        UserPrompts::warning(this, tr("Linkwise"), m_calc->errorText());
    connect(tableView, &QTableView::doubleClicked, this, &hcmReport::doJob);
    connect(buttonCancel, &QPushButton::clicked, m_calc, &CALC::cancelCalculations);
    connect(m_calc, &CALC::calcProgressChanged, this, &hcmReport::setProgressVal);
    connect(m_calc, &CALC::finished, this, &hcmReport::progressLoadReport);
    connect(m_calc, &CALC::finishedDC, this, &hcmReport::showDetCalcResult);
}

hcmReport::~hcmReport()
{
    shutDown();
}

void hcmReport::buildWidgets()
{
    setWindowTitle(tr("Frame"));
    info = new QLabel(QStringLiteral("___________"));
    calcProgress = new QProgressBar;
    buttonCancel = new QPushButton(tr("Cancel"));
    m_filter = new QLineEdit;
    m_filter->setPlaceholderText(tr("Filter by station name, reference or country"));
    m_filter->setClearButtonEnabled(true);
    m_exportButton = new QPushButton(tr("Export CSV..."));
    tableView = new QTableView;
    tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A million rows: every row the same height, so the view never measures them.
    tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tableView->verticalHeader()->setDefaultSectionSize(tableView->fontMetrics().height() + 6);
    tableView->horizontalHeader()->setSortIndicatorShown(true);
    tableView->horizontalHeader()->setSortIndicatorClearable(true);
    tableView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tableView->setModel(m_model);
    tableView->setSortingEnabled(true);
    status = new QLabel;
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(info);
    progressRow->addWidget(calcProgress, 1);
    progressRow->addWidget(buttonCancel);
    auto* toolRow = new QHBoxLayout;
    toolRow->addWidget(m_filter, 1);
    toolRow->addWidget(m_exportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(progressRow);
    layout->addLayout(toolRow);
    layout->addWidget(tableView, 1);
    layout->addWidget(status);
    m_filter->setEnabled(false);
    m_exportButton->setEnabled(false);

    // Filtering a million rows takes a moment: wait until typing pauses.
    auto* filterDelay = new QTimer(this);
    filterDelay->setSingleShot(true);
    filterDelay->setInterval(300);
    connect(m_filter, &QLineEdit::textChanged, filterDelay, qOverload<>(&QTimer::start));
    connect(filterDelay, &QTimer::timeout, this, [this] { m_model->setFilterText(m_filter->text()); });
    connect(m_exportButton, &QPushButton::clicked, this, &hcmReport::exportCsv);
}

QString hcmReport::reportFile() const
{
    return m_shownFile.isEmpty() ? m_setup.reportFile : m_shownFile;
}

void hcmReport::prepareRun()
{
    info->setText(tr("Calculating..."));
    m_calculatedHere = true;
    m_model->close();
    m_filter->clear();
    m_filter->setEnabled(false);
    m_exportButton->setEnabled(false);
    info->show();
    calcProgress->show();
    buttonCancel->show();
    calcProgress->setValue(0);
}

void hcmReport::startCalculation(const QString& testingFile, const QString& referenceFile, float threshold,
                                 bool listToList)
{
    if (!m_calc)
        return;
    prepareRun();
    if (listToList)
        m_calc->startListCalculation(testingFile, referenceFile, m_setup.reportFile, threshold,
                                     m_setup.frequencyTxRx, m_setup.distanceTxRx, m_setup.distancePTxRx);
    else
        m_calc->startSingleCalculation(testingFile, m_setup.reportFile);
}

void hcmReport::startTrigger(const QString& file)
{
    if (!m_calc)
        return;
    prepareRun();
    m_calc->startTriggerCalculation(file, m_setup.reportFile);
}

void hcmReport::setProgressVal(int value, int max)
{
    if (max <= 0)
        return;
    if (max != calcProgress->maximum())
        calcProgress->setMaximum(max);
    const double shown = double(calcProgress->value()) / max;
    if (std::fabs(shown - double(value) / max) > 0.01) {
        calcProgress->setValue(value);
        emit progressChange(value);
    }
}

void hcmReport::hideProgress()
{
    info->hide();
    calcProgress->hide();
    buttonCancel->hide();
}

void hcmReport::showTable(bool results)
{
    tableView->show();
    tableView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    if (results)
        layoutColumns();
    m_filter->setEnabled(true);
    m_exportButton->setEnabled(true);
}

void hcmReport::progressLoadReport(int calcMode)
{
    if (!m_calc->errorText().isEmpty())
        UserPrompts::warning(this, tr("Linkwise"), m_calc->errorText());
    info->setText(tr("Loading the report..."));
    calcProgress->setValue(calcProgress->maximum());
    m_shownFile.clear();
    const bool results = calcMode != TriggerMode;
    if (!m_model->open(m_setup.reportFile, results ? ReportTableModel::Results : ReportTableModel::Trigger)) {
        hideProgress();
        UserPrompts::information(this, tr("Linkwise"), tr("Could not open the report file!"));
        emit actionStateChanged();
        return;
    }
    if (results && m_model->totalRows() == 0) {
        tableView->hide();
        QFont bold = status->font();
        bold.setWeight(QFont::Bold);
        status->setFont(bold);
        // The text used to read "DEGDARATION".
        status->setText(tr("CALCULATIONS COMPLETED.\n\nNO THRESHOLD DEGRADATION FOUND!\n\nCalculations performed "
                           "using\nHCM Library version:")
                        + m_model->version());
    } else {
        status->setText(tr("HCM Library version:") + m_model->version());
        showTable(results);
    }
    m_calcMode = calcMode;
    hideProgress();
    emit actionStateChanged();
    UserPrompts::information(this, tr("Linkwise"), tr("Calculations completed!"));
}

void hcmReport::layoutColumns()
{
    const int columns = m_model->columnCount();
    for (int c = 0; c < columns && c < int(std::size(kResultWidths)); ++c) {
        tableView->setColumnHidden(c, kResultWidths[c] == 0);
        if (kResultWidths[c] > 0)
            tableView->setColumnWidth(c, kResultWidths[c]);
    }
}

void hcmReport::doJob(const QModelIndex& index)
{
    if (!m_calculatedHere) {
        UserPrompts::warning(this, tr("Detailed Report"),
                             tr("You cannot get detailed calculation results\nafter opening a Report file. To get "
                                "it\nyou first need to launch the calculations!"));
        return;
    }
    if (!m_calc || m_calcMode == TriggerMode || !index.isValid())
        return;
    const int row = index.row();
    auto pick = [&](const char* indexColumn, const char* fileColumn) {
        LinePick p;
        p.index = m_model->value(row, QLatin1String(indexColumn)).toInt();
        p.testing = m_model->value(row, QLatin1String(fileColumn)).toInt() == 1;
        return p;
    };
    const std::array<LinePick, 4> picks = {pick("TxIndex", "TxFileNo"), pick("PRxIndex", "PxFileNo"),
                                           pick("PTxIndex", "PxFileNo"), pick("RxIndex", "RxFileNo")};
    // The library writes a fresh file; an old one must not be shown instead
    // when it writes nothing.
    QFile::remove(m_setup.detailFile);
    m_calc->startDetailedCalculation(picks, m_setup.detailFile);
}

void hcmReport::showDetCalcResult()
{
    if (!m_calc->errorText().isEmpty())
        UserPrompts::warning(this, tr("Linkwise"), m_calc->errorText());
    QFile file(m_setup.detailFile);
    QString text;
    if (file.open(QIODevice::ReadOnly))
        text = QString::fromLatin1(file.readAll());
    m_detail->showReport(text);
}

void hcmReport::openReport(const QString& path)
{
    info->setText(tr("Loading the report..."));
    if (!m_model->open(path)) {
        UserPrompts::warning(this, tr("HCM Report"), tr("Could not open HCM Report file!"));
        hideProgress();
        return;
    }
    m_shownFile = path;
    status->setText(tr("HCM Library version:") + m_model->version());
    showTable(m_model->table() == ReportTableModel::Results);
    m_calcMode = m_model->table() == ReportTableModel::Results ? ListToListMode : TriggerMode;
    hideProgress();
}

void hcmReport::exportCsv()
{
    const QString name = UserPrompts::saveFileName(this, tr("Export CSV"), QDir::homePath(),
                                                   tr("CSV files (*.csv);;All (*.*)"));
    if (name.isEmpty())
        return;
    QSaveFile out(name);
    if (!out.open(QIODevice::WriteOnly) || !ReportText::writeCsv(reportFile(), &out) || !out.commit())
        UserPrompts::warning(this, tr("Linkwise"), tr("Could not write the CSV file!"));
}

void hcmReport::closeEvent(QCloseEvent* event)
{
    emit actionStateChanged();
    shutDown();
    event->accept();
}

// Stops the run and removes this window's own files; a reopened report is
// the user's and stays.
void hcmReport::shutDown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_calc->cancelCalculations();
    m_model->close();
    delete m_calc; // waits for a run still going
    m_calc = nullptr;
    if (QFile::exists(m_setup.reportFile))
        QFile::remove(m_setup.reportFile);
    if (QFile::exists(m_setup.detailFile))
        QFile::remove(m_setup.detailFile);
}
