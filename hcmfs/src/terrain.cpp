#include "terrain.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <sys/stat.h>

namespace hcmfs {
namespace {

const std::size_t kHcm33Bytes = 144u * 101u * 101u * 2u;
const std::size_t kHcm63Bytes = 144u * 101u * 51u * 2u;
const std::size_t kHgt3Bytes = 1201u * 1201u * 2u;
const std::size_t kHgt1Bytes = 3601u * 3601u * 2u;
const int16_t kVoid = -32768;
const std::size_t kCacheTiles = 48;

struct FileStamp {
    long long size = -1;
    long long mtime = 0;
    bool operator==(const FileStamp& o) const { return size == o.size && mtime == o.mtime; }
};

FileStamp stampOf(const std::string& path)
{
    FileStamp s;
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == S_IFREG) {
        s.size = static_cast<long long>(st.st_size);
#if defined(__linux__)
        // Nanoseconds too: a tile rewritten within the same second is new.
        s.mtime = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
#else
        s.mtime = static_cast<long long>(st.st_mtime);
#endif
    }
    return s;
}

bool isVoid(int16_t v)
{
    return v == kVoid || v == -9999;
}

// A void takes the mean of its valid neighbours (8-neighbourhood, original
// values), or 0 m when it has none: a lake of voids reads as sea level.
void fillVoids(TerrainTile& t)
{
    std::vector<int16_t> src = t.samples;
    for (int r = 0; r < t.rows; ++r) {
        for (int c = 0; c < t.cols; ++c) {
            const std::size_t idx = static_cast<std::size_t>(r) * t.cols + c;
            if (!isVoid(src[idx]))
                continue;
            long sum = 0;
            int count = 0;
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    const int rr = r + dr, cc = c + dc;
                    if ((dr == 0 && dc == 0) || rr < 0 || cc < 0 || rr >= t.rows || cc >= t.cols)
                        continue;
                    const int16_t v = src[static_cast<std::size_t>(rr) * t.cols + cc];
                    if (!isVoid(v)) {
                        sum += v;
                        ++count;
                    }
                }
            }
            t.samples[idx] = count ? static_cast<int16_t>(std::lround(static_cast<double>(sum) / count)) : 0;
        }
    }
}

std::string join(const std::string& dir, const std::string& name)
{
    if (dir.empty())
        return name;
    const char last = dir.back();
    return (last == '/' || last == '\\') ? dir + name : dir + "/" + name;
}

// Candidate file names of a cell inside a topography folder, preferred first.
std::vector<std::string> candidates(TileKind kind, const std::string& folder, int lon, int lat)
{
    const std::string name = tileName(lon, lat);
    const std::string strip = name.substr(0, 4);
    char srtm[32];
    std::snprintf(srtm, sizeof srtm, "%c%02d%c%03d", lat < 0 ? 'S' : 'N', std::abs(lat), lon < 0 ? 'W' : 'E',
                  std::abs(lon));
    const std::string stripDir = join(folder, strip);
    // Tiles north of 50 degrees come with half the longitude sampling (.63E).
    const bool north = std::abs(lat) >= 50;
    std::vector<std::string> out;
    if (kind == TileKind::Morphology) {
        for (const std::string& dir : {stripDir, folder}) {
            out.push_back(join(dir, name + (north ? ".63M" : ".33M")));
            out.push_back(join(dir, name + (north ? ".33M" : ".63M")));
        }
        return out;
    }
    for (const std::string& dir : {stripDir, folder}) {
        out.push_back(join(dir, name + (north ? ".63E" : ".33E")));
        out.push_back(join(dir, name + (north ? ".33E" : ".63E")));
        out.push_back(join(dir, name + ".hgt"));
        out.push_back(join(dir, std::string(srtm) + ".hgt"));
    }
    return out;
}

// candidates() for the cells a thread met last: profiles cross the same few
// cells call after call, and the names never change.
const std::vector<std::string>& knownCandidates(TileKind kind, const std::string& folder, int lon, int lat)
{
    struct Known {
        TileKind kind;
        int lon, lat;
        std::string folder;
        std::vector<std::string> names;
    };
    thread_local std::vector<Known> known;
    thread_local std::size_t next = 0;
    for (const Known& k : known)
        if (k.lon == lon && k.lat == lat && k.kind == kind && k.folder == folder)
            return k.names;
    Known k{kind, lon, lat, folder, candidates(kind, folder, lon, lat)};
    const std::size_t kKnown = 16;
    if (known.size() < kKnown) {
        known.push_back(std::move(k));
        return known.back().names;
    }
    Known& slot = known[next];
    next = (next + 1) % kKnown;
    slot = std::move(k);
    return slot.names;
}

