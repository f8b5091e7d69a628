#include "trigger/trigger.h"

#include "trigger/bordercache.h"
#include "trigger/borderlocation.h"
#include "trigger/triggerdistance.h"

#include <cmath>
#include <cstring>

namespace hcmfs::trigger {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMinFrequencyGHz = 0.1;
constexpr double kMaxFrequencyGHz = 50.0;

std::string joined(const std::vector<std::string>& codes)
{
    std::string text;
    for (const std::string& code : codes) {
        if (!text.empty())
            text += ',';
        text += code;
    }
    return text;
}

} // namespace

TriggerStation TriggerStation::fromDegrees(double lonDeg, double latDeg, double frequencyGHz,
                                           double antennaHeightAslM, std::string country)
{
    TriggerStation s;
    s.lonRad = lonDeg * kPi / 180.0;
    s.latRad = latDeg * kPi / 180.0;
    s.frequencyGHz = frequencyGHz;
    s.antennaHeightAslM = antennaHeightAslM;
    s.country = std::move(country);
    return s;
}

int validateStation(const TriggerStation& station)
{
    if (!(station.frequencyGHz >= kMinFrequencyGHz && station.frequencyGHz <= kMaxFrequencyGHz))
        return kFrequencyInvalid;
    if (!std::isfinite(station.lonRad) || !(std::fabs(station.latRad) <= kPi / 2))
        return kCoordinatesInvalid;
    if (!std::isfinite(station.antennaHeightAslM))
        return kHeightInvalid;
    return 0;
}

int triggeredCountries(const BorderSet& borders, const TriggerStation& station, std::string& countries)
{
    countries.clear();
    if (const int error = validateStation(station))
        return error;
    const double distance = triggerDistanceKm(station.frequencyGHz, station.antennaHeightAslM);
    countries = joined(borders.countriesWithin(station.lonRad, station.latRad, distance, station.country));
    return 0;
}

int triggeredCountries(const std::filesystem::path& borderFolder, const TriggerStation& station,
                       std::string& countries)
{
    countries.clear();
    // A bad station is reported as such even when the border data is missing too.
    if (const int error = validateStation(station))
        return error;
    try {
        std::shared_ptr<const BorderSet> borders;
        if (borderFolder.empty() || cachedBorderSet(borderFolder, borders) != 0)
            return kBorderDataUnreadable;
        return triggeredCountries(*borders, station, countries);
    } catch (...) {
        // Nothing may escape towards the library's C entry point; the likely
        // cause is a border set too large for the memory left.
        countries.clear();
        return kBorderDataUnreadable;
    }
}

int writeCountryList(const std::string& countries, char* buffer, int capacity)
{
    const std::size_t room = (buffer && capacity > 0) ? static_cast<std::size_t>(capacity) : 0;
    std::size_t length = countries.size();
    int result = 0;
    if (length > room) {
        result = kCountryListTooLong;
        // The longest run of whole codes that fits: up to the last comma that
        // lies within the room (the comma itself is not written).
        const std::size_t comma = room == 0 ? std::string::npos : countries.rfind(',', room);
        length = comma == std::string::npos ? 0 : comma;
    }
    if (room == 0)
        return result;
    std::memcpy(buffer, countries.data(), length);
    std::memset(buffer + length, ' ', room - length);
    return result;
}

int triggerIntoBuffer(const TriggerStation& station, const std::string& dataRoot, char* buffer, int capacity)
{
    std::string countries;
    const int error = triggeredCountries(resolveBorderFolder(dataRoot), station, countries);
    // countries is empty after an error, so the buffer is blanked.
    const int written = writeCountryList(countries, buffer, capacity);
    return error ? error : written;
}

} // namespace hcmfs::trigger
