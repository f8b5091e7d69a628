#ifndef REPORTWINDOW_H
#define REPORTWINDOW_H

#include <QFrame>
#include <QString>

class QAction;

// Everything a report window is created with.
struct ReportSetup
{
    QString terrainPath;
    QString libraryPath;
    QString reportFile;
    QString detailFile;
    double frequencyTxRx = 300.0;
    double distanceTxRx = 1000.0;
    double distancePTxRx = 2.0;
    // Library calls a list-to-list run may make at once.
    int threads = 1;
};

// What the main window needs of a calculation report window in its MDI area.
class ReportWindow : public QFrame
{
    Q_OBJECT
public:
    using QFrame::QFrame;

    QAction* windowAction() const { return m_windowAction; }
    virtual void setWindowAction(QAction* action) { m_windowAction = action; }

    // The report file currently shown.
    virtual QString reportFile() const = 0;
    virtual void openReport(const QString& path) = 0;
    virtual void startCalculation(const QString& testingFile, const QString& referenceFile,
                                  float threshold, bool listToList) = 0;
    virtual void startTrigger(const QString& file) = 0;

signals:
    // The window's state changed in a way the main window's actions follow
    // (a run finished, the window is closing).
    void actionStateChanged();

private:
    QAction* m_windowAction = nullptr;
};

#endif
