#include "profilepasses.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define HCMFS_SSE2 1
#else
#define HCMFS_SSE2 0
#endif

namespace hcmfs {

// Whether the distances and heights are finite and the distances rise;
// also the largest |h| and whether h is 0 at every interior point.
bool checkProfile(const double* d, const double* h, std::size_t n, double& highest, bool& flat)
{
    bool ok = std::isfinite(d[0]) && std::isfinite(h[0]);
    double top = std::fabs(h[0]);
    bool level = true;
    std::size_t i = 1;
#if HCMFS_SSE2
    {
        // Two interior points at a time. x * 0 is 0 for a finite x and NaN
        // otherwise, so a sum of them tells whether all were finite.
        const __m128d zero = _mm_setzero_pd();
        const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffffLL));
        __m128d finite = zero, rising = _mm_cmpeq_pd(zero, zero), largest = zero, nonzero = zero;
        for (; i + 2 < n; i += 2) {
            const __m128d dv = _mm_loadu_pd(d + i);
            const __m128d hv = _mm_loadu_pd(h + i);
            finite = _mm_add_pd(finite, _mm_add_pd(_mm_mul_pd(dv, zero), _mm_mul_pd(hv, zero)));
            rising = _mm_and_pd(rising, _mm_cmpgt_pd(dv, _mm_loadu_pd(d + i - 1)));
            largest = _mm_max_pd(largest, _mm_and_pd(hv, magnitude));
            nonzero = _mm_or_pd(nonzero, _mm_cmpneq_pd(hv, zero));
        }
        ok = ok && _mm_movemask_pd(_mm_cmpeq_pd(finite, zero)) == 3 && _mm_movemask_pd(rising) == 3;
        top = std::max({top, _mm_cvtsd_f64(largest), _mm_cvtsd_f64(_mm_unpackhi_pd(largest, largest))});
        level = _mm_movemask_pd(nonzero) == 0;
    }
#endif
    for (; i < n; ++i) {
        ok = ok && std::isfinite(d[i]) && std::isfinite(h[i]) && d[i] > d[i - 1];
        top = std::max(top, std::fabs(h[i]));
        level = level && (h[i] == 0 || i == n - 1);
    }
    highest = top;
    flat = level;
    return ok;
}

BullingtonPath::BullingtonPath(const std::vector<double>& d)
    : dt(d.back()), n(d.size()), dist(d.data()), store(new double[4 * n]), span(store.get()), invD(span + n),
      invR(invD + n), invRootSpan(invR + n)
{
    // The end points are never used.
    // One division and one root per point: the reciprocals come from
    // 1 / span, a few units in the last place off the direct quotients.
    std::size_t i = 1;
#if HCMFS_SSE2
    // Two points at a time, the arithmetic of the loop below per lane.
    const __m128d vdt = _mm_set1_pd(dt), one = _mm_set1_pd(1.0);
    for (; i + 2 < n; i += 2) {
        const __m128d left = _mm_loadu_pd(d.data() + i);
        const __m128d right = _mm_sub_pd(vdt, left);
        const __m128d s = _mm_mul_pd(left, right);
        const __m128d inv = _mm_div_pd(one, s);
        _mm_storeu_pd(span + i, s);
        _mm_storeu_pd(invD + i, _mm_mul_pd(right, inv));
        _mm_storeu_pd(invR + i, _mm_mul_pd(left, inv));
        _mm_storeu_pd(invRootSpan + i, _mm_sqrt_pd(inv));
    }
#endif
    for (; i + 1 < n; ++i) {
        const double left = d[i], right = dt - d[i];
        span[i] = left * right;
        const double inv = 1 / span[i];
        invD[i] = right * inv;
        invR[i] = left * inv;
        invRootSpan[i] = std::sqrt(inv);
    }
}

