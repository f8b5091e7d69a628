#include "editorfields.h"

#include "hcm/hcmantenna.h"
#include "hcm/hcmheader.h"
#include "hcm/hcmrecord.h"

#include <QtGlobal>

namespace {

constexpr const char* kDate = QT_TRANSLATE_NOOP("hcmEditMDI", "DDMMYYYY");

EditorField rec(const char* code, const char* name, const char* label, int page, HcmField f,
                InputCheck check = InputCheck::Field, const char* hint = nullptr)
{
    return {code, name, label, hint, page, InputTarget::Record, int(f), check, false, 0};
}

EditorField ant(const char* code, const char* name, const char* label, HCMAntenna::Field f)
{
    return {code, name, label, nullptr, AntennaPage, InputTarget::Antenna, int(f),
            InputCheck::Field, false, 0};
}

EditorField head(const char* name, const char* label, HCMHeader::Field f,
                 const char* hint = nullptr, bool multiLine = false)
{
    return {"", name, label, hint, HeaderPage, InputTarget::Header, int(f), InputCheck::Field,
            multiLine, 0};
}

std::vector<EditorField> buildTable()
{
    using F = HcmField;
    using C = InputCheck;
    std::vector<EditorField> t = {
        rec("4A", "le4a", QT_TRANSLATE_NOOP("hcmEditMDI", "4A: Name of station "), GeneralPage1, F::StationName),
        rec("1A", "le1a", QT_TRANSLATE_NOOP("hcmEditMDI", "1A: Frequency"), GeneralPage1, F::Frequency),
        rec("1A1", "le1a1", QT_TRANSLATE_NOOP("hcmEditMDI", "1A1: Frequency unit"), GeneralPage1, F::FrequencyUnit, C::WithFrequency),
        rec("0A", "le0a", QT_TRANSLATE_NOOP("hcmEditMDI", "0A: Type of entry"), GeneralPage1, F::TypeOfEntry, C::WholeRecord),
        rec("4C", "le4clo", QT_TRANSLATE_NOOP("hcmEditMDI", "4C: Longitude"), GeneralPage1, F::Longitude),
        rec("4C", "le4cla", QT_TRANSLATE_NOOP("hcmEditMDI", "4C: Latitude"), GeneralPage1, F::Latitude),
        rec("9A", "le9a", QT_TRANSLATE_NOOP("hcmEditMDI", "9A: Azimuth"), GeneralPage1, F::Azimuth),
        rec("9B", "le9b", QT_TRANSLATE_NOOP("hcmEditMDI", "9B: Elevation"), GeneralPage1, F::Elevation),
        rec("9D", "le9d", QT_TRANSLATE_NOOP("hcmEditMDI", "9D: Polarization"), GeneralPage1, F::Polarization),
        rec("4Z", "le4z", QT_TRANSLATE_NOOP("hcmEditMDI", "4Z: Height of st. above sea level"), GeneralPage1, F::SiteHeight),
        rec("9L", "le9l", QT_TRANSLATE_NOOP("hcmEditMDI", "9L: Branches and line losses"), GeneralPage1, F::LineLosses),

        rec("6A", "le6a", QT_TRANSLATE_NOOP("hcmEditMDI", "6A: Class of station"), GeneralPage2, F::ClassOfStation),
        rec("6B", "le6b", QT_TRANSLATE_NOOP("hcmEditMDI", "6B: Nature of service"), GeneralPage2, F::NatureOfService),
        rec("6Z", "le6z", QT_TRANSLATE_NOOP("hcmEditMDI", "6Z: Category of use"), GeneralPage2, F::CategoryOfUse),
        rec("1Z", "le1z", QT_TRANSLATE_NOOP("hcmEditMDI", "1Z: Frequency category"), GeneralPage2, F::FrequencyCategory),
        rec("4B", "le4b", QT_TRANSLATE_NOOP("hcmEditMDI", "4B: Country"), GeneralPage2, F::Country),
        rec("13X", "le13x", QT_TRANSLATE_NOOP("hcmEditMDI", "13X: Co-ordination reference"), GeneralPage2, F::CoordinationReference),
        rec("2C", "le2c", QT_TRANSLATE_NOOP("hcmEditMDI", "2C: Date of bringing into use"), GeneralPage2, F::DateInUse, C::Field, kDate),
        rec("13Y", "le13y", QT_TRANSLATE_NOOP("hcmEditMDI", "13Y: Status of co-ordination"), GeneralPage2, F::CoordinationStatus),
        rec("2W", "le2w", QT_TRANSLATE_NOOP("hcmEditMDI", "2W: Date of co-ord. request"), GeneralPage2, F::CoordinationRequestDate, C::Field, kDate),
        rec("2Z", "le2z", QT_TRANSLATE_NOOP("hcmEditMDI", "2Z: Final date of ach. co-ord."), GeneralPage2, F::CoordinationFinalDate, C::Field, kDate),
        {"13Z", "te13z", QT_TRANSLATE_NOOP("hcmEditMDI", "13Z: Remarks"), nullptr, GeneralPage2, InputTarget::Record, int(F::Remarks), C::Field, true, 0},

        rec("7H", "le7h", QT_TRANSLATE_NOOP("hcmEditMDI", "7H Manufacturer name"), EquipmentPage, F::EquipmentManufacturer),
        rec("7I", "le7i", QT_TRANSLATE_NOOP("hcmEditMDI", "7I Type"), EquipmentPage, F::EquipmentType),
        rec("8B", "le8b", QT_TRANSLATE_NOOP("hcmEditMDI", "8B Max. p. tx. power"), EquipmentPage, F::MaxPower),
        rec("8B3", "le8b3", QT_TRANSLATE_NOOP("hcmEditMDI", "8B3 ATPC"), EquipmentPage, F::Atpc),
        rec("7G1", "le7g1", QT_TRANSLATE_NOOP("hcmEditMDI", "7G1 Equipment class"), EquipmentPage, F::EquipmentClass),
        rec("7G2", "le7g2", QT_TRANSLATE_NOOP("hcmEditMDI", "7G2 (unused)"), EquipmentPage, F::Unused7G2, C::OnlyWhenTyped),
        rec("9H", "le9h", QT_TRANSLATE_NOOP("hcmEditMDI", "9H FkTB"), EquipmentPage, F::NoisePower),
        rec("7K", "le7k", QT_TRANSLATE_NOOP("hcmEditMDI", "7K Max capacity of the link"), EquipmentPage, F::Capacity),
        rec("7A", "le7a", QT_TRANSLATE_NOOP("hcmEditMDI", "7A Designation of emission"), EquipmentPage, F::Emission),
        rec("7G3", "le7g3", QT_TRANSLATE_NOOP("hcmEditMDI", "7G3 Channel spacing"), EquipmentPage, F::ChannelSpacing),
    };
    // The mask grid: frequencies le7gf1..6 above attenuations le7ga1..6.
    static const char* const kMaskNames[12] = {"le7gf1", "le7gf2", "le7gf3", "le7gf4", "le7gf5", "le7gf6",
                                               "le7ga1", "le7ga2", "le7ga3", "le7ga4", "le7ga5", "le7ga6"};
    for (int i = 0; i < 12; ++i) {
        const int n = i % 6 + 1;
        const HcmField f = i < 6 ? HCMRecord::maskFrequencyField(n) : HCMRecord::maskAttenuationField(n);
        t.push_back({"7G", kMaskNames[i], "", nullptr, EquipmentPage, InputTarget::Record, int(f),
                     C::MaskPoints, false, n});
    }
    const std::vector<EditorField> rest = {
        ant("9XM", "le9xm", QT_TRANSLATE_NOOP("hcmEditMDI", "9XM Manufacturer name"), HCMAntenna::Manufacturer),
        ant("9XT", "le9xt", QT_TRANSLATE_NOOP("hcmEditMDI", "9XT Type"), HCMAntenna::Type),
        rec("9Y", "le9y", QT_TRANSLATE_NOOP("hcmEditMDI", "9Y Height of ant. above ground"), AntennaPage, F::AntennaHeight),
        ant("9XFU", "le9xfu", QT_TRANSLATE_NOOP("hcmEditMDI", "9XFU Upper freq, MHz"), HCMAntenna::UpperFrequency),
        ant("9XFL", "le9xfl", QT_TRANSLATE_NOOP("hcmEditMDI", "9XFL Lower freq, MHz"), HCMAntenna::LowerFrequency),
        ant("9X1", "le9x1", QT_TRANSLATE_NOOP("hcmEditMDI", "9X1 Gain"), HCMAntenna::Gain),

        head("leFileNumber", QT_TRANSLATE_NOOP("hcmEditMDI", "File number"), HCMHeader::FileNumber),
        head("leResponsiblePerson", QT_TRANSLATE_NOOP("hcmEditMDI", "Responsible person"), HCMHeader::ResponsiblePerson),
        head("lePhone", QT_TRANSLATE_NOOP("hcmEditMDI", "Phone"), HCMHeader::Phone),
        head("leTelefax", QT_TRANSLATE_NOOP("hcmEditMDI", "Telefax"), HCMHeader::Telefax),
        head("leEmail", QT_TRANSLATE_NOOP("hcmEditMDI", "E-mail"), HCMHeader::Email),
        head("leNumberOfRecords", QT_TRANSLATE_NOOP("hcmEditMDI", "Number of records"), HCMHeader::NumberOfRecords),
        head("leWritingDate", QT_TRANSLATE_NOOP("hcmEditMDI", "Writing date"), HCMHeader::WritingDate, kDate),
        head("leCountry", QT_TRANSLATE_NOOP("hcmEditMDI", "Country"), HCMHeader::Country),
        head("leFileContentsCode", QT_TRANSLATE_NOOP("hcmEditMDI", "File contents code"), HCMHeader::FileContentsCode),
        head("teFileContents", QT_TRANSLATE_NOOP("hcmEditMDI", "File contents"), HCMHeader::FileContents, nullptr, true),
    };
    t.insert(t.end(), rest.begin(), rest.end());
    return t;
}

} // namespace

const std::vector<EditorField>& editorFields()
{
    static const std::vector<EditorField> table = buildTable();
    return table;
}

const char* editorPageTitle(int page)
{
    static const char* const kTitles[PageCount] = {
        QT_TRANSLATE_NOOP("hcmEditMDI", "General (1)"), QT_TRANSLATE_NOOP("hcmEditMDI", "General (2)"),
        QT_TRANSLATE_NOOP("hcmEditMDI", "Equipment"), QT_TRANSLATE_NOOP("hcmEditMDI", "Antenna"),
        QT_TRANSLATE_NOOP("hcmEditMDI", "File header")};
    return page >= 0 && page < PageCount ? kTitles[page] : "";
}
