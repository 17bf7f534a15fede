// Peers of the Erf and Erfc kernels: glibc's scalar loops, libmvec's 2-lane (double) and
// 4-lane (float) SSE entries, SLEEF's SSE2 variants (erf u10, erfc u15, the nearest it has).
#include <math.h>
#include <sleef.h>

#include "peers_wrap.h"

extern "C" {
__m128d _ZGVbN2v_erf(__m128d);
__m128d _ZGVbN2v_erfc(__m128d);
__m128 _ZGVbN4v_erff(__m128);
__m128 _ZGVbN4v_erfcf(__m128);
}

namespace vmbench {
namespace {

template <class T, T (*F)(T)>
void loop1(int32_t n, const void* a_, const void*, void* r_, void*) {
  const T* a = static_cast<const T*>(a_);
  T* r = static_cast<T*>(r_);
  for (int32_t i = 0; i < n; ++i) r[i] = F(a[i]);
}

const bool kHA = true;
const bool kF = true, kD = false;

const AddPeer registered[] = {
    {"Erf", kD, "glibc", kHA, loop1<double, erf>},
    {"Erf", kF, "glibc", kHA, loop1<float, erff>},
    {"Erfc", kD, "glibc", kHA, loop1<double, erfc>},
    {"Erfc", kF, "glibc", kHA, loop1<float, erfcf>},
    {"Erf", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_erf)},
    {"Erf", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_erff)},
    {"Erfc", kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_erfc)},
    {"Erfc", kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_erfcf)},
    {"Erf", kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_erfd2_u10sse2)},
    {"Erf", kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_erff4_u10sse2)},
    {"Erfc", kD, "sleef-sse2-u15", kHA, VM_PEER1(LD2, Sleef_erfcd2_u15sse2)},
    {"Erfc", kF, "sleef-sse2-u15", kHA, VM_PEER1(LF4, Sleef_erfcf4_u15sse2)},
};

}  // namespace
}  // namespace vmbench
