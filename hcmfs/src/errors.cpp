#include "errors.h"

namespace hcmfs {

const char* errorMeaning(int code)
{
    switch (code) {
    case ErrNone: return "success";
    case ErrRecordSyntax: return "a record line does not parse";
    case ErrStationTypes: return "station types or their order do not fit the call form";
    case ErrFrequency: return "frequency missing, unreadable or outside 0.1-50 GHz";
    case ErrCoordinates: return "co-ordinates missing or unreadable";
    case ErrTerrainTile: return "a terrain tile needed by the profile is missing or unreadable";
    case ErrNoMask: return "no usable mask (7G empty and no default row)";
    case ErrNoAntenna: return "no usable antenna data (no pattern and no gain)";
    case ErrReportFile: return "the detailed report file cannot be written";
    case ErrBorderData: return "trigger: border data missing or unreadable";
    case ErrCountryBuffer: return "trigger: country list longer than the buffer";
    case ErrNumerical: return "internal numerical failure";
    case ErrPower: return "transmitter power 8B missing or unreadable";
    case ErrNoise: return "receiver noise 9H missing or unreadable";
    case ErrShortHop: return "a hop shorter than 1 m";
    case ErrStationGeometry: return "azimuth, elevation, site height or antenna height missing or unreadable";
    default: return "unknown error";
    }
}

} // namespace hcmfs
