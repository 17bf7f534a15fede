// Poisson variates with mean lambda. Method 0 is exact: inversion of a table of the
// distribution function below a mean of 27, and PTPE rejection (triangle, parallelogram, two
// exponential tails) in single precision from 27 on, with an explicit product test up to a mean
// of 100 and Stirling's logarithmic test above. Both set-ups live side by side in chunk 3.
// Method 1 is an approximation without rejection or state: one scaled uniform per variate below
// a mean of 1 (the smallest k whose partial sum of lambda^k / k! reaches it), one Gaussian per
// variate above, mapped through a polynomial fitted per octave of the mean (to 100) or given by
// asymptotic series in 1 / lambda (from 100).
#include <stddef.h>
#include <string.h>

#include "orq_kernel/discrete/binomial/setup_chunk.h"
#include "zaforq/orq_dist.h"
#include "zaforq/orq_dist2.h"
#include "zaforq/zaf_kernels.h"

using namespace zaforq::orq;

namespace {

constexpr uint32_t kKey = 3;
constexpr uint32_t kSize = 696;
constexpr int32_t kBlock = 2024;  // uniforms per inversion block and per PTPE pass

struct Ptpe {
  float lambda, m, inv_m, inv_m3, ln_m_lambda, p1, p2, p3, p4, c, inv_c, inv_p1, xm, xl, xr, xll, xlr, inv_xll,
      inv_xlr, l0;
  float below[32], above[32];  // entry k - 1: f(m - k) / f(m) and f(m + k) / f(m)
};
static_assert(offsetof(Ptpe, l0) == 76 && offsetof(Ptpe, below) == 80 && offsetof(Ptpe, above) == 208 &&
              sizeof(Ptpe) == 336);

struct Inversion {
  double lambda;
  double f[(kSize - 344) / 8];  // F(0) .. F(L - 1), L = floor(lambda) + 16 <= 42
};
static_assert(sizeof(Inversion) == kSize - 336);

inline Ptpe* ptpe_of(void* chunk) { return static_cast<Ptpe*>(chunk); }
inline Inversion* inversion_of(void* chunk) { return reinterpret_cast<Inversion*>(static_cast<char*>(chunk) + 336); }

int32_t inversion(OrqStream stream, int32_t n, int32_t* r, double lambda, Inversion* s) {
  const int32_t start = lambda > 0.0 ? static_cast<int32_t>(lambda) : 0;
  const int32_t len = start + 16;
  if (s->lambda != lambda) {
    s->lambda = lambda;
    double f = -lambda;
    _zafdExp_HA(1, &f, &f);
    long double sum = f;
    s->f[0] = f;
    for (int32_t k = 1; k < len; ++k) {
      f = f * lambda / k;
      sum += f;
      s->f[k] = static_cast<double>(sum);
    }
  }
  double u[kBlock];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t m = n - done < kBlock ? n - done : kBlock;
    status = _orqdRngUniform(0, stream, m, u, 0.0, 1.0);
    if (status < 0) return status;
    for (int32_t i = 0; i < m; ++i) {
      int32_t x = 0;
      if (u[i] >= s->f[0]) {
        x = cdf_search(s->f, len, start, u[i]);
        if (x == len) {  // past the table: the recurrence goes on until the sum passes u
          double f = s->f[len - 1] - s->f[len - 2], total = s->f[len - 1];
          for (int32_t k = len;; ++k) {
            f = f * lambda / k;
            const double next = total + f;
            x = k;
            if (next > u[i] || next == total) break;
            total = next;
          }
        }
      }
      r[done + i] = x;
    }
    done += m;
  }
  return status;
}

