// Entry points of the calculation library. Every call is self-contained and
// reentrant; nothing may escape as a C++ exception, and on any error every
// output is 0 except the error code.
#include "hcmfs_api.h"

#include "calculation.h"
#include "errors.h"
#include "report.h"
#include "version.h"

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

extern "C" void HCMFS_ANNEX11_1(int* error, const char*, int, char* countries, int capacity, const char*, int)
{
    // The trigger needs border data, which this version does not ship yet.
    for (int i = 0; countries && i < capacity; ++i)
        countries[i] = ' ';
    put(error, static_cast<int>(hcmfs::ErrBorderData));
}
