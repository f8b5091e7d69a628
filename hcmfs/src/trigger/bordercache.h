// Border sets already read, kept per folder for the life of the process.
#ifndef HCMFS_TRIGGER_BORDERCACHE_H
#define HCMFS_TRIGGER_BORDERCACHE_H

#include "trigger/borderset.h"

#include <filesystem>
#include <memory>

namespace hcmfs::trigger {

// The indexed border set of a folder. Reads the folder on first use and again
// whenever its border files change (name, size or modification time), so a
// refreshed data set is picked up without a restart; otherwise the set read
// before is shared. Safe to call from several threads. Returns 0, or
// kBorderDataUnreadable as BorderSet::load does; a failure is not remembered,
// so a repaired folder works on the next call.
int cachedBorderSet(const std::filesystem::path& folder, std::shared_ptr<const BorderSet>& set);

} // namespace hcmfs::trigger

#endif
