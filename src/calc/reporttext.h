#ifndef REPORTTEXT_H
#define REPORTTEXT_H

#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

// A report file as plain text: the same words whether the command line
// prints it or the report window exports it.
namespace ReportText {

// Walks the file's results table, or its trigger table when it has no
// results, in file order: first the column labels, then each row as texts
// (numbers in the C locale, NULL as empty text). False when the file is not a
// report; version receives the stored library version.
bool forEachRow(const QString& reportFile, const std::function<void(const QStringList&)>& row,
                QString* version);

// One comma-separated line (RFC 4180 quoting), without its line end.
QString csvLine(const QStringList& fields);

// "HCM Library version:" and the version, then the table as CSV. Rows are
// streamed, so a report of a million rows is never held in memory.
// False when the file is not a report or the output fails; nothing is
// written for a file that is not a report.
bool writeCsv(const QString& reportFile, QIODevice* out);

} // namespace ReportText

#endif
