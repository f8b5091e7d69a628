#ifndef HCMEDITMDI_H
#define HCMEDITMDI_H

#include "ui/editorwindow.h"
#include "hcm/checksettings.h"
#include "hcm/hcmantenna.h"
#include "hcm/hcmheader.h"
#include "hcm/hcmrecord.h"
#include "hcm/loadjob.h"
#include "hcmeditmdiui.h"
#include "progressthrottle.h"

#include <QElapsedTimer>

#include <atomic>
#include <memory>
#include <vector>

class ErrorListDlg;
class FieldMarker;
class HCMFile;
class HCMPattern;
class QComboBox;
class QLineEdit;
class QModelIndex;
class QTableWidget;
class RecordListEditor;
class RecordTableModel;
struct RowSpan;

// The editor window of one HCM file in the main window's MDI area: the
// overview table of its stations, one input per field of the current record,
// the file header, and a status strip with counts, progress and Cancel.
//
// It owns the file. Loading runs on a worker thread whose notifications reach
// this window as queued signals; the whole-file check and writing run here
// and let events through now and then so that Cancel is heard. While any of
// these runs the window is busy: the inputs are disabled and the record
// operations wait.
class hcmEditMDI : public EditorWindow
{
    Q_OBJECT
public:
    hcmEditMDI(bool checkOnEditing, bool calcErrors, bool formatErrors, bool valueWarnings,
               bool characterWarnings, bool checkOnLoading, QWidget* parent = nullptr);
    explicit hcmEditMDI(const CheckOptions& options, QWidget* parent = nullptr);
    ~hcmEditMDI() override;

    // A new window opens wide enough for the station list and fits the MDI
    // area of the main window at its first-start size.
    QSize sizeHint() const override { return QSize(840, 530); }

    int rowCount() const override;
    int currentRow() const override;
    QString fileName() const override { return m_fileName; }
    void setFileName(const QString& path) override;
    bool includeHeader() const override { return m_includeHeader; }
    bool isModified() const override { return m_modified; }
    void setModified(bool modified) override;

    bool load(const QString& path) override;
    bool write(const QString& path, bool includeHeader, bool tableOrder) override;

    void addRecord() override;
    void duplicateRecords() override;
    void removeRecords() override;
    void setValue(const QString& fieldCode, const QString& value) override;
    void checkSyntax() override;
    void compareWith(const QString& path) override;
    void exportToGoogleEarth(bool showTower, const QString& dataFolder) override;
    void setOptions(const CheckOptions& options) override;
    void assignMaskPoints(const QStringList& frequencies, const QStringList& attenuations) override;
    void setOptions(bool checkOnEditing, bool calcErrors, bool formatErrors, bool valueWarnings,
                    bool characterWarnings, bool checkOnLoading);
    CheckOptions options() const { return m_options; }
    CheckSettings checkSettings() const { return m_checkSettings; }

    // For the parts that work on the editor's file (comparison, export).
    HCMFile& file() { return *m_file; }
    const HCMFile& file() const { return *m_file; }
    RecordTableModel* tableModel() const { return m_model; }
    ErrorListDlg* errorList() const { return m_errorList; }
    // The record numbers of the selected rows, in table order.
    std::vector<int> selectedRecordNumbers() const;
    int selectedRowCount() const;
    bool isLoading() const { return m_loading; }
    bool isBusy() const { return m_busy; }
    const hcmEditMDIUi& ui() const { return m_ui; }

    // A long job on the window's thread, with the status strip: startJob
    // shows the text and a progress bar to maximum and makes the window busy;
    // jobStep moves the bar and lets events run now and then, and is false
    // once Cancel was pressed; finishJob hides the strip again.
    void startJob(const QString& text, int maximum);
    bool jobStep(int value);
    void finishJob();

signals:
    void signalTaskFinished(int task);
    void signalSetProgressValue(int value);
    void processCanceled();
    // The load job's progress, handed from the worker thread.
    void loadProgress(qint64 value, qint64 maximum, const QString& message);

public slots:
    // Shows the row of record number index and makes its window active.
    void setCurrentRecord(int index);
    // Appends the record (taking ownership) as a new last row.
    void appendNewLine(HCMRecord* rec);

private slots:
    void showItemDetails(int row, int col, int prow, int pcol);
    void cancelJob();
    void selectionChanged();
    void slotTaskFinished(int task);
    void testHeader();
    void clearHeaderUi();
    void deleteAntennaCPLines();
    void addAntennaCPLine();
    void deleteAntennaXPLines();
    void addAntennaXPLine();
    void slotCanceled();
    void changeWidgetsState();
    void le0aChanged();
    void le6aChanged();
    void le6bChanged();
    void le6zChanged();
    void le2cChanged();
    void le1aChanged();
    void le1a1Changed();
    void le1zChanged();
    void le4aChanged();
    void le4zChanged();
    void le7kChanged();
    void le7aChanged();
    void le7g3Changed();
    void le9lChanged();
    void le9yChanged();
    void le13yChanged();
    void le2wChanged();
    void le2zChanged();
    void le4bChanged();
    void le9aChanged();
    void le9bChanged();
    void le9dChanged();
    void le7hChanged();
    void le7iChanged();
    void le8bChanged();
    void le8b3Changed();
    void le7g1Changed();
    void le7g2Changed();
    void le9hChanged();
    void le7gf1Changed();
    void le7gf2Changed();
    void le7gf3Changed();
    void le7gf4Changed();
    void le7gf5Changed();
    void le7gf6Changed();
    void le7ga1Changed();
    void le7ga2Changed();
    void le7ga3Changed();
    void le7ga4Changed();
    void le7ga5Changed();
    void le7ga6Changed();
    void le9xmChanged();
    void le9xtChanged();
    void le9xflChanged();
    void le9xfuChanged();
    void le9x1Changed();
    void lete13zChanged();
    void le13xChanged();
    void le4cloChanged();
    void le4claChanged();
    void tw9xcoChanged();
    void leradpatcoChanged();
    void tw9xcrChanged();
    void leradpatcrChanged();
    void leFileNumberChanged();
    void leResponsiblePersonChanged();
    void lePhoneChanged();
    void leTelefaxChanged();
    void leEmailChanged();
    void leNumberOfRecordsChanged();
    void leWritingDateChanged();
    void leCountryChanged();
    void leFileContentsCodeChanged();
    void teFileContentsChanged();

