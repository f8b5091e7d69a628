#include "csvtable.h"

#include <cmath>
#include <sstream>

namespace hcmfs {

std::vector<CsvRow> parseCsvTable(const char* text)
{
    std::vector<CsvRow> rows;
    std::istringstream in(text ? text : "");
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (header) {
            header = false;
            continue;
        }
        CsvRow row;
        std::string cell;
        std::istringstream cells(line);
        while (std::getline(cells, cell, ','))
            row.push_back(cell);
        rows.push_back(std::move(row));
    }
    return rows;
}

bool parseNumber(const std::string& text, double& value)
{
    // std::istringstream uses the classic locale unless told otherwise, so a
    // user's decimal comma never leaks into the tables or the records.
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    if (b == e)
        return false;
    std::istringstream in(text.substr(b, e - b));
    in.imbue(std::locale::classic());
    double v = 0;
    in >> v;
    if (in.fail() || !in.eof() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

} // namespace hcmfs
