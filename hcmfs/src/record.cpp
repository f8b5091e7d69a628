#include "record.h"

#include "csvtable.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace hcmfs {
namespace {

const int kRecordFields = 49;
const int kMaxPatternPoints = 720;

std::string trimmed(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

// Whether a field holds nothing but blanks (no copy made).
bool blank(const std::string& s)
{
    for (char c : s)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

std::string upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

FieldNumber readNumber(const std::string& text)
{
    FieldNumber n;
    if (blank(text))
        return n;
    n.present = true;
    n.valid = parseNumber(text, n.value); // blanks around the number are allowed
    if (!n.valid)
        n.value = 0;
    return n;
}

StationType typeFrom(const std::string& text)
{
    const std::string t = upper(trimmed(text));
    if (t == "TX")
        return StationType::Tx;
    if (t == "RX")
        return StationType::Rx;
    if (t == "PTX")
        return StationType::Ptx;
    if (t == "PRX")
        return StationType::Prx;
    return StationType::Unknown;
}

bool readPattern(const std::vector<std::string>& parts, std::size_t& pos, RecordPattern& pattern,
                 std::string& message, const char* which)
{
    pattern = RecordPattern();
    pattern.code = upper(trimmed(parts[pos++]));
    if (pos >= parts.size()) {
        message = std::string(which) + " pattern block has no point count";
        return false;
    }
    const std::string countText = trimmed(parts[pos++]);
    double count = 0;
    if (countText.empty() && pattern.code.empty())
        return true; // an empty block written as two empty fields
    if (!parseNumber(countText, count) || count < 0 || count > kMaxPatternPoints || count != static_cast<int>(count)) {
        message = std::string(which) + " pattern point count is not a whole number";
        return false;
    }
    for (int i = 0; i < static_cast<int>(count); ++i) {
        if (pos + 1 >= parts.size()) {
            message = std::string(which) + " pattern has fewer points than its count";
            return false;
        }
        AnglePoint p;
        if (!parseNumber(parts[pos], p.angle) || !parseNumber(parts[pos + 1], p.attenuation)) {
            message = std::string(which) + " pattern point " + std::to_string(i + 1) + " is not a number pair";
            return false;
        }
        pattern.points.push_back(p);
        pos += 2;
    }
    return true;
}

bool onlyEmpty(const std::vector<std::string>& parts, std::size_t from)
{
    for (std::size_t i = from; i < parts.size(); ++i)
        if (!blank(parts[i]))
            return false;
    return true;
}

} // namespace

const char* stationTypeName(StationType type)
{
    switch (type) {
    case StationType::Tx: return "TX";
    case StationType::Rx: return "RX";
    case StationType::Ptx: return "PTX";
    case StationType::Prx: return "PRX";
    default: return "unknown";
    }
}

const std::string& StationRecord::field(int code) const
{
    static const std::string empty;
    return code >= 0 && code < static_cast<int>(fields.size()) ? fields[code] : empty;
}

bool parseStationRecord(const char* text, int length, StationRecord& r, std::string& message)
{
    r = StationRecord();
    if (!text || length <= 0) {
        message = "the record line is empty";
        return false;
    }
    std::string line(text, static_cast<std::size_t>(length));
    // A NUL ends the usable text; line terminators and blanks around the
    // line are not part of the record.
    const std::size_t nul = line.find('\0');
    if (nul != std::string::npos)
        line.resize(nul);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' '))
        line.pop_back();
    std::size_t lead = 0;
    while (lead < line.size() && line[lead] == ' ')
        ++lead;
    line.erase(0, lead);
    r.line = std::move(line);
    const std::string& kept = r.line;

    std::vector<std::string> parts;
    parts.reserve(static_cast<std::size_t>(std::count(kept.begin(), kept.end(), ';')) + 1);
    std::size_t start = 0;
    for (;;) {
        const std::size_t semi = kept.find(';', start);
        if (semi == std::string::npos) {
            parts.push_back(kept.substr(start));
            break;
        }
        parts.emplace_back(kept, start, semi - start);
        start = semi + 1;
    }
    if (parts.size() < kRecordFields) {
        message = "the record line has " + std::to_string(parts.size()) + " fields, at least 49 are needed";
        return false;
    }
    // The pattern blocks after the record's fields are read from parts below.
    r.fields.assign(std::make_move_iterator(parts.begin()), std::make_move_iterator(parts.begin() + kRecordFields));

    std::size_t pos = kRecordFields;
    if (pos < parts.size() && !onlyEmpty(parts, pos)) {
        if (!readPattern(parts, pos, r.coPolar, message, "co-polar"))
            return false;
        if (pos < parts.size() && !onlyEmpty(parts, pos)) {
            if (!readPattern(parts, pos, r.crossPolar, message, "cross-polar"))
                return false;
        }
    }

    r.type = typeFrom(r.fields[F0A]);

    r.frequency = readNumber(r.fields[F1A]);
    const std::string unit = upper(trimmed(r.fields[F1A1]));
    if (unit == "K" || unit == "M" || unit == "G")
        r.frequencyUnit = unit[0];
    if (r.frequency.valid && r.frequencyUnit) {
        const double scale = r.frequencyUnit == 'K' ? 1e-3 : r.frequencyUnit == 'M' ? 1.0 : 1e3;
        r.frequencyMHz = r.frequency.value * scale;
        r.hasFrequency = true;
    }

    r.hasCoordinates = parseHcmCoordinates(trimmed(r.fields[F4C]), r.position);
    r.siteHeight = readNumber(r.fields[F4Z]);
    r.antennaHeight = readNumber(r.fields[F9Y]);
    r.azimuth = readNumber(r.fields[F9A]);
    r.elevation = readNumber(r.fields[F9B]);
    const std::string pol = upper(trimmed(r.fields[F9D]));
    if (pol == "H" || pol == "V")
        r.polarisation = pol[0];
    r.power = readNumber(r.fields[F8B]);
    r.atpc = readNumber(r.fields[F8B3]);
    r.noise = readNumber(r.fields[F9H]);
    r.lineLoss = readNumber(r.fields[F9L]);
    r.gain = readNumber(r.fields[F9X1]);
    r.channelSpacing = readNumber(r.fields[F7G3]);
    r.equipmentClass = upper(trimmed(r.fields[F7G1]));

    for (int i = 0; i < 6; ++i) {
        const std::string& f = r.fields[F7GFirst + 2 * i];
        const std::string& a = r.fields[F7GFirst + 2 * i + 1];
        const bool fEmpty = blank(f);
        const bool aEmpty = blank(a);
        if (fEmpty && aEmpty)
            break;
        MaskPointValue p;
        if (fEmpty || aEmpty || !parseNumber(f, p.offset) || !parseNumber(a, p.attenuation)) {
            r.maskUsable = false;
            break;
        }
        r.mask.push_back(p);
    }
    return true;
}

} // namespace hcmfs
