#include "hcmeditmdi.h"

#include "ui/changedfiletext.h"
#include "ui/userprompts.h"
#include "checks/antennachecks.h"
#include "checks/checkclasses.h"
#include "checks/checkmessages.h"
#include "checks/errorlistdlg.h"
#include "checks/filecheck.h"
#include "checks/headerchecks.h"
#include "checks/recordcheck.h"
#include "fieldmarker.h"
#include "nonhcmfileprompt.h"
#include "hcm/hcmfile.h"
#include "hcm/hcmfilesniff.h"
#include "hcm/hcmwriter.h"
#include "kml/googleearthexport.h"
#include "recordlisteditor.h"
#include "recordtablemodel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMutex>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <climits>

namespace {

// One lock for the load notifications of every editor window, so that the
// cancel flag and the hand-over to the GUI thread are seen in one piece.
QMutex& notifyMutex()
{
    static QMutex mutex;
    return mutex;
}

const int kLoadTask = LoadJob::EditorFile;
// How long a job on the window's thread runs between two looks at the events.
const qint64 kYieldMs = 25;

CheckSettings settingsWord(const CheckOptions& o)
{
    CheckSettings word = 0;
    if (o.calcErrors)
        word |= CheckCalcOnly;
    if (o.formatErrors)
        word |= CheckNumberFormat;
    if (o.valueWarnings)
        word |= CheckSuspiciousValues;
    if (o.characterWarnings)
        word |= CheckIllegalCharacters;
    return word;
}

QString cellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

// Every cell of the row gets an item, so it can be coloured and read back.
void ensureItems(QTableWidget* table, int row)
{
    for (int column = 0; column < table->columnCount(); ++column) {
        if (!table->item(row, column))
            table->setItem(row, column, new QTableWidgetItem);
    }
}

} // namespace

hcmEditMDI::hcmEditMDI(bool checkOnEditing, bool calcErrors, bool formatErrors,
                       bool valueWarnings, bool characterWarnings, bool checkOnLoading,
                       QWidget* parent)
    : hcmEditMDI(CheckOptions{checkOnEditing, calcErrors, formatErrors, valueWarnings,
                              characterWarnings, checkOnLoading},
                 parent)
{
}

hcmEditMDI::hcmEditMDI(const CheckOptions& options, QWidget* parent) : EditorWindow(parent)
{
    m_ui.setupUi(this);
    m_ui.totalCount->clear();
    m_ui.selectedCount->clear();
    m_ui.info->clear();
    setStripVisible(false);
    setWindowTitle(tr("no name"));

    m_options = options;
    m_checkSettings = settingsWord(options);
    m_file = std::make_unique<HCMFile>(this, &m_checkSettings);
    m_model = new RecordTableModel(m_file.get(), this);
    m_records = std::make_unique<RecordListEditor>(*m_file, *m_model);
    m_ui.twList->setModel(m_model);
    m_ui.twList->setSortingEnabled(true);
    m_ui.twList->sortByColumn(RecordTableModel::NumberColumn, Qt::AscendingOrder);
    m_marker = std::make_unique<FieldMarker>(m_ui.le4a->palette());
    buildInputTables();

    clearHeaderUi();
    if (m_options.checkOnEditing)
        testHeader();
    m_errorList = new ErrorListDlg(this);
    connectInputs();
    writeRowCountToHeader();
    setModified(false);
    m_includeHeader = true;
    changeWidgetsState();
}

hcmEditMDI::~hcmEditMDI()
{
    // The worker writes into the file; it must be gone before the file is.
    if (m_job) {
        m_job->cancel();
        m_job->wait();
    }
}

void hcmEditMDI::buildInputTables()
{
    const hcmEditMDIUi& u = m_ui;
    m_recordInputs = {
        {u.le0a, HcmField::TypeOfEntry},
        {u.le1a, HcmField::Frequency},
        {u.le1a1, HcmField::FrequencyUnit},
        {u.le1z, HcmField::FrequencyCategory},
        {u.le6a, HcmField::ClassOfStation},
        {u.le6b, HcmField::NatureOfService},
        {u.le6z, HcmField::CategoryOfUse},
        {u.le2c, HcmField::DateInUse},
        {u.le4a, HcmField::StationName},
        {u.le4b, HcmField::Country},
        {u.le4cla, HcmField::Latitude},
        {u.le4clo, HcmField::Longitude},
        {u.le4z, HcmField::SiteHeight},
        {u.le7a, HcmField::Emission},
        {u.le7h, HcmField::EquipmentManufacturer},
        {u.le7i, HcmField::EquipmentType},
        {u.le7k, HcmField::Capacity},
    };
    for (int n = 1; n <= 6; ++n)
        m_recordInputs.push_back({u.le7gf[n - 1], HCMRecord::maskFrequencyField(n)});
    for (int n = 1; n <= 6; ++n)
        m_recordInputs.push_back({u.le7ga[n - 1], HCMRecord::maskAttenuationField(n)});
    const std::vector<RecordInput> rest = {
        {u.le7g1, HcmField::EquipmentClass},
        {u.le7g2, HcmField::Unused7G2},
        {u.le7g3, HcmField::ChannelSpacing},
        {u.le8b, HcmField::MaxPower},
        {u.le8b3, HcmField::Atpc},
        {u.le9a, HcmField::Azimuth},
        {u.le9b, HcmField::Elevation},
        {u.le9d, HcmField::Polarization},
        {u.le9h, HcmField::NoisePower},
        {u.le9l, HcmField::LineLosses},
        {u.le9y, HcmField::AntennaHeight},
        {u.le13y, HcmField::CoordinationStatus},
        {u.le2w, HcmField::CoordinationRequestDate},
        {u.le2z, HcmField::CoordinationFinalDate},
        {u.le13x, HcmField::CoordinationReference},
    };
    m_recordInputs.insert(m_recordInputs.end(), rest.begin(), rest.end());
    m_antennaInputs = {
        {u.le9xm, HCMAntenna::Manufacturer},
        {u.le9xt, HCMAntenna::Type},
        {u.le9xfl, HCMAntenna::LowerFrequency},
        {u.le9xfu, HCMAntenna::UpperFrequency},
        {u.le9x1, HCMAntenna::Gain},
    };
    m_headerInputs = {
        {u.leFileNumber, HCMHeader::FileNumber},
        {u.leResponsiblePerson, HCMHeader::ResponsiblePerson},
        {u.lePhone, HCMHeader::Phone},
        {u.leTelefax, HCMHeader::Telefax},
        {u.leEmail, HCMHeader::Email},
        {u.leNumberOfRecords, HCMHeader::NumberOfRecords},
        {u.leWritingDate, HCMHeader::WritingDate},
        {u.leCountry, HCMHeader::Country},
        {u.leFileContentsCode, HCMHeader::FileContentsCode},
        {u.teFileContents, HCMHeader::FileContents},
    };
}

