#include "calc.h"

#include "calcthread.h"
#include "fileversion.h"
#include "stationline.h"

#include <QFile>
#include <QThread>

#include <algorithm>

CALC::CALC(const QString& terrainPath, const QString& libraryPath, QObject* parent)
    : QObject(parent), m_terrainPath(terrainPath), m_libraryPath(libraryPath)
{
    loadLibrary();
}

CALC::~CALC()
{
    // A run still going holds pointers into this object and calls into the
    // library: it must end before either goes away.
    m_cancel = true;
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
    m_library.unload();
}

void CALC::loadLibrary()
{
    if (m_library.isLoaded())
        m_library.unload();
    m_hcmfsV2 = nullptr;
    m_hcmfsAnnex11 = nullptr;
    m_hcmfsConcurrency = nullptr;
    m_libraryVersion.clear();
    m_library.setFileName(m_libraryPath);
    if (!m_library.load()) {
        m_error = 4;
        return;
    }
    m_libraryVersion = fileVersionText(m_library.fileName());
    m_hcmfsV2 = reinterpret_cast<HCMFS_V2_Fn>(m_library.resolve("HCMFS_V2"));
    if (!m_hcmfsV2) {
        m_error = 4;
        return;
    }
    m_hcmfsAnnex11 = reinterpret_cast<HCMFS_ANNEX11_1_Fn>(m_library.resolve("HCMFS_ANNEX11_1"));
    if (!m_hcmfsAnnex11)
        m_error = 4;
    // Optional: libraries that do not know of it are called one at a time.
    m_hcmfsConcurrency = reinterpret_cast<HCMFS_CONCURRENCY_Fn>(m_library.resolve("HCMFS_CONCURRENCY"));
}

int CALC::threadsUsed() const
{
    const int wanted = m_threads > 0 ? m_threads : QThread::idealThreadCount();
    if (!m_hcmfsConcurrency || wanted <= 1)
        return 1;
    const int allowed = m_hcmfsConcurrency();
    if (allowed == 0)
        return wanted;
    return allowed > 0 ? std::min(wanted, allowed) : 1;
}

QString CALC::errorMessage(int code)
{
    switch (code) {
    case 1:
        return tr("Could not read HCM testing data file!");
    case 2:
        return tr("Could not read HCM reference data file!");
    case 3:
        return tr("Could not find the requested link!");
    case 4:
        return tr("Could not load HCM library (DLL)!");
    case 5:
        return tr("Could not open the report file for writing!");
    case 6:
        return tr("Could not create report file!");
    case 7:
        return tr("Could not write the report file!");
    case 8:
        return tr("The detailed calculation failed!");
    default:
        return QString();
    }
}

QString CALC::errorText() const
{
    const QString message = errorMessage(m_error.load());
    if (m_errorDetail.isEmpty() || message.isEmpty())
        return message;
    return message + QLatin1Char(' ') + m_errorDetail;
}

bool CALC::beginStart(int mode)
{
    if (m_running)
        return false;
    m_error = 0;
    m_errorDetail.clear();
    // A detailed run works on the lists of the run before it; it only needs
    // its own picks and must not inherit the cancel of an earlier run.
    m_cancel = false;
    m_runMode = mode;
    if (mode == DetailedMode) {
        m_detailed.clear();
        return true;
    }
    m_calcMode = mode;
    m_testing.clear();
    m_reference.clear();
    return true;
}

void CALC::readList(const QString& fileName, QList<QByteArray>* list, int errorCode)
{
    if (!readStationLines(fileName, list)) {
        list->clear();
        m_error = errorCode;
    }
}

int CALC::loadStationLists(const QString& testingFile, const QString& referenceFile)
{
    if (m_running)
        return -1;
    m_error = 0;
    m_errorDetail.clear();
    m_testing.clear();
    m_reference.clear();
    m_testingFile = testingFile;
    m_referenceFile = referenceFile;
    readList(testingFile, &m_testing, 1);
    if (m_error == 0)
        readList(referenceFile, &m_reference, 2);
    return m_error;
}

