// One HCM fixed-service station record line, split into its fields and the
// values the calculation uses. Field positions follow the exchange format:
// 49 semicolon-separated fields, then optional co-polar and cross-polar
// pattern blocks (code; count; angle; attenuation; ...).
#ifndef HCMFS_RECORD_H
#define HCMFS_RECORD_H

#include "geometry.h"

#include <string>
#include <vector>

namespace hcmfs {

enum class StationType { Tx, Rx, Ptx, Prx, Unknown };

const char* stationTypeName(StationType type);

struct AnglePoint {
    double angle = 0;       // degrees
    double attenuation = 0; // dB below boresight
};

struct RecordPattern {
    std::string code;
    std::vector<AnglePoint> points;
};

struct MaskPointValue {
    double offset = 0;      // MHz from the carrier
    double attenuation = 0; // dB
};

// An optional number read from a field: present when the field is not empty,
// valid when it also parsed.
struct FieldNumber {
    bool present = false;
    bool valid = false;
    double value = 0;
};

struct StationRecord {
    std::string line;                // as received, without line terminator
    std::vector<std::string> fields; // the 49 fields, index 0 = 0A
    StationType type = StationType::Unknown;

    FieldNumber frequency;       // 1A in the unit of 1A1
    char frequencyUnit = 0;      // 'K', 'M' or 'G', 0 when unknown
    double frequencyMHz = 0;     // valid when hasFrequency
    bool hasFrequency = false;

    bool hasCoordinates = false; // 4C
    GeoPoint position;

    FieldNumber siteHeight;      // 4Z, m
    FieldNumber antennaHeight;   // 9Y, m
    FieldNumber azimuth;         // 9A, degrees
    FieldNumber elevation;       // 9B, degrees
    char polarisation = 0;       // 'H', 'V', or 0 when neither
    FieldNumber power;           // 8B, dBW
    FieldNumber atpc;            // 8B3, dB
    FieldNumber noise;           // 9H, dBW
    FieldNumber lineLoss;        // 9L, dB (empty means 0)
    FieldNumber gain;            // 9X1, dBi
    FieldNumber channelSpacing;  // 7G3, MHz
    std::string equipmentClass;  // 7G1, trimmed, upper case

    // 7G points read in order until the first empty point. maskUsable is
    // false when a point is half filled or unreadable.
    std::vector<MaskPointValue> mask;
    bool maskUsable = true;

    RecordPattern coPolar;
    RecordPattern crossPolar;

    const std::string& field(int code) const; // by 0-based position
};

// Field positions (0-based) of the values used.
enum RecordField {
    F0A = 0, F1A = 1, F1A1 = 2, F4B = 9, F4C = 10, F4Z = 11, F7GFirst = 16, F7G1 = 28, F7G3 = 30,
    F8B = 31, F8B3 = 32, F9A = 33, F9B = 34, F9D = 35, F9H = 36, F9L = 37, F9Y = 38, F9X1 = 48
};

// Splits and reads one line. Returns true when the line has the record's
// shape (49 fields and well-formed pattern blocks); message says why not.
// Values that are missing or unreadable are flagged, not rejected: the
// calculation decides which ones it needs.
bool parseStationRecord(const char* text, int length, StationRecord& record, std::string& message);

} // namespace hcmfs

#endif