void hcmEditMDI::connectInputs()
{
    const hcmEditMDIUi& u = m_ui;
    const std::pair<QLineEdit*, void (hcmEditMDI::*)()> lineSlots[] = {
        {u.le0a, &hcmEditMDI::le0aChanged},     {u.le6a, &hcmEditMDI::le6aChanged},
        {u.le6b, &hcmEditMDI::le6bChanged},     {u.le6z, &hcmEditMDI::le6zChanged},
        {u.le2c, &hcmEditMDI::le2cChanged},     {u.le1a, &hcmEditMDI::le1aChanged},
        {u.le1a1, &hcmEditMDI::le1a1Changed},   {u.le1z, &hcmEditMDI::le1zChanged},
        {u.le4a, &hcmEditMDI::le4aChanged},     {u.le4z, &hcmEditMDI::le4zChanged},
        {u.le7k, &hcmEditMDI::le7kChanged},     {u.le7a, &hcmEditMDI::le7aChanged},
        {u.le7g3, &hcmEditMDI::le7g3Changed},   {u.le9l, &hcmEditMDI::le9lChanged},
        {u.le9y, &hcmEditMDI::le9yChanged},     {u.le13y, &hcmEditMDI::le13yChanged},
        {u.le2w, &hcmEditMDI::le2wChanged},     {u.le2z, &hcmEditMDI::le2zChanged},
        {u.le4b, &hcmEditMDI::le4bChanged},     {u.le9a, &hcmEditMDI::le9aChanged},
        {u.le9b, &hcmEditMDI::le9bChanged},     {u.le9d, &hcmEditMDI::le9dChanged},
        {u.le7h, &hcmEditMDI::le7hChanged},     {u.le7i, &hcmEditMDI::le7iChanged},
        {u.le8b, &hcmEditMDI::le8bChanged},     {u.le8b3, &hcmEditMDI::le8b3Changed},
        {u.le7g1, &hcmEditMDI::le7g1Changed},   {u.le7g2, &hcmEditMDI::le7g2Changed},
        {u.le9h, &hcmEditMDI::le9hChanged},     {u.le7gf[0], &hcmEditMDI::le7gf1Changed},
        {u.le7gf[1], &hcmEditMDI::le7gf2Changed}, {u.le7gf[2], &hcmEditMDI::le7gf3Changed},
        {u.le7gf[3], &hcmEditMDI::le7gf4Changed}, {u.le7gf[4], &hcmEditMDI::le7gf5Changed},
        {u.le7gf[5], &hcmEditMDI::le7gf6Changed}, {u.le7ga[0], &hcmEditMDI::le7ga1Changed},
        {u.le7ga[1], &hcmEditMDI::le7ga2Changed}, {u.le7ga[2], &hcmEditMDI::le7ga3Changed},
        {u.le7ga[3], &hcmEditMDI::le7ga4Changed}, {u.le7ga[4], &hcmEditMDI::le7ga5Changed},
        {u.le7ga[5], &hcmEditMDI::le7ga6Changed}, {u.le9xm, &hcmEditMDI::le9xmChanged},
        {u.le9xt, &hcmEditMDI::le9xtChanged},   {u.le9xfl, &hcmEditMDI::le9xflChanged},
        {u.le9xfu, &hcmEditMDI::le9xfuChanged}, {u.le9x1, &hcmEditMDI::le9x1Changed},
        {u.le13x, &hcmEditMDI::le13xChanged},   {u.le4clo, &hcmEditMDI::le4cloChanged},
        {u.le4cla, &hcmEditMDI::le4claChanged},
        {u.leFileNumber, &hcmEditMDI::leFileNumberChanged},
        {u.leResponsiblePerson, &hcmEditMDI::leResponsiblePersonChanged},
        {u.lePhone, &hcmEditMDI::lePhoneChanged},
        {u.leTelefax, &hcmEditMDI::leTelefaxChanged},
        {u.leEmail, &hcmEditMDI::leEmailChanged},
        {u.leWritingDate, &hcmEditMDI::leWritingDateChanged},
        {u.leCountry, &hcmEditMDI::leCountryChanged},
        {u.leFileContentsCode, &hcmEditMDI::leFileContentsCodeChanged},
    };
    for (const auto& [edit, slot] : lineSlots)
        connect(edit, &QLineEdit::textEdited, this, slot);
    // The record count is written here by the program as well, so every change counts.
    connect(u.leNumberOfRecords, &QLineEdit::textChanged, this,
            &hcmEditMDI::leNumberOfRecordsChanged);
    connect(u.te13z, &QPlainTextEdit::textChanged, this, &hcmEditMDI::lete13zChanged);
    connect(u.teFileContents, &QPlainTextEdit::textChanged, this,
            &hcmEditMDI::teFileContentsChanged);
    connect(u.tw9xco, &QTableWidget::itemChanged, this, &hcmEditMDI::tw9xcoChanged);
    connect(u.tw9xcr, &QTableWidget::itemChanged, this, &hcmEditMDI::tw9xcrChanged);
    connect(u.leRadPatCo, &QComboBox::editTextChanged, this, &hcmEditMDI::leradpatcoChanged);
    connect(u.leRadPatCr, &QComboBox::editTextChanged, this, &hcmEditMDI::leradpatcrChanged);
    connect(u.tbDelCp, &QToolButton::clicked, this, &hcmEditMDI::deleteAntennaCPLines);
    connect(u.pbAddCp, &QPushButton::clicked, this, &hcmEditMDI::addAntennaCPLine);
    connect(u.tbDelXp, &QToolButton::clicked, this, &hcmEditMDI::deleteAntennaXPLines);
    connect(u.pbAddXp, &QPushButton::clicked, this, &hcmEditMDI::addAntennaXPLine);

    QItemSelectionModel* selection = u.twList->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                showItemDetails(current.row(), current.column(), previous.row(),
                                previous.column());
            });
    connect(selection, &QItemSelectionModel::selectionChanged, this,
            &hcmEditMDI::selectionChanged);
    connect(this, &hcmEditMDI::signalTaskFinished, this, &hcmEditMDI::slotTaskFinished,
            Qt::QueuedConnection);
    connect(this, &hcmEditMDI::signalSetProgressValue, u.progress, &QProgressBar::setValue);
    connect(this, &hcmEditMDI::loadProgress, this, &hcmEditMDI::showLoadProgress,
            Qt::QueuedConnection);
    connect(u.buttonCancel, &QPushButton::clicked, this, &hcmEditMDI::cancelJob);
    connect(this, &hcmEditMDI::processCanceled, this, &hcmEditMDI::slotCanceled,
            Qt::QueuedConnection);
    connect(m_errorList, &ErrorListDlg::itemDoubleclicked, this, &hcmEditMDI::setCurrentRecord);
}

