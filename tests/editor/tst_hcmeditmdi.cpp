// The HCM file editor window on the offscreen platform: loading, the
// overview table, editing, the record operations, the checks and saving.
#include "editortestfiles.h"

#include "ui/scriptedprompts.h"
#include "checks/checkmessages.h"
#include "checks/errorlistdlg.h"
#include "editor/fieldmarker.h"
#include "editor/hcmeditmdi.h"
#include "editor/patterncurve.h"
#include "editor/patternplot.h"
#include "editor/recordtablemodel.h"
#include "hcm/hcmfile.h"
#include "resources/linkwiseresources.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace EditorTestFiles;

namespace {

CheckOptions defaultOptions()
{
    return CheckOptions{};
}

bool waitForLoad(hcmEditMDI& editor)
{
    return QTest::qWaitFor([&editor] { return !editor.isLoading(); }, 20000);
}

QString noAt(const hcmEditMDI& editor, int row)
{
    return editor.tableModel()->index(row, RecordTableModel::NumberColumn).data().toString();
}

QColor baseOf(const QWidget* w)
{
    return w->palette().color(QPalette::Base);
}

// Selects whole rows [top, bottom] (zero-based), adding to the selection.
void selectRows(hcmEditMDI& editor, int top, int bottom)
{
    QTableView* view = editor.ui().twList;
    const QItemSelection block(view->model()->index(top, 0),
                               view->model()->index(bottom, RecordTableModel::ColumnCount - 1));
    view->selectionModel()->select(block, QItemSelectionModel::Select);
}

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

class TestHcmEditMdi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void newEditorIsEmpty();
    void widgetsCarryTheirNames();
    void loadAndRefill();
    void unreadableFileIsReported();
    void nonHcmFileAsksToKeepWindow_data();
    void nonHcmFileAsksToKeepWindow();
    void patternCurve_data();
    void patternCurve();
    void cancelLargeLoad();
    void windowClosedDuringLoad_data();
    void windowClosedDuringLoad();
    void sortByNumberKeepsNineBeforeTen();
    void selectionCountsRows();
    void currentRowShowsRecord();
    void editMarksTitleOnce();
    void editWritesIntoRecordAndTable();
    void saveInTableOrderAfterSortingByName();
    void saveInNumberOrder();
    void removeRowsThenSaveInNumberOrder();
    void removeAllRowsWritesOnlyHeader();
    void cancelledSaveKeepsOldFile();
    void saveToUnwritablePlaceFails();
    void duplicateOneRange();
    void duplicateSeparateRangesHighestFirst();
    void duplicateAfterSortingCopiesTheSelectedRecords();
    void addRecordAfterCurrentRow();
    void setValueStatus();
    void entryTypeChangeClearsMarks();
    void markingColoursAndToolTips();
    void maskPointRechecksAllPoints();
    void patternTableWritesPoints();
    void patternLineButtons();
    void headerCountMarked();
    void optionsOffRemovesMarks();
    void checkCleanFileShowsMessage();
    void errorListDoubleClickJumps();
    void errorListIncludesReaderCodes();
    void errorListDialogOnItsOwn();
    void cancelledCheckStillShowsResult();
    void checkOnLoading();
    void loadProgressIsThrottled();
    void closeDuringCheckClosesAfterwards();
    void operationsWithoutSelectionChangeNothing();
    void closePromptSavesThroughMainWindow();
    void closePromptKeepsWindowWhenSaveFails();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString writeStations(const QString& name, const QList<QByteArray>& names,
                          bool withHeader = true, int statedCount = -1);
    void loadInto(hcmEditMDI& editor, const QString& file);

    QTemporaryDir m_dir;
};

void TestHcmEditMdi::initTestCase()
{
    initLinkwiseResources();
    QVERIFY(m_dir.isValid());
}

QString TestHcmEditMdi::writeStations(const QString& name, const QList<QByteArray>& names,
                                      bool withHeader, int statedCount)
{
    const QString p = path(name);
    if (!writeText(p, fileText(names, withHeader, statedCount)))
        qFatal("cannot write %s", qPrintable(p));
    return p;
}

// Loads and leaves no row selected, so each test chooses its own rows.
void TestHcmEditMdi::loadInto(hcmEditMDI& editor, const QString& file)
{
    QVERIFY(editor.load(file));
    QVERIFY(waitForLoad(editor));
    editor.ui().twList->clearSelection();
}

void TestHcmEditMdi::newEditorIsEmpty()
{
    hcmEditMDI editor(defaultOptions());
    QCOMPARE(editor.windowTitle(), QString("no name"));
    QCOMPARE(editor.rowCount(), 0);
    QCOMPARE(editor.currentRow(), -1);
    QVERIFY(!editor.isModified());
    QVERIFY(editor.includeHeader());
    QVERIFY(editor.ui().progress->isHidden());
    QVERIFY(editor.ui().buttonCancel->isHidden());
    QVERIFY(editor.ui().info->isHidden());
    QCOMPARE(editor.ui().leNumberOfRecords->text(), QString("0"));
    QCOMPARE(editor.objectName(), QString("hcmEdit"));

    // New: one empty record, not modified.
    editor.addRecord();
    editor.setModified(false);
    QCOMPARE(editor.rowCount(), 1);
    QCOMPARE(editor.currentRow(), 0);
    QCOMPARE(editor.windowTitle(), QString("no name"));
    QCOMPARE(editor.ui().totalCount->text(), QString("Total: 1"));
    QCOMPARE(editor.ui().leNumberOfRecords->text(), QString("1"));
}

