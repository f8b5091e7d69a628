#include "hcmrecord.h"

#include "fieldcursor.h"

#include <climits>
#include <vector>

namespace {

const int kCoPolarCountInvalid = 142;
const int kCrossPolarCountInvalid = 144;
const int kLastFixedPosition = 48; // fields 1..48 end with a semicolon; 49 (9X1) may end the line
const int kUnused7G2Position = 30;
const int kCoordinatesPosition = 11;
const int kLongitudeLength = 8;
const int kFirstAntennaPosition = 45;

int entryTypeOf(QByteArrayView t)
{
    const QByteArray upper = t.toByteArray().toUpper();
    if (upper == "TX")
        return HCMRecord::TX;
    if (upper == "RX")
        return HCMRecord::RX;
    if (upper == "PTX")
        return HCMRecord::PTX;
    if (upper == "PRX")
        return HCMRecord::PRX;
    return HCMRecord::UnknownEntry;
}

int frequencyUnitOf(QByteArrayView t)
{
    if (t.size() != 1)
        return HCMRecord::UnknownUnit;
    switch (t[0]) {
    case 'K': case 'k': return HCMRecord::Kilo;
    case 'M': case 'm': return HCMRecord::Mega;
    case 'G': case 'g': return HCMRecord::Giga;
    default: return HCMRecord::UnknownUnit;
    }
}

int polarizationOf(QByteArrayView t)
{
    if (t == "H" || t == "h")
        return HCMRecord::Horizontal;
    if (t == "V" || t == "v")
        return HCMRecord::Vertical;
    return HCMRecord::UnknownPolarization;
}

// A pattern's point count: a plain decimal whole number, blanks around it
// allowed, that fits an int.
bool readPointCount(QByteArrayView text, int& count)
{
    text = trimSpaces(text);
    if (text.startsWith('+'))
        text = text.sliced(1);
    if (text.isEmpty() || text.size() > 10)
        return false;
    qint64 value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value > INT_MAX)
        return false;
    count = int(value);
    return true;
}

void appendPattern(QByteArray& out, const HCMPattern& p)
{
    if (p.count() == 0)
        return;
    out += ';';
    out += p.codeView();
    out += ';';
    out += QByteArray::number(p.count());
    for (int i = 0; i < p.count(); ++i) {
        out += ';';
        out += p.angleView(i);
        out += ';';
        out += p.attenuationView(i);
    }
}

} // namespace

HCMRecord::HCMRecord(const CheckSettings* settings) : m_antenna(settings), m_settings(settings) {}

void HCMRecord::setText(HcmField f, QByteArrayView text)
{
    m_texts.set(int(f), text);
    deriveCode(f, text);
}

void HCMRecord::deriveCode(HcmField f, QByteArrayView text)
{
    switch (f) {
    case HcmField::TypeOfEntry: m_entryType = entryTypeOf(text); break;
    case HcmField::FrequencyUnit: m_frequencyUnit = frequencyUnitOf(text); break;
    case HcmField::Polarization: m_polarization = polarizationOf(text); break;
    default: break;
    }
}

void HCMRecord::setCoordinates(QByteArrayView combined)
{
    if (combined.size() < kLongitudeLength) {
        setText(HcmField::Longitude, combined);
        return;
    }
    setText(HcmField::Longitude, combined.first(kLongitudeLength));
    setText(HcmField::Latitude, combined.sliced(kLongitudeLength));
}

void HCMRecord::setCheckSettings(const CheckSettings* settings)
{
    m_settings = settings;
    m_antenna.setCheckSettings(settings);
}

void HCMRecord::assignFrom(const HCMRecord& other)
{
    if (&other == this)
        return;
    for (int f = 0; f < kHcmFieldCount; ++f)
        setText(HcmField(f), other.view(HcmField(f)));
    m_settings = other.m_settings;
    m_antenna.assignFrom(other.m_antenna);
}

int HCMRecord::shortLineCode() const
{
    switch (m_entryType) {
    case TX: return 138;
    case RX: return 141;
    case PTX: return 140;
    case PRX: return 139;
    default: return 23;
    }
}

QByteArray HCMRecord::toLine() const
{
    QByteArray out;
    appendLine(out);
    return out;
}

void HCMRecord::appendLine(QByteArray& out) const
{
    for (int f = 0; f < kHcmFieldCount; ++f) {
        // Longitude and latitude share field 4C without a separator.
        if (f > 0 && f != int(HcmField::Latitude))
            out += ';';
        out += view(HcmField(f));
    }
    for (int f = 0; f < HCMAntenna::FieldCount; ++f) {
        out += ';';
        out += m_antenna.view(HCMAntenna::Field(f));
    }
    appendPattern(out, m_antenna.coPolar());
    appendPattern(out, m_antenna.crossPolar());
}

