// Binomial variates. With p' = min(p, 1 - p): BTPE (triangle, parallelogram and two exponential
// tails) in single precision when ntrial p' >= 30, inversion of a tabulated distribution
// function in double precision otherwise; results for p >= 0.5 are reflected, ntrial - k. The
// set-up of the last parameters stays in chunk 5 and is skipped while they repeat.
#include <stddef.h>

#include "orq_kernel/discrete/binomial/setup_chunk.h"
#include "zaforq/orq_dist.h"
#include "zaforq/orq_dist2.h"
#include "zaforq/zaf_kernels.h"

using namespace zaforq::orq;

namespace {

constexpr uint32_t kKey = 5;
constexpr uint32_t kSize = 544;
constexpr int32_t kPass = 1024;  // uniforms per BTPE pass
constexpr int32_t kBlock = 1024;  // uniforms per inversion block

struct Btpe {
  double key_n, key_p;
  float npq, ffm, m, p1, p2, p3, p4, p1_p4, p2_p4, p3_p4, xm, xl, xr, xll, xlr, inv_xll, inv_xlr, c, inv_c, inv_p1,
      inv_npq, r;
  float below[32], above[32];  // entry k - 1: f(m - k) / f(m) and f(m + k) / f(m)
};
static_assert(offsetof(Btpe, npq) == 16 && offsetof(Btpe, r) == 100 && offsetof(Btpe, below) == 104 &&
              offsetof(Btpe, above) == 232 && sizeof(Btpe) <= kSize);

struct Cdf {
  double key_n, key_p;
  double a;  // (ntrial + 1) r
  double r;  // p' / q'
  double f[(kSize - 32) / 8];
};
static_assert(offsetof(Cdf, f) == 32 && sizeof(Cdf) == kSize);

void InitPr(Btpe* s, int32_t ntrial, double pp) {
  const float p = static_cast<float>(pp);
  const float np = static_cast<float>(ntrial) * p;
  const float q = 1.0f - p;
  s->npq = np * q;
  s->inv_npq = 1.0f / s->npq;
  s->r = p / q;
  s->ffm = np + p;
  const float m = static_cast<float>(static_cast<int32_t>(s->ffm));
  s->m = m;
  s->p1 = static_cast<float>(static_cast<int32_t>(2.195f * static_cast<float>(__orqdSqrt(s->npq)) - 4.6f * q)) + 0.5f;
  s->inv_p1 = 1.0f / s->p1;
  s->xm = m + 0.5f;
  s->xl = s->xm - s->p1;
  s->xr = s->xm + s->p1;
  s->c = 0.134f + 20.5f / (15.3f + m);
  s->inv_c = 1.0f / s->c;
  const float al = (s->ffm - s->xl) / (s->ffm - s->xl * p);
  s->xll = al * (1.0f + 0.5f * al);
  s->inv_xll = 1.0f / s->xll;
  const float ar = (s->xr - s->ffm) / (s->xr * q);
  s->xlr = ar * (1.0f + 0.5f * ar);
  s->inv_xlr = 1.0f / s->xlr;
  s->p2 = s->p1 * (1.0f + 2.0f * s->c);
  s->p3 = s->p2 + s->c / s->xll;
  s->p4 = s->p3 + s->c / s->xlr;
  s->p1_p4 = s->p1 / s->p4;
  s->p2_p4 = s->p2 / s->p4;
  s->p3_p4 = s->p3 / s->p4;
  const float a = static_cast<float>(ntrial + 1.0) * s->r;
  float up = 1.0f, down = 1.0f;
  for (int32_t k = 1; k <= 32; ++k) {
    const float iu = m + static_cast<float>(k), id = m - static_cast<float>(k - 1);
    // past ntrial, and below 0, the mass is 0
    const float fu = a / iu - s->r;
    up = fu > 0.0f ? up * fu : 0.0f;
    down = id > 0.0f ? down * (id / (a - s->r * id)) : 0.0f;
    s->above[k - 1] = up;
    s->below[k - 1] = down;
  }
}

// Stirling correction of ln k!, the series 1/12k - 1/360k^3 + 1/1260k^5 - 1/1680k^7 + 1/1188k^9.
inline float stirling(float x) {
  const float x2 = 1.0f / (x * x);
  return (1.0f / 12 - (1.0f / 360 - (1.0f / 1260 - (1.0f / 1680 - (1.0f / 1188) * x2) * x2) * x2) * x2) / x;
}

// The acceptance test of a candidate y with v' against f(y) / f(m).
bool btpe_accept(const Btpe& s, int32_t ntrial, int32_t y, float vp) {
  const int32_t m = static_cast<int32_t>(s.m);
  const int32_t k = y > m ? y - m : m - y;
  const float kf = static_cast<float>(k);
  if (kf > 20.0f && kf < s.npq * 0.5f - 1.0f) {
    const float rho = (kf * s.inv_npq) * ((kf * (kf / 3.0f + 0.625f) + 1.0f / 6.0f) * s.inv_npq + 0.5f);
    const float t = -kf * kf * 0.5f * s.inv_npq;
    const float a = __orqsLn(vp);
    if (a < t - rho) return true;
    if (a > t + rho) return false;
    const float x1 = static_cast<float>(y + 1), f1 = s.m + 1.0f, z = static_cast<float>(ntrial + 1.0 - s.m),
                w = static_cast<float>(ntrial - y + 1.0);
    const float b = s.xm * __orqsLn(f1 / x1) + (static_cast<float>(ntrial) - s.m + 0.5f) * __orqsLn(z / w) +
                    static_cast<float>(y - m) * __orqsLn(w * s.r / x1) + stirling(f1) + stirling(z) + stirling(x1) +
                    stirling(w);
    return !(a > b);
  }
  if (k == 0) return true;
  const float* tab = y > m ? s.above : s.below;
  float bound = tab[(k < 32 ? k : 32) - 1];
  if (vp > bound) return false;
  if (k <= 32) return true;
  const float a = static_cast<float>(ntrial + 1.0) * s.r;
  if (y > m) {
    for (int32_t i = m + 33; i <= y; ++i) {
      bound *= a / static_cast<float>(i) - s.r;
      if (vp > bound) return false;
    }
  } else {
    for (int32_t i = m - 32; i >= y + 1; --i) {
      const float fi = static_cast<float>(i);
      bound *= fi / (a - s.r * fi);
      if (vp > bound) return false;
    }
  }
  return true;
}

int32_t _orqiRngBinomialBTPE(OrqStream stream, int32_t n, int32_t* r, int32_t ntrial, double p, void* chunk) {
  Btpe& s = *static_cast<Btpe*>(chunk);
  const double key_n = static_cast<float>(ntrial), key_p = static_cast<float>(p);
  const bool reflect = p >= 0.5;
  if (s.key_n != key_n || s.key_p != key_p) {
    InitPr(&s, ntrial, reflect ? 1.0 - p : p);
    s.key_n = key_n;
    s.key_p = key_p;
  }
  float u[kPass];
  int32_t y[kPass / 2];
  float vp[kPass / 2], lv[kPass / 2];
  int32_t tail[kPass / 2];  // indices of the region 2 and 3 pairs
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t want = 2 * (n - done) < kPass ? 2 * (n - done) : kPass;
    status = _orqsRngUniform(0, stream, want, u, 0.0f, 1.0f);
    if (status < 0) return status;
    const int32_t pairs = want / 2;
    int32_t ntail = 0;
    for (int32_t i = 0; i < pairs; ++i) {
      const float uu = u[2 * i], v = u[2 * i + 1];
      const float big_u = uu * s.p4;
      if (uu <= s.p1_p4) {  // triangle: accepted at once
        y[i] = static_cast<int32_t>(big_u + s.xm - v * s.p1);
        vp[i] = -1.0f;
      } else if (uu <= s.p2_p4) {  // parallelogram
        const float x = s.xl + (big_u - s.p1) * s.inv_c;
        const float d = s.xm - x;
        const float w = v * s.c + 1.0f - (d < 0 ? -d : d) * s.inv_p1;
        if (w > 1.0f) {
          y[i] = -1;
        } else {
          y[i] = static_cast<int32_t>(x);
          vp[i] = w;
        }
      } else {
        y[i] = -2;  // a tail, decided after the logarithms
        lv[ntail] = v;
        tail[ntail++] = i;
      }
    }
    _zafsLn_21(ntail, lv, lv);
    for (int32_t j = 0; j < ntail; ++j) {
      const int32_t i = tail[j];
      const float big_u = u[2 * i] * s.p4, v = u[2 * i + 1];
      if (u[2 * i] <= s.p3_p4) {  // left tail
        const float x = s.xl + lv[j] * s.inv_xll;
        y[i] = x > -1.0f ? static_cast<int32_t>(x) : -1;  // truncation; below -1 a rejection
        vp[i] = (big_u - s.p2) * s.xll * v;
      } else {  // right tail
        const float x = s.xr - lv[j] * s.inv_xlr;
        y[i] = x <= static_cast<float>(ntrial) + 1.0f ? static_cast<int32_t>(x) : -1;
        if (y[i] > ntrial) y[i] = -1;
        vp[i] = (big_u - s.p3) * s.xlr * v;
      }
    }
    for (int32_t i = 0; i < pairs; ++i) {
      if (y[i] < 0) continue;
      if (vp[i] >= 0.0f && !btpe_accept(s, ntrial, y[i], vp[i])) continue;
      r[done++] = y[i];
    }
  }
  if (reflect)
    for (int32_t i = 0; i < n; ++i) r[i] = ntrial - r[i];
  return status;
}

