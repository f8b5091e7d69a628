// Speed of the calculation library: two-station calculations over 100 km
// paths, with terrain from cached tiles (also with morphological tiles) and
// without terrain, and over 500 km paths with terrain. Prints the median time
// per calculation, calculations per second, and the split between profile
// extraction, propagation and the rest (record reading, masks, antennas,
// budget).
//
// bin/bench_hcmfs [pairs] [case]: case is one of terrain, smooth, long,
// morpho (default: all). Instruction counts of the measured pass only:
//   valgrind --tool=callgrind --toggle-collect='*measuredCalculation*' bin/bench_hcmfs 50 terrain
#include "calculation.h"
#include "geometry.h"
#include "p452.h"
#include "terrain.h"
#include "terrainwriter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::string coordinates(double lon, double lat)
{
    auto part = [](double v, int degDigits, char pos, char neg) {
        const long total = std::lround(std::fabs(v) * 3600);
        char buf[48];
        std::snprintf(buf, sizeof buf, "%0*ld%c%02ld%02ld", degDigits, total / 3600, v < 0 ? neg : pos, (total / 60) % 60,
                      total % 60);
        return std::string(buf);
    };
    return part(lon, 3, 'E', 'W') + part(lat, 2, 'N', 'S');
}

std::string record(const char* type, double lon, double lat, double azimuth)
{
    std::vector<std::string> f(49);
    f[0] = type;
    f[1] = "13000";
    f[2] = "M";
    f[10] = coordinates(lon, lat);
    f[11] = "300";
    f[28] = "4L";
    f[30] = "28";
    f[31] = "-10";
    f[33] = std::to_string(azimuth);
    f[34] = "0";
    f[35] = "V";
    f[36] = "-125";
    f[38] = "30";
    f[48] = "38";
    std::string line;
    for (std::size_t i = 0; i < f.size(); ++i)
        line += (i ? ";" : "") + f[i];
    return line;
}

struct Pair {
    std::string tx, rx;
};

struct Area {
    double lon0, lon1, lat0, lat1; // pairs keep this far inside the tiles
};

// Hilly synthetic terrain.
double hill(double lat, double lon)
{
    return 400 + 150 * std::sin(lat * 37) * std::cos(lon * 23) + 80 * std::sin(lon * 91 + lat * 13);
}

// Morphological classes: sea in the valleys, a coastal strip above them.
double morphoClass(double lat, double lon)
{
    const double h = hill(lat, lon);
    return h < 300 ? 1 : h < 330 ? 4 : 0;
}

// Writes the .63E (or .63M) tiles of whole-degree cells that are not there yet.
bool writeTiles(const std::string& folder, const char* suffix, int lon0, int lon1, int lat0, int lat1,
                double (*value)(double, double))
{
    mkdir(folder.c_str(), 0755);
    for (int lon = lon0; lon <= lon1; ++lon) {
        for (int lat = lat0; lat <= lat1; ++lat) {
            const std::string dir = folder + "/" + hcmfs::tileName(lon, lat).substr(0, 4);
            mkdir(dir.c_str(), 0755);
            const std::string path = dir + "/" + hcmfs::tileName(lon, lat) + suffix;
            struct stat st;
            if (::stat(path.c_str(), &st) == 0)
                continue;
            std::string message;
            if (!hcmfs::writeHcmTile(path, lon, lat, true, value, message)) {
                std::fprintf(stderr, "%s\n", message.c_str());
                return false;
            }
        }
    }
    return true;
}

std::vector<Pair> randomPairs(int count, double km, const Area& area)
{
    std::mt19937 rng(452);
    std::uniform_real_distribution<double> lonD(area.lon0, area.lon1), latD(area.lat0, area.lat1), azD(0, 360);
    std::vector<Pair> list;
    while (static_cast<int>(list.size()) < count) {
        const hcmfs::GeoPoint a{lonD(rng), latD(rng)};
        const double az = azD(rng);
        const hcmfs::GeoPoint b = hcmfs::pointAlong(a, az, km);
        if (b.lon < area.lon0 || b.lon > area.lon1 || b.lat < area.lat0 || b.lat > area.lat1)
            continue;
        list.push_back({record("TX", a.lon, a.lat, az), record("RX", b.lon, b.lat, hcmfs::azimuthDeg(b, a))});
    }
    return list;
}

// The measured pass goes through here, so that an instruction count can be
// taken of it alone (see the top of the file).
__attribute__((noinline)) void measuredCalculation(const hcmfs::CalcRequest& req, hcmfs::Calculation& calc)
{
    hcmfs::runCalculation(req, calc);
}

} // namespace