    void showLoadProgress(qint64 value, qint64 maximum, const QString& message);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct RecordInput
    {
        QLineEdit* edit;
        HcmField field;
    };
    struct AntennaInput
    {
        QLineEdit* edit;
        HCMAntenna::Field field;
    };
    struct HeaderInput
    {
        QWidget* input;
        HCMHeader::Field field;
    };

    void build();
    void connectInputs();
    void buildInputTables();
    void setStripVisible(bool visible);
    void showTotal();
    void applySorting();

    // Loading and filling.
    void loadingNotified(qint64 value, qint64 maximum, const QString& message,
                         std::atomic_bool& cancel);
    void loadingFinished(int mode);
    void finishLoad();
    void refresh();
    void fillTable();
    void fillHeaderUi();
    void emptyWindow();

    // The current record and its inputs.
    HCMRecord* editableRecord() const;
    void showRecord(const HCMRecord& record);
    void showPattern(QTableWidget* table, QComboBox* codeBox, const HCMPattern& pattern);
    void clearRecordUi();
    void markRecord(const HCMRecord& record);
    void markPatternCells(QTableWidget* table, const HCMPattern& pattern);
    void clearAllMarks();
    void markCurrentOrClear();

    // Field slots.
    void editRecordField(QLineEdit* edit, HcmField field);
    void editAntennaField(QLineEdit* edit, HCMAntenna::Field field);
    void editMaskPoint(QLineEdit* edit, HcmField field, bool frequencyFirst);
    void markMask(const HCMRecord& record, bool frequencyFirst);
    void patternTableChanged(QTableWidget* table, QComboBox* codeBox, bool coPolar);
    void patternCodeChanged(QComboBox* codeBox, bool coPolar);
    void addPatternLine(QTableWidget* table);
    void deletePatternLines(QTableWidget* table, bool coPolar);
    void editHeaderField(QWidget* input, HCMHeader::Field field, const QString& text);
    void afterRecordEdit();

    // Table and selection.
    std::vector<RowSpan> selectedSpans() const;
    void makeRowCurrent(int row);
    void showCurrentDetails();
    void writeRowCountToHeader();
    QString displayName() const;
    void closeWhenIdle();

    hcmEditMDIUi m_ui;
    CheckOptions m_options;
    CheckSettings m_checkSettings = 0;
    std::unique_ptr<HCMFile> m_file;
    RecordTableModel* m_model = nullptr;
    std::unique_ptr<RecordListEditor> m_records;
    std::unique_ptr<FieldMarker> m_marker;
    ErrorListDlg* m_errorList = nullptr;

    std::vector<RecordInput> m_recordInputs;
    std::vector<AntennaInput> m_antennaInputs;
    std::vector<HeaderInput> m_headerInputs;

    QString m_fileName;
    bool m_includeHeader = true;
    bool m_modified = false;
    // Set while the program itself changes the table or the inputs, so that
    // the handlers of those changes leave the record alone.
    bool m_filling = false;
    bool m_showing = false;
    bool m_busy = false;
    bool m_loading = false;
    bool m_closeWhenIdle = false;
    bool m_batchAppend = false;
    // Written by Cancel on this thread, read by the load job's notifications
    // on the worker thread.
    std::atomic_bool m_cancel{false};

    std::unique_ptr<LoadJob> m_job;
    ProgressThrottle m_throttle; // used on the worker thread only
    std::vector<LineCode> m_readerCodes;
    int m_headerReadCode = 0;
    QElapsedTimer m_sinceYield;
};

#endif
