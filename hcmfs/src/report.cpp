#include "report.h"

#include "errors.h"
#include "version.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <ctime>

namespace hcmfs {
namespace {

class Text {
public:
    void line(const char* fmt, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
    {
        char buf[1024];
        va_list args;
        va_start(args, fmt);
        std::vsnprintf(buf, sizeof buf, fmt, args);
        va_end(args);
        out_ += buf;
        out_ += '\n';
    }
    void raw(const std::string& s) { out_ += s + '\n'; }
    void blank() { out_ += '\n'; }
    void heading(const char* title)
    {
        out_ += '\n';
        out_ += title;
        out_ += '\n';
        out_ += std::string(std::string(title).size(), '-');
        out_ += '\n';
    }
    const std::string& str() const { return out_; }

private:
    std::string out_;
};

std::string num(double v, int decimals = 2)
{
    if (std::isinf(v))
        return v > 0 ? "+inf" : "-inf";
    if (std::isnan(v))
        return "nan";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string fieldText(const FieldNumber& f, int decimals = 2)
{
    if (!f.present)
        return "(empty)";
    if (!f.valid)
        return "(unreadable)";
    return num(f.value, decimals);
}

std::string maskPoints(const std::vector<MaskPointValue>& pts)
{
    std::string s;
    for (const MaskPointValue& p : pts)
        s += (s.empty() ? "" : "  ") + num(p.offset, 5) + ";" + num(p.attenuation, 1);
    return s;
}

void stations(Text& t, const Calculation& c)
{
    t.heading("Records as received");
    for (std::size_t i = 0; i < c.receivedLines.size() && i < 4; ++i)
        if (!c.receivedLines[i].empty() || i < 2)
            t.line("%zu: %s", i + 1, c.receivedLines[i].c_str());

    if (c.stations.empty())
        return;
    t.heading("Values read from the records");
    for (std::size_t i = 0; i < c.stations.size(); ++i) {
        const StationRecord& r = c.stations[i].record;
        if (r.fields.empty())
            continue;
        t.line("Station %zu: %s  %s  country %s", i + 1, stationTypeName(r.type), r.field(8).c_str(),
               r.field(F4B).c_str());
        if (r.hasFrequency)
            t.line("  frequency 1A/1A1   %s %s = %s MHz", r.field(F1A).c_str(), r.field(F1A1).c_str(),
                   num(r.frequencyMHz, 6).c_str());
        else
            t.line("  frequency 1A/1A1   '%s' '%s' (not usable)", r.field(F1A).c_str(), r.field(F1A1).c_str());
        if (r.hasCoordinates)
            t.line("  co-ordinates 4C    %s = %s E, %s N", r.field(F4C).c_str(), num(r.position.lon, 6).c_str(),
                   num(r.position.lat, 6).c_str());
        else
            t.line("  co-ordinates 4C    '%s' (not usable)", r.field(F4C).c_str());
        t.line("  4Z site height     %s m;  9Y antenna height %s m", fieldText(r.siteHeight, 1).c_str(),
               fieldText(r.antennaHeight, 1).c_str());
        t.line("  9A azimuth         %s deg;  9B elevation %s deg;  9D polarisation %s",
               fieldText(r.azimuth, 2).c_str(), fieldText(r.elevation, 2).c_str(),
               r.polarisation ? std::string(1, r.polarisation).c_str() : "(not H or V)");
        t.line("  9L line losses     %s dB;  9X1 gain %s dBi", r.lineLoss.present ? fieldText(r.lineLoss).c_str() : "0 (empty)",
               fieldText(r.gain).c_str());
        if (r.type == StationType::Tx)
            t.line("  8B power           %s dBW;  8B3 ATPC %s dB (%s)", fieldText(r.power).c_str(),
                   fieldText(r.atpc).c_str(), r.atpc.valid && r.atpc.value > 0 ? "deducted from 8B" : "nothing deducted");
        if (r.type == StationType::Rx)
            t.line("  9H noise FkTB      %s dBW", fieldText(r.noise).c_str());
        if (r.type == StationType::Tx || r.type == StationType::Rx)
            t.line("  7G1 class %s;  7G3 channel spacing %s MHz;  7G %s", r.equipmentClass.empty() ? "(empty)" : r.equipmentClass.c_str(),
                   fieldText(r.channelSpacing, 3).c_str(), r.mask.empty() ? (r.maskUsable ? "(empty)" : "(unusable)") : maskPoints(r.mask).c_str());
        const AntennaModel& a = c.stations[i].antenna;
        if (!a.co.empty() || a.coSource == PatternSource::F699)
            t.line("  antenna patterns   co-polar: %s (%zu points);  cross-polar: %s%s", patternSourceName(a.coSource),
                   a.co.size(), patternSourceName(a.crossSource),
                   a.crossDerived ? (a.crossSource == PatternSource::F699 ? ", at least " + num(a.floorDb, 0) + " dB" : ", derived with floor " + num(a.floorDb, 0) + " dB").c_str() : "");
    }
}

void masks(Text& t, const Calculation& c)
{
    if (!c.txMask.usable || !c.rxMask.usable)
        return;
    t.heading("Masks");
    auto describe = [&](const char* name, const MaskChoice& m) {
        if (m.fromRecord)
            t.line("%s mask: from the record's 7G, channel spacing %s MHz", name,
                   m.channelSpacing > 0 ? num(m.channelSpacing, 3).c_str() : "unknown (no extension)");
        else
            t.line("%s mask: default table row %d (band, class and channel spacing %s MHz)%s%s", name, m.defaultRow,
                   num(m.channelSpacing, 3).c_str(), m.defaultNote.empty() ? "" : ": ", m.defaultNote.c_str());
        t.line("  one-sided points (MHz;dB): %s", maskPoints(m.oneSided).c_str());
        t.line("  two-sided points (MHz;dB): %s", maskPoints(m.mask.points).c_str());
    };
    describe("TX spectrum", c.txMask);
    describe("RX selectivity", c.rxMask);
    t.line("Frequency offset df = f_RX - f_TX = %s MHz", num(c.dfMHz, 6).c_str());
    t.line("TX mask area A_T = %s MHz", num(c.areaTx, 6).c_str());
    t.line("Overlapping area O(0) = %s MHz;  O(df) = %s MHz", num(c.overlap0, 6).c_str(), num(c.overlap, 9).c_str());
    t.line("MD(df) = 10 log10(A_T / O(df)) = %s dB;  MD(0) = %s dB", num(c.md, 2).c_str(), num(c.md0, 2).c_str());
    t.line("NFD(df) = MD(df) - MD(0) = %s dB", num(c.nfd, 2).c_str());
    if (c.zeroOverlap)
        t.line("The masks do not overlap at this offset: no interference (I = -inf, TD = 0); the path is not computed.");
}

// Where the radio-climatic zones came from; no clutter is modelled.
void morphology(Text& t, const Calculation& c)
{
    if (c.locations.morpho.empty()) {
        t.line("No morphological data (MORPHO): every profile point inland (A2); no clutter.");
        return;
    }
    t.line("Morphological data: %s (zones per profile point; no clutter)", c.locations.morpho.c_str());
    for (const std::string& tile : c.morphoTilesUsed)
        t.line("  tile %s", tile.c_str());
    for (const std::string& missing : c.morphoMissing)
        t.line("  %s: its points count as inland (A2)", missing.c_str());
}

// Where the hop's stations stand: the record's 4Z (or the terrain model's
// height when 4Z is missing), the antenna 9Y above it, and the terrain model
// at the site for comparison.
void stationHeights(Text& t, const Calculation& c, const Hop& h)
{
    for (int index : {h.from, h.to}) {
        const Station& s = c.stations[static_cast<std::size_t>(index)];
        t.line("  %-4s ground %s m (%s), terrain model %s m;  antenna %s m above it, %s m a.s.l.",
               stationTypeName(s.record.type), num(s.ground, 1).c_str(), s.siteFromTerrain ? "terrain model, 4Z missing" : "4Z",
               c.smoothEarth ? "- (smooth earth)" : num(s.terrainAtSite, 1).c_str(),
               num(s.record.antennaHeight.value, 1).c_str(), num(s.heightAsl, 1).c_str());
    }
}

void hops(Text& t, const Calculation& c)
{
    if (c.hops.empty())
        return;
    t.heading("Terrain and refractivity");
    t.line("Data locations: %s", c.locations.origin.c_str());
    if (c.smoothEarth)
        t.line("No terrain configured: smooth earth, profile heights 0 m, antenna heights above ground = 4Z + 9Y.");
    else
        t.line("Terrain folder: %s", c.locations.topo.c_str());
    for (const std::string& tile : c.tilesUsed)
        t.line("  tile %s", tile.c_str());
    morphology(t, c);
    for (const std::string& w : c.siteWarnings)
        t.line("%s", w.c_str());

    for (std::size_t k = 0; k < c.hops.size(); ++k) {
        const Hop& h = c.hops[k];
        if (h.points == 0)
            continue;
        const StationRecord& from = c.stations[h.from].record;
        const StationRecord& to = c.stations[h.to].record;
        char title[96];
        std::snprintf(title, sizeof title, "Hop %zu: %s -> %s", k + 1, stationTypeName(from.type), stationTypeName(to.type));
        t.heading(title);
        t.line("Distance %s km;  azimuth %s -> %s %s deg, back %s deg", num(h.distanceKm, 4).c_str(),
               stationTypeName(from.type), stationTypeName(to.type), num(h.azFromTo, 3).c_str(), num(h.azToFrom, 3).c_str());
        t.line("Profile: %d points, step %s km;  ground at the ends %s m and %s m;  min %s m, max %s m", h.points,
               num(h.stepKm, 4).c_str(), num(h.groundFrom, 1).c_str(), num(h.groundTo, 1).c_str(),
               num(h.groundMin, 1).c_str(), num(h.groundMax, 1).c_str());
        stationHeights(t, c, h);
        const P452Params& p = h.params;
        const P452Result& r = h.p452;
        t.line("Propagation inputs: f = %s GHz, p = %s %%, pressure %s hPa, temperature %s C, polarisation %s",
               num(p.f, 6).c_str(), num(p.p, 0).c_str(), num(p.press, 2).c_str(), num(p.temp, 1).c_str(),
               p.pol == 1 ? "horizontal" : "vertical");
        t.line("  antenna heights above ground htg = %s m, hrg = %s m", num(p.htg, 2).c_str(), num(p.hrg, 2).c_str());
        t.line("  refractivity: dN = %s N-units/km, N0 = %s N-units: %s", num(p.dn, 3).c_str(), num(p.n0, 3).c_str(),
               h.refractivity.source.c_str());
        t.line("Path: %s;  a_e = %s km;  path centre %s N, %s E", r.transHorizon ? "trans-horizon" : "line of sight",
               num(r.ae, 3).c_str(), num(r.centreLat, 5).c_str(), num(r.centreLon, 5).c_str());
        t.line("  hts = %s m, hrs = %s m a.s.l.;  theta_t = %s mrad, theta_r = %s mrad, theta = %s mrad",
               num(r.hts, 2).c_str(), num(r.hrs, 2).c_str(), num(r.thetaT, 4).c_str(), num(r.thetaR, 4).c_str(),
               num(r.theta, 4).c_str());
        t.line("  d_lt = %s km, d_lr = %s km;  h_te = %s m, h_re = %s m;  h_m = %s m;  h_std = %s m, h_srd = %s m",
               num(r.dlt, 3).c_str(), num(r.dlr, 3).c_str(), num(r.hte, 2).c_str(), num(r.hre, 2).c_str(),
               num(r.hm, 2).c_str(), num(r.hstd, 2).c_str(), num(r.hsrd, 2).c_str());
        t.line("  omega = %s, d_tm = %s km, d_lm = %s km, beta0 = %s %%", num(r.omega, 3).c_str(), num(r.dtm, 3).c_str(),
               num(r.dlm, 3).c_str(), num(r.b0, 4).c_str());
        if (!c.locations.morpho.empty())
            t.line("  zones: %d inland (A2), %d coastal (A1), %d sea (B) points;  d_ct = %s km, d_cr = %s km",
                   h.zonePoints[ZoneInland - 1], h.zonePoints[ZoneCoastalLand - 1], h.zonePoints[ZoneSea - 1],
                   num(p.dct, 3).c_str(), num(p.dcr, 3).c_str());
        t.line("Losses (dB):");
        t.line("  L_bfsg (free space + gases)     %s", num(r.lbfsg, 3).c_str());
        t.line("  L_b0p  (line of sight, p %%)     %s", num(r.lb0p, 3).c_str());
        t.line("  L_b0b  (line of sight, beta0)   %s", num(r.lb0b, 3).c_str());
        t.line("  L_dsph (spherical earth)        %s", num(r.ldsph, 3).c_str());
        t.line("  L_d50  (diffraction, median)    %s", num(r.ld50, 3).c_str());
        t.line("  L_dp   (diffraction, p %%)       %s", num(r.ldp, 3).c_str());
        t.line("  L_bs   (troposcatter; Gt %s, Gr %s dBi)  %s", num(r.gt, 2).c_str(), num(r.gr, 2).c_str(), num(r.lbs, 3).c_str());
        t.line("  L_ba   (ducting/layer refl.)    %s", num(r.lba, 3).c_str());
        t.line("  L_b    (basic transmission loss) %s", num(r.lb, 3).c_str());
        t.line("Antennas (ETR = elevation of the path at the antenna; vda = 9B - ETR; hda = azimuth to the other end - 9A;");
        t.line("          tda = arccos(cos vda cos hda)):");
        const struct {
            const StationRecord& rec;
            const AntennaEnd& e;
        } ends[] = {{from, h.endFrom}, {to, h.endTo}};
        for (const auto& e : ends)
            t.line("  %-4s ETR %s deg, vda %s deg, hda %s deg, tda %s deg: co-polar %s dB, cross-polar %s dB",
                   stationTypeName(e.rec.type), num(e.e.etrDeg, 4).c_str(), num(e.e.vda, 4).c_str(), num(e.e.hda, 3).c_str(),
                   num(e.e.tda, 3).c_str(), num(e.e.coAtt, 2).c_str(), num(e.e.crossAtt, 2).c_str());
        t.line("  %s: a1 = %s dB, a2 = %s dB", h.polarisationRule.c_str(), num(h.a1, 2).c_str(), num(h.a2, 2).c_str());
        t.line("  antenna attenuation A_ant = -20 log10(10^(-a1/20) + 10^(-a2/20)) = %s dB", num(h.antennaAttenuation, 2).c_str());
    }
}

void budget(Text& t, const Calculation& c)
{
    t.heading("Budget");
    if (c.zeroOverlap) {
        t.line("I = -inf dBW (no overlap);  N = %s dBW;  TD = 0 dB", num(c.noise, 2).c_str());
        return;
    }
    if (!c.budgetDone) {
        t.line("Not computed (see the error below).");
        return;
    }
    auto row = [&t](const std::string& label, char sign, double value, const char* unit) {
        t.line("  %-40s %c %9s %s", label.c_str(), sign, num(value, 2).c_str(), unit);
    };
    row("L_tx   TX line losses 9L", '+', c.ltx, "dB");
    for (std::size_t k = 0; k < c.hops.size(); ++k) {
        row("L_b    basic transmission loss, hop " + std::to_string(k + 1), '+', c.hops[k].p452.lb, "dB");
        row("A_ant  antenna attenuation, hop " + std::to_string(k + 1), '+', c.hops[k].antennaAttenuation, "dB");
    }
    if (c.form == 4)
        row("L_rep  repeater jumper 9L PRX + 9L PTX", '+', c.lrepeater, "dB");
    row("L_rx   RX line losses 9L", '+', c.lrx, "dB");
    row("MD     masks discrimination", '+', c.md, "dB");
    row(std::string("G      gains 9X1 of ") + (c.form == 4 ? "TX, PRX, PTX, RX" : "TX and RX"), '-', c.gainSum, "dB");
    row("A_total", '=', c.aTotal, "dB");
    row("P_tx   transmitter power 8B", ' ', c.ptx, "dBW");
    row("ATPC   range 8B3 (deducted from P_tx)", '-', c.atpc, "dB");
    row("I = P_tx - ATPC - A_total", '=', c.interference, "dBW");
    row("N      receiver noise 9H", ' ', c.noise, "dBW");
    row("I - N", '=', c.interference - c.noise, "dB");
    t.line("  %-40s = %9s dB", "TD = 10 log10(1 + 10^((I - N)/10))", num(c.td, 3).c_str());
}

// The terrain of each hop as a block of plain numbers that stays readable as
// text and that the program reads back to draw the path: the header line
// carries what the drawing needs besides the points (frequency for the
// Fresnel zone, effective earth radius, antenna heights above sea level).
// Written for smooth earth too: the curvature still decides the clearance.
void profileDump(Text& t, const Calculation& c)
{
    for (std::size_t k = 0; k < c.hops.size(); ++k) {
        const Hop& h = c.hops[k];
        if (h.profileD.empty() || h.profileD.size() != h.profileH.size())
            continue;
        char title[64];
        std::snprintf(title, sizeof title, "Profile of hop %zu (distance km;height m)", k + 1);
        t.heading(title);
        t.line("BEGIN PROFILE hop=%zu from=%s to=%s f_GHz=%s ae_km=%s ant_from_m=%s ant_to_m=%s", k + 1,
               stationTypeName(c.stations[h.from].record.type), stationTypeName(c.stations[h.to].record.type),
               num(h.params.f, 6).c_str(), num(h.p452.ae, 3).c_str(), num(h.p452.hts, 2).c_str(),
               num(h.p452.hrs, 2).c_str());
        for (std::size_t i = 0; i < h.profileD.size(); ++i)
            t.line("%s;%s", num(h.profileD[i], 4).c_str(), num(h.profileH[i], 1).c_str());
        t.line("END PROFILE");
    }
}

} // namespace

std::string formatReport(const Calculation& c)
{
    Text t;
    t.line("HCM fixed-service calculation, detailed report");
    t.line("Library HCMFS_DLL version %s;  propagation %s", HCMFS_VERSION, HCMFS_P452_REVISION);
    const std::time_t now = std::time(nullptr);
    char when[32] = "";
    std::tm utc{};
#if defined(_WIN32)
    const bool haveTime = gmtime_s(&utc, &now) == 0;
#else
    const bool haveTime = gmtime_r(&now, &utc) != nullptr; // reentrant, unlike std::gmtime
#endif
    if (haveTime)
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S UTC", &utc);
    t.line("Written %s;  call form: %s", when,
           c.form == 4 ? "four stations (TX, PRX, PTX, RX: passive repeater)" : "two stations (TX, RX)");
    t.line("Result: error %d (%s)", c.error, errorMeaning(c.error));
    stations(t, c);
    masks(t, c);
    hops(t, c);
    if (c.error == 0)
        budget(t, c);
    t.heading("Outcome");
    if (c.error == 0) {
        t.line("Overlapping area %s MHz, NFD %s dB, MD %s dB, I %s dBW, A_total %s dB, TD %s dB", num(c.overlap, 6).c_str(),
               num(c.nfd, 2).c_str(), num(c.md, 2).c_str(), num(c.interference, 2).c_str(), num(c.aTotal, 2).c_str(),
               num(c.td, 3).c_str());
    } else {
        t.line("Error %d: %s", c.error, errorMeaning(c.error));
        if (!c.errorDetail.empty())
            t.line("  %s", c.errorDetail.c_str());
        t.line("All outputs are 0.");
    }
    profileDump(t, c);
    return t.str();
}

bool writeTextFile(const std::string& path, const std::string& text)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const bool closed = std::fclose(f) == 0;
    return written && closed;
}

} // namespace hcmfs
