#include "hcmdocument.h"

#include "checks/checkclasses.h"
#include "hcm/hcmfile.h"
#include "hcm/hcmwriter.h"
#include "recordtablemodel.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QMutex>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <climits>

namespace {

// One lock for the load notifications of every document, so that the cancel
// flag and the hand-over to the GUI thread are seen in one piece.
QMutex& notifyMutex()
{
    static QMutex mutex;
    return mutex;
}

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

// How often the bar of a running job moves.
const int kProgressIntervalMs = 40;

} // namespace

HcmDocument::HcmDocument(const CheckOptions& options, QObject* parent)
    : QObject(parent), m_options(options), m_checkSettings(settingsWord(options))
{
    m_file = std::make_unique<HCMFile>(this, &m_checkSettings);
    m_model = new RecordTableModel(m_file.get(), this);
    m_records = std::make_unique<RecordListEditor>(*m_file, *m_model);
    m_progressTimer.setInterval(kProgressIntervalMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &HcmDocument::publishProgress);
    connect(this, &HcmDocument::loadNotified, this, &HcmDocument::onLoadNotified,
            Qt::QueuedConnection);
    connect(this, &HcmDocument::loadEnded, this, &HcmDocument::onLoadEnded, Qt::QueuedConnection);
}

HcmDocument::~HcmDocument()
{
    // Workers write into the files; they must be gone before the files are.
    m_cancel = true;
    if (m_job) {
        m_job->cancel();
        m_job->wait();
    }
    m_future.waitForFinished();
}

QString HcmDocument::taskText(Task task)
{
    switch (task) {
    case Checking: return QCoreApplication::translate("FileCheck", "Checking syntax...");
    case Saving: return tr("Writing data...");
    case Matching:
    case LoadingAuxiliary: return QCoreApplication::translate("LoadJob", "Loading file...");
    case DeletingMatched: return tr("Deleting data...");
    case AppendingUnmatched: return tr("Appending data...");
    case ReplacingMatched: return tr("Replacing data...");
    case ComparingDetails:
    case ListingStations: return tr("Loading data...");
    case Loading:
    case NoTask: break;
    }
    return QString();
}

// ---- State -------------------------------------------------------------------

void HcmDocument::setOptions(const CheckOptions& options)
{
    m_options = options;
    // Every record, antenna and pattern of the file reads this word.
    m_checkSettings = settingsWord(options);
}

void HcmDocument::setModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

HCMRecord* HcmDocument::recordOfRow(int row) const
{
    return m_file->recordAt(m_model->numberAt(row));
}

std::vector<int> HcmDocument::recordNumbersOfRows(const std::vector<RowSpan>& spans) const
{
    std::vector<int> numbers;
    for (const RowSpan& span : spans) {
        for (int row = span.top; row <= span.bottom; ++row) {
            const int n = m_model->numberAt(row);
            if (n >= 0)
                numbers.push_back(n);
        }
    }
    return numbers;
}

// ---- Edits -------------------------------------------------------------------

bool HcmDocument::editableRecord(int number, HCMRecord*& record)
{
    record = isBusy() ? nullptr : m_file->recordAt(number);
    return record != nullptr;
}

void HcmDocument::afterRecordEdit(int number)
{
    setModified(true);
    // The overview shows 4A, 0A, 1A, 1A1 and 13X of the record.
    m_model->refreshRow(m_model->rowOf(number));
}

bool HcmDocument::setRecordText(int number, HcmField field, const QString& text)
{
    HCMRecord* record;
    if (!editableRecord(number, record))
        return false;
    record->setText(field, fieldTextFromInput(text));
    afterRecordEdit(number);
    return true;
}

bool HcmDocument::setRecordTexts(int number,
                                 const std::vector<std::pair<HcmField, QString>>& texts)
{
    HCMRecord* record;
    if (!editableRecord(number, record))
        return false;
    for (const auto& [field, text] : texts)
        record->setText(field, fieldTextFromInput(text));
    afterRecordEdit(number);
    emit recordsChanged();
    return true;
}

