// Small reader for the comma-separated data tables compiled into the library.
#ifndef HCMFS_CSVTABLE_H
#define HCMFS_CSVTABLE_H

#include <string>
#include <vector>

namespace hcmfs {

// One table row as texts; the first line of a table (its column names) is skipped.
using CsvRow = std::vector<std::string>;

std::vector<CsvRow> parseCsvTable(const char* text);

// Strict number parse in the C locale: the whole text must be a finite number.
bool parseNumber(const std::string& text, double& value);

} // namespace hcmfs

#endif
