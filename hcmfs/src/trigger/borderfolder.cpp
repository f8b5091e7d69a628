#include "trigger/borderfolder.h"

#include "trigger/borderfile.h"

#include <algorithm>
#include <map>

namespace hcmfs::trigger {

namespace {

// Lower rank wins when two files claim one code.
std::pair<int, std::string> rank(const std::filesystem::path& file)
{
    const std::string name = file.filename().u8string();
    return {isFullOutlineFile(name) ? 0 : 1, name};
}

} // namespace

int listBorderFiles(const std::filesystem::path& folder, std::vector<BorderFileEntry>& files)
{
    files.clear();
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec)
        return kBorderDataUnreadable;
    std::map<std::string, BorderFileEntry> chosen;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
        std::error_code entryEc;
        const std::string code = borderFileCode(it->path().filename().u8string());
        if (code.empty())
            continue;
        // A border file that cannot be read as one (a dangling link, a
        // folder) is damaged border data: skipping it would drop its country
        // from every answer without a word.
        if (!it->is_regular_file(entryEc))
            return kBorderDataUnreadable;
        auto found = chosen.find(code);
        if (found != chosen.end() && rank(found->second.path) <= rank(it->path()))
            continue;
        BorderFileEntry entry;
        entry.code = code;
        entry.path = it->path();
        entry.size = it->file_size(entryEc);
        entry.modified = static_cast<std::int64_t>(it->last_write_time(entryEc).time_since_epoch().count());
        chosen[code] = std::move(entry);
    }
    if (ec || chosen.empty())
        return kBorderDataUnreadable;
    for (auto& [code, entry] : chosen)
        files.push_back(std::move(entry));
    return 0;
}

} // namespace hcmfs::trigger
