// Hypergeometric variates: marked items in a sample of s from a lot of l with m marked. The
// problem is first reduced by its symmetries to at most half the lot marked and at most half the
// lot sampled; a degenerate support gives its one value, a mode 40 or more above the lower end
// ratio-of-uniforms rejection, anything else inversion that walks from the mode. The set-up for
// the last (l, m, s) stays in chunk 6 and is reused while they repeat.
#include <stddef.h>

#include "orq_kernel/discrete/binomial/setup_chunk.h"
#include "orq_kernel/discrete/negbinomial/rou.h"
#include "zaforq/orq_dist2.h"

using namespace zaforq::orq;

namespace {

constexpr uint32_t kKey = 6;
constexpr uint32_t kSize = 604;
constexpr int32_t kBlock = 1024;

struct Setup {
  double key_l, key_m, key_s;
  double mm, ss, ll;      // reduced marked count and sample size, and the lot
  double lo, hi;          // support of the reduced problem
  double f_mode, F_mode;  // inversion: f(mode) and F(mode)
  double base;            // rejection: sum of the four ln-factorials at the mode
  RouSetup rou;
  int32_t swap_m, swap_s;
};
static_assert(sizeof(Setup) <= 600);
constexpr size_t kModeOffset = 600;

inline int32_t& mode_of(void* chunk) { return *reinterpret_cast<int32_t*>(static_cast<char*>(chunk) + kModeOffset); }

// ln(f(k) / f(mode)) = base - ln k! - ln(m' - k)! - ln(s' - k)! - ln(l - m' - s' + k)!
struct HyperLogRatio {
  const Setup* s;
  double operator()(double k) const {
    return s->base - log_fact(k) - log_fact(s->mm - k) - log_fact(s->ss - k) - log_fact(s->ll - s->mm - s->ss + k);
  }
};

void init(Setup* s, int32_t* mode_out, int32_t l, int32_t m, int32_t sample) {
  s->swap_m = m > l - m;
  s->swap_s = l <= 2 * static_cast<int64_t>(sample);
  const double mm = s->swap_m ? l - m : m;
  const double ss = s->swap_s ? l - sample : sample;
  s->mm = mm, s->ss = ss, s->ll = l;
  s->lo = ss - (l - mm) > 0 ? ss - (l - mm) : 0.0;
  s->hi = mm < ss ? mm : ss;
  float fm = static_cast<float>((ss + 1.0f) * (static_cast<float>(mm) + 1.0f) / (static_cast<float>(l) + 2.0f));
  double mode = static_cast<double>(static_cast<int64_t>(fm));
  if (mode < s->lo) mode = s->lo;
  if (mode > s->hi) mode = s->hi;
  // f(k + 1) / f(k) = (m' - k)(s' - k) / ((k + 1)(l - m' - s' + k + 1)); settle on the true mode
  const double rest = l - mm - ss;
  while (mode < s->hi && (mm - mode) * (ss - mode) > (mode + 1.0) * (rest + mode + 1.0)) mode += 1.0;
  while (mode > s->lo && (mm - mode + 1.0) * (ss - mode + 1.0) < mode * (rest + mode)) mode -= 1.0;
  *mode_out = static_cast<int32_t>(mode);
  static const double plus[4] = {1.0, 1.0, 1.0, 1.0};
  const double args[4] = {mode, mm - mode, ss - mode, rest + mode};
  s->base = log_fact4(args, plus);
  if (mode - s->lo >= 40.0) {
    s->rou.c = mode + 0.5;
    s->rou.lo = s->lo;
    s->rou.hi = s->hi;
    s->rou.h = rou_width(HyperLogRatio{s}, mode, s->lo, s->hi);
    return;
  }
  // f(mode) = C(m', mode) C(l - m', s' - mode) / C(l, s') from the factorials; F(mode) by
  // walking down to the lower end
  const double outer[4] = {mm, l - mm, ss, l - ss};
  const double lone[4] = {static_cast<double>(l), 0.0, 0.0, 0.0};
  static const double first[4] = {1.0, 0.0, 0.0, 0.0};
  double lf = log_fact4(outer, plus) - log_fact4(lone, first) - s->base;
  _zafdExp_HA(1, &lf, &s->f_mode);
  double f = s->f_mode, sum = f;
  for (double k = mode; k > s->lo; k -= 1.0) {
    f *= k * (rest + k) / ((mm - k + 1.0) * (ss - k + 1.0));
    sum += f;
  }
  s->F_mode = sum;
}

int32_t invert(OrqStream stream, int32_t n, int32_t* r, const Setup& s, double mode) {
  const double rest = s.ll - s.mm - s.ss;
  double u[kBlock];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t k = n - done < kBlock ? n - done : kBlock;
    status = _orqdRngUniform(0, stream, k, u, 0.0, 1.0);
    if (status < 0) return status;
    for (int32_t i = 0; i < k; ++i) {
      double x = mode, f = s.f_mode, big_f = s.F_mode;
      if (u[i] < big_f) {  // walk down while u lies below F(x - 1)
        while (x > s.lo) {
          big_f -= f;
          if (u[i] >= big_f) break;
          f *= x * (rest + x) / ((s.mm - x + 1.0) * (s.ss - x + 1.0));
          x -= 1.0;
        }
      } else {  // walk up until F(x) passes u
        while (x < s.hi) {
          f *= (s.mm - x) * (s.ss - x) / ((x + 1.0) * (rest + x + 1.0));
          x += 1.0;
          big_f += f;
          if (u[i] < big_f) break;
        }
      }
      r[done + i] = static_cast<int32_t>(x);
    }
    done += k;
  }
  return status;
}

}  // namespace

extern "C" ZAFORQ_API int32_t _orqiRngHypergeometric(int32_t, OrqStream stream, int32_t n, int32_t* r, int32_t l,
                                                     int32_t s, int32_t m) {
  int32_t status = 0;
  void* chunk = setup_chunk(stream, kKey, kSize, &status);
  if (!chunk) return status;
  Setup* st = static_cast<Setup*>(chunk);
  if (st->key_l != l || st->key_m != m || st->key_s != s) {
    init(st, &mode_of(chunk), l, m, s);
    st->key_l = l, st->key_m = m, st->key_s = s;
  }
  const double mode = mode_of(chunk);
  if (st->lo == st->hi) {
    for (int32_t i = 0; i < n; ++i) r[i] = static_cast<int32_t>(st->lo);
  } else if (mode - st->lo >= 40.0) {
    status = rou_sample(stream, n, r, st->rou, HyperLogRatio{st});
  } else {
    status = invert(stream, n, r, *st, mode);
  }
  if (status < 0) return status;
  // back through the symmetries: the complement of the sample, then the other marking
  for (int32_t i = 0; i < n; ++i) {
    int32_t k = r[i];
    if (st->swap_s) k = static_cast<int32_t>(st->mm) - k;
    if (st->swap_m) k = s - k;
    r[i] = k;
  }
  return status;
}