void init_ptpe(Ptpe* s, double lambda) {
  const float lf = static_cast<float>(lambda);
  const float m = static_cast<float>(static_cast<int32_t>(lambda));
  s->m = m;
  s->inv_m = 1.0f / m;
  s->inv_m3 = s->inv_m * s->inv_m * s->inv_m;
  s->ln_m_lambda = static_cast<float>(__orqdLn(static_cast<double>(m) / lambda));
  s->p1 = static_cast<float>(static_cast<int32_t>(2.195f * static_cast<float>(__orqdSqrt(m)) - 2.2f)) + 0.5f;
  s->c = 0.133f + 8.56f / (6.83f + lf);
  s->inv_c = 1.0f / s->c;
  s->inv_p1 = 1.0f / s->p1;
  s->xm = m + 0.5f;
  s->xl = s->xm - s->p1;
  s->xr = s->xm + s->p1;
  s->l0 = s->xm * s->ln_m_lambda - m + s->inv_m / 12.0f - s->inv_m3 / 360.0f;
  const float al = (lf - s->xl) / lf;
  s->xll = al * (1.0f + 0.5f * al);
  const float ar = (s->xr - lf) / s->xr;
  s->xlr = ar * (1.0f + 0.5f * ar);
  s->inv_xll = 1.0f / s->xll;
  s->inv_xlr = 1.0f / s->xlr;
  s->p2 = s->p1 * (1.0f + 2.0f * s->c);
  s->p3 = s->p2 + (0.109f + 8.25f / (10.86f + lf)) / s->xll;
  s->p4 = s->p3 + s->c / s->xlr;
  const double md = m;
  double up = 1.0, down = 1.0;
  for (int32_t k = 1; k <= 32; ++k) {
    up *= lambda / (md + k);
    down *= (md - k + 1) / lambda;
    s->above[k - 1] = static_cast<float>(up);
    s->below[k - 1] = static_cast<float>(down);
  }
  s->lambda = lf;
}

// Explicit test (mean up to 100): v' against f(y) / f(m) from the tables and further factors.
bool explicit_accept(const Ptpe& s, double lambda, int32_t y, float vp) {
  const int32_t m = static_cast<int32_t>(s.m);
  const int32_t k = y > m ? y - m : m - y;
  if (k == 0) return true;
  const float* tab = y > m ? s.above : s.below;
  float bound = tab[(k < 32 ? k : 32) - 1];
  if (vp > bound) return false;
  const float lf = static_cast<float>(lambda);
  if (y > m) {
    for (int32_t i = m + 33; i <= y; ++i) {
      bound *= lf / static_cast<float>(i);
      if (vp > bound) return false;
    }
  } else {
    for (int32_t i = m - 32; i >= y + 1; --i) {
      bound *= static_cast<float>(i) / lf;
      if (vp > bound) return false;
    }
  }
  return true;
}

