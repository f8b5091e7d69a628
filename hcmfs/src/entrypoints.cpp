// Entry points of the calculation library. Every call is self-contained and
// reentrant; nothing may escape as a C++ exception, and on any error every
// output is 0 except the error code.
#include "hcmfs_api.h"

#include "calculation.h"
#include "datalocations.h"
#include "errors.h"
#include "record.h"
#include "report.h"
#include "version.h"

#include "trigger/trigger.h"

#include <cmath>
#include <string>

// Marker read by the program to learn the library's version without loading it.
extern "C" HCMFS_EXPORT const char hcmfsFileVersion[] = "HCMFS-FILE-VERSION:" HCMFS_VERSION;

namespace {

// Longest text accepted from a caller; record lines are a few hundred bytes.
const int kMaxText = 1 << 20;

std::string callerText(const char* text, int length)
{
    if (!text || length <= 0)
        return std::string();
    if (length > kMaxText)
        length = kMaxText;
    std::string s(text, static_cast<std::size_t>(length));
    const std::size_t nul = s.find('\0');
    if (nul != std::string::npos)
        s.resize(nul);
    return s;
}

template <typename T>
void put(T* target, T value)
{
    if (target)
        *target = value;
}

} // namespace

extern "C" void HCMFS_V2(double* overlappingArea, float* nfd, float* md, float* interferenceLevel, float* aTotal,
                         float* td, int* error, const char* s1, int n1, const char* s2, int n2, const char* s3,
                         int n3, const char* s4, int n4, const char* detailFile, int nDetail, const char* terrain,
                         int nTerrain)
{
    put(overlappingArea, 0.0);
    put(nfd, 0.0f);
    put(md, 0.0f);
    put(interferenceLevel, 0.0f);
    put(aTotal, 0.0f);
    put(td, 0.0f);
    put(error, 0);
    int code = hcmfs::ErrNumerical;
    try {
        hcmfs::CalcRequest request;
        request.lines = {callerText(s1, n1), callerText(s2, n2), callerText(s3, n3), callerText(s4, n4)};
        request.terrain = callerText(terrain, nTerrain);
        const std::string reportPath = callerText(detailFile, nDetail);
        request.keepProfiles = !reportPath.empty();

        hcmfs::Calculation calc;
        hcmfs::runCalculation(request, calc);

        // Narrowing to the interface's 32-bit floats must not turn a finite
        // result into an infinity; only the no-overlap case carries those.
        const float f[] = {static_cast<float>(calc.nfd), static_cast<float>(calc.md),
                           static_cast<float>(calc.interference), static_cast<float>(calc.aTotal),
                           static_cast<float>(calc.td)};
        if (calc.error == 0 && !calc.zeroOverlap) {
            for (float v : f)
                if (!std::isfinite(v))
                    calc.error = hcmfs::ErrNumerical;
        }
        if (!reportPath.empty() && !hcmfs::writeTextFile(reportPath, hcmfs::formatReport(calc)) && calc.error == 0)
            calc.error = hcmfs::ErrReportFile;
        code = calc.error;
        if (code == 0) {
            put(overlappingArea, calc.overlap);
            put(nfd, f[0]);
            put(md, f[1]);
            put(interferenceLevel, f[2]);
            put(aTotal, f[3]);
            put(td, f[4]);
        }
    } catch (...) {
        code = hcmfs::ErrNumerical;
    }
    put(error, code);
}

namespace {

void blankBuffer(char* buffer, int capacity)
{
    for (int i = 0; buffer && i < capacity; ++i)
        buffer[i] = ' ';
}

std::string trimmed(const std::string& text)
{
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return std::string();
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

// The station's values the trigger needs, or the record error that stops it.
int triggerStation(const std::string& line, hcmfs::trigger::TriggerStation& station)
{
    hcmfs::StationRecord record;
    std::string message;
    if (!hcmfs::parseStationRecord(line.data(), static_cast<int>(line.size()), record, message))
        return hcmfs::ErrRecordSyntax;
    if (!record.hasFrequency)
        return hcmfs::ErrFrequency;
    if (!record.hasCoordinates)
        return hcmfs::ErrCoordinates;
    if (!record.siteHeight.valid || !record.antennaHeight.valid)
        return hcmfs::ErrStationGeometry;
    station = hcmfs::trigger::TriggerStation::fromDegrees(
        record.position.lon, record.position.lat, record.frequencyMHz / 1000.0,
        record.siteHeight.value + record.antennaHeight.value, trimmed(record.field(hcmfs::F4B)));
    return hcmfs::ErrNone;
}

} // namespace

extern "C" void HCMFS_ANNEX11_1(int* error, const char* line, int n, char* countries, int capacity,
                                const char* terrain, int nTerrain)
{
    blankBuffer(countries, capacity);
    int code = hcmfs::ErrNumerical;
    try {
        hcmfs::trigger::TriggerStation station;
        code = triggerStation(callerText(line, n), station);
        if (code == hcmfs::ErrNone) {
            // A data root given with the call holds BORDER/; without one the
            // machine-wide settings name the border folder, and without that
            // the border data shipped beside the library is used.
            std::string root = callerText(terrain, nTerrain);
            if (root.empty())
                root = hcmfs::resolveDataLocations(std::string()).border;
            code = hcmfs::trigger::triggerIntoBuffer(station, root, countries, capacity);
        }
    } catch (...) {
        code = hcmfs::ErrNumerical;
    }
    if (code != hcmfs::ErrNone && code != hcmfs::ErrCountryBuffer)
        blankBuffer(countries, capacity);
    put(error, code);
}

// Every call keeps its state on its own stack; the tile, border and map caches
// shared between calls take their own locks. Any number of calls may run at
// once.
extern "C" int HCMFS_CONCURRENCY(void)
{
    return 0;
}
