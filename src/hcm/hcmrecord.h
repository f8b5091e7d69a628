#ifndef HCMRECORD_H
#define HCMRECORD_H

#include "checksettings.h"
#include "hcmantenna.h"
#include "textstore.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

class FieldCursor;

// The texts of a station record in the order of its line. 4C is held as two
// texts (longitude, latitude); the twelve 7G texts are the six mask points,
// each as frequency offset then attenuation.
enum class HcmField : int {
    TypeOfEntry,          // 0A
    Frequency,            // 1A
    FrequencyUnit,        // 1A1
    FrequencyCategory,    // 1Z
    ClassOfStation,       // 6A
    NatureOfService,      // 6B
    CategoryOfUse,        // 6Z
    DateInUse,            // 2C
    StationName,          // 4A
    Country,              // 4B
    Longitude,            // 4C, first 8 characters
    Latitude,             // 4C, the rest
    SiteHeight,           // 4Z
    Emission,             // 7A
    EquipmentManufacturer,// 7H
    EquipmentType,        // 7I
    Capacity,             // 7K
    MaskFrequency1,       // 7G point 1 frequency; point n at MaskFrequency1 + 2(n-1)
    MaskAttenuation1,
    MaskFrequency2, MaskAttenuation2,
    MaskFrequency3, MaskAttenuation3,
    MaskFrequency4, MaskAttenuation4,
    MaskFrequency5, MaskAttenuation5,
    MaskFrequency6, MaskAttenuation6,
    EquipmentClass,       // 7G1
    Unused7G2,            // 7G2, written but never read
    ChannelSpacing,       // 7G3
    MaxPower,             // 8B
    Atpc,                 // 8B3
    Azimuth,              // 9A
    Elevation,            // 9B
    Polarization,         // 9D
    NoisePower,           // 9H
    LineLosses,           // 9L
    AntennaHeight,        // 9Y
    Remarks,              // 13Z
    CoordinationStatus,   // 13Y
    CoordinationRequestDate, // 2W
    CoordinationFinalDate,   // 2Z
    CoordinationReference,   // 13X
    Count
};

constexpr int kHcmFieldCount = int(HcmField::Count);

// One station of an HCM file: 45 texts, three codes derived from 0A, 1A1 and
// 9D, and the antenna. Texts are kept byte for byte as read or typed.
class HCMRecord
{
public:
    enum EntryType { TX = 0, RX = 1, PTX = 2, PRX = 3, UnknownEntry = 4 };
    enum FrequencyUnitCode { Kilo = 0, Mega = 1, Giga = 2, UnknownUnit = 3 };
    enum PolarizationCode { Vertical = 0, Horizontal = 1, UnknownPolarization = 2 };

    explicit HCMRecord(const CheckSettings* settings);

    QByteArray text(HcmField f) const { return view(f).toByteArray(); }
    QByteArrayView view(HcmField f) const { return m_texts.view(int(f)); }
    void setText(HcmField f, QByteArrayView text);

    // Mask point n, 1 to 6.
    QByteArray maskFrequency(int n) const { return text(maskFrequencyField(n)); }
    QByteArray maskAttenuation(int n) const { return text(maskAttenuationField(n)); }
    void setMaskFrequency(int n, QByteArrayView t) { setText(maskFrequencyField(n), t); }
    void setMaskAttenuation(int n, QByteArrayView t) { setText(maskAttenuationField(n), t); }
    static HcmField maskFrequencyField(int n) { return HcmField(int(HcmField::MaskFrequency1) + 2 * (n - 1)); }
    static HcmField maskAttenuationField(int n) { return HcmField(int(HcmField::MaskAttenuation1) + 2 * (n - 1)); }

    // 4C as it stands in a line: 8 or more characters split into longitude
    // (the first 8) and latitude (the rest); a shorter value becomes the
    // longitude and leaves the latitude as it was.
    void setCoordinates(QByteArrayView combined);

    int entryType() const { return m_entryType; }
    int frequencyUnitCode() const { return m_frequencyUnit; }
    int polarizationCode() const { return m_polarization; }

    HCMAntenna& antenna() { return m_antenna; }
    const HCMAntenna& antenna() const { return m_antenna; }

    const CheckSettings* checkSettings() const { return m_settings; }
    void setCheckSettings(const CheckSettings* settings);

    void assignFrom(const HCMRecord& other);

    QByteArray toLine() const;
    void appendLine(QByteArray& out) const;
    int parseLine(QByteArrayView line);

    // The code a line that ends too early gives, after the type of entry.
    int shortLineCode() const;

private:
    struct LineTexts;
    void deriveCode(HcmField f, QByteArrayView text);
    void stageText(LineTexts& texts, HcmField f, QByteArrayView text);
    int parseFields(QByteArrayView line, LineTexts& texts);
    int parsePattern(FieldCursor& cursor, HCMPattern& pattern, int badCountCode, bool lastBlock);
    int readPatternPoints(FieldCursor& cursor, HCMPattern& pattern, int badCountCode, bool lastBlock,
                          std::vector<QByteArrayView>& points) const;
    void storeLineField(LineTexts& texts, int position, QByteArrayView text);

    TextStore m_texts{kHcmFieldCount};
    int m_entryType = UnknownEntry;
    int m_frequencyUnit = UnknownUnit;
    int m_polarization = UnknownPolarization;
    HCMAntenna m_antenna;
    const CheckSettings* m_settings;
};

#endif
