// The passes of the propagation model over every point of a profile, kept
// apart from the rest of the model: where SSE2 is there they take two
// points at a time, each lane doing exactly the arithmetic of the scalar
// code, so results do not depend on it.
#ifndef HCMFS_PROFILEPASSES_H
#define HCMFS_PROFILEPASSES_H

#include <cstddef>
#include <limits>
#include <memory>
#include <vector>

namespace hcmfs {

// What the Bullington construction needs of the distances, worked out once
// per profile for its four uses (two radii, with terrain and smooth): no
// division or square root per point and use.
struct BullingtonPath {
    explicit BullingtonPath(const std::vector<double>& d);

    double dt;
    std::size_t n;
    const double* dist;
    std::unique_ptr<double[]> store;
    double* span;        // d (dt - d)
    double* invD;        // 1 / d
    double* invR;        // 1 / (dt - d)
    double* invRootSpan; // 1 / sqrt(d (dt - d))
};

// The three profile maxima of the Bullington construction for one earth
// radius: the slopes from each end (stim, srim) and the highest diffraction
// parameter, without its frequency factor (numax).
struct BullingtonMaxima {
    double stim = -std::numeric_limits<double>::infinity();
    double srim = stim;
    double numax = stim;
};

// Whether the distances and heights are finite and the distances rise;
// also the largest |h| and whether h is 0 at every interior point.
bool checkProfile(const double* d, const double* h, std::size_t n, double& highest, bool& flat);

// The least-squares line through the profile (hst, hsr) and the smooth
// surface for diffraction derived from it (hstd, hsrd), in one pass. The
// least-squares sums run in the order of leastSquaresSurface, so hst and hsr
// are its values to the bit.
void smoothSurfaces(const BullingtonPath& path, const double* h, double hts, double hrs, double& hst, double& hsr,
                    double& hstd, double& hsrd);

// The horizon searches from both ends: the interior points where the cheap
// forms of the elevation arguments (see computeP452) come within the margin
// of their largest value, in rising order. Two passes: the largest values,
// then the points near them.
void horizonCandidates(const BullingtonPath& path, const double* h, double hts, double hrs, double inv2ae,
                       double slack, std::vector<std::size_t>& fromT, std::vector<std::size_t>& fromR);

// The line-of-sight search: the interior points where the cheap form of the
// diffraction parameter (see computeP452) comes within margin of its largest
// value, in rising order; two passes as above.
void lineOfSightCandidates(const BullingtonPath& path, const double* h, double hts, double hrs, double ce,
                           double margin, std::vector<std::size_t>& out);

// One pass gathers the maxima for two earth radii at once (the path is read
// once, the straight line between the antennas worked out once per point);
// which maxima are needed is known only once stim is.
template <bool withTerrain>
void bullingtonMaxima(const BullingtonPath& path, const double* z, double hts, double hrs, double a1, double a2,
                      BullingtonMaxima& m1, BullingtonMaxima& m2);

} // namespace hcmfs

#endif
