// What only the editor window does, on the offscreen platform: its inputs
// built from the field table write through the document and are marked, the
// status strip follows the document's jobs, the comparison dialogs, and the
// close prompt. The jobs themselves are tested on the document.
#include "editortestfiles.h"

#include "checks/errorlistdlg.h"
#include "compare/hcmcomparedt.h"
#include "compare/hcmfilecompare.h"
#include "editor/editorfields.h"
#include "editor/fieldmarker.h"
#include "editor/hcmeditmdi.h"
#include "editor/patterncurve.h"
#include "editor/recordtablemodel.h"
#include "hcm/hcmfile.h"
#include "resources/linkwiseresources.h"
#include "ui/scriptedprompts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace EditorTestFiles;

namespace {

enum Mark { Normal, Warning, Error };

Mark markOf(const QWidget* w)
{
    const QColor base = w->palette().color(QPalette::Base);
    return base == FieldMarker::errorColor() ? Error : base == FieldMarker::warningColor() ? Warning : Normal;
}

void typeInto(hcmEditMDI& editor, const QString& name, const QString& text)
{
    auto* edit = editor.findChild<QLineEdit*>(name);
    QVERIFY2(edit, qPrintable(name));
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

bool waitIdle(hcmEditMDI& editor)
{
    return QTest::qWaitFor([&editor] { return !editor.document().isBusy(); }, 20000);
}

void selectRows(hcmEditMDI& editor, int top, int bottom)
{
    QTableView* view = editor.ui().twList;
    view->selectionModel()->select(QItemSelection(view->model()->index(top, 0), view->model()->index(bottom, 5)),
                                   QItemSelectionModel::Select);
}

} // namespace

class TestHcmEditMdi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initLinkwiseResources();
        QVERIFY(m_dir.isValid());
    }

    void typingWritesAndMarks_data()
    {
        QTest::addColumn<QStringList>("steps"); // input=text, typed in order
        QTest::addColumn<QString>("watched");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("mark");
        QTest::newRow("semicolon cannot split the line") << QStringList{"le4a=NEW;NAME"} << "le4a" << QByteArray("NEW NAME") << int(Normal);
        QTest::newRow("lower case name warns") << QStringList{"le4a=lower"} << "le4a" << QByteArray("lower") << int(Warning);
        QTest::newRow("letters in the frequency") << QStringList{"le1a=abc"} << "le1a" << QByteArray("abc") << int(Error);
        QTest::newRow("antenna field") << QStringList{"le9xm=OTHER"} << "le9xm" << QByteArray("OTHER") << int(Normal);
        QTest::newRow("header field") << QStringList{"leEmail=X@Y.Z"} << "leEmail" << QByteArray("X@Y.Z") << int(Normal);
        // An attenuation for point 4 needs a frequency: the frequency is marked.
        QTest::newRow("mask points checked together") << QStringList{"le7ga4=60"} << "le7gf4" << QByteArray("") << int(Error);
        // A passive station needs no frequency: the type of entry rechecks the record.
        QTest::newRow("type of entry rechecks all") << QStringList{"le1a=", "le0a=PTX"} << "le1a" << QByteArray("") << int(Normal);
    }

    void typingWritesAndMarks()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, watched);
        QFETCH(int, mark);
        hcmEditMDI editor(CheckOptions{});
        const QString file = write("typing.hcm", fileText({"CLEAN"}));
        loadInto(editor, file);
        editor.ui().twList->setCurrentIndex(editor.document().model()->index(0, 0));
        for (const QString& step : steps)
            typeInto(editor, step.section('=', 0, 0), step.section('=', 1));

        const HCMFile& f = editor.document().file();
        for (const EditorField& field : editorFields()) {
            if (watched != QLatin1String(field.name))
                continue;
            const QByteArrayView text = field.target == InputTarget::Header ? f.header().view(HCMHeader::Field(field.field))
                : field.target == InputTarget::Antenna ? f.recordAt(0)->antenna().view(HCMAntenna::Field(field.field))
                                                       : f.recordAt(0)->view(HcmField(field.field));
            QTEST(text.toByteArray(), "stored");
        }
        QWidget* input = editor.findChild<QWidget*>(watched);
        QCOMPARE(int(markOf(input)), mark);
        QCOMPARE(input->toolTip().isEmpty(), mark == Normal);
        QCOMPARE(editor.windowTitle(), QString("typing.hcm *"));
        QVERIFY(editor.write(file, true, false));
        QCOMPARE(editor.windowTitle(), QString("typing.hcm"));
    }

    void patternTableWritesPoints()
    {
        hcmEditMDI editor(CheckOptions{});
        loadInto(editor, write("pattern.hcm", fileText({"PAT"})));
        editor.ui().twList->setCurrentIndex(editor.document().model()->index(0, 0));
        QTableWidget* table = editor.ui().tw9xco;
        table->item(1, 1)->setText("12.5");
        const HCMPattern& co = editor.document().file().recordAt(0)->antenna().coPolar();
        QCOMPARE(co.attenuationView(1).toByteArray(), QByteArray("12.5"));
        table->selectAll();
        QTest::mouseClick(editor.ui().tbDelCp, Qt::LeftButton);
        QCOMPARE(co.count(), 0);
        QVERIFY(!editor.ui().tbDelCp->isEnabled());
        editor.ui().leRadPatCo->setEditText("QQ");
        QCOMPARE(co.codeView().toByteArray(), QByteArray("QQ"));
        QCOMPARE(markOf(editor.ui().leRadPatCo), Error);
    }

    void nonHcmFileAsksToKeepWindow_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("answer"); // 0: not asked
        const QByteArray letter = "Dear colleague,\r\nthe stations follow.\r\n";
        QTest::newRow("HCM file") << fileText({"A"}) << 0;
        QTest::newRow("text, closed") << letter << int(QMessageBox::No);
        QTest::newRow("semicolon after NUL") << QByteArray("RX\0;", 4) << int(QMessageBox::No);
    }

    void nonHcmFileAsksToKeepWindow()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, answer);
        ScriptedPrompts prompts;
        prompts.answer(QMessageBox::StandardButton(answer));
        hcmEditMDI editor(CheckOptions{});
        editor.show();
        loadInto(editor, write("letter.txt", text));
        QCOMPARE(prompts.messages().size(), answer ? 1 : 0);
        QVERIFY(!answer || prompts.messages().at(0).message.text.startsWith(
                               "letter.txt does not look like an HCM file: none of its lines holds"));
        QTRY_COMPARE(editor.isVisible(), answer != QMessageBox::No);
    }

    // Texts that give no finite number are left out of the curve and listed;
    // the axes of such a curve stay finite.
    void patternCurveSkipsNonFinitePoints()
    {
        const PatternCurve curve = ::patternCurve({{"", "1"}, {"1", ""}, {"abc", "1"}, {"1", "1,5"}, {"nan", "1"},
                                                   {"1", "inf"}, {"1", "1e400"}, {"5", "-3"}});
        QCOMPARE(curve.points, QList<QPointF>{QPointF(5, -3)});
        QCOMPARE(curve.unplotted, QList<int>({0, 1, 2, 3, 4, 5, 6}));
        const PatternAxes axes = patternAxes({curve});
        QCOMPARE((QList<double>{axes.angleMax, axes.attenuationMin, axes.attenuationMax}),
                 QList<double>({180, -10, 10}));
    }

    void selectionCountsRows()
    {
        hcmEditMDI editor(CheckOptions{});
        loadInto(editor, write("select.hcm", fileText(numberedNames(8))));
        QSignalSpy spy(&editor, &EditorWindow::signalSelectionChanged);
        selectRows(editor, 1, 3);
        selectRows(editor, 6, 6);
        selectRows(editor, 2, 3); // overlapping blocks count each row once
        QCOMPARE(editor.ui().selectedCount->text(), QString("Selected: 4"));
        QCOMPARE(spy.last().at(0).toLongLong(), 4LL);
        QCOMPARE(editor.selectedRecordNumbers(), std::vector<int>({1, 2, 3, 6}));
    }

    void cancelButtonEmptiesWindow()
    {
        hcmEditMDI editor(CheckOptions{});
        QVERIFY(editor.load(write("big.hcm", fileText(numberedNames(40000)))));
        QVERIFY(editor.ui().buttonCancel->isVisibleTo(&editor));
        QTest::mouseClick(editor.ui().buttonCancel, Qt::LeftButton);
        QVERIFY(waitIdle(editor));
        QTRY_VERIFY(editor.ui().progress->isHidden());
        QCOMPARE(editor.rowCount(), 0);
    }

    // A clean file gets a message instead of an empty list.
    void checkOfCleanFileSaysSo()
    {
        ScriptedPrompts prompts;
        hcmEditMDI editor(CheckOptions{});
        loadInto(editor, write("check.hcm", fileText({"CLEAN"})));
        editor.checkSyntax();
        QVERIFY(waitIdle(editor));
        QTRY_COMPARE(prompts.messages().size(), 1);
        QCOMPARE(prompts.messages().at(0).message.text, QString("No syntax errors found in the file\ncheck.hcm"));
        QVERIFY(!editor.errorList()->isVisible());
    }

    void compareSummaryActionAndLists()
    {
        ScriptedPrompts prompts;
        hcmEditMDI editor(CheckOptions{});
        loadInto(editor, write("main.hcm", fileText({"A", "B", "C"})));
        const QString aux = write("aux.hcm", recordLine("B2", 1) + '\r' + recordLine("X", 7) + '\r');
        editor.compareWith(aux);
        HCMFileCompare* summary = editor.compareDialog();
        QTRY_VERIFY(summary->isVisible());
        QVERIFY(editor.cursor().shape() != Qt::WaitCursor);
        QCOMPARE(summary->lblTotal->text() + summary->lblMatched->text() + summary->lblNotMatched->text(), QString("211"));

        summary->cbAction->setCurrentIndex(0);
        QTest::mouseClick(summary->pbDo, Qt::LeftButton);
        QTRY_COMPARE(prompts.messages().size(), 1);
        QCOMPARE(prompts.messages().at(0).message.text, QString("Done!"));
        QCOMPARE(editor.rowCount(), 2);
        QCOMPARE(summary->lblMatched->text() + summary->lblNotMatched->text(), QString("02"));
        QVERIFY(editor.ui().twList->updatesEnabled());
    }

    void unreadableAuxiliaryIsReported()
    {
        ScriptedPrompts prompts;
        hcmEditMDI editor(CheckOptions{});
        loadInto(editor, write("main2.hcm", fileText({"A"})));
        const QString missing = m_dir.filePath("missing-aux.hcm");
        editor.compareWith(missing);
        QTRY_COMPARE(prompts.messages().size(), 1);
        QCOMPARE(prompts.messages().at(0).message.text, QString("Could not load file:\n") + missing);
        QVERIFY(editor.cursor().shape() != Qt::WaitCursor);
        QVERIFY(!editor.compareDialog()->isVisible());
        QVERIFY(!editor.isModified());
    }

    void detailedComparisonListsDifferences()
    {
        hcmEditMDI editor(CheckOptions{});
        loadInto(editor, write("main3.hcm", fileText({"A", "B"})));
        editor.compareWith(write("aux3.hcm", recordLine("B CHANGED", 1) + '\r' + recordLine("A", 0) + '\r'));
        QTRY_VERIFY(editor.compareDialog()->isVisible());
        editor.compareDialog()->cbAction->setCurrentIndex(3);
        QTest::mouseClick(editor.compareDialog()->pbDo, Qt::LeftButton);
        CMPRESView* view = editor.compareTable()->view();
        QTRY_VERIFY(view->isVisible());
        QCOMPARE(view->table->model()->rowCount(), 1);
        view->table->setCurrentIndex(view->table->model()->index(0, 0));
        QCOMPARE(view->tableP->rowCount(), 1);
        QCOMPARE(view->tableP->item(0, 2)->text(), QString("B CHANGED"));
    }

    void closePromptKeepsWindowWhenNotSaved()
    {
        ScriptedPrompts prompts;
        QMdiArea area;
        auto* editor = new hcmEditMDI(CheckOptions{});
        QMdiSubWindow* sub = area.addSubWindow(editor);
        area.show();
        editor->addRecord();
        QSignalSpy saveAs(editor, &EditorWindow::saveAsRequested);
        prompts.answer(QMessageBox::Yes);
        QVERIFY(!sub->close());
        QCOMPARE(saveAs.size(), 1);
        QCOMPARE(prompts.messages().at(0).message.title, QString("Save file?"));
        // No: the changes are dropped and the window goes.
        prompts.answer(QMessageBox::No);
        QVERIFY(sub->close());
    }

private:
    QString write(const QString& name, const QByteArray& text) { return writeIn(m_dir, name, text); }

    // Loads and leaves no row selected, so each test chooses its own rows.
    void loadInto(hcmEditMDI& editor, const QString& file)
    {
        QVERIFY(editor.load(file));
        QVERIFY(waitIdle(editor));
        QTRY_VERIFY(editor.ui().progress->isHidden());
        editor.ui().twList->clearSelection();
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestHcmEditMdi)
#include "tst_hcmeditmdi.moc"
