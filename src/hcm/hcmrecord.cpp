#include "hcmrecord.h"

#include "fieldcursor.h"

#include <climits>

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

void HCMRecord::storeLineField(int position, QByteArrayView text)
{
    if (position == kUnused7G2Position)
        return;
    if (position == kCoordinatesPosition) {
        setCoordinates(text);
        return;
    }
    if (position >= kFirstAntennaPosition) {
        m_antenna.setText(HCMAntenna::Field(position - kFirstAntennaPosition), text);
        return;
    }
    // Positions 1..10 are the fields before 4C; from 12 on, 4C's two texts
    // shift the numbering by one.
    setText(HcmField(position < kCoordinatesPosition ? position - 1 : position), text);
}

int HCMRecord::parseLine(QByteArrayView line)
{
    line = trimSpaces(line);
    if (line.isEmpty())
        return 0;
    if (line.indexOf(';') < 0)
        return shortLineCode();

    m_texts.reserve(kHcmFieldCount, line.size());
    const int code = parseFields(line);
    // A national file holds a hundred thousand records: keep only what the
    // texts need.
    m_texts.squeeze();
    m_antenna.coPolar().squeeze();
    m_antenna.crossPolar().squeeze();
    return code;
}

int HCMRecord::parseFields(QByteArrayView line)
{
    FieldCursor cursor(line);
    QByteArrayView field;
    for (int position = 1; position <= kLastFixedPosition; ++position) {
        if (!cursor.next(field))
            return shortLineCode();
        storeLineField(position, field);
    }
    if (!cursor.next(field)) {
        m_antenna.setText(HCMAntenna::Gain, cursor.rest());
        return 0;
    }
    m_antenna.setText(HCMAntenna::Gain, field);
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
    pattern.reserve(int(qMin<qsizetype>(count, cursor.rest().size() / 2 + 1)), cursor.rest().size());
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
            pattern.addPoint(angle, cursor.rest(), m_settings);
            return lastBlock ? 0 : shortLineCode();
        }
        pattern.addPoint(angle, attenuation, m_settings);
    }
    return 0;
}
