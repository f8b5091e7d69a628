#include "csvtable.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <system_error>

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
    // std::from_chars ignores the process locale, so a user's decimal comma
    // never leaks into the tables or the records.
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    if (b == e)
        return false;
    const char* first = text.data() + b;
    const char* last = text.data() + e;
    if (*first == '+') // written by some tools, not accepted by from_chars
        ++first;
    double v = 0;
    const std::from_chars_result r = std::from_chars(first, last, v);
    if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

} // namespace hcmfs