bool CALC::startListCalculation(const QString& testingFile, const QString& referenceFile, const QString& reportFile,
                                double tdThreshold, double frequencyLimit, double distanceLimit,
                                double repeaterDistanceLimit)
{
    if (!beginStart(ListToListMode))
        return false;
    m_testingFile = testingFile;
    m_referenceFile = referenceFile;
    readList(testingFile, &m_testing, 1);
    readList(referenceFile, &m_reference, 2);
    startThread(reportFile, tdThreshold, QByteArray(), frequencyLimit, distanceLimit, repeaterDistanceLimit);
    return true;
}

bool CALC::startSingleCalculation(const QString& file, const QString& reportFile)
{
    if (!beginStart(SingleEntryMode))
        return false;
    m_testingFile = file;
    m_referenceFile.clear();
    readList(file, &m_testing, 1);
    startThread(reportFile, 0.0, QByteArray(), 0.0, 1000.0, 1000.0);
    return true;
}

bool CALC::startDetailedCalculation(const std::array<LinePick, 4>& picks, const QString& detailedFile)
{
    if (!beginStart(DetailedMode))
        return false;
    for (const LinePick& pick : picks) {
        if (pick.index < 0)
            continue;
        const QList<QByteArray>& list = pick.testing ? m_testing : m_reference;
        if (pick.index >= list.size()) {
            m_error = 3;
            continue;
        }
        m_detailed.append(list.at(pick.index));
    }
    startThread(QString(), 0.0, QFile::encodeName(detailedFile));
    return true;
}

bool CALC::startTriggerCalculation(const QString& file, const QString& reportFile)
{
    if (!beginStart(TriggerMode))
        return false;
    m_testingFile = file;
    m_referenceFile.clear();
    readList(file, &m_testing, 1);
    startThread(reportFile, 0.0, QByteArray());
    return true;
}

void CALC::startThread(const QString& reportFile, double threshold, const QByteArray& detailedFile,
                       double frequencyLimit, double distanceLimit, double repeaterDistanceLimit)
{
    if (m_thread) {
        // The previous run has ended (its finished signal came through);
        // only its last instructions may still be under way.
        m_thread->wait();
        delete m_thread;
    }
    calcThread::Setup setup;
    setup.calcMode = m_runMode;
    setup.hcmfsV2 = m_hcmfsV2;
    setup.hcmfsAnnex11 = m_hcmfsAnnex11;
    setup.terrainPath = QFile::encodeName(m_terrainPath);
    setup.testingFile = m_testingFile;
    setup.referenceFile = m_referenceFile;
    setup.reportFile = reportFile;
    setup.detailedFile = detailedFile;
    setup.threshold = threshold;
    setup.libraryVersion = m_libraryVersion;
    setup.testing = &m_testing;
    setup.reference = &m_reference;
    setup.detailed = &m_detailed;
    setup.error = &m_error;
    setup.cancel = &m_cancel;
    setup.limits.frequency = frequencyLimit;
    setup.limits.distance = distanceLimit;
    setup.limits.repeaterDistance = repeaterDistanceLimit;
    if (m_runMode == ListToListMode) {
        setup.threads = threadsUsed();
        setup.part = m_part;
        setup.parts = m_parts;
    }

    calcThread* thread = new calcThread(setup);
    m_thread = thread;
    connect(thread, &calcThread::calcProgressChanged, this, &CALC::changeProgress, Qt::QueuedConnection);
    connect(thread, &QThread::started, this, &CALC::calcStarted, Qt::QueuedConnection);
    if (m_runMode == DetailedMode)
        connect(thread, &QThread::finished, this, &CALC::finishedDetCalc, Qt::QueuedConnection);
    else
        connect(thread, &QThread::finished, this, &CALC::calcFinished, Qt::QueuedConnection);
    m_running = true;
    m_statistics = CalcStatistics();
    thread->start(QThread::InheritPriority);
}

void CALC::cancelCalculations()
{
    m_cancel = true;
}

void CALC::changeProgress(int value, int max)
{
    emit calcProgressChanged(value, max);
}

void CALC::calcStarted()
{
    emit started();
}

void CALC::endRun()
{
    if (m_thread) {
        m_thread->wait();
        m_statistics = m_thread->statistics();
        m_errorDetail = m_thread->errorDetail();
    }
    m_running = false;
}

void CALC::calcFinished()
{
    endRun();
    emit finished(m_calcMode);
}

void CALC::finishedDetCalc()
{
    endRun();
    emit finishedDC();
}
