#ifndef EQUIPMENTCHECKS_H
#define EQUIPMENTCHECKS_H

class HCMRecord;

// Checks of the equipment fields and the six-point TX/RX mask (7G) of a
// record. Each returns 0 or the code of the first rule that fails.

int checkEmission(const HCMRecord& r);              // 7A
int checkEquipmentManufacturer(const HCMRecord& r); // 7H
int checkEquipmentType(const HCMRecord& r);         // 7I
int checkCapacity(const HCMRecord& r);              // 7K
int checkEquipmentClass(const HCMRecord& r);        // 7G1
int checkNfd2(const HCMRecord& r);                  // 7G2, edited but never read from a file
int checkChannelSpacing(const HCMRecord& r);        // 7G3
int checkMaxPower(const HCMRecord& r);              // 8B
int checkAtpc(const HCMRecord& r);                  // 8B3
int checkNoisePower(const HCMRecord& r);            // 9H
int checkAntennaHeight(const HCMRecord& r);         // 9Y

// Mask point n (1 to 6). Once any mask text is given, points 1 and 2 must be
// complete, later points are optional from the end, frequencies must not fall
// from point to point and the last attenuation must reach 40 dB.
int checkMaskFrequency(const HCMRecord& r, int n);
int checkMaskAttenuation(const HCMRecord& r, int n);

#endif