void TestHcmEditMdi::widgetsCarryTheirNames()
{
    hcmEditMDI editor(defaultOptions());
    const QStringList lineEdits = {
        "le4a", "le1a", "le1a1", "le0a", "le4clo", "le4cla", "le9a", "le9b", "le9d", "le4z",
        "le9l", "le6a", "le6b", "le6z", "le1z", "le4b", "le13x", "le2c", "le13y", "le2w", "le2z",
        "le7h", "le7i", "le8b", "le8b3", "le7g1", "le7g2", "le9h", "le7k", "le7a", "le7g3",
        "le7gf1", "le7gf6", "le7ga1", "le7ga6", "le9xm", "le9xt", "le9y", "le9xfu", "le9xfl",
        "le9x1", "leFileNumber", "leResponsiblePerson", "lePhone", "leTelefax", "leEmail",
        "leNumberOfRecords", "leWritingDate", "leCountry", "leFileContentsCode"};
    for (const QString& name : lineEdits)
        QVERIFY2(editor.findChild<QLineEdit*>(name), qPrintable(name));
    QVERIFY(editor.findChild<QPlainTextEdit*>("te13z"));
    QVERIFY(editor.findChild<QPlainTextEdit*>("teFileContents"));
    QVERIFY(editor.findChild<QTableView*>("twList"));
    QVERIFY(editor.findChild<QTableWidget*>("tw9xco"));
    QVERIFY(editor.findChild<QTableWidget*>("tw9xcr"));
    QVERIFY(editor.findChild<QToolButton*>("tbDelCp"));
    QVERIFY(editor.findChild<QPushButton*>("pbAddXp"));
    QVERIFY(editor.findChild<QLabel*>("selectedCount"));

    auto* tabs = editor.findChild<QTabWidget*>("tabDetails");
    QVERIFY(tabs);
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    QCOMPARE(titles, QStringList({"General (1)", "General (2)", "Equipment", "Antenna",
                                  "File header"}));
    auto* co = editor.findChild<QComboBox*>("leRadPatCo");
    QVERIFY(co && co->isEditable());
    QCOMPARE(co->count(), 3);
    QCOMPARE(co->itemText(2), QString("CP"));
    QCOMPARE(editor.findChild<QComboBox*>("leRadPatCr")->itemText(0), QString("HV"));

    QTableView* view = editor.ui().twList;
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(view->isSortingEnabled());
    QCOMPARE(view->horizontalHeader()->sortIndicatorSection(), int(RecordTableModel::NumberColumn));
}

void TestHcmEditMdi::loadAndRefill()
{
    hcmEditMDI editor(defaultOptions());
    QAction action("no name");
    editor.setWindowAction(&action);
    const QString first = writeStations("first.hcm", numberedNames(12));
    QVERIFY(editor.load(first));
    QVERIFY(waitForLoad(editor));
    QCOMPARE(editor.rowCount(), 12);
    QCOMPARE(editor.file().recordCount(), 12);
    QCOMPARE(editor.windowTitle(), QString("first.hcm"));
    QCOMPARE(action.text(), QString("first.hcm"));
    QCOMPARE(editor.fileName(), first);
    QCOMPARE(editor.ui().totalCount->text(), QString("Total: 12"));
    QVERIFY(editor.ui().progress->isHidden());
    QVERIFY(!editor.isModified());
    QVERIFY(editor.includeHeader());
    QCOMPARE(editor.ui().leResponsiblePerson->text(), QString("J SMITH"));
    QCOMPARE(editor.ui().teFileContents->toPlainText(), QString("EDITOR TEST FILE"));
    QCOMPARE(editor.ui().leNumberOfRecords->text(), QString("12"));
    QCOMPARE(editor.tableModel()->index(3, 0).data().toString(), QString("STATION 03"));
    // The first station is selected and shown at once.
    QCOMPARE(editor.ui().selectedCount->text(), QString("Selected: 1"));
    QCOMPARE(editor.currentRow(), 0);
    QCOMPARE(editor.ui().le4a->text(), QString("STATION 00"));

    // The same window takes another file: everything from the first goes.
    const QString second = writeStations("second.hcm", {"A", "B", "C"}, false);
    loadInto(editor, second);
    QCOMPARE(editor.rowCount(), 3);
    QCOMPARE(editor.file().recordCount(), 3);
    QVERIFY(!editor.includeHeader());
    QCOMPARE(editor.ui().leResponsiblePerson->text(), QString());
    QCOMPARE(editor.ui().le4a->text(), QString("A"));
    QCOMPARE(editor.windowTitle(), QString("second.hcm"));
    QVERIFY(!editor.isModified());
}

void TestHcmEditMdi::unreadableFileIsReported()
{
    ScriptedPrompts prompts;
    hcmEditMDI editor(defaultOptions());
    const QString missing = path("missing.hcm");
    // The job starts; the reader then finds nothing to read.
    QVERIFY(editor.load(missing));
    QVERIFY(waitForLoad(editor));
    QTRY_COMPARE(prompts.messages().size(), 1);
    QCOMPARE(prompts.messages().at(0).message.title, QString("Linkwise"));
    QCOMPARE(prompts.messages().at(0).message.text, QString("Could not load file:\n") + missing);
    QVERIFY(editor.ui().progress->isHidden());
    QVERIFY(editor.ui().buttonCancel->isHidden());
    QCOMPARE(editor.rowCount(), 0);
}

void TestHcmEditMdi::nonHcmFileAsksToKeepWindow_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("answer"); // 0: not asked
    const QByteArray letter = "Dear colleague,\r\nthe stations follow.\r\n";
    QTest::newRow("HCM file") << fileText({"A"}) << 0;
    QTest::newRow("text, kept") << letter << int(QMessageBox::Yes);
    QTest::newRow("text, closed") << letter << int(QMessageBox::No);
    QTest::newRow("semicolon after NUL") << QByteArray("RX\0;", 4) << int(QMessageBox::No);
}

void TestHcmEditMdi::nonHcmFileAsksToKeepWindow()
{
    QFETCH(QByteArray, text);
    QFETCH(int, answer);
    ScriptedPrompts prompts;
    prompts.answer(QMessageBox::StandardButton(answer));
    hcmEditMDI editor(defaultOptions());
    editor.show();
    QVERIFY(writeText(path("letter.txt"), text));
    loadInto(editor, path("letter.txt"));
    QCOMPARE(prompts.messages().size(), answer ? 1 : 0);
    QVERIFY(!answer || prompts.messages().at(0).message.text.startsWith(
                           "letter.txt does not look like an HCM file: none of its lines holds"));
    QTRY_COMPARE(editor.isVisible(), answer != QMessageBox::No);
}