// ---- State --------------------------------------------------------------

int hcmEditMDI::rowCount() const
{
    return m_model->rowCount();
}

int hcmEditMDI::currentRow() const
{
    return m_ui.twList->currentIndex().row();
}

void hcmEditMDI::setFileName(const QString& path)
{
    m_fileName = path;
    const QString name = QDir(path).dirName();
    setWindowTitle(m_modified ? name + QStringLiteral(" *") : name);
    if (windowAction())
        windowAction()->setText(name);
}

void hcmEditMDI::setModified(bool modified)
{
    if (modified && !m_modified) {
        setWindowTitle(windowTitle() + QStringLiteral(" *"));
    } else if (!modified && m_modified) {
        const QString title = windowTitle();
        const qsizetype mark = title.indexOf(QStringLiteral(" *"));
        if (mark >= 0)
            setWindowTitle(title.left(mark));
    }
    m_modified = modified;
}

QString hcmEditMDI::displayName() const
{
    return m_fileName.isEmpty() ? tr("no name") : QFileInfo(m_fileName).fileName();
}

void hcmEditMDI::setStripVisible(bool visible)
{
    m_ui.progress->setVisible(visible);
    m_ui.buttonCancel->setVisible(visible);
    m_ui.info->setVisible(visible);
}

void hcmEditMDI::showTotal()
{
    m_ui.totalCount->setText(tr("Total: ") + QString::number(rowCount()));
}

void hcmEditMDI::applySorting()
{
    // Switching sorting on sorts by the header's indicator again.
    m_ui.twList->setSortingEnabled(true);
}

void hcmEditMDI::writeRowCountToHeader()
{
    m_ui.leNumberOfRecords->setText(QString::number(rowCount()));
}

// ---- Options --------------------------------------------------------------

void hcmEditMDI::setOptions(bool checkOnEditing, bool calcErrors, bool formatErrors,
                            bool valueWarnings, bool characterWarnings, bool checkOnLoading)
{
    setOptions(CheckOptions{checkOnEditing, calcErrors, formatErrors, valueWarnings,
                            characterWarnings, checkOnLoading});
}

void hcmEditMDI::setOptions(const CheckOptions& options)
{
    m_options = options;
    // Every record, antenna and pattern of the file reads this word.
    m_checkSettings = settingsWord(options);
    markCurrentOrClear();
}

void hcmEditMDI::markCurrentOrClear()
{
    const HCMRecord* record = editableRecord();
    if (m_options.checkOnEditing && record) {
        testHeader();
        markRecord(*record);
    } else {
        clearAllMarks();
    }
}

// ---- Loading --------------------------------------------------------------

bool hcmEditMDI::load(const QString& path)
{
    if (m_loading || m_busy)
        return false;
    setStripVisible(true);
    m_cancel = false;
    m_ui.progress->setRange(0, 100);
    emit signalSetProgressValue(0);
    setFileName(path);

    emptyWindow();
    m_throttle.reset();
    m_job = std::make_unique<LoadJob>();
    m_job->mode = LoadJob::EditorFile;
    m_job->fileName = path;
    m_job->target = m_file.get();
    m_job->checkSettings = &m_checkSettings;
    m_job->progress = [this](qint64 value, qint64 maximum, const QString& message,
                             std::atomic_bool& cancel) {
        loadingNotified(value, maximum, message, cancel);
    };
    m_job->finished = [this](int mode) { loadingFinished(mode); };

    m_loading = true;
    m_ui.tabDetails->setEnabled(false);
    if (!m_job->start()) {
        m_loading = false;
        m_ui.tabDetails->setEnabled(true);
        setStripVisible(false);
        return false;
    }
    return true;
}

// Worker thread.
void hcmEditMDI::loadingNotified(qint64 value, qint64 maximum, const QString& message,
                                 std::atomic_bool& cancel)
{
    QMutexLocker lock(&notifyMutex());
    if (m_cancel) {
        cancel = true;
        emit processCanceled();
        return;
    }
    if (m_throttle.pass(value, maximum, message))
        emit loadProgress(value, maximum, message);
}

// Worker thread.
void hcmEditMDI::loadingFinished(int mode)
{
    QMutexLocker lock(&notifyMutex());
    emit signalTaskFinished(mode);
}

void hcmEditMDI::showLoadProgress(qint64 value, qint64 maximum, const QString& message)
{
    if (!m_loading)
        return;
    // The bar counts in int; a file beyond 2 GB is shown in coarser steps.
    const qint64 scale = maximum > INT_MAX ? maximum / INT_MAX + 1 : 1;
    if (m_ui.info->text() != message)
        m_ui.info->setText(message);
    const int barMaximum = int(maximum / scale);
    if (m_ui.progress->maximum() != barMaximum)
        m_ui.progress->setRange(0, barMaximum);
    emit signalSetProgressValue(int(value / scale));
}

void hcmEditMDI::slotTaskFinished(int task)
{
    if (task == kLoadTask && m_loading)
        finishLoad();
}

void hcmEditMDI::finishLoad()
{
    m_job->wait();
    m_loading = false;
    m_ui.tabDetails->setEnabled(true);
    if (m_cancel) {
        // Cancel came after the last line: the load counts as cancelled.
        slotCanceled();
        return;
    }
    if (m_job->status() == LoadJob::Unreadable) {
        emptyWindow();
        setStripVisible(false);
        setModified(false);
        UserPrompts::warning(this, tr("Linkwise"), tr("Could not load file:\n") + m_fileName);
        return;
    }
    m_includeHeader = m_job->headerPresent();
    m_headerReadCode = m_job->status() == LoadJob::Started ? 0 : m_job->status();
    m_readerCodes = m_job->lineCodes();

    refresh();
    if (m_options.checkOnEditing)
        testHeader();
    showTotal();
    setStripVisible(false);
    setModified(false);
    selectionChanged();
    makeRowCurrent(0);
    if (!looksLikeHcmFile(m_fileName) && !keepWindowOfNonHcmFile(this, m_fileName))
        QTimer::singleShot(0, this, &hcmEditMDI::closeWhenIdle);
}

void hcmEditMDI::refresh()
{
    m_filling = true;
    m_ui.twList->setUpdatesEnabled(false);
    m_ui.twList->setSortingEnabled(false);
    fillTable();
    fillHeaderUi();
    if (m_options.checkOnLoading)
        checkSyntax();
    applySorting();
    m_ui.twList->setUpdatesEnabled(true);
    m_filling = false;
}