class TileCache {
public:
    std::shared_ptr<const TerrainTile> get(TileKind kind, const std::string& folder, int lon, int lat,
                                           std::string& message)
    {
        std::string path;
        FileStamp stamp;
        for (const std::string& c : knownCandidates(kind, folder, lon, lat)) {
            stamp = stampOf(c);
            if (stamp.size >= 0) {
                path = c;
                break;
            }
        }
        if (path.empty()) {
            message = std::string(kind == TileKind::Morphology ? "morphological" : "terrain") + " tile "
                + tileName(lon, lat) + " not found in " + folder;
            return nullptr;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto it = entries_.find(path);
            if (it != entries_.end() && it->second.stamp == stamp) {
                it->second.lastUse = ++uses_;
                return it->second.tile;
            }
        }
        // Decoding happens outside the lock so other threads keep going.
        auto tile = std::make_shared<TerrainTile>();
        const bool read = kind == TileKind::Morphology ? readMorphoTile(path, lon, lat, *tile, message)
                                                       : readTerrainTile(path, lon, lat, *tile, message);
        if (!read)
            return nullptr;
        std::lock_guard<std::mutex> lock(mutex_);
        entries_[path] = Entry{tile, stamp, ++uses_};
        while (entries_.size() > kCacheTiles) {
            // The least recently used goes.
            auto oldest = entries_.begin();
            for (auto e = entries_.begin(); e != entries_.end(); ++e)
                if (e->second.lastUse < oldest->second.lastUse)
                    oldest = e;
            entries_.erase(oldest);
        }
        return tile;
    }

    void clear()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_.clear();
    }

private:
    struct Entry {
        std::shared_ptr<const TerrainTile> tile;
        FileStamp stamp;
        unsigned long long lastUse;
    };
    std::mutex mutex_;
    std::map<std::string, Entry> entries_;
    unsigned long long uses_ = 0;
};

TileCache& cache()
{
    static TileCache instance;
    return instance;
}

} // namespace

std::string tileName(int lon, int lat)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%c%03d%c%02d", lon < 0 ? 'W' : 'E', std::abs(lon), lat < 0 ? 'S' : 'N',
                  std::abs(lat));
    return buf;
}

double TerrainTile::heightAt(double lat, double lon) const
{
    return bilinearHeight(samples.data(), rows, cols, (lon - lon0) * (cols - 1), (lat - lat0) * (rows - 1));
}

namespace {

// Reads a tile file whole when its size is one of the given layouts.
bool readTileBytes(const std::string& path, const char* what, bool hgtAllowed, std::vector<unsigned char>& raw,
                   std::string& message)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        message = std::string(what) + " tile " + path + " cannot be opened";
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size <= 0) {
        message = std::string(what) + " tile " + path + " is empty";
        return false;
    }
    const std::size_t bytes = static_cast<std::size_t>(size);
    const bool hcm = bytes == kHcm33Bytes || bytes == kHcm63Bytes;
    if (!hcm && !(hgtAllowed && (bytes == kHgt3Bytes || bytes == kHgt1Bytes))) {
        message = std::string(what) + " tile " + path + " has an unknown size (" + std::to_string(bytes) + " bytes)";
        return false;
    }
    raw.resize(bytes);
    if (!in.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(bytes))) {
        message = std::string(what) + " tile " + path + " cannot be read";
        return false;
    }
    return true;
}

// The HCM layout: 12 x 12 blocks of 101 rows, blocks sharing their edge samples.
void decodeHcmLayout(const std::vector<unsigned char>& raw, TerrainTile& t)
{
    const int blockCols = raw.size() == kHcm33Bytes ? 101 : 51;
    t.rows = 1201;
    t.cols = 12 * (blockCols - 1) + 1;
    t.samples.assign(static_cast<std::size_t>(t.rows) * t.cols, 0);
    std::size_t k = 0;
    for (int br = 0; br < 12; ++br)
        for (int bc = 0; bc < 12; ++bc)
            for (int r = 0; r < 101; ++r)
                for (int c = 0; c < blockCols; ++c, k += 2) {
                    const int16_t v = static_cast<int16_t>(raw[k] | (raw[k + 1] << 8));
                    const int row = br * 100 + r;
                    const int col = bc * (blockCols - 1) + c;
                    t.samples[static_cast<std::size_t>(row) * t.cols + col] = v;
                }
}

} // namespace