void TestHcmEditMdi::patternCurve_data()
{
    QTest::addColumn<QList<PatternPointText>>("rows");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QList<int>>("unplotted");
    QTest::addColumn<QList<double>>("axes"); // angle maximum, attenuation minimum and maximum
    QTest::newRow("by angle, equal angles in table order, blanks ignored")
        << QList<PatternPointText>{{"180", "45"}, {" 0 ", "0"}, {"30", " 5"}, {"10", "1"},
                                   {"30", "2"}}
        << QList<QPointF>{{0, 0}, {10, 1}, {30, 5}, {30, 2}, {180, 45}} << QList<int>{}
        << QList<double>{180, 0, 50};
    QTest::newRow("0 to 360 only")
        << QList<PatternPointText>{{"360", "40"}, {"-0.5", "1"}, {"360.5", "1"}, {"0", "0"}}
        << QList<QPointF>{{0, 0}, {360, 40}} << QList<int>{1, 2} << QList<double>{360, 0, 40};
    QTest::newRow("no finite number")
        << QList<PatternPointText>{{"", "1"}, {"1", ""}, {"abc", "1"}, {"1", "1,5"}, {"nan", "1"},
                                   {"1", "inf"}, {"1", "1e400"}, {"5", "-3"}}
        << QList<QPointF>{{5, -3}} << QList<int>{0, 1, 2, 3, 4, 5, 6}
        << QList<double>{180, -10, 10};
}

// Points in, curve and axes out.
void TestHcmEditMdi::patternCurve()
{
    QFETCH(QList<PatternPointText>, rows);
    const PatternCurve curve = ::patternCurve(rows);
    QTEST(curve.points, "points");
    QTEST(curve.unplotted, "unplotted");
    const PatternAxes axes = patternAxes({curve});
    QTEST((QList<double>{axes.angleMax, axes.attenuationMin, axes.attenuationMax}), "axes");
}

void TestHcmEditMdi::cancelLargeLoad()
{
    const QString big = writeStations("big.hcm", numberedNames(40000));
    hcmEditMDI editor(defaultOptions());
    QVERIFY(editor.load(big));
    QVERIFY(editor.ui().buttonCancel->isVisibleTo(&editor));
    QTest::mouseClick(editor.ui().buttonCancel, Qt::LeftButton);
    QVERIFY(waitForLoad(editor));
    QTRY_VERIFY(editor.ui().progress->isHidden());
    QCOMPARE(editor.rowCount(), 0);
    QCOMPARE(editor.file().recordCount(), 0);
    QCOMPARE(editor.ui().totalCount->text(), QString("Total: 0"));
    QVERIFY(!editor.isModified());

    // The window is usable afterwards.
    loadInto(editor, writeStations("small.hcm", numberedNames(2)));
    QCOMPARE(editor.rowCount(), 2);
}

void TestHcmEditMdi::windowClosedDuringLoad_data()
{
    QTest::addColumn<bool>("whileParsing");
    QTest::newRow("at once") << false;
    QTest::newRow("while parsing") << true;
}

void TestHcmEditMdi::windowClosedDuringLoad()
{
    QFETCH(bool, whileParsing);
    const QString big = path("big2.hcm");
    if (!QFile::exists(big))
        writeStations("big2.hcm", numberedNames(40000));
    QMdiArea area;
    auto* editor = new hcmEditMDI(defaultOptions());
    QMdiSubWindow* sub = area.addSubWindow(editor);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    area.show();
    QPointer<hcmEditMDI> alive(editor);
    QVERIFY(editor->load(big));
    if (whileParsing)
        QVERIFY(QTest::qWaitFor(
            [editor] {
                return editor->ui().info->text() == "Parsing file..." || !editor->isLoading();
            },
            5000));
    QVERIFY(sub->close());
    QTRY_VERIFY(alive.isNull());
    // Notifications the worker queued before it stopped go nowhere.
    QTest::qWait(50);
}

void TestHcmEditMdi::sortByNumberKeepsNineBeforeTen()
{
    hcmEditMDI editor(defaultOptions());
    // Names that sort against the numbers.
    QList<QByteArray> names;
    for (int i = 0; i < 12; ++i)
        names << "N" + QByteArray::number(99 - i);
    loadInto(editor, writeStations("sort.hcm", names));
    QCOMPARE(noAt(editor, 9), QString("00000009"));
    QCOMPARE(noAt(editor, 10), QString("00000010"));
    editor.ui().twList->sortByColumn(RecordTableModel::StationNameColumn, Qt::AscendingOrder);
    QCOMPARE(noAt(editor, 0), QString("00000011"));
    editor.ui().twList->sortByColumn(RecordTableModel::NumberColumn, Qt::AscendingOrder);
    for (int row = 0; row < 12; ++row)
        QCOMPARE(noAt(editor, row), RecordTableModel::numberText(row));
}

void TestHcmEditMdi::selectionCountsRows()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("select.hcm", numberedNames(8)));
    QSignalSpy spy(&editor, &EditorWindow::signalSelectionChanged);
    // Rows 2-4 and 7, counted from 1.
    selectRows(editor, 1, 3);
    selectRows(editor, 6, 6);
    QCOMPARE(editor.ui().selectedCount->text(), QString("Selected: 4"));
    QVERIFY(!spy.isEmpty());
    QCOMPARE(spy.last().at(0).toLongLong(), 4LL);
    // Overlapping blocks count each row once.
    selectRows(editor, 2, 4);
    QCOMPARE(editor.ui().selectedCount->text(), QString("Selected: 5"));
}