void hcmEditMDI::fillTable()
{
    m_ui.totalCount->setText(tr("Total: ") + QString::number(0));
    m_ui.info->setText(tr("Filling table..."));
    // One pass: the rows are only the record numbers, the cells are read
    // from the records as they are shown.
    m_model->fill();
    m_ui.twList->resizeColumnsToContents();
    showTotal();
}

void hcmEditMDI::fillHeaderUi()
{
    const bool filling = m_filling;
    m_filling = true;
    for (const HeaderInput& h : m_headerInputs) {
        const QString text = inputTextFromField(m_file->header().view(h.field));
        if (auto* edit = qobject_cast<QLineEdit*>(h.input))
            edit->setText(text);
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(h.input))
            plain->setPlainText(text);
    }
    m_filling = filling;
}

void hcmEditMDI::clearHeaderUi()
{
    const bool filling = m_filling;
    m_filling = true;
    for (const HeaderInput& h : m_headerInputs) {
        if (auto* edit = qobject_cast<QLineEdit*>(h.input))
            edit->clear();
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(h.input))
            plain->clear();
    }
    m_filling = filling;
}

// Empties table, records, header and inputs, as before a load.
void hcmEditMDI::emptyWindow()
{
    const bool filling = m_filling;
    m_filling = true;
    m_model->clear();
    m_file->clear();
    m_readerCodes.clear();
    m_headerReadCode = 0;
    clearRecordUi();
    clearHeaderUi();
    clearAllMarks();
    m_filling = filling;
    showTotal();
    m_ui.selectedCount->setText(tr("Selected: ") + QString::number(0));
}

void hcmEditMDI::cancelJob()
{
    m_cancel = true;
}

void hcmEditMDI::slotCanceled()
{
    // The job stops right after the notification that saw the cancel; wait
    // for it before its target is emptied.
    if (m_job)
        m_job->wait();
    m_cancel = false;
    m_loading = false;
    m_ui.tabDetails->setEnabled(true);
    emptyWindow();
    setStripVisible(false);
    emit signalSelectionChanged(0);
}

// ---- Jobs on the window's thread -------------------------------------------

void hcmEditMDI::startJob(const QString& text, int maximum)
{
    m_busy = true;
    m_cancel = false;
    m_ui.tabDetails->setEnabled(false);
    setStripVisible(true);
    m_ui.info->setText(text);
    m_ui.progress->setRange(0, std::max(maximum, 0));
    emit signalSetProgressValue(0);
    m_sinceYield.invalidate();
}

bool hcmEditMDI::jobStep(int value)
{
    if (!m_sinceYield.isValid() || m_sinceYield.elapsed() >= kYieldMs) {
        emit signalSetProgressValue(value);
        QCoreApplication::processEvents();
        m_sinceYield.start();
    }
    if (m_cancel) {
        m_cancel = false;
        return false;
    }
    return true;
}

void hcmEditMDI::finishJob()
{
    setStripVisible(false);
    m_busy = false;
    m_ui.tabDetails->setEnabled(true);
    if (m_closeWhenIdle)
        QTimer::singleShot(0, this, &hcmEditMDI::closeWhenIdle);
}

void hcmEditMDI::closeWhenIdle()
{
    m_closeWhenIdle = false;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

// ---- Writing --------------------------------------------------------------

bool hcmEditMDI::write(const QString& path, bool includeHeader, bool tableOrder)
{
    if (path.isEmpty() || m_loading || m_busy)
        return false;
    // The lines go to a temporary file that replaces the old one only when
    // everything was written: a cancelled or failed save loses nothing.
    HcmWriter writer(path);
    if (!writer.open())
        return false;
    const std::vector<int> numbers =
        tableOrder ? m_model->numbers() : m_model->numbersInNumberOrder();
    startJob(tr("Writing data..."), int(numbers.size()));
    if (includeHeader)
        writer.writeHeader(m_file->header());
    bool cancelled = false;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (!jobStep(int(i))) {
            cancelled = true;
            break;
        }
        if (const HCMRecord* record = m_file->recordAt(numbers[i]))
            writer.writeRecord(*record);
    }
    bool written = false;
    if (cancelled)
        writer.abandon();
    else
        written = writer.commit();
    finishJob();
    if (written)
        setModified(false);
    return written;
}

// ---- Whole-file check -------------------------------------------------------

void hcmEditMDI::checkSyntax()
{
    if (m_loading || m_busy)
        return;
    m_errorList->clear();
    FileCheck check(*m_file);
    check.setRecordNumbers(m_model->numbers());
    startJob(FileCheck::statusText(), rowCount());
    check.setProgress([this, &check](int value, int) {
        if (!jobStep(value))
            check.cancel();
    });
    check.run();

    // What the reader itself found comes first, as the command line lists it:
    // lines that did not parse as they should, for records still in the table.
    std::vector<bool> inTable(std::size_t(m_file->recordCount()), false);
    for (int n : m_model->numbers())
        inTable[std::size_t(n)] = true;
    int errors = check.errorCount();
    int warnings = check.warningCount();
    const auto listReaderCode = [&](int number, int code) {
        m_errorList->addItem(readerFindingText(number, code), number);
        (isWarningCode(code) ? warnings : errors) += 1;
    };
    if (m_headerReadCode != 0)
        listReaderCode(-1, m_headerReadCode);
    for (const LineCode& line : m_readerCodes) {
        if (line.recordNumber >= 0 && line.recordNumber < int(inTable.size())
            && inTable[std::size_t(line.recordNumber)])
            listReaderCode(line.recordNumber, line.code);
    }
    for (const FileCheckItem& item : check.items())
        m_errorList->addItem(item.text(), item.recordNumber);
    finishJob();

    if (m_errorList->itemCount() == 0) {
        UserPrompts::information(this, tr("Linkwise"),
                                 tr("No syntax errors found in the file\n") + displayName());
        return;
    }
    m_errorList->setResult(errors, warnings, displayName());
    m_errorList->show();
    m_errorList->raise();
}

// ---- Record operations ------------------------------------------------------

void hcmEditMDI::addRecord()
{
    if (m_loading || m_busy)
        return;
    m_filling = true;
    m_ui.twList->setSortingEnabled(false);
    const int row = m_records->addEmptyRecord(currentRow());
    const int number = m_model->numberAt(row);
    m_ui.twList->resizeColumnsToContents();
    showTotal();
    applySorting();
    m_filling = false;
    // The new record stays current wherever sorting put it.
    makeRowCurrent(m_model->rowOf(number));
    setModified(true);
    markCurrentOrClear();
    writeRowCountToHeader();
    selectionChanged();
}

