#ifndef FIELDINDEX_H
#define FIELDINDEX_H

#include <QString>

// Numbers 0 to 59 under which a file comparison names a field of a record.
// 0..16 and 18..50 are single texts (in line order, 4C split into longitude 10
// and latitude 11); the others name a group of texts.
enum FieldIndex : int {
    FiTypeOfEntry = 0,
    FiLongitude = 10,
    FiLatitude = 11,
    FiMask = 17,
    FiMaskFrequency1 = 18,
    FiCoordinationReference = 45,
    FiAntennaManufacturer = 46,
    FiAntennaGain = 50,
    FiAntennaData = 51,
    FiCoPolarCount = 52,
    FiCrossPolarCount = 53,
    FiCoPolarPattern = 54,
    FiCrossPolarPattern = 55,
    FiCoPolarAngle = 56,
    FiCoPolarAttenuation = 57,
    FiCrossPolarAngle = 58,
    FiCrossPolarAttenuation = 59,
    FieldIndexCount = 60
};

// The display name of a field number; "Unknown field name" outside 0..59.
QString fieldIndexName(int index);

#endif