// The least-squares line through the profile (hst, hsr) and the smooth
// surface for diffraction derived from it (hstd, hsrd), in one pass. The
// least-squares sums run in the order of leastSquaresSurface, so hst and hsr
// are its values to the bit.
void smoothSurfaces(const BullingtonPath& path, const double* h, double hts, double hrs, double& hst, double& hsr,
                    double& hstd, double& hsrd)
{
    const std::size_t n = path.n;
    const double* d = path.dist;
    const double dt = path.dt;
    const double invDt = 1 / dt;
    double v1 = 0, v2 = 0;
    double hobs = -std::numeric_limits<double>::infinity();
    double aobt = hobs, aobr = hobs;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double dd = d[i] - d[i - 1];
        v1 += dd * (h[i] + h[i - 1]);
        v2 += dd * (h[i] * (2 * d[i] + d[i - 1]) + h[i - 1] * (d[i] + 2 * d[i - 1]));
        const double hi = h[i] - (hts * (dt - d[i]) + hrs * d[i]) * invDt;
        hobs = std::max(hobs, hi);
        aobt = std::max(aobt, hi * path.invD[i]);
        aobr = std::max(aobr, hi * path.invR[i]);
    }
    const std::size_t last = n - 1;
    const double dd = d[last] - d[last - 1];
    v1 += dd * (h[last] + h[last - 1]);
    v2 += dd * (h[last] * (2 * d[last] + d[last - 1]) + h[last - 1] * (d[last] + 2 * d[last - 1]));
    hst = (2 * v1 * dt - v2) / (dt * dt);
    hsr = (v2 - v1 * dt) / (dt * dt);
    double hstp = hst, hsrp = hsr;
    if (hobs > 0) {
        const double gt = aobt / (aobt + aobr);
        const double gr = aobr / (aobt + aobr);
        hstp = hst - hobs * gt;
        hsrp = hsr - hobs * gr;
    }
    hstd = std::min(hstp, h[0]);
    hsrd = std::min(hsrp, h[last]);
}

// The horizon searches from both ends: the interior points where the cheap
// forms of the elevation arguments (see computeP452) come within the margin
// of their largest value, in rising order. Two passes: the largest values,
// then the points near them.
void horizonCandidates(const BullingtonPath& path, const double* h, double hts, double hrs, double inv2ae,
                       double slack, std::vector<std::size_t>& fromT, std::vector<std::size_t>& fromR)
{
    const std::size_t n = path.n;
    const double dt = path.dt;
    const double* d = path.dist;
    auto argT = [&](std::size_t i) { return (h[i] - hts) * 0.001 * path.invD[i] - d[i] * inv2ae; };
    auto argR = [&](std::size_t j) { return (h[j] - hrs) * 0.001 * path.invR[j] - (dt - d[j]) * inv2ae; };
    double topT = -std::numeric_limits<double>::infinity(), topR = topT;
    std::size_t i = 1;
#if HCMFS_SSE2
    // Each lane does the arithmetic of argT and argR.
    const __m128d vhts = _mm_set1_pd(hts), vhrs = _mm_set1_pd(hrs), milli = _mm_set1_pd(0.001);
    const __m128d vdt = _mm_set1_pd(dt), vinv2ae = _mm_set1_pd(inv2ae);
    auto lanesT = [&](std::size_t k) {
        return _mm_sub_pd(_mm_mul_pd(_mm_mul_pd(_mm_sub_pd(_mm_loadu_pd(h + k), vhts), milli), _mm_loadu_pd(path.invD + k)),
                          _mm_mul_pd(_mm_loadu_pd(d + k), vinv2ae));
    };
    auto lanesR = [&](std::size_t k) {
        return _mm_sub_pd(_mm_mul_pd(_mm_mul_pd(_mm_sub_pd(_mm_loadu_pd(h + k), vhrs), milli), _mm_loadu_pd(path.invR + k)),
                          _mm_mul_pd(_mm_sub_pd(vdt, _mm_loadu_pd(d + k)), vinv2ae));
    };
    {
        __m128d vt = _mm_set1_pd(topT), vr = vt;
        for (; i + 2 < n; i += 2) {
            vt = _mm_max_pd(vt, lanesT(i));
            vr = _mm_max_pd(vr, lanesR(i));
        }
        topT = std::max(_mm_cvtsd_f64(vt), _mm_cvtsd_f64(_mm_unpackhi_pd(vt, vt)));
        topR = std::max(_mm_cvtsd_f64(vr), _mm_cvtsd_f64(_mm_unpackhi_pd(vr, vr)));
    }
#endif
    for (; i + 1 < n; ++i) {
        topT = std::max(topT, argT(i));
        topR = std::max(topR, argR(i));
    }
    const double thresholdT = topT - 1e-12 * (std::fabs(topT) + slack);
    const double thresholdR = topR - 1e-12 * (std::fabs(topR) + slack);
    fromT.clear();
    fromR.clear();
    i = 1;
#if HCMFS_SSE2
    {
        const __m128d vt = _mm_set1_pd(thresholdT), vr = _mm_set1_pd(thresholdR);
        for (; i + 2 < n; i += 2) {
            const int nearT = _mm_movemask_pd(_mm_cmpge_pd(lanesT(i), vt));
            const int nearR = _mm_movemask_pd(_mm_cmpge_pd(lanesR(i), vr));
            if ((nearT | nearR) == 0)
                continue;
            for (int lane = 0; lane < 2; ++lane) {
                if (nearT & (1 << lane))
                    fromT.push_back(i + lane);
                if (nearR & (1 << lane))
                    fromR.push_back(i + lane);
            }
        }
    }
#endif
    for (; i + 1 < n; ++i) {
        if (argT(i) >= thresholdT)
            fromT.push_back(i);
        if (argR(i) >= thresholdR)
            fromR.push_back(i);
    }
}