void TestHcmEditMdi::currentRowShowsRecord()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("current.hcm", numberedNames(5)));
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(3, 0));
    QCOMPARE(editor.currentRow(), 3);
    QCOMPARE(editor.ui().le4a->text(), QString("STATION 03"));
    QCOMPARE(editor.ui().le13x->text(), QString("ABCDEFGHIJ0000000003"));
    QCOMPARE(editor.ui().le4clo->text(), QString("016E2200"));
    QCOMPARE(editor.ui().le4cla->text(), QString("48N1230"));
    QCOMPARE(editor.ui().le7gf[0]->text(), QString("0"));
    QCOMPARE(editor.ui().le7ga[2]->text(), QString("45"));
    QCOMPARE(editor.ui().le9x1->text(), QString("38.5"));
    QCOMPARE(editor.ui().leRadPatCo->currentText(), QString("CP"));
    QCOMPARE(editor.ui().tw9xco->rowCount(), 3);
    QCOMPARE(editor.ui().tw9xco->item(2, 0)->text(), QString("180"));
    QCOMPARE(editor.ui().tw9xco->item(2, 1)->text(), QString("45"));
    QCOMPARE(editor.ui().tw9xcr->rowCount(), 2);
    QVERIFY(editor.ui().tbDelCp->isEnabled());
    QVERIFY(!editor.isModified());
}

void TestHcmEditMdi::editMarksTitleOnce()
{
    hcmEditMDI editor(defaultOptions());
    const QString file = writeStations("title.hcm", numberedNames(3));
    loadInto(editor, file);
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(1, 0));
    typeInto(editor.ui().le4a, "RENAMED");
    typeInto(editor.ui().le9a, "90");
    QVERIFY(editor.isModified());
    QCOMPARE(editor.windowTitle(), QString("title.hcm *"));
    QVERIFY(editor.write(file, true, false));
    QVERIFY(!editor.isModified());
    QCOMPARE(editor.windowTitle(), QString("title.hcm"));
    QCOMPARE(writtenNames(file).at(1), QByteArray("RENAMED"));
}

void TestHcmEditMdi::editWritesIntoRecordAndTable()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("edit.hcm", numberedNames(3)));
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(2, 0));
    typeInto(editor.ui().le4a, "NEW;NAME");
    const HCMRecord* record = editor.file().recordAt(2);
    // A semicolon would split the field in the written line.
    QCOMPARE(record->text(HcmField::StationName), QByteArray("NEW NAME"));
    QCOMPARE(editor.tableModel()->index(2, 0).data().toString(), QString("NEW NAME"));
    typeInto(editor.ui().le9xm, "OTHER");
    QCOMPARE(record->antenna().text(HCMAntenna::Manufacturer), QByteArray("OTHER"));
    editor.ui().te13z->setPlainText("FIRST LINE");
    QCOMPARE(record->text(HcmField::Remarks), QByteArray("FIRST LINE"));
    typeInto(editor.ui().leEmail, "X@Y.Z");
    QCOMPARE(editor.file().header().text(HCMHeader::Email), QByteArray("X@Y.Z"));
}

void TestHcmEditMdi::saveInTableOrderAfterSortingByName()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("byname.hcm", {"DELTA", "ALPHA", "CHARLIE", "BRAVO"}));
    editor.ui().twList->sortByColumn(RecordTableModel::StationNameColumn, Qt::AscendingOrder);
    const QString out = path("byname-out.hcm");
    QVERIFY(editor.write(out, true, true));
    QCOMPARE(writtenNames(out), QList<QByteArray>({"ALPHA", "BRAVO", "CHARLIE", "DELTA"}));
    const QByteArray text = readText(out);
    QVERIFY(text.startsWith(headerLine(4) + '\r'));
    QVERIFY(!text.contains('\n'));
}

void TestHcmEditMdi::saveInNumberOrder()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("bynumber.hcm", {"DELTA", "ALPHA", "CHARLIE", "BRAVO"}));
    editor.ui().twList->sortByColumn(RecordTableModel::StationNameColumn, Qt::DescendingOrder);
    const QString out = path("bynumber-out.hcm");
    QVERIFY(editor.write(out, false, false));
    QCOMPARE(writtenNames(out), QList<QByteArray>({"DELTA", "ALPHA", "CHARLIE", "BRAVO"}));
    QVERIFY(readText(out).startsWith("TX;"));
}

void TestHcmEditMdi::removeRowsThenSaveInNumberOrder()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("remove.hcm", {"R0", "R1", "R2", "R3", "R4", "R5"}));
    // Rows 2-3 and 5, counted from 1.
    selectRows(editor, 1, 2);
    selectRows(editor, 4, 4);
    editor.removeRecords();
    QCOMPARE(editor.rowCount(), 3);
    QCOMPARE(noAt(editor, 0), QString("00000000"));
    QCOMPARE(noAt(editor, 1), QString("00000003"));
    QCOMPARE(noAt(editor, 2), QString("00000005"));
    QCOMPARE(editor.currentRow(), 0);
    QCOMPARE(editor.ui().totalCount->text(), QString("Total: 3"));
    QCOMPARE(editor.ui().leNumberOfRecords->text(), QString("3"));
    QCOMPARE(editor.file().header().text(HCMHeader::NumberOfRecords), QByteArray("3"));
    QVERIFY(editor.isModified());
    const QString out = path("remove-out.hcm");
    QVERIFY(editor.write(out, true, false));
    QCOMPARE(writtenNames(out), QList<QByteArray>({"R0", "R3", "R5"}));
}

void TestHcmEditMdi::removeAllRowsWritesOnlyHeader()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("all.hcm", {"A", "B"}));
    editor.ui().twList->selectAll();
    editor.removeRecords();
    QCOMPARE(editor.rowCount(), 0);
    QCOMPARE(editor.currentRow(), -1);
    QCOMPARE(editor.ui().le4a->text(), QString());
    const QString out = path("all-out.hcm");
    QVERIFY(editor.write(out, true, false));
    const QList<QByteArray> lines = readText(out).split('\r');
    QCOMPARE(lines.size(), 2); // the header and the empty rest after its CR
    QVERIFY(lines.at(0).startsWith("1;EDITOR TEST FILE"));
    QCOMPARE(lines.at(0).split(';').at(8), QByteArray("0"));
}