void hcmEditMDI::appendNewLine(HCMRecord* rec)
{
    if (!rec)
        return;
    std::unique_ptr<HCMRecord> record(rec);
    if (m_loading || m_busy)
        return;
    m_filling = true;
    m_ui.twList->setSortingEnabled(false);
    const int row = m_records->appendRecord(std::move(record));
    m_filling = false;
    if (!m_batchAppend) {
        m_ui.twList->resizeColumnsToContents();
        makeRowCurrent(row);
    }
    writeRowCountToHeader();
    showTotal();
    setModified(true);
    if (!m_batchAppend)
        applySorting();
}

void hcmEditMDI::duplicateRecords()
{
    if (m_loading || m_busy)
        return;
    // The sources are taken before anything is appended: a re-sort after an
    // append must not change which records get copied.
    const std::vector<int> sources = m_records->numbersOfSpans(selectedSpans());
    if (sources.empty())
        return;
    m_ui.twList->setUpdatesEnabled(false);
    m_batchAppend = true;
    for (int source : sources)
        appendNewLine(m_records->copyOf(source).release());
    m_batchAppend = false;
    const int lastCopy = m_file->recordCount() - 1;
    m_ui.twList->resizeColumnsToContents();
    applySorting();
    makeRowCurrent(m_model->rowOf(lastCopy));
    m_ui.twList->setUpdatesEnabled(true);
    selectionChanged();
}

void hcmEditMDI::removeRecords()
{
    if (m_loading || m_busy)
        return;
    const std::vector<RowSpan> spans = selectedSpans();
    if (spans.empty())
        return;
    setModified(true);
    m_filling = true;
    m_ui.twList->setUpdatesEnabled(false);
    m_records->removeSpans(spans);
    m_ui.twList->setUpdatesEnabled(true);
    m_filling = false;
    writeRowCountToHeader();
    if (rowCount() > 0) {
        makeRowCurrent(0);
        showCurrentDetails();
    } else {
        m_ui.twList->selectionModel()->clear();
        clearRecordUi();
        clearAllMarks();
    }
    showTotal();
    selectionChanged();
}

void hcmEditMDI::setValue(const QString& fieldCode, const QString& value)
{
    if (m_loading || m_busy)
        return;
    HcmField field;
    if (!RecordListEditor::setValueField(fieldCode, field))
        return;
    std::vector<int> rows;
    for (const RowSpan& span : selectedSpans()) {
        for (int row = span.top; row <= span.bottom; ++row)
            rows.push_back(row);
    }
    if (m_records->setField(rows, field, fieldTextFromInput(value)) == 0)
        return;
    setModified(true);
    showCurrentDetails();
}

void hcmEditMDI::compareWith(const QString& path)
{
    // The comparison with an auxiliary file plugs in here.
    Q_UNUSED(path);
}

void hcmEditMDI::exportToGoogleEarth(bool showTower, const QString& dataFolder)
{
    if (m_loading || m_busy)
        return;
    showStationsOnGoogleEarth(this, *m_file, m_records->numbersOfSpans(selectedSpans()), showTower, dataFolder);
}

// ---- Table and selection ----------------------------------------------------

std::vector<RowSpan> hcmEditMDI::selectedSpans() const
{
    // A selection may hold overlapping ranges; each row must count once.
    std::vector<RowSpan> spans;
    for (const QItemSelectionRange& range : m_ui.twList->selectionModel()->selection())
        spans.push_back({range.top(), range.bottom()});
    std::sort(spans.begin(), spans.end(),
              [](const RowSpan& a, const RowSpan& b) { return a.top < b.top; });
    std::vector<RowSpan> disjoint;
    for (const RowSpan& span : spans) {
        if (!disjoint.empty() && span.top <= disjoint.back().bottom)
            disjoint.back().bottom = std::max(disjoint.back().bottom, span.bottom);
        else
            disjoint.push_back(span);
    }
    return disjoint;
}

int hcmEditMDI::selectedRowCount() const
{
    int count = 0;
    for (const RowSpan& span : selectedSpans())
        count += span.bottom - span.top + 1;
    return count;
}

std::vector<int> hcmEditMDI::selectedRecordNumbers() const
{
    std::vector<RowSpan> spans = selectedSpans();
    std::sort(spans.begin(), spans.end(),
              [](const RowSpan& a, const RowSpan& b) { return a.top < b.top; });
    std::vector<int> numbers;
    for (const RowSpan& span : spans) {
        for (int row = span.top; row <= span.bottom; ++row)
            numbers.push_back(m_model->numberAt(row));
    }
    return numbers;
}

void hcmEditMDI::selectionChanged()
{
    if (m_filling)
        return;
    const int count = selectedRowCount();
    m_ui.selectedCount->setText(tr("Selected: ") + QString::number(count));
    emit signalSelectionChanged(count);
}

void hcmEditMDI::makeRowCurrent(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const QModelIndex index = m_model->index(row, 0);
    m_ui.twList->setCurrentIndex(index);
    m_ui.twList->scrollTo(index);
}

void hcmEditMDI::showCurrentDetails()
{
    const int row = currentRow();
    if (row >= 0)
        showItemDetails(row, 0, -1, -1);
}

void hcmEditMDI::setCurrentRecord(int index)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        if (QMdiArea* area = sub->mdiArea()) {
            if (area->activeSubWindow() != sub)
                area->setActiveSubWindow(sub);
        }
    }
    const int row = m_model->rowOf(index);
    if (row >= 0)
        makeRowCurrent(row);
}

// ---- The current record -----------------------------------------------------

void hcmEditMDI::showItemDetails(int row, int col, int prow, int pcol)
{
    Q_UNUSED(col);
    Q_UNUSED(prow);
    Q_UNUSED(pcol);
    if (m_filling || row < 0)
        return;
    const HCMRecord* record = m_file->recordAt(m_model->numberAt(row));
    if (!record)
        return;
    showRecord(*record);
    if (m_options.checkOnEditing)
        markRecord(*record);
    emit signalSelectionChanged(selectedRowCount());
}

HCMRecord* hcmEditMDI::editableRecord() const
{
    if (m_filling || m_showing || m_loading || m_busy)
        return nullptr;
    return m_file->recordAt(m_model->numberAt(currentRow()));
}

void hcmEditMDI::showRecord(const HCMRecord& record)
{
    m_showing = true;
    for (const RecordInput& in : m_recordInputs)
        in.edit->setText(inputTextFromField(record.view(in.field)));
    for (const AntennaInput& in : m_antennaInputs)
        in.edit->setText(inputTextFromField(record.antenna().view(in.field)));
    m_ui.te13z->setPlainText(inputTextFromField(record.view(HcmField::Remarks)));
    showPattern(m_ui.tw9xco, m_ui.leRadPatCo, record.antenna().coPolar());
    showPattern(m_ui.tw9xcr, m_ui.leRadPatCr, record.antenna().crossPolar());
    m_showing = false;
    changeWidgetsState();
}

