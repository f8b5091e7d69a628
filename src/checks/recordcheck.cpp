#include "recordcheck.h"

#include "antennachecks.h"
#include "equipmentchecks.h"
#include "stationchecks.h"

namespace {

void appendFound(QList<int>& codes, int code)
{
    if (code != 0)
        codes.append(code);
}

void appendPoints(const HCMPattern& p, QList<int>& codes)
{
    const int count = p.count();
    for (int i = 0; i < count; ++i) {
        appendFound(codes, checkPointAngle(p, i));
        appendFound(codes, checkPointAttenuation(p, i));
    }
}

} // namespace

void checkRecord(const HCMRecord& r, QList<int>& codes)
{
    codes.clear();
    appendFound(codes, checkTypeOfEntry(r));
    appendFound(codes, checkFrequency(r));
    appendFound(codes, checkFrequencyUnit(r));
    appendFound(codes, checkFrequencyCategory(r));
    appendFound(codes, checkClassOfStation(r));
    appendFound(codes, checkNatureOfService(r));
    appendFound(codes, checkCategoryOfUse(r));
    appendFound(codes, checkDateInUse(r));
    appendFound(codes, checkStationName(r));
    appendFound(codes, checkCountry(r));
    appendFound(codes, checkLongitude(r));
    appendFound(codes, checkLatitude(r));
    appendFound(codes, checkSiteHeight(r));
    appendFound(codes, checkEmission(r));
    appendFound(codes, checkEquipmentManufacturer(r));
    appendFound(codes, checkEquipmentType(r));
    appendFound(codes, checkCapacity(r));
    for (int n = 1; n <= 6; ++n) {
        appendFound(codes, checkMaskFrequency(r, n));
        appendFound(codes, checkMaskAttenuation(r, n));
    }
    appendFound(codes, checkEquipmentClass(r));
    appendFound(codes, checkChannelSpacing(r));
    appendFound(codes, checkMaxPower(r));
    appendFound(codes, checkAtpc(r));
    appendFound(codes, checkAzimuth(r));
    appendFound(codes, checkElevation(r));
    appendFound(codes, checkPolarization(r));
    appendFound(codes, checkNoisePower(r));
    appendFound(codes, checkLineLosses(r));
    appendFound(codes, checkAntennaHeight(r));
    appendFound(codes, checkRemarks(r));
    appendFound(codes, checkCoordinationStatus(r));
    appendFound(codes, checkCoordinationRequestDate(r));
    appendFound(codes, checkCoordinationFinalDate(r));
    appendFound(codes, checkCoordinationReference(r));

    const HCMAntenna& a = r.antenna();
    appendFound(codes, checkAntennaManufacturer(a));
    appendFound(codes, checkAntennaType(a));
    appendFound(codes, checkAntennaLowerFrequency(a));
    appendFound(codes, checkAntennaUpperFrequency(a));
    appendFound(codes, checkAntennaGain(a));
    appendPatternPresence(a.coPolar(), a.crossPolar(), codes);
    appendPatternPresence(a.crossPolar(), a.coPolar(), codes);
    appendPoints(a.coPolar(), codes);
    appendPoints(a.crossPolar(), codes);
}

int checkRecordField(const HCMRecord& r, HcmField field)
{
    const int f = int(field);
    if (f >= int(HcmField::MaskFrequency1) && f <= int(HcmField::MaskAttenuation6)) {
        const int offset = f - int(HcmField::MaskFrequency1);
        const int n = offset / 2 + 1;
        return offset % 2 == 0 ? checkMaskFrequency(r, n) : checkMaskAttenuation(r, n);
    }
    switch (field) {
    case HcmField::TypeOfEntry: return checkTypeOfEntry(r);
    case HcmField::Frequency: return checkFrequency(r);
    case HcmField::FrequencyUnit: return checkFrequencyUnit(r);
    case HcmField::FrequencyCategory: return checkFrequencyCategory(r);
    case HcmField::ClassOfStation: return checkClassOfStation(r);
    case HcmField::NatureOfService: return checkNatureOfService(r);
    case HcmField::CategoryOfUse: return checkCategoryOfUse(r);
    case HcmField::DateInUse: return checkDateInUse(r);
    case HcmField::StationName: return checkStationName(r);
    case HcmField::Country: return checkCountry(r);
    case HcmField::Longitude: return checkLongitude(r);
    case HcmField::Latitude: return checkLatitude(r);
    case HcmField::SiteHeight: return checkSiteHeight(r);
    case HcmField::Emission: return checkEmission(r);
    case HcmField::EquipmentManufacturer: return checkEquipmentManufacturer(r);
    case HcmField::EquipmentType: return checkEquipmentType(r);
    case HcmField::Capacity: return checkCapacity(r);
    case HcmField::EquipmentClass: return checkEquipmentClass(r);
    case HcmField::Unused7G2: return checkNfd2(r);
    case HcmField::ChannelSpacing: return checkChannelSpacing(r);
    case HcmField::MaxPower: return checkMaxPower(r);
    case HcmField::Atpc: return checkAtpc(r);
    case HcmField::Azimuth: return checkAzimuth(r);
    case HcmField::Elevation: return checkElevation(r);
    case HcmField::Polarization: return checkPolarization(r);
    case HcmField::NoisePower: return checkNoisePower(r);
    case HcmField::LineLosses: return checkLineLosses(r);
    case HcmField::AntennaHeight: return checkAntennaHeight(r);
    case HcmField::Remarks: return checkRemarks(r);
    case HcmField::CoordinationStatus: return checkCoordinationStatus(r);
    case HcmField::CoordinationRequestDate: return checkCoordinationRequestDate(r);
    case HcmField::CoordinationFinalDate: return checkCoordinationFinalDate(r);
    case HcmField::CoordinationReference: return checkCoordinationReference(r);
    default: return 0;
    }
}

int checkAntennaField(const HCMAntenna& a, HCMAntenna::Field field)
{
    switch (field) {
    case HCMAntenna::Manufacturer: return checkAntennaManufacturer(a);
    case HCMAntenna::Type: return checkAntennaType(a);
    case HCMAntenna::LowerFrequency: return checkAntennaLowerFrequency(a);
    case HCMAntenna::UpperFrequency: return checkAntennaUpperFrequency(a);
    case HCMAntenna::Gain: return checkAntennaGain(a);
    default: return 0;
    }
}