void TestHcmEditMdi::cancelledSaveKeepsOldFile()
{
    hcmEditMDI editor(defaultOptions());
    const QString file = writeStations("keep.hcm", numberedNames(3000));
    loadInto(editor, file);
    const QByteArray before = readText(file);
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(0, 0));
    typeInto(editor.ui().le4a, "CHANGED");
    // Cancel as soon as the write lets events through.
    QTimer::singleShot(0, editor.ui().buttonCancel, [&editor] {
        QTest::mouseClick(editor.ui().buttonCancel, Qt::LeftButton);
    });
    QVERIFY(!editor.write(file, true, false));
    QCOMPARE(readText(file), before);
    QVERIFY(editor.isModified());
    QVERIFY(editor.ui().progress->isHidden());
    QVERIFY(!editor.isBusy());
    QVERIFY(QDir(m_dir.path()).entryList({"keep.hcm*"}, QDir::Files | QDir::Hidden).size() == 1);
}

void TestHcmEditMdi::saveToUnwritablePlaceFails()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("nowhere.hcm", {"A"}));
    editor.setModified(true);
    QVERIFY(!editor.write(QString(), true, false));
    QVERIFY(!editor.write(path("no/such/folder/x.hcm"), true, false));
    QVERIFY(editor.isModified());
}

void TestHcmEditMdi::duplicateOneRange()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("dup.hcm", {"D0", "D1", "D2", "D3"}));
    // Rows 2-3, counted from 1.
    selectRows(editor, 1, 2);
    editor.duplicateRecords();
    QCOMPARE(editor.rowCount(), 6);
    QCOMPARE(editor.file().recordAt(4)->text(HcmField::StationName), QByteArray("D1"));
    QCOMPARE(editor.file().recordAt(5)->text(HcmField::StationName), QByteArray("D2"));
    QCOMPARE(editor.file().recordAt(5)->toLine(), editor.file().recordAt(2)->toLine());
    QCOMPARE(noAt(editor, editor.currentRow()), QString("00000005"));
    QCOMPARE(editor.ui().le4a->text(), QString("D2"));
    QCOMPARE(editor.ui().totalCount->text(), QString("Total: 6"));
    QVERIFY(editor.isModified());
}

void TestHcmEditMdi::duplicateSeparateRangesHighestFirst()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("dup2.hcm", {"E0", "E1", "E2", "E3", "E4"}));
    // Rows 1 and 4, counted from 1: row 4 is copied first.
    selectRows(editor, 0, 0);
    selectRows(editor, 3, 3);
    editor.duplicateRecords();
    QCOMPARE(editor.file().recordAt(5)->text(HcmField::StationName), QByteArray("E3"));
    QCOMPARE(editor.file().recordAt(6)->text(HcmField::StationName), QByteArray("E0"));
    QCOMPARE(noAt(editor, editor.currentRow()), QString("00000006"));
}

void TestHcmEditMdi::duplicateAfterSortingCopiesTheSelectedRecords()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("dup3.hcm", {"C", "A", "D", "B"}));
    editor.ui().twList->sortByColumn(RecordTableModel::StationNameColumn, Qt::AscendingOrder);
    // Rows A and B; each copy sorts in right after its original.
    selectRows(editor, 0, 1);
    editor.duplicateRecords();
    QCOMPARE(editor.file().recordAt(4)->text(HcmField::StationName), QByteArray("A"));
    QCOMPARE(editor.file().recordAt(5)->text(HcmField::StationName), QByteArray("B"));
    QStringList shown;
    for (int row = 0; row < editor.rowCount(); ++row)
        shown << editor.tableModel()->index(row, 0).data().toString();
    QCOMPARE(shown, QStringList({"A", "A", "B", "B", "C", "D"}));
}

void TestHcmEditMdi::addRecordAfterCurrentRow()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("add.hcm", {"A0", "A1", "A2"}));
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(0, 0));
    editor.addRecord();
    QCOMPARE(editor.rowCount(), 4);
    QCOMPARE(editor.file().recordCount(), 4);
    // Sorted by No again, the new record is last and current.
    QCOMPARE(noAt(editor, 3), QString("00000003"));
    QCOMPARE(editor.currentRow(), 3);
    QCOMPARE(editor.ui().le4a->text(), QString());
    QCOMPARE(editor.ui().leNumberOfRecords->text(), QString("4"));
    QVERIFY(editor.isModified());
    // The empty record is checked at once: 0A is required.
    QCOMPARE(baseOf(editor.ui().le0a), FieldMarker::errorColor());
}

void TestHcmEditMdi::setValueStatus()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("setvalue.hcm", numberedNames(5)));
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(1, 0));
    selectRows(editor, 1, 2);
    selectRows(editor, 4, 4);
    // The stations of the file are all "Z" (refused) to begin with.
    editor.setValue("13Y", "C");
    QVERIFY(editor.isModified());
    QCOMPARE(editor.file().recordAt(1)->text(HcmField::CoordinationStatus), QByteArray("C"));
    QCOMPARE(editor.file().recordAt(2)->text(HcmField::CoordinationStatus), QByteArray("C"));
    QCOMPARE(editor.file().recordAt(4)->text(HcmField::CoordinationStatus), QByteArray("C"));
    QCOMPARE(editor.file().recordAt(0)->text(HcmField::CoordinationStatus), QByteArray("Z"));
    QCOMPARE(editor.file().recordAt(3)->text(HcmField::CoordinationStatus), QByteArray("Z"));
    QCOMPARE(editor.ui().le13y->text(), QString("C"));
    editor.setValue("2Z", "31122025");
    QCOMPARE(editor.file().recordAt(4)->text(HcmField::CoordinationFinalDate), QByteArray("31122025"));
}