int32_t ptpe(OrqStream stream, int32_t n, int32_t* r, double lambda, Ptpe* s) {
  if (static_cast<double>(s->lambda) != lambda) init_ptpe(s, lambda);
  const bool log_test = static_cast<double>(s->lambda) > 100.0;
  float u[kBlock];
  constexpr int32_t kPairs = kBlock / 2;
  int32_t y[kPairs];
  float vp[kPairs], a[kPairs], b[kPairs];
  int32_t list[kPairs];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t want = 2 * (n - done) < kBlock ? 2 * (n - done) : kBlock;
    status = _orqsRngUniform(0, stream, want, u, 0.0f, 1.0f);
    if (status < 0) return status;
    const int32_t pairs = want / 2;
    int32_t ntail = 0;
    for (int32_t i = 0; i < pairs; ++i) {
      const float big_u = u[2 * i] * s->p4, v = u[2 * i + 1];
      vp[i] = -1.0f;  // no test pending
      if (big_u <= s->p1) {
        y[i] = static_cast<int32_t>(big_u + s->xm - v * s->p1);
      } else if (big_u <= s->p2) {
        const float x = s->xl + (big_u - s->p1) * s->inv_c;
        const float d = s->xm - x;
        const float w = v * s->c + 1.0f - (d < 0.0f ? -d : d) * s->inv_p1;
        y[i] = w > 1.0f || x < 0.0f ? -1 : static_cast<int32_t>(x);
        vp[i] = w;
      } else {
        y[i] = -2;
        a[ntail] = v;
        list[ntail++] = i;
      }
    }
    _zafsLn_21(ntail, a, a);
    for (int32_t j = 0; j < ntail; ++j) {
      const int32_t i = list[j];
      const float big_u = u[2 * i] * s->p4, v = u[2 * i + 1];
      if (big_u <= s->p3) {  // left tail; truncation toward zero, below -1 a rejection
        const float x = s->xl + a[j] * s->inv_xll;
        y[i] = x > -1.0f ? static_cast<int32_t>(x) : -1;
        vp[i] = (big_u - s->p2) * s->xll * v;
      } else {  // right tail
        const float x = s->xr - a[j] * s->inv_xlr;
        y[i] = x < 2147483520.0f ? static_cast<int32_t>(x) : -1;
        vp[i] = (big_u - s->p3) * s->xlr * v;
      }
    }
    if (log_test) {
      // A = ln v' against (y + 1/2) ln(lambda / y) + L0 + y - (1/y)/12 - (1/y)^3/360, with
      // ln v', 1/y and ln(lambda / y) each one kernel call over the candidates
      int32_t cnt = 0;
      for (int32_t i = 0; i < pairs; ++i)
        if (y[i] > 0 && vp[i] >= 0.0f) {
          list[cnt] = i;
          a[cnt] = vp[i];
          b[cnt++] = static_cast<float>(y[i]);
        }
      _zafsLn_21(cnt, a, a);
      _zafsInv_21(cnt, b, b);
      float iy[kPairs];
      for (int32_t j = 0; j < cnt; ++j) {
        iy[j] = b[j];
        b[j] *= s->lambda;
      }
      _zafsLn_21(cnt, b, b);
      for (int32_t j = 0; j < cnt; ++j) {
        const int32_t i = list[j];
        const float yf = static_cast<float>(y[i]), i3 = iy[j] * iy[j] * iy[j];
        if (a[j] > (yf + 0.5f) * b[j] + s->l0 + yf - iy[j] / 12.0f - i3 / 360.0f) y[i] = -1;
      }
      // y = 0 (out of reach of the float tails for such means, but decided exactly all the
      // same): ln(f(0) / f(m)) = ln m! - m ln lambda by Stirling's series
      for (int32_t i = 0; i < pairs; ++i)
        if (y[i] == 0 && vp[i] >= 0.0f) {
          const double md = s->m, im = 1.0 / md;
          const double bound = (md + 0.5) * __orqdLn(md) - md + 0.9189385332046727 + im / 12.0 -
                               im * im * im / 360.0 - md * __orqdLn(lambda);
          if (__orqdLn(vp[i]) > bound) y[i] = -1;
        }
    } else {
      for (int32_t i = 0; i < pairs; ++i)
        if (y[i] >= 0 && vp[i] >= 0.0f && !explicit_accept(*s, lambda, y[i], vp[i])) y[i] = -1;
    }
    for (int32_t i = 0; i < pairs; ++i)
      if (y[i] >= 0) r[done++] = y[i];
  }
  return status;
}

int32_t _viRngPoissonPtpe(OrqStream stream, int32_t n, int32_t* r, double lambda) {
  int32_t status = 0;
  void* chunk = setup_chunk(stream, kKey, kSize, &status);
  if (!chunk) return status;
  if (lambda >= 27.0) return ptpe(stream, n, r, lambda, ptpe_of(chunk));
  return inversion(stream, n, r, lambda, inversion_of(chunk));
}

// ---- method 1 -------------------------------------------------------------------------------

// exp(lambda) on [0, 1): the scale of the uniforms below a mean of 1
const double __orq_iExp[8] = {0.9999999978976929, 1.000000235204182,   0.49999555884885266, 0.16669916415448055,
                              0.0415487961378904, 0.008565930750590653, 0.0011369805324212754, 0.0003351641595394528};
// from a mean of 100: the Gaussian's mean and deviation, and the cubic's coefficients, in 1/lambda
const double __orq_iWc_100[4] = {-0.6666957198, -0.01941020862, -0.001288719308, 0.001645153709};
const double __orq_iSgm_100[4] = {-0.05580667628, -0.000975814817, -0.005534854444, 0.00519830812};
const double __orq_iQ1_100[5] = {0.00774710541609, -0.443911391797447, 2.29098262740971, -3.85841212878712,
                                 2.02847035732762};
const double __orq_iQ2_100[5] = {0.168577008904505, 0.0472242348292688, -0.228162379800275, 0.358642226989579,
                                 -0.185436433294704};
const double __orq_iQ3_100[5] = {-0.0001145865551857, -0.0126559989233446, 0.0232257954288354, -0.0291113093667918,
                                 0.014389264627966};
#include "orq_kernel/discrete/poisson/poisnorm_tables.inc"
const double* const pdPoissC = iPoissC;