void hcmEditMDI::showPattern(QTableWidget* table, QComboBox* codeBox, const HCMPattern& pattern)
{
    const QSignalBlocker blockTable(table);
    table->clearContents();
    table->setRowCount(0);
    table->setHorizontalHeaderLabels({tr("Angle"), tr("Attenuation")});
    codeBox->setEditText(inputTextFromField(pattern.codeView()));
    const int count = pattern.count();
    table->setRowCount(count);
    for (int i = 0; i < count; ++i) {
        table->setItem(i, 0, new QTableWidgetItem(inputTextFromField(pattern.angleView(i))));
        table->setItem(i, 1, new QTableWidgetItem(inputTextFromField(pattern.attenuationView(i))));
    }
}

void hcmEditMDI::clearRecordUi()
{
    const bool showing = m_showing;
    m_showing = true;
    for (const RecordInput& in : m_recordInputs)
        in.edit->clear();
    for (const AntennaInput& in : m_antennaInputs)
        in.edit->clear();
    m_ui.te13z->clear();
    for (QTableWidget* table : {m_ui.tw9xco, m_ui.tw9xcr}) {
        const QSignalBlocker block(table);
        table->setRowCount(0);
    }
    m_ui.leRadPatCo->setEditText(QString());
    m_ui.leRadPatCr->setEditText(QString());
    m_showing = showing;
    changeWidgetsState();
}

void hcmEditMDI::markRecord(const HCMRecord& record)
{
    for (const RecordInput& in : m_recordInputs) {
        // 7G2 is never used; it is only checked when typed into.
        if (in.field != HcmField::Unused7G2)
            m_marker->mark(in.edit, checkRecordField(record, in.field));
    }
    m_marker->mark(m_ui.te13z, checkRecordField(record, HcmField::Remarks));
    const HCMAntenna& antenna = record.antenna();
    for (const AntennaInput& in : m_antennaInputs)
        m_marker->mark(in.edit, checkAntennaField(antenna, in.field));
    m_marker->mark(m_ui.leRadPatCo, checkPattern(antenna.coPolar()));
    m_marker->mark(m_ui.leRadPatCr, checkPattern(antenna.crossPolar()));
    markPatternCells(m_ui.tw9xco, antenna.coPolar());
    markPatternCells(m_ui.tw9xcr, antenna.crossPolar());
}

void hcmEditMDI::markPatternCells(QTableWidget* table, const HCMPattern& pattern)
{
    const QSignalBlocker block(table);
    const int rows = std::min(table->rowCount(), pattern.count());
    for (int row = 0; row < rows; ++row) {
        ensureItems(table, row);
        m_marker->markCell(table->item(row, 0), checkPointAngle(pattern, row));
        m_marker->markCell(table->item(row, 1), checkPointAttenuation(pattern, row));
    }
}

void hcmEditMDI::clearAllMarks()
{
    for (const RecordInput& in : m_recordInputs)
        m_marker->mark(in.edit, 0);
    for (const AntennaInput& in : m_antennaInputs)
        m_marker->mark(in.edit, 0);
    for (const HeaderInput& in : m_headerInputs)
        m_marker->mark(in.input, 0);
    m_marker->mark(m_ui.te13z, 0);
    m_marker->mark(m_ui.leRadPatCo, 0);
    m_marker->mark(m_ui.leRadPatCr, 0);
    for (QTableWidget* table : {m_ui.tw9xco, m_ui.tw9xcr}) {
        const QSignalBlocker block(table);
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column)
                m_marker->markCell(table->item(row, column), 0);
        }
    }
}

void hcmEditMDI::testHeader()
{
    const HCMHeader& header = m_file->header();
    for (const HeaderInput& in : m_headerInputs)
        m_marker->mark(in.input, checkHeaderField(header, in.field, rowCount()));
}

// ---- Field slots ----------------------------------------------------------------

void hcmEditMDI::afterRecordEdit()
{
    setModified(true);
    // The overview shows 4A, 0A, 1A, 1A1 and 13X of the record.
    m_model->refreshRow(currentRow());
}

void hcmEditMDI::editRecordField(QLineEdit* edit, HcmField field)
{
    HCMRecord* record = editableRecord();
    if (!record)
        return;
    record->setText(field, fieldTextFromInput(edit->text()));
    afterRecordEdit();
    if (m_options.checkOnEditing)
        m_marker->mark(edit, checkRecordField(*record, field));
}

void hcmEditMDI::editAntennaField(QLineEdit* edit, HCMAntenna::Field field)
{
    HCMRecord* record = editableRecord();
    if (!record)
        return;
    record->antenna().setText(field, fieldTextFromInput(edit->text()));
    afterRecordEdit();
    if (m_options.checkOnEditing)
        m_marker->mark(edit, checkAntennaField(record->antenna(), field));
}

void hcmEditMDI::markMask(const HCMRecord& record, bool frequencyFirst)
{
    for (int pass = 0; pass < 2; ++pass) {
        const bool frequencies = (pass == 0) == frequencyFirst;
        for (int n = 1; n <= 6; ++n) {
            if (frequencies)
                m_marker->mark(m_ui.le7gf[n - 1],
                               checkRecordField(record, HCMRecord::maskFrequencyField(n)));
            else
                m_marker->mark(m_ui.le7ga[n - 1],
                               checkRecordField(record, HCMRecord::maskAttenuationField(n)));
        }
    }
}

// A mask point's rules depend on the other points, so all twelve are checked.
void hcmEditMDI::editMaskPoint(QLineEdit* edit, HcmField field, bool frequencyFirst)
{
    HCMRecord* record = editableRecord();
    if (!record)
        return;
    record->setText(field, fieldTextFromInput(edit->text()));
    afterRecordEdit();
    if (m_options.checkOnEditing)
        markMask(*record, frequencyFirst);
}

void hcmEditMDI::assignMaskPoints(const QStringList& frequencies, const QStringList& attenuations)
{
    if (!editableRecord())
        return;
    for (int n = 1; n <= 6; ++n) {
        m_ui.le7gf[n - 1]->setText(frequencies.value(n - 1));
        editMaskPoint(m_ui.le7gf[n - 1], HCMRecord::maskFrequencyField(n), true);
        m_ui.le7ga[n - 1]->setText(attenuations.value(n - 1));
        editMaskPoint(m_ui.le7ga[n - 1], HCMRecord::maskAttenuationField(n), false);
    }
}

void hcmEditMDI::le0aChanged()
{
    HCMRecord* record = editableRecord();
    if (!record)
        return;
    record->setText(HcmField::TypeOfEntry, fieldTextFromInput(m_ui.le0a->text()));
    afterRecordEdit();
    // The type of entry decides which other fields are required.
    if (m_options.checkOnEditing)
        markRecord(*record);
}