void TestHcmEditMdi::entryTypeChangeClearsMarks()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("ptx.hcm", {"PASSIVE"}));
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(0, 0));
    const QList<QLineEdit*> emptied = {editor.ui().le1a, editor.ui().le1a1, editor.ui().le1z,
                                       editor.ui().le7a, editor.ui().le7g3};
    for (QLineEdit* edit : emptied) {
        edit->clear();
        emit edit->textEdited(QString());
    }
    for (QLineEdit* edit : emptied)
        QVERIFY2(baseOf(edit) == FieldMarker::errorColor(), qPrintable(edit->objectName()));
    typeInto(editor.ui().le0a, "PTX");
    QCOMPARE(editor.file().recordAt(0)->entryType(), int(HCMRecord::PTX));
    const QColor normal = baseOf(editor.ui().le4a);
    for (QLineEdit* edit : emptied) {
        QVERIFY2(baseOf(edit) == normal, qPrintable(edit->objectName()));
        QVERIFY(edit->toolTip().isEmpty());
    }
}

void TestHcmEditMdi::markingColoursAndToolTips()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("marks.hcm", {"CLEAN"}));
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(0, 0));
    QLineEdit* name = editor.ui().le4a;
    const QColor normal = baseOf(name);
    QVERIFY(name->toolTip().isEmpty());
    typeInto(name, "lower");
    // Lower case is a warning.
    QCOMPARE(baseOf(name), FieldMarker::warningColor());
    QVERIFY(!name->toolTip().isEmpty());
    typeInto(editor.ui().le1a, "abc");
    QCOMPARE(baseOf(editor.ui().le1a), FieldMarker::errorColor());
    QVERIFY(!editor.ui().le1a->toolTip().isEmpty());
    typeInto(name, "UPPER");
    QCOMPARE(baseOf(name), normal);
    QVERIFY(name->toolTip().isEmpty());
}

void TestHcmEditMdi::maskPointRechecksAllPoints()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("mask.hcm", {"MASK"}));
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(0, 0));
    QLineEdit* frequency4 = editor.ui().le7gf[3];
    const QColor normal = baseOf(frequency4);
    // An attenuation for point 4 needs a frequency: the frequency input is
    // marked although the attenuation was edited.
    typeInto(editor.ui().le7ga[3], "60");
    QCOMPARE(editor.file().recordAt(0)->maskAttenuation(4), QByteArray("60"));
    QCOMPARE(baseOf(frequency4), FieldMarker::errorColor());
    QVERIFY(!frequency4->toolTip().isEmpty());
    typeInto(frequency4, "30");
    QCOMPARE(baseOf(frequency4), normal);
    QCOMPARE(baseOf(editor.ui().le7ga[3]), normal);
    // Falling below the previous point is the frequency's own fault.
    typeInto(frequency4, "3");
    QCOMPARE(baseOf(frequency4), FieldMarker::errorColor());
}

void TestHcmEditMdi::patternTableWritesPoints()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("pattern.hcm", {"PAT"}));
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(0, 0));
    QTableWidget* table = editor.ui().tw9xco;
    table->item(1, 1)->setText("12.5");
    const HCMPattern& co = editor.file().recordAt(0)->antenna().coPolar();
    QCOMPARE(co.count(), 3);
    QCOMPARE(co.attenuationView(1).toByteArray(), QByteArray("12.5"));
    // The plot follows the table.
    const PatternPlot* plot = editor.ui().patternPlot;
    QCOMPARE(plot->curve(PatternPlot::CoPolar).points,
             QList<QPointF>({{0, 0}, {10, 12.5}, {180, 45}}));
    table->item(2, 0)->setText("abc");
    QCOMPARE(plot->curve(PatternPlot::CoPolar).unplotted, QList<int>{2});
    QCOMPARE(table->item(2, 0)->background().color(), FieldMarker::errorColor());
    QVERIFY(!table->item(2, 0)->toolTip().isEmpty());
    table->item(2, 0)->setText("180");
    QVERIFY(!table->item(2, 0)->data(Qt::BackgroundRole).isValid());
    editor.ui().leRadPatCo->setEditText("QQ");
    QCOMPARE(co.code(), QByteArray("QQ"));
    QCOMPARE(baseOf(editor.ui().leRadPatCo), FieldMarker::errorColor());
    QVERIFY(editor.isModified());
}

