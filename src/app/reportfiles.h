#ifndef REPORTFILES_H
#define REPORTFILES_H

#include <QString>

// Numbers the report files of one run: "report" N ".lwrpt" with its detailed
// calculation file "detreport" N ".txt", both in the per-user data folder.
// Files left by a run that ended abnormally keep their names; a new report
// never writes into one of them.
class ReportFiles
{
public:
    struct Names
    {
        QString report;
        QString detail;
    };

    explicit ReportFiles(const QString& folder) : m_folder(folder) {}

    Names next();
    // A number that is used up without files (a trigger run takes two).
    void skip() { ++m_counter; }
    int counter() const { return m_counter; }

private:
    QString m_folder;
    int m_counter = 0;
};

#endif
