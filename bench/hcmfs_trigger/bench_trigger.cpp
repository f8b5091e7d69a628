// Speed of the co-ordination trigger against the border data shipped beside
// the binaries: the time to read and index it once, then the time of one
// trigger for stations across Europe at the widest trigger distance (200 km).
//
// Usage: bench_trigger [border folder] [repetitions]
#include "trigger/bordercache.h"
#include "trigger/borderlocation.h"
#include "trigger/borderset.h"
#include "trigger/trigger.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace hcmfs::trigger;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Site
{
    const char* name;
    double lon;
    double lat;
    const char* country;
};

const Site kSites[] = {
    {"Vienna", 16.37, 48.21, "AUT"},
    {"Rosenheim", 12.0, 47.95, "D"},
    {"Basel", 7.59, 47.56, "SUI"},
    {"Ljubljana", 14.51, 46.06, "SVN"},
    {"Lille", 3.06, 50.63, "F"},
    {"Copenhagen", 12.57, 55.68, "DNK"},
    {"Bratislava", 17.11, 48.15, "SVK"},
    {"Oslo fjord", 10.75, 59.5, "NOR"},
    {"Istanbul", 28.98, 41.01, "TUR"},
    {"Gibraltar strait", -5.6, 36.0, "E"},
};

} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::u8path(argv[1]) : resolveBorderFolder("");
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2000;
    if (folder.empty()) {
        std::fprintf(stderr, "no border data found beside the binary\n");
        return 1;
    }

    Clock::time_point start = Clock::now();
    std::shared_ptr<const BorderSet> set;
    if (BorderSet::load(folder, set) != 0) {
        std::fprintf(stderr, "border data in %s unreadable (2008)\n", folder.string().c_str());
        return 1;
    }
    std::printf("border data %s: %zu countries, %zu points\n", folder.string().c_str(), set->codes().size(),
                set->pointCount());
    std::printf("load and index: %.1f ms\n", msSince(start));

    // 2 GHz from a high site: the 200 km circle, the costliest search.
    double worst = 0.0;
    for (const Site& site : kSites) {
        const TriggerStation station = TriggerStation::fromDegrees(site.lon, site.lat, 2.0, 500.0, site.country);
        std::string countries;
        start = Clock::now();
        for (int i = 0; i < repetitions; ++i)
            triggeredCountries(*set, station, countries);
        const double ms = msSince(start) / repetitions;
        worst = std::max(worst, ms);
        std::printf("%-17s %8.4f ms per trigger  %s\n", site.name, ms, countries.c_str());
    }
    std::printf("worst: %.4f ms per trigger (target 20 ms)\n", worst);

    // Through the per-folder cache, as the library's entry point calls it: adds
    // the check that the folder's files are unchanged.
    const TriggerStation vienna = TriggerStation::fromDegrees(16.37, 48.21, 2.0, 500.0, "AUT");
    std::string countries;
    triggeredCountries(folder, vienna, countries);
    start = Clock::now();
    const int cachedRepetitions = std::max(1, repetitions / 10);
    for (int i = 0; i < cachedRepetitions; ++i)
        triggeredCountries(folder, vienna, countries);
    std::printf("through the folder cache: %.4f ms per trigger\n", msSince(start) / cachedRepetitions);
    return 0;
}