bool HcmDocument::setAntennaText(int number, HCMAntenna::Field field, const QString& text)
{
    HCMRecord* record;
    if (!editableRecord(number, record))
        return false;
    record->antenna().setText(field, fieldTextFromInput(text));
    afterRecordEdit(number);
    return true;
}

bool HcmDocument::setPatternCode(int number, bool coPolar, const QString& code)
{
    HCMRecord* record;
    if (!editableRecord(number, record))
        return false;
    HCMAntenna& antenna = record->antenna();
    (coPolar ? antenna.coPolar() : antenna.crossPolar()).setCode(fieldTextFromInput(code));
    setModified(true);
    return true;
}

bool HcmDocument::setPatternPoints(int number, bool coPolar,
                                   const std::vector<std::pair<QString, QString>>& points)
{
    HCMRecord* record;
    if (!editableRecord(number, record))
        return false;
    HCMAntenna& antenna = record->antenna();
    HCMPattern& pattern = coPolar ? antenna.coPolar() : antenna.crossPolar();
    pattern.clearPoints();
    for (const auto& [angle, attenuation] : points)
        pattern.addPoint(fieldTextFromInput(angle), fieldTextFromInput(attenuation),
                         &m_checkSettings);
    setModified(true);
    return true;
}

bool HcmDocument::setHeaderText(HCMHeader::Field field, const QString& text)
{
    if (isBusy())
        return false;
    m_file->header().setText(field, fieldTextFromInput(text));
    setModified(true);
    return true;
}

// ---- Running jobs --------------------------------------------------------------

void HcmDocument::runTask(Task task, int maximum, Work work, Work done)
{
    m_task = task;
    m_cancel = false;
    m_progress = 0;
    m_maximum = std::max(maximum, 0);
    m_taskText = taskText(task);
    m_done = std::move(done);
    emit taskStarted(task, m_taskText, m_maximum);
    m_progressTimer.start();
    m_future = QtConcurrent::run(std::move(work));
    auto* watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcher<void>::finished, this, [this, watcher] {
        watcher->deleteLater();
        taskDone();
    });
    watcher->setFuture(m_future);
}

bool HcmDocument::step(int value)
{
    m_progress.store(value, std::memory_order_relaxed);
    if (m_stepObserver)
        m_stepObserver(value);
    return !m_cancel.load(std::memory_order_relaxed);
}

void HcmDocument::publishProgress()
{
    emit progressChanged(m_progress, m_maximum, m_taskText);
}

void HcmDocument::taskDone()
{
    m_progressTimer.stop();
    const Task task = m_task;
    const bool cancelled = m_cancel;
    Work done = std::move(m_done);
    m_done = nullptr;
    // The results go into the model while the document still counts as
    // busy; the result signals come after the end of the task, so that
    // their receivers may start the next one.
    if (done)
        done();
    m_task = NoTask;
    m_cancel = false;
    emit taskEnded(task);
    switch (task) {
    case Checking: emit checkFinished(); break;
    case Saving: emit saveFinished(m_saved); break;
    case Matching: emit comparisonReady(); break;
    case DeletingMatched:
    case ReplacingMatched:
    case AppendingUnmatched:
    case ComparingDetails:
        emit actionFinished(CompareAction(task - DeletingMatched), cancelled);
        break;
    case ListingStations:
        emit stationListReady(stationListTitle(m_list), m_listText, cancelled);
        m_listText.clear();
        break;
    default: break;
    }
}

// ---- Loading -------------------------------------------------------------------

bool HcmDocument::startLoadJob(int mode, const QString& path, HCMFile* target)
{
    m_throttle.reset();
    m_job = std::make_unique<LoadJob>();
    m_job->mode = mode;
    m_job->fileName = path;
    m_job->target = target;
    m_job->checkSettings = &m_checkSettings;
    // Worker thread: the lock keeps a cancel and its notice in one piece.
    m_job->progress = [this](qint64 value, qint64 maximum, const QString& message,
                             std::atomic_bool& cancel) {
        QMutexLocker lock(&notifyMutex());
        if (m_cancel) {
            cancel = true;
            emit loadEnded(0);
            return;
        }
        if (m_throttle.pass(value, maximum, message))
            emit loadNotified(value, maximum, message);
    };
    m_job->finished = [this](int jobMode) {
        QMutexLocker lock(&notifyMutex());
        emit loadEnded(jobMode);
    };
    m_cancel = false;
    m_task = mode == LoadJob::EditorFile ? Loading : LoadingAuxiliary;
    emit taskStarted(m_task, taskText(m_task), 100);
    if (m_job->start())
        return true;
    const Task task = m_task;
    m_task = NoTask;
    emit taskEnded(task);
    return false;
}

