#include "refractivity.h"

#include "datalocations.h"
#include "trigger/borderlocation.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <vector>

namespace hcmfs {
namespace {

const int kRows = 121;
const int kCols = 241;

using Grid = std::vector<double>;

std::shared_ptr<const Grid> loadGrid(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return nullptr;
    auto grid = std::make_shared<Grid>();
    grid->reserve(kRows * kCols);
    double v = 0;
    while (grid->size() < static_cast<std::size_t>(kRows * kCols) && in >> v) {
        if (!std::isfinite(v))
            return nullptr;
        grid->push_back(v);
    }
    if (grid->size() != static_cast<std::size_t>(kRows * kCols))
        return nullptr;
    return grid;
}

// Maps are read once and kept; a map that appears, changes or goes away on
// disk is noticed through its size and modification time.
std::shared_ptr<const Grid> cachedGrid(const std::string& path)
{
    struct Entry {
        long long size = -1, mtime = 0;
        std::shared_ptr<const Grid> grid;
    };
    static std::mutex mutex;
    static std::map<std::string, Entry> grids;
    struct stat st;
    long long size = -1, mtime = 0;
    if (::stat(path.c_str(), &st) == 0) {
        size = static_cast<long long>(st.st_size);
        mtime = static_cast<long long>(st.st_mtime);
    }
    std::lock_guard<std::mutex> lock(mutex);
    Entry& e = grids[path];
    if (e.size != size || e.mtime != mtime) {
        e.size = size;
        e.mtime = mtime;
        e.grid = size > 0 ? loadGrid(path) : nullptr;
    }
    return e.grid;
}

double interpolate(const Grid& g, double lat, double lon)
{
    const double latOff = 90 - lat;
    const double lonOff = lon < 0 ? lon + 360 : lon;
    int r0 = static_cast<int>(std::floor(latOff / 1.5));
    int c0 = static_cast<int>(std::floor(lonOff / 1.5));
    r0 = std::max(0, std::min(r0, kRows - 1));
    c0 = std::max(0, std::min(c0, kCols - 1));
    const double fr = latOff / 1.5 - r0;
    const double fc = lonOff / 1.5 - c0;
    const int r1 = std::min(r0 + 1, kRows - 1);
    const int c1 = std::min(c0 + 1, kCols - 1);
    auto at = [&](int r, int c) { return g[static_cast<std::size_t>(r) * kCols + c]; };
    const double top = at(r0, c0) + (at(r0, c1) - at(r0, c0)) * fc;
    const double bottom = at(r1, c0) + (at(r1, c1) - at(r1, c0)) * fc;
    return top + (bottom - top) * fr;
}

} // namespace

Refractivity refractivityAt(const std::string& root, double lat, double lon)
{
    Refractivity r;
    r.source = "fixed values dN = 45 N-units/km, N0 = 325 N-units (no P.452 maps in the data root)";
    if (root.empty())
        return r;
    const std::shared_ptr<const Grid> dn = cachedGrid(joinPath(root, "DN50.TXT"));
    const std::shared_ptr<const Grid> n0 = cachedGrid(joinPath(root, "N050.TXT"));
    if (!dn || !n0)
        return r;
    r.dn = interpolate(*dn, lat, lon);
    r.n0 = interpolate(*n0, lat, lon);
    if (!(r.dn < 157) || !std::isfinite(r.n0)) {
        r = Refractivity();
        r.source = "fixed values (the P.452 maps in " + root + " give unusable values)";
        return r;
    }
    r.fromMaps = true;
    r.source = "P.452 maps DN50.TXT and N050.TXT in " + root + " at the path centre";
    return r;
}

std::string shippedMapsFolder()
{
    // The library does not move while it is loaded: find it once.
    static const std::string folder = trigger::libraryDirectory().u8string();
    return folder;
}

Refractivity refractivityForPath(const std::string& dataRoot, const std::string& topoFolder, double lat, double lon)
{
    const std::string folders[] = {dataRoot, topoFolder.empty() ? std::string() : parentFolder(topoFolder),
                                   shippedMapsFolder()};
    const char* const where[] = {"in the data root", "beside the topography folder", "shipped beside the library in"};
    for (int k = 0; k < 3; ++k) {
        if (k > 0 && folders[k] == folders[k - 1])
            continue; // the same maps again
        Refractivity r = refractivityAt(folders[k], lat, lon);
        if (r.fromMaps) {
            r.source = std::string("P.452 maps DN50.TXT and N050.TXT ") + where[k] + " " + folders[k]
                + ", interpolated at the path centre";
            return r;
        }
    }
    Refractivity fixed;
    fixed.source = "fixed values dN = 45 N-units/km, N0 = 325 N-units (no readable P.452 maps in the data root or beside the library)";
    return fixed;
}

} // namespace hcmfs