inline double series5(const double* q, double s) { return (q[0] + (q[1] + (q[2] + (q[3] + q[4] * s) * s) * s) * s) * s; }

int32_t _viRngPoissonPoisNorm(OrqStream stream, int32_t n, int32_t* r, double lambda) {
  float* f = reinterpret_cast<float*>(r);  // the uniforms or Gaussians, overwritten in place
  int32_t status;
  if (!(lambda >= 1.0)) {
    const double* e = __orq_iExp;
    const double scale =
        e[0] + lambda * (e[1] + lambda * (e[2] + lambda * (e[3] + lambda * (e[4] + lambda * (e[5] + lambda * (e[6] + lambda * e[7]))))));
    float sums[11];
    double term = 1.0, sum = 1.0;
    sums[0] = 1.0f;
    for (int32_t k = 1; k <= 10; ++k) {
      term *= lambda / k;
      sum += term;
      sums[k] = static_cast<float>(sum);
    }
    status = _orqsRngUniform(0, stream, n, f, 0.0f, static_cast<float>(scale));
    if (status < 0) return status;
    for (int32_t i = 0; i < n; ++i) {
      const float u = f[i];
      int32_t k = 0;
      while (k <= 10 && u > sums[k]) ++k;
      r[i] = k;
    }
    return status;
  }
  if (lambda < 100.0) {
    uint64_t bits;
    memcpy(&bits, &lambda, 8);
    const int32_t j = static_cast<int32_t>((bits >> 52) & 0x7FF) - 1023;
    const uint64_t scale_bits = static_cast<uint64_t>(1023 - j) << 52;
    double inv;
    memcpy(&inv, &scale_bits, 8);
    const double t = lambda * inv - 1.0;  // lambda / 2^j - 1, exact
    const double* a = pdPoissC + 24 * j;
    auto cubic = [&](int32_t i) { return static_cast<float>(a[i] + t * (a[i + 1] + t * (a[i + 2] + t * a[i + 3]))); };
    const float c0 = static_cast<float>(1.0 + a[0] + a[1] * t + a[2] * t * t);
    const float c1 = cubic(3), c2 = cubic(7), c3 = cubic(11), c4 = cubic(15), c5 = cubic(19);
    status = _orqsRngGaussian(1, stream, n, f, 0.0f, 1.0f);
    if (status < 0) return status;
    for (int32_t i = 0; i < n; ++i) {
      const float z = f[i];
      const float v = c0 + c1 * z * (c2 + z * (c3 + z * (c4 + z * c5)));
      r[i] = static_cast<int32_t>(v > 0.0f ? v : 0.0f);
    }
    return status;
  }
  const double s = 1.0 / lambda;
  const double* w = __orq_iWc_100;
  const double* g = __orq_iSgm_100;
  const float mu = static_cast<float>(lambda + w[0] + (w[1] + (w[2] + w[3] * s) * s) * s);
  const float sigma = static_cast<float>(__orqdSqrt(lambda + g[0] + (g[1] + (g[2] + g[3] * s) * s) * s));
  const float q1 = static_cast<float>(series5(__orq_iQ1_100, s)), q2 = static_cast<float>(series5(__orq_iQ2_100, s)),
              q3 = static_cast<float>(series5(__orq_iQ3_100, s));
  status = _orqsRngGaussian(1, stream, n, f, mu, sigma);
  if (status < 0) return status;
  for (int32_t i = 0; i < n; ++i) {
    const float y = f[i], d = y - mu;
    const float v = y + 1.0f + q1 * d + q2 * d * d + q3 * d * d * d;
    r[i] = static_cast<int32_t>(v > 0.0f ? v : 0.0f);
  }
  return status;
}

using PoissonFn = int32_t (*)(OrqStream, int32_t, int32_t*, double);
const PoissonFn Dispatch[2] = {_viRngPoissonPtpe, _viRngPoissonPoisNorm};

}  // namespace

extern "C" ZAFORQ_API int32_t _orqiRngPoisson(int32_t method, OrqStream stream, int32_t n, int32_t* r,
                                              double lambda) {
  // method numbers outside the table are refused before anything is drawn
  if (method != ORQ_POISSON_PTPE && method != ORQ_POISSON_POISNORM) return ORQ_STATUS_UNKNOWN_METHOD;
  return Dispatch[method](stream, n, r, lambda);
}
