#include "morphology.h"

#include "p452.h"

#include <algorithm>
#include <cmath>

namespace hcmfs {

int zoneOfMorphoValue(int value)
{
    switch (value & 5) {
    case 1:
    case 5: // sea and coast flagged together: sea, the case that carries further
        return ZoneSea;
    case 4:
        return ZoneCoastalLand;
    default:
        return ZoneInland;
    }
}

MorphoSource::MorphoSource(std::string folder)
    : folder_(std::move(folder))
{
}

int MorphoSource::zoneAt(double lat, double lon)
{
    if (folder_.empty())
        return ZoneInland;
    const int lonF = static_cast<int>(std::floor(lon));
    const int latF = static_cast<int>(std::floor(lat));
    const TerrainTile* tile = last_ && last_->lon0 == lonF && last_->lat0 == latF ? last_ : nullptr;
    if (!tile)
        for (const auto& t : used_)
            if (t->lon0 == lonF && t->lat0 == latF)
                tile = t.get();
    if (!tile) {
        if (std::find(missing_.begin(), missing_.end(), std::make_pair(lonF, latF)) != missing_.end())
            return ZoneInland;
        std::string message;
        std::shared_ptr<const TerrainTile> loaded = cachedTile(TileKind::Morphology, folder_, lonF, latF, message);
        if (!loaded) {
            missing_.emplace_back(lonF, latF);
            missingText_.push_back(message);
            return ZoneInland;
        }
        used_.push_back(loaded);
        tile = loaded.get();
    }
    last_ = tile;
    // The tile point at or south-west of the profile point; a hair of
    // tolerance keeps a point computed onto a grid line from slipping below it.
    const int col = std::min(std::max(static_cast<int>(std::floor((lon - lonF) * (tile->cols - 1) + 1e-9)), 0), tile->cols - 1);
    const int row = std::min(std::max(static_cast<int>(std::floor((lat - latF) * (tile->rows - 1) + 1e-9)), 0), tile->rows - 1);
    return zoneOfMorphoValue(tile->samples[static_cast<std::size_t>(row) * tile->cols + col]);
}

std::vector<std::string> MorphoSource::tilesUsed() const
{
    std::vector<std::string> out;
    for (const auto& t : used_)
        out.push_back(t->path + " (" + t->format + ")");
    return out;
}

} // namespace hcmfs