// Table length floor((1 - q) ntrial) + 32: at most 61 while ntrial p' < 30; a NaN product
// gets the shortest table.
int32_t cdf_len(double q, int32_t ntrial) {
  const double np = (1.0 - q) * ntrial;
  return np >= 0.0 && np < 30.0 ? static_cast<int32_t>(np) + 32 : 32;
}

void InitCdf(Cdf* s, double q, int32_t ntrial) {
  const int32_t len = cdf_len(q, ntrial);
  double f0;
  _zafdPowx_HA(1, &q, static_cast<double>(ntrial), &f0);
  // f(i) first, then the suffix sums from the top in extended precision
  double* f = s->f;
  f[0] = f0;
  for (int32_t i = 0; i + 1 < len; ++i) f[i + 1] = f[i] * (s->a / (i + 1) - s->r);
  long double sum = 0.0L, total;
  long double suffix[(kSize - 32) / 8 + 1];
  suffix[len] = 0.0L;
  for (int32_t i = len - 1; i >= 0; --i) {
    sum += f[i];
    suffix[i] = sum;
  }
  total = suffix[0];
  for (int32_t i = 0; i + 1 < len; ++i) f[i] = static_cast<double>(total - suffix[i + 1]);
  f[len - 1] = static_cast<double>(total);
}

