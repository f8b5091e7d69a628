#ifndef STATIONCHECKS_H
#define STATIONCHECKS_H

#include "hcm/checksettings.h"

#include <QByteArrayView>

class HCMRecord;

// Checks of the station, frequency, date, location, direction and
// co-ordination fields of a record. Each returns 0 or the code of the first
// rule of its field that fails, reading the record's own check settings; none
// changes the record.

int checkTypeOfEntry(const HCMRecord& r);          // 0A
int checkFrequency(const HCMRecord& r);            // 1A
int checkFrequencyUnit(const HCMRecord& r);        // 1A1
int checkFrequencyCategory(const HCMRecord& r);    // 1Z
int checkClassOfStation(const HCMRecord& r);       // 6A
int checkNatureOfService(const HCMRecord& r);      // 6B
int checkCategoryOfUse(const HCMRecord& r);        // 6Z
int checkDateInUse(const HCMRecord& r);            // 2C
int checkStationName(const HCMRecord& r);          // 4A
int checkCountry(const HCMRecord& r);              // 4B
int checkLongitude(const HCMRecord& r);            // 4C, first 8 characters
int checkLatitude(const HCMRecord& r);             // 4C, the rest
int checkSiteHeight(const HCMRecord& r);           // 4Z
int checkAzimuth(const HCMRecord& r);              // 9A
int checkElevation(const HCMRecord& r);            // 9B
int checkPolarization(const HCMRecord& r);         // 9D
int checkLineLosses(const HCMRecord& r);           // 9L
int checkRemarks(const HCMRecord& r);              // 13Z
int checkCoordinationStatus(const HCMRecord& r);   // 13Y
int checkCoordinationRequestDate(const HCMRecord& r); // 2W
int checkCoordinationFinalDate(const HCMRecord& r);   // 2Z
int checkCoordinationReference(const HCMRecord& r);   // 13X

// The country rule, shared by the record's 4B and the header's country.
int checkCountryText(QByteArrayView text, CheckSettings bits);

// 1A in GHz after the unit of 1A1, or -1 when the unit is unknown or 1A is
// not a number.
double frequencyInGHz(const HCMRecord& r);

// 0 when the frequency lies in one of the bands of the HCM Agreement (band
// edges included), 1003 when it is outside 1.35-43.5 GHz, 1004 when it falls
// into a gap between two bands.
int frequencyBandCode(double gigahertz);

#endif
