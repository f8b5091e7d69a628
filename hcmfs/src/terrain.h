// Terrain heights from 1-degree tiles named after their south-west corner
// (E016N54), kept in one folder per longitude strip (E016/). Two layouts are
// read, told apart by file size: the HCM .33E/.63E layout (12 x 12 blocks of
// 5 minutes that repeat their edge samples, little-endian int16, south-west
// block first, -9999 for a missing sample) and SRTM-style .hgt (1201 or 3601
// square, big-endian int16, north row first, -32768 for a void). Heights are
// interpolated bilinearly; a void takes the mean of its valid neighbours.
#ifndef HCMFS_TERRAIN_H
#define HCMFS_TERRAIN_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hcmfs {

// One decoded tile as a regular grid, row 0 at the south edge, column 0 at
// the west edge; rows and columns include both edges.
struct TerrainTile {
    int lon0 = 0, lat0 = 0; // south-west corner, degrees
    int rows = 0, cols = 0;
    std::vector<int16_t> samples;
    std::string path;
    std::string format; // "HCM .33E", "HCM .63E", "SRTM .hgt"

    double heightAt(double lat, double lon) const;
    // Whether the point lies in this tile's cell (south and west edges in).
    bool holds(double lat, double lon) const { return lon >= lon0 && lon < lon0 + 1 && lat >= lat0 && lat < lat0 + 1; }
};

// Tile base name for the cell holding (lat, lon): "E016N54", "W005S12".
std::string tileName(int lonFloor, int latFloor);

// Reads and decodes one tile file; false with a message when the file is
// missing, has an unknown size or cannot be read.
bool readTerrainTile(const std::string& path, int lon0, int lat0, TerrainTile& tile, std::string& message);

// Morphological tiles (.33M/.63M): the HCM layout holding a class per point.
// Read as they are: no void filling; only the HCM sizes are accepted.
bool readMorphoTile(const std::string& path, int lon0, int lat0, TerrainTile& tile, std::string& message);

enum class TileKind { Elevation, Morphology };

// A decoded tile from the process-wide cache (see TerrainSource); null with a
// message when the cell has no readable file in the folder.
std::shared_ptr<const TerrainTile> cachedTile(TileKind kind, const std::string& folder, int lon, int lat,
                                              std::string& message);

// Heights along profiles from the tiles of one folder. Decoded tiles are kept
// in a process-wide cache shared by all instances (internally locked, bounded,
// refreshed when a file changes); an instance also remembers the tiles it has
// used, so extracting a profile takes the lock once per tile.
class TerrainSource {
public:
    // topoFolder empty: no terrain (smooth earth at 0 m).
    explicit TerrainSource(std::string topoFolder);

    bool smoothEarth() const { return folder_.empty(); }
    const std::string& folder() const { return folder_; }

    // Height in m a.s.l.; false with a message when the tile is missing or
    // unreadable. Successive points of a profile mostly lie in the tile of
    // the point before, which is taken without any search.
    bool height(double lat, double lon, double& h, std::string& message)
    {
        if (last_ && last_->holds(lat, lon)) {
            h = last_->heightAt(lat, lon);
            return true;
        }
        return heightFromCache(lat, lon, h, message);
    }

    // Tiles touched so far (for the report).
    std::vector<std::string> tilesUsed() const;

private:
    bool heightFromCache(double lat, double lon, double& h, std::string& message);

    std::string folder_;
    std::vector<std::shared_ptr<const TerrainTile>> used_;
    const TerrainTile* last_ = nullptr; // one of used_
};

// Drops every cached tile (tests, and callers that replace data on disk).
void clearTerrainCache();

} // namespace hcmfs

#endif