// The texts of one line as views into it, stored at once when the line is
// read: one exact allocation per text list instead of growing it field by
// field. Fields the line does not reach keep their texts.
struct HCMRecord::LineTexts
{
    explicit LineTexts(const HCMRecord& r)
    {
        for (int f = 0; f < kHcmFieldCount; ++f)
            fields[f] = r.view(HcmField(f));
        for (int f = 0; f < HCMAntenna::FieldCount; ++f)
            antenna[f] = r.m_antenna.view(HCMAntenna::Field(f));
    }
    QByteArrayView fields[kHcmFieldCount];
    QByteArrayView antenna[HCMAntenna::FieldCount];
};

void HCMRecord::stageText(LineTexts& texts, HcmField f, QByteArrayView text)
{
    texts.fields[int(f)] = text;
    deriveCode(f, text);
}

void HCMRecord::storeLineField(LineTexts& texts, int position, QByteArrayView text)
{
    if (position == kUnused7G2Position)
        return;
    if (position == kCoordinatesPosition) {
        if (text.size() < kLongitudeLength) {
            stageText(texts, HcmField::Longitude, text);
        } else {
            stageText(texts, HcmField::Longitude, text.first(kLongitudeLength));
            stageText(texts, HcmField::Latitude, text.sliced(kLongitudeLength));
        }
        return;
    }
    if (position >= kFirstAntennaPosition) {
        texts.antenna[position - kFirstAntennaPosition] = text;
        return;
    }
    // Positions 1..10 are the fields before 4C; from 12 on, 4C's two texts
    // shift the numbering by one.
    stageText(texts, HcmField(position < kCoordinatesPosition ? position - 1 : position), text);
}

int HCMRecord::parseLine(QByteArrayView line)
{
    line = trimSpaces(line);
    if (line.isEmpty())
        return 0;
    if (line.indexOf(';') < 0)
        return shortLineCode();

    LineTexts texts(*this);
    const int code = parseFields(line, texts);
    m_texts.assign(texts.fields, kHcmFieldCount);
    m_antenna.assignTexts(texts.antenna);
    return code;
}

int HCMRecord::parseFields(QByteArrayView line, LineTexts& texts)
{
    FieldCursor cursor(line);
    QByteArrayView field;
    for (int position = 1; position <= kLastFixedPosition; ++position) {
        if (!cursor.next(field))
            return shortLineCode();
        storeLineField(texts, position, field);
    }
    const int gain = HCMAntenna::Gain;
    if (!cursor.next(field)) {
        texts.antenna[gain] = cursor.rest();
        return 0;
    }
    texts.antenna[gain] = field;
    const int code = parsePattern(cursor, m_antenna.coPolar(), kCoPolarCountInvalid, false);
    if (code != 0)
        return code;
    return parsePattern(cursor, m_antenna.crossPolar(), kCrossPolarCountInvalid, true);
}

// One pattern block: code; count; then count points of angle; attenuation.
// Every co-polar point ends with a semicolon, since the cross-polar block
// follows; the last point of the cross-polar block may end the line.
int HCMRecord::parsePattern(FieldCursor& cursor, HCMPattern& pattern, int badCountCode, bool lastBlock)
{
    // Angles and attenuations in turn, added to the pattern in one go on
    // every way out.
    thread_local std::vector<QByteArrayView> points;
    points.clear();
    const int code = readPatternPoints(cursor, pattern, badCountCode, lastBlock, points);
    pattern.addPoints(points.data(), int(points.size()) / 2, m_settings);
    return code;
}

int HCMRecord::readPatternPoints(FieldCursor& cursor, HCMPattern& pattern, int badCountCode, bool lastBlock,
                                 std::vector<QByteArrayView>& points) const
{
    QByteArrayView field;
    QByteArrayView angle;
    QByteArrayView attenuation;
    int count = 0;
    if (!cursor.next(field))
        return shortLineCode();
    pattern.setCode(field);
    if (!cursor.next(field))
        return shortLineCode();
    if (!readPointCount(field, count))
        return badCountCode;
    if (lastBlock && count == 0)
        return 0;
    // Every point takes at least two characters, which bounds a bogus count.
    points.reserve(std::size_t(2 * qMin<qsizetype>(count, cursor.rest().size() / 2 + 1)));
    for (int i = 0; i < count; ++i) {
        if (!cursor.next(angle))
            return shortLineCode();
        if (!cursor.next(attenuation)) {
            if (i != count - 1)
                return shortLineCode();
            // The last point without its semicolon: complete for the
            // cross-polar block. A record with a co-polar pattern only is
            // written that way too; keep its last point, although the line is
            // still reported short as its cross-polar block is missing.
            points.push_back(angle);
            points.push_back(cursor.rest());
            return lastBlock ? 0 : shortLineCode();
        }
        points.push_back(angle);
        points.push_back(attenuation);
    }
    return 0;
}