// The line-of-sight search: the interior points where the cheap form of the
// diffraction parameter (see computeP452) comes within margin of its largest
// value, in rising order; two passes as above.
void lineOfSightCandidates(const BullingtonPath& path, const double* h, double hts, double hrs, double ce,
                           double margin, std::vector<std::size_t>& out)
{
    const std::size_t n = path.n;
    const double dt = path.dt;
    const double* d = path.dist;
    const double invDt = 1 / dt;
    auto nu = [&](std::size_t i) {
        return (h[i] + 500 * ce * path.span[i] - (hts * (dt - d[i]) + hrs * d[i]) * invDt) * path.invRootSpan[i];
    };
    double top = -std::numeric_limits<double>::infinity();
    std::size_t i = 1;
#if HCMFS_SSE2
    const __m128d bulge = _mm_set1_pd(500 * ce), vhts = _mm_set1_pd(hts), vhrs = _mm_set1_pd(hrs);
    const __m128d vdt = _mm_set1_pd(dt), vInvDt = _mm_set1_pd(invDt);
    auto lanes = [&](std::size_t k) {
        const __m128d dk = _mm_loadu_pd(d + k);
        const __m128d line = _mm_mul_pd(_mm_add_pd(_mm_mul_pd(vhts, _mm_sub_pd(vdt, dk)), _mm_mul_pd(vhrs, dk)), vInvDt);
        const __m128d raised = _mm_add_pd(_mm_loadu_pd(h + k), _mm_mul_pd(bulge, _mm_loadu_pd(path.span + k)));
        return _mm_mul_pd(_mm_sub_pd(raised, line), _mm_loadu_pd(path.invRootSpan + k));
    };
    {
        __m128d v = _mm_set1_pd(top);
        for (; i + 2 < n; i += 2)
            v = _mm_max_pd(v, lanes(i));
        top = std::max(_mm_cvtsd_f64(v), _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)));
    }
#endif
    for (; i + 1 < n; ++i)
        top = std::max(top, nu(i));
    const double threshold = top - margin;
    out.clear();
    i = 1;
#if HCMFS_SSE2
    {
        const __m128d vthreshold = _mm_set1_pd(threshold);
        for (; i + 2 < n; i += 2) {
            const int near = _mm_movemask_pd(_mm_cmpge_pd(lanes(i), vthreshold));
            if (near & 1)
                out.push_back(i);
            if (near & 2)
                out.push_back(i + 1);
        }
    }
#endif
    for (; i + 1 < n; ++i)
        if (nu(i) >= threshold)
            out.push_back(i);
}

