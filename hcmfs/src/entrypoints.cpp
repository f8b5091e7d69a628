// Entry points of the calculation library. Until the calculation modules
// arrive every call answers with an error code and zero outputs, so a caller
// never reads an uninitialised value.
#include "hcmfs_api.h"

// Marker read by the program to learn the library's version without loading it.
extern "C" HCMFS_EXPORT const char hcmfsFileVersion[] = "HCMFS-FILE-VERSION:0.1.0.0";

namespace {
const int kNotImplemented = 2008;
}

extern "C" void HCMFS_V2(double* overlappingArea, float* nfd, float* md, float* interferenceLevel,
                         float* aTotal, float* td, int* error, const char*, int, const char*, int,
                         const char*, int, const char*, int, const char*, int, const char*, int)
{
    if (overlappingArea) *overlappingArea = 0;
    if (nfd) *nfd = 0;
    if (md) *md = 0;
    if (interferenceLevel) *interferenceLevel = 0;
    if (aTotal) *aTotal = 0;
    if (td) *td = 0;
    if (error) *error = kNotImplemented;
}

extern "C" void HCMFS_ANNEX11_1(int* error, const char*, int, char* countries, int capacity,
                                const char*, int)
{
    for (int i = 0; countries && i < capacity; ++i)
        countries[i] = ' ';
    if (error) *error = kNotImplemented;
}
