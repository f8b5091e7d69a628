#include "trigger/borderlocation.h"

#include "trigger/borderfile.h"

#if defined(_WIN32)
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  ifndef WIN32_LEAN_AND_MEAN
#    define WIN32_LEAN_AND_MEAN
#  endif
#  include <windows.h>
#else
#  include <dlfcn.h>
#endif

#include <vector>

namespace hcmfs::trigger {

namespace {

bool isNamedBorder(const std::string& name)
{
    static const char kName[] = "border";
    if (name.size() != sizeof kName - 1)
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != kName[i])
            return false;
    }
    return true;
}

bool holdsBorderFiles(const std::filesystem::path& dir)
{
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec);
    for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code entryEc;
        if (it->is_regular_file(entryEc) && !borderFileCode(it->path().filename().u8string()).empty())
            return true;
    }
    return false;
}

// The BORDER sub-folder in any letter case. Exact "BORDER", then "border" are
// preferred so that the choice does not depend on listing order.
std::filesystem::path borderSubfolder(const std::filesystem::path& dir)
{
    std::error_code ec;
    for (const char* name : {"BORDER", "border"}) {
        const std::filesystem::path candidate = dir / name;
        if (std::filesystem::is_directory(candidate, ec))
            return candidate;
    }
    std::filesystem::directory_iterator it(dir, ec);
    for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code entryEc;
        if (it->is_directory(entryEc) && isNamedBorder(it->path().filename().u8string()))
            return it->path();
    }
    return {};
}

} // namespace

std::filesystem::path libraryDirectory()
{
#if defined(_WIN32)
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
                                | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&libraryDirectory), &module))
        return {};
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0)
            return {};
        if (n < name.size())
            return std::filesystem::path(std::wstring(name.data(), n)).lexically_normal().parent_path();
        name.resize(name.size() * 2);
        if (name.size() > 32768)
            return {};
    }
#else
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&libraryDirectory), &info) == 0 || !info.dli_fname)
        return {};
    std::error_code ec;
    const std::filesystem::path file = std::filesystem::absolute(info.dli_fname, ec);
    return ec ? std::filesystem::path() : file.lexically_normal().parent_path();
#endif
}

std::filesystem::path findBorderFolder(const std::filesystem::path& dir)
{
    if (dir.empty())
        return {};
    const std::filesystem::path sub = borderSubfolder(dir);
    if (!sub.empty())
        return sub;
    return holdsBorderFiles(dir) ? dir : std::filesystem::path();
}

std::filesystem::path defaultBorderFolder()
{
    const std::filesystem::path dir = libraryDirectory();
    return dir.empty() ? dir : borderSubfolder(dir);
}

std::filesystem::path resolveBorderFolder(const std::string& dataRoot)
{
    try {
        if (!dataRoot.empty()) {
            const std::filesystem::path found = findBorderFolder(std::filesystem::u8path(dataRoot));
            if (!found.empty())
                return found;
        }
        return defaultBorderFolder();
    } catch (...) {
        // A path text the system cannot represent, or memory exhausted: no folder.
        return {};
    }
}

} // namespace hcmfs::trigger