// One pass gathers the maxima for two earth radii at once (the path is read
// once, the straight line between the antennas worked out once per point);
// which maxima are needed is known only once stim is.
template <bool withTerrain>
void bullingtonMaxima(const BullingtonPath& path, const double* z, double hts, double hrs, double a1, double a2,
                      BullingtonMaxima& m1, BullingtonMaxima& m2)
{
    const std::size_t n = path.n;
    const double dt = path.dt;
    const double* d = path.dist;
    const double bulge1 = 500 / a1, bulge2 = 500 / a2; // earth bulge in m is bulge * d (dt - d)
    const double invDt = 1 / dt;
    double stim1 = m1.stim, srim1 = m1.srim, nu1 = m1.numax;
    double stim2 = m2.stim, srim2 = m2.srim, nu2 = m2.numax;
    std::size_t i = 1;
#if HCMFS_SSE2
    // Two points at a time: each lane does the arithmetic of the loop below
    // (same operations, same order, so the same bits); the maxima of the
    // lanes are then folded in, and a maximum does not depend on the order.
    {
        const __m128d vb1 = _mm_set1_pd(bulge1), vb2 = _mm_set1_pd(bulge2);
        const __m128d vhts = _mm_set1_pd(hts), vhrs = _mm_set1_pd(hrs);
        const __m128d vdt = _mm_set1_pd(dt), vInvDt = _mm_set1_pd(invDt);
        __m128d s1 = _mm_set1_pd(stim1), r1 = _mm_set1_pd(srim1), u1 = _mm_set1_pd(nu1);
        __m128d s2 = _mm_set1_pd(stim2), r2 = _mm_set1_pd(srim2), u2 = _mm_set1_pd(nu2);
        for (; i + 2 < n; i += 2) {
            const __m128d span = _mm_loadu_pd(path.span + i);
            const __m128d zi = withTerrain ? _mm_loadu_pd(z + i) : _mm_setzero_pd();
            const __m128d hi1 = _mm_add_pd(zi, _mm_mul_pd(vb1, span));
            const __m128d hi2 = _mm_add_pd(zi, _mm_mul_pd(vb2, span));
            const __m128d di = _mm_loadu_pd(d + i);
            const __m128d line =
                _mm_mul_pd(_mm_add_pd(_mm_mul_pd(vhts, _mm_sub_pd(vdt, di)), _mm_mul_pd(vhrs, di)), vInvDt);
            const __m128d invD = _mm_loadu_pd(path.invD + i);
            const __m128d invR = _mm_loadu_pd(path.invR + i);
            const __m128d invRoot = _mm_loadu_pd(path.invRootSpan + i);
            s1 = _mm_max_pd(s1, _mm_mul_pd(_mm_sub_pd(hi1, vhts), invD));
            r1 = _mm_max_pd(r1, _mm_mul_pd(_mm_sub_pd(hi1, vhrs), invR));
            u1 = _mm_max_pd(u1, _mm_mul_pd(_mm_sub_pd(hi1, line), invRoot));
            s2 = _mm_max_pd(s2, _mm_mul_pd(_mm_sub_pd(hi2, vhts), invD));
            r2 = _mm_max_pd(r2, _mm_mul_pd(_mm_sub_pd(hi2, vhrs), invR));
            u2 = _mm_max_pd(u2, _mm_mul_pd(_mm_sub_pd(hi2, line), invRoot));
        }
        auto fold = [](__m128d v) { return std::max(_mm_cvtsd_f64(v), _mm_cvtsd_f64(_mm_unpackhi_pd(v, v))); };
        stim1 = fold(s1), srim1 = fold(r1), nu1 = fold(u1);
        stim2 = fold(s2), srim2 = fold(r2), nu2 = fold(u2);
    }
#endif
    for (; i + 1 < n; ++i) {
        const double zi = withTerrain ? z[i] : 0.0;
        const double hi1 = zi + bulge1 * path.span[i];
        const double hi2 = zi + bulge2 * path.span[i];
        const double line = (hts * (dt - d[i]) + hrs * d[i]) * invDt;
        stim1 = std::max(stim1, (hi1 - hts) * path.invD[i]);
        srim1 = std::max(srim1, (hi1 - hrs) * path.invR[i]);
        nu1 = std::max(nu1, (hi1 - line) * path.invRootSpan[i]);
        stim2 = std::max(stim2, (hi2 - hts) * path.invD[i]);
        srim2 = std::max(srim2, (hi2 - hrs) * path.invR[i]);
        nu2 = std::max(nu2, (hi2 - line) * path.invRootSpan[i]);
    }
    m1.stim = stim1;
    m1.srim = srim1;
    m1.numax = nu1;
    m2.stim = stim2;
    m2.srim = srim2;
    m2.numax = nu2;
}

template void bullingtonMaxima<true>(const BullingtonPath&, const double*, double, double, double, double,
                                     BullingtonMaxima&, BullingtonMaxima&);
template void bullingtonMaxima<false>(const BullingtonPath&, const double*, double, double, double, double,
                                      BullingtonMaxima&, BullingtonMaxima&);

} // namespace hcmfs
