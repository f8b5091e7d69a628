#ifndef HCMDOCUMENT_H
#define HCMDOCUMENT_H

#include "checks/checkoptions.h"
#include "checks/findings.h"
#include "compare/filecomparison.h"
#include "hcm/checksettings.h"
#include "hcm/hcmantenna.h"
#include "hcm/hcmheader.h"
#include "hcm/hcmrecord.h"
#include "hcm/loadjob.h"
#include "progressthrottle.h"
#include "recordlisteditor.h"

#include <QFuture>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class HCMFile;
class RecordTableModel;

// The file behind an editor window, without any widget: the HCMFile, the
// overview table's model, the record operations, the check options, the
// modified flag, and the long jobs on the file (load, whole-file check, save,
// comparison with an auxiliary file).
//
// Every long job runs on a worker thread; the document is busy meanwhile and
// refuses edits and other jobs. Progress reaches the GUI thread a few times a
// second through progressChanged, and cancel() stops a job before its next
// item. Whatever a job must change in the model is changed on the GUI thread
// when the job ends, so a view never sees the table half-changed.
class HcmDocument : public QObject
{
    Q_OBJECT
public:
    enum Task {
        NoTask,
        Loading,
        Checking,
        Saving,
        LoadingAuxiliary,
        Matching,
        DeletingMatched,
        AppendingUnmatched,
        ReplacingMatched,
        ComparingDetails,
        ListingStations
    };
    // The actions on a comparison, as the summary's combo box numbers them.
    enum CompareAction { DeleteMatched, AppendUnmatched, ReplaceMatched, DetailedComparison };
    enum LoadResult { Loaded, Unreadable, Cancelled };

    explicit HcmDocument(const CheckOptions& options = CheckOptions(), QObject* parent = nullptr);
    ~HcmDocument() override;

    HCMFile& file() { return *m_file; }
    const HCMFile& file() const { return *m_file; }
    RecordTableModel* model() const { return m_model; }
    RecordListEditor& records() { return *m_records; }
    // The record behind a table row, null outside the table.
    HCMRecord* recordOfRow(int row) const;
    // The record numbers behind the given rows, span by span, top to bottom.
    std::vector<int> recordNumbersOfRows(const std::vector<RowSpan>& spans) const;

    const CheckOptions& options() const { return m_options; }
    void setOptions(const CheckOptions& options);
    CheckSettings checkSettings() const { return m_checkSettings; }
    const CheckSettings* checkSettingsWord() const { return &m_checkSettings; }

    QString fileName() const { return m_fileName; }
    void setFileName(const QString& path) { m_fileName = path; }
    bool includeHeader() const { return m_includeHeader; }
    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    bool isBusy() const { return m_task != NoTask; }
    Task task() const { return m_task; }
    void cancel() { m_cancel = true; }
    // Called on the worker thread before each item of a job (tests use it to
    // cancel at a known item).
    void setStepObserver(std::function<void(int value)> observer)
    {
        m_stepObserver = std::move(observer);
    }

    // ---- Edits, as if typed into the window's inputs. Each writes the text,
    // refreshes the record's row and marks the document modified; false while
    // busy or when there is no such record.
    bool setRecordText(int number, HcmField field, const QString& text);
    bool setAntennaText(int number, HCMAntenna::Field field, const QString& text);
    bool setPatternCode(int number, bool coPolar, const QString& code);
    bool setPatternPoints(int number, bool coPolar,
                          const std::vector<std::pair<QString, QString>>& points);
    bool setHeaderText(HCMHeader::Field field, const QString& text);
    // Several fields of one record at once (a mask copied into it): written
    // as if typed, then recordsChanged tells the views to show them.
    bool setRecordTexts(int number, const std::vector<std::pair<HcmField, QString>>& texts);

