#include "hcmeditmdi.h"

#include "ui/userprompts.h"
#include "calc/cdlgdetreport.h"
#include "checks/antennachecks.h"
#include "checks/errorlistdlg.h"
#include "checks/headerchecks.h"
#include "checks/recordcheck.h"
#include "compare/hcmcomparedt.h"
#include "compare/hcmfilecompare.h"
#include "editorfields.h"
#include "fieldmarker.h"
#include "hcm/hcmfile.h"
#include "hcm/hcmfilesniff.h"
#include "kml/googleearthexport.h"
#include "nonhcmfileprompt.h"
#include "recordtablemodel.h"
#include "ui/changedfiletext.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

bool isCompareAction(HcmDocument::Task task)
{
    return task >= HcmDocument::DeletingMatched && task <= HcmDocument::ReplacingMatched;
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

    m_doc = new HcmDocument(options, this);
    m_ui.twList->setModel(m_doc->model());
    m_ui.twList->setSortingEnabled(true);
    m_ui.twList->sortByColumn(RecordTableModel::NumberColumn, Qt::AscendingOrder);
    m_marker = std::make_unique<FieldMarker>(m_ui.inputs.front()->palette());

    clearHeaderUi();
    if (options.checkOnEditing)
        testHeader();
    m_errorList = new ErrorListDlg(this);
    m_compare = new HCMFileCompare(this);
    m_compareDT = new HCMCompareDT(this);
    m_textDialog = new CdlgDetReport(this);
    connectAll();
    writeRowCountToHeader();
    setModified(false);
    changeWidgetsState();
}

hcmEditMDI::~hcmEditMDI() = default;

void hcmEditMDI::connectInputs()
{
    const std::vector<EditorField>& fields = editorFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        QWidget* input = m_ui.inputs[i];
        const auto edited = [this, i] { inputEdited(i); };
        if (auto* plain = qobject_cast<QPlainTextEdit*>(input))
            connect(plain, &QPlainTextEdit::textChanged, this, edited);
        // The record count is written here by the program as well, so every change counts.
        else if (qstrcmp(fields[i].name, "leNumberOfRecords") == 0)
            connect(static_cast<QLineEdit*>(input), &QLineEdit::textChanged, this, edited);
        else
            connect(static_cast<QLineEdit*>(input), &QLineEdit::textEdited, this, edited);
    }
    connect(m_ui.tw9xco, &QTableWidget::itemChanged, this, [this] { patternTableChanged(true); });
    connect(m_ui.tw9xcr, &QTableWidget::itemChanged, this, [this] { patternTableChanged(false); });
    connect(m_ui.leRadPatCo, &QComboBox::editTextChanged, this, [this] { patternCodeChanged(true); });
    connect(m_ui.leRadPatCr, &QComboBox::editTextChanged, this, [this] { patternCodeChanged(false); });
    connect(m_ui.tbDelCp, &QToolButton::clicked, this, &hcmEditMDI::deleteAntennaCPLines);
    connect(m_ui.pbAddCp, &QPushButton::clicked, this, &hcmEditMDI::addAntennaCPLine);
    connect(m_ui.tbDelXp, &QToolButton::clicked, this, &hcmEditMDI::deleteAntennaXPLines);
    connect(m_ui.pbAddXp, &QPushButton::clicked, this, &hcmEditMDI::addAntennaXPLine);
}

void hcmEditMDI::connectAll()
{
    connectInputs();
    QItemSelectionModel* selection = m_ui.twList->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                showItemDetails(current.row(), current.column(), previous.row(),
                                previous.column());
            });
    connect(selection, &QItemSelectionModel::selectionChanged, this,
            &hcmEditMDI::selectionChanged);
    connect(m_ui.buttonCancel, &QPushButton::clicked, this, &hcmEditMDI::cancelJob);
    connect(m_errorList, &ErrorListDlg::itemDoubleclicked, this, &hcmEditMDI::setCurrentRecord);

    HcmDocument* d = m_doc;
    connect(d, &HcmDocument::modifiedChanged, this, &hcmEditMDI::updateTitle);
    connect(d, &HcmDocument::taskStarted, this, &hcmEditMDI::taskStarted);
    connect(d, &HcmDocument::progressChanged, this, &hcmEditMDI::showProgress);
    connect(d, &HcmDocument::taskEnded, this, &hcmEditMDI::taskEnded);
    connect(d, &HcmDocument::loadFinished, this, &hcmEditMDI::loadFinished);
    connect(d, &HcmDocument::checkFinished, this, &hcmEditMDI::checkFinished);
    connect(d, &HcmDocument::comparisonReady, this, &hcmEditMDI::comparisonReady);
    connect(d, &HcmDocument::comparisonFailed, this, &hcmEditMDI::comparisonFailed);
    connect(d, &HcmDocument::actionFinished, this, &hcmEditMDI::actionFinished);
    connect(d, &HcmDocument::stationListReady, this, &hcmEditMDI::showStationList);
    connect(d, &HcmDocument::recordsChanged, this, &hcmEditMDI::showCurrentDetails);

    connect(m_compare, &HCMFileCompare::viewTotal, this, &hcmEditMDI::compareViewTotal);
    connect(m_compare, &HCMFileCompare::viewFound, this, &hcmEditMDI::compareViewFound);
    connect(m_compare, &HCMFileCompare::viewNotFound, this, &hcmEditMDI::compareViewNotFound);
    connect(m_compare, &HCMFileCompare::doAction, this, &hcmEditMDI::doCompareAction);
    connect(m_compareDT, &HCMCompareDT::itemDoubleclicked, this, &hcmEditMDI::setCurrentRecord);
}

