#ifndef HCMEDITMDI_H
#define HCMEDITMDI_H

#include "ui/editorwindow.h"
#include "hcmdocument.h"
#include "hcmeditmdiui.h"

#include <memory>
#include <vector>

class CdlgDetReport;
class ErrorListDlg;
class FieldMarker;
class HCMCompareDT;
class HCMFileCompare;
class HCMPattern;
class QComboBox;
class QTableWidget;
struct EditorField;

// Writes text into a line edit or a multi-line input.
void setInputText(QWidget* input, const QString& text);

// The editor window of one HCM file in the main window's MDI area: a view of
// its HcmDocument. It shows the overview table of the stations, one input
// per field of the current record (built from the field table), the file
// header, and a status strip with counts, progress and Cancel while the
// document runs a job. Typing into an input writes through the document and
// marks the input with the field's check.
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
    QString fileName() const override { return m_doc->fileName(); }
    void setFileName(const QString& path) override;
    bool includeHeader() const override { return m_doc->includeHeader(); }
    bool isModified() const override { return m_doc->isModified(); }
    void setModified(bool modified) override { m_doc->setModified(modified); }

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
    CheckOptions options() const { return m_doc->options(); }

    HcmDocument& document() { return *m_doc; }
    const HcmDocument& document() const { return *m_doc; }
    ErrorListDlg* errorList() const { return m_errorList; }
    HCMFileCompare* compareDialog() const { return m_compare; }
    HCMCompareDT* compareTable() const { return m_compareDT; }
    CdlgDetReport* textDialog() const { return m_textDialog; }
    // The selected rows as disjoint spans, top to bottom, and the record
    // numbers behind them in that order (Google Earth export).
    std::vector<RowSpan> selectedSpans() const;
    std::vector<int> selectedRecordNumbers() const;
    int selectedRowCount() const;
    const hcmEditMDIUi& ui() const { return m_ui; }

signals:
    void processCanceled();

public slots:
    // Shows the row of record number index and makes its window active.
    void setCurrentRecord(int index);
    // Appends the record (taking ownership) as a new last row.
    void appendNewLine(HCMRecord* rec);

private slots:
    void showItemDetails(int row, int col, int prow, int pcol);
    void cancelJob();
    void selectionChanged();
    void compareViewTotal();
    void compareViewNotFound();
    void compareViewFound();
    void doCompareAction();
    void testHeader();
    void clearHeaderUi();
    void deleteAntennaCPLines();
    void addAntennaCPLine();
    void deleteAntennaXPLines();
    void addAntennaXPLine();
    void changeWidgetsState();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectAll();
    void connectInputs();
    void setStripVisible(bool visible);
    void showTotal();
    void writeRowCountToHeader();
    QString displayName() const;
    void updateTitle(bool modified);

    // Document jobs.
    void taskStarted(HcmDocument::Task task, const QString& text, int maximum);
    void showProgress(int value, int maximum, const QString& text);
    void taskEnded(HcmDocument::Task task);
    void loadFinished(HcmDocument::LoadResult result);
    void checkFinished();
    void comparisonReady();
    void comparisonFailed(const QString& path);
    void actionFinished(HcmDocument::CompareAction action, bool cancelled);
    void showStationList(const QString& title, const QString& text);
    void showCompareCounts();
    void emptyWindow();
    void fillHeaderUi();

    // The current record and its inputs.
    int currentNumber() const;
    void inputEdited(std::size_t index);
    void showRecord(const HCMRecord& record);
    void showPattern(QTableWidget* table, QComboBox* codeBox, const HCMPattern& pattern);
    void clearRecordUi();
    void markRecord(const HCMRecord& record);
    void markAfterEdit(const EditorField& field, QWidget* input, const HCMRecord& record);
    void markPatternCells(QTableWidget* table, const HCMPattern& pattern);
    void clearAllMarks();
    void markCurrentOrClear();
    void patternTableChanged(bool coPolar);
    void patternCodeChanged(bool coPolar);
    void addPatternLine(QTableWidget* table);
    void deletePatternLines(bool coPolar);

    void makeRowCurrent(int row);
    void closeWindow();
    void showCurrentDetails();
    void applySorting();

    hcmEditMDIUi m_ui;
    HcmDocument* m_doc = nullptr;
    std::unique_ptr<FieldMarker> m_marker;
    ErrorListDlg* m_errorList = nullptr;
    HCMFileCompare* m_compare = nullptr;
    HCMCompareDT* m_compareDT = nullptr;
    CdlgDetReport* m_textDialog = nullptr;

    // Set while the program itself changes the table or the inputs, so that
    // the handlers of those changes leave the record alone.
    bool m_filling = false;
    bool m_showing = false;
    bool m_closeWhenIdle = false;
    bool m_batchAppend = false;
};

#endif