bool readTerrainTile(const std::string& path, int lon0, int lat0, TerrainTile& t, std::string& message)
{
    std::vector<unsigned char> raw;
    if (!readTileBytes(path, "terrain", true, raw, message))
        return false;
    const std::size_t bytes = raw.size();
    t = TerrainTile();
    t.lon0 = lon0;
    t.lat0 = lat0;
    t.path = path;
    if (bytes == kHcm33Bytes || bytes == kHcm63Bytes) {
        t.format = bytes == kHcm33Bytes ? "HCM .33E" : "HCM .63E";
        decodeHcmLayout(raw, t);
    } else {
        const int n = bytes == kHgt3Bytes ? 1201 : 3601;
        t.format = "SRTM .hgt";
        t.rows = t.cols = n;
        t.samples.assign(static_cast<std::size_t>(n) * n, 0);
        std::size_t k = 0;
        for (int fileRow = 0; fileRow < n; ++fileRow) {
            int16_t* dst = t.samples.data() + static_cast<std::size_t>(n - 1 - fileRow) * n;
            for (int c = 0; c < n; ++c, k += 2)
                dst[c] = static_cast<int16_t>((raw[k] << 8) | raw[k + 1]);
        }
    }
    fillVoids(t);
    return true;
}

bool readMorphoTile(const std::string& path, int lon0, int lat0, TerrainTile& t, std::string& message)
{
    std::vector<unsigned char> raw;
    if (!readTileBytes(path, "morphological", false, raw, message))
        return false;
    t = TerrainTile();
    t.lon0 = lon0;
    t.lat0 = lat0;
    t.path = path;
    t.format = raw.size() == kHcm33Bytes ? "HCM .33M" : "HCM .63M";
    decodeHcmLayout(raw, t); // classes: no void filling
    return true;
}

std::shared_ptr<const TerrainTile> cachedTile(TileKind kind, const std::string& folder, int lon, int lat,
                                              std::string& message)
{
    return cache().get(kind, folder, lon, lat, message);
}

TerrainSource::TerrainSource(std::string topoFolder)
    : folder_(std::move(topoFolder))
{
}

bool TerrainSource::heightFromCache(double lat, double lon, double& h, std::string& message)
{
    if (folder_.empty()) {
        h = 0;
        return true;
    }
    const int lonF = static_cast<int>(std::floor(lon));
    const int latF = static_cast<int>(std::floor(lat));
    for (const auto& t : used_) {
        if (t->lon0 == lonF && t->lat0 == latF) {
            remember(t.get());
            h = t->heightAt(lat, lon);
            return true;
        }
    }
    std::shared_ptr<const TerrainTile> tile = cache().get(TileKind::Elevation, folder_, lonF, latF, message);
    if (!tile) {
        // A point on a whole degree is also the north or east edge of the
        // neighbouring tile, which may be the only one present.
        const bool onLat = lat == latF, onLon = lon == lonF;
        std::string ignored;
        if (onLat)
            tile = cache().get(TileKind::Elevation, folder_, lonF, latF - 1, ignored);
        if (!tile && onLon)
            tile = cache().get(TileKind::Elevation, folder_, lonF - 1, latF, ignored);
        if (!tile && onLat && onLon)
            tile = cache().get(TileKind::Elevation, folder_, lonF - 1, latF - 1, ignored);
        if (!tile)
            return false;
    }
    used_.push_back(tile);
    remember(tile.get());
    h = tile->heightAt(lat, lon);
    return true;
}

void TerrainSource::remember(const TerrainTile* tile)
{
    last_ = tile;
    cell_.west = tile->lon0;
    cell_.east = tile->lon0 + 1;
    cell_.south = tile->lat0;
    cell_.north = tile->lat0 + 1;
    cell_.colSpan = tile->cols - 1;
    cell_.rowSpan = tile->rows - 1;
}

std::vector<std::string> TerrainSource::tilesUsed() const
{
    std::vector<std::string> out;
    for (const auto& t : used_)
        out.push_back(t->path + " (" + t->format + ")");
    return out;
}

void clearTerrainCache()
{
    cache().clear();
}

} // namespace hcmfs