// ---- State --------------------------------------------------------------

int hcmEditMDI::rowCount() const
{
    return m_doc->model()->rowCount();
}

int hcmEditMDI::currentRow() const
{
    return m_ui.twList->currentIndex().row();
}

int hcmEditMDI::currentNumber() const
{
    return m_doc->model()->numberAt(currentRow());
}

void hcmEditMDI::setFileName(const QString& path)
{
    m_doc->setFileName(path);
    const QString name = QDir(path).dirName();
    setWindowTitle(isModified() ? name + QStringLiteral(" *") : name);
    if (windowAction())
        windowAction()->setText(name);
}

void hcmEditMDI::updateTitle(bool modified)
{
    const QString title = windowTitle();
    if (modified) {
        setWindowTitle(title + QStringLiteral(" *"));
    } else {
        const qsizetype mark = title.indexOf(QStringLiteral(" *"));
        if (mark >= 0)
            setWindowTitle(title.left(mark));
    }
}

QString hcmEditMDI::displayName() const
{
    return fileName().isEmpty() ? tr("no name") : QFileInfo(fileName()).fileName();
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
    m_ui.input("leNumberOfRecords")->setProperty("text", QString::number(rowCount()));
}

void hcmEditMDI::setOptions(const CheckOptions& options)
{
    m_doc->setOptions(options);
    markCurrentOrClear();
}

void hcmEditMDI::markCurrentOrClear()
{
    const HCMRecord* record = m_doc->isBusy() ? nullptr : m_doc->recordOfRow(currentRow());
    if (options().checkOnEditing && record) {
        testHeader();
        markRecord(*record);
    } else {
        clearAllMarks();
    }
}

// ---- Document jobs -----------------------------------------------------------

void hcmEditMDI::taskStarted(HcmDocument::Task task, const QString& text, int maximum)
{
    m_ui.tabDetails->setEnabled(false);
    setStripVisible(true);
    m_ui.info->setText(text);
    m_ui.progress->setRange(0, std::max(maximum, 0));
    m_ui.progress->setValue(0);
    if (task == HcmDocument::Loading)
        m_ui.twList->setSortingEnabled(false);
    // An action changes many rows; the table shows them once it is done.
    if (isCompareAction(task)) {
        m_ui.twList->blockSignals(true);
        m_ui.twList->setUpdatesEnabled(false);
    }
}

void hcmEditMDI::showProgress(int value, int maximum, const QString& text)
{
    if (m_ui.info->text() != text)
        m_ui.info->setText(text);
    if (m_ui.progress->maximum() != maximum)
        m_ui.progress->setRange(0, maximum);
    m_ui.progress->setValue(value);
}

void hcmEditMDI::taskEnded(HcmDocument::Task task)
{
    setStripVisible(false);
    m_ui.tabDetails->setEnabled(true);
    if (isCompareAction(task)) {
        m_ui.twList->blockSignals(false);
        m_ui.twList->setUpdatesEnabled(true);
        m_ui.twList->resizeColumnsToContents();
        showTotal();
        fillHeaderUi();
        if (options().checkOnEditing)
            testHeader();
        selectionChanged();
    }
    if (m_closeWhenIdle) {
        m_closeWhenIdle = false;
        QTimer::singleShot(0, this, &hcmEditMDI::closeWindow);
    }
}

// The window lives in a sub-window of the main window's MDI area, which is
// what has to close.
void hcmEditMDI::closeWindow()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

bool hcmEditMDI::load(const QString& path)
{
    if (m_doc->isBusy())
        return false;
    setFileName(path);
    emptyWindow();
    if (m_doc->load(path))
        return true;
    applySorting();
    return false;
}

void hcmEditMDI::loadFinished(HcmDocument::LoadResult result)
{
    applySorting();
    if (result != HcmDocument::Loaded) {
        emptyWindow();
        emit signalSelectionChanged(0);
        if (result == HcmDocument::Unreadable)
            UserPrompts::warning(this, tr("Linkwise"), tr("Could not load file:\n") + fileName());
        return;
    }
    m_ui.twList->resizeColumnsToContents();
    fillHeaderUi();
    if (options().checkOnEditing)
        testHeader();
    showTotal();
    selectionChanged();
    // The field pages show the first station rather than nothing.
    makeRowCurrent(0);
    if (options().checkOnLoading)
        checkSyntax();
    if (!looksLikeHcmFile(fileName()) && !keepWindowOfNonHcmFile(this, fileName()))
        QTimer::singleShot(0, this, &hcmEditMDI::closeWindow);
}

