// Radio-climatic zones from morphological tiles: MORPHO/ beside TOPO/, one
// folder per longitude strip, 1-degree cells (.33M below 50 degrees, .63M
// from 50 degrees) in the HCM block layout. Bits 0 and 2 of a point's value
// give its class: 0 inland, 1 sea, 4 coastal land. A profile point takes the
// class of the tile point at or south-west of it: classes are not
// interpolated. Where there is no tile every point counts as inland.
#ifndef HCMFS_MORPHOLOGY_H
#define HCMFS_MORPHOLOGY_H

#include "terrain.h"

#include <memory>
#include <string>
#include <vector>

namespace hcmfs {

// P452Zone of a tile value.
int zoneOfMorphoValue(int value);

class MorphoSource {
public:
    // folder empty: no morphological data (every point inland).
    explicit MorphoSource(std::string folder);

    bool configured() const { return !folder_.empty(); }

    // P452Zone of a point; inland where the cell has no readable tile.
    int zoneAt(double lat, double lon);

    std::vector<std::string> tilesUsed() const;
    // Cells without a readable tile, with the reason (for the report).
    const std::vector<std::string>& tilesMissing() const { return missingText_; }

private:
    std::string folder_;
    std::vector<std::shared_ptr<const TerrainTile>> used_;
    const TerrainTile* last_ = nullptr; // the tile of the point before, one of used_
    std::vector<std::pair<int, int>> missing_;
    std::vector<std::string> missingText_;
};

} // namespace hcmfs

#endif