void TestHcmEditMdi::patternLineButtons()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("lines.hcm", {"LINES"}));
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(0, 0));
    QTableWidget* table = editor.ui().tw9xcr;
    table->setCurrentCell(0, 0);
    QTest::mouseClick(editor.ui().pbAddXp, Qt::LeftButton);
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(1, 0)->text(), QString());
    // Nothing reaches the record until the row is filled in.
    QCOMPARE(editor.file().recordAt(0)->antenna().crossPolar().count(), 2);

    table->clearSelection();
    table->selectRow(0);
    table->selectionModel()->select(table->model()->index(1, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::mouseClick(editor.ui().tbDelXp, Qt::LeftButton);
    QCOMPARE(table->rowCount(), 1);
    const HCMPattern& cross = editor.file().recordAt(0)->antenna().crossPolar();
    QCOMPARE(cross.count(), 1);
    QCOMPARE(cross.angleView(0).toByteArray(), QByteArray("180"));
    table->selectAll();
    QTest::mouseClick(editor.ui().tbDelXp, Qt::LeftButton);
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(!editor.ui().tbDelXp->isEnabled());
    QVERIFY(editor.ui().tbDelCp->isEnabled());
}

void TestHcmEditMdi::headerCountMarked()
{
    hcmEditMDI editor(defaultOptions());
    // The header says 10 for a file of 9 records.
    loadInto(editor, writeStations("count.hcm", numberedNames(9), true, 10));
    QLineEdit* count = editor.ui().leNumberOfRecords;
    QCOMPARE(count->text(), QString("10"));
    QCOMPARE(baseOf(count), FieldMarker::errorColor());
    QCOMPARE(count->toolTip(), QString::fromLatin1(checkMessage(165)));
    typeInto(count, "9");
    QCOMPARE(baseOf(count), baseOf(editor.ui().leEmail));
    QVERIFY(count->toolTip().isEmpty());
}

void TestHcmEditMdi::optionsOffRemovesMarks()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("options.hcm", {"lower"}));
    editor.ui().twList->setCurrentIndex(editor.tableModel()->index(0, 0));
    QCOMPARE(baseOf(editor.ui().le4a), FieldMarker::warningColor());
    CheckOptions off = defaultOptions();
    off.checkOnEditing = false;
    editor.setOptions(off);
    QCOMPARE(baseOf(editor.ui().le4a), baseOf(editor.ui().le9a));
    QVERIFY(editor.ui().le4a->toolTip().isEmpty());
    typeInto(editor.ui().le1a, "abc");
    QCOMPARE(baseOf(editor.ui().le1a), baseOf(editor.ui().le9a));

    // Back on, without character warnings: the lower-case name stays clean.
    CheckOptions noCharacters = defaultOptions();
    noCharacters.characterWarnings = false;
    editor.setOptions(noCharacters);
    QCOMPARE(editor.checkSettings() & 0x10, 0);
    QCOMPARE(baseOf(editor.ui().le1a), FieldMarker::errorColor());
    QCOMPARE(baseOf(editor.ui().le4a), baseOf(editor.ui().le9a));
}

void TestHcmEditMdi::checkCleanFileShowsMessage()
{
    ScriptedPrompts prompts;
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("clean.hcm", numberedNames(3)));
    editor.checkSyntax();
    QCOMPARE(prompts.messages().size(), 1);
    QCOMPARE(prompts.messages().at(0).message.title, QString("Linkwise"));
    QCOMPARE(prompts.messages().at(0).message.text,
             QString("No syntax errors found in the file\nclean.hcm"));
    QVERIFY(!editor.errorList()->isVisible());
    QCOMPARE(editor.errorList()->lblErrors->text(), QString("Found errors: 0"));
    QCOMPARE(editor.errorList()->lblWarnings->text(), QString("Found warnings: 0"));
    QVERIFY(editor.ui().progress->isHidden());
}

