#include "trigger/bordercache.h"

#include "trigger/borderfolder.h"

#include <list>
#include <mutex>
#include <string>
#include <vector>

namespace hcmfs::trigger {

namespace {

// A handful of folders at most are used in one run; the oldest goes when a
// further one arrives so that a long-running process never grows without bound.
constexpr std::size_t kMaxFolders = 4;

struct CachedFolder
{
    std::filesystem::path folder;
    std::vector<BorderFileEntry> files;
    std::shared_ptr<const BorderSet> set;
};

class BorderCache
{
public:
    int get(const std::filesystem::path& folder, std::shared_ptr<const BorderSet>& set)
    {
        set.reset();
        std::error_code ec;
        std::filesystem::path key = std::filesystem::weakly_canonical(folder, ec);
        if (ec)
            key = folder;
        // Listing the folder costs far less than reading it and tells whether
        // the set held is still the folder's content.
        std::vector<BorderFileEntry> files;
        if (listBorderFiles(key, files) != 0)
            return kBorderDataUnreadable;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            for (const CachedFolder& cached : m_folders) {
                if (cached.folder == key && cached.files == files) {
                    set = cached.set;
                    return 0;
                }
            }
        }
        // Read without holding the lock: a slow disk must not stall callers
        // whose folders are already cached. Two threads may read the same folder
        // at once; both results are equal and the later one is kept.
        std::shared_ptr<const BorderSet> loaded;
        if (BorderSet::load(key, loaded) != 0)
            return kBorderDataUnreadable;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_folders.remove_if([&](const CachedFolder& c) { return c.folder == key; });
        m_folders.push_front({key, std::move(files), loaded});
        if (m_folders.size() > kMaxFolders)
            m_folders.pop_back();
        set = std::move(loaded);
        return 0;
    }

private:
    std::mutex m_mutex;
    std::list<CachedFolder> m_folders;
};

} // namespace

int cachedBorderSet(const std::filesystem::path& folder, std::shared_ptr<const BorderSet>& set)
{
    static BorderCache cache;
    return cache.get(folder, set);
}

} // namespace hcmfs::trigger
