// Speed of the calculation library: two-station calculations over 100 km
// paths, with terrain from cached tiles and without terrain. Prints the
// median time per calculation, calculations per second, and the split
// between profile extraction, propagation and the rest (record reading,
// masks, antennas, budget).
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

} // namespace

int main(int argc, char** argv)
{
    const int pairs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 400;
    const std::string root = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/hcmfs-bench-terrain";
    // Hilly synthetic terrain over 16-19 E, 50-51 N (.63E tiles).
    std::printf("Writing terrain tiles under %s ...\n", root.c_str());
    mkdir(root.c_str(), 0755);
    mkdir((root + "/TOPO").c_str(), 0755);
    for (int lon = 16; lon <= 18; ++lon) {
        const std::string dir = root + "/TOPO/" + hcmfs::tileName(lon, 50).substr(0, 4);
        mkdir(dir.c_str(), 0755);
        std::string message;
        const std::string path = dir + "/" + hcmfs::tileName(lon, 50) + ".63E";
        if (!hcmfs::writeHcmTile(path, lon, 50, true,
                                 [](double lat, double lo) {
                                     return 400 + 150 * std::sin(lat * 37) * std::cos(lo * 23) + 80 * std::sin(lo * 91 + lat * 13);
                                 },
                                 message)) {
            std::fprintf(stderr, "%s\n", message.c_str());
            return 1;
        }
    }

    // Random 100 km pairs inside the tiles.
    std::mt19937 rng(452);
    std::uniform_real_distribution<double> lonD(16.1, 18.9), latD(50.1, 50.9), azD(0, 360);
    std::vector<Pair> list;
    while (static_cast<int>(list.size()) < pairs) {
        const hcmfs::GeoPoint a{lonD(rng), latD(rng)};
        const double az = azD(rng);
        const hcmfs::GeoPoint b = hcmfs::pointAlong(a, az, 100);
        if (b.lon < 16.05 || b.lon > 18.95 || b.lat < 50.05 || b.lat > 50.95)
            continue;
        list.push_back({record("TX", a.lon, a.lat, az), record("RX", b.lon, b.lat, hcmfs::azimuthDeg(b, a))});
    }

    auto run = [&](const std::string& terrain, const char* label) {
        std::vector<double> total, profile, propagation;
        int errors = 0;
        double sumLb = 0;
        for (int pass = 0; pass < 2; ++pass) { // the first pass warms the tile cache
            total.clear();
            profile.clear();
            propagation.clear();
            for (const Pair& p : list) {
                hcmfs::CalcRequest req;
                req.lines = {p.tx, p.rx};
                req.terrain = terrain;
                hcmfs::Calculation calc;
                const auto t0 = Clock::now();
                hcmfs::runCalculation(req, calc);
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
                for (int i = 0; i < hop.points; ++i) {
                    prof.d[i] = i * hop.stepKm;
                    if (topo.smoothEarth()) {
                        prof.h[i] = 0;
                        continue;
                    }
                    const hcmfs::GeoPoint q = hcmfs::pointAlong(a, hop.azFromTo, prof.d[i]);
                    topo.height(q.lat, q.lon, prof.h[i], message);
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

    const double withTerrain = run(root, "100 km, terrain (cached):");
    const double smooth = run("", "100 km, no terrain:");
    std::printf("targets: terrain <= 500 us (%s), no terrain <= 200 us (%s)\n", withTerrain <= 500 ? "met" : "MISSED",
                smooth <= 200 ? "met" : "MISSED");
    return 0;
}
