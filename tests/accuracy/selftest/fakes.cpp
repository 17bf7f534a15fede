// Fake kernels the harness must judge correctly; they are linked only into the self-test.
#include <math.h>
#include <string.h>

#include "harness.h"
#include "zaf.h"

namespace {

// Correctly rounded: passes.
void fake_exact(int32_t n, const double* a, double* r) {
  for (int32_t i = 0; i < n; ++i) r[i] = a[i] * 0.5;
}
// Two ulp away from a correctly rounded value: fails the _HA bound.
void fake_two_ulp(int32_t n, const double* a, double* r) {
  for (int32_t i = 0; i < n; ++i) r[i] = nextafter(nextafter(a[i] * 0.5, INFINITY), INFINITY);
}
// Wrong sign of zero: a wrong special value.
void fake_wrong_special(int32_t n, const double* a, double* r) {
  for (int32_t i = 0; i < n; ++i) r[i] = a[i] == 0 ? 0.0 : a[i] * 0.5;
}
// Exact values, but reports an overflow for every element above 1.
void fake_wrong_status(int32_t n, const double* a, double* r) {
  for (int32_t i = 0; i < n; ++i) {
    r[i] = a[i] * 0.5;
    if (a[i] > 1) _zafdError(ZAF_STATUS_OVERFLOW, i, &a[i], &a[i], &r[i], &r[i], "fake");
  }
}
// Float relative error 2^-10: beyond the f11 bound.
void fake_f11_loose(int32_t n, const float* a, float* r) {
  for (int32_t i = 0; i < n; ++i) r[i] = a[i] * 0.5f * (1.0f + 0x1p-10f);
}
// Exact in whole groups of four, 3 ulp off in the tail: the harness's odd batches catch it.
void fake_tail_differs(int32_t n, const double* a, double* r) {
  const int32_t full = n & ~3;
  for (int32_t i = 0; i < n; ++i) {
    r[i] = a[i] * 0.5;
    if (i >= full) r[i] = nextafter(nextafter(nextafter(r[i], 0.0), 0.0), 0.0);
  }
}

int mpfr_half(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t rnd) { return mpfr_div_2ui(r, x, 1, rnd); }

const std::vector<acc::Range> kAll = {{1e-300, 1e300}};
const std::vector<acc::Special> kZeros = {{0.0, 0}, {-0.0, 0}, {1.0, 0}};

// Each fake but the special one is sampled only, so each fails by the one check it targets.
#define FAKE(fn, prec, cls, specials)                                                        \
  acc::Registration r_##fn({#fn, acc::Prec::prec, acc::Class::cls, acc::Shape::unary,       \
                            reinterpret_cast<void*>(&fn), mpfr_half, nullptr, nullptr, kAll, \
                            {}, specials, nullptr});
FAKE(fake_exact, f64, dHA, kZeros)
FAKE(fake_two_ulp, f64, dHA, {})
FAKE(fake_wrong_special, f64, dHA, kZeros)
FAKE(fake_wrong_status, f64, dHA, {})
FAKE(fake_f11_loose, f32, f11, {})
FAKE(fake_tail_differs, f64, d50, {})

}  // namespace
