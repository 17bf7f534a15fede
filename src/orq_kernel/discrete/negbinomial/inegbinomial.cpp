// Negative binomial variates: failures before the a-th success, a real. Below a mode
// (a - 1) q / p of 100 (or a NaN mode), inversion of a table of the distribution function searched
// from the mode; from 100 on, ratio-of-uniforms rejection. Both set-ups live in chunk 4, whose
// key fields are compared but never written, so every call builds the set-up it uses afresh.
#include <stddef.h>

#include "orq_kernel/discrete/binomial/setup_chunk.h"
#include "orq_kernel/discrete/negbinomial/rou.h"
#include "zaforq/orq_dist2.h"

using namespace zaforq::orq;

namespace {

constexpr uint32_t kKey = 4;
constexpr uint32_t kSize = 1328;
constexpr int32_t kBlock = 2048;

struct Cdf {
  double key_a, key_p;
  double f[(kSize - 16) / 8];  // F(0) .. F(L - 1), L at most 163
};
static_assert(offsetof(Cdf, f) == 16 && sizeof(Cdf) == kSize);

struct Nbar {
  double key_a, key_p;
  RouSetup rou;
  double a, mode, ln_q, base;  // base = ln Gamma(a + mode) - ln mode!
};
static_assert(sizeof(Nbar) <= kSize);

// ln(f(k) / f(mode)) = ln Gamma(a + k) - ln k! + (k - mode) ln q - base
struct NbLogRatio {
  const Nbar* s;
  double operator()(double k) const { return log_gamma(s->a + k) - log_fact(k) + (k - s->mode) * s->ln_q - s->base; }
};

void _InitNBAR(Nbar* s, double a, double p) {
  const double q = 1.0 - p;
  s->a = a;
  s->ln_q = __orqdLn(q);
  double mode = __orqdFloor((a - 1.0) * q / p);
  // the mode of the pmf: f(k + 1) / f(k) = (a + k) q / (k + 1) crosses 1 between k and k + 1
  while ((a + mode) * q > mode + 1.0) mode += 1.0;
  while (mode > 0.0 && (a + mode - 1.0) * q < mode) mode -= 1.0;
  s->mode = mode;
  s->base = log_gamma(a + mode) - log_fact(mode);
  const double sd = __orqdSqrt(a * q) / p;
  double hi = mode + 64.0 * sd + 64.0;
  if (hi > 2147483646.0) hi = 2147483646.0;
  s->rou.c = mode + 0.5;
  s->rou.lo = 0.0;
  s->rou.hi = 2147483646.0;
  s->rou.h = rou_width(NbLogRatio{s}, mode, 0.0, hi);
}

int32_t _orqRngNegbinomialNBAR(OrqStream stream, int32_t n, int32_t* r, double a, double p, void* chunk) {
  Nbar* s = static_cast<Nbar*>(chunk);
  _InitNBAR(s, a, p);
  return rou_sample(stream, n, r, s->rou, NbLogRatio{s});
}

int32_t _orqRngNegbinomialCDF(OrqStream stream, int32_t n, int32_t* r, double a, double p, void* chunk) {
  Cdf* s = static_cast<Cdf*>(chunk);
  const double q = 1.0 - p;
  const double mode = (a - 1.0) * q / p;
  const int32_t start = mode > 0.0 ? static_cast<int32_t>(mode) : 0;
  const int32_t len = start + 64;
  double f;
  _zafdPowx_HA(1, &p, a, &f);
  double sum = f;
  s->f[0] = sum;
  for (int32_t k = 1; k < len; ++k) {
    f *= (a + (k - 1)) * q / k;
    sum += f;
    s->f[k] = sum;
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
        if (x == len) {  // past the table: continue the recurrence until the sum passes u
          double g = s->f[len - 1] - s->f[len - 2], total = s->f[len - 1];
          for (int32_t k = len;; ++k) {
            g *= (a + (k - 1)) * q / k;
            const double next = total + g;
            x = k;
            if (next > u[i] || next == total || k == 0x7FFFFFFF) break;
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

}  // namespace

extern "C" ZAFORQ_API int32_t _orqiRngNegbinomial(int32_t, OrqStream stream, int32_t n, int32_t* r, double a,
                                                  double p) {
  int32_t status = 0;
  void* chunk = setup_chunk(stream, kKey, kSize, &status);
  if (!chunk) return status;
  const double mode = (a - 1.0) * (1.0 - p) / p;
  if (mode >= 100.0) return _orqRngNegbinomialNBAR(stream, n, r, a, p, chunk);
  return _orqRngNegbinomialCDF(stream, n, r, a, p, chunk);
}
