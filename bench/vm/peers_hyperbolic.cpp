// Peers of the hyperbolic kernels: glibc's scalar loops, libmvec's 2-lane (double) and 4-lane
// (float) entries and SLEEF's SSE2 variants (u10 beside _HA, and u35 where SLEEF has it).
#include <math.h>
#include <sleef.h>

#include "peers_wrap.h"

// glibc's vector entries; its headers declare them only for OpenMP simd use.
extern "C" {
__m128d _ZGVbN2v_sinh(__m128d);
__m128d _ZGVbN2v_cosh(__m128d);
__m128d _ZGVbN2v_tanh(__m128d);
__m128d _ZGVbN2v_asinh(__m128d);
__m128d _ZGVbN2v_acosh(__m128d);
__m128d _ZGVbN2v_atanh(__m128d);
__m128 _ZGVbN4v_sinhf(__m128);
__m128 _ZGVbN4v_coshf(__m128);
__m128 _ZGVbN4v_tanhf(__m128);
__m128 _ZGVbN4v_asinhf(__m128);
__m128 _ZGVbN4v_acoshf(__m128);
__m128 _ZGVbN4v_atanhf(__m128);
}

namespace vmbench {
namespace {

template <class T, T (*F)(T)>
void loop(int32_t n, const void* a_, const void*, void* r_, void*) {
  const T* a = static_cast<const T*>(a_);
  T* r = static_cast<T*>(r_);
  for (int32_t i = 0; i < n; ++i) r[i] = F(a[i]);
}

const bool kHA = true, kLow = false;
const bool kF = true, kD = false;

#define HYP_PEERS(Fam, fn)                                                                        \
  {#Fam, kD, "glibc", kHA, loop<double, fn>}, {#Fam, kF, "glibc", kHA, loop<float, fn##f>},              \
      {#Fam, kD, "mvec", kHA, VM_PEER1(LD2, _ZGVbN2v_##fn)}, {#Fam, kF, "mvec", kHA, VM_PEER1(LF4, _ZGVbN4v_##fn##f)}, \
      {#Fam, kD, "sleef-sse2-u10", kHA, VM_PEER1(LD2, Sleef_##fn##d2_u10sse2)},                        \
      {#Fam, kF, "sleef-sse2-u10", kHA, VM_PEER1(LF4, Sleef_##fn##f4_u10sse2)}
#define HYP_PEERS_U35(Fam, fn)                                                    \
  {#Fam, kD, "sleef-sse2-u35", kLow, VM_PEER1(LD2, Sleef_##fn##d2_u35sse2)}, \
      {#Fam, kF, "sleef-sse2-u35", kLow, VM_PEER1(LF4, Sleef_##fn##f4_u35sse2)}

const AddPeer registered[] = {
    HYP_PEERS(Sinh, sinh),   HYP_PEERS(Cosh, cosh),   HYP_PEERS(Tanh, tanh),
    HYP_PEERS(Asinh, asinh), HYP_PEERS(Acosh, acosh), HYP_PEERS(Atanh, atanh),
    HYP_PEERS_U35(Sinh, sinh), HYP_PEERS_U35(Cosh, cosh), HYP_PEERS_U35(Tanh, tanh),
};

}  // namespace
}  // namespace vmbench
