// The glibc scalar loops and the 128-bit peers: libmvec's SSE entries (2 doubles, 4 floats),
// SLEEF's SSE2 variants, SSE2 instructions.
#include <math.h>

#include "peers_wrap.h"

namespace vmbench {

std::vector<Peer>& peers() {
  static std::vector<Peer> table;
  return table;
}

namespace {

using LD = LD2;
using LF = LF4;
__m128d vd_set1(double x) { return _mm_set1_pd(x); }
__m128 vf_set1(float x) { return _mm_set1_ps(x); }
__m128d vd_sqrt(__m128d x) { return _mm_sqrt_pd(x); }
__m128 vf_sqrt(__m128 x) { return _mm_sqrt_ps(x); }
__m128 vf_rcp(__m128 x) { return _mm_rcp_ps(x); }
__m128 vf_rsqrt(__m128 x) { return _mm_rsqrt_ps(x); }

// ---- glibc scalar loops, beside _HA ----------------------------------------------------------
template <class T, T (*F)(T)>
void loop1(int32_t n, const void* a_, const void*, void* r_, void*) {
  const T* a = static_cast<const T*>(a_);
  T* r = static_cast<T*>(r_);
  for (int32_t i = 0; i < n; ++i) r[i] = F(a[i]);
}
template <class T, T (*F)(T, T)>
void loop2(int32_t n, const void* a_, const void* b_, void* r_, void*) {
  const T* a = static_cast<const T*>(a_);
  const T* b = static_cast<const T*>(b_);
  T* r = static_cast<T*>(r_);
  for (int32_t i = 0; i < n; ++i) r[i] = F(a[i], b[i]);
}
template <class T, void (*F)(T, T*, T*)>
void loop_sincos(int32_t n, const void* a_, const void*, void* r_, void* r2_) {
  const T* a = static_cast<const T*>(a_);
  T* r = static_cast<T*>(r_);
  T* r2 = static_cast<T*>(r2_);
  for (int32_t i = 0; i < n; ++i) F(a[i], r + i, r2 + i);
}

template <class T> T s_inv(T x) { return T(1) / x; }
template <class T> T s_div(T x, T y) { return x / y; }
double d_invsqrt(double x) { return 1.0 / sqrt(x); }
float f_invsqrt(float x) { return 1.0f / sqrtf(x); }
double d_invcbrt(double x) { return 1.0 / cbrt(x); }
float f_invcbrt(float x) { return 1.0f / cbrtf(x); }

#define VM_GLIBC(Fam, L, fd, ff) \
  {#Fam, false, "glibc", kClassHA, Isa::sse2, L<double, fd>}, { #Fam, true, "glibc", kClassHA, Isa::sse2, L<float, ff> }
const AddPeer registered_glibc[] = {
    VM_GLIBC(Sqrt, loop1, sqrt, sqrtf),       VM_GLIBC(InvSqrt, loop1, d_invsqrt, f_invsqrt),
    VM_GLIBC(Cbrt, loop1, cbrt, cbrtf),       VM_GLIBC(InvCbrt, loop1, d_invcbrt, f_invcbrt),
    VM_GLIBC(Inv, loop1, s_inv, s_inv),       VM_GLIBC(Div, loop2, s_div, s_div),
    VM_GLIBC(Exp, loop1, exp, expf),          VM_GLIBC(Ln, loop1, log, logf),
    VM_GLIBC(Log10, loop1, log10, log10f),    VM_GLIBC(Pow, loop2, pow, powf),
    VM_GLIBC(Powx, loop2, pow, powf),         VM_GLIBC(Sin, loop1, sin, sinf),
    VM_GLIBC(Cos, loop1, cos, cosf),          VM_GLIBC(Tan, loop1, tan, tanf),
    VM_GLIBC(SinCos, loop_sincos, sincos, sincosf),
    VM_GLIBC(Sinh, loop1, sinh, sinhf),       VM_GLIBC(Cosh, loop1, cosh, coshf),
    VM_GLIBC(Tanh, loop1, tanh, tanhf),       VM_GLIBC(Asinh, loop1, asinh, asinhf),
    VM_GLIBC(Acosh, loop1, acosh, acoshf),    VM_GLIBC(Atanh, loop1, atanh, atanhf),
    VM_GLIBC(Asin, loop1, asin, asinf),       VM_GLIBC(Acos, loop1, acos, acosf),
    VM_GLIBC(Atan, loop1, atan, atanf),       VM_GLIBC(Atan2, loop2, atan2, atan2f),
    VM_GLIBC(Erf, loop1, erf, erff),          VM_GLIBC(Erfc, loop1, erfc, erfcf),
};
#undef VM_GLIBC

}  // namespace
}  // namespace vmbench

using VD = __m128d;
using VF = __m128;
#define VM_W "128"
#define VM_ISA Isa::sse2
#define VM_RCP "rcpps"
#define VM_RSQRT "rsqrtps"
#define MV_D(fn) _ZGVbN2v_##fn
#define MV_F(fn) _ZGVbN4v_##fn##f
#define MV_D2(fn) _ZGVbN2vv_##fn
#define MV_F2(fn) _ZGVbN4vv_##fn##f
#define SL_D(fn, u) Sleef_##fn##d2_##u##sse2
#define SL_F(fn, u) Sleef_##fn##f4_##u##sse2
#include "peers_table.h"