void hcmEditMDI::le1a1Changed()
{
    HCMRecord* record = editableRecord();
    if (!record)
        return;
    record->setText(HcmField::FrequencyUnit, fieldTextFromInput(m_ui.le1a1->text()));
    afterRecordEdit();
    // The frequency is read in the unit's terms.
    if (m_options.checkOnEditing) {
        m_marker->mark(m_ui.le1a1, checkRecordField(*record, HcmField::FrequencyUnit));
        m_marker->mark(m_ui.le1a, checkRecordField(*record, HcmField::Frequency));
    }
}

void hcmEditMDI::le6aChanged() { editRecordField(m_ui.le6a, HcmField::ClassOfStation); }
void hcmEditMDI::le6bChanged() { editRecordField(m_ui.le6b, HcmField::NatureOfService); }
void hcmEditMDI::le6zChanged() { editRecordField(m_ui.le6z, HcmField::CategoryOfUse); }
void hcmEditMDI::le2cChanged() { editRecordField(m_ui.le2c, HcmField::DateInUse); }
void hcmEditMDI::le1aChanged() { editRecordField(m_ui.le1a, HcmField::Frequency); }
void hcmEditMDI::le1zChanged() { editRecordField(m_ui.le1z, HcmField::FrequencyCategory); }
void hcmEditMDI::le4aChanged() { editRecordField(m_ui.le4a, HcmField::StationName); }
void hcmEditMDI::le4zChanged() { editRecordField(m_ui.le4z, HcmField::SiteHeight); }
void hcmEditMDI::le7kChanged() { editRecordField(m_ui.le7k, HcmField::Capacity); }
void hcmEditMDI::le7aChanged() { editRecordField(m_ui.le7a, HcmField::Emission); }
void hcmEditMDI::le7g3Changed() { editRecordField(m_ui.le7g3, HcmField::ChannelSpacing); }
void hcmEditMDI::le9lChanged() { editRecordField(m_ui.le9l, HcmField::LineLosses); }
void hcmEditMDI::le9yChanged() { editRecordField(m_ui.le9y, HcmField::AntennaHeight); }
void hcmEditMDI::le13yChanged() { editRecordField(m_ui.le13y, HcmField::CoordinationStatus); }
void hcmEditMDI::le2wChanged() { editRecordField(m_ui.le2w, HcmField::CoordinationRequestDate); }
void hcmEditMDI::le2zChanged() { editRecordField(m_ui.le2z, HcmField::CoordinationFinalDate); }
void hcmEditMDI::le4bChanged() { editRecordField(m_ui.le4b, HcmField::Country); }
void hcmEditMDI::le9aChanged() { editRecordField(m_ui.le9a, HcmField::Azimuth); }
void hcmEditMDI::le9bChanged() { editRecordField(m_ui.le9b, HcmField::Elevation); }
void hcmEditMDI::le9dChanged() { editRecordField(m_ui.le9d, HcmField::Polarization); }
void hcmEditMDI::le7hChanged() { editRecordField(m_ui.le7h, HcmField::EquipmentManufacturer); }
void hcmEditMDI::le7iChanged() { editRecordField(m_ui.le7i, HcmField::EquipmentType); }
void hcmEditMDI::le8bChanged() { editRecordField(m_ui.le8b, HcmField::MaxPower); }
void hcmEditMDI::le8b3Changed() { editRecordField(m_ui.le8b3, HcmField::Atpc); }
void hcmEditMDI::le7g1Changed() { editRecordField(m_ui.le7g1, HcmField::EquipmentClass); }
void hcmEditMDI::le7g2Changed() { editRecordField(m_ui.le7g2, HcmField::Unused7G2); }
void hcmEditMDI::le9hChanged() { editRecordField(m_ui.le9h, HcmField::NoisePower); }
void hcmEditMDI::le13xChanged() { editRecordField(m_ui.le13x, HcmField::CoordinationReference); }
void hcmEditMDI::le4cloChanged() { editRecordField(m_ui.le4clo, HcmField::Longitude); }
void hcmEditMDI::le4claChanged() { editRecordField(m_ui.le4cla, HcmField::Latitude); }

void hcmEditMDI::le7gf1Changed() { editMaskPoint(m_ui.le7gf[0], HCMRecord::maskFrequencyField(1), true); }
void hcmEditMDI::le7gf2Changed() { editMaskPoint(m_ui.le7gf[1], HCMRecord::maskFrequencyField(2), true); }
void hcmEditMDI::le7gf3Changed() { editMaskPoint(m_ui.le7gf[2], HCMRecord::maskFrequencyField(3), true); }
void hcmEditMDI::le7gf4Changed() { editMaskPoint(m_ui.le7gf[3], HCMRecord::maskFrequencyField(4), true); }
void hcmEditMDI::le7gf5Changed() { editMaskPoint(m_ui.le7gf[4], HCMRecord::maskFrequencyField(5), true); }
void hcmEditMDI::le7gf6Changed() { editMaskPoint(m_ui.le7gf[5], HCMRecord::maskFrequencyField(6), true); }
void hcmEditMDI::le7ga1Changed() { editMaskPoint(m_ui.le7ga[0], HCMRecord::maskAttenuationField(1), false); }
void hcmEditMDI::le7ga2Changed() { editMaskPoint(m_ui.le7ga[1], HCMRecord::maskAttenuationField(2), false); }
void hcmEditMDI::le7ga3Changed() { editMaskPoint(m_ui.le7ga[2], HCMRecord::maskAttenuationField(3), false); }
void hcmEditMDI::le7ga4Changed() { editMaskPoint(m_ui.le7ga[3], HCMRecord::maskAttenuationField(4), false); }
void hcmEditMDI::le7ga5Changed() { editMaskPoint(m_ui.le7ga[4], HCMRecord::maskAttenuationField(5), false); }
void hcmEditMDI::le7ga6Changed() { editMaskPoint(m_ui.le7ga[5], HCMRecord::maskAttenuationField(6), false); }

void hcmEditMDI::le9xmChanged() { editAntennaField(m_ui.le9xm, HCMAntenna::Manufacturer); }
void hcmEditMDI::le9xtChanged() { editAntennaField(m_ui.le9xt, HCMAntenna::Type); }
void hcmEditMDI::le9xflChanged() { editAntennaField(m_ui.le9xfl, HCMAntenna::LowerFrequency); }
void hcmEditMDI::le9xfuChanged() { editAntennaField(m_ui.le9xfu, HCMAntenna::UpperFrequency); }
void hcmEditMDI::le9x1Changed() { editAntennaField(m_ui.le9x1, HCMAntenna::Gain); }

