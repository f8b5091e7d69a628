// Trigger for co-ordination: the neighbouring countries whose border lies
// within the trigger distance of a station.
#ifndef HCMFS_TRIGGER_TRIGGER_H
#define HCMFS_TRIGGER_TRIGGER_H

#include "trigger/borderset.h"

#include <filesystem>
#include <string>

namespace hcmfs::trigger {

constexpr int kFrequencyInvalid = 2002;
constexpr int kCoordinatesInvalid = 2003;
constexpr int kCountryListTooLong = 2009;
constexpr int kHeightInvalid = 2014;

struct TriggerStation
{
    double lonRad = 0.0;            // east positive; any finite value, taken modulo 2 pi
    double latRad = 0.0;            // north positive, within +-pi/2
    double frequencyGHz = 0.0;      // 0.1 to 50
    double antennaHeightAslM = 0.0; // site height plus antenna height above ground (4Z + 9Y)
    std::string country;            // the station's own country (4B); never listed

    static TriggerStation fromDegrees(double lonDeg, double latDeg, double frequencyGHz,
                                      double antennaHeightAslM, std::string country);
};

// Checks the station's values: 0, kFrequencyInvalid, kCoordinatesInvalid or
// kHeightInvalid.
int validateStation(const TriggerStation& station);

// The triggered countries against a border set already at hand: codes in
// alphabetical order joined by "," without blanks ("AUT,CZE"), empty when none.
// Returns 0 or a validateStation code (then `countries` is empty).
int triggeredCountries(const BorderSet& borders, const TriggerStation& station, std::string& countries);

// The same against the border files of a folder, read once and cached (see
// cachedBorderSet). Adds kBorderDataUnreadable for a missing or damaged folder
// (or an empty path). Never throws.
int triggeredCountries(const std::filesystem::path& borderFolder, const TriggerStation& station,
                       std::string& countries);

// Writes a country list into a caller's buffer of `capacity` characters,
// blank-padded to the full capacity and not terminated. When the list does not
// fit it is cut after the last whole code that fits (the separating comma
// dropped) and kCountryListTooLong is returned; otherwise 0. A null buffer or a
// capacity below 1 takes nothing, which is an overflow unless the list is empty.
int writeCountryList(const std::string& countries, char* buffer, int capacity);

// The whole trigger as the library's entry point needs it: finds the border
// folder for `dataRoot` (resolveBorderFolder), computes the countries and
// writes them into the buffer. Returns 0, a validateStation code,
// kBorderDataUnreadable or kCountryListTooLong. On any error but the last the
// buffer holds only blanks. Never throws.
int triggerIntoBuffer(const TriggerStation& station, const std::string& dataRoot, char* buffer, int capacity);

} // namespace hcmfs::trigger

#endif