int32_t _orqiRngBinomialCDF(OrqStream stream, int32_t n, int32_t* r, int32_t ntrial, double p, void* chunk) {
  Cdf& s = *static_cast<Cdf*>(chunk);
  const bool reflect = p >= 0.5;
  const double pp = reflect ? 1.0 - p : p;
  const double np = static_cast<double>(ntrial) * pp;
  const int32_t len = cdf_len(1.0 - pp, ntrial);
  if (s.key_n != static_cast<double>(ntrial) || s.key_p != p) {
    s.r = pp / (1.0 - pp);
    s.a = (ntrial + 1.0) * s.r;
    InitCdf(&s, 1.0 - pp, ntrial);
    s.key_n = ntrial;
    s.key_p = p;
  }
  const int32_t start = np > 0.0 ? static_cast<int32_t>(np) : 0;
  double u[kBlock];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t k = n - done < kBlock ? n - done : kBlock;
    status = _orqdRngUniform(0, stream, k, u, 0.0, 1.0);
    if (status < 0) return status;
    for (int32_t i = 0; i < k; ++i) {
      int32_t x = 0;
      if (u[i] >= s.f[0]) {
        x = cdf_search(s.f, len, start, u[i]);
        if (x == len) {  // beyond the table: continue the recurrence (at most to ntrial)
          double f = s.f[len - 1] - s.f[len - 2], sum = s.f[len - 1];
          x = len - 1;
          for (int32_t j = len; j <= ntrial; ++j) {
            f *= s.a / j - s.r;
            if (!(f > 0.0)) break;
            sum += f;
            x = j;
            if (sum > u[i]) break;
          }
          if (x > ntrial) x = ntrial;
        }
      }
      r[done + i] = reflect ? ntrial - x : x;
    }
    done += k;
  }
  return status;
}

}  // namespace

extern "C" ZAFORQ_API int32_t _orqiRngBinomial(int32_t, OrqStream stream, int32_t n, int32_t* r, int32_t ntrial,
                                               double p) {
  int32_t status = 0;
  void* chunk = setup_chunk(stream, kKey, kSize, &status);
  if (!chunk) return status;
  const double product = p >= 0.5 ? ntrial * (1.0 - p) : ntrial * p;
  if (product >= 30.0) return _orqiRngBinomialBTPE(stream, n, r, ntrial, p, chunk);
  return _orqiRngBinomialCDF(stream, n, r, ntrial, p, chunk);
}
