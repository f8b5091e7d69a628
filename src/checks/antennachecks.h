#ifndef ANTENNACHECKS_H
#define ANTENNACHECKS_H

#include "hcm/checksettings.h"

#include <QByteArrayView>
#include <QList>

class HCMAntenna;
class HCMPattern;
class HCMPatternPoint;

// Checks of the antenna fields (9XM, 9XT, 9XFL, 9XFU, 9X1), of the pattern
// codes and of the pattern points. Each returns 0 or the code of the first
// rule that fails, reading the checked object's own check settings.

int checkAntennaManufacturer(const HCMAntenna& a);   // 9XM
int checkAntennaType(const HCMAntenna& a);           // 9XT
int checkAntennaLowerFrequency(const HCMAntenna& a); // 9XFL
int checkAntennaUpperFrequency(const HCMAntenna& a); // 9XFU
int checkAntennaGain(const HCMAntenna& a);           // 9X1

// The pattern code: CP, VV or HH for the co-polar pattern, HV, VH or XP for
// the cross-polar one (any case); a missing code only matters when the
// pattern has points.
int checkPattern(const HCMPattern& p);

// Appends what the whole-record check finds for pattern p, given the other
// pattern q of the antenna: once either pattern holds anything, both need a
// code and points.
void appendPatternPresence(const HCMPattern& p, const HCMPattern& q, QList<int>& codes);

// Point i of a pattern, with the pattern's check settings.
int checkPointAngle(const HCMPattern& p, int i);
int checkPointAttenuation(const HCMPattern& p, int i);

// A detached point; one without check settings gets no format rule.
int checkPointAngle(const HCMPatternPoint& point);
int checkPointAttenuation(const HCMPatternPoint& point);

// The point rules on bare texts, for table cells being edited.
int checkPointAngleText(QByteArrayView angle, const CheckSettings* settings);
int checkPointAttenuationText(QByteArrayView attenuation, const CheckSettings* settings);

#endif
