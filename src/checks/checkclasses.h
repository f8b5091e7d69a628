#ifndef CHECKCLASSES_H
#define CHECKCLASSES_H

#include "hcm/checksettings.h"

// The bits of the CheckSettings word. Each switches one class of rules on;
// rules without a class always apply. Bit 0x01 is not used.
enum CheckClassBit : int {
    // Skip the checks of fields the calculations do not need (dates, names,
    // remarks, co-ordination data, antenna names and frequencies).
    CheckCalcOnly = 0x02,
    // The number of integer digits, decimals and the sign of numeric fields.
    CheckNumberFormat = 0x04,
    // Values that are legal but unlikely (bands, heights, gains).
    CheckSuspiciousValues = 0x08,
    // Characters outside the HCM character set, lower case included.
    CheckIllegalCharacters = 0x10,
};

// The classes of a first start: everything on except "calculation entries only".
constexpr CheckSettings kDefaultCheckSettings = CheckNumberFormat | CheckSuspiciousValues | CheckIllegalCharacters;

// The word behind a settings pointer; objects without one check with no class on.
inline CheckSettings checkBits(const CheckSettings* settings) { return settings ? *settings : 0; }

#endif
