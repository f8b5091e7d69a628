// The detailed calculation report: plain text an engineer can follow line by
// line and check by hand.
#ifndef HCMFS_REPORT_H
#define HCMFS_REPORT_H

#include "calculation.h"

#include <string>

namespace hcmfs {

std::string formatReport(const Calculation& calc);

// Writes (replaces) the file; false when it cannot be written completely.
bool writeTextFile(const std::string& path, const std::string& text);

} // namespace hcmfs

#endif
