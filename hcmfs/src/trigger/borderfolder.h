// The border files of one folder: which file stands for which country.
#ifndef HCMFS_TRIGGER_BORDERFOLDER_H
#define HCMFS_TRIGGER_BORDERFOLDER_H

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace hcmfs::trigger {

struct BorderFileEntry
{
    std::string code;            // upper case
    std::filesystem::path path;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;   // file time ticks, only compared for change

    bool operator==(const BorderFileEntry& o) const
    {
        return code == o.code && path == o.path && size == o.size && modified == o.modified;
    }
};

// Lists the border file chosen for each code, ordered by code: `<CODE>.ALL`
// before `<CODE>.000`; between names differing only in letter case, the first
// in byte order. Other files are ignored. Returns 0, or kBorderDataUnreadable
// when the folder cannot be listed or holds no border file.
int listBorderFiles(const std::filesystem::path& folder, std::vector<BorderFileEntry>& files);

} // namespace hcmfs::trigger

#endif