    // ---- Jobs. Each returns false when it cannot start (busy, bad input).
    // Starts reading path into the (emptied) file; loadFinished follows.
    bool load(const QString& path);
    // The whole-file check over the table's rows; checkFinished follows.
    bool startCheck();
    const FindingList& findings() const { return m_findings; }
    // Writes the records that have a row, in table or number order, through
    // a temporary file; saveFinished follows. save() waits for it, letting
    // the caller's events run, and returns whether it was written.
    bool startSave(const QString& path, bool withHeader, bool tableOrder);
    bool save(const QString& path, bool withHeader, bool tableOrder);

    // ---- Comparison with an auxiliary file (kept until the next one).
    // Reads path as the auxiliary file, then pairs its records with this
    // file's rows; comparisonReady or comparisonFailed follows (with the
    // path when it could not be read, empty when the read was cancelled).
    bool compareWith(const QString& path);
    const HCMFile* auxiliary() const;
    QString auxiliaryPath() const { return m_auxPath; }
    const std::vector<ComparePair>& pairs() const { return m_pairs; }
    int auxiliaryCount() const;
    // Starts one action; actionFinished follows. Each action stands alone.
    bool startCompareAction(CompareAction action);
    const std::vector<PairDifferences>& differences() const { return m_differences; }
    bool startStationList(StationList list);

    // The texts of the running job, shown beside its progress bar.
    static QString taskText(Task task);

signals:
    void modifiedChanged(bool modified);
    void taskStarted(HcmDocument::Task task, const QString& text, int maximum);
    void progressChanged(int value, int maximum, const QString& text);
    void taskEnded(HcmDocument::Task task);
    void loadFinished(HcmDocument::LoadResult result);
    void checkFinished();
    void saveFinished(bool written);
    void comparisonReady();
    void comparisonFailed(const QString& path);
    void actionFinished(HcmDocument::CompareAction action, bool cancelled);
    void stationListReady(const QString& title, const QString& text, bool cancelled);
    // Records changed other than through the window's inputs (comparison,
    // setRecordTexts).
    void recordsChanged();
    // Load job hand-over from the worker thread.
    void loadNotified(qint64 value, qint64 maximum, const QString& message);
    void loadEnded(int mode);

private:
    using Work = std::function<void()>;
    // Runs work on a worker thread as task, then done on this thread.
    void runTask(Task task, int maximum, Work work, Work done);
    // For the worker: publishes progress; false once cancel was asked.
    bool step(int value);
    void publishProgress();
    void taskDone();
    bool startLoadJob(int mode, const QString& path, HCMFile* target);
    void onLoadNotified(qint64 value, qint64 maximum, const QString& message);
    void onLoadEnded(int mode);
    void finishLoad();
    void finishAuxiliaryLoad();
    void runMatching();
    void runDelete();
    void runAppend();
    void runReplace();
    void runDetails();
    bool editableRecord(int number, HCMRecord*& record);
    void afterRecordEdit(int number);
    void rowsChanged();

    CheckOptions m_options;
    CheckSettings m_checkSettings = 0;
    std::unique_ptr<HCMFile> m_file;
    RecordTableModel* m_model = nullptr;
    std::unique_ptr<RecordListEditor> m_records;

    QString m_fileName;
    bool m_includeHeader = true;
    bool m_modified = false;

    Task m_task = NoTask;
    QString m_taskText;
    std::atomic_bool m_cancel{false};
    std::atomic_int m_progress{0};
    int m_maximum = 0;
    QTimer m_progressTimer;
    QFuture<void> m_future;
    Work m_done;
    std::function<void(int)> m_stepObserver;

    std::unique_ptr<LoadJob> m_job;
    ProgressThrottle m_throttle; // worker thread only
    std::vector<LineCode> m_readerCodes;
    int m_headerReadCode = 0;
    FindingList m_findings;
    bool m_saved = false;

    QString m_auxPath;
    std::vector<ComparePair> m_pairs;
    std::vector<PairDifferences> m_differences;
    // Results a comparison worker hands to the GUI thread.
    std::vector<int> m_doneNumbers;
    std::vector<std::unique_ptr<HCMRecord>> m_newRecords;
    std::size_t m_pairsDone = 0;
    QString m_listText;
    StationList m_list = StationList::All;
};

#endif
