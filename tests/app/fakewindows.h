#ifndef FAKEWINDOWS_H
#define FAKEWINDOWS_H

#include "ui/calcfilesdialog.h"
#include "ui/downloadcentre.h"
#include "ui/editorwindow.h"
#include "ui/reportwindow.h"

#include <QAction>
#include <QStringList>

// Stand-ins for the editor and report windows: they do what the main window
// asks of them in memory and record every call.
class FakeEditor : public EditorWindow
{
    Q_OBJECT
public:
    explicit FakeEditor(const CheckOptions& options) : options(options) { setWindowTitle("no name"); }

    int rowCount() const override { return rows; }
    int currentRow() const override { return current; }
    QString fileName() const override { return name; }
    void setFileName(const QString& path) override
    {
        name = path;
        setWindowTitle(path);
        if (windowAction())
            windowAction()->setText(path);
    }
    bool includeHeader() const override { return header; }
    bool isModified() const override { return modified; }
    void setModified(bool m) override { modified = m; }
    bool load(const QString& path) override
    {
        calls << QStringLiteral("load ") + path;
        setFileName(path);
        return loadResult;
    }
    // Recorded as "path header tableOrder", e.g. "/x.txt 1 0".
    bool write(const QString& path, bool includeHeader, bool tableOrder) override
    {
        writes << QStringLiteral("%1 %2 %3").arg(path).arg(includeHeader).arg(tableOrder);
        modified = modified && !writeResult; // a failed write keeps the changes
        return writeResult;
    }
    void addRecord() override { calls << QStringLiteral("add"); ++rows; modified = true; }
    void duplicateRecords() override { calls << QStringLiteral("duplicate"); }
    void removeRecords() override { calls << QStringLiteral("remove"); }
    void setValue(const QString& field, const QString& v) override { calls << "set " + field + "=" + v; }
    void checkSyntax() override { calls << QStringLiteral("check"); }
    void compareWith(const QString& path) override { calls << QStringLiteral("compare ") + path; }
    void exportToGoogleEarth(bool tower, const QString& f) override
    {
        calls << QStringLiteral("kml %1 ").arg(tower) + f;
    }
    void setOptions(const CheckOptions& o) override { options = o; }
    void assignMaskPoints(const QStringList& frequencies, const QStringList& attenuations) override
    {
        calls << QStringLiteral("mask %1 / %2").arg(frequencies.join(QLatin1Char(',')),
                                                   attenuations.join(QLatin1Char(',')));
        modified = true;
    }

    void select(int rowCount, int currentRowIndex)
    {
        rows = rowCount;
        current = currentRowIndex;
        emit signalSelectionChanged(currentRowIndex < 0 ? 0 : 1);
    }

    int rows = 0;
    int current = -1;
    QString name;
    bool header = true;
    bool modified = false;
    bool loadResult = true;
    bool writeResult = true;
    CheckOptions options;
    QStringList calls;
    QStringList writes;
};

class FakeReport : public ReportWindow
{
    Q_OBJECT
public:
    explicit FakeReport(const ReportSetup& setup) : setup(setup), file(setup.reportFile) {}

    QString reportFile() const override { return file; }
    void openReport(const QString& path) override
    {
        file = path;
        calls << QStringLiteral("open ") + path;
    }
    void startCalculation(const QString& testing, const QString& reference, float threshold,
                          bool listToList) override
    {
        calls << QStringLiteral("calc %1 %2 %3 %4").arg(testing, reference).arg(threshold).arg(listToList);
    }
    void startTrigger(const QString& path) override { calls << QStringLiteral("trigger ") + path; }

    ReportSetup setup;
    QString file;
    QStringList calls;
};

class FakeCalcFiles : public CalcFilesDialog
{
    Q_OBJECT
public:
    using CalcFilesDialog::CalcFilesDialog;

    void setListToList(bool l) override { listToList = l; }
    QString testingFile() const override { return testing; }
    QString referenceFile() const override { return reference; }
    QString thresholdText() const override { return threshold; }

    bool listToList = false;
    QString testing;
    QString reference;
    QString threshold = QStringLiteral("1");
};

class FakeDownloadCentre : public DownloadCentre
{
    Q_OBJECT
public:
    FakeDownloadCentre(QWidget* parent, const DownloadCentreSetup& s) : DownloadCentre(parent), setup(s) {}

    void setTestMode(bool t) override { testMode = t; }
    void setDataFolders(const QString& t, const QString& m) override { setup.topo = t; setup.morpho = m; }
    void checkForNewVersion() override { ++checks; }

    DownloadCentreSetup setup;
    bool testMode = false;
    int checks = 0;
};

#endif