void hcmEditMDI::fillHeaderUi()
{
    const bool showing = m_showing;
    m_showing = true;
    const std::vector<EditorField>& fields = editorFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].target == InputTarget::Header)
            setInputText(m_ui.inputs[i], inputTextFromField(m_doc->file().header().view(
                                             HCMHeader::Field(fields[i].field))));
    }
    m_showing = showing;
}

void hcmEditMDI::clearHeaderUi()
{
    const bool showing = m_showing;
    m_showing = true;
    const std::vector<EditorField>& fields = editorFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].target == InputTarget::Header)
            setInputText(m_ui.inputs[i], QString());
    }
    m_showing = showing;
}

// Empties table, header and inputs, as before a load.
void hcmEditMDI::emptyWindow()
{
    m_filling = true;
    clearRecordUi();
    clearHeaderUi();
    clearAllMarks();
    m_filling = false;
    showTotal();
    m_ui.selectedCount->setText(tr("Selected: ") + QString::number(0));
}

void hcmEditMDI::cancelJob()
{
    m_doc->cancel();
    emit processCanceled();
}

bool hcmEditMDI::write(const QString& path, bool includeHeader, bool tableOrder)
{
    return m_doc->save(path, includeHeader, tableOrder);
}

void hcmEditMDI::checkSyntax()
{
    if (m_doc->isBusy())
        return;
    m_errorList->clear();
    m_doc->startCheck();
}

void hcmEditMDI::checkFinished()
{
    const FindingList& findings = m_doc->findings();
    if (findings.isEmpty()) {
        UserPrompts::information(this, tr("Linkwise"),
                                 tr("No syntax errors found in the file\n") + displayName());
        return;
    }
    for (const FindingList::Entry& entry : findings.entries())
        m_errorList->addItem(entry.text, entry.recordNumber);
    m_errorList->setResult(findings.errors, findings.warnings, displayName());
    m_errorList->show();
    m_errorList->raise();
}

// ---- Comparison ----------------------------------------------------------------

void hcmEditMDI::compareWith(const QString& path)
{
    if (m_doc->isBusy())
        return;
    m_compare->setFileName(path);
    setCursor(Qt::WaitCursor);
    m_doc->compareWith(path);
}

void hcmEditMDI::comparisonFailed(const QString& path)
{
    unsetCursor();
    if (!path.isEmpty())
        UserPrompts::warning(this, tr("Linkwise"), tr("Could not load file:\n") + path);
}

void hcmEditMDI::showCompareCounts()
{
    m_compare->setCounts(m_doc->auxiliaryCount(), int(m_doc->pairs().size()));
}

void hcmEditMDI::comparisonReady()
{
    showCompareCounts();
    unsetCursor();
    m_compare->open();
}

void hcmEditMDI::doCompareAction()
{
    m_doc->startCompareAction(HcmDocument::CompareAction(m_compare->action()));
}

void hcmEditMDI::actionFinished(HcmDocument::CompareAction action, bool cancelled)
{
    if (action == HcmDocument::DetailedComparison) {
        if (!cancelled)
            m_compareDT->showDifferences(m_doc->file(), m_doc->differences());
        return;
    }
    showCompareCounts();
    if (action == HcmDocument::ReplaceMatched || action == HcmDocument::DeleteMatched) {
        if (rowCount() > 0 && currentRow() < 0)
            makeRowCurrent(0);
        showCurrentDetails();
    }
    if (!cancelled)
        UserPrompts::information(this, tr("Linkwise"), tr("Done!"));
}

void hcmEditMDI::compareViewTotal() { m_doc->startStationList(StationList::All); }
void hcmEditMDI::compareViewFound() { m_doc->startStationList(StationList::Matched); }
void hcmEditMDI::compareViewNotFound() { m_doc->startStationList(StationList::NotMatched); }

void hcmEditMDI::showStationList(const QString& title, const QString& text)
{
    m_textDialog->showText(title, text);
}

void hcmEditMDI::exportToGoogleEarth(bool showTower, const QString& dataFolder)
{
    if (m_doc->isBusy())
        return;
    showStationsOnGoogleEarth(this, m_doc->file(), m_doc->records().numbersOfSpans(selectedSpans()), showTower,
                              dataFolder);
}

// ---- Closing ----------------------------------------------------------------

void hcmEditMDI::closeEvent(QCloseEvent* event)
{
    // A job is running: stop it and close once it has ended.
    if (m_doc->isBusy()) {
        m_doc->cancel();
        m_closeWhenIdle = true;
        event->ignore();
        return;
    }
    if (isModified()) {
        const auto answer = UserPrompts::question(
            this, tr("Save file?"),
            changedFileText(fileName()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No);
        if (answer == QMessageBox::Yes) {
            if (fileName().isEmpty())
                emit saveAsRequested(this);
            else
                emit subWindowClosing(this);
            // Not saved after all (write failed, no name given): keep the
            // window and its changes.
            if (isModified()) {
                event->ignore();
                return;
            }
        }
    }
    m_errorList->close();
    event->accept();
}