void hcmEditMDI::lete13zChanged()
{
    HCMRecord* record = editableRecord();
    if (!record)
        return;
    record->setText(HcmField::Remarks, fieldTextFromInput(m_ui.te13z->toPlainText()));
    afterRecordEdit();
    if (m_options.checkOnEditing)
        m_marker->mark(m_ui.te13z, checkRecordField(*record, HcmField::Remarks));
}

void hcmEditMDI::patternTableChanged(QTableWidget* table, QComboBox* codeBox, bool coPolar)
{
    HCMRecord* record = editableRecord();
    if (!record)
        return;
    HCMPattern& pattern = coPolar ? record->antenna().coPolar() : record->antenna().crossPolar();
    const QSignalBlocker block(table);
    pattern.clearPoints();
    for (int row = 0; row < table->rowCount(); ++row) {
        pattern.addPoint(fieldTextFromInput(cellText(table, row, 0)),
                         fieldTextFromInput(cellText(table, row, 1)), &m_checkSettings);
    }
    setModified(true);
    if (m_options.checkOnEditing) {
        markPatternCells(table, pattern);
        m_marker->mark(codeBox, checkPattern(pattern));
    }
}

void hcmEditMDI::patternCodeChanged(QComboBox* codeBox, bool coPolar)
{
    HCMRecord* record = editableRecord();
    if (!record)
        return;
    HCMPattern& pattern = coPolar ? record->antenna().coPolar() : record->antenna().crossPolar();
    pattern.setCode(fieldTextFromInput(codeBox->currentText()));
    setModified(true);
    if (m_options.checkOnEditing)
        m_marker->mark(codeBox, checkPattern(pattern));
}

void hcmEditMDI::tw9xcoChanged() { patternTableChanged(m_ui.tw9xco, m_ui.leRadPatCo, true); }
void hcmEditMDI::tw9xcrChanged() { patternTableChanged(m_ui.tw9xcr, m_ui.leRadPatCr, false); }
void hcmEditMDI::leradpatcoChanged() { patternCodeChanged(m_ui.leRadPatCo, true); }
void hcmEditMDI::leradpatcrChanged() { patternCodeChanged(m_ui.leRadPatCr, false); }

void hcmEditMDI::addPatternLine(QTableWidget* table)
{
    if (!editableRecord())
        return;
    const QSignalBlocker block(table);
    const int row = table->currentRow() + 1;
    table->insertRow(row);
    ensureItems(table, row);
    changeWidgetsState();
}

void hcmEditMDI::deletePatternLines(QTableWidget* table, bool coPolar)
{
    if (!editableRecord())
        return;
    std::vector<int> rows;
    for (const QTableWidgetSelectionRange& range : table->selectedRanges()) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    {
        const QSignalBlocker block(table);
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            table->removeRow(*it);
    }
    if (coPolar)
        tw9xcoChanged();
    else
        tw9xcrChanged();
    changeWidgetsState();
}

void hcmEditMDI::addAntennaCPLine() { addPatternLine(m_ui.tw9xco); }
void hcmEditMDI::addAntennaXPLine() { addPatternLine(m_ui.tw9xcr); }
void hcmEditMDI::deleteAntennaCPLines() { deletePatternLines(m_ui.tw9xco, true); }
void hcmEditMDI::deleteAntennaXPLines() { deletePatternLines(m_ui.tw9xcr, false); }

void hcmEditMDI::changeWidgetsState()
{
    m_ui.tbDelCp->setEnabled(m_ui.tw9xco->rowCount() > 0);
    m_ui.tbDelXp->setEnabled(m_ui.tw9xcr->rowCount() > 0);
}

// ---- Header slots -----------------------------------------------------------

void hcmEditMDI::editHeaderField(QWidget* input, HCMHeader::Field field, const QString& text)
{
    if (m_filling || m_busy || m_loading)
        return;
    setModified(true);
    HCMHeader& header = m_file->header();
    header.setText(field, fieldTextFromInput(text));
    if (m_options.checkOnEditing)
        m_marker->mark(input, checkHeaderField(header, field, rowCount()));
}

void hcmEditMDI::leFileNumberChanged()
{
    editHeaderField(m_ui.leFileNumber, HCMHeader::FileNumber, m_ui.leFileNumber->text());
}

void hcmEditMDI::leResponsiblePersonChanged()
{
    editHeaderField(m_ui.leResponsiblePerson, HCMHeader::ResponsiblePerson,
                    m_ui.leResponsiblePerson->text());
}

void hcmEditMDI::lePhoneChanged()
{
    editHeaderField(m_ui.lePhone, HCMHeader::Phone, m_ui.lePhone->text());
}

void hcmEditMDI::leTelefaxChanged()
{
    editHeaderField(m_ui.leTelefax, HCMHeader::Telefax, m_ui.leTelefax->text());
}

void hcmEditMDI::leEmailChanged()
{
    editHeaderField(m_ui.leEmail, HCMHeader::Email, m_ui.leEmail->text());
}

void hcmEditMDI::leNumberOfRecordsChanged()
{
    editHeaderField(m_ui.leNumberOfRecords, HCMHeader::NumberOfRecords,
                    m_ui.leNumberOfRecords->text());
}

void hcmEditMDI::leWritingDateChanged()
{
    editHeaderField(m_ui.leWritingDate, HCMHeader::WritingDate, m_ui.leWritingDate->text());
}

void hcmEditMDI::leCountryChanged()
{
    editHeaderField(m_ui.leCountry, HCMHeader::Country, m_ui.leCountry->text());
}

void hcmEditMDI::leFileContentsCodeChanged()
{
    editHeaderField(m_ui.leFileContentsCode, HCMHeader::FileContentsCode,
                    m_ui.leFileContentsCode->text());
}

void hcmEditMDI::teFileContentsChanged()
{
    editHeaderField(m_ui.teFileContents, HCMHeader::FileContents,
                    m_ui.teFileContents->toPlainText());
}

// ---- Closing ----------------------------------------------------------------

void hcmEditMDI::closeEvent(QCloseEvent* event)
{
    // A check or a write is running further up this thread's stack: stop it
    // and close once it has unwound.
    if (m_busy) {
        m_cancel = true;
        m_closeWhenIdle = true;
        event->ignore();
        return;
    }
    if (m_job && m_loading) {
        m_job->cancel();
        m_job->wait();
        m_loading = false;
    }
    if (m_modified) {
        const auto answer = UserPrompts::question(
            this, tr("Save file?"),
            changedFileText(m_fileName),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No);
        if (answer == QMessageBox::Yes) {
            if (m_fileName.isEmpty())
                emit saveAsRequested(this);
            else
                emit subWindowClosing(this);
            // Not saved after all (write failed, no name given): keep the
            // window and its changes.
            if (m_modified) {
                event->ignore();
                return;
            }
        }
    }
    m_errorList->close();
    event->accept();
}