int main(int argc, char** argv)
{
    const int pairs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 400;
    const std::string only = argc > 2 ? argv[2] : "";
    const std::string root = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/hcmfs-bench-terrain";
    const std::string morphoRoot = root + "-morpho";
    // Terrain over 14-22 E, 50-54 N (.63E tiles); the 100 km pairs stay in
    // 16-19 E, 50-51 N. Morphology beside a copy of that corner's terrain.
    std::printf("Writing terrain tiles under %s ...\n", root.c_str());
    mkdir(root.c_str(), 0755);
    mkdir(morphoRoot.c_str(), 0755);
    if (!writeTiles(root + "/TOPO", ".63E", 14, 21, 50, 53, hill)
        || !writeTiles(morphoRoot + "/TOPO", ".63E", 16, 18, 50, 50, hill)
        || !writeTiles(morphoRoot + "/MORPHO", ".63M", 16, 18, 50, 50, morphoClass))
        return 1;
    const std::vector<Pair> list = randomPairs(pairs, 100, {16.05, 18.95, 50.05, 50.95});
    const std::vector<Pair> longList = randomPairs(pairs, 500, {14.05, 21.95, 50.05, 53.95});

    auto run = [&](const std::vector<Pair>& cases, const std::string& terrain, const char* label) {
        std::vector<double> total, profile, propagation;
        int errors = 0;
        double sumLb = 0;
        for (int pass = 0; pass < 2; ++pass) { // the first pass warms the tile cache
            total.clear();
            profile.clear();
            propagation.clear();
            for (const Pair& p : cases) {
                hcmfs::CalcRequest req;
                req.lines = {p.tx, p.rx};
                req.terrain = terrain;
                hcmfs::Calculation calc;
                const auto t0 = Clock::now();
                if (pass == 0)
                    hcmfs::runCalculation(req, calc);
                else
                    measuredCalculation(req, calc);
                const auto t1 = Clock::now();
                if (calc.error != 0) {
                    ++errors;
                    continue;
                }
                total.push_back(microseconds(t1 - t0));
                sumLb += calc.hops[0].p452.lb;

                // The same profile and propagation again, timed alone.
                const hcmfs::Hop& hop = calc.hops[0];
                hcmfs::TerrainSource topo(calc.locations.topo);
                const hcmfs::GeoPoint a = calc.stations[0].record.position;
                hcmfs::P452Profile prof;
                const auto t2 = Clock::now();
                prof.d.resize(hop.points);
                prof.h.resize(hop.points);
                std::string message;
                std::vector<hcmfs::GeoPoint> points;
                if (!topo.smoothEarth())
                    hcmfs::GreatCircleWalk(a, hop.azFromTo).sample(hop.stepKm, hop.points, points);
                for (int i = 0; i < hop.points; ++i) {
                    prof.d[i] = i * hop.stepKm;
                    prof.h[i] = 0;
                    if (!topo.smoothEarth())
                        topo.height(points[i].lat, points[i].lon, prof.h[i], message);
                }
                prof.d.back() = hop.distanceKm;
                const auto t3 = Clock::now();
                hcmfs::P452Result r;
                hcmfs::computeP452(prof, hop.params, r);
                const auto t4 = Clock::now();
                profile.push_back(microseconds(t3 - t2));
                propagation.push_back(microseconds(t4 - t3));
            }
        }
        const double med = median(total);
        const double medProfile = median(profile);
        const double medProp = median(propagation);
        std::printf("%-28s %4zu pairs, errors %d: median %.1f us per calculation, %.0f calculations/s\n", label,
                    total.size(), errors, med, med > 0 ? 1e6 / med : 0.0);
        std::printf("%-28s   split: profile extraction %.1f us, propagation %.1f us, rest %.1f us\n", "", medProfile,
                    medProp, std::max(0.0, med - medProfile - medProp));
        return med;
    };

    auto wanted = [&](const char* name) { return only.empty() || only == name; };
    const double nan = std::nan("");
    const double withTerrain = wanted("terrain") ? run(list, root, "100 km, terrain (cached):") : nan;
    const double smooth = wanted("smooth") ? run(list, "", "100 km, no terrain:") : nan;
    const double longPath = wanted("long") ? run(longList, root, "500 km, terrain (cached):") : nan;
    if (wanted("morpho"))
        run(list, morphoRoot, "100 km, terrain + morphology:");
    auto verdict = [](double v, double limit) { return std::isnan(v) ? "not run" : v <= limit ? "met" : "MISSED"; };
    std::printf("targets: terrain <= 60 us (%s), no terrain <= 30 us (%s), 500 km <= 5 x 100 km (%s)\n",
                verdict(withTerrain, 60), verdict(smooth, 30), verdict(longPath / withTerrain, 5));
    return 0;
}
