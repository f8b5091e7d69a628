/* The entry points of an HCM fixed-service calculation library.
 *
 * Linkwise loads such a library at run time and resolves these names; our own
 * library (hcmfs/) exports them. Plain C so that any implementation, on any
 * platform, can be called the same way. Texts are 8-bit and not terminated:
 * each comes with its length.
 */
#ifndef HCMFS_API_H
#define HCMFS_API_H

#if defined(_WIN32)
#  if defined(HCMFS_BUILDING_LIBRARY)
#    define HCMFS_EXPORT __declspec(dllexport)
#  else
#    define HCMFS_EXPORT __declspec(dllimport)
#  endif
#else
#  define HCMFS_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*HCMFS_V2_Fn)(double* overlappingArea, float* nfd, float* md, float* interferenceLevel,
                            float* aTotal, float* td, int* error, const char* s1, int n1, const char* s2,
                            int n2, const char* s3, int n3, const char* s4, int n4, const char* detailFile,
                            int nDetail, const char* terrain, int nTerrain);

typedef void (*HCMFS_ANNEX11_1_Fn)(int* error, const char* line, int n, char* countries, int capacity,
                                   const char* terrain, int nTerrain);

/* Optional. How many calls of the library may run at the same time: 0 for any
 * number. A library without this entry point is called from one thread. */
typedef int (*HCMFS_CONCURRENCY_Fn)(void);

HCMFS_EXPORT void HCMFS_V2(double* overlappingArea, float* nfd, float* md, float* interferenceLevel,
                           float* aTotal, float* td, int* error, const char* s1, int n1, const char* s2,
                           int n2, const char* s3, int n3, const char* s4, int n4, const char* detailFile,
                           int nDetail, const char* terrain, int nTerrain);

HCMFS_EXPORT void HCMFS_ANNEX11_1(int* error, const char* line, int n, char* countries, int capacity,
                                  const char* terrain, int nTerrain);

HCMFS_EXPORT int HCMFS_CONCURRENCY(void);

#ifdef __cplusplus
}
#endif

#endif