bool HcmDocument::load(const QString& path)
{
    if (isBusy())
        return false;
    m_fileName = path;
    m_model->clear();
    m_file->clear();
    m_readerCodes.clear();
    m_headerReadCode = 0;
    m_findings = FindingList();
    return startLoadJob(LoadJob::EditorFile, path, m_file.get());
}

void HcmDocument::onLoadNotified(qint64 value, qint64 maximum, const QString& message)
{
    if (m_task != Loading && m_task != LoadingAuxiliary)
        return;
    // The bar counts in int; a file beyond 2 GB is shown in coarser steps.
    const qint64 scale = maximum > INT_MAX ? maximum / INT_MAX + 1 : 1;
    emit progressChanged(int(value / scale), int(maximum / scale), message);
}

void HcmDocument::onLoadEnded(int mode)
{
    if (!m_job || (m_task != Loading && m_task != LoadingAuxiliary))
        return;
    // The job stops right after the notification that saw the cancel.
    m_job->wait();
    Q_UNUSED(mode);
    if (m_task == Loading)
        finishLoad();
    else
        finishAuxiliaryLoad();
}

void HcmDocument::finishLoad()
{
    const bool cancelled = m_cancel;
    const int status = m_job->status();
    m_task = NoTask;
    m_cancel = false;
    LoadResult result = Loaded;
    if (cancelled || status == LoadJob::Unreadable) {
        // Cancel after the last line still counts as cancelled.
        m_file->clear();
        result = cancelled ? Cancelled : Unreadable;
    } else {
        m_includeHeader = m_job->headerPresent();
        m_headerReadCode = status == LoadJob::Started ? 0 : status;
        m_readerCodes = m_job->lineCodes();
        m_model->fill();
    }
    setModified(false);
    emit taskEnded(Loading);
    emit loadFinished(result);
}

// ---- Whole-file check ---------------------------------------------------------

bool HcmDocument::startCheck()
{
    if (isBusy())
        return false;
    const std::vector<int> rows = m_model->numbers();
    runTask(
        Checking, int(rows.size()),
        [this, rows] {
            m_findings = collectFindings(*m_file, rows, m_headerReadCode, m_readerCodes,
                                         [this](int value, int) { step(value); }, &m_cancel);
        },
        {});
    return true;
}

// ---- Saving --------------------------------------------------------------------

bool HcmDocument::startSave(const QString& path, bool withHeader, bool tableOrder)
{
    if (path.isEmpty() || isBusy())
        return false;
    // The lines go to a temporary file that replaces the old one only when
    // everything was written: a cancelled or failed save loses nothing.
    auto writer = std::make_shared<HcmWriter>(path);
    if (!writer->open())
        return false;
    const std::vector<int> numbers =
        tableOrder ? m_model->numbers() : m_model->numbersInNumberOrder();
    m_saved = false;
    runTask(
        Saving, int(numbers.size()),
        [this, writer, numbers, withHeader] {
            if (withHeader)
                writer->writeHeader(m_file->header());
            for (std::size_t i = 0; i < numbers.size(); ++i) {
                if (!step(int(i))) {
                    writer->abandon();
                    return;
                }
                if (const HCMRecord* record = m_file->recordAt(numbers[i]))
                    writer->writeRecord(*record);
            }
            m_saved = writer->commit();
        },
        [this] {
            if (m_saved)
                setModified(false);
        });
    return true;
}

bool HcmDocument::save(const QString& path, bool withHeader, bool tableOrder)
{
    if (!startSave(path, withHeader, tableOrder))
        return false;
    QEventLoop loop;
    connect(this, &HcmDocument::saveFinished, &loop, &QEventLoop::quit);
    if (m_task == Saving)
        loop.exec();
    return m_saved;
}
