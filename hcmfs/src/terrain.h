// Terrain heights from 1-degree tiles named after their south-west corner
// (E016N54), kept in one folder per longitude strip (E016/). Two layouts are
// read, told apart by file size: the HCM .33E/.63E layout (12 x 12 blocks of
// 5 minutes that repeat their edge samples, little-endian int16, south-west
// block first, -9999 for a missing sample) and SRTM-style .hgt (1201 or 3601
// square, big-endian int16, north row first, -32768 for a void). Heights are
// interpolated bilinearly; a void takes the mean of its valid neighbours.
#ifndef HCMFS_TERRAIN_H
#define HCMFS_TERRAIN_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hcmfs {

// Bilinear interpolation in a grid of rows x cols samples, row 0 south,
// at grid position (x, y) = ((lon - west) (cols - 1), (lat - south) (rows - 1))
// with 0 <= x <= cols - 1 and 0 <= y <= rows - 1.
inline double bilinearInside(const int16_t* samples, int rows, int cols, double x, double y)
{
    const int c0 = std::min(static_cast<int>(x), cols - 2);
    const int r0 = std::min(static_cast<int>(y), rows - 2);
    const double fx = x - c0;
    const double fy = y - r0;
    const int16_t* row0 = samples + static_cast<std::size_t>(r0) * cols + c0;
    const int16_t* row1 = row0 + cols;
    const double south = row0[0] + (row0[1] - row0[0]) * fx;
    const double north = row1[0] + (row1[1] - row1[0]) * fx;
    return south + (north - south) * fy;
}

// The same anywhere: positions outside the grid take its edge.
inline double bilinearHeight(const int16_t* samples, int rows, int cols, double x, double y)
{
    x = std::min(std::max(x, 0.0), static_cast<double>(cols - 1));
    y = std::min(std::max(y, 0.0), static_cast<double>(rows - 1));
    return bilinearInside(samples, rows, cols, x, y);
}

// One decoded tile as a regular grid, row 0 at the south edge, column 0 at
// the west edge; rows and columns include both edges.
struct TerrainTile {
    int lon0 = 0, lat0 = 0; // south-west corner, degrees
    int rows = 0, cols = 0;
    std::vector<int16_t> samples;
    std::string path;
    std::string format; // "HCM .33E", "HCM .63E", "SRTM .hgt"

    double heightAt(double lat, double lon) const;
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
        // In the cell of last_ (south and west edges in): the arithmetic of
        // TerrainTile::heightAt, with the tile's numbers kept as doubles.
        if (last_ && lon >= cell_.west && lon < cell_.east && lat >= cell_.south && lat < cell_.north) {
            h = bilinearHeight(last_->samples.data(), last_->rows, last_->cols, (lon - cell_.west) * cell_.colSpan,
                               (lat - cell_.south) * cell_.rowSpan);
            return true;
        }
        return heightFromCache(lat, lon, h, message);
    }

    // Heights at count points (lat, lon pairs), as height() gives them;
    // false with a message at the first point without a tile.
    template <typename Point>
    bool heights(const Point* points, std::size_t count, double* out, std::string& message)
    {
        // The cell in locals: the stores to out cannot disturb them.
        const TerrainTile* tile = nullptr;
        double west = 0, east = 0, south = 0, north = 0, colSpan = 0, rowSpan = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const double lat = points[i].lat, lon = points[i].lon;
            if (!tile || !(lon >= west && lon < east && lat >= south && lat < north)) {
                if (!height(lat, lon, out[i], message))
                    return false;
                tile = last_;
                west = cell_.west, east = cell_.east, south = cell_.south, north = cell_.north;
                colSpan = cell_.colSpan, rowSpan = cell_.rowSpan;
                continue;
            }
            // west <= lon < west + 1: the rounded lon - west lies in [0, 1],
            // so the position is inside the grid and needs no clamping.
            out[i] = bilinearInside(tile->samples.data(), tile->rows, tile->cols, (lon - west) * colSpan,
                                    (lat - south) * rowSpan);
        }
        return true;
    }

    // Tiles touched so far (for the report).
    std::vector<std::string> tilesUsed() const;

private:
    bool heightFromCache(double lat, double lon, double& h, std::string& message);

    std::string folder_;
    std::vector<std::shared_ptr<const TerrainTile>> used_;
    void remember(const TerrainTile* tile);

    const TerrainTile* last_ = nullptr; // one of used_
    struct {
        double west = 0, east = 0, south = 0, north = 0, colSpan = 0, rowSpan = 0;
    } cell_; // of last_
};

// Drops every cached tile (tests, and callers that replace data on disk).
void clearTerrainCache();

} // namespace hcmfs

#endif
