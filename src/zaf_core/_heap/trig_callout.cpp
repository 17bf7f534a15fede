// Scalar callouts of Sin, Cos, Tan and SinCos: the generic entries (index, arrays, an unread
// word, the name to report) and the wrappers that bind each kernel class's name.
#include "zaf_core/_heap/trig_callout.h"

#include "common/bits.h"
#include "common/fpenv.h"
#include "zaf.h"
#include "zaf_core/_frame/frame.h"
#include "zaf_core/_heap/trig_scalar.h"
#include "zaf_core/errors/report.h"

namespace zaforq::trig {
namespace {

inline uint32_t high_magnitude(double x) { return static_cast<uint32_t>(bits_of(x) >> 32) & 0x7FFFFFFFu; }
inline uint32_t magnitude(float x) { return bits_of(x) & 0x7FFFFFFFu; }

inline double eval(Fn f, double x) {
  switch (f) {
    case Fn::sin: return sin_scalar(x);
    case Fn::cos: return cos_scalar(x);
    default: return tan_scalar(x);
  }
}

}  // namespace

// Doubles: inf and NaN (high word of |x| at or above 0x7FF00000) give the default NaN; a
// high word of exactly 0x7FF00000 is reported as a domain error.
void callout(Fn f, double x, double* r, int32_t index, const char* name) {
  const uint32_t h = high_magnitude(x);
  if (h >= 0x7FF00000u) {
    *r = vm::domain_nan<double>();
    if (h == 0x7FF00000u) report_element(ZAF_STATUS_ERRDOM, index, x, x, r, r, name);
    return;
  }
  *r = eval(f, x);
}

void callout_sincos(double x, double* r1, double* r2, int32_t index, const char* name) {
  const uint32_t h = high_magnitude(x);
  if (h >= 0x7FF00000u) {
    *r1 = *r2 = vm::domain_nan<double>();
    if (h == 0x7FF00000u) report_element(ZAF_STATUS_ERRDOM, index, x, x, r1, r2, name);
    return;
  }
  sincos_scalar(x, r1, r2);
}

// Floats: ±inf is the domain error; everything else, NaN included, runs the double routine
// with the x87 unit at 53-bit precision and is rounded to float.
void callout(Fn f, float x, float* r, int32_t index, const char* name) {
  if (magnitude(x) == 0x7F800000u) {
    *r = vm::domain_nan<float>();
    report_element(ZAF_STATUS_ERRDOM, index, x, x, r, r, name);
    return;
  }
  double d;
  {
    FpEnv env(X87::pc53);
    d = eval(f, static_cast<double>(x));
  }
  *r = static_cast<float>(d);
}

void callout_sincos(float x, float* r1, float* r2, int32_t index, const char* name) {
  if (magnitude(x) == 0x7F800000u) {
    *r1 = *r2 = vm::domain_nan<float>();
    report_element(ZAF_STATUS_ERRDOM, index, x, x, r1, r2, name);
    return;
  }
  double s, c;
  {
    FpEnv env(X87::pc53);
    sincos_scalar(static_cast<double>(x), &s, &c);
  }
  *r1 = static_cast<float>(s);
  *r2 = static_cast<float>(c);
}

}  // namespace zaforq::trig

using zaforq::trig::callout;
using zaforq::trig::callout_sincos;
using zaforq::trig::Fn;

// Generic entries: the element a[index] into r[index]; the fourth word is not read.
#define ZAF_TRIG_SC(P, T, F, FN)                                                                \
  extern "C" ZAFORQ_API void _zaf##P##F##_SC(int32_t i, const T* a, T* r, int32_t, const char* name) { \
    callout(Fn::FN, a[i], r + i, i, name);                                                      \
  }
ZAF_TRIG_SC(s, float, Sin, sin)
ZAF_TRIG_SC(s, float, Cos, cos)
ZAF_TRIG_SC(s, float, Tan, tan)
ZAF_TRIG_SC(d, double, Sin, sin)
ZAF_TRIG_SC(d, double, Cos, cos)
ZAF_TRIG_SC(d, double, Tan, tan)

extern "C" ZAFORQ_API void _zafsSinCos_SC(int32_t i, const float* a, float* r1, float* r2, int32_t,
                                          const char* name) {
  callout_sincos(a[i], r1 + i, r2 + i, i, name);
}
extern "C" ZAFORQ_API void _zafdSinCos_SC(int32_t i, const double* a, double* r1, double* r2, int32_t,
                                          const char* name) {
  callout_sincos(a[i], r1 + i, r2 + i, i, name);
}

// Named wrappers: the same, reporting under the name of the kernel class that calls them.
#define ZAF_TRIG_NAMED(P, T, F, CLS)                                                            \
  extern "C" ZAFORQ_API void _zaf##P##F##_SC_##CLS(int32_t i, const T* a, T* r, int32_t w) {   \
    _zaf##P##F##_SC(i, a, r, w, #P #F "_" #CLS);                                               \
  }
#define ZAF_TRIG_NAMED_SINCOS(P, T, CLS)                                                         \
  extern "C" ZAFORQ_API void _zaf##P##SinCos_SC_##CLS(int32_t i, const T* a, T* r1, T* r2, int32_t w) { \
    _zaf##P##SinCos_SC(i, a, r1, r2, w, #P "SinCos_" #CLS);                                     \
  }
#define ZAF_TRIG_CLASSES(P, T)                                                                   \
  ZAF_TRIG_NAMED(P, T, Sin, HA) ZAF_TRIG_NAMED(P, T, Sin, LA) ZAF_TRIG_NAMED(P, T, Sin, A11)      \
  ZAF_TRIG_NAMED(P, T, Cos, HA) ZAF_TRIG_NAMED(P, T, Cos, LA) ZAF_TRIG_NAMED(P, T, Cos, A11)      \
  ZAF_TRIG_NAMED(P, T, Tan, HA) ZAF_TRIG_NAMED(P, T, Tan, LA) ZAF_TRIG_NAMED(P, T, Tan, A11)      \
  ZAF_TRIG_NAMED_SINCOS(P, T, HA) ZAF_TRIG_NAMED_SINCOS(P, T, LA) ZAF_TRIG_NAMED_SINCOS(P, T, A11)
ZAF_TRIG_CLASSES(s, float)
ZAF_TRIG_CLASSES(d, double)
