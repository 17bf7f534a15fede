// The glibc scalar loops, glibc's libmvec 2/4-lane entries and SLEEF's SSE2 variants.
#include <math.h>
#include <sleef.h>

#include "peers_wrap.h"

namespace vmbench {

std::vector<Peer>& peers() {
  static std::vector<Peer> table;
  return table;
}

}  // namespace vmbench

// glibc's vector entries; its headers declare them only for OpenMP simd use.
extern "C" {
__m128d _ZGVbN2v_exp(__m128d);
__m128d _ZGVbN2v_log(__m128d);
__m128d _ZGVbN2v_log10(__m128d);
__m128d _ZGVbN2v_cbrt(__m128d);
__m128d _ZGVbN2v_sin(__m128d);
__m128d _ZGVbN2v_cos(__m128d);
__m128d _ZGVbN2v_tan(__m128d);
__m128d _ZGVbN2vv_pow(__m128d, __m128d);
__m128 _ZGVbN4v_expf(__m128);
__m128 _ZGVbN4v_logf(__m128);
__m128 _ZGVbN4v_log10f(__m128);
__m128 _ZGVbN4v_cbrtf(__m128);
__m128 _ZGVbN4v_sinf(__m128);
__m128 _ZGVbN4v_cosf(__m128);
__m128 _ZGVbN4v_tanf(__m128);
__m128 _ZGVbN4vv_powf(__m128, __m128);
}

