#include "masks.h"

#include "csvtable.h"
#include "hcmfs_embedded_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace hcmfs {
namespace {

std::vector<DefaultMaskRow> loadRows(const char* csv)
{
    std::vector<DefaultMaskRow> rows;
    for (const CsvRow& c : parseCsvTable(csv)) {
        if (c.size() < 18)
            continue;
        DefaultMaskRow r;
        double rowNumber = 0;
        bool ok = parseNumber(c[0], rowNumber) && parseNumber(c[1], r.fLowGHz) && parseNumber(c[2], r.fHighGHz)
            && parseNumber(c[4], r.csLowMHz) && parseNumber(c[5], r.csHighMHz);
        r.row = static_cast<int>(rowNumber);
        r.equipmentClass = c[3];
        for (int i = 0; i < 6 && ok; ++i) {
            MaskPointValue p;
            ok = parseNumber(c[6 + 2 * i], p.offset) && parseNumber(c[7 + 2 * i], p.attenuation);
            r.points.push_back(p);
        }
        if (ok)
            rows.push_back(std::move(r));
    }
    return rows;
}

const std::vector<DefaultMaskRow>& txRows()
{
    static const std::vector<DefaultMaskRow> rows = loadRows(embedded::default_tx_masks);
    return rows;
}

const std::vector<DefaultMaskRow>& rxRows()
{
    static const std::vector<DefaultMaskRow> rows = loadRows(embedded::default_rx_masks);
    return rows;
}

struct Segment {
    double x1, x2, y1, y2;
    double at(double x) const
    {
        if (x2 == x1)
            return y1;
        return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
    }
};

std::vector<Segment> segments(const TwoSidedMask& m, double shift)
{
    std::vector<Segment> out;
    for (std::size_t i = 1; i < m.points.size(); ++i) {
        const MaskPointValue& a = m.points[i - 1];
        const MaskPointValue& b = m.points[i];
        if (b.offset > a.offset)
            out.push_back({a.offset + shift, b.offset + shift, a.attenuation, b.attenuation});
    }
    return out;
}

} // namespace

TwoSidedMask buildTwoSidedMask(const std::vector<MaskPointValue>& oneSided, double cs)
{
    std::vector<MaskPointValue> right;
    if (!oneSided.empty() && oneSided.front().offset > 0)
        right.push_back({0.0, 0.0});
    right.insert(right.end(), oneSided.begin(), oneSided.end());
    if (!right.empty() && cs > 0) {
        const double lastA = right.back().attenuation;
        if (2.5 * cs > right.back().offset)
            right.push_back({2.5 * cs, lastA});
        right.push_back({std::max(3.5 * cs, right.back().offset), lastA + 5});
    }
    TwoSidedMask m;
    for (auto it = right.rbegin(); it != right.rend(); ++it) {
        // The point at offset 0 is its own mirror image.
        if (it->offset == 0 && std::next(it) == right.rend())
            continue;
        m.points.push_back({-it->offset, it->attenuation});
    }
    m.points.insert(m.points.end(), right.begin(), right.end());
    return m;
}

double segmentIntegral(double x1, double x2, double y1, double y2)
{
    const double w = x2 - x1;
    if (!(w > 0))
        return 0;
    const double dy = y2 - y1;
    if (std::fabs(dy) < 1e-9)
        return w * std::pow(10.0, -0.05 * (y1 + y2)); // flat segment: the mean level
    return w * (10.0 / std::log(10.0)) * (std::pow(10.0, -y1 / 10) - std::pow(10.0, -y2 / 10)) / dy;
}

double maskArea(const TwoSidedMask& mask)
{
    double area = 0;
    for (const Segment& s : segments(mask, 0))
        area += segmentIntegral(s.x1, s.x2, s.y1, s.y2);
    return area;
}

