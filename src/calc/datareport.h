#ifndef DATAREPORT_H
#define DATAREPORT_H

#include "resultrow.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include <memory>

class QSqlError;
class QSqlQueryModel;

// One report file: an SQLite database holding the results of one calculation
// run (table results, or trigger for the co-ordination trigger) and the
// version of the library that produced them (table version).
//
// Each instance has a connection of its own, used only on the thread that
// created the instance: a run writes through one dataReport on its worker
// thread while a window may be showing another report through its own.
//
// Rows are written inside transactions that are committed about every second
// and on close(), so that a large run is not held up by one disk sync per row
// and a cancelled run still keeps every row written so far.
//
// Writing never loses rows quietly: the first insert or commit that fails
// (a full disk, a reader that holds the file too long) rolls the open batch
// back, refuses every later row and keeps its message in lastError(); the
// rows committed before it stay and storedRows() counts them. A commit that
// finds the file busy waits for the other side and tries again.
class dataReport : public QObject
{
    Q_OBJECT

public:
    // Why the last read of a table failed.
    enum ReadProblem { NoProblem, NotReport, ForeignTable, Damaged, Busy };

    explicit dataReport(const QString& fileName, QObject* parent = nullptr);
    ~dataReport() override;

    // Open the file for writing and (re)create the tables of a list or
    // single-entry run, or of a trigger run; whatever an earlier run left in
    // the file is dropped. False when the file cannot be opened or a table
    // cannot be made.
    bool createResultsSchema();
    bool createTriggerSchema();

    bool storeVersion(const QString& version);
    // Marks the report as one part of a run split over several machines.
    bool storePart(const QString& run, int part, int parts);
    QString readVersion();

    // False once writing has failed; see lastError().
    bool insertResult(const ResultRow& row);
    bool insertTrigger(const QString& name, const QString& reference, const QString& countries, int error);

    // Fill model() with the results or trigger table, labelled for display.
    // False when the file is not a report of that kind, or cannot be read:
    // readProblem() says which.
    bool readResults();
    bool readTrigger();
    QSqlQueryModel* model() const { return m_model; }
    // Fetches every row into model(); false when reading stopped early on a
    // damaged or busy file (readProblem() and lastError() say so).
    bool fetchAll();
    ReadProblem readProblem() const { return m_readProblem; }

    // Commits pending rows when the last commit is a second old or more.
    bool commitIfDue();
    // Commits what is pending and closes; false when that commit failed.
    bool close();

    bool writeFailed() const { return m_writeFailed; }
    QString lastError() const { return m_lastError; }
    // Rows of this instance that are committed to the file.
    qint64 storedRows() const { return m_storedRows; }
    // How long one commit waits for a busy file, and how often it tries.
    void setBusyWait(int timeoutMs, int attempts);

    QString fileName() const { return m_fileName; }

    static QStringList resultLabels();
    static QStringList triggerLabels();
    // How a library value is stored: six significant digits, and -2222 for
    // values that have no number (infinite or not a number).
    static double storedValue(double value);

private:
    bool openForWriting();
    bool openForReading();
    bool createSchema(const char* dropFirst, const char* dropSecond, const char* createStatement);
    bool execute(const QString& statement);
    bool dropTableIfPresent(const QString& table);
    bool readTable(const char* table, const char* createStatement, const QStringList& labels);
    bool readFailed(ReadProblem problem, const QString& message);
    bool beginBatch();
    bool commitBatch();
    bool failWriting(const QString& what, const QSqlError& error);
    bool storeRow(QSqlQuery& insert);

    QString m_fileName;
    QString m_connectionName;
    QSqlDatabase m_db;
    std::unique_ptr<QSqlQuery> m_resultInsert;
    std::unique_ptr<QSqlQuery> m_triggerInsert;
    QSqlQueryModel* m_model;
    QElapsedTimer m_batchAge;
    bool m_inBatch = false;
    bool m_readOnly = false;
    bool m_writeFailed = false;
    qint64 m_pendingRows = 0;
    qint64 m_storedRows = 0;
    int m_busyTimeoutMs = 10000;
    int m_commitAttempts = 6;
    ReadProblem m_readProblem = NoProblem;
    QString m_lastError;
};

#endif
