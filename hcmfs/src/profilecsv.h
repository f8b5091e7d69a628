// Reader for terrain profiles in the comma-separated layout of the ITU-R
// P.452 validation examples: distance (km), height (m), clutter height (m),
// zone letter, zone number (1 coastal land, 2 inland, 3 sea). Only the first
// two columns are required. Whitespace-separated two-column files (distance,
// height) are read as well.
#ifndef HCMFS_PROFILECSV_H
#define HCMFS_PROFILECSV_H

#include "p452.h"

#include <string>

namespace hcmfs {

// Returns true and fills the profile; on failure returns false with a message.
bool readProfileFile(const std::string& path, P452Profile& profile, std::string& message);

} // namespace hcmfs

#endif