void TestHcmEditMdi::errorListDoubleClickJumps()
{
    ScriptedPrompts prompts;
    QMdiArea area;
    auto* editor = new hcmEditMDI(defaultOptions());
    area.addSubWindow(editor);
    area.show();
    QList<QByteArray> names = numberedNames(10);
    names[7] = "lower seven"; // a warning
    names[3] = "lower three";
    loadInto(*editor, writeStations("jump.hcm", names));
    // Lower case sorts after capitals: record 7 comes last but one, before record 3.
    editor->ui().twList->sortByColumn(RecordTableModel::StationNameColumn, Qt::AscendingOrder);
    editor->checkSyntax();
    QVERIFY(prompts.messages().isEmpty());
    ErrorListDlg* list = editor->errorList();
    QVERIFY(list->isVisible());
    QCOMPARE(list->windowTitle(), QString("jump.hcm"));
    QCOMPARE(list->itemCount(), 2);
    QCOMPARE(list->lblErrors->text(), QString("Found errors: 0"));
    QCOMPARE(list->lblWarnings->text(), QString("Found warnings: 2"));
    // Items follow the table order.
    QListWidgetItem* seven = list->lwErrors->item(0);
    QVERIFY2(seven->text().startsWith("RECORD NO: 7\nErrors:\nWarnings:\n"), qPrintable(seven->text()));

    QListWidget* lw = list->lwErrors;
    QVERIFY(QTest::qWaitForWindowExposed(list));
    QTRY_VERIFY(lw->visualItemRect(seven).isValid());
    const QPoint at = lw->visualItemRect(seven).center();
    // The view takes a double-click only on the item the press was on.
    QTest::mousePress(lw->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(lw->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(noAt(*editor, editor->currentRow()), QString("00000007"));
    QCOMPARE(editor->ui().le4a->text(), QString("lower seven"));
}

void TestHcmEditMdi::errorListIncludesReaderCodes()
{
    ScriptedPrompts prompts;
    hcmEditMDI editor(defaultOptions());
    // Record 1 ends after its type of entry.
    QByteArray text = headerLine(3) + '\r' + recordLine("FIRST", 0) + "\rTX\r" + recordLine("THIRD", 2) + '\r';
    const QString file = path("reader.hcm");
    QVERIFY(writeText(file, text));
    loadInto(editor, file);
    QCOMPARE(editor.rowCount(), 3);
    editor.checkSyntax();
    ErrorListDlg* list = editor.errorList();
    QVERIFY(list->itemCount() >= 2);
    QVERIFY2(list->lwErrors->item(0)->text().startsWith("Reading record NO: 1: "),
             qPrintable(list->lwErrors->item(0)->text()));
    // Its double-click still finds the record.
    emit list->lwErrors->itemDoubleClicked(list->lwErrors->item(0));
    QCOMPARE(noAt(editor, editor.currentRow()), QString("00000001"));
}

void TestHcmEditMdi::errorListDialogOnItsOwn()
{
    ErrorListDlg list;
    QCOMPARE(list.windowTitle(), QString("Error List Dialog"));
    QCOMPARE(list.lblErrors->text(), QString("Found errors: 0"));
    list.addItem("HEADER: \nErrors:\nE-mail is missing.\nWarnings:\n");
    list.addItem("RECORD NO:  12 \nErrors:\nWarnings:\n");
    list.setResult(3, 1017, "x.hcm");
    QCOMPARE(list.lblErrors->text(), QString("Found errors: 3"));
    QCOMPARE(list.lblWarnings->text(), QString("Found warnings: 1017"));
    QCOMPARE(list.windowTitle(), QString("x.hcm"));
    QSignalSpy spy(&list, &ErrorListDlg::itemDoubleclicked);
    emit list.lwErrors->itemDoubleClicked(list.lwErrors->item(0));
    QVERIFY(spy.isEmpty());
    emit list.lwErrors->itemDoubleClicked(list.lwErrors->item(1));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 12);
    list.clear();
    QCOMPARE(list.itemCount(), 0);
    QCOMPARE(list.lblWarnings->text(), QString("Found warnings: 0"));
}

void TestHcmEditMdi::cancelledCheckStillShowsResult()
{
    ScriptedPrompts prompts;
    hcmEditMDI editor(defaultOptions());
    QList<QByteArray> names;
    for (int i = 0; i < 3000; ++i)
        names << "lower " + QByteArray::number(i);
    loadInto(editor, writeStations("cancelcheck.hcm", names));
    QTimer::singleShot(0, editor.ui().buttonCancel, [&editor] {
        QVERIFY(editor.isBusy());
        QVERIFY(editor.ui().buttonCancel->isVisibleTo(&editor));
        QTest::mouseClick(editor.ui().buttonCancel, Qt::LeftButton);
    });
    editor.checkSyntax();
    QVERIFY(!editor.isBusy());
    QVERIFY(editor.ui().progress->isHidden());
    QVERIFY(editor.errorList()->itemCount() < 3000);
    // What was found so far is shown: the list, or the box when that is nothing.
    QVERIFY(editor.errorList()->isVisible() != (prompts.messages().size() == 1));
    QVERIFY(editor.ui().tabDetails->isEnabled());
}

void TestHcmEditMdi::checkOnLoading()
{
    ScriptedPrompts prompts;
    CheckOptions options = defaultOptions();
    options.checkOnLoading = true;
    hcmEditMDI editor(options);
    loadInto(editor, writeStations("onload.hcm", {"FINE", "lower"}));
    QCOMPARE(editor.errorList()->itemCount(), 1);
    QVERIFY(editor.errorList()->isVisible());
    QVERIFY(!editor.isModified());
    QCOMPARE(editor.rowCount(), 2);
    QVERIFY(editor.ui().progress->isHidden());
}

void TestHcmEditMdi::loadProgressIsThrottled()
{
    const QString big = writeStations("throttle.hcm", numberedNames(40000));
    hcmEditMDI editor(defaultOptions());
    int shown = 0;
    connect(&editor, &hcmEditMDI::loadProgress, &editor, [&shown] { ++shown; },
            Qt::QueuedConnection);
    loadInto(editor, big);
    QTRY_VERIFY(shown > 0);
    QCOMPARE(editor.rowCount(), 40000);
    // One a line would be 40,000; one a percent plus a few remain.
    QVERIFY2(shown < 400, qPrintable(QString::number(shown)));
}

void TestHcmEditMdi::closeDuringCheckClosesAfterwards()
{
    ScriptedPrompts prompts;
    QMdiArea area;
    auto* editor = new hcmEditMDI(defaultOptions());
    QMdiSubWindow* sub = area.addSubWindow(editor);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    area.show();
    loadInto(*editor, writeStations("closecheck.hcm", numberedNames(2000)));
    QPointer<hcmEditMDI> alive(editor);
    QTimer::singleShot(0, sub, [sub] { sub->close(); });
    editor->checkSyntax();
    // Still here while the check unwinds, gone right after.
    QVERIFY(!alive.isNull());
    QTRY_VERIFY(alive.isNull());
}

void TestHcmEditMdi::operationsWithoutSelectionChangeNothing()
{
    hcmEditMDI editor(defaultOptions());
    loadInto(editor, writeStations("nosel.hcm", {"A", "B"}));
    editor.duplicateRecords();
    editor.removeRecords();
    editor.setValue("13Y", "C");
    QCOMPARE(editor.rowCount(), 2);
    QCOMPARE(editor.file().recordCount(), 2);
    QVERIFY(!editor.isModified());
    QCOMPARE(editor.file().recordAt(0)->text(HcmField::CoordinationStatus), QByteArray("Z"));
}

void TestHcmEditMdi::closePromptSavesThroughMainWindow()
{
    ScriptedPrompts prompts;
    QMdiArea area;
    auto* editor = new hcmEditMDI(defaultOptions());
    QMdiSubWindow* sub = area.addSubWindow(editor);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    area.show();
    const QString file = writeStations("close.hcm", {"A", "B"});
    loadInto(*editor, file);
    editor->setModified(true);
    // The main window saves on subWindowClosing.
    connect(editor, &EditorWindow::subWindowClosing, editor, [file](EditorWindow* w) {
        w->write(file, true, false);
    });
    prompts.answer(QMessageBox::Yes);
    QPointer<hcmEditMDI> alive(editor);
    QVERIFY(sub->close());
    QCOMPARE(prompts.messages().size(), 1);
    QCOMPARE(prompts.messages().at(0).message.title, QString("Save file?"));
    QCOMPARE(prompts.messages().at(0).message.text,
             QString("The file %1 has been changed.\n Do you want to save it?").arg(file));
    QTRY_VERIFY(alive.isNull());
}

void TestHcmEditMdi::closePromptKeepsWindowWhenSaveFails()
{
    ScriptedPrompts prompts;
    QMdiArea area;
    auto* editor = new hcmEditMDI(defaultOptions());
    QMdiSubWindow* sub = area.addSubWindow(editor);
    area.show();
    editor->addRecord();
    QSignalSpy saveAs(editor, &EditorWindow::saveAsRequested);
    prompts.answer(QMessageBox::Yes);
    QVERIFY(!sub->close());
    QCOMPARE(saveAs.size(), 1);
    QVERIFY(editor->isModified());
    // No: the changes are dropped and the window goes.
    prompts.answer(QMessageBox::No);
    QVERIFY(sub->close());
}

QTEST_MAIN(TestHcmEditMdi)
#include "tst_hcmeditmdi.moc"
