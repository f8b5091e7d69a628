#include "datalocations.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace hcmfs {
namespace {

std::string trim(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string unescape(std::string v)
{
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        v = v.substr(1, v.size() - 2);
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '\\' && i + 1 < v.size() && v[i + 1] == '\\')
            ++i;
        out.push_back(v[i]);
    }
    return out;
}

// A folder that holds a sub-folder of the given name (TOPO, BORDER...) in
// upper or lower case.
std::string subFolder(const std::string& root, const char* name)
{
    const std::string upperPath = joinPath(root, name);
    if (isDirectory(upperPath))
        return upperPath;
    const std::string lowerPath = joinPath(root, lower(name));
    if (isDirectory(lowerPath))
        return lowerPath;
    return std::string();
}

} // namespace

bool isDirectory(const std::string& path)
{
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == S_IFDIR;
}

std::string parentFolder(const std::string& path)
{
    std::string p = path;
    while (p.size() > 1 && (p.back() == '/' || p.back() == '\\'))
        p.pop_back();
    const std::size_t sep = p.find_last_of("/\\");
    if (sep == std::string::npos)
        return std::string();
    return sep == 0 ? p.substr(0, 1) : p.substr(0, sep);
}

std::string joinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty())
        return name;
    const char last = dir.back();
    return (last == '/' || last == '\\') ? dir + name : dir + "/" + name;
}

std::string machineSettingsPath()
{
    if (const char* env = std::getenv("LINKWISE_MACHINE_INI")) {
        if (*env)
            return env;
    }
#if defined(_WIN32)
    const char* programData = std::getenv("ProgramData");
    return std::string(programData && *programData ? programData : "C:\\ProgramData") + "\\Linkwise\\linkwise.ini";
#else
    return "/etc/xdg/Linkwise/linkwise.ini";
#endif
}

std::map<std::string, std::string> readIniGeneral(const std::string& path)
{
    std::map<std::string, std::string> out;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return out;
    std::string line;
    bool inGeneral = true;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            const std::string section = lower(trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            inGeneral = section == "general";
            continue;
        }
        if (!inGeneral)
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        out[lower(trim(line.substr(0, eq)))] = unescape(trim(line.substr(eq + 1)));
    }
    return out;
}

DataLocations resolveDataLocations(const std::string& terrainArgument, bool withBorder)
{
    DataLocations loc;
    if (!terrainArgument.empty()) {
        // Callers written for older libraries pass only a drive letter whose
        // root holds TOPO/ (and MORPHO/, BORDER/).
        std::string root = terrainArgument;
        if (root.size() == 1 && std::isalpha(static_cast<unsigned char>(root[0])))
            root += ":/";
        else if (root.size() == 2 && root[1] == ':' && std::isalpha(static_cast<unsigned char>(root[0])))
            root += "/";
        loc.root = root;
        loc.origin = "terrain argument " + terrainArgument;
        const std::string topo = subFolder(root, "TOPO");
        loc.topo = topo.empty() ? root : topo;
        loc.topoFound = !topo.empty();
        loc.morpho = subFolder(root, "MORPHO");
        if (loc.morpho.empty() && topo.empty())
            loc.morpho = subFolder(parentFolder(root), "MORPHO"); // the root named is TOPO itself
        if (withBorder) {
            const std::string border = subFolder(root, "BORDER");
            loc.border = border.empty() ? root : border;
        }
        return loc;
    }
    const std::string ini = machineSettingsPath();
    const std::map<std::string, std::string> keys = readIniGeneral(ini);
    auto value = [&](const char* key) {
        const auto it = keys.find(key);
        return it == keys.end() ? std::string() : it->second;
    };
    loc.topo = value("topo");
    loc.morpho = value("morpho");
    loc.border = value("border");
    if (!loc.topo.empty()) {
        const std::string topo = subFolder(loc.topo, "TOPO");
        loc.root = loc.topo;
        if (!topo.empty())
            loc.topo = topo;
        loc.topoFound = !topo.empty();
    }
    loc.origin = loc.topo.empty() && loc.border.empty() ? "no terrain configured (settings file " + ini + ")"
                                                        : "settings file " + ini;
    return loc;
}

} // namespace hcmfs