namespace vmbench {
namespace {

// ---- glibc scalar loops -------------------------------------------------------------------
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

double d_inv(double x) { return 1.0 / x; }
float f_inv(float x) { return 1.0f / x; }
double d_invsqrt(double x) { return 1.0 / sqrt(x); }
float f_invsqrt(float x) { return 1.0f / sqrtf(x); }
double d_invcbrt(double x) { return 1.0 / cbrt(x); }
float f_invcbrt(float x) { return 1.0f / cbrtf(x); }
double d_div(double x, double y) { return x / y; }
float f_div(float x, float y) { return x / y; }

// ---- plain SSE2 instructions, the natural peers of Sqrt, InvSqrt, Inv and Div --------------
__m128d pd_sqrt(__m128d x) { return _mm_sqrt_pd(x); }
__m128 ps_sqrt(__m128 x) { return _mm_sqrt_ps(x); }
__m128d pd_invsqrt(__m128d x) { return _mm_div_pd(_mm_set1_pd(1.0), _mm_sqrt_pd(x)); }
__m128 ps_invsqrt(__m128 x) { return _mm_div_ps(_mm_set1_ps(1.0f), _mm_sqrt_ps(x)); }
__m128d pd_inv(__m128d x) { return _mm_div_pd(_mm_set1_pd(1.0), x); }
__m128 ps_inv(__m128 x) { return _mm_div_ps(_mm_set1_ps(1.0f), x); }
__m128d pd_div(__m128d x, __m128d y) { return _mm_div_pd(x, y); }
__m128 ps_div(__m128 x, __m128 y) { return _mm_div_ps(x, y); }
__m128d pd_invcbrt_u10(__m128d x) { return _mm_div_pd(_mm_set1_pd(1.0), Sleef_cbrtd2_u10sse2(x)); }
__m128 ps_invcbrt_u10(__m128 x) { return _mm_div_ps(_mm_set1_ps(1.0f), Sleef_cbrtf4_u10sse2(x)); }
__m128d pd_invcbrt_u35(__m128d x) { return _mm_div_pd(_mm_set1_pd(1.0), Sleef_cbrtd2_u35sse2(x)); }
__m128 ps_invcbrt_u35(__m128 x) { return _mm_div_ps(_mm_set1_ps(1.0f), Sleef_cbrtf4_u35sse2(x)); }

const bool kHA = true, kLow = false;
const bool kF = true, kD = false;

const AddPeer registered[] = {
    // glibc scalar loops serve both classes.
    {"Sqrt", kD, "glibc", kHA, loop1<double, sqrt>},      {"Sqrt", kF, "glibc", kHA, loop1<float, sqrtf>},
    {"InvSqrt", kD, "glibc", kHA, loop1<double, d_invsqrt>}, {"InvSqrt", kF, "glibc", kHA, loop1<float, f_invsqrt>},
    {"Cbrt", kD, "glibc", kHA, loop1<double, cbrt>},      {"Cbrt", kF, "glibc", kHA, loop1<float, cbrtf>},
    {"InvCbrt", kD, "glibc", kHA, loop1<double, d_invcbrt>}, {"InvCbrt", kF, "glibc", kHA, loop1<float, f_invcbrt>},
    {"Inv", kD, "glibc", kHA, loop1<double, d_inv>},      {"Inv", kF, "glibc", kHA, loop1<float, f_inv>},
    {"Div", kD, "glibc", kHA, loop2<double, d_div>},      {"Div", kF, "glibc", kHA, loop2<float, f_div>},
    {"Exp", kD, "glibc", kHA, loop1<double, exp>},        {"Exp", kF, "glibc", kHA, loop1<float, expf>},
    {"Ln", kD, "glibc", kHA, loop1<double, log>},         {"Ln", kF, "glibc", kHA, loop1<float, logf>},
    {"Log10", kD, "glibc", kHA, loop1<double, log10>},    {"Log10", kF, "glibc", kHA, loop1<float, log10f>},
    {"Sin", kD, "glibc", kHA, loop1<double, sin>},        {"Sin", kF, "glibc", kHA, loop1<float, sinf>},
    {"Cos", kD, "glibc", kHA, loop1<double, cos>},        {"Cos", kF, "glibc", kHA, loop1<float, cosf>},
    {"Tan", kD, "glibc", kHA, loop1<double, tan>},        {"Tan", kF, "glibc", kHA, loop1<float, tanf>},
    {"SinCos", kD, "glibc", kHA, loop_sincos<double, sincos>}, {"SinCos", kF, "glibc", kHA, loop_sincos<float, sincosf>},
    {"Pow", kD, "glibc", kHA, loop2<double, pow>},        {"Pow", kF, "glibc", kHA, loop2<float, powf>},
    {"Powx", kD, "glibc", kHA, loop2<double, pow>},       {"Powx", kF, "glibc", kHA, loop2<float, powf>},

    // Plain SSE2 instructions.
    {"Sqrt", kD, "sqrtpd", kHA, VM_PEER1(LD2, pd_sqrt)},  {"Sqrt", kF, "sqrtps", kHA, VM_PEER1(LF4, ps_sqrt)},
    {"InvSqrt", kD, "sqrtpd+divpd", kHA, VM_PEER1(LD2, pd_invsqrt)},
    {"InvSqrt", kF, "sqrtps+divps", kHA, VM_PEER1(LF4, ps_invsqrt)},
    {"Inv", kD, "divpd", kHA, VM_PEER1(LD2, pd_inv)},     {"Inv", kF, "divps", kHA, VM_PEER1(LF4, ps_inv)},
    {"Div", kD, "divpd", kHA, VM_PEER2(LD2, pd_div)},     {"Div", kF, "divps", kHA, VM_PEER2(LF4, ps_div)},

    // glibc libmvec.
    {"Exp", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_exp)},     {"Exp", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_expf)},
    {"Ln", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_log)},      {"Ln", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_logf)},
    {"Log10", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_log10)}, {"Log10", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_log10f)},
    {"Cbrt", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_cbrt)},   {"Cbrt", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_cbrtf)},
    {"Sin", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_sin)},     {"Sin", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_sinf)},
    {"Cos", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_cos)},     {"Cos", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_cosf)},
    {"Tan", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_tan)},     {"Tan", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_tanf)},
    {"Pow", kD, "mvec", kHA, VM_PEER2(LD2, _ZGVbN2vv_pow)},
    {"Powx", kD, "mvec", kHA, VM_PEER2(LD2, _ZGVbN2vv_pow)},    {"Pow", kF, "mvec", kHA, VM_PEER2(LF4, _ZGVbN4vv_powf)},

    // SLEEF SSE2, nearest accuracy: u05/u10 beside _HA, u35 (or u10 where there is none) beside the rest.
    {"Sqrt", kD, "sleef-sse2-u05", kHA, VM_PEER1(LD2, Sleef_sqrtd2_u05sse2)},
    {"Sqrt", kD, "sleef-sse2-u35", kLow, VM_PEER1(LD2, Sleef_sqrtd2_u35sse2)},
    {"Sqrt", kF, "sleef-sse2-u05", kHA, VM_PEER1(LF4, Sleef_sqrtf4_u05sse2)},
    {"Sqrt", kF, "sleef-sse2-u35", kLow, VM_PEER1(LF4, Sleef_sqrtf4_u35sse2)},
    {"Cbrt", kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_cbrtd2_u10sse2)},
    {"Cbrt", kD, "sleef-sse2-u35", kLow, VM_PEER1(LD2, Sleef_cbrtd2_u35sse2)},
    {"Cbrt", kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_cbrtf4_u10sse2)},
    {"Cbrt", kF, "sleef-sse2-u35", kLow, VM_PEER1(LF4, Sleef_cbrtf4_u35sse2)},
    {"InvCbrt", kD, "sleef-sse2-u10+divpd", kHA, VM_PEER1(LD2, pd_invcbrt_u10)},
    {"InvCbrt", kD, "sleef-sse2-u35+divpd", kLow, VM_PEER1(LD2, pd_invcbrt_u35)},
    {"InvCbrt", kF, "sleef-sse2-u10+divps", kHA, VM_PEER1(LF4, ps_invcbrt_u10)},
    {"InvCbrt", kF, "sleef-sse2-u35+divps", kLow, VM_PEER1(LF4, ps_invcbrt_u35)},
    {"Exp", kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_expd2_u10sse2)},
    {"Exp", kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_expf4_u10sse2)},
    {"Ln", kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_logd2_u10sse2)},
    {"Ln", kD, "sleef-sse2-u35", kLow, VM_PEER1(LD2, Sleef_logd2_u35sse2)},
    {"Ln", kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_logf4_u10sse2)},
    {"Ln", kF, "sleef-sse2-u35", kLow, VM_PEER1(LF4, Sleef_logf4_u35sse2)},
    {"Log10", kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_log10d2_u10sse2)},
    {"Log10", kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_log10f4_u10sse2)},
    {"Sin", kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_sind2_u10sse2)},
    {"Sin", kD, "sleef-sse2-u35", kLow, VM_PEER1(LD2, Sleef_sind2_u35sse2)},
    {"Sin", kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_sinf4_u10sse2)},
    {"Sin", kF, "sleef-sse2-u35", kLow, VM_PEER1(LF4, Sleef_sinf4_u35sse2)},
    {"Cos", kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_cosd2_u10sse2)},
    {"Cos", kD, "sleef-sse2-u35", kLow, VM_PEER1(LD2, Sleef_cosd2_u35sse2)},
    {"Cos", kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_cosf4_u10sse2)},
    {"Cos", kF, "sleef-sse2-u35", kLow, VM_PEER1(LF4, Sleef_cosf4_u35sse2)},
    {"Tan", kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_tand2_u10sse2)},
    {"Tan", kD, "sleef-sse2-u35", kLow, VM_PEER1(LD2, Sleef_tand2_u35sse2)},
    {"Tan", kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_tanf4_u10sse2)},
    {"Tan", kF, "sleef-sse2-u35", kLow, VM_PEER1(LF4, Sleef_tanf4_u35sse2)},
    {"SinCos", kD, "sleef-sse2-u10", kHA, VM_PEERP(LD2, Sleef_sincosd2_u10sse2)},
    {"SinCos", kD, "sleef-sse2-u35", kLow, VM_PEERP(LD2, Sleef_sincosd2_u35sse2)},
    {"SinCos", kF, "sleef-sse2-u10", kHA, VM_PEERP(LF4, Sleef_sincosf4_u10sse2)},
    {"SinCos", kF, "sleef-sse2-u35", kLow, VM_PEERP(LF4, Sleef_sincosf4_u35sse2)},
    {"Pow", kD, "sleef-sse2-u10", kHA, VM_PEER2(LD2, Sleef_powd2_u10sse2)},
    {"Powx", kD, "sleef-sse2-u10", kHA, VM_PEER2(LD2, Sleef_powd2_u10sse2)},
    {"Pow", kF, "sleef-sse2-u10", kHA, VM_PEER2(LF4, Sleef_powf4_u10sse2)},
};

}  // namespace
}  // namespace vmbench
