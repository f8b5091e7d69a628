// A trivial HCM calculation library for timing the engine: it answers at
// once, with a TD taken from a hash of the station lines (between -50 and
// +50 dB) and fixed values for the rest.
#include "hcmfs_api.h"

#include <cstdint>

extern "C" HCMFS_EXPORT const char trivialFileVersion[] = "HCMFS-FILE-VERSION:0.0.0.1";

namespace {

std::uint32_t fnv1a(std::uint32_t hash, const char* text, int n)
{
    for (int i = 0; i < n; ++i) {
        hash ^= static_cast<unsigned char>(text[i]);
        hash *= 16777619u;
    }
    return hash;
}

} // namespace

extern "C" HCMFS_EXPORT void HCMFS_V2(double* overlappingArea, float* nfd, float* md, float* interferenceLevel,
                                      float* aTotal, float* td, int* error, const char* s1, int n1, const char* s2,
                                      int n2, const char* s3, int n3, const char* s4, int n4, const char*, int,
                                      const char*, int)
{
    std::uint32_t hash = 2166136261u;
    hash = fnv1a(hash, s1, n1);
    hash = fnv1a(hash, s2, n2);
    hash = fnv1a(hash, s3, n3);
    hash = fnv1a(hash, s4, n4);
    *td = static_cast<float>(hash % 10000u) / 100.0f - 50.0f;
    *overlappingArea = 0.25;
    *nfd = 12.5f;
    *md = 3.0f;
    *interferenceLevel = -140.0f + static_cast<float>(hash % 100u) / 10.0f;
    *aTotal = 160.0f;
    *error = 0;
}

extern "C" HCMFS_EXPORT void HCMFS_ANNEX11_1(int* error, const char*, int, char* countries, int capacity, const char*,
                                             int)
{
    for (int i = 0; i < capacity; ++i)
        countries[i] = ' ';
    *error = 0;
}