double overlappingArea(const TwoSidedMask& tx, const TwoSidedMask& rx, double df)
{
    const std::vector<Segment> t = segments(tx, 0);
    const std::vector<Segment> r = segments(rx, df);
    double area = 0;
    std::size_t i = 0, j = 0;
    while (i < t.size() && j < r.size()) {
        const double u = std::max(t[i].x1, r[j].x1);
        const double v = std::min(t[i].x2, r[j].x2);
        if (v > u)
            area += segmentIntegral(u, v, t[i].at(u) + r[j].at(u), t[i].at(v) + r[j].at(v));
        if (t[i].x2 < r[j].x2)
            ++i;
        else
            ++j;
    }
    return area;
}

const DefaultMaskRow* findDefaultMask(bool transmitter, double fGHz, const std::string& cls, double cs,
                                      std::string* note)
{
    const std::vector<DefaultMaskRow>& rows = transmitter ? txRows() : rxRows();
    const double eps = 1e-6;
    auto inBand = [&](const DefaultMaskRow& r) { return fGHz + eps >= r.fLowGHz && fGHz - eps <= r.fHighGHz; };
    // The class asked for, or with 7G1 empty every class of the band, lowest
    // (the table's order) first.
    std::vector<std::string> classes;
    if (!cls.empty())
        classes.push_back(cls);
    for (const DefaultMaskRow& r : rows)
        if (cls.empty() && inBand(r) && std::find(classes.begin(), classes.end(), r.equipmentClass) == classes.end())
            classes.push_back(r.equipmentClass);
    auto says = [&](const DefaultMaskRow& r, const std::string& text) {
        if (note)
            *note = text;
        return &r;
    };
    for (const std::string& c : classes)
        for (const DefaultMaskRow& r : rows)
            if (inBand(r) && r.equipmentClass == c && cs + eps >= r.csLowMHz && cs - eps <= r.csHighMHz)
                return says(r, cls.empty() ? "7G1 empty: the lowest class with this spacing, " + c : std::string());
    // No row for this spacing: a wider one discriminates less, which errs on
    // the side of more interference.
    for (const std::string& c : classes) {
        const DefaultMaskRow* next = nullptr;
        for (const DefaultMaskRow& r : rows)
            if (inBand(r) && r.equipmentClass == c && r.csLowMHz > cs + eps && (!next || r.csLowMHz < next->csLowMHz))
                next = &r;
        if (next) {
            char text[160];
            std::snprintf(text, sizeof text, "no row for %g MHz: the next larger spacing %g MHz of class %s%s", cs,
                          next->csLowMHz, c.c_str(), cls.empty() ? " (7G1 empty: the lowest class with one)" : "");
            return says(*next, text);
        }
    }
    return nullptr;
}

MaskChoice chooseMask(const StationRecord& record, bool transmitter)
{
    MaskChoice c;
    if (record.channelSpacing.valid && record.channelSpacing.value > 0)
        c.channelSpacing = record.channelSpacing.value;
    if (!record.mask.empty() || !record.maskUsable) {
        // A filled 7G is the equipment's own mask; a damaged one is not
        // replaced by a default, so the user sees the fault.
        if (!record.maskUsable || record.mask.size() < 2)
            return c;
        for (std::size_t i = 0; i < record.mask.size(); ++i) {
            const MaskPointValue& p = record.mask[i];
            if (p.offset < 0 || p.attenuation < 0 || (i > 0 && p.offset < record.mask[i - 1].offset))
                return c;
        }
        c.fromRecord = true;
        c.oneSided = record.mask;
    } else {
        if (!record.hasFrequency || c.channelSpacing <= 0)
            return c;
        const DefaultMaskRow* row =
            findDefaultMask(transmitter, record.frequencyMHz / 1000.0, record.equipmentClass, c.channelSpacing, &c.defaultNote);
        if (!row)
            return c;
        c.defaultRow = row->row;
        c.oneSided = row->points;
    }
    c.mask = buildTwoSidedMask(c.oneSided, c.channelSpacing);
    c.usable = maskArea(c.mask) > 0;
    return c;
}

} // namespace hcmfs
